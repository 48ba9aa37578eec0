#include "corvane/platform/CodePages.hpp"

#include <unicode/ucnv.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "corvane/rtl/System_text.hpp"

namespace corvane {

namespace {

struct NamedCodePage {
  int code_page;
  const char* name;
};

// Code pages whose ICU name is not "windows-N" or "cpN".
constexpr NamedCodePage kSpecialNames[] = {
    {1200, "UTF-16LE"},        {1201, "UTF-16BE"},
    {12000, "UTF-32LE"},       {12001, "UTF-32BE"},
    {65000, "UTF-7"},          {65001, "UTF-8"},
    {10000, "macintosh"},      {10006, "x-mac-greek"},
    {10007, "x-mac-cyrillic"}, {10029, "x-mac-centraleurroman"},
    {10081, "x-mac-turkish"},  {20127, "US-ASCII"},
    {20866, "KOI8-R"},         {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},     {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},     {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},     {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},     {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},     {28603, "ISO-8859-13"},
    {28605, "ISO-8859-15"},    {38598, "ISO-8859-8-I"},
    {50220, "ISO-2022-JP"},    {50221, "ISO-2022-JP"},
    {50222, "ISO-2022-JP"},    {50225, "ISO-2022-KR"},
    {51932, "EUC-JP"},         {51936, "GB2312"},
    {51949, "EUC-KR"},         {52936, "HZ"},
    {54936, "GB18030"},        {932, "windows-932"},
    {936, "windows-936-2000"}, {949, "windows-949-2000"},
    {950, "windows-950-2000"},
};

constexpr int kDefaultAnsiCodePage = 1252;
std::atomic<int> configured_ansi{0};

bool opens(const std::string& name) {
  UErrorCode err = U_ZERO_ERROR;
  UConverter* c = ucnv_open(name.c_str(), &err);
  if (c) ucnv_close(c);
  return U_SUCCESS(err) && c;
}

std::string name_of_resolved(int code_page) {
  for (const auto& n : kSpecialNames)
    if (n.code_page == code_page) return opens(n.name) ? n.name : std::string();
  if (code_page <= 0) return {};
  for (const char* prefix : {"windows-", "cp", "ibm-"}) {
    std::string name = prefix + std::to_string(code_page);
    if (opens(name)) return name;
  }
  return {};
}

int environment_ansi_code_page() {
  static const int from_env = [] {
    const char* v = std::getenv("CORVANE_ANSI_CODEPAGE");
    if (!v || !*v) return 0;
    char* end = nullptr;
    long n = std::strtol(v, &end, 10);
    if (*end || n <= 3 || n > 65535) return 0;
    return name_of_resolved(static_cast<int>(n)).empty() ? 0 : static_cast<int>(n);
  }();
  return from_env;
}

int resolve(int code_page) {
  switch (code_page) {
    case CP_ACP:
    case CP_THREAD_ACP:
      return system_ansi_code_page();
    case CP_OEMCP:
      return system_oem_code_page();
    case CP_MACCP:
      return 10000;
    default:
      return code_page;
  }
}

}  // namespace

int system_ansi_code_page() {
  if (int cp = configured_ansi.load(std::memory_order_relaxed)) return cp;
  if (int cp = environment_ansi_code_page()) return cp;
  return kDefaultAnsiCodePage;
}

bool set_system_ansi_code_page(int code_page) {
  if (code_page == 0) {
    configured_ansi.store(0);
    return true;
  }
  if (code_page <= 3 || name_of_resolved(code_page).empty()) return false;
  configured_ansi.store(code_page);
  return true;
}

int system_oem_code_page() {
  return 437;
}

std::string icu_converter_name(int code_page) {
  return name_of_resolved(resolve(code_page));
}

bool is_valid_code_page(int code_page) {
  return !icu_converter_name(code_page).empty();
}

CodePageConverter::CodePageConverter(int code_page) : code_page_(resolve(code_page)) {
  std::string name = name_of_resolved(code_page_);
  if (name.empty()) return;
  UErrorCode err = U_ZERO_ERROR;
  converter_ = ucnv_open(name.c_str(), &err);
  if (U_FAILURE(err) && converter_) {
    ucnv_close(converter_);
    converter_ = nullptr;
  }
  // Characters the code page cannot hold become "?", as the system's conversion writes
  // them; converters that cannot take a one-byte substitute keep their own.
  if (converter_ && ucnv_getMinCharSize(converter_) == 1) {
    UErrorCode ignored = U_ZERO_ERROR;
    ucnv_setSubstChars(converter_, "?", 1, &ignored);
  }
}

CodePageConverter::~CodePageConverter() {
  if (converter_) ucnv_close(converter_);
}

bool CodePageConverter::to_utf16(std::string_view bytes, std::u16string& out) {
  out.clear();
  if (!converter_) return false;
  if (bytes.empty()) return true;
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX / 2)) return false;
  ucnv_resetToUnicode(converter_);
  // Every byte gives at most two code units (a GB18030 or UTF-8 four-byte sequence gives
  // two for four), plus room for a substitution.
  out.resize(bytes.size() * 2 + 2);
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(converter_, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                            static_cast<int32_t>(bytes.size()), &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(n + 1);
    err = U_ZERO_ERROR;
    n = ucnv_toUChars(converter_, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &err);
  }
  if (U_FAILURE(err)) {
    out.clear();
    return false;
  }
  out.resize(n);
  return true;
}

bool CodePageConverter::from_utf16(std::u16string_view text, std::string& out) {
  out.clear();
  if (!converter_) return false;
  if (text.empty()) return true;
  if (text.size() > static_cast<std::size_t>(INT32_MAX / 4)) return false;
  ucnv_resetFromUnicode(converter_);
  out.resize(static_cast<std::size_t>(
      UCNV_GET_MAX_BYTES_FOR_STRING(text.size(), ucnv_getMaxCharSize(converter_))));
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_fromUChars(converter_, out.data(), static_cast<int32_t>(out.size()), text.data(),
                              static_cast<int32_t>(text.size()), &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(n + 1);
    err = U_ZERO_ERROR;
    n = ucnv_fromUChars(converter_, out.data(), static_cast<int32_t>(out.size()), text.data(),
                        static_cast<int32_t>(text.size()), &err);
  }
  if (U_FAILURE(err)) {
    out.clear();
    return false;
  }
  out.resize(n);
  return true;
}

bool code_page_to_utf16(int code_page, std::string_view bytes, std::u16string& out) {
  CodePageConverter c(code_page);
  return c.to_utf16(bytes, out);
}

bool utf16_to_code_page(int code_page, std::u16string_view text, std::string& out) {
  CodePageConverter c(code_page);
  return c.from_utf16(text, out);
}

namespace {

bool decode_in_system_code_page(std::string_view bytes, std::u16string& out) {
  return code_page_to_utf16(system_ansi_code_page(), bytes, out);
}

// The runtime layer reads 8-bit text (string lists loaded from files) in the system code
// page set here, from the moment this unit is initialised.
[[maybe_unused]] const bool ansi_decoder_installed =
    (set_ansi_decoder(&decode_in_system_code_page), true);

}  // namespace

}  // namespace corvane
