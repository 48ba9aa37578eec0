// Loading text whose encoding was never declared: strict UTF-8 decoding, table-driven
// single-byte code pages, and the string list that chooses between them.
#include <sys/mman.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

#include <unicode/ucnv.h>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/SysUtils.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Utf8_unit.hpp"

namespace corvane {

namespace {

// The bytes from the stream's position to its end.
std::string read_rest(TStream& stream) {
  const std::int64_t size = stream.Remaining();
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk =
        static_cast<std::int32_t>(std::min<std::size_t>(bytes.size() - done, 1 << 30));
    const std::int32_t got = stream.Read(bytes.data() + done, chunk);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

// One strict UTF-8 sequence that starts with the non-ASCII byte p[i] of p[0..n): its code
// point and length. False for an ill-formed, overlong, surrogate or out-of-range sequence
// and for one cut short by the end.
inline bool utf8_sequence(const unsigned char* p, std::size_t i, std::size_t n, std::uint32_t& cp,
                          std::size_t& len) {
  const unsigned b0 = p[i];
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    if (i + 1 >= n || (p[i + 1] & 0xC0) != 0x80) return false;
    cp = (b0 & 0x1F) << 6 | (p[i + 1] & 0x3F);
    len = 2;
    return true;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (i + 2 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80) return false;
    cp = (b0 & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F);
    len = 3;
    return cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (i + 3 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80 ||
        (p[i + 3] & 0xC0) != 0x80)
      return false;
    cp = (b0 & 0x07) << 18 | (p[i + 1] & 0x3F) << 12 | (p[i + 2] & 0x3F) << 6 | (p[i + 3] & 0x3F);
    len = 4;
    return cp >= 0x10000 && cp <= 0x10FFFF;
  }
  return false;
}

// Copies the ASCII run at the start of [p, end) and returns how far it reached.
inline std::size_t widen_ascii(const unsigned char* p, std::size_t n, char16_t* out) {
  std::size_t i = 0;
  while (i + 8 <= n) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (word & 0x8080808080808080ull) break;
    for (int k = 0; k < 8; ++k) out[i + k] = p[i + k];
    i += 8;
  }
  while (i < n && p[i] < 0x80) {
    out[i] = p[i];
    ++i;
  }
  return i;
}

struct SingleByteTable {
  std::array<char16_t, 256> map{};
  std::array<bool, 256> mapped{};
};

// Tables of the single-byte code pages seen so far (null for pages that are not).
const SingleByteTable* single_byte_table(int code_page) {
  static std::mutex mutex;
  static std::unordered_map<int, std::unique_ptr<SingleByteTable>> tables;
  std::lock_guard<std::mutex> lock(mutex);
  auto found = tables.find(code_page);
  if (found != tables.end()) return found->second.get();
  std::unique_ptr<SingleByteTable> table;
  CodePageConverter converter(code_page);
  if (converter.ok()) {
    table = std::make_unique<SingleByteTable>();
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      std::u16string one;
      if (!converter.to_utf16(std::string_view(&byte, 1), one) || one.size() != 1) {
        table.reset();  // a lead byte of a multi-byte page, or no single mapping
        break;
      }
      table->map[b] = one[0];
      table->mapped[b] = one[0] != 0xFFFD && one[0] != 0x1A;
    }
    if (table) table->mapped[0x1A] = table->map[0x1A] == 0x1A;
  }
  const SingleByteTable* result = table.get();
  tables.emplace(code_page, std::move(table));
  return result;
}

// The same for a charset named as ICU names it (null for one that is not single-byte).
const SingleByteTable* single_byte_table(const std::string& charset) {
  static std::mutex mutex;
  static std::unordered_map<std::string, std::unique_ptr<SingleByteTable>> tables;
  std::lock_guard<std::mutex> lock(mutex);
  auto found = tables.find(charset);
  if (found != tables.end()) return found->second.get();
  std::unique_ptr<SingleByteTable> table;
  UErrorCode err = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(charset.c_str(), &err);
  if (U_SUCCESS(err) && converter != nullptr && ucnv_getMaxCharSize(converter) == 1) {
    table = std::make_unique<SingleByteTable>();
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      UChar one[4];
      err = U_ZERO_ERROR;
      ucnv_reset(converter);
      const std::int32_t got = ucnv_toUChars(converter, one, 4, &byte, 1, &err);
      if (U_FAILURE(err) || got != 1) {
        table.reset();
        break;
      }
      // A C1 control is no character of a text: the byte is one the page does not map
      // (read as the control all the same, as TextFileContents reads it).
      const bool c1 = b >= 0x80 && one[0] >= 0x80 && one[0] <= 0x9F;
      table->map[b] = static_cast<char16_t>(one[0]);
      table->mapped[b] = !c1 && one[0] != 0xFFFD && one[0] != 0x1A;
    }
    if (table) table->mapped[0x1A] = table->map[0x1A] == 0x1A;
    // Bytes below 0x80 are read as ASCII whatever the charset (the decoders rely on it).
    for (int b = 0; table && b < 0x80; ++b)
      if (table->map[b] != b) table.reset();
  }
  if (converter != nullptr) ucnv_close(converter);
  const SingleByteTable* result = table.get();
  tables.emplace(charset, std::move(table));
  return result;
}

}  // namespace

namespace detail {

bool file_exists(const std::u16string& file_name) {
  std::error_code ec;
  return !file_name.empty() && std::filesystem::is_regular_file(utf16_to_utf8(file_name), ec);
}

bool strict_utf8_to_utf16(std::string_view bytes, std::u16string& out, bool& has_multibyte) {
  has_multibyte = false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  out.resize(n);  // never more code units than bytes
  char16_t* o = out.data();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t run = widen_ascii(p + i, n - i, o);
    i += run;
    o += run;
    if (i >= n) break;
    std::uint32_t cp;
    std::size_t len;
    if (!utf8_sequence(p, i, n, cp, len)) return false;
    has_multibyte = true;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *o++ = static_cast<char16_t>(0xD800 | cp >> 10);
      *o++ = static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    } else {
      *o++ = static_cast<char16_t>(cp);
    }
    i += len;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return true;
}

bool single_byte_to_utf16(int code_page, std::string_view bytes, std::u16string& out,
                          bool& lossless) {
  const SingleByteTable* table = single_byte_table(code_page);
  lossless = true;
  if (table == nullptr) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  out.resize(n);
  char16_t* o = out.data();
  std::size_t i = 0;
  while (i < n) {
    i += widen_ascii(p + i, n - i, o + i);
    while (i < n && p[i] >= 0x80) {
      o[i] = table->map[p[i]];
      lossless = lossless && table->mapped[p[i]];
      ++i;
    }
  }
  return true;
}

std::u16string decode_unmarked_text(std::string_view bytes, TTextEncodingKind& kind) {
  std::u16string text;
  bool multibyte = false;
  if (strict_utf8_to_utf16(bytes, text, multibyte) && multibyte) {
    kind = enc_utf8;
    return text;
  }
  kind = enc_ansi;
  bool lossless = true;
  if (single_byte_to_utf16(system_ansi_code_page(), bytes, text, lossless)) return text;
  // A multi-byte system code page goes through its converter.
  if (code_page_to_utf16(system_ansi_code_page(), bytes, text)) return text;
  single_byte_to_utf16(1252, bytes, text, lossless);
  return text;
}

}  // namespace detail

void TPossiblyDodgyTextStringlist::LoadFromFile(const std::u16string& file_name) {
  std::string bytes;
  {
    TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
    bytes = read_rest(file);
  }
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  if (bytes.size() > 2) SignedUTF8 = p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF;
  std::u16string text;
  const bool marked =
      (bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ||
      (bytes.size() >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)));
  if (marked) {
    text = decode_text_bytes(bytes, &loaded_encoding_);
  } else {
    // The decision SetTextStr makes for 8-bit text, taken on the file's own bytes: they
    // are the 8-bit form, exactly, even where the code page maps a byte nowhere.
    text = detail::decode_unmarked_text(bytes, loaded_encoding_);
  }
  std::string().swap(bytes);
  BeginUpdate();
  try {
    Clear();
    add_lines(text);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TPossiblyDodgyTextStringlist::add_lines(std::u16string_view text) {
  std::vector<std::u16string> lines = split_text_lines(text, LineBreak());
  SetCapacity(static_cast<std::int32_t>(lines.size()));
  for (auto& line : lines) Add(std::move(line));
}

void TPossiblyDodgyTextStringlist::SetTextStr(const std::u16string& text) {
  BeginUpdate();
  try {
    Clear();
    if (!text.empty()) {
      const TTextEncodingKind kind = Encoding() != enc_none ? Encoding() : loaded_encoding_;
      bool recode = SignedUTF8;
      if (!recode && kind == enc_ansi) {
        // Only a single-byte system code page can hide UTF-8 this way.
        bool lossless = true;
        std::u16string ignored;
        recode = detail::single_byte_to_utf16(system_ansi_code_page(), {}, ignored, lossless);
      }
      std::u16string recoded;
      if (recode) {
        std::string eight_bit;
        std::u16string round_trip;
        // The 8-bit form must hold the whole text: a character the code page lacks would
        // come back as "?" and be lost.
        if (utf16_to_code_page(system_ansi_code_page(), text, eight_bit) &&
            code_page_to_utf16(system_ansi_code_page(), eight_bit, round_trip) &&
            round_trip == text &&
            static_cast<std::size_t>(UTF8LengthInChars(eight_bit)) != text.size()) {
          bool multibyte = false;
          if (!detail::strict_utf8_to_utf16(eight_bit, recoded, multibyte)) recoded.clear();
        }
      }
      add_lines(recoded.empty() ? std::u16string_view(text) : std::u16string_view(recoded));
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

namespace {

// True when the 8 bytes hold a byte of 0x80 or above, or one below 0x0E (where the line
// breaks and U+0000 are).
inline bool word_needs_care(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  return ((word | ((word - kOnes * 0x0E) & ~word)) & kHigh) != 0;
}

// 8-bit or UTF-8 bytes straight to the text TextFileContents returns: every line ended by
// CR LF (a CR LF pair, a lone CR and a lone LF each end a line), U+0000 ending the text.
// Counts the units when `out` is null, writes them otherwise. Returns the number of
// units, or npos when `table` is null and the bytes are not strict UTF-8. Without
// `close_last_line` a last line left open stays open (the bytes are one part of a file).
template <bool write>
std::size_t decode_lines(const unsigned char* p, std::size_t n, const SingleByteTable* table,
                         char16_t* out, bool& has_multibyte, bool close_last_line = true,
                         bool zero_is_blank = false, bool repair = false) {
  has_multibyte = false;
  std::size_t units = 0;
  bool at_line_start = true;
  // U+0000 ends the text; when counting UTF-8 the rest is still checked, since the choice
  // between UTF-8 and 8-bit rests on all the bytes.
  bool stopped = false;
  std::size_t stopped_units = 0;
  bool stopped_at_line_start = true;
  auto put = [&](char16_t c) {
    if constexpr (write) out[units] = c;
    ++units;
  };
  std::size_t i = 0;
  while (i < n) {
#if defined(__SSE2__)
    // Sixteen bytes at a time while they are ASCII above the line-break controls. A block
    // is widened whole even when it holds a byte that needs care: the units up to that
    // byte are kept, the rest is written over (so `out` needs room for 16 more units).
    const __m128i below = _mm_set1_epi8(0x0E);
    while (i + 16 <= n) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      // Signed compare: bytes of 0x80 and above are negative, so also "below 0x0E".
      const int care = _mm_movemask_epi8(_mm_cmplt_epi8(v, below));
      if constexpr (write) {
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + units), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + units + 8), _mm_unpackhi_epi8(v, zero));
      }
      const int clean = care == 0 ? 16 : __builtin_ctz(static_cast<unsigned>(care));
      units += static_cast<std::size_t>(clean);
      i += static_cast<std::size_t>(clean);
      if (clean > 0) at_line_start = false;
      if (care != 0) break;
    }
#endif
    while (i + 8 <= n) {
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      if (word_needs_care(word)) break;
      if constexpr (write)
        for (int k = 0; k < 8; ++k) out[units + k] = p[i + k];
      units += 8;
      i += 8;
      at_line_start = false;
    }
    if (i >= n) break;
    const unsigned b0 = p[i];
    if (b0 < 0x80) {
      if (b0 == 0 && zero_is_blank) {
        put(u' ');
        at_line_start = false;
        ++i;
        continue;
      }
      if (b0 == 0 && !stopped) {
        if (write || table != nullptr) break;
        stopped = true;
        stopped_units = units;
        stopped_at_line_start = at_line_start;
      }
      if (b0 == '\r' || b0 == '\n') {
        put(u'\r');
        put(u'\n');
        at_line_start = true;
        i += (b0 == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
      } else {
        put(static_cast<char16_t>(b0));
        at_line_start = false;
        ++i;
      }
      continue;
    }
    at_line_start = false;
    if (table != nullptr) {
      put(table->map[b0]);
      ++i;
      continue;
    }
    std::uint32_t cp;
    std::size_t len;
    if (!utf8_sequence(p, i, n, cp, len)) {
      if (!repair) return std::string::npos;
      put(u'\uFFFD');  // a byte that belongs to no sequence
      ++i;
      continue;
    }
    has_multibyte = true;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(static_cast<char16_t>(0xD800 | cp >> 10));
      put(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
    } else {
      put(static_cast<char16_t>(cp));
    }
    i += len;
  }
  if (stopped) {
    units = stopped_units;
    at_line_start = stopped_at_line_start;
  }
  if (!at_line_start && close_last_line) {
    put(u'\r');
    put(u'\n');
  }
  return units;
}

// Large buffers fill far faster in huge pages where the system offers them on request:
// a 64 MiB text otherwise costs some 30,000 page faults.
void advise_huge_pages(void* start, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
  const auto begin = (reinterpret_cast<std::uintptr_t>(start) + kHuge - 1) & ~(kHuge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)start;
  (void)bytes;
#endif
}

std::size_t decode_to_lines(const unsigned char* p, std::size_t n, const SingleByteTable* table,
                            char16_t* out, bool& has_multibyte) {
  return out != nullptr ? decode_lines<true>(p, n, table, out, has_multibyte)
                        : decode_lines<false>(p, n, table, out, has_multibyte);
}

// Whether bytes are strict UTF-8 and hold a multi-byte sequence: what the counting pass of
// decode_lines decides, found faster by stepping over ASCII 64 bytes at a time.
struct utf8_verdict {
  bool well_formed = true;
  bool multibyte = false;
};

// With `zero`, also where the first zero byte is (left alone when there is none).
utf8_verdict check_utf8(const unsigned char* p, std::size_t n, std::size_t* zero = nullptr) {
  utf8_verdict v;
  bool look_for_zero = zero != nullptr;
  std::size_t i = 0;
  while (i < n) {
#if defined(__SSE2__)
    const __m128i nothing = _mm_setzero_si128();
    while (i + 64 <= n) {
      const auto* q = reinterpret_cast<const __m128i*>(p + i);
      const __m128i a = _mm_loadu_si128(q), b = _mm_loadu_si128(q + 1);
      const __m128i c = _mm_loadu_si128(q + 2), d = _mm_loadu_si128(q + 3);
      const __m128i any = _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
      if (_mm_movemask_epi8(any) != 0) break;
      if (look_for_zero) {
        // ASCII bytes are unsigned below 0x80: the minimum is zero only where a zero is.
        const __m128i low = _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(low, nothing)) != 0) break;
      }
      i += 64;
    }
#endif
    // One sequence at a time up to the next 64-byte stretch.
    const std::size_t stop = std::min(n, i + 64);
    while (i < stop) {
      const unsigned b0 = p[i];
      if (b0 < 0x80) {
        if (b0 == 0 && look_for_zero) {
          *zero = i;
          look_for_zero = false;
        }
        ++i;
        continue;
      }
      std::uint32_t cp;
      std::size_t len;
      if (!utf8_sequence(p, i, n, cp, len)) {
        v.well_formed = false;
        v.multibyte = false;
        if (look_for_zero) {
          const void* z = std::memchr(p + i, 0, n - i);
          if (z != nullptr)
            *zero = static_cast<std::size_t>(static_cast<const unsigned char*>(z) - p);
        }
        return v;
      }
      v.multibyte = true;
      i += len;
    }
  }
  return v;
}

// The whole file, mapped (read when it cannot be mapped).
class FileBytes {
 public:
  // `populate`: the whole file is about to be read, so its pages are mapped in at once.
  explicit FileBytes(const std::u16string& file_name, bool populate = true) {
    TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
    const std::int64_t size = file.Size();
    if (size <= 0) return;
    size_ = static_cast<std::size_t>(size);
    void* map = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | (populate ? MAP_POPULATE : 0),
                       file.Handle(), 0);
    if (map != MAP_FAILED) {
      mapped_ = map;
      data_ = static_cast<const unsigned char*>(map);
      return;
    }
    copy_.reset(new unsigned char[size_]);
    std::size_t n = 0;
    while (n < size_) {
      const auto chunk = static_cast<std::int32_t>(std::min<std::size_t>(size_ - n, 1 << 30));
      const std::int32_t got = file.Read(copy_.get() + n, chunk);
      if (got <= 0) break;
      n += static_cast<std::size_t>(got);
    }
    size_ = n;
    data_ = copy_.get();
  }
  ~FileBytes() {
    if (mapped_ != nullptr) ::munmap(mapped_, size_);
  }
  // Bytes already in memory (an archive's entry), kept here.
  explicit FileBytes(std::string bytes) : owned_(std::move(bytes)) {
    data_ = reinterpret_cast<const unsigned char*>(owned_.data());
    size_ = owned_.size();
  }
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  const unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }
  // The pages of [from, to) leave this process's memory until they are read again (from
  // the page cache): a long text read once keeps only what is being read. Pages go in
  // blocks of 64 KiB, as the system maps them in around a fault: the block that holds `to`
  // stays, the one that holds `from` goes too, so that consecutive releases leave no block
  // behind and reading on maps no released page in again.
  void release(std::size_t from, std::size_t to) const {
    if (mapped_ == nullptr) return;
    to = std::min(to, size_);
    const std::size_t page = std::size_t{64} << 10;
    const std::size_t a = from & ~(page - 1), b = to & ~(page - 1);
    if (b > a) ::madvise(static_cast<unsigned char*>(mapped_) + a, b - a, MADV_DONTNEED);
  }

 private:
  void* mapped_ = nullptr;
  std::unique_ptr<unsigned char[]> copy_;
  std::string owned_;
  const unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
};

std::u16string lines_with_crlf(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 32 + 2);
  for (const std::u16string& line : split_text_lines(text)) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

// The text of UTF-16 bytes without a byte-order mark, when the verdict would take them for
// UTF-16: little-endian as looks_like_utf16 judges, or big-endian where the bytes judged
// swapped pass (zero bytes at even offsets: the high bytes of Latin letters come first).
// False, quickly, for the texts of 8-bit code pages and UTF-8, which have next to no
// control bytes.
bool unmarked_utf16(const unsigned char* p, std::size_t n, std::u16string& text,
                    TTextEncodingKind& kind) {
  if (n < 4 || n % 2 != 0) return false;
  const std::size_t look = std::min<std::size_t>(n, 4096);
  std::size_t controls = 0, even_zeros = 0, odd_zeros = 0;
  for (std::size_t i = 0; i < look; ++i) {
    const unsigned char b = p[i];
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') ++controls;
    if (b == 0) ++(i % 2 == 0 ? even_zeros : odd_zeros);
  }
  if (controls * 40 < look) return false;
  // A few bytes say too little to swap them on the strength of where their zeros are.
  const bool big_endian = even_zeros > odd_zeros && n >= 16;
  std::u16string units(n / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const unsigned lo = p[2 * i + (big_endian ? 1 : 0)], hi = p[2 * i + (big_endian ? 0 : 1)];
    units[i] = static_cast<char16_t>(lo | hi << 8);
  }
  if (!looks_like_utf16(units.data(), units.size() * 2)) return false;
  std::replace(units.begin(), units.end(), u'\0', u' ');  // a blank, not the end
  text = lines_with_crlf(units);
  kind = big_endian ? enc_utf16be : enc_utf16le;
  return true;
}

}  // namespace

// The list's whole text with its default line break, made without building the list:
// the bytes are decoded and their lines ended by CR LF in one pass.
namespace {

// The bytes' text as TextFileContents makes it; `file_name` names the file they were read
// from (null for bytes that come from no file).
std::u16string text_contents(const unsigned char* p, std::size_t n,
                             const std::u16string* file_name) {
  const SingleByteTable* table = single_byte_table(system_ansi_code_page());
  if (table == nullptr) {
    // A multi-byte system code page: the list decides, as it always may.
    if (file_name == nullptr)
      return lines_with_crlf(
          detail::decode_file_bytes(std::string_view(reinterpret_cast<const char*>(p), n)));
    TPossiblyDodgyTextStringlist list;
    list.LoadFromFile(*file_name);
    return list.Text();
  }
  const SingleByteTable* table_for_text = nullptr;
  if ((n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ||
      (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)))) {
    return lines_with_crlf(
        decode_text_bytes(std::string_view(reinterpret_cast<const char*>(p), n)));
  }
  // One pass counts (and checks the UTF-8), the second writes into the result.
  bool multibyte = false;
  std::size_t length = decode_to_lines(p, n, nullptr, nullptr, multibyte);
  if (length == std::string::npos || !multibyte) {
    table_for_text = table;
    length = decode_to_lines(p, n, table, nullptr, multibyte);
  }
  std::u16string text;
  text.reserve(length + 16);
  advise_huge_pages(text.data(), length * sizeof(char16_t));
  text.resize(length + 16);  // the decoder's vector stores run up to 16 units ahead
  decode_to_lines(p, n, table_for_text, text.data(), multibyte);
  text.resize(length);
  return text;
}

}  // namespace

std::u16string TextFileContents(const std::u16string& file_name) {
  if (!detail::file_exists(file_name)) return {};
  if (single_byte_table(system_ansi_code_page()) == nullptr)
    return text_contents(nullptr, 0, &file_name);
  const FileBytes bytes(file_name);
  return text_contents(bytes.data(), bytes.size(), &file_name);
}

// ---- text_file_reader

struct text_file_reader::state {
  std::shared_ptr<FileBytes> bytes;
  const unsigned char* p = nullptr;
  std::size_t n = 0;                       // end of the bytes to decode
  std::size_t pos = 0;                     // bytes decoded so far
  std::size_t from = 0;                    // where this reader's bytes start
  std::size_t total = 0;                   // the file's size, or the range's
  bool ends_text = true;                   // the range runs to the end of the text
  const SingleByteTable* table = nullptr;  // null: UTF-8
  bool utf8 = false;
  bool trusting = false;     // UTF-8 taken on trust: checked while decoding
  bool repair = false;       // UTF-8 with bad bytes, each read as U+FFFD
  bool zeros = false;        // the bytes hold a zero byte (read as a blank)
  std::size_t released = 0;  // bytes before this have been given back (release)
  // Texts decoded whole (byte-order marks, multi-byte charsets) are served from here.
  std::u16string whole;
  bool use_whole = false;
  TTextEncodingKind whole_encoding = enc_none;
  text_encoding_choice encoding;
  text_reading_report report;
};

namespace {

// UTF-8 or UTF-16 text behind a byte-order mark, every line ended by CR LF; U+0000 is a
// blank between words, never the end of the text.
std::u16string decode_marked(const unsigned char* p, std::size_t n) {
  std::u16string units = decode_text_bytes(std::string_view(reinterpret_cast<const char*>(p), n));
  std::replace(units.begin(), units.end(), u'\0', u' ');
  return lines_with_crlf(units);
}

// Bytes in a multi-byte (or otherwise table-less) charset through its ICU converter, every
// line ended by CR LF, U+0000 as a blank. Counts the characters that stand for bytes the
// charset does not map.
std::u16string decode_with_converter(const std::string& charset, const unsigned char* p,
                                     std::size_t n, std::uint64_t& bad) {
  UErrorCode err = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(charset.c_str(), &err);
  if (U_FAILURE(err) || converter == nullptr) throw EReadError("cannot read text in " + charset);
  std::u16string units(2 * n + 16, u'\0');
  const char* source = reinterpret_cast<const char*>(p);
  UChar* target = reinterpret_cast<UChar*>(units.data());
  ucnv_toUnicode(converter, &target, target + units.size(), &source, source + n, nullptr, true,
                 &err);
  ucnv_close(converter);
  if (U_FAILURE(err)) throw EReadError("cannot read text in " + charset);
  units.resize(static_cast<std::size_t>(target - reinterpret_cast<UChar*>(units.data())));
  bad = static_cast<std::uint64_t>(std::count(units.begin(), units.end(), u'\uFFFD') +
                                   std::count(units.begin(), units.end(), u'\x1A'));
  std::replace(units.begin(), units.end(), u'\0', u' ');
  return lines_with_crlf(units);
}

// The text's bytes are not UTF-8: read as UTF-8 all the same when they are mostly UTF-8,
// else in the charset the choice gives.
}  // namespace

void text_file_reader::decide_not_utf8() {
  state& s = *s_;
  text_reading_report& r = s.report;
  const utf8_census census = count_utf8(s.p, s.n);
  if (mostly_utf8(census)) {
    s.utf8 = true;
    s.table = nullptr;
    s.repair = true;
    r.found = text_reading_report::how::utf8;
    r.charset = "UTF-8";
    r.bad_bytes = census.bad;
    r.first_bad = census.first_bad;
    r.first_bad_known = true;
    return;
  }
  r.found = text_reading_report::how::eight_bit;
  r.decision = choose_charset(s.p, s.n, s.encoding);
  r.charset = charset_display_name(r.decision.charset);
  s.utf8 = false;
  s.table = single_byte_table(r.decision.charset);
  if (s.table != nullptr) {
    for (std::size_t i = 0; i < s.n; ++i) {
      if (s.p[i] >= 0x80 && !s.table->mapped[s.p[i]]) {
        if (r.bad_bytes == 0) r.first_bad = i;
        ++r.bad_bytes;
      }
    }
    r.first_bad_known = true;
    return;
  }
  s.whole = decode_with_converter(r.decision.charset, s.p, s.n, r.bad_bytes);
  s.use_whole = true;
  s.whole_encoding = enc_ansi;
  s.bytes.reset();
  s.p = nullptr;
  s.n = 0;
}

namespace {

const char* bom_charset(const unsigned char* p) {
  return p[0] == 0xEF ? "UTF-8" : p[0] == 0xFF ? "UTF-16LE" : "UTF-16BE";
}

}  // namespace

std::string text_reading_report::describe() const {
  using h = how;
  switch (found) {
    case h::none:
      return "not read";
    case h::mark:
      return "read as " + charset + " (byte-order mark)";
    case h::utf16:
      return "read as " + charset + " (no byte-order mark; judged by its zero bytes)";
    case h::utf8:
      return "read as UTF-8" + std::string(bad_bytes > 0 ? " (but for bad bytes)" : "");
    case h::ascii:
      return "read as ASCII";
    case h::document:
      return "read as a document";
    case h::eight_bit:
      break;
  }
  char confidence[32] = "";
  if (decision.confidence >= 0)
    std::snprintf(confidence, sizeof confidence, "confidence %.2f", decision.confidence);
  std::string why;
  switch (decision.basis) {
    case charset_basis::fixed:
      why = "--encoding";
      break;
    case charset_basis::language:
      why = "the language's code page";
      break;
    case charset_basis::detected:
      why = std::string("detected, ") + confidence;
      break;
    case charset_basis::system:
      why = "the system code page";
      if (decision.confidence >= 0)
        why += decision.detected.empty()
                   ? std::string("; the detector named none")
                   : "; the detector was unsure: " + charset_display_name(decision.detected) +
                         ", " + confidence;
      break;
  }
  return "read as " + charset + " (" + why + ")";
}

std::string text_reading_report::losses() const {
  if (bad_bytes == 0) return {};
  std::string text = std::to_string(bad_bytes) + (bad_bytes == 1 ? " byte" : " bytes") +
                     " not valid in " + charset;
  if (found == how::utf8) text += ", read as U+FFFD";
  if (first_bad_known) text += " (the first at offset " + std::to_string(first_bad) + ")";
  return text;
}

text_reading_report text_encoding_of(const std::u16string& file_name,
                                     const text_encoding_choice& encoding) {
  text_reading_report r;
  if (!detail::file_exists(file_name)) return r;
  const FileBytes bytes(file_name, false);
  const unsigned char* p = bytes.data();
  const std::size_t n = bytes.size();
  if ((n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ||
      (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)))) {
    r.found = text_reading_report::how::mark;
    r.charset = bom_charset(p);
    return r;
  }
  std::u16string sample;
  TTextEncodingKind kind = enc_none;
  if (n % 2 == 0 && unmarked_utf16(p, std::min<std::size_t>(n, 64 << 10), sample, kind)) {
    r.found = text_reading_report::how::utf16;
    r.charset = kind == enc_utf16be ? "UTF-16BE" : "UTF-16LE";
    return r;
  }
  if (looks_binary(p, n)) throw text_not_text();
  const utf8_verdict verdict = check_utf8(p, n);
  if (verdict.well_formed) {
    r.found = verdict.multibyte ? text_reading_report::how::utf8 : text_reading_report::how::ascii;
    r.charset = verdict.multibyte ? "UTF-8" : "ASCII";
    return r;
  }
  const utf8_census census = count_utf8(p, n);
  if (mostly_utf8(census)) {
    r.found = text_reading_report::how::utf8;
    r.charset = "UTF-8";
    r.bad_bytes = census.bad;
    r.first_bad = census.first_bad;
    r.first_bad_known = true;
    return r;
  }
  r.found = text_reading_report::how::eight_bit;
  r.decision = choose_charset(p, n, encoding);
  r.charset = charset_display_name(r.decision.charset);
  return r;
}

text_file_reader::text_file_reader(const std::u16string& file_name, text_decoding choice)
    : text_file_reader(file_name, text_encoding_choice{}, choice) {}

text_file_reader::text_file_reader(const std::u16string& file_name,
                                   const text_encoding_choice& encoding, text_decoding choice)
    : s_(new state) {
  s_->encoding = encoding;
  if (!detail::file_exists(file_name)) return;
  s_->bytes = std::make_shared<FileBytes>(file_name, false);
  take_bytes(choice);
}

text_file_reader::text_file_reader(std::string bytes, text_decoding choice)
    : text_file_reader(std::move(bytes), text_encoding_choice{}, choice) {}

text_file_reader::text_file_reader(std::string bytes, const text_encoding_choice& encoding,
                                   text_decoding choice)
    : s_(new state) {
  s_->encoding = encoding;
  s_->bytes = std::make_shared<FileBytes>(std::move(bytes));
  take_bytes(choice);
}

void text_file_reader::take_bytes(text_decoding choice) {
  state& s = *s_;
  text_reading_report& r = s.report;
  s.p = s.bytes->data();
  s.total = s.bytes->size();
  const unsigned char* p = s.p;
  const std::size_t n = s.total;
  const bool marked =
      (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ||
      (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)));
  if (marked) {
    s.whole_encoding = p[0] == 0xEF ? enc_utf8 : p[0] == 0xFF ? enc_utf16le : enc_utf16be;
    r.found = text_reading_report::how::mark;
    r.charset = bom_charset(p);
    s.whole = decode_marked(p, n);
    s.use_whole = true;
    s.bytes.reset();
    return;
  }
  if (unmarked_utf16(p, n, s.whole, s.whole_encoding)) {
    r.found = text_reading_report::how::utf16;
    r.charset = s.whole_encoding == enc_utf16be ? "UTF-16BE" : "UTF-16LE";
    s.use_whole = true;
    s.bytes.reset();
    return;
  }
  if (looks_binary(p, n)) throw text_not_text();
  // A large text is decoded as UTF-8 on trust once its first 64 KiB are well-formed
  // UTF-8: ASCII decodes the same either way, and read() throws text_not_utf8 at the first
  // ill-formed sequence (after which the verdict rests on every byte), so that the text
  // must be read again, checked; settle() checks every byte first.
  constexpr std::size_t kTrusted = 1 << 20, kLook = 1 << 16;
  r.found = text_reading_report::how::utf8;
  r.charset = "UTF-8";
  if (choice == text_decoding::decide && n > kTrusted) {
    std::size_t end = kLook;
    while (end > 0 && (p[end] & 0xC0) == 0x80) --end;
    if (check_utf8(p, end).well_formed) {
      s.n = n;
      s.utf8 = true;
      s.table = nullptr;
      s.trusting = true;
      return;
    }
  }
  // A zero byte is a blank, never the end of the text.
  s.n = n;
  s.zeros = n > 0 && std::memchr(p, 0, n) != nullptr;
  const utf8_verdict verdict = check_utf8(p, n);
  if (verdict.well_formed) {
    s.utf8 = verdict.multibyte;
    // ASCII reads the same in any 8-bit code page.
    s.table = s.utf8 ? nullptr : single_byte_table(1252);
    if (!s.utf8) {
      r.found = text_reading_report::how::ascii;
      r.charset = "ASCII";
    }
    return;
  }
  decide_not_utf8();
}

text_file_reader::text_file_reader(const text_file_reader& whole, std::size_t from, std::size_t to)
    : s_(new state) {
  const state& w = *whole.s_;
  state& s = *s_;
  if (w.use_whole || from > to || to > w.n)
    throw EReadError("text_file_reader: no such range of the text's bytes");
  s.bytes = w.bytes;
  s.p = w.p;
  s.n = to;
  s.pos = s.from = s.released = from;
  s.total = to - from;
  s.ends_text = to == w.n;
  s.table = w.table;
  s.zeros = w.zeros;
  s.repair = w.repair;
  s.report = w.report;
  s.utf8 = w.utf8;
  s.trusting = w.trusting;
}

text_file_reader::text_file_reader(std::u16string text, std::uint64_t file_size,
                                   TTextEncodingKind encoding)
    : s_(new state) {
  state& s = *s_;
  s.whole = std::move(text);
  s.use_whole = true;
  s.whole_encoding = encoding;
  s.report.found = text_reading_report::how::document;
  s.total = static_cast<std::size_t>(file_size);
}

text_file_reader::~text_file_reader() = default;

const unsigned char* text_file_reader::raw_bytes() const {
  return s_->use_whole ? nullptr : s_->p;
}

std::size_t text_file_reader::raw_size() const {
  return s_->use_whole ? 0 : s_->n;
}

std::size_t text_file_reader::raw_from() const {
  return s_->from;
}

const char16_t* text_file_reader::raw_byte_map() const {
  return s_->table != nullptr ? s_->table->map.data() : nullptr;
}

bool text_file_reader::raw_repaired() const {
  return s_->repair;
}

const text_reading_report& text_file_reader::report() const {
  return s_->report;
}

bool text_file_reader::raw_trusted() const {
  return s_->trusting;
}

bool is_strict_utf8(const unsigned char* p, std::size_t n) {
  return check_utf8(p, n).well_formed;
}

void text_file_reader::settle() {
  state& s = *s_;
  if (!s.trusting) return;
  struct verdict {
    bool well_formed = true, multibyte = false;
    std::size_t nul;
  };
  // Bytes [from, to) a stretch at a time, each given back once checked.
  auto check = [&s](std::size_t from, std::size_t to) {
    constexpr std::size_t kStretch = std::size_t{1} << 20;
    verdict v{true, false, to};
    for (std::size_t at = from; at < to;) {
      std::size_t end = std::min(to, at + kStretch);
      while (end < to && end > at + 4 && (s.p[end] & 0xC0) == 0x80) --end;
      std::size_t zero = to;
      const utf8_verdict u = check_utf8(s.p + at, end - at, v.nul == to ? &zero : nullptr);
      if (zero != to) v.nul = at + zero;
      v.well_formed = v.well_formed && u.well_formed;
      v.multibyte = v.multibyte || u.multibyte;
      s.bytes->release(at, end);
      at = end;
      // Ill-formed: only the first zero byte is still wanted.
      if (!v.well_formed) {
        if (v.nul == to) {
          const void* z = std::memchr(s.p + at, 0, to - at);
          if (z != nullptr)
            v.nul = static_cast<std::size_t>(static_cast<const unsigned char*>(z) - s.p);
        }
        break;
      }
    }
    return v;
  };
  // A long text is checked in two halves at once.
  std::size_t mid = s.n;
  if (s.n >= (std::size_t{16} << 20)) {
    mid = s.n / 2;
    while (mid > 0 && (s.p[mid] & 0xC0) == 0x80) --mid;
  }
  verdict second{true, false, s.n};
  std::thread helper;
  if (mid < s.n) helper = std::thread([&] { second = check(mid, s.n); });
  verdict first = check(0, mid);
  if (helper.joinable()) helper.join();
  const std::size_t nul = first.nul != mid ? first.nul : second.nul;
  const bool well_formed = first.well_formed && second.well_formed;
  s.trusting = false;
  s.zeros = nul != s.n;
  // Not UTF-8 after all: decided on every byte as a small text is.
  if (!well_formed) {
    decide_not_utf8();
  } else if (!first.multibyte && !second.multibyte) {
    s.report.found = text_reading_report::how::ascii;
    s.report.charset = "ASCII";
  }
}

std::uint64_t text_file_reader::count_units(std::size_t from, std::size_t to) const {
  const state& s = *s_;
  if (s.use_whole || from > to || to > s.n)
    throw EReadError("text_file_reader: no such range of the text's bytes");
  bool multibyte = false;
  const std::size_t n = decode_lines<false>(s.p + from, to - from, s.table, nullptr, multibyte,
                                            to == s.n && s.ends_text, true, s.repair);
  if (n == std::string::npos) throw text_not_utf8();
  return n;
}

void text_file_reader::release(std::size_t from, std::size_t to) const {
  if (s_->bytes) s_->bytes->release(from, to);
}

bool text_file_reader::raw_has_zeros() const {
  return s_->zeros;
}

TTextEncodingKind text_file_reader::encoding() const {
  const state& s = *s_;
  if (s.use_whole) return s.whole_encoding;
  return s.table != nullptr ? enc_ansi : enc_utf8;
}

std::size_t text_file_reader::read(char16_t* out, std::size_t capacity) {
  state& s = *s_;
  if (capacity < 32) throw EReadError("text_file_reader: a part must hold at least 32 units");
  if (s.use_whole) {
    const std::size_t k = std::min(capacity, s.whole.size() - s.pos);
    std::size_t end = s.pos + k;
    // Never part a surrogate pair or a CR LF pair.
    if (end < s.whole.size() && end > s.pos &&
        ((s.whole[end] >= 0xDC00 && s.whole[end] <= 0xDFFF) ||
         (s.whole[end] == u'\n' && s.whole[end - 1] == u'\r')))
      --end;
    std::copy(s.whole.data() + s.pos, s.whole.data() + end, out);
    const std::size_t got = end - s.pos;
    s.pos = end;
    return got;
  }
  if (s.pos >= s.n) return 0;
  // Each byte gives at most two units (a line break becomes CR LF; four bytes of UTF-8
  // give a surrogate pair), the last line may need its CR LF, and the decoder's vector
  // stores run up to 16 units ahead.
  std::size_t end = std::min(s.n, s.pos + (capacity - 18) / 2);
  if (end < s.n) {
    // A well-formed character has at most three continuation bytes; more are bad bytes
    // of their own.
    if (s.utf8)
      for (int k = 0; k < 3 && end > s.pos && (s.p[end] & 0xC0) == 0x80; ++k) --end;
    if (end > s.pos && s.p[end - 1] == '\r' && s.p[end] == '\n') --end;
  }
  bool multibyte = false;
  const std::size_t got = decode_lines<true>(s.p + s.pos, end - s.pos, s.table, out, multibyte,
                                             end == s.n && s.ends_text, true, s.repair);
  if (got == std::string::npos) throw text_not_utf8();
  s.pos = end;
  // What has been read is given back a few MiB at a time; at the end, the block the next
  // range begins in too (whoever reads it reads it in again). A short read (a few lines)
  // gives nothing back: its bytes are usually still wanted by whoever reads round them.
  constexpr std::size_t kLong = std::size_t{1} << 20;
  if (s.pos - s.released >= (std::size_t{2} << 20) || (s.pos == s.n && s.n - s.from >= kLong)) {
    const std::size_t to =
        s.pos == s.n ? std::min(s.bytes->size(), s.pos + (std::size_t{64} << 10) - 1) : s.pos;
    s.bytes->release(std::max(s.released, s.from), to);
    s.released = s.pos;
  }
  return got;
}

std::uint64_t text_file_reader::bytes_done() const {
  return s_->use_whole ? (s_->whole.empty() ? 0 : s_->total * s_->pos / s_->whole.size())
                       : s_->pos - s_->from;
}

std::uint64_t text_file_reader::bytes_total() const {
  return s_->total;
}

}  // namespace corvane
