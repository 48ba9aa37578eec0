// File_utils: folder listings, empty-folder removal, drives and the bulk delete.
//
// Nothing here enters a folder reached through a symbolic link: entries are examined with
// lstat, so a link to a folder is neither listed as a folder nor walked into, and a link
// to a file is deleted as the link itself.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/File_utils_internal_ops.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/platform/Dialogs.hpp"
#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string name;
  bool folder = false;  // a real folder, not a link to one
  bool link_to_folder = false;
};

// The entries of a folder, sorted by name, without "." and "..". Yields once per entry.
std::vector<Entry> entries_of(const std::string& folder) {
  std::vector<Entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    MyYieldProcess();
    Entry e;
    e.name = it->path().filename().string();
    struct stat status;
    if (::lstat(it->path().c_str(), &status) != 0) continue;
    e.folder = S_ISDIR(status.st_mode);
    if (S_ISLNK(status.st_mode)) {
      struct stat target;
      e.link_to_folder = ::stat(it->path().c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

std::string with_slash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// Pre-order: each folder, then its subfolders.
void list_folders_pre(const std::string& folder, std::vector<std::string>& out) {
  for (const Entry& e : entries_of(folder)) {
    if (!e.folder || e.name[0] == '.') continue;
    const std::string child = with_slash(folder) + e.name;
    out.push_back(child);
    list_folders_pre(child, out);
  }
}

// Post-order: each folder after its subfolders.
void list_folders_post(const std::string& folder, std::vector<std::string>& out) {
  for (const Entry& e : entries_of(folder)) {
    if (!e.folder || e.name[0] == '.') continue;
    const std::string child = with_slash(folder) + e.name;
    list_folders_post(child, out);
    out.push_back(with_slash(child));
  }
}

// The files (and links that do not lead to a folder) of one folder matching the mask.
void list_files(const std::string& folder, const std::string& mask, std::vector<std::string>& out) {
  for (const Entry& e : entries_of(folder)) {
    if (e.folder || e.link_to_folder || e.name[0] == '.') continue;
    if (detail::name_matches_mask(e.name, mask)) out.push_back(with_slash(folder) + e.name);
  }
}

bool folder_is_empty(const std::string& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] != '.') return false;
  }
  return true;
}

bool is_real_folder(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

int ask(const std::u16string& caption, const std::u16string& text, TMsgDlgType type,
        TMsgDlgButtons offered) {
  TDialogRequest request;
  request.caption = caption;
  request.text = text;
  request.type = type;
  request.buttons = offered;
  return show_dialog(request);
}

// A relative pattern ("\sub\*.txt"): its folder must lie inside `base` through real
// folders only, with no "." or ".." steps. Returns false when it does not.
bool pattern_inside(const std::string& base, std::string relative, std::string& folder,
                    std::string& mask) {
  std::replace(relative.begin(), relative.end(), '\\', '/');
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  const auto slash = relative.rfind('/');
  mask = slash == std::string::npos ? relative : relative.substr(slash + 1);
  std::string steps = slash == std::string::npos ? "" : relative.substr(0, slash);
  folder = base;
  std::size_t at = 0;
  while (at < steps.size()) {
    auto next = steps.find('/', at);
    if (next == std::string::npos) next = steps.size();
    const std::string step = steps.substr(at, next - at);
    at = next + 1;
    if (step.empty()) continue;
    if (step == "." || step == "..") return false;
    folder = with_slash(folder) + step;
    if (!is_real_folder(folder)) return false;
  }
  return !mask.empty();
}

}  // namespace

bool FolderIsEmpty(const std::u16string& folder) {
  return folder_is_empty(detail::native_name(folder));
}

bool RemovedEmptyFolder(const std::u16string& folder) {
  const std::string path = detail::native_name(folder);
  if (!is_real_folder(path) || !folder_is_empty(path)) return true;
  return ::rmdir(path.c_str()) == 0;
}

TStringList* RemoveAllEmptyFolders(const std::u16string& root) {
  auto list = std::make_unique<TStringList>();
  const std::string base = detail::native_name(root);
  std::vector<std::string> folders{base};
  if (is_real_folder(base)) list_folders_pre(base, folders);
  for (const std::string& f : folders) list->Add(u16(f));
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    MyYieldProcess();
    if (is_real_folder(*it) && folder_is_empty(*it)) ::rmdir(it->c_str());
  }
  return list.release();
}

TStringList* ListOfAllFilesMatchingExt(const std::u16string& file_name, const std::u16string& ext,
                                       bool include_self) {
  auto list = std::make_unique<TStringList>();
  const std::string native = detail::native_name(file_name);
  const std::string folder = u8(ExtractFilePath(u16(native)));
  const std::string mask = u8(ExtractFileName(ChangeFileExt(u16(native), ext)));
  std::vector<std::string> files;
  list_files(folder.empty() ? "." : folder, mask, files);
  for (const std::string& f : files) {
    const std::string full = folder.empty() ? f.substr(2) : f;
    if (!include_self && full == native) continue;
    list->Add(u16(full));
  }
  return list.release();
}

TStringList* ListOfAllFilesIn(const std::u16string& folder, const std::u16string& mask) {
  auto list = std::make_unique<TStringList>();
  std::vector<std::string> files;
  list_files(detail::native_name(folder), u8(mask), files);
  for (const std::string& f : files) list->Add(u16(f));
  return list.release();
}

std::int32_t NumberOfDrives() {
  DriveBits = drive_letter_bits();
  return static_cast<std::int32_t>(__builtin_popcount(DriveBits & ~0b11u));
}

std::int32_t NumberOfNetworkDrives() {
  std::int32_t n = 0;
  for (const TMountPoint& m : mount_points())
    if (m.letter != 0 && m.kind == TDriveKind::remote) ++n;
  return n;
}

std::u16string AllNetworkDrives() {
  std::u16string out;
  for (const TMountPoint& m : mount_points()) {
    if (m.letter == 0 || m.kind != TDriveKind::remote) continue;
    if (!out.empty()) out += u',';
    out += u16(m.path);
  }
  return out;
}

std::u16string DriveWithMostFreeSpace() {
  std::u16string best;
  std::int64_t most = -1;
  for (const TMountPoint& m : mount_points()) {
    if (m.letter == 0 || m.kind != TDriveKind::fixed) continue;
    std::int64_t user = 0, all = 0, total = 0;
    if (!disk_space(u16(m.path), user, all, total)) continue;
    if (user > most) {
      most = user;
      best = u16(m.path);
    }
  }
  return best;
}

std::u16string VolumeID(char16_t drive_letter) {
  const auto mount = mount_point_of_letter(drive_letter);
  return u"[" + UpperCase(mount ? u16(volume_label(*mount)) : u"") + u"]";
}

std::u16string NetworkVolume(char16_t drive_letter) {
  const auto mount = mount_point_of_letter(drive_letter);
  if (mount && mount->kind == TDriveKind::remote) return UpperCase(u16(mount->device));
  return VolumeID(drive_letter);
}

void DiskVolumeNameAndSerialNo(const std::u16string& root, TNameAndSerialNumber& result) {
  result = TNameAndSerialNumber{};
  const auto mount = mount_point_of_path(root);
  if (!mount) return;
  result.nome = u16(volume_label(*mount));
  if (result.nome.size() > 260) result.nome.resize(260);
  result.number = volume_serial(*mount);
}

std::uint32_t VolumeSerialNumber(const std::u16string& root) {
  TNameAndSerialNumber result;
  DiskVolumeNameAndSerialNo(root, result);
  return result.number;
}

std::u16string VolumeSerialNumberStr(const std::u16string& root) {
  const std::uint32_t n = VolumeSerialNumber(root);
  char text[16];
  std::snprintf(text, sizeof text, "%04X-%04X", n >> 16, n & 0xFFFF);
  return u16(text);
}

bool OKToDeleteFile(const std::u16string& file_name) {
  const std::string path = detail::native_name(file_name);
  struct stat status;
  if (file_name.empty() || ::lstat(path.c_str(), &status) != 0) return true;
  if (ask(msg::text(msg::CVConfirmation), Format(msg::text(msg::CVDeleteXQ), {file_name}),
          mtConfirmation, buttons({mbOK, mbCancel})) != mrOk) {
    return false;
  }
  if (!S_ISDIR(status.st_mode)) ::unlink(path.c_str());
  return true;
}

std::int32_t DeleteAllFilesOn(const std::u16string& folder, const std::u16string& ext) {
  return DeleteAllFilesOn(folder, ext, u"", false, true, true);
}

std::int32_t DeleteAllFilesOn(const std::u16string& folder, const std::u16string& ext,
                              const std::u16string& destination, bool move_instead, bool recursive,
                              bool remove_emptied) {
  std::u16string e = ext;
  if (!e.empty() && e[0] == u'.') e.erase(0, 1);
  const bool path_mode = !e.empty() && e[0] == u'\\';

  // Never all files of a drive: a letter root ("C:\\"), or any mount point that is not
  // removable, however the folder is named.
  std::error_code error;
  std::string base = detail::native_name(folder);
  if (!base.empty()) base = fs::absolute(base, error).lexically_normal().string();
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  const auto mount = mount_point_of_path(folder);
  const bool letter_root = folder.size() <= 3 && folder.size() >= 2 && folder[1] == u':';
  const bool drive_root = letter_root || base == "/" || (mount && mount->path == base);
  if (base.empty() || (drive_root && (!mount || mount->kind != TDriveKind::removable))) {
    const std::u16string drive =
        letter_root ? folder.substr(0, std::min<std::size_t>(3, folder.size())) : u16(base);
    ask(u"No Way!", u"Won't delete all files on " + drive, mtWarning, buttons({mbOK}));
    return 0;
  }
  if (!is_real_folder(base)) return 0;
  if (move_instead && destination.empty()) return 0;  // nowhere to move to

  std::vector<std::string> folders;
  if (recursive) list_folders_post(base, folders);
  folders.push_back(with_slash(base));

  std::vector<std::string> files;
  if (path_mode) {
    std::string pattern_folder, mask;
    if (pattern_inside(base, u8(e), pattern_folder, mask)) list_files(pattern_folder, mask, files);
  } else {
    for (const std::string& f : folders) list_files(f, "*." + u8(e), files);
  }
  if (files.empty()) return 0;

  const std::u16string dotted = u"." + e;
  std::u16string question = msg::text(msg::CVFileAlreadyExists) + u"\r";
  if (files.size() == 1) {
    question += Format(msg::text(msg::CVDeleteThe1XFileInY), {dotted, folder});
  } else {
    question += Format(msg::text(msg::CVDeleteAllXFilesInY),
                       {static_cast<std::int32_t>(files.size()), dotted, folder});
  }
  if (ask(msg::text(msg::CVSureQ), question, mtConfirmation, buttons({mbOK, mbCancel})) != mrOk)
    return 0;

  std::int32_t count = 0;
  const std::string target_folder = with_slash(detail::native_name(destination));
  for (const std::string& file : files) {
    MyYieldProcess();
    if (move_instead) {
      const std::string target = target_folder + fs::path(file).filename().string();
      struct stat status;
      if (::lstat(target.c_str(), &status) == 0) continue;  // never overwrite a file there
      if (!copy_file_replacing(u16(file), u16(target))) continue;
      CopyDateOfFile(u16(file), u16(target));
      if (::unlink(file.c_str()) == 0) ++count;
    } else {
      if (::unlink(file.c_str()) != 0) RaiseLastOSError();
      ++count;
    }
  }
  if (remove_emptied) {
    for (const std::string& f : folders) {
      std::string path = f;
      while (path.size() > 1 && path.back() == '/') path.pop_back();
      if (is_real_folder(path) && folder_is_empty(path)) ::rmdir(path.c_str());
    }
  }
  return count;
}

}  // namespace corvane
