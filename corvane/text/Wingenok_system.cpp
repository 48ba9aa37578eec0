// The small system services of Wingenok: paths, drives, disk space, overwrite prompts,
// new-file names, Booleans as text, seconds of the day and number formatting.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/platform/Dialogs.hpp"
#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

std::uint32_t DriveBits = 0;

namespace {

namespace fs = std::filesystem;

std::int32_t batch_number = 0;

std::string native(const std::u16string& name) {
  return u8(native_path(name));
}

bool name_exists(const std::u16string& name) {
  struct stat status;
  return ::lstat(native(name).c_str(), &status) == 0;
}

bool regular_file_exists(const std::u16string& name) {
  struct stat status;
  return ::stat(native(name).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void add_subfolders(const fs::path& folder, TStringList& list) {
  std::error_code error;
  std::vector<fs::path> children;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    MyYieldProcess();
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code e2;
    if (it->is_symlink(e2) || !it->is_directory(e2)) continue;
    children.push_back(it->path());
  }
  std::sort(children.begin(), children.end());
  for (const fs::path& child : children) {
    list.Add(u16(child.string()));
    add_subfolders(child, list);
  }
}

// Rounds to the nearest whole number, ties to the even one.
std::int32_t round_even(double x) {
  return static_cast<std::int32_t>(std::nearbyint(x));
}

}  // namespace

bool copy_file_replacing(const std::u16string& source, const std::u16string& target) {
  const std::string from = native(source);
  const std::string to = native(target);
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat status;
  if (::fstat(in, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(in);
    return false;
  }
  std::random_device random;
  std::string temp;
  int out = -1;
  for (int attempt = 0; attempt < 16 && out < 0; ++attempt) {
    temp = to + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(random() & 0xFFFFFF);
    out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 0777);
    if (out < 0 && errno != EEXIST) break;
  }
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = true;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        ok = false;
        break;
      }
      done += w;
    }
    if (!ok) break;
  }
  ::close(in);
  if (ok && ::fsync(out) != 0 && errno != EINVAL && errno != EROFS) ok = false;
  if (::close(out) != 0) ok = false;
  if (ok) {
    struct stat existing;
    // A new file takes the source's permission bits; a replaced one keeps its own.
    if (::stat(to.c_str(), &existing) != 0) ::chmod(temp.c_str(), status.st_mode & 07777);
    ok = detail::replace_file_keeping_attributes(temp, to) == 0;
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

std::u16string NormalisedPath(const std::u16string& path) {
  if (path.size() <= 3) return path;
  std::error_code error;
  fs::path full = fs::absolute(fs::path(native(path)), error);
  if (error) return path;
  std::string text = full.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return u16(text);
}

void NormalisedPathW(const std::u16string& path, maxpathwidechar& buffer) {
  buffer.fill(u'\0');
  const std::u16string result = NormalisedPath(path);
  std::copy_n(result.begin(), std::min<std::size_t>(result.size(), buffer.size() - 1),
              buffer.begin());
}

TStringList* ListOfSubFolders(const std::u16string& folder, bool include_subfolders) {
  auto* list = new TStringList;
  list->Add(folder);
  if (include_subfolders) add_subfolders(fs::path(native(folder)), *list);
  return list;
}

std::u16string GetLastErrorString() {
  std::u16string text = SysErrorMessage(errno);
  if (text.size() > 255) text.resize(255);
  return text;
}

bool ProceedIfLittleDiskSpace(const std::u16string& path, std::int64_t needed) {
  if (path.empty()) return false;
  std::int64_t to_user = 0, total_free = 0, size = 0;
  if (!disk_space(path, to_user, total_free, size)) return true;
  const std::int64_t free = std::max(to_user, total_free);
  if (free >= needed) return true;
  TDialogRequest request;
  request.caption = msg::text(msg::CVConfirmation);
  request.text = Format(msg::text(msg::CVOnlyMbSpaceOnDriveDProceed),
                        {static_cast<std::int64_t>(free / 1048576), path});
  request.type = mtConfirmation;
  request.buttons = buttons({mbOK, mbCancel});
  return show_dialog(request) == mrOk;
}

bool OKToOverwrite(const std::u16string& file_name) {
  if (!name_exists(file_name)) return true;
  TDialogRequest request;
  request.caption = msg::text(msg::CVConfirmation);
  request.text = Format(msg::text(msg::CVOverwriteXQ), {file_name});
  request.type = mtConfirmation;
  request.buttons = buttons({mbYes, mbNo});
  return show_dialog(request) == mrYes;
}

bool OKToOverwriteWithBackup(const std::u16string& file_name) {
  if (!name_exists(file_name)) return true;
  TDialogRequest request;
  request.caption = msg::text(msg::CVConfirmation);
  request.text = Format(msg::text(msg::CVOverwriteXWithBackupQ), {file_name});
  request.type = mtConfirmation;
  request.buttons = buttons({mbYes, mbNo});
  if (show_dialog(request) != mrYes) return false;
  return copy_file_replacing(file_name, ChangeFileExt(file_name, u".bak"));
}

bool ForcedToBeNewFile(std::u16string& file_name) {
  // Only a "." in the file's own name counts: one in a folder's name would send the new
  // name into another folder.
  const auto name_start = file_name.find_last_of(u"/\\");
  const std::size_t from = name_start == std::u16string::npos ? 0 : name_start + 1;
  if (file_name.find(u'.', from) == std::u16string::npos) file_name += u'.';
  const std::u16string ext = file_name.substr(file_name.rfind(u'.'));
  while (name_exists(file_name)) {
    MyYieldProcess();
    file_name.resize(file_name.rfind(u'.'));
    if (batch_number < INT32_MAX) ++batch_number;
    std::string digits = std::to_string(batch_number);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    file_name += u"_" + u16(digits) + ext;
  }
  return true;
}

void SetBatchFileStartNumberTo(std::int32_t n) {
  batch_number = std::max(n, 0);
}

std::int32_t GetBatchFileStartNumber() {
  return batch_number;
}

std::u16string BooleanToStr(bool value) {
  return msg::text(value ? msg::CVTrue : msg::CVFalse);
}

bool StrToBoolean(const std::u16string& text) {
  return SameText(text, msg::text(msg::CVTrue));
}

bool FileNameHasWildCards(const std::u16string& name) {
  return name.find_first_of(u"*?") != std::u16string::npos;
}

bool ValidDriveW(char16_t letter) {
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  DriveBits = drive_letter_bits();
  if (letter < u'A' || letter > u'Z' || !((DriveBits >> (letter - u'A')) & 1u)) return false;
  std::int64_t a = 0, b = 0, total = 0;
  const auto mount = mount_point_of_letter(letter);
  return mount && disk_space(u16(mount->path), a, b, total);
}

bool ValidDrive(char letter) {
  return ValidDriveW(static_cast<char16_t>(static_cast<unsigned char>(letter)));
}

bool Fixed_Drive(const std::u16string& root) {
  DriveBits = drive_letter_bits();
  const auto mount = mount_point_of_path(root);
  if (!mount || mount->kind != TDriveKind::fixed) return false;
  std::string path = native(root);
  if (root.size() >= 2 && root[1] == u':') return true;  // a letter root
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path == mount->path;
}

bool sIsADirectory(const std::u16string& path) {
  struct stat status;
  return !path.empty() && ::stat(native(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::u16string AttributesToStr(std::uint16_t attributes) {
  std::u16string out;
  if (attributes & 0x01) out += u'r';
  if (attributes & 0x20) out += u'a';
  if (attributes & 0x04) out += u's';
  if (attributes & 0x02) out += u'h';
  if (attributes & 0x10) out += u'd';
  return out;
}

std::u16string Rightstr(const std::u16string& s, std::int32_t n) {
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) >= s.size()) return s;
  return s.substr(s.size() - static_cast<std::size_t>(n));
}

std::u16string DoubleAnyAmpersands(const std::u16string& s) {
  std::u16string out;
  out.reserve(s.size() + 4);
  for (std::size_t i = 0; i < s.size(); ++i) {
    out += s[i];
    if (s[i] != u'&') continue;
    const bool paired = (i + 1 < s.size() && s[i + 1] == u'&') || (i > 0 && s[i - 1] == u'&');
    if (!paired) out += u'&';
  }
  return out;
}

TDateTime Compilation_DateTime() {
  struct stat status;
  if (::stat("/proc/self/exe", &status) != 0) return 0;
  std::time_t seconds = status.st_mtime;
  std::tm local{};
  ::localtime_r(&seconds, &local);
  TDateTime dt = 0;
  TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                    local.tm_min, local.tm_sec, 0, dt);
  return dt;
}

std::u16string Compilation_Date() {
  return DateToStr(Compilation_DateTime(), UserDefaultFormatSettings);
}

std::u16string Compilation_Year() {
  return FormatDateTime(u"yyyy", Compilation_DateTime());
}

std::int32_t TodayAsLongint() {
  return static_cast<std::int32_t>(std::floor(Now()));
}

std::int32_t SecondsElapsedSince(TDateTime since) {
  const double elapsed = Now() - since;
  return round_even((elapsed - std::trunc(elapsed)) * SecsPerDay);
}

std::int32_t TodaysTimeInSeconds(TDateTime time) {
  return round_even(std::fabs(time - std::trunc(time)) * SecsPerDay);
}

std::u16string IntToDecStr(std::int32_t value, const TFormatSettings& settings) {
  return IntToDecStr(static_cast<std::int64_t>(value), settings);
}

std::u16string IntToDecStr(std::int64_t value, const TFormatSettings& settings) {
  try {
    return FormatFloat(u"#,##0", static_cast<double>(Int64ToSingle(value)), settings);
  } catch (...) {
    return u"*";
  }
}

std::u16string RealToDecStr(double value, const TFormatSettings& settings) {
  try {
    return FormatFloat(u"####,.00", value, settings);
  } catch (...) {
    return u"*";
  }
}

float Int64ToSingle(std::int64_t value) {
  return static_cast<float>(value);
}

}  // namespace corvane
