// corvane sentences: cuts each line of a text file into sentences, as the tools do, and
// prints one sentence per line.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

// The lines of the file: UTF-8 or UTF-16 by a byte-order mark, else UTF-8.
void load_lines(const std::string& path, TStringList& lines) {
  // A folder opens like a file on Linux and would read as empty text.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw EFOpenError("Is a folder, not a file");
  lines.LoadFromFile(u16(path));
  if (lines.Encoding() != enc_ansi) return;
  // No byte-order mark: read the bytes again as UTF-8 rather than as 8-bit text.
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EReadError("Cannot read file " + path);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  lines.SetTextStr(utf8_to_utf16(bytes));
}

}  // namespace

int command_sentences(const std::string& file_name, const std::string& marker,
                      const std::string& lang, int longest_tag, std::ostream& out,
                      std::ostream& err) {
  TLCID lcid = default_lcid();
  if (!lang.empty() && !lcid_from_argument(lang, lcid)) {
    err << "corvane sentences: --lang " << lang
        << " names no locale (give a name such as en_US or an identifier such as 0x0409)\n";
    return 2;
  }
  TStringList lines;
  try {
    load_lines(file_name, lines);
  } catch (const std::exception& e) {
    err << "corvane sentences: " << file_name << ": " << e.what() << '\n';
    return 2;
  }
  const std::u16string end_marker = u16(marker);
  for (int i = 0; i < lines.Count(); ++i) {
    const std::unique_ptr<TStringList> sentences =
        SentencesFromParagraph(lines.Get(i), end_marker, lcid, longest_tag);
    for (int k = 0; k < sentences->Count(); ++k) out << u8(sentences->Get(k)) << '\n';
  }
  return 0;
}

}  // namespace corvane::cli
