#include "corvane/rtl/FileNames.hpp"

#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {
constexpr std::u16string_view kPathDelims = u"/\\";
constexpr std::u16string_view kAllDelims = u"/\\:";
constexpr std::u16string_view kExtDelims = u"./\\:";

bool is_slash(char16_t c) {
  return c == u'/' || c == u'\\';
}
}  // namespace

bool IsPathDelimiter(std::u16string_view s, std::int64_t index) {
  return IsDelimiter(kPathDelims, s, index);
}

std::u16string ExtractFileExt(std::u16string_view name) {
  const std::size_t i = LastDelimiter(kExtDelims, name);
  if (i > 0 && name[i - 1] == u'.') return std::u16string(name.substr(i - 1));
  return {};
}

std::u16string ChangeFileExt(std::u16string_view name, std::u16string_view ext) {
  std::size_t i = LastDelimiter(kExtDelims, name);
  if (i == 0 || name[i - 1] != u'.') i = name.size() + 1;
  std::u16string r(name.substr(0, i - 1));
  r.append(ext);
  return r;
}

std::u16string ExtractFileName(std::u16string_view name) {
  return std::u16string(name.substr(LastDelimiter(kAllDelims, name)));
}

std::u16string ExtractFilePath(std::u16string_view name) {
  return std::u16string(name.substr(0, LastDelimiter(kAllDelims, name)));
}

std::u16string ExtractFileDir(std::u16string_view name) {
  std::size_t i = LastDelimiter(kAllDelims, name);
  if (i > 1 && is_slash(name[i - 1]) && !IsDelimiter(kAllDelims, name, i - 1)) --i;
  return std::u16string(name.substr(0, i));
}

std::u16string ExtractFileDrive(std::u16string_view name) {
  if (name.size() >= 2 && name[1] == DriveDelim) return std::u16string(name.substr(0, 2));
  if (name.size() >= 2 && is_slash(name[0]) && is_slash(name[1])) {
    // \\server\share: up to the delimiter after the share name
    int slashes = 0;
    std::size_t i = 2;
    for (; i < name.size(); ++i) {
      if (is_slash(name[i]) && ++slashes == 2) break;
    }
    if (slashes >= 1) return std::u16string(name.substr(0, i));
  }
  return {};
}

std::u16string IncludeTrailingPathDelimiter(std::u16string_view name) {
  std::u16string r(name);
  if (r.empty() || !is_slash(r.back())) r.push_back(PathDelim);
  return r;
}

std::u16string ExcludeTrailingPathDelimiter(std::u16string_view name) {
  std::u16string r(name);
  if (!r.empty() && is_slash(r.back())) r.pop_back();
  return r;
}

}  // namespace corvane
