// Loading text whose encoding was never declared: strict UTF-8 decoding, table-driven
// single-byte code pages, and the string list that chooses between them.
#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
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
  std::string bytes;
  std::int64_t size = stream.Remaining();
  if (size > 0) bytes.reserve(static_cast<std::size_t>(size));
  constexpr std::int32_t kChunk = 1 << 22;
  std::size_t done = 0;
  for (;;) {
    bytes.resize(done + kChunk);
    const std::int32_t got = stream.Read(bytes.data() + done, kChunk);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
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
    const unsigned b0 = p[i];
    std::uint32_t cp;
    std::size_t len;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      if (i + 1 >= n || (p[i + 1] & 0xC0) != 0x80) return false;
      cp = (b0 & 0x1F) << 6 | (p[i + 1] & 0x3F);
      len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      if (i + 2 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80) return false;
      cp = (b0 & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F);
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
      len = 3;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      if (i + 3 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80 ||
          (p[i + 3] & 0xC0) != 0x80)
        return false;
      cp = (b0 & 0x07) << 18 | (p[i + 1] & 0x3F) << 12 | (p[i + 2] & 0x3F) << 6 | (p[i + 3] & 0x3F);
      if (cp < 0x10000 || cp > 0x10FFFF) return false;
      len = 4;
    } else {
      return false;
    }
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

std::u16string TextFileContents(const std::u16string& file_name) {
  TPossiblyDodgyTextStringlist list;
  if (!detail::file_exists(file_name)) return {};
  list.LoadFromFile(file_name);
  return list.Text();
}

}  // namespace corvane
