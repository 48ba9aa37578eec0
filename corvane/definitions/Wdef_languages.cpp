// The language definition record, field by field, and the small locale routines.
#include <algorithm>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

namespace {

using detail::load_le;
using detail::store_le;

void put_chars(std::uint8_t* out, const char16_t* chars, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) store_le<std::uint16_t>(out + 2 * i, chars[i]);
}

void get_chars(const std::uint8_t* in, char16_t* chars, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) chars[i] = load_le<std::uint16_t>(in + 2 * i);
}

template <std::size_t N>
void put_bytes(std::uint8_t* out, const std::array<std::uint8_t, N>& a) {
  std::copy(a.begin(), a.end(), out);
}

template <std::size_t N>
void get_bytes(const std::uint8_t* in, std::array<std::uint8_t, N>& a) {
  std::copy(in, in + N, a.begin());
}

void put_colours(std::uint8_t* out, const TMyCanvasColourRec& c) {
  for (int i = 0; i < 4; ++i) store_le<std::uint32_t>(out + 4 * i, c.colours[i]);
}

void get_colours(const std::uint8_t* in, TMyCanvasColourRec& c) {
  for (int i = 0; i < 4; ++i) c.colours[i] = load_le<std::uint32_t>(in + 4 * i);
}

constexpr std::uint32_t kSubLanguageBits = 0xFC00;

}  // namespace

const std::array<std::uint16_t, _950TradChineseBig5 + 1> win_codepages = {
    0, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874, 932, 936, 949, 950};

std::array<std::uint8_t, kFixedLangDetailsRec32Size> FixedLangDetailsBytes(
    const fixed_lang_details_rec32& r) {
  std::array<std::uint8_t, kFixedLangDetailsRec32Size> b{};
  std::uint8_t* p = b.data();
  p[0] = r.allow_middles_at_right;
  p[1] = r.allow_middles_at_left;
  p[2] = r.is_32_version;
  store_le<std::uint32_t>(p + 4, r.lcid);
  p[8] = r.old_win_font.charset_old;
  p[9] = r.old_win_font.fontsize_old;
  put_bytes(p + 10, r.old_win_font.fontname_old);
  p[43] = r.preference;
  p[44] = r.custom_language;
  p[45] = r.hyphen_breaks_word;
  store_le<std::uint16_t>(p + 46, r.win_codepage);
  store_le<std::uint16_t>(p + 48, r.dos_codepage);
  put_chars(p + 50, r.allowable_middle_letters.data(), 11);
  put_bytes(p + 72, r.spare_ANSI_lowers);
  put_bytes(p + 201, r.spare_ANSI_uppers);
  p[330] = r.new_win_font.charset;
  p[331] = r.new_win_font.fontsize;
  put_chars(p + 332, r.new_win_font.fontname.data(), 101);
  store_le<std::uint32_t>(p + 536, static_cast<std::uint32_t>(r.custom_sort_string_number));
  put_bytes(p + 540, r.spare_Bools);
  put_colours(p + 544, r.cores);
  store_le<std::uint32_t>(p + 560, static_cast<std::uint32_t>(r.language_number));
  store_le<std::uint32_t>(p + 564, static_cast<std::uint32_t>(r.spare_hits));
  for (int i = 0; i < 3; ++i)
    store_le<std::uint32_t>(p + 568 + 4 * i, static_cast<std::uint32_t>(r.spare_ints[i]));
  put_bytes(p + 580, r.spare);
  put_chars(p + 936, r.nome.data(), 51);
  return b;
}

fixed_lang_details_rec32 FixedLangDetailsFromBytes(const std::uint8_t* p) {
  fixed_lang_details_rec32 r;
  r.allow_middles_at_right = p[0] != 0;
  r.allow_middles_at_left = p[1] != 0;
  r.is_32_version = p[2] != 0;
  r.lcid = load_le<std::uint32_t>(p + 4);
  r.old_win_font.charset_old = p[8];
  r.old_win_font.fontsize_old = p[9];
  get_bytes(p + 10, r.old_win_font.fontname_old);
  r.preference = static_cast<Tlang_preference_type>(p[43]);
  r.custom_language = p[44] != 0;
  r.hyphen_breaks_word = p[45] != 0;
  r.win_codepage = load_le<std::uint16_t>(p + 46);
  r.dos_codepage = load_le<std::uint16_t>(p + 48);
  get_chars(p + 50, r.allowable_middle_letters.data(), 11);
  get_bytes(p + 72, r.spare_ANSI_lowers);
  get_bytes(p + 201, r.spare_ANSI_uppers);
  r.new_win_font.charset = p[330];
  r.new_win_font.fontsize = p[331];
  get_chars(p + 332, r.new_win_font.fontname.data(), 101);
  r.custom_sort_string_number = static_cast<std::int32_t>(load_le<std::uint32_t>(p + 536));
  get_bytes(p + 540, r.spare_Bools);
  get_colours(p + 544, r.cores);
  r.language_number = static_cast<std::int32_t>(load_le<std::uint32_t>(p + 560));
  r.spare_hits = static_cast<std::int32_t>(load_le<std::uint32_t>(p + 564));
  for (int i = 0; i < 3; ++i)
    r.spare_ints[i] = static_cast<std::int32_t>(load_le<std::uint32_t>(p + 568 + 4 * i));
  get_bytes(p + 580, r.spare);
  get_chars(p + 936, r.nome.data(), 51);
  return r;
}

std::uint32_t PrimaryLanguage(std::uint32_t lcid) {
  return lcid & ~kSubLanguageBits;
}

bool SamePrimaryLanguage(std::uint32_t a, std::uint32_t b) {
  return (PrimaryLanguage(a) & 0xFFFF) == (PrimaryLanguage(b) & 0xFFFF);
}

TBiDiMode BiDiModeFromLCID(std::uint32_t lcid) {
  switch (PrimaryLanguage(lcid) & 0xFFFF) {
    case 0x01:
    case 0x0D:
    case 0x29:
    case 0x63:
      return bdRightToLeft;
    default:
      return bdLeftToRight;
  }
}

TBiDiMode BiDiModeFromCharset(std::uint8_t charset) {
  return charset == 177 || charset == 178 ? bdRightToLeft : bdLeftToRight;
}

void SetARecFontname(fixed_character_format_rec32& rec, std::u16string_view name) {
  rec.fontname.fill(0);
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 100), rec.fontname.begin());
}

std::array<char16_t, 11> StringToTenWidechar(std::u16string_view s) {
  std::array<char16_t, 11> a{};
  std::copy_n(s.begin(), std::min<std::size_t>(s.size(), 10), a.begin());
  return a;
}

std::array<char16_t, 31> StringToThirtyWideChar(std::u16string_view s) {
  std::array<char16_t, 31> a{};
  std::copy_n(s.begin(), std::min<std::size_t>(s.size(), 30), a.begin());
  return a;
}

std::u16string TenWideCharTostring(const std::array<char16_t, 11>& a) {
  return WideCharFieldToString(a);
}

}  // namespace corvane
