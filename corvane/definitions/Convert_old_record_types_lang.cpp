// Language records and text settings of every generation into the current records.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "corvane/definitions/Convert_old_record_types.hpp"
#include "corvane/platform/CodePages.hpp"

namespace corvane {

namespace {

constexpr std::size_t kLangRecordMaxSize = kFixedLangDetailsRec32Size;  // the largest layout

// The display style's standard colours: text and selected text black, background white,
// selected background the highlight colour of the start-up style.
TMyCanvasColourRec standard_colours() {
  TMyCanvasColourRec c;
  c.colours[tct_text] = 0x000000;
  c.colours[tct_selected_text] = 0x000000;
  c.colours[tct_background] = 0xFFFFFF;
  c.colours[tct_selected_background] = 0x7BEEFF;
  return c;
}

bool read_exact(TStream& stream, std::uint8_t* buffer, std::size_t count) {
  return stream.Read(buffer, static_cast<std::int32_t>(count)) == static_cast<std::int32_t>(count);
}

bool is_current_version(std::int32_t version) {
  return version == 6 || version == 7 || version == 18;
}

}  // namespace

fixed_character_format_rec32 New_WinFontFromOldWin_Font(const old_fixed_character_format_rec& old) {
  fixed_character_format_rec32 f;
  f.charset = old.charset_old;
  f.fontsize = old.fontsize_old;
  const std::size_t n = std::min<std::size_t>(old.fontname_old[0], old.fontname_old.size() - 1);
  for (std::size_t i = 0; i < n; ++i)
    f.fontname[i] = static_cast<char16_t>(old.fontname_old[1 + i]);
  return f;
}

fixed_lang_details_rec32 LangDetNewFromOld(const fixed_lang_details_rec_old& old) {
  fixed_lang_details_rec32 r;
  r.allow_middles_at_right = old.allow_middles_at_right;
  r.allow_middles_at_left = old.allow_middles_at_left;
  r.lcid = old.lcid;
  r.old_win_font = old.old_win_font;
  r.preference = old.preference;
  r.custom_language = old.custom_language;
  r.hyphen_breaks_word = old.hyphen_breaks_word;
  r.win_codepage = old.win_codepage;
  r.dos_codepage = old.dos_codepage;
  r.new_win_font = New_WinFontFromOldWin_Font(old.old_win_font);
  // Every byte above 32 (so never the length byte, at most 10), in order; the field keeps
  // its zero terminator even when a damaged length byte is above 32 too.
  std::size_t n = 0;
  for (std::uint8_t b : old.old_allowable_middle_letters)
    if (b > 32 && n + 1 < r.allowable_middle_letters.size())
      r.allowable_middle_letters[n++] = static_cast<char16_t>(b);
  const std::size_t len = std::min<std::size_t>(old.nome[0], old.nome.size() - 1);
  std::u16string name;
  if (len > 0 &&
      !code_page_to_utf16(system_ansi_code_page(),
                          std::string_view(reinterpret_cast<const char*>(old.nome.data() + 1), len),
                          name))
    name.clear();
  std::copy_n(name.begin(), std::min(name.size(), r.nome.size() - 1), r.nome.begin());
  return r;
}

fixed_lang_details_rec32 LangDetNewFrom32Old(const fixed_lang_details_rec32old& old) {
  fixed_lang_details_rec32 r;
  r.allow_middles_at_right = old.allow_middles_at_right;
  r.allow_middles_at_left = old.allow_middles_at_left;
  r.is_32_version = old.is_32_version;
  r.lcid = old.lcid;
  r.preference = old.preference;
  r.custom_language = old.custom_language;
  r.hyphen_breaks_word = old.hyphen_breaks_word;
  r.win_codepage = old.win_codepage;
  r.dos_codepage = old.dos_codepage;
  r.allowable_middle_letters = old.allowable_middle_letters;
  r.nome = old.nome;
  r.new_win_font = New_WinFontFromOldWin_Font(old.old_win_font);
  return r;
}

void ApplyStandardColoursIfUnset(fixed_lang_details_rec32& rec) {
  if (rec.cores.colours[tct_text] == rec.cores.colours[tct_background])
    rec.cores = standard_colours();
}

bool Readfixed_lang_details_rec(TStream& stream, fixed_lang_details_rec32& rec,
                                std::int32_t version) {
  rec = fixed_lang_details_rec32{};
  std::array<std::uint8_t, kLangRecordMaxSize> b{};
  bool ok = false;
  if (version == 5) {
    ok = read_exact(stream, b.data(), kFixedLangDetailsRec32OldSize);
    if (ok) rec = LangDetNewFrom32Old(FixedLangDetails32OldFromBytes(b.data()));
  } else if (is_current_version(version)) {
    ok = read_exact(stream, b.data(), kFixedLangDetailsRec32Size);
    if (ok) rec = FixedLangDetailsFromBytes(b.data());
  } else {
    const std::int64_t start = stream.Position();
    ok = read_exact(stream, b.data(), 3);
    if (ok) {
      stream.SetPosition(start);
      if (b[2] == 0) {
        ok = read_exact(stream, b.data(), kFixedLangDetailsRecOldSize);
        if (ok) rec = LangDetNewFromOld(FixedLangDetailsOldFromBytes(b.data()));
      } else {
        ok = read_exact(stream, b.data(), kFixedLangDetailsRec32OldSize);
        if (ok) rec = LangDetNewFrom32Old(FixedLangDetails32OldFromBytes(b.data()));
      }
    }
  }
  ApplyStandardColoursIfUnset(rec);
  return ok;
}

textsett_rec32 TextSettingsNewFromOld(const textsett_rec_old& old) {
  textsett_rec32 r;
  r.language_info = LangDetNewFromOld(old.language_info);
  r.tag_treatment_computing = old.tag_treatment;
  r.must_use_Unicode = old.must_use_Unicode;
  r.using_SGML = old.using_SGML;
  r.clear_default_markup = old.clear_default_markup;
  r.numbers_included = old.numbers_included;
  r.ignore_tags = old.ignore_tags;
  r.standard_markers = old.standard_markers;
  return r;
}

namespace {

// Version 5: the first 32-bit language layout, then the current layout's remaining bytes.
bool read_text_settings_v5(TStream& stream, textsett_rec32& rec, std::uint8_t* b) {
  if (!read_exact(stream, b, kFixedLangDetailsRec32OldSize)) return false;
  rec.language_info = LangDetNewFrom32Old(FixedLangDetails32OldFromBytes(b));
  if (!read_exact(stream, b + 1040, kTextsettRec32Size - 1040)) return false;
  TextsettTailFromBytes(b + 1040, rec);
  return true;
}

}  // namespace

bool ReadInTextSettings(TStream& stream, textsett_rec32& rec, std::int32_t version) {
  rec = textsett_rec32{};
  std::array<std::uint8_t, kTextsettRec32Size> b{};
  bool ok = false;
  if (version == 5) {
    ok = read_text_settings_v5(stream, rec, b.data());
  } else if (is_current_version(version)) {
    ok = read_exact(stream, b.data(), kTextsettRec32Size);
    if (ok) rec = TextsettFromBytes(b.data());
  } else {
    const std::int64_t start = stream.Position();
    ok = read_exact(stream, b.data(), kTextsettRecOldSize);
    if (ok) {
      // In a 16-bit language part, bytes 73-74 and 84-85 hold 8-bit middle letters; in the
      // 32-bit one they are the high bytes of UTF-16 characters, zero for Latin text.
      const bool sixteen_bit = b[2] == 0 || b[73] != 0 || b[74] != 0 || b[84] != 0 || b[85] != 0;
      if (sixteen_bit) {
        rec = TextSettingsNewFromOld(TextsettOldFromBytes(b.data()));
      } else {
        stream.SetPosition(start);
        ok = read_text_settings_v5(stream, rec, b.data());
      }
    }
  }
  ApplyStandardColoursIfUnset(rec.language_info);
  text_segment_rec& second = rec.standard_markers[1];
  second.auto_process = WideCharFieldToString(second.marker) == u"auto";
  return ok;
}

}  // namespace corvane
