#include "corvane/files/Zip_utils.hpp"

#include <limits>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

std::u16string global_current_zip_ext_slash;

namespace {

constexpr std::u16string_view kZip = u".zip";

// Where FullName splits into archive path and name within: the index of the delimiter
// after the archive's path, or npos. The delimiter is one character long in both cases.
std::size_t split_point(std::u16string_view FullName, std::u16string_view Marker) {
  const std::u16string lower = LowerCase(FullName);
  for (std::size_t at = lower.find(kZip); at != std::u16string::npos;
       at = lower.find(kZip, at + 1)) {
    const std::size_t after = at + kZip.size();
    if (after < lower.size() && (lower[after] == u'/' || lower[after] == u'\\')) return after;
  }
  if (Marker.empty()) return std::u16string_view::npos;
  const std::size_t found = FullName.find(Marker);
  if (found == std::u16string_view::npos) return found;
  return found + Marker.size() - 1;
}

}  // namespace

bool IsAZipFile(std::u16string_view Name) {
  const std::u16string ext = ExtractFileExt(Name);
  return ext.size() >= kZip.size() && LowerCase(std::u16string_view(ext).substr(0, 4)) == kZip;
}

std::int32_t ZipFilePlusNumber(std::u16string_view Name) {
  const std::u16string ext = ExtractFileExt(Name);
  if (ext.size() <= kZip.size()) return -1;
  std::int64_t value = 0;
  for (std::size_t i = kZip.size(); i < ext.size(); ++i) {
    const char16_t c = ext[i];
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
    if (value > std::numeric_limits<std::int32_t>::max()) return -1;
  }
  return static_cast<std::int32_t>(value);
}

bool IsWithinAZipFile(const std::u16string& FullName, std::u16string_view Marker) {
  if (detail::file_exists(FullName)) return false;
  const std::u16string lower = LowerCase(FullName);
  if (lower.find(u".zip/") != std::u16string::npos || lower.find(u".zip\\") != std::u16string::npos)
    return true;
  return !Marker.empty() && lower.find(Marker) != std::u16string::npos;
}

std::u16string ZipFileFullFileName(std::u16string_view FullName, std::u16string_view Marker) {
  const std::size_t at = split_point(FullName, Marker);
  if (at == std::u16string_view::npos) return {};
  return std::u16string(FullName.substr(0, at));
}

std::u16string ZipFileWantedFileNameWithin(std::u16string_view FullName,
                                           std::u16string_view Marker) {
  const std::size_t at = split_point(FullName, Marker);
  if (at == std::u16string_view::npos) return {};
  return std::u16string(FullName.substr(at + 1));
}

}  // namespace corvane
