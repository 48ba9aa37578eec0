// Deciding what a buffer or a file holds: signatures, byte-order marks, the UTF-16
// likelihood test and the first-sequence UTF-8 check.
#include <algorithm>
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

// The evidence of the UTF-16 likelihood test, gathered a piece at a time so that a file is
// judged without holding it. Pieces are fed in order; an odd byte waits for the next piece.
class Utf16Evidence {
 public:
  void feed(const unsigned char* p, std::size_t n) noexcept {
    if (n == 0) return;
    if (has_carry_) {
      unit(carry_, p[0]);
      has_carry_ = false;
      ++p;
      --n;
    }
    for (std::size_t i = 0; i + 1 < n; i += 2) unit(p[i], p[i + 1]);
    if (n % 2 != 0) {
      carry_ = p[n - 1];
      has_carry_ = true;
    }
  }

  // Whether the verdict is already false, with `total_units` code units to be fed in all:
  // too many impossible units or big-endian shapes cannot be outweighed by the rest.
  bool certainly_not(std::size_t total_units) const noexcept {
    if (bom_ != 0) return bom_ < 0;
    return impossible_ * 100 > total_units || low_zero_ * 8 > total_units;
  }

  // The verdict over everything fed, which must be an even number of at least 2 bytes.
  bool verdict() const noexcept {
    if (units_ < 1 || has_carry_) return false;
    if (bom_ != 0) return bom_ > 0;
    std::size_t impossible = impossible_ + (pending_high_surrogate_ ? 1 : 0);
    if (impossible * 100 > units_) return false;
    if (low_zero_ * 8 > units_) return false;
    return control_bytes_ * 40 >= 2 * units_;
  }

 private:
  void unit(unsigned char lo, unsigned char hi) noexcept {
    if (units_++ == 0) {
      if (lo == 0xFE && hi == 0xFF) bom_ = -1;
      if (lo == 0xFF && hi == 0xFE) bom_ = 1;
    }
    const auto c = static_cast<char16_t>(lo | hi << 8);
    control_bytes_ += is_control_byte(lo) + is_control_byte(hi);
    if (lo == 0 && hi != 0) ++low_zero_;
    if (c >= 0xDC00 && c <= 0xDFFF) {
      if (!pending_high_surrogate_) ++impossible_;
      pending_high_surrogate_ = false;
      return;
    }
    if (pending_high_surrogate_) ++impossible_;
    pending_high_surrogate_ = c >= 0xD800 && c <= 0xDBFF;
    if (impossible_in_text(c)) ++impossible_;
  }

  std::size_t units_ = 0, impossible_ = 0, low_zero_ = 0, control_bytes_ = 0;
  bool pending_high_surrogate_ = false, has_carry_ = false;
  unsigned char carry_ = 0;
  int bom_ = 0;  // 1 for FF FE, -1 for FE FF at the start
};

// The first-sequence UTF-8 check over the bytes before the first zero byte, fed a piece at
// a time: ASCII is skipped, and CheckedUTF judges the first non-ASCII sequence (it needs
// that sequence only; four bytes hold the longest).
class FirstSequenceCheck {
 public:
  // False once the verdict is known and nothing more needs feeding.
  bool wants_more() const noexcept { return !done_; }

  void feed(const unsigned char* p, std::size_t n) noexcept {
    for (std::size_t i = 0; i < n && !done_; ++i) {
      if (p[i] == 0) {
        done_ = true;
      } else if (length_ > 0 || p[i] >= 0x80) {
        sequence_[length_++] = static_cast<char>(p[i]);
        if (length_ == sizeof sequence_) done_ = true;
      }
    }
  }

  bool is_utf8() const noexcept {
    if (length_ == 0) return false;
    bool plain = true;
    return CheckedUTF(std::string_view(sequence_, length_), plain) && !plain;
  }

 private:
  char sequence_[4] = {};
  std::size_t length_ = 0;
  bool done_ = false;
};

// The signature, byte-order-mark and quick rules, which need the first four bytes only.
// Sets `decided` when they settle the verdict.
TFileContentsSet verdict_from_start(const unsigned char* p, std::int64_t size, bool thorough,
                                    bool& decided) {
  decided = true;
  const std::uint32_t first4 = static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 |
                               static_cast<std::uint32_t>(p[3]) << 24;
  if (first4 == kStorageSignature) return {_Storage};
  if (first4 == kEarlyWordSignature) return {_early_Word};
  if (first4 == kZipSignature) return {_Zip};
  if (!thorough) {
    TFileContentsSet result;
    if (IsUTF8Signature(p)) result.include(_UTF8);
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
  }
  decided = false;
  return {};
}

// How many bytes the UTF-16 test of a thorough verdict looks at: the platform's test takes
// a 32-bit size, so the size is taken modulo 2^32 (and made even); none for an odd size.
std::uint64_t utf16_test_bytes(std::int64_t size) {
  return size % 2 == 0 ? static_cast<std::uint32_t>(size) & ~1u : 0;
}

// The thorough rules after the first four bytes, from the gathered evidence.
TFileContentsSet thorough_verdict(const unsigned char* start, std::uint64_t utf16_bytes,
                                  const Utf16Evidence& utf16, const FirstSequenceCheck& utf8) {
  if (utf16_bytes >= 2 && utf16.verdict()) return {_16_bit};
  if (IsUTF8Signature(start)) return {_UTF8};
  return utf8.is_utf8() ? TFileContentsSet{_UTF8} : TFileContentsSet{_8_bit};
}

// Reads up to n bytes at the file's position; fewer only at its end.
std::size_t read_fully(TFileStream& file, unsigned char* into, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    const std::int32_t got = file.Read(into + done, static_cast<std::int32_t>(n - done));
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

constexpr std::size_t kDetectPiece = 1 << 20;

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

std::string file_contents_names(TFileContentsSet verdict, char separator) {
  std::string out;
  for (int m = _8_bit; m <= _16_bit_reversed; ++m) {
    const auto member = static_cast<TFileContentsTypes>(m);
    if (!verdict.contains(member)) continue;
    if (!out.empty()) out += separator;
    out += file_contents_type_name(member);
  }
  return out.empty() ? "unknown" : out;
}

bool looks_like_utf16(const void* buffer, std::size_t size) noexcept {
  if (buffer == nullptr || size < 2 || size % 2 != 0) return false;
  Utf16Evidence evidence;
  evidence.feed(static_cast<const unsigned char*>(buffer), size);
  return evidence.verdict();
}

TFileContentsSet FileBufferType(const void* buffer, std::int64_t size, bool thorough) {
  if (buffer == nullptr || size < 4) return {};
  const auto* p = static_cast<const unsigned char*>(buffer);
  bool decided = false;
  const TFileContentsSet start = verdict_from_start(p, size, thorough, decided);
  if (decided) return start;
  const std::uint64_t utf16_bytes = utf16_test_bytes(size);
  Utf16Evidence utf16;
  utf16.feed(p, static_cast<std::size_t>(utf16_bytes));
  FirstSequenceCheck utf8;
  utf8.feed(p, static_cast<std::size_t>(size));
  return thorough_verdict(p, utf16_bytes, utf16, utf8);
}

// The file is read a piece at a time, and only as far as the verdict needs: the UTF-16 test
// looks at every byte of an even-sized file, the UTF-8 check only up to the first
// non-ASCII sequence. Memory stays at one piece whatever the file's size.
TFileContentsSet FileContentsType(const std::u16string& file_name, bool thorough) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
  try {
    const std::int64_t size = file.Size();
    if (size < 4) return {};
    std::vector<unsigned char> piece(
        static_cast<std::size_t>(std::min<std::int64_t>(size, thorough ? kDetectPiece : 4)));
    std::size_t got = read_fully(file, piece.data(), piece.size());
    if (got < 4) return {};
    unsigned char start[4];
    std::memcpy(start, piece.data(), 4);
    bool decided = false;
    const TFileContentsSet quick = verdict_from_start(start, size, thorough, decided);
    if (decided) return quick;
    const std::uint64_t utf16_bytes = utf16_test_bytes(size);
    Utf16Evidence utf16;
    FirstSequenceCheck utf8;
    std::uint64_t offset = 0;
    while (true) {
      if (offset < utf16_bytes)
        utf16.feed(piece.data(),
                   static_cast<std::size_t>(std::min<std::uint64_t>(got, utf16_bytes - offset)));
      utf8.feed(piece.data(), got);
      offset += got;
      // Binary data settles the UTF-16 test long before its end.
      const bool utf16_needs_more = offset < utf16_bytes && !utf16.certainly_not(utf16_bytes / 2);
      if (!utf16_needs_more && !utf8.wants_more()) break;
      if (offset >= static_cast<std::uint64_t>(size)) break;
      got = read_fully(file, piece.data(), piece.size());
      // A file that shrank while it was read cannot be judged.
      if (got == 0) return {};
    }
    return thorough_verdict(start, utf16_bytes, utf16, utf8);
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
  // As StringIsInUnicode over the whole file, whose length it takes as 32 bits.
  const auto length = static_cast<std::int32_t>(size);
  if (size <= 0 || length < 4) return false;
  std::vector<unsigned char> piece(
      std::min<std::size_t>(static_cast<std::size_t>(length), kDetectPiece));
  Utf16Evidence evidence;
  std::uint64_t done = 0;
  while (done < static_cast<std::uint64_t>(length)) {
    const std::size_t want = static_cast<std::size_t>(
        std::min<std::uint64_t>(piece.size(), static_cast<std::uint64_t>(length) - done));
    const std::size_t got = read_fully(file, piece.data(), want);
    if (got == 0) break;
    // Either byte-order mark says UTF-16 at once.
    if (done == 0 && got >= 4 &&
        ((piece[0] == 0xFF && piece[1] == 0xFE) || (piece[0] == 0xFE && piece[1] == 0xFF)))
      return true;
    evidence.feed(piece.data(), got);
    done += got;
  }
  // Fewer bytes than the size said (the file shrank): judged on what was read.
  if (done < 4) return false;
  return done % 2 == 0 && evidence.verdict();
}

}  // namespace corvane
