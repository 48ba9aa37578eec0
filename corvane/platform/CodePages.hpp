#pragma once
// Windows code pages on ICU: code-page numbers opened as ICU converters, the system's
// 8-bit ("ANSI") code page, and each locale's default 8-bit code page from our own table.

#include <cstddef>
#include <string>
#include <string_view>

#include "corvane/platform/Locales.hpp"

struct UConverter;

namespace corvane {

inline constexpr int CP_ACP = 0;
inline constexpr int CP_OEMCP = 1;
inline constexpr int CP_MACCP = 2;
inline constexpr int CP_THREAD_ACP = 3;
inline constexpr int CP_UTF16LE = 1200;
inline constexpr int CP_UTF16BE = 1201;
inline constexpr int CP_UTF7 = 65000;
inline constexpr int CP_UTF8 = 65001;

// The system's 8-bit code page: 1252 unless configured, by set_system_ansi_code_page or
// else by the environment variable CORVANE_ANSI_CODEPAGE (a code-page number that ICU can
// open; anything else is ignored).
int system_ansi_code_page();
// Sets it (0 goes back to the configured default). False, and nothing changes, when the
// number names no code page ICU can open.
bool set_system_ansi_code_page(int code_page);
// The system's OEM (console) code page: 437.
int system_oem_code_page();

// The ICU converter name for a Windows code-page number ("windows-1252", "ibm-437_P100-1995"
// ...), after resolving the placeholders 0 to 3 (CP_ACP and CP_THREAD_ACP: the system 8-bit
// code page; CP_OEMCP: the OEM one; CP_MACCP: 10000). Empty when ICU has no converter.
std::string icu_converter_name(int code_page);

// True when icu_converter_name finds a converter.
bool is_valid_code_page(int code_page);

// The default 8-bit code page of a locale, from our table of the Windows values: 1250 to
// 1258, 874 (Thai), 932, 936, 949, 950, or 0 for locales whose script has no 8-bit code
// page (Indic, Armenian, Georgian, Ethiopic ...; the value 0 is CP_ACP to the converters).
// Every locale that ICU maps to an LCID has an entry. False, and `code_page` unchanged,
// for a locale the table does not know.
bool locale_default_ansi_code_page(std::string_view icu_locale, int& code_page);
bool lcid_default_ansi_code_page(TLCID lcid, int& code_page);

// The default OEM (console) code page of a locale, from our table of the Windows values
// beside the 8-bit one: 437 for U.S. English, 850 for the other Western locales, 852
// Central European, 866 Cyrillic, 737 Greek, 857 Turkish, 862 Hebrew, 720 Arabic, 775
// Baltic, the East Asian, Thai and Vietnamese pages as their 8-bit ones, and 1 (the OEM
// placeholder) for locales with no 8-bit code page. False, and `code_page` unchanged,
// for a locale the 8-bit table does not know.
bool locale_default_oem_code_page(std::string_view icu_locale, int& code_page);
bool lcid_default_oem_code_page(TLCID lcid, int& code_page);

// An open ICU converter for one code page. Bytes are mapped by ICU's table for the code
// page (an ill-formed multi-byte sequence becomes U+FFFD); characters the code page cannot
// hold become "?" (the converter's own substitute where it has no one-byte form).
class CodePageConverter {
 public:
  explicit CodePageConverter(int code_page);
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // False when the code page could not be opened; the conversions then give false.
  bool ok() const noexcept { return converter_ != nullptr; }
  int code_page() const noexcept { return code_page_; }

  bool to_utf16(std::string_view bytes, std::u16string& out);
  bool from_utf16(std::u16string_view text, std::string& out);

 private:
  int code_page_;
  UConverter* converter_ = nullptr;
};

// One-off conversions; false (and `out` empty) when the code page cannot be opened.
bool code_page_to_utf16(int code_page, std::string_view bytes, std::u16string& out);
bool utf16_to_code_page(int code_page, std::u16string_view text, std::string& out);

}  // namespace corvane
