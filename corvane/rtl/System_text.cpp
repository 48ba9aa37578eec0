#include "corvane/rtl/System_text.hpp"

#include <unicode/uloc.h>

#include <atomic>

namespace corvane {

namespace {

// windows-1252 at 0x80-0x9F; elsewhere it is ISO 8859-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constinit std::atomic<TAnsiDecoder> installed_decoder{nullptr};

}  // namespace

std::string default_icu_locale() {
  std::string name = uloc_getDefault();
  // The C and POSIX locales come out as en_US_POSIX, whose case and number rules are
  // those of U.S. English.
  if (name.empty() || name == "en_US_POSIX" || name == "c" || name == "C") return "en_US";
  return name;
}

TAnsiDecoder set_ansi_decoder(TAnsiDecoder decoder) {
  return installed_decoder.exchange(decoder);
}

std::u16string windows_1252_to_utf16(std::string_view bytes) {
  std::u16string out(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = (b >= 0x80 && b < 0xA0) ? kWindows1252High[b - 0x80] : static_cast<char16_t>(b);
  }
  return out;
}

std::u16string decode_ansi_text(std::string_view bytes) {
  if (TAnsiDecoder decoder = installed_decoder.load(std::memory_order_acquire)) {
    std::u16string out;
    if (decoder(bytes, out)) return out;
  }
  return windows_1252_to_utf16(bytes);
}

}  // namespace corvane
