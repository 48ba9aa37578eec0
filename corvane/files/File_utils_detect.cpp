// Deciding what a buffer or a file holds: signatures, byte-order marks, the UTF-16
// likelihood test and the first-sequence UTF-8 check.
#include <cstring>
#include <string>
#include <vector>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/text/Utf8_unit.hpp"

namespace corvane {

namespace {

constexpr std::uint32_t kStorageSignature = 0xE011CFD0;    // D0 CF 11 E0
constexpr std::uint32_t kEarlyWordSignature = 0x002DA5DB;  // DB A5 2D 00
constexpr std::uint32_t kZipSignature = 0x04034B50;        // 50 4B 03 04

bool is_control_byte(unsigned char b) {
  return b < 0x20 && b != 0x09 && b != 0x0A && b != 0x0D;
}

bool impossible_in_text(char16_t c) {
  if (c < 0x20) return c != 0x09 && c != 0x0A && c != 0x0C && c != 0x0D;
  return (c >= 0x7F && c <= 0x9F) || c == 0xFFFE || c == 0xFFFF;
}

// The first-sequence UTF-8 check over bytes [0, n): ASCII is skipped quickly, and
// CheckedUTF judges from the first non-ASCII byte on (it stops at the first sequence).
bool first_sequence_is_utf8(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
  while (i < n && p[i] < 0x80) ++i;
  if (i == n) return false;
  // CheckedUTF needs only the sequence itself; four bytes hold the longest one.
  const std::size_t rest = std::min<std::size_t>(n - i, 4);
  bool plain = true;
  const bool ok = CheckedUTF(std::string_view(reinterpret_cast<const char*>(p + i), rest), plain);
  return ok && !plain;
}

}  // namespace

std::string_view file_contents_type_name(TFileContentsTypes type) {
  switch (type) {
    case _8_bit:
      return "_8_bit";
    case _UTF8:
      return "_UTF8";
    case _16_bit:
      return "_16_bit";
    case _early_Word:
      return "_early_Word";
    case _Storage:
      return "_Storage";
    case _Zip:
      return "_Zip";
    case _16_bit_reversed:
      return "_16_bit_reversed";
  }
  return {};
}

bool looks_like_utf16(const void* buffer, std::size_t size) noexcept {
  if (buffer == nullptr || size < 2 || size % 2 != 0) return false;
  const auto* p = static_cast<const unsigned char*>(buffer);
  if (p[0] == 0xFE && p[1] == 0xFF) return false;
  if (p[0] == 0xFF && p[1] == 0xFE) return true;
  const std::size_t units = size / 2;
  std::size_t impossible = 0, low_zero = 0, control_bytes = 0;
  bool pending_high_surrogate = false;
  for (std::size_t i = 0; i < units; ++i) {
    const unsigned char lo = p[2 * i], hi = p[2 * i + 1];
    const auto c = static_cast<char16_t>(lo | hi << 8);
    control_bytes += is_control_byte(lo) + is_control_byte(hi);
    if (lo == 0 && hi != 0) ++low_zero;
    if (c >= 0xDC00 && c <= 0xDFFF) {
      if (!pending_high_surrogate) ++impossible;
      pending_high_surrogate = false;
      continue;
    }
    if (pending_high_surrogate) ++impossible;
    pending_high_surrogate = c >= 0xD800 && c <= 0xDBFF;
    if (impossible_in_text(c)) ++impossible;
  }
  if (pending_high_surrogate) ++impossible;
  if (impossible * 100 > units) return false;
  if (low_zero * 8 > units) return false;
  return control_bytes * 40 >= size;
}

TFileContentsSet FileBufferType(const void* buffer, std::int64_t size, bool thorough) {
  TFileContentsSet result;
  if (buffer == nullptr || size < 4) return result;
  const auto* p = static_cast<const unsigned char*>(buffer);
  const std::uint32_t first4 = static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 |
                               static_cast<std::uint32_t>(p[3]) << 24;
  if (first4 == kStorageSignature) return {_Storage};
  if (first4 == kEarlyWordSignature) return {_early_Word};
  if (first4 == kZipSignature) return {_Zip};
  const bool utf8_signature = IsUTF8Signature(p);
  if (!thorough) {
    if (utf8_signature) result.include(_UTF8);
    if (p[0] == 0xFF && p[1] == 0xFE)
      result.include(_16_bit);
    else if (p[0] == 0xFE && p[1] == 0xFF)
      result.include(_16_bit_reversed);
    else
      result.include(_8_bit);
    return result;
  }
  if (size % 2 == 0) {
    if (p[0] == 0xFF && p[1] == 0xFE) return {_16_bit};
    if (p[0] == 0xFE && p[1] == 0xFF) return {_16_bit_reversed};
    // The test takes a 32-bit size, as the platform's does.
    const auto n32 = static_cast<std::uint32_t>(size);
    if (looks_like_utf16(p, n32 & ~1u)) return {_16_bit};
  }
  if (utf8_signature) return {_UTF8};
  const void* zero = std::memchr(p, 0, static_cast<std::size_t>(size));
  const std::size_t n = zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - p)
                             : static_cast<std::size_t>(size);
  return first_sequence_is_utf8(p, n) ? TFileContentsSet{_UTF8} : TFileContentsSet{_8_bit};
}

TFileContentsSet FileContentsType(const std::u16string& file_name, bool thorough) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
  try {
    const std::int64_t size = file.Size();
    if (size < 4) return {};
    const std::int64_t wanted = thorough ? size : 4;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(wanted));
    std::int64_t done = 0;
    while (done < wanted) {
      const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(wanted - done, 1 << 30));
      const std::int32_t got = file.Read(bytes.data() + done, chunk);
      if (got <= 0) return {};
      done += got;
    }
    return FileBufferType(bytes.data(), wanted, thorough);
  } catch (...) {
    return {};
  }
}

std::int32_t FileContentsComparison(TFileContentsSet A, TFileContentsSet B) {
  if (A.empty() && B.empty()) return 0;
  return CompareLongints(A.bits & 0x7F, B.bits & 0x7F);
}

bool StringIsInUnicode(const void* buffer, std::int32_t length) {
  if (buffer == nullptr || length < 4) return false;
  const auto* p = static_cast<const unsigned char*>(buffer);
  if ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)) return true;
  return looks_like_utf16(p, static_cast<std::size_t>(length));
}

bool TextFileInUnicode(const std::u16string& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
  const std::int64_t size = file.Size();
  if (size <= 0) return false;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  std::int64_t done = 0;
  while (done < size) {
    const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(size - done, 1 << 30));
    const std::int32_t got = file.Read(bytes.data() + done, chunk);
    if (got <= 0) break;
    done += got;
  }
  return StringIsInUnicode(bytes.data(), static_cast<std::int32_t>(done));
}

}  // namespace corvane
