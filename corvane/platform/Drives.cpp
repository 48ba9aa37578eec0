#include "corvane/platform/Drives.hpp"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

namespace fs = std::filesystem;

std::optional<std::string>& mount_table_override() {
  static std::optional<std::string> text;
  return text;
}

std::optional<std::vector<std::string>>& removable_override() {
  static std::optional<std::vector<std::string>> devices;
  return devices;
}

std::string read_small_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The fields of /proc/self/mounts escape space, tab, newline and backslash as \ooo.
std::string unescape(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() &&
        std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                    [](char c) { return c >= '0' && c <= '7'; })) {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

// The disk name in /sys/block for a device path such as /dev/sdb1 or /dev/nvme0n1p2.
bool device_is_removable(const std::string& device) {
  if (const auto& devices = removable_override())
    return std::find(devices->begin(), devices->end(), device) != devices->end();
  if (device.rfind("/dev/", 0) != 0) return false;
  std::error_code error;
  const fs::path real = fs::canonical(device, error);
  if (error) return false;
  const std::string name = real.filename().string();
  fs::path node = fs::path("/sys/class/block") / name;
  if (!fs::exists(node, error)) return false;
  // A partition's removable flag lives with its disk, the parent folder in sysfs.
  if (fs::exists(node / "partition", error)) {
    node = fs::canonical(node, error).parent_path();
    if (error) return false;
  }
  const std::string flag = read_small_file((node / "removable").c_str());
  return !flag.empty() && flag[0] == '1';
}

bool is_folder(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool letter_form(std::u16string_view name) {
  return name.size() >= 2 && name[1] == u':' &&
         ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}

// The device that /dev/disk/by-<kind>/<entry> points to, for each entry.
std::string disk_entry_for(const char* folder, const std::string& device) {
  std::error_code error;
  const fs::path real = fs::canonical(device, error);
  if (error) return {};
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code e2;
    if (fs::canonical(it->path(), e2) == real && !e2) return it->path().filename().string();
  }
  return {};
}

// udev writes names with \xNN escapes.
std::string unescape_udev(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
        std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
        std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
      out.push_back(static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16)));
      i += 3;
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

}  // namespace

bool is_pseudo_file_system(std::string_view fs_type, std::string_view device) {
  static constexpr std::array<std::string_view, 30> kPseudo = {
      "proc",       "sysfs",      "devtmpfs",        "devpts",      "tmpfs",       "cgroup",
      "cgroup2",    "securityfs", "pstore",          "debugfs",     "tracefs",     "configfs",
      "fusectl",    "mqueue",     "hugetlbfs",       "bpf",         "binfmt_misc", "autofs",
      "rpc_pipefs", "nsfs",       "efivarfs",        "selinuxfs",   "ramfs",       "squashfs",
      "overlay",    "aufs",       "fuse.gvfsd-fuse", "fuse.portal", "nfsd",        "devfs"};
  if (std::find(kPseudo.begin(), kPseudo.end(), fs_type) != kPseudo.end()) return true;
  return device == "none" && !is_remote_file_system(fs_type);
}

bool is_remote_file_system(std::string_view fs_type) {
  static constexpr std::array<std::string_view, 18> kRemote = {
      "nfs",   "nfs4",        "cifs",  "smb3",        "smbfs",     "fuse.sshfs",
      "sshfs", "9p",          "afs",   "ceph",        "glusterfs", "fuse.glusterfs",
      "davfs", "fuse.davfs2", "ncpfs", "fuse.rclone", "lustre",    "gfs2"};
  return std::find(kRemote.begin(), kRemote.end(), fs_type) != kRemote.end();
}

void detail::set_mount_table_for_tests(std::optional<std::string> text) {
  mount_table_override() = std::move(text);
}

void detail::set_removable_devices_for_tests(std::optional<std::vector<std::string>> devices) {
  removable_override() = std::move(devices);
}

std::vector<TMountPoint> detail::parse_mount_table(std::string_view text) {
  std::vector<TMountPoint> mounts;
  const bool real_table = !mount_table_override();
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, path, type;
    if (!(fields >> device >> path >> type)) continue;
    device = unescape(device);
    path = unescape(path);
    if (path.empty() || path[0] != '/') continue;
    // The root always counts: in a container it is an overlay.
    if (path != "/" && is_pseudo_file_system(type, device)) continue;
    if (real_table && !is_folder(path)) continue;  // bind-mounted files
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    TMountPoint mount{path, device, type, TDriveKind::fixed, 0};
    if (is_remote_file_system(type)) {
      mount.kind = TDriveKind::remote;
    } else if (device_is_removable(device)) {
      mount.kind = TDriveKind::removable;
    }
    // Mounted over again: the later mount is the one in use.
    auto same = std::find_if(mounts.begin(), mounts.end(),
                             [&](const TMountPoint& m) { return m.path == path; });
    if (same != mounts.end()) {
      *same = mount;
    } else {
      mounts.push_back(mount);
    }
  }
  std::sort(mounts.begin(), mounts.end(), [](const TMountPoint& a, const TMountPoint& b) {
    if (a.path == "/" || b.path == "/") return a.path == "/" && b.path != "/";
    return a.path < b.path;
  });
  char next = 'D';
  for (TMountPoint& m : mounts) {
    if (m.path == "/") {
      m.letter = 'C';
    } else if (next <= 'Z') {
      m.letter = next++;
    }
  }
  return mounts;
}

std::vector<TMountPoint> mount_points() {
  if (const auto& text = mount_table_override()) return detail::parse_mount_table(*text);
  return detail::parse_mount_table(read_small_file("/proc/self/mounts"));
}

std::uint32_t drive_letter_bits() {
  std::uint32_t bits = 0;
  for (const TMountPoint& m : mount_points())
    if (m.letter != 0) bits |= 1u << (m.letter - 'A');
  return bits;
}

std::optional<TMountPoint> mount_point_of_letter(char16_t letter) {
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  for (const TMountPoint& m : mount_points())
    if (m.letter != 0 && m.letter == letter) return m;
  return std::nullopt;
}

std::u16string native_path(std::u16string_view name) {
  std::u16string out;
  if (letter_form(name)) {
    const auto mount = mount_point_of_letter(name[0]);
    if (!mount) return std::u16string(name);
    out = u16(mount->path);
    name.remove_prefix(2);
    if (!name.empty() && (name[0] == u'\\' || name[0] == u'/')) name.remove_prefix(1);
    if (!name.empty() && out.back() != u'/') out.push_back(u'/');
  }
  for (char16_t c : name) out.push_back(c == u'\\' ? u'/' : c);
  return out;
}

std::optional<TMountPoint> mount_point_of_path(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  if (letter_form(path) && !mount_point_of_letter(path[0])) return std::nullopt;
  std::string native = u8(native_path(path));
  std::error_code error;
  if (native[0] != '/') native = (fs::current_path(error) / native).string();
  std::optional<TMountPoint> best;
  for (const TMountPoint& m : mount_points()) {
    const bool under = m.path == "/" || native == m.path ||
                       (native.rfind(m.path, 0) == 0 && native.size() > m.path.size() &&
                        native[m.path.size()] == '/');
    if (under && (!best || m.path.size() > best->path.size())) best = m;
  }
  return best;
}

bool disk_space(std::u16string_view path, std::int64_t& free_to_user, std::int64_t& free_total,
                std::int64_t& total) {
  free_to_user = free_total = total = 0;
  if (path.empty()) return false;
  struct statvfs info;
  if (::statvfs(u8(native_path(path)).c_str(), &info) != 0) return false;
  const auto unit = static_cast<std::int64_t>(info.f_frsize ? info.f_frsize : info.f_bsize);
  free_to_user = static_cast<std::int64_t>(info.f_bavail) * unit;
  free_total = static_cast<std::int64_t>(info.f_bfree) * unit;
  total = static_cast<std::int64_t>(info.f_blocks) * unit;
  return true;
}

std::string volume_label(const TMountPoint& mount) {
  if (mount.device.rfind("/dev/", 0) != 0) return {};
  return unescape_udev(disk_entry_for("/dev/disk/by-label", mount.device));
}

std::uint32_t volume_serial(const TMountPoint& mount) {
  if (mount.device.rfind("/dev/", 0) == 0) {
    std::string uuid = disk_entry_for("/dev/disk/by-uuid", mount.device);
    std::string digits;
    for (char c : uuid)
      if (std::isxdigit(static_cast<unsigned char>(c))) digits.push_back(c);
    if (digits.size() >= 8) {
      // FAT serials read "ABCD-1234"; NTFS ones are 16 digits whose low half is the
      // serial; a longer UUID gives its first eight digits.
      const std::string part = digits.size() == 16 ? digits.substr(8) : digits.substr(0, 8);
      return static_cast<std::uint32_t>(std::stoul(part, nullptr, 16));
    }
  }
  struct statvfs info;
  if (::statvfs(mount.path.c_str(), &info) != 0) return 0;
  return static_cast<std::uint32_t>(info.f_fsid ^ (static_cast<std::uint64_t>(info.f_fsid) >> 32));
}

}  // namespace corvane
