#include "corvane/definitions/My_types.hpp"

#include <unistd.h>

#include <array>
#include <cstdio>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

const std::u16string_view CVWebHost = u"https://www.corvane-tools.example";

namespace {

constexpr std::array<std::u16string_view, kToolTypeCount> kNames = {
    u"Tabulon",
    u"Linara",
    u"Promina",
    u"Glyphrun",
    u"Corvane",
    u"",
    u"Text Converter",
    u"CVWeavgram",
    u"",  // reserved
    u"Language Chooser",
    u"",
    u"Aligner",
    u"",
    u"Character Profiler",
    u"Minimal Pairs",
    u"File Utilities",
    u"",  // built from the major version
    u"File Viewer",
    u"Corpus Checker",
    u"Corvane version check",
    u"",
    u"",
};

// Written in two pieces, as "??)" would be a trigraph.
constexpr std::u16string_view kUnknown =
    u"(?"
    u"?)";

constexpr std::array<std::u16string_view, kToolTypeCount> kLogPrefixes = {
    u"(T): ",   u"(L): ",   u"(P): ",  u"(GLYR): ", u"",        kUnknown,  u"(TXC): ", u"(WVG): ",
    u"",        u"(LNG): ", kUnknown,  u"(VA): ",   kUnknown,   u"(CA): ", u"(MP): ",  u"(FU): ",
    u"(API): ", u"(FV): ",  u"(CC): ", kUnknown,    u"(WDB): ", kUnknown,
};

std::u16string major() {
  return utf8_to_utf16(std::to_string(CVMajorVersion));
}

char16_t ascii_lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool same_ignoring_case(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

}  // namespace

std::u16string Tool_Name(tool_type tool) {
  if (tool == tt_API_tool) return u"CV" + major() + u" General API DLL";
  if (static_cast<int>(tool) >= kToolTypeCount) return {};
  return std::u16string(kNames[tool]);
}

std::u16string GetShortToolFilename(tool_type tool) {
  std::u16string name = Tool_Name(tool);
  if (name.empty()) return name;
  for (char16_t& c : name)
    if (c == u' ') c = u'_';
  return name + major() + (tool == tt_API_tool ? u".dll" : u".exe");
}

namespace detail {

std::u16string running_program_path() {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return {};
  buffer.resize(static_cast<std::size_t>(n));
  return utf8_to_utf16(buffer);
}

tool_type tool_for_program_file(std::u16string_view file_name) {
  std::u16string with_exe;
  if (file_name.find(u'.') == std::u16string_view::npos && !file_name.empty())
    with_exe = std::u16string(file_name) + u".exe";
  for (int t = 0; t < kToolTypeCount; ++t) {
    const std::u16string candidate = GetShortToolFilename(static_cast<tool_type>(t));
    if (candidate.empty()) continue;
    if (same_ignoring_case(file_name, candidate) ||
        (!with_exe.empty() && same_ignoring_case(with_exe, candidate)))
      return static_cast<tool_type>(t);
  }
  return tt_no_tool_at_all;
}

}  // namespace detail

std::u16string GetFullToolFilename(tool_type tool) {
  std::u16string path = detail::running_program_path();
  const std::size_t slash = path.find_last_of(u'/');
  path = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
  return path + GetShortToolFilename(tool);
}

void SetCurrentTool() {
  const std::u16string path = detail::running_program_path();
  const std::size_t slash = path.find_last_of(u'/');
  current_tool_var = detail::tool_for_program_file(
      slash == std::u16string::npos ? std::u16string_view(path)
                                    : std::u16string_view(path).substr(slash + 1));
}

std::u16string CVCurrentDownloadFolder() {
  return std::u16string(CVWebHost) + u"/downloads/version" + major() + u"/";
}

std::u16string CorvaneHelpURL() {
  return CVCurrentDownloadFolder() + u"HTML/";
}

std::u16string CVVerifiqueINF() {
  return CVCurrentDownloadFolder() + u"CVUpdate" + major() + u".inf";
}

std::u16string CorvaneControllerCaption() {
  char number[32];
  std::snprintf(number, sizeof number, "%4.1f", static_cast<double>(CVMajorVersion));
  return u"Corvane Tools" + utf8_to_utf16(number);
}

std::u16string CurrentCVMajorVersion100Str() {
  return major() + u".0.0.100";
}

float CardinalToSingle(std::uint32_t value) {
  return static_cast<float>(static_cast<std::int64_t>(value));
}

float IntToSingle(std::int32_t value) {
  return static_cast<float>(value);
}

std::u16string tool_log_prefix(tool_type tool) {
  if (tool == tt_shell) return u"(CV" + major() + u"): ";
  if (static_cast<int>(tool) >= kToolTypeCount) return {};
  return std::u16string(kLogPrefixes[tool]);
}

}  // namespace corvane
