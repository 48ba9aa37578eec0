// corvane sentences: cuts each line of a text file into sentences, as the tools do, and
// prints one sentence per line.
#include <ostream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

// A line longer than this is cut here into paragraphs of its own, so that a text without
// line breaks (or an endless one) never holds more than this in memory.
constexpr std::size_t kLongestLine = std::size_t{1} << 20;

}  // namespace

int command_sentences(const std::string& file_name, const std::string& marker,
                      const std::string& lang, int longest_tag, std::ostream& out,
                      std::ostream& err) {
  TLCID lcid = default_lcid();
  const std::string& language = lang.empty() ? reading_settings().lang : lang;
  if (!language.empty() && !lcid_from_argument(language, lcid)) {
    err << "corvane sentences: --lang " << language
        << " names no locale (give a name such as en_US or an identifier such as 0x0409)\n";
    return 2;
  }
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting(lang, encoding, why)) {
    err << "corvane sentences: " << why << '\n';
    return 2;
  }
  if (!check_file("sentences", file_name, err)) return 2;
  const std::u16string end_marker = u16(marker);
  std::u16string line;
  bool cut = false;
  const auto paragraph = [&] {
    const std::unique_ptr<TStringList> sentences =
        SentencesFromParagraph(line, end_marker, lcid, longest_tag);
    for (int k = 0; k < sentences->Count(); ++k) out << u8(sentences->Get(k)) << '\n';
    line.clear();
    return output_ok(out);
  };
  try {
    // The reader every search uses, a part at a time: memory stays flat however long the
    // text is.
    text_file_reader reader(u16(file_name), encoding);
    reader.settle();
    report_reading("sentences", file_name, reader.report(), err);
    std::u16string part(std::size_t{1} << 16, u'\0');
    while (const std::size_t got = reader.read(part.data(), part.size())) {
      for (std::size_t i = 0; i < got; ++i) {
        const char16_t c = part[i];
        if (c == u'\r') continue;  // every line ends in CR LF
        if (c == u'\n') {
          if (!paragraph()) return 2;
          continue;
        }
        line += c;
        if (line.size() >= kLongestLine) {
          if (!cut)
            err << "corvane sentences: " << file_name << ": a line longer than " << kLongestLine
                << " characters is cut into paragraphs of that length\n";
          cut = true;
          if (!paragraph()) return 2;
        }
      }
    }
    if (!line.empty() && !paragraph()) return 2;
  } catch (const std::exception& e) {
    err << "corvane sentences: " << file_name << ": " << failure(e) << '\n';
    return 2;
  }
  return 0;
}

}  // namespace corvane::cli
