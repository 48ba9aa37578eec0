// corvane detect: the encoding verdict of each file, as the tools judge it before
// loading a text. corvane cat: each text as the library reads it for a search (a .docx
// document's paragraphs, any other file whatever its encoding), in UTF-8.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <new>
#include <ostream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/files/Corpus_gathering.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

// The text as a search reads it, in UTF-8; what the reading lost or guessed goes to `err`.
void print_text(std::ostream& out, std::ostream& err, const std::string& path,
                text_file_reader&& reader) {
  reader.settle();
  report_reading("cat", path, reader.report(), err);
  std::u16string part(std::size_t{1} << 16, u'\0');
  while (const std::size_t got = reader.read(part.data(), part.size()))
    out << utf16_to_utf8(std::u16string_view(part.data(), got));
}

void print_verdict(std::ostream& out, const std::string& path, TFileContentsSet verdict) {
  out << path << '\t' << file_contents_names(verdict, '\t');
}

}  // namespace

int command_detect(const std::vector<std::string>& files, bool quick, bool charset,
                   std::ostream& out, std::ostream& err) {
  int status = 0;
  text_encoding_choice encoding;
  std::string why;
  if (charset && !text_encoding_setting({}, encoding, why)) {
    err << "corvane detect: " << why << '\n';
    return 2;
  }
  entry_reader entries;
  for (const std::string& path : files) {
    const gathered_text named = text_named(path);
    if (!named.archive.empty()) {
      // An entry of an archive ("corpus.zip/a.txt"), judged on its bytes.
      TFileContentsSet verdict;
      std::string why;
      if (!gathered_text_verdict(named, !quick, entries, verdict, why)) {
        err << "corvane detect: " << path << ": " << why << "\n";
        status = 1;
        continue;
      }
      print_verdict(out, path, verdict);
      if (charset) out << "\t-\t-";
      out << '\n';
      continue;
    }
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
    print_verdict(out, path, verdict);
    if (charset) {
      // How the search would read it: the charset, and the detector's confidence when it
      // was asked.
      try {
        const text_reading_report r = text_encoding_of(u16(path), encoding);
        out << '\t' << (r.charset.empty() ? "-" : r.charset) << '\t';
        if (r.found == text_reading_report::how::eight_bit && r.decision.confidence >= 0) {
          char c[16];
          std::snprintf(c, sizeof c, "%.2f", r.decision.confidence);
          out << c;
        } else {
          out << '-';
        }
      } catch (const text_not_text&) {
        out << "\tbinary\t-";
      } catch (const std::exception& e) {
        out << "\t?\t-";
        err << "corvane detect: " << path << ": " << failure(e) << "\n";
        status = 1;
      }
    }
    out << '\n';
  }
  return status;
}

int command_cat(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  // As grep: 2 when any file could not be read; the others are printed all the same.
  int status = 0;
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting({}, encoding, why)) {
    err << "corvane cat: " << why << '\n';
    return 2;
  }
  entry_reader entries;
  for (const std::string& path : files) {
    const gathered_text named = text_named(path);
    if (!named.archive.empty()) {
      // An entry of an archive ("corpus.zip/a.txt"), read as a file of its bytes is.
      try {
        std::string bytes, why;
        if (!entries.read(named, bytes, kZipStringLimit, why)) {
          err << "corvane cat: " << path << ": " << why << "\n";
          status = 2;
          continue;
        }
        if (is_docx_file_name(u16(path))) {
          out << utf16_to_utf8(docx_text_of_bytes(bytes, u16(path)));
          continue;
        }
        print_text(out, err, path, text_file_reader(std::move(bytes), encoding));
      } catch (const Exception& e) {
        err << "corvane cat: " << path << ": " << u8(e.Message()) << "\n";
        status = 2;
      } catch (const std::exception& e) {
        err << "corvane cat: " << path << ": " << failure(e) << "\n";
        status = 2;
      }
      continue;
    }
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
      print_text(out, err, path, text_file_reader(u16(path), encoding));
    } catch (const std::exception& e) {
      err << "corvane cat: " << path << ": " << failure(e) << "\n";
      status = 2;
    }
  }
  return status;
}

}  // namespace corvane::cli
