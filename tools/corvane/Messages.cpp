// corvane messages: the message catalogue as identifier<TAB>text lines, the form that a
// translation file takes, so that the output of this command is a translator's template.
#include <ostream>

#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {
// The translation stays loaded only while the command runs.
struct TranslationScope {
  ~TranslationScope() { msg::clear_translation(); }
};
}  // namespace

int command_messages(const std::string& translation_file, const std::vector<std::string>& ids,
                     std::ostream& out, std::ostream& err) {
  std::vector<msg::MessageId> wanted;
  bool unknown = false;
  for (const std::string& id : ids) {
    if (const auto entry = msg::find(id)) {
      wanted.push_back(*entry);
    } else {
      err << "corvane messages: unknown message identifier \"" << id << "\"\n";
      unknown = true;
    }
  }
  if (unknown) {
    err << "Identifiers are written as in the catalogue, such as _CVOverwriteXQ; "
           "'corvane messages' lists them all.\n";
    return 1;
  }
  if (ids.empty()) wanted = msg::all();

  TranslationScope scope;
  if (!translation_file.empty()) {
    try {
      msg::load_translation_file(u16(translation_file));
    } catch (const Exception& e) {
      err << "corvane messages: translation refused: " << e.what() << '\n';
      return 1;
    }
  }
  for (const msg::MessageId id : wanted)
    out << msg::identifier(id) << '\t' << msg::escaped(msg::text(id)) << '\n';
  return 0;
}

}  // namespace corvane::cli
