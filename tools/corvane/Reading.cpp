// The options every command that reads texts shares (--encoding, --lang, --verbose), and
// how the program reports what reading a text found.
#include <sys/stat.h>

#include <cerrno>
#include <new>
#include <ostream>

#include "corvane/files/Corpus_gathering.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

ReadingSettings& reading_settings() {
  static ReadingSettings settings;
  return settings;
}

bool text_encoding_setting(const std::string& command_lang, text_encoding_choice& choice,
                           std::string& why) {
  const ReadingSettings& s = reading_settings();
  choice = text_encoding_choice{};
  if (!text_encoding_from_name(s.encoding, choice)) {
    why = "--encoding " + s.encoding +
          " names no encoding (give auto, system, a name such as windows-1251 or KOI8-R, or "
          "a code-page number such as 1251)";
    return false;
  }
  const std::string& lang = command_lang.empty() ? s.lang : command_lang;
  if (lang.empty() || choice.how != text_encoding_choice::mode::automatic) return true;
  TLCID lcid = 0;
  if (!lcid_from_argument(lang, lcid)) {
    why = "--lang " + lang + " names no locale";
    return false;
  }
  choice = text_encoding_for_language(lcid);
  return true;
}

bool report_reading(const char* command, const std::string& path, const text_reading_report& report,
                    std::ostream& err) {
  if (reading_settings().verbose && report.found != text_reading_report::how::none &&
      report.found != text_reading_report::how::document)
    err << "corvane " << command << ": " << path << ": " << report.describe() << '\n';
  const std::string lost = report.losses();
  if (lost.empty()) return false;
  err << "corvane " << command << ": " << path << ": " << lost << '\n';
  return true;
}

bool check_file(const char* command, const std::string& path, std::ostream& err) {
  const auto refuse = [&](const std::string& why) {
    err << "corvane " << command << ": " << path << ": " << why << "\n";
    return false;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    return refuse(errno == ENOENT ? "no such file" : error_reason(errno));
  if (S_ISDIR(st.st_mode)) return refuse("is a folder, not a file");
  if (!S_ISREG(st.st_mode)) return refuse("not a regular file (a FIFO, socket or device)");
  if (!is_strict_utf8(reinterpret_cast<const unsigned char*>(path.data()), path.size()))
    return refuse("the file name is not valid UTF-8");
  return true;
}

std::string failure(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) return "not enough memory to read it";
  return e.what();
}

}  // namespace corvane::cli
