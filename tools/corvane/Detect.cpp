// corvane detect: the encoding verdict of each file, as the tools judge it before
// loading a text. corvane cat: each text as the library reads a corpus text (a .docx
// document's paragraphs, any other file whatever its encoding), in UTF-8.
#include <filesystem>
#include <ostream>

#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

// False, with a message, for a path that names no readable file.
bool check_file(const char* command, const std::string& path, std::ostream& err) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    err << "corvane " << command << ": " << path << ": no such file\n";
    return false;
  }
  if (std::filesystem::is_directory(status)) {
    err << "corvane " << command << ": " << path << ": is a folder, not a file\n";
    return false;
  }
  return true;
}

}  // namespace

int command_detect(const std::vector<std::string>& files, bool quick, std::ostream& out,
                   std::ostream& err) {
  int status = 0;
  for (const std::string& path : files) {
    if (!check_file("detect", path, err)) {
      status = 1;
      continue;
    }
    TFileContentsSet verdict;
    try {
      verdict = FileContentsType(u16(path), !quick);
    } catch (const Exception& e) {
      err << "corvane detect: " << e.what() << "\n";
      status = 1;
      continue;
    }
    out << path;
    if (verdict.empty()) out << "\tunknown";
    for (int m = _8_bit; m <= _16_bit_reversed; ++m) {
      const auto member = static_cast<TFileContentsTypes>(m);
      if (verdict.contains(member)) out << '\t' << file_contents_type_name(member);
    }
    out << '\n';
  }
  return status;
}

int command_cat(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  // As grep: 2 when any file could not be read; the others are printed all the same.
  int status = 0;
  for (const std::string& path : files) {
    if (!check_file("cat", path, err)) {
      status = 2;
      continue;
    }
    try {
      out << utf16_to_utf8(corpus_file_text(u16(path)));
    } catch (const Exception& e) {
      err << "corvane cat: " << e.what() << "\n";
      status = 2;
    }
  }
  return status;
}

}  // namespace corvane::cli
