// corvane file: new names, dates, copies, bulk deletion and pruning of empty folders.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Confirm.hpp"

namespace corvane::cli {

int command_file_newname(const std::vector<std::string>& files, std::ostream& out) {
  SetBatchFileStartNumberTo(0);  // one batch number for the whole run
  for (const std::string& file : files) {
    std::u16string name = u16(file);
    ForcedToBeNewFile(name);
    out << u8(name) << '\n';
  }
  return 0;
}

int command_file_setdate(const std::string& file, const std::string& date, std::ostream& err) {
  if (!SetFileDate(u16(file), u16(date))) {
    err << "corvane file setdate: " << file << ": not set (a missing file, or not a date "
        << "DD/MM/YYYY from 1980 to 2106)\n";
    return 2;
  }
  return 0;
}

int command_file_copy(const std::string& source, const std::string& target, bool yes,
                      std::ostream& err) {
  TPackageScope package;
  ScopedConfirmations confirmations(yes, err);
  if (!DriveAndFileExist(u16(source))) {
    err << "corvane file copy: " << source << ": no such file\n";
    return 2;
  }
  if (!OKToOverwriteWithBackup(u16(target))) {
    err << "corvane file copy: " << target << ": kept (not replaced)\n";
    return 1;
  }
  if (!CopyFileRetainingDate(u16(source), u16(target))) {
    err << "corvane file copy: " << source << " to " << target << ": failed; target unchanged\n";
    return 2;
  }
  return 0;
}

int command_file_delete_all(const std::string& folder, const std::string& ext,
                            const std::string& move_to, bool recurse, bool keep_folders, bool yes,
                            std::ostream& out, std::ostream& err) {
  TPackageScope package;
  ScopedConfirmations confirmations(yes, err);
  if (!move_to.empty() && !DriveAndFolderExist(u16(move_to))) {
    err << "corvane file delete-all: " << move_to << ": no such folder\n";
    return 2;
  }
  std::int32_t count = 0;
  try {
    count = DeleteAllFilesOn(u16(folder), u16(ext), u16(move_to), !move_to.empty(), recurse,
                             !keep_folders);
  } catch (const Exception& e) {
    err << "corvane file delete-all: " << e.what() << '\n';
    return 2;
  }
  out << count << '\n';
  return count == 0 ? 1 : 0;
}

int command_file_prune(const std::string& folder, std::ostream& out, std::ostream& err) {
  if (!DriveAndFolderExist(u16(folder))) {
    err << "corvane file prune: " << folder << ": no such folder\n";
    return 2;
  }
  std::unique_ptr<TStringList> folders(RemoveAllEmptyFolders(u16(folder)));
  for (std::int32_t i = folders->Count() - 1; i >= 0; --i) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(u8(folders->Get(i)), error)))
      out << u8(folders->Get(i)) << '\n';
  }
  return 0;
}

void add_file_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::vector<std::string> files;
    std::string file, date, source, target, folder, ext, move_to;
    bool yes = false, no_recurse = false, keep_folders = false;
  };
  auto o = std::make_shared<options>();
  auto* file = app.add_subcommand(
      "file", "Everyday file services: new names, dates, copies, bulk deletion, pruning");
  file->require_subcommand(1);

  auto* newname = file->add_subcommand(
      "newname", "Print for each FILE a name no file has yet (name_001.ext, ...)");
  newname->add_option("FILE", o->files, "File names")->required();
  newname->callback([o, &status, &out] { status = command_file_newname(o->files, out); });

  auto* setdate = file->add_subcommand(
      "setdate", "Set a file's date to DD/MM/YYYY at noon (exit status 2 when refused)");
  setdate->add_option("FILE", o->file, "The file")->required();
  setdate->add_option("DATE", o->date, "DD/MM/YYYY")->required();
  setdate->callback([o, &status, &err] { status = command_file_setdate(o->file, o->date, err); });

  auto* copy = file->add_subcommand(
      "copy",
      "Copy SOURCE to TARGET keeping its date; an existing TARGET is first backed up to .bak, "
      "when confirmed (exit status 1 when not)");
  copy->add_flag("--yes", o->yes, "Agree to every confirmation");
  copy->add_option("SOURCE", o->source, "The file to copy")->required();
  copy->add_option("TARGET", o->target, "Where to copy it")->required();
  copy->callback(
      [o, &status, &err] { status = command_file_copy(o->source, o->target, o->yes, err); });

  auto* delete_all = file->add_subcommand(
      "delete-all",
      "Delete (or move) every file with the extension EXT in FOLDER and its subfolders, "
      "after one confirmation; print how many (exit status 1 when none). Never a drive "
      "root, never through a link, never anything outside FOLDER");
  delete_all->add_flag("--yes", o->yes, "Agree to every confirmation");
  delete_all->add_option("--move-to", o->move_to,
                         "Move the files to this folder instead (existing files there are kept)");
  delete_all->add_flag("--no-recurse", o->no_recurse, "Only FOLDER itself");
  delete_all->add_flag("--keep-folders", o->keep_folders, "Keep folders left empty");
  delete_all->add_option("FOLDER", o->folder, "The folder")->required();
  delete_all->add_option("EXT", o->ext, "The extension, such as txt or .txt")->required();
  delete_all->callback([o, &status, &out, &err] {
    status = command_file_delete_all(o->folder, o->ext, o->move_to, !o->no_recurse, o->keep_folders,
                                     o->yes, out, err);
  });

  auto* prune = file->add_subcommand(
      "prune",
      "Remove every empty folder under FOLDER (and FOLDER when it ends empty), "
      "printing each; hidden folders and links are left alone");
  prune->add_option("FOLDER", o->folder, "The folder")->required();
  prune->callback([o, &status, &out, &err] { status = command_file_prune(o->folder, out, err); });
}

}  // namespace corvane::cli
