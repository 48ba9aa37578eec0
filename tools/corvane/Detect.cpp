// corvane detect: the encoding verdict of each file, as the tools judge it before
// loading a text. corvane cat: each text as the library reads it for a search (a .docx
// document's paragraphs, any other file whatever its encoding), in UTF-8.
#include <sys/stat.h>

#include <cerrno>
#include <new>
#include <ostream>

#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/files/Folder_walk.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

// False, with a message giving the reason, for a path that names no regular file that can
// be read by its name: a FIFO or device is refused (opening one could wait for ever).
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

// What one file threw, as a message: the run goes on with the next file.
std::string failure(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) return "not enough memory to read it";
  return e.what();
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
    } catch (const std::exception& e) {
      err << "corvane detect: " << path << ": " << failure(e) << "\n";
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
      if (is_docx_file_name(u16(path))) {
        out << utf16_to_utf8(corpus_file_text(u16(path)));
        continue;
      }
      // The reader every search uses, so that cat shows what is searched.
      text_file_reader reader(u16(path));
      reader.settle();
      std::u16string part(std::size_t{1} << 16, u'\0');
      while (const std::size_t got = reader.read(part.data(), part.size()))
        out << utf16_to_utf8(std::u16string_view(part.data(), got));
    } catch (const std::exception& e) {
      err << "corvane cat: " << path << ": " << failure(e) << "\n";
      status = 2;
    }
  }
  return status;
}

}  // namespace corvane::cli
