#pragma once
// Drives and volumes on a system without drive letters.
//
// A drive root is a mount point. The mount table (/proc/self/mounts) is read afresh at
// each query; pseudo file systems (proc, sysfs, tmpfs, cgroup, overlay layers of
// containers' own plumbing and the like) are left out, and a mount point mounted over
// again counts once. A mount point is
//   - remote when its file system type is a network one (nfs, nfs4, cifs, smb3, smbfs,
//     fuse.sshfs, sshfs, 9p, afs, ceph, glusterfs, davfs, ncpfs and the like);
//   - removable when its device's block device, or the disk holding that partition, says
//     so in /sys/block/<disk>/removable;
//   - fixed otherwise.
//
// Drive letters, which settings written on Windows still hold, map to mount points thus:
// "C" is always the root "/"; the other mount points, sorted by path (byte order), take
// "D", "E" ... up to "Z"; mount points beyond the 24th have no letter. A and B are never
// used. The bit mask of existing drives (bit 0 = A) has a bit for each letter in use. A
// name such as "D:\texts\a.txt" thus reads as <the mount point of D>/texts/a.txt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class TDriveKind { fixed, removable, remote };

struct TMountPoint {
  std::string path;     // the mount point, "/" or without a trailing "/"
  std::string device;   // the mount source (a device, or "server:/export", "//host/share")
  std::string fs_type;  // "ext4", "nfs4" ...
  TDriveKind kind = TDriveKind::fixed;
  char letter = 0;  // 'C' to 'Z', or 0 when it has none
};

// The drive roots, "/" first and then by path.
std::vector<TMountPoint> mount_points();

// The bit mask of drive letters in use (bit 0 = A).
std::uint32_t drive_letter_bits();

// The mount point of a drive letter (either case); nothing when no drive has it.
std::optional<TMountPoint> mount_point_of_letter(char16_t letter);

// The mount point that holds a path (the longest mount path that is a prefix of it). A
// name in the Windows form ("D:\x", "d:") is read through its letter first. Nothing for
// an empty name or an unknown letter.
std::optional<TMountPoint> mount_point_of_path(std::u16string_view path);

// The name with a leading drive letter ("D:" followed by "\" or "/" or nothing) replaced
// by that drive's mount point and every "\" turned into "/"; a name without a letter only
// has its "\" turned. An unknown letter leaves the name as it was.
std::u16string native_path(std::u16string_view name);

// Free space of the file system holding the path: to the user, in all, and its size, in
// bytes. False when it cannot be read.
bool disk_space(std::u16string_view path, std::int64_t& free_to_user, std::int64_t& free_total,
                std::int64_t& total);

// The label of the file system mounted at a mount point (from /dev/disk/by-label), empty
// when it has none.
std::string volume_label(const TMountPoint& mount);
// A 32-bit serial number for the file system: a FAT or NTFS serial (from its UUID,
// /dev/disk/by-uuid), else the first eight hex digits of its UUID, else the file system
// id that statvfs reports; 0 when none can be read.
std::uint32_t volume_serial(const TMountPoint& mount);

// The classifications, exposed so that tests can check them.
bool is_pseudo_file_system(std::string_view fs_type, std::string_view device);
bool is_remote_file_system(std::string_view fs_type);

namespace detail {
// Tests replace the mount table's text (the format of /proc/self/mounts) and the
// removable test; nothing restores the system's.
void set_mount_table_for_tests(std::optional<std::string> text);
void set_removable_devices_for_tests(std::optional<std::vector<std::string>> devices);
// Parses a mount table's text into drive roots (see above).
std::vector<TMountPoint> parse_mount_table(std::string_view text);
}  // namespace detail

}  // namespace corvane
