#include "corvane/files/Text_encoding.hpp"

#include <uchardet/uchardet.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "corvane/platform/CodePages.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

struct converter_closer {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using converter_ptr = std::unique_ptr<UConverter, converter_closer>;

converter_ptr open_converter(const std::string& name) {
  UErrorCode err = U_ZERO_ERROR;
  converter_ptr c(ucnv_open(name.c_str(), &err));
  if (U_FAILURE(err)) c.reset();
  return c;
}

// The detector reads this much of a text: far more than it needs to decide.
constexpr std::size_t kDetectorLook = std::size_t{1} << 20;

// Fewer bytes than this are judged binary by their signature only.
constexpr std::size_t kLeastSample = 1024;

}  // namespace

bool text_encoding_from_name(std::string_view name, text_encoding_choice& choice) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (lower == "auto") {
    choice.how = text_encoding_choice::mode::automatic;
    choice.charset.clear();
    return true;
  }
  if (lower == "system") {
    choice.how = text_encoding_choice::mode::system;
    choice.charset.clear();
    return true;
  }
  if (name.empty()) return false;
  std::string charset;
  if (std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    if (name.size() > 5) return false;
    const int code_page = std::stoi(std::string(name));
    // 0 to 3 are the placeholders of the system's pages, not pages of their own.
    if (code_page <= 3) return false;
    charset = icu_converter_name(code_page);
  } else {
    charset = std::string(name);
  }
  if (charset.empty() || !open_converter(charset)) return false;
  choice.how = text_encoding_choice::mode::fixed;
  choice.charset = charset;
  return true;
}

text_encoding_choice text_encoding_for_language(TLCID lcid) {
  text_encoding_choice choice;
  const int code_page = LCIDToCodePage(lcid);
  const std::string charset = code_page > 3 ? icu_converter_name(code_page) : std::string();
  if (!charset.empty()) {
    choice.how = text_encoding_choice::mode::language;
    choice.charset = charset;
  }
  return choice;
}

std::string charset_display_name(std::string_view charset) {
  const std::string name(charset);
  // The names users write: the MIME name ("ISO-8859-5", "KOI8-R"), else IANA's
  // ("windows-1251"), looked up by the converter's own name.
  UErrorCode err = U_ZERO_ERROR;
  const converter_ptr converter = open_converter(name);
  if (!converter) return name;
  const char* own = ucnv_getName(converter.get(), &err);
  if (own == nullptr || U_FAILURE(err)) return name;
  for (const char* standard : {"MIME", "IANA"}) {
    err = U_ZERO_ERROR;
    const char* known = ucnv_getStandardName(own, standard, &err);
    if (known != nullptr && U_SUCCESS(err)) return known;
  }
  return name;
}

std::string system_charset() {
  return icu_converter_name(system_ansi_code_page());
}

double charset_plausibility(const unsigned char* p, std::size_t n, std::string_view charset) {
  const converter_ptr converter = open_converter(std::string(charset));
  if (!converter) return -1;
  // Each run of bytes of 0x80 and above is decoded with the word round it, so that the
  // letter before each character is known.
  std::size_t good = 0, bad = 0;
  std::u16string decoded;
  std::size_t i = 0;
  while (i < n) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    std::size_t a = i, b = i;
    while (a > 0 && p[a - 1] > 0x20 && i - a < 16) --a;
    while (b < n && p[b] > 0x20 && b - i < 64) ++b;
    decoded.resize(2 * (b - a) + 8);
    UErrorCode err = U_ZERO_ERROR;
    ucnv_reset(converter.get());
    const std::int32_t got =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(decoded.data()),
                      static_cast<std::int32_t>(decoded.size()),
                      reinterpret_cast<const char*>(p + a), static_cast<std::int32_t>(b - a), &err);
    if (U_FAILURE(err)) return 0;
    // The letter before: its script and case (USCRIPT_INVALID_CODE after a non-letter).
    UScriptCode before = USCRIPT_INVALID_CODE;
    bool before_small = false;
    for (std::int32_t k = 0; k < got;) {
      UChar32 c;
      U16_NEXT(decoded.data(), k, got, c);
      if (!u_isalpha(c)) {
        before = USCRIPT_INVALID_CODE;
        if (c >= 0x80 && (c == 0xFFFD || c == 0x1A || c <= 0x9F || u_charType(c) == U_UNASSIGNED ||
                          u_charType(c) == U_PRIVATE_USE_CHAR))
          ++bad;
        continue;
      }
      UErrorCode e = U_ZERO_ERROR;
      UScriptCode script = uscript_getScript(c, &e);
      if (U_FAILURE(e)) script = USCRIPT_COMMON;
      if (c >= 0x80) {
        const bool mixed = before != USCRIPT_INVALID_CODE && before != script &&
                           before > USCRIPT_INHERITED && script > USCRIPT_INHERITED;
        const bool capital_after_small = before_small && u_isupper(c);
        ++(mixed || capital_after_small ? bad : good);
      }
      before = script;
      before_small = u_islower(c);
    }
    i = b;
  }
  if (good + bad == 0) return 1;
  return static_cast<double>(good) / static_cast<double>(good + bad);
}

charset_guess detect_charset(const unsigned char* p, std::size_t n) {
  charset_guess guess;
  n = std::min(n, kDetectorLook);
  uchardet_t detector = uchardet_new();
  if (detector == nullptr) return guess;
  if (uchardet_handle_data(detector, reinterpret_cast<const char*>(p), n) == 0) {
    uchardet_data_end(detector);
    const char* name = uchardet_get_charset(detector);
    if (name != nullptr) guess.charset = name;
  }
  uchardet_delete(detector);
  if (guess.charset.empty()) return guess;
  if (guess.charset == "ASCII") {
    guess.confidence = 1;
    return guess;
  }
  const double plausible = charset_plausibility(p, n, guess.charset);
  // A name ICU cannot open is of no use: no confidence.
  guess.confidence = plausible < 0 ? 0 : plausible;
  return guess;
}

charset_decision choose_charset(const unsigned char* p, std::size_t n,
                                const text_encoding_choice& choice) {
  charset_decision d;
  switch (choice.how) {
    case text_encoding_choice::mode::fixed:
      d.charset = choice.charset;
      d.basis = charset_basis::fixed;
      return d;
    case text_encoding_choice::mode::language:
      d.charset = choice.charset;
      d.basis = charset_basis::language;
      return d;
    case text_encoding_choice::mode::system:
      d.charset = system_charset();
      d.basis = charset_basis::system;
      return d;
    case text_encoding_choice::mode::automatic:
      break;
  }
  const charset_guess guess = detect_charset(p, n);
  d.detected = guess.charset;
  d.confidence = guess.confidence;
  // ASCII reads the same in every 8-bit page: the system's.
  if (!guess.charset.empty() && guess.charset != "ASCII" &&
      guess.confidence >= choice.least_confidence) {
    d.charset = guess.charset;
    d.basis = charset_basis::detected;
  } else {
    d.charset = system_charset();
    d.basis = charset_basis::system;
  }
  return d;
}

utf8_census count_utf8(const unsigned char* p, std::size_t n) {
  utf8_census c;
  std::size_t i = 0;
  while (i < n) {
    const unsigned b0 = p[i];
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    std::uint32_t lo = 0x80, hi = 0xBF;  // the second byte's range
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      len = 3;
      if (b0 == 0xE0) lo = 0xA0;
      if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      len = 4;
      if (b0 == 0xF0) lo = 0x90;
      if (b0 == 0xF4) hi = 0x8F;
    }
    bool ok = len > 0 && i + len <= n && p[i + 1] >= lo && p[i + 1] <= hi;
    for (std::size_t k = 2; ok && k < len; ++k) ok = (p[i + k] & 0xC0) == 0x80;
    if (ok) {
      ++c.multibyte;
      i += len;
    } else {
      if (c.bad == 0) c.first_bad = i;
      ++c.bad;
      ++i;
    }
  }
  return c;
}

bool mostly_utf8(const utf8_census& census) {
  return census.multibyte > 0 && census.bad <= census.multibyte;
}

bool looks_binary(const unsigned char* p, std::size_t n) {
  auto starts = [&](std::string_view sig) {
    return n >= sig.size() && std::memcmp(p, sig.data(), sig.size()) == 0;
  };
  using namespace std::string_view_literals;
  for (const std::string_view sig : {"\x7F"
                                     "ELF"sv,
                                     "MZ"sv, "\x89PNG\r\n\x1A\n"sv, "\xFF\xD8\xFF"sv, "GIF87a"sv,
                                     "GIF89a"sv, "\x1F\x8B"sv, "BZh"sv,
                                     "\xFD"
                                     "7zXZ\0"sv,
                                     "\x28\xB5\x2F\xFD"sv, "%PDF-"sv, "PK\x03\x04"sv,
                                     "\xD0\xCF\x11\xE0"sv, "\xDB\xA5\x2D\x00"sv}) {
    if (starts(sig)) {
      // "MZ" and "BZh" also begin words: the executable has its zero bytes too.
      if ((sig == "MZ"sv || sig == "BZh"sv) &&
          std::memchr(p, 0, std::min<std::size_t>(n, 512)) == nullptr)
        continue;
      return true;
    }
  }
  const std::size_t look = std::min<std::size_t>(n, std::size_t{64} << 10);
  std::size_t zeros = 0, controls = 0;
  for (std::size_t i = 0; i < look; ++i) {
    const unsigned char b = p[i];
    if (b >= 0x20) continue;
    if (b == 0)
      ++zeros;
    else if (b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v' && b != 0x1B)
      ++controls;
  }
  // A few bytes say too little: a short text with a zero byte or two is still a text.
  if (look < kLeastSample) return false;
  return zeros * 100 > look || (zeros + controls) * 10 > look;
}

}  // namespace corvane
