// corvane drives: the drive roots (mount points) as the library sees them.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

const char* kind_name(TDriveKind kind) {
  switch (kind) {
    case TDriveKind::fixed:
      return "fixed";
    case TDriveKind::removable:
      return "removable";
    case TDriveKind::remote:
      return "remote";
  }
  return "?";
}

}  // namespace

int command_drives(bool json, std::ostream& out, std::ostream& err) {
  if (json) out << '[';
  bool first = true;
  for (const TMountPoint& m : mount_points()) {
    std::int64_t free_to_user = 0, free_total = 0, total = 0;
    disk_space(u16(m.path), free_to_user, free_total, total);
    const std::string label = volume_label(m);
    const std::u16string serial = VolumeSerialNumberStr(u16(m.path));
    if (json) {
      out << (first ? "" : ",") << "\n  {\"mount_point\": ";
      write_json_string(out, m.path);
      out << ", \"letter\": ";
      write_json_string(out, m.letter ? std::string(1, m.letter) : std::string());
      out << ", \"kind\": \"" << kind_name(m.kind) << "\", \"free\": " << free_to_user
          << ", \"total\": " << total << ", \"label\": ";
      write_json_string(out, label);
      out << ", \"serial\": ";
      write_json_string(out, serial);
      out << ", \"file_system\": ";
      write_json_string(out, m.fs_type);
      out << '}';
    } else {
      out << m.path << '\t' << kind_name(m.kind) << '\t' << free_to_user << '\t' << total << '\t'
          << label << '\t' << u8(serial) << '\n';
    }
    first = false;
  }
  if (json) out << (first ? "]\n" : "\n]\n");
  return 0;
}

void add_drives_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto json = std::make_shared<bool>(false);
  auto* drives = app.add_subcommand(
      "drives",
      "One line per drive root (mount point; pseudo file systems left out): mount point, "
      "fixed, removable or remote, free bytes, total bytes, label, serial number");
  drives->add_flag("--json", *json, "One JSON array with an object per drive");
  drives->callback([json, &status, &out, &err] { status = command_drives(*json, out, err); });
}

}  // namespace corvane::cli
