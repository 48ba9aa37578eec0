#pragma once
// The system 8-bit code page as the string list's loader needs it: a configurable
// Windows code-page number (1252 unless set) and the conversion of bytes to UTF-16.
// The full code-page service lives in corvane/platform; this is the runtime's own.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The Windows code-page number used for 8-bit text without a byte-order mark.
std::uint32_t system_ansi_code_page();
void set_system_ansi_code_page(std::uint32_t code_page);

namespace detail {
// Decodes bytes in the given Windows code page (through ICU's "windows-N" converter;
// falls back to windows-1252 when ICU has none). Never fails: unmapped bytes become the
// converter's substitute.
std::u16string ansi_to_utf16(std::string_view bytes, std::uint32_t code_page);
}  // namespace detail

}  // namespace corvane
