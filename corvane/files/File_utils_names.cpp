// File_utils: placeholders in stored names, file dates and copies, status tests and name
// helpers.
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/File_utils_internal_ops.hpp"
#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/IniFiles.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Bare_assemb.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

std::u16string user_dir_const = u"$userdir";
std::u16string user_drive_const = u"$user_drive";
std::u16string same_file_const = u"$SAME_FILE";

namespace {

namespace fs = std::filesystem;

bool is_delimiter(char16_t c) {
  return c == u'/' || c == u'\\';
}

bool starts_with_ignoring_case(std::u16string_view s, std::u16string_view prefix) {
  return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool has_letter_drive(std::u16string_view name) {
  return name.size() >= 2 && name[1] == u':';
}

// The folder with a trailing delimiter in its own style.
std::u16string with_trailing_delimiter(const std::u16string& folder) {
  if (!folder.empty() && is_delimiter(folder.back())) return folder;
  return folder +
         (has_letter_drive(folder) || folder.find(u'\\') != std::u16string::npos ? u"\\" : u"/");
}

bool is_unc(std::u16string_view name) {
  return name.size() >= 2 && is_delimiter(name[0]) && is_delimiter(name[1]);
}

bool stat_native(const std::u16string& name, struct stat& status) {
  return !name.empty() && ::stat(detail::native_name(name).c_str(), &status) == 0;
}

bool set_modified_time(const std::string& path, const struct timespec& when) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1] = when;
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

// Windows-1252 bytes of the text, or UTF-16LE with its mark; writes beside the file.
bool save_text(const std::u16string& file_name, const std::u16string& text, bool wide) {
  std::string bytes;
  if (wide) {
    bytes = "\xFF\xFE";
    for (char16_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
  } else if (!detail::utf16_to_windows_1252(text, bytes)) {
    return false;
  }
  try {
    detail::write_bytes_beside(u16(detail::native_name(file_name)), bytes);
  } catch (const Exception&) {
    return false;
  }
  return true;
}

bool insert_into_file(const std::u16string& file_name, const std::u16string& text, bool make_backup,
                      std::int32_t position, bool wide) {
  try {
    if (!DriveAndFileExist(file_name)) return false;
    if (make_backup) {
      if (!copy_file_replacing(file_name, ChangeFileExt(file_name, u".bak"))) return false;
    }
    TStringList list;
    list.LoadFromFile(u16(detail::native_name(file_name)));
    std::u16string whole = list.Text();
    if (whole.size() >= 2 && whole.ends_with(u"\r\n")) whole.resize(whole.size() - 2);
    const std::int64_t at = std::clamp<std::int64_t>(position, 1, whole.size() + 1) - 1;
    whole.insert(static_cast<std::size_t>(at), text);
    list.SetText(whole);
    return save_text(file_name, list.Text(), wide);
  } catch (const Exception&) {
    return false;
  }
}

int sort_direction = 1;

double access_time(const std::u16string& name) {
  struct stat status;
  if (!stat_native(name, status)) return 0;
  return static_cast<double>(status.st_atim.tv_sec) + status.st_atim.tv_nsec / 1e9;
}

int compare_files_by_name(TStringList* list, std::int32_t a, std::int32_t b) {
  int result = CompareText(ExtractFileName(list->Get(a)), ExtractFileName(list->Get(b)));
  if (result == 0) result = CompareText(list->Get(a), list->Get(b));
  return result * sort_direction;
}

int compare_files_by_date(TStringList* list, std::int32_t a, std::int32_t b) {
  const double ta = access_time(list->Get(a));
  const double tb = access_time(list->Get(b));
  return (ta < tb ? -1 : ta > tb ? 1 : 0) * sort_direction;
}

}  // namespace

std::string detail::native_name(std::u16string_view name) {
  return u8(native_path(name));
}

bool detail::name_matches_mask(const std::string& name, const std::string& mask) {
  if (mask == "*" || mask == "*.*") return true;
  return ::fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD | FNM_NOESCAPE) == 0;
}

std::u16string detail::program_folder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return u16(exe.parent_path().string()) + u"/";
}

// ---- Placeholders ----------------------------------------------------------------------

std::u16string ConvertedUserFolderInFilename(const std::u16string& base_folder,
                                             const std::u16string& name, bool to_placeholder) {
  if (!to_placeholder) return ConvertedFilenameFromUserDirFName(base_folder, name);
  if (!SameText(ExtractFileDrive(name), ExtractFileDrive(base_folder))) return name;
  if (!base_folder.empty() && !SameText(name, base_folder) &&
      starts_with_ignoring_case(name, base_folder)) {
    return user_dir_const + name.substr(base_folder.size() - 1);
  }
  std::u16string rest = name.substr(ExtractFileDrive(name).size());
  if (rest.empty() || !is_delimiter(rest[0])) rest.insert(0, 1, u'\\');
  return user_drive_const + rest;
}

std::u16string ConvertedFilenameFromUserDirFName(const std::u16string& base_folder,
                                                 const std::u16string& name) {
  const bool native_base = !has_letter_drive(base_folder);
  auto converted = [&](std::u16string rest) {
    if (native_base) std::replace(rest.begin(), rest.end(), u'\\', u'/');
    return rest;
  };
  if (const auto at = name.find(user_dir_const); at != std::u16string::npos) {
    const std::size_t from = std::min(name.size(), at + user_dir_const.size() + 1);
    return with_trailing_delimiter(base_folder) + converted(name.substr(from));
  }
  if (const auto at = name.find(user_drive_const); at != std::u16string::npos) {
    std::u16string rest = converted(name.substr(at + user_drive_const.size()));
    std::u16string drive = ExtractFileDrive(base_folder);
    if (rest.empty() || !is_delimiter(rest[0])) drive += native_base ? u"/" : u"\\";
    return drive + rest;
  }
  return name;
}

std::u16string ConvertedAppFolderInFilename(const std::u16string& name, bool to_placeholder) {
  return ConvertedUserFolderInFilename(detail::program_folder(), name, to_placeholder);
}

std::u16string ConvertedFilenameIfUserDrive(const std::u16string& name, bool to_placeholder) {
  const std::u16string drive = ExtractFileDrive(detail::program_folder());
  if (to_placeholder) {
    if (name.empty() || !SameText(ExtractFileDrive(name), drive)) return name;
    if (drive.empty() && !is_delimiter(name[0])) return name;  // a relative name
    return user_drive_const + name.substr(drive.size());
  }
  if (name.starts_with(user_drive_const)) return drive + name.substr(user_drive_const.size());
  return name;
}

void CheckUserDirConstFolder(TStringList& list, bool to_placeholder) {
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const std::u16string converted = ConvertedAppFolderInFilename(list.Get(i), to_placeholder);
    if (converted != list.Get(i)) list.Put(i, converted);
  }
}

// ---- Dates and copies ------------------------------------------------------------------

bool SetFileDate(const std::u16string& file_name, const TYearMonthDay& date) {
  if (date.year < 1980 || date.year > 2106 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > 31 || date.day > DaysInAMonth(date.year, date.month)) {
    return false;
  }
  std::tm local{};
  local.tm_year = date.year - 1900;
  local.tm_mon = date.month - 1;
  local.tm_mday = date.day;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return false;
  struct stat status;
  const std::string path = detail::native_name(file_name);
  if (file_name.empty() || ::stat(path.c_str(), &status) != 0) return false;
  return set_modified_time(path, timespec{seconds, 0});
}

bool SetFileDate(const std::u16string& file_name, std::int32_t day, std::int32_t month,
                 std::int32_t year) {
  return SetFileDate(file_name, TYearMonthDay{year, month, day});
}

bool SetFileDate(const std::u16string& file_name, const std::u16string& day,
                 const std::u16string& month, const std::u16string& year) {
  std::int64_t d = 0, m = 0, y = 0;
  auto decimal = [](const std::u16string& s, std::int64_t& v) {
    if (s.empty() || s.size() > 9) return false;
    v = 0;
    for (char16_t c : s) {
      if (c < u'0' || c > u'9') return false;
      v = v * 10 + (c - u'0');
    }
    return true;
  };
  const auto trimmed = [](const std::u16string& s) { return Trim(s); };
  if (!decimal(trimmed(day), d) || !decimal(trimmed(month), m) || !decimal(trimmed(year), y))
    return false;
  return SetFileDate(file_name, static_cast<std::int32_t>(d), static_cast<std::int32_t>(m),
                     static_cast<std::int32_t>(y));
}

bool SetFileDate(const std::u16string& file_name, const std::u16string& date_text) {
  if (date_text.size() != 10) return false;
  return SetFileDate(file_name, date_text.substr(0, 2), date_text.substr(3, 2),
                     date_text.substr(6, 4));
}

bool CopyDateOfFile(const std::u16string& source, const std::u16string& target) {
  struct stat from, to;
  if (!stat_native(source, from) || !stat_native(target, to)) return false;
  return set_modified_time(detail::native_name(target), from.st_mtim);
}

bool CopyFileRetainingDate(const std::u16string& source, const std::u16string& target) {
  if (!DriveAndFileExist(source)) return false;
  if (!copy_file_replacing(source, target)) return false;
  return CopyDateOfFile(source, target);
}

void CopyAFileWithBackup(const std::u16string& file_name) {
  copy_file_replacing(file_name, ChangeFileExt(file_name, u".bak"));
}

bool InsertIntoFileA(const std::u16string& file_name, const std::u16string& text, bool make_backup,
                     std::int32_t position) {
  return insert_into_file(file_name, text, make_backup, position, false);
}

bool InsertIntoFileW(const std::u16string& file_name, const std::u16string& text, bool make_backup,
                     std::int32_t position) {
  return insert_into_file(file_name, text, make_backup, position, true);
}

// ---- Existence, status and names -------------------------------------------------------

bool DriveAndFileExist(const std::u16string& file_name, bool allow_unc, bool unc_result) {
  if (!allow_unc && is_unc(file_name)) return unc_result;
  struct stat status;
  return stat_native(file_name, status) && !S_ISDIR(status.st_mode);
}

bool DriveAndFolderExist(const std::u16string& path, bool allow_unc, bool unc_result) {
  if (!allow_unc && is_unc(path)) return unc_result;
  struct stat status;
  return stat_native(path, status) && S_ISDIR(status.st_mode);
}

TCVFilestatus GetFileStatusOfAFile(const std::u16string& file_name, bool allow_unc) {
  if (!allow_unc && is_unc(file_name)) return fs_unknown;
  return DriveAndFileExist(file_name) ? fs_exists : fs_moved;
}

bool ReadOnlyFileW(const std::u16string& name) {
  struct stat status;
  return stat_native(name, status) && !(status.st_mode & S_IWUSR);
}

bool ReadOnlyFolderW(const std::u16string& name) {
  struct stat status;
  return stat_native(name, status) && S_ISDIR(status.st_mode) && !(status.st_mode & S_IWUSR);
}

bool IsDirectoryWriteable(const std::u16string& folder) {
  if (folder.empty()) return false;
  std::string path = detail::native_name(folder);
  if (path.back() != '/') path += '/';
  path += "chk.tmp";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::unlink(path.c_str());
  ::close(fd);
  return true;
}

std::int64_t FileSize(const std::u16string& file_name) {
  struct stat status;
  if (!stat_native(file_name, status) || S_ISDIR(status.st_mode)) return -1;
  return static_cast<std::int64_t>(status.st_size);
}

std::int32_t CheckSumOfAFile(const std::u16string& file_name) {
  if (!DriveAndFileExist(file_name)) return 0;
  const int fd = ::open(detail::native_name(file_name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  // The sum of 32-bit words is the same taken piece by piece, as long as each piece but
  // the last holds whole words.
  std::vector<char> buffer(1 << 16);
  std::size_t filled = 0;
  std::uint32_t sum = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer.data() + filled, buffer.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n > 0) filled += static_cast<std::size_t>(n);
    if (n <= 0 || filled == buffer.size()) {
      const std::size_t whole = filled & ~std::size_t{3};
      sum += My4Checksum(buffer.data(), static_cast<std::ptrdiff_t>(whole));
      std::copy(buffer.begin() + whole, buffer.begin() + filled, buffer.begin());
      filled -= whole;
    }
    if (n <= 0) break;
  }
  ::close(fd);
  return static_cast<std::int32_t>(sum);
}

std::u16string GetLongPathNameW(const std::u16string& name) {
  std::error_code error;
  const fs::path full = fs::absolute(detail::native_name(name), error).lexically_normal();
  if (error) return name;
  fs::path result = full.root_path();
  bool found = true;
  for (const fs::path& part : full.relative_path()) {
    if (part.empty()) continue;
    if (found && !fs::exists(fs::symlink_status(result / part, error))) {
      found = false;
      for (fs::directory_iterator it(result, error), end; !error && it != end;
           it.increment(error)) {
        if (SameText(u16(it->path().filename().string()), u16(part.string()))) {
          result /= it->path().filename();
          found = true;
          break;
        }
      }
      if (found) continue;
    }
    result /= part;
  }
  return u16(result.string());
}

std::u16string RemoveDotsFromFilename(const std::u16string& name) {
  std::u16string out = name;
  std::erase(out, u'.');
  return out;
}

std::u16string CleanedUpFilename(const std::u16string& name) {
  static constexpr std::u16string_view kForbidden = u"\\/:|<>^+=?[]\"*";
  std::u16string rest = name;
  while (!rest.empty() && is_delimiter(rest.back())) rest.pop_back();
  rest = ExtractFileName(rest);
  std::u16string out;
  for (char16_t c : rest)
    if (c >= 0x20 && kForbidden.find(c) == std::u16string_view::npos) out += c;
  return out;
}

std::u16string FormattedFNAsParameter(const std::u16string& name) {
  if (!name.empty() && DriveAndFileExist(name)) return u"\"" + name + u"\"";
  return name;
}

std::u16string FileFilterWithinFilterText(const std::u16string& text) {
  std::u16string result = text;
  const auto open = text.find(u'(');
  const auto close = text.find(u')');
  if (open != std::u16string::npos && close != std::u16string::npos && open < close)
    result = text.substr(open + 1, close - open - 1);
  result = Trim(result);
  return result.empty() ? u"*.*" : result;
}

std::int32_t PathDelimiterCount(const std::u16string& name) {
  return static_cast<std::int32_t>(std::count_if(name.begin(), name.end(), is_delimiter));
}

std::u16string NameUpToXPathDelimiters(const std::u16string& name, std::int32_t x) {
  if (x <= 0) return {};
  std::int32_t seen = 0;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (is_delimiter(name[i]) && ++seen == x) return name.substr(0, i);
  return {};
}

std::u16string NewSubFolderFrom(const std::u16string& file_name, const std::u16string& folder) {
  std::u16string path = ExtractFilePath(file_name);
  const std::u16string prefix = with_trailing_delimiter(folder);
  if (starts_with_ignoring_case(path, prefix)) path = path.substr(prefix.size());
  return path.size() == 1 ? std::u16string() : path;
}

bool FolderProposedIsOriginalFolder(const std::u16string& a, const std::u16string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  const auto folder = [&](const std::u16string& n) {
    return u16(
        fs::absolute(detail::native_name(n), error).lexically_normal().parent_path().string());
  };
  return SameText(folder(a), folder(b));
}

void SortListOfFiles(TStringList& list, bool by_date, bool ascending) {
  sort_direction = ascending ? 1 : -1;
  list.CustomSort(by_date ? &compare_files_by_date : &compare_files_by_name);
  sort_direction = 1;
}

}  // namespace corvane
