#pragma once
// Recognising and measuring UTF-8: the byte-order mark, the character count of a UTF-8
// string, and the check that decides from the first non-ASCII sequence whether a text is
// UTF-8. 8-bit strings here hold UTF-8 bytes; lengths are in bytes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// For each byte value, how many continuation bytes a sequence it leads has: 0 for 0-191,
// 1 for 192-223, 2 for 224-239, 3 for 240-247, 4 for 248-251, 5 for 252-255.
inline constexpr std::array<std::uint8_t, 256> UTF8_continuation_bytes = [] {
  std::array<std::uint8_t, 256> t{};
  for (int b = 0; b < 256; ++b)
    t[b] = b < 192 ? 0 : b < 224 ? 1 : b < 240 ? 2 : b < 248 ? 3 : b < 252 ? 4 : 5;
  return t;
}();

// The three signature bytes EF BB BF, as a UTF-8 string.
std::string UTF8SignatureAsUTF8String();

// True when p is not null and its first three bytes are the signature.
bool IsUTF8SignatureA(const void* p) noexcept;
// For a zero-terminated UTF-16 buffer holding raw file bytes: true when p is not null,
// the buffer holds at least 2 code units before its terminating zero, and its first three
// bytes (in memory order) are the signature.
bool IsUTF8SignatureW(const char16_t* p) noexcept;
// True when the three bytes p points to are the signature (false for null).
bool IsUTF8Signature(const void* p) noexcept;

// The number of characters of a UTF-8 string, counting sequences by their lead bytes; the
// length in bytes when a lead position holds a byte that cannot lead (80-BF, FE, FF) or
// the last sequence runs past the end.
int UTF8LengthInChars(std::string_view s);

// Whether the text is acceptable as UTF-8, decided at the first sequence that is not
// ASCII: true (with plain false) when that sequence is legal, without looking further;
// false when it is ill-formed or cut short by the end. An all-ASCII string gives true with
// plain left true. Calls MyYieldProcess for each byte it examines.
bool CheckedUTF(std::string_view s, bool& plain);

}  // namespace corvane
