// corvane zip: list an archive, print its comment, print entries as text, extract entries
// under a folder.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <ostream>

#include "corvane/files/Myfilestreamu.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

// Opens the archive, or says why not.
bool open_archive(TZipForge& zip, const char* command, const std::string& archive,
                  std::ostream& err) {
  zip.FileName = u16(archive);
  try {
    zip.OpenArchive();
    return true;
  } catch (const Exception& e) {
    err << "corvane zip " << command << ": " << e.what() << "\n";
    return false;
  }
}

std::string date_time_text(TDateTime dt) {
  int y, m, d, h, mi, s, ms;
  DecodeDateTime(dt, y, m, d, h, mi, s, ms);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, h, mi, s);
  return text;
}

// An entry as the user names it: a stored name, or "#N" counting from 1.
std::int32_t entry_index(const TZipForge& zip, const std::string& entry) {
  if (entry.size() > 1 && entry[0] == '#' &&
      entry.find_first_not_of("0123456789", 1) == std::string::npos && entry.size() < 11) {
    const long long n = std::stoll(entry.substr(1));
    return n >= 1 && n <= zip.GetEntryCount() ? static_cast<std::int32_t>(n - 1) : -1;
  }
  return zip.IndexOfEntry(u16(entry));
}

// Yes only from a user at a terminal.
bool ask_to_replace(const std::u16string& path, std::ostream& err) {
  if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) return false;
  err << u8(Format(LoadResString(msg::CVOverwriteXQ), {path})) << " [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

}  // namespace

int command_zip_list(const std::string& archive, bool json, std::ostream& out, std::ostream& err) {
  TZipForge zip;
  if (!open_archive(zip, "list", archive, err)) return 2;
  if (json) out << '[';
  for (std::int32_t i = 0; i < zip.GetEntryCount(); ++i) {
    std::int32_t size = 0, attributes = 0;
    zip.GetAZipFileSubProperty(i, size, attributes);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned>(attributes));
    const std::string when = date_time_text(zip.GetADateTime(i));
    if (json) {
      out << (i == 0 ? "\n  {" : ",\n  {") << "\"number\": " << i + 1 << ", \"size\": " << size
          << ", \"date_time\": \"" << when << "\", \"attributes\": \"" << hex << "\", \"name\": ";
      write_json_string(out, zip.GetAZipMainDetail(i));
      out << '}';
    } else {
      out << i + 1 << '\t' << size << '\t' << when << '\t' << hex << '\t'
          << u8(zip.GetAZipMainDetail(i)) << '\n';
    }
  }
  if (json) out << (zip.GetEntryCount() == 0 ? "]\n" : "\n]\n");
  return 0;
}

int command_zip_comment(const std::string& archive, std::ostream& out, std::ostream& err) {
  TZipForge zip;
  if (!open_archive(zip, "comment", archive, err)) return 2;
  const std::u16string comment = zip.GetFileComment();
  if (comment.empty()) return 1;
  out << u8(comment) << '\n';
  return 0;
}

int command_zip_cat(const std::string& archive, const std::vector<std::string>& entries,
                    std::ostream& out, std::ostream& err) {
  TPackageScope package;  // entries decode as the text loader decodes files
  TZipForge zip;
  if (!open_archive(zip, "cat", archive, err)) return 2;
  std::vector<std::int32_t> wanted;
  int status = 0;
  if (entries.empty()) {
    for (std::int32_t i = 0; i < zip.GetEntryCount(); ++i)
      if (!zip.IsFolderEntry(i)) wanted.push_back(i);
  }
  for (const std::string& entry : entries) {
    const std::int32_t index = entry_index(zip, entry);
    if (index < 0) {
      err << "corvane zip cat: " << archive << ": " << entry << ": no such entry\n";
      status = 2;
    } else {
      wanted.push_back(index);
    }
  }
  std::u16string text, lines, problem;
  for (const std::int32_t index : wanted) {
    // Each entry is read as the tools read one: through its archive's name and number.
    text = ContentsOfFileWithinZipFile(u16(archive), index + 1, &problem);
    if (!problem.empty()) {
      err << "corvane zip cat: " << archive << ": " << u8(zip.GetAZipMainDetail(index)) << ": "
          << u8(problem) << "\n";
      status = 2;
      continue;
    }
    text_with_crlf_lines(text, lines);
    std::u16string().swap(text);
    out << u8(lines);
    if (!output_ok(out)) return 2;
  }
  return status;
}

int command_zip_cat_temp(const std::string& archive, const std::string& entry, std::ostream& out,
                         std::ostream& err) {
  TPackageScope package;  // the temporary folder, and entries decoded as texts are
  std::int32_t number = 0;
  if (entry.size() > 1 && entry[0] == '#' &&
      entry.find_first_not_of("0123456789", 1) == std::string::npos) {
    number =
        entry.size() < 11
            ? static_cast<std::int32_t>(std::min<long long>(std::stoll(entry.substr(1)), INT32_MAX))
            : INT32_MAX;
  } else {
    TZipForge zip;
    if (!open_archive(zip, "cat", archive, err)) return 2;
    number = zip.IndexOfEntry(u16(entry)) + 1;  // 0 when there is none
  }
  temp_zip_outcome outcome = temp_zip_outcome::failed;
  std::u16string reason;
  const std::u16string path = OpenedAZipFileToTempDir(u16(archive), number, &outcome, &reason);
  switch (outcome) {
    case temp_zip_outcome::written:
      out << u8(path) << '\n';
      return 0;
    case temp_zip_outcome::out_of_range:
      err << "corvane zip cat: " << archive << ": " << entry << ": "
          << (reason.empty() ? "no such entry" : u8(reason)) << "; nothing written\n";
      return 1;
    case temp_zip_outcome::failed:
      break;
  }
  err << "corvane zip cat: " << archive << ": " << entry << ": " << u8(reason) << "\n";
  return 2;
}

int command_zip_extract(const std::string& archive, const std::string& folder,
                        const std::vector<std::string>& entries, bool yes, std::ostream& out,
                        std::ostream& err) {
  TZipForge zip;
  if (!open_archive(zip, "extract", archive, err)) return 2;
  int status = 0;
  std::vector<std::int32_t> wanted;
  for (const std::string& entry : entries) {
    const std::int32_t index = entry_index(zip, entry);
    if (index < 0) {
      err << "corvane zip extract: " << archive << ": " << entry << ": no such entry\n";
      status = 2;
    } else {
      wanted.push_back(index);
    }
  }
  if (!entries.empty() && wanted.empty()) return 2;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec)) {
    err << "corvane zip extract: " << folder << ": cannot make the folder\n";
    return 2;
  }
  zip.ExtractToFolder(
      u16(folder), wanted,
      [&](const std::u16string& path) { return yes || ask_to_replace(path, err); },
      [&](const TZipFolderReport& r) {
        switch (r.outcome) {
          case zip_folder_outcome::written:
            out << u8(r.target) << '\n';
            break;
          case zip_folder_outcome::folder_made:
            break;
          case zip_folder_outcome::kept_existing:
            err << "corvane zip extract: " << u8(r.target)
                << ": exists, kept (--yes replaces it)\n";
            break;
          case zip_folder_outcome::refused_name:
            err << "corvane zip extract: " << archive << ": " << u8(r.name)
                << ": refused: " << u8(r.reason) << "\n";
            status = 2;
            break;
          case zip_folder_outcome::failed:
            err << "corvane zip extract: " << archive << ": " << u8(r.name) << ": " << u8(r.reason)
                << "\n";
            status = 2;
            break;
        }
      });
  return status;
}

void add_zip_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string archive, folder;
    std::vector<std::string> entries;
    bool json = false, yes = false, temp = false;
  };
  auto o = std::make_shared<options>();
  auto* zip = app.add_subcommand("zip", "Read zip archives as the tools read them");
  zip->require_subcommand(1);

  auto* list = zip->add_subcommand(
      "list",
      "One line per entry in archive order: number from 1, size, date-time (local), "
      "attributes in hexadecimal, stored name");
  list->add_flag("--json", o->json, "One JSON array with an object per entry");
  list->add_option("ARCHIVE", o->archive, "The zip archive")->required();
  list->callback(
      [o, &status, &out, &err] { status = command_zip_list(o->archive, o->json, out, err); });

  auto* comment = zip->add_subcommand(
      "comment", "Print the archive comment (exit status 1 when there is none)");
  comment->add_option("ARCHIVE", o->archive, "The zip archive")->required();
  comment->callback(
      [o, &status, &out, &err] { status = command_zip_comment(o->archive, out, err); });

  auto* cat = zip->add_subcommand(
      "cat",
      "Print entries as corvane cat prints files: decoded whatever their encoding, in UTF-8, "
      "every line ended by CR LF");
  cat->add_flag("--temp", o->temp,
                "Write the one ENTRY to tempzip.txt in the temporary folder (UTF-16LE, CR LF "
                "lines) and print that file's path; exit status 1, nothing written, when there "
                "is no such entry");
  cat->add_option("ARCHIVE", o->archive, "The zip archive")->required();
  cat->add_option("ENTRY", o->entries,
                  "Stored names, or #N for the N-th entry (default: every file in order)");
  cat->callback([o, &status, &out, &err] {
    if (o->temp) {
      if (o->entries.size() != 1) {
        err << "corvane zip cat: --temp takes one ENTRY\n";
        status = 2;
        return;
      }
      status = command_zip_cat_temp(o->archive, o->entries[0], out, err);
      return;
    }
    status = command_zip_cat(o->archive, o->entries, out, err);
  });

  auto* extract = zip->add_subcommand(
      "extract",
      "Write entries under a folder (made when missing), never outside it: names that are "
      "absolute, carry a drive letter or climb out with \"..\" are refused (exit status 2), "
      "and no symbolic link is made or followed");
  extract->add_flag("--yes", o->yes, "Replace existing files without asking");
  extract->add_option("ARCHIVE", o->archive, "The zip archive")->required();
  extract->add_option("FOLDER", o->folder, "The target folder")->required();
  extract->add_option("ENTRY", o->entries,
                      "Stored names, or #N for the N-th entry (default: every entry)");
  extract->callback([o, &status, &out, &err] {
    status = command_zip_extract(o->archive, o->folder, o->entries, o->yes, out, err);
  });
}

}  // namespace corvane::cli
