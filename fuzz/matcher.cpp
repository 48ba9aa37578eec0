// Fuzz target for the buffer matcher: random buffers (8-bit or UTF-16), random class
// arrays with mark-up bits and marker words, random search texts with the wildcard and tag
// codes, random flags. The buffer and the class array are allocated at their exact sizes
// (the class array with its two spare words) so that AddressSanitizer catches any read
// outside them; every hit must lie inside the scanned range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "corvane/search/Bare_assemb3.hpp"

namespace {

struct Reader {
  const std::uint8_t* p;
  std::size_t n;
  std::uint8_t byte() {
    if (n == 0) return 0;
    --n;
    return *p++;
  }
  std::uint16_t word() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
};

// Search characters drawn mostly from a small set, so that the codes and the buffer's
// characters meet often.
char16_t search_char(Reader& r) {
  static constexpr char16_t kPool[] = {u'a', u'b', u'A', u' ', 0x15, 0x18, 0x19, 0x1A,
                                       0x1B, 0x1C, 0x1D, 0x1E, 0x1F, u'1', u'.', u'\n'};
  const std::uint8_t b = r.byte();
  if (b < 0xF0) return kPool[b & 15];
  return r.word();
}

std::uint16_t class_word(Reader& r) {
  static constexpr std::uint16_t kPool[] = {0x0302, 0x0301, 0x0204, 0x0248, 0x0210, 0x0220,
                                            0x0200, 0x0B02, 0x0A20, 0x0000, 0x880F, 0x0068};
  const std::uint8_t b = r.byte();
  if (b < 0xC0) return kPool[b % 12];
  if (b < 0xE0) return static_cast<std::uint16_t>(0x8000 | (14 + (b & 7)));
  return r.word();
}

char16_t buffer_char(Reader& r) {
  static constexpr char16_t kPool[] = {u'a', u'b', u'A', u' ', u'1', u'.', 0x18, 0x19};
  const std::uint8_t b = r.byte();
  if (b < 0xF0) return kPool[b & 7];
  return r.word();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader r{data, size};
  const std::uint8_t flags = r.byte();
  const std::uint8_t flags2 = r.byte();
  const std::size_t sw_n = r.byte() % 12;
  std::u16string lo, up, ti;
  for (std::size_t i = 0; i < sw_n; ++i) lo += search_char(r);
  up = lo;
  ti = lo;
  for (std::size_t i = 0; i < sw_n; ++i) {
    if (r.byte() & 1) up[i] = static_cast<char16_t>(up[i] ^ 0x20);
    if (r.byte() & 1) ti[i] = static_cast<char16_t>(ti[i] ^ 0x20);
  }
  // The search length the caller claims may differ from the texts' length.
  std::uint16_t sw_len = static_cast<std::uint16_t>(sw_n);
  if (flags2 & 0x80) sw_len = static_cast<std::uint16_t>(r.byte() % 16);

  const bool is_unicode = flags & 1;
  const std::size_t n = r.n / 3;
  auto details = std::make_unique<std::uint16_t[]>(n + 2);
  for (std::size_t i = 0; i < n + 2; ++i) details[i] = class_word(r);
  std::unique_ptr<char16_t[]> wide;
  std::unique_ptr<std::uint8_t[]> narrow;
  const void* buffer;
  if (is_unicode) {
    wide = std::make_unique<char16_t[]>(n);
    for (std::size_t i = 0; i < n; ++i) wide[i] = buffer_char(r);
    buffer = wide.get();
  } else {
    narrow = std::make_unique<std::uint8_t[]>(n);
    for (std::size_t i = 0; i < n; ++i) narrow[i] = static_cast<std::uint8_t>(buffer_char(r));
    buffer = narrow.get();
  }
  const std::size_t unit = is_unicode ? 2 : 1;

  const auto kernel = static_cast<corvane::detail::matcher_kernel>((flags >> 6) % 3);
  corvane::detail::set_matcher_kernel(kernel);

  // Walk the buffer like the engine, from a start inside it.
  const std::size_t start = n ? (flags2 & 0x3F) % (n + 1) : 0;
  corvane::TSearchStatsRec stats;
  bool heading = (flags2 & 0x40) != 0;
  std::size_t from = start;
  int calls = 0;
  while (from < n && calls++ < 64) {
    std::uint16_t ext = 0, exact = 0;
    const auto* base = static_cast<const std::uint8_t*>(buffer);
    const void* p = corvane::NewFindWantedInBuffer(
        base + from * unit, static_cast<std::int32_t>(n - from), details.get() + from,
        details.get(), details.get() + n + 1, up, lo, ti, sw_len, flags & 2, flags & 4, flags & 8,
        is_unicode, flags & 16, false, ext, exact, stats, heading, flags & 32, flags2 & 1,
        flags2 & 2, flags2 & 4);
    if (!p) break;
    const auto* hit = static_cast<const std::uint8_t*>(p);
    if (hit < base + from * unit || hit >= base + n * unit) std::abort();
    const std::size_t at = static_cast<std::size_t>(hit - base) / unit;
    // A hit's exact length stays within the characters, its extension within the class
    // words.
    if (exact == 0 || exact > n - at || ext < exact || ext > n + 1 - at) std::abort();
    from = at + 1;
  }

  // The class-array preparation on the same buffer.
  std::u16string allow = lo.substr(0, 3);
  corvane::HandleMiddleChars(buffer, details.get(), allow,
                             static_cast<std::uint16_t>(allow.size() + (flags2 & 1)),
                             static_cast<std::int32_t>(n), is_unicode, flags & 2, flags & 4);
  corvane::HandleMiddleCharsInNumbers(is_unicode, flags & 8, buffer, details.get(),
                                      static_cast<std::int32_t>(n));
  return 0;
}
