// The older stored record layouts of Wdef_old, field by field at their offsets.
#include "corvane/definitions/Wdef_old.hpp"

#include <algorithm>

#include "corvane/definitions/Wdef_records_bytes.hpp"

namespace corvane {

using namespace record_bytes;

namespace {

old_fixed_character_format_rec old_font_from(const std::uint8_t* p, std::size_t at) {
  old_fixed_character_format_rec f;
  f.charset_old = p[at];
  f.fontsize_old = p[at + 1];
  std::copy(p + at + 2, p + at + 2 + 33, f.fontname_old.begin());
  return f;
}

void put_old_font(std::uint8_t* p, std::size_t at, const old_fixed_character_format_rec& f) {
  p[at] = f.charset_old;
  p[at + 1] = f.fontsize_old;
  std::copy(f.fontname_old.begin(), f.fontname_old.end(), p + at + 2);
}

}  // namespace

fixed_lang_details_rec_old FixedLangDetailsOldFromBytes(const std::uint8_t* p) {
  fixed_lang_details_rec_old r;
  r.allow_middles_at_right = get_bool(p, 0);
  r.allow_middles_at_left = get_bool(p, 1);
  r.is_32_version = get_bool(p, 2);
  r.spare = p[3];
  r.spare2 = get<std::int32_t>(p, 4);
  r.lcid = get<std::uint32_t>(p, 8);
  r.old_win_font = old_font_from(p, 12);
  r.preference = static_cast<Tlang_preference_type>(p[47]);
  r.custom_language = get_bool(p, 48);
  r.hyphen_breaks_word = get_bool(p, 49);
  r.win_codepage = get<std::uint16_t>(p, 50);
  r.dos_codepage = get<std::uint16_t>(p, 52);
  get_bytes(p, 54, r.spare_currency);
  get_bytes(p, 75, r.old_allowable_middle_letters);
  get_chars(p, 86, r.allowable_middle_letters);
  get_bytes(p, 108, r.spare_st);
  get_bytes(p, 342, r.ANSI_lowers);
  get_bytes(p, 471, r.ANSI_uppers);
  get_bytes(p, 600, r.nome);
  return r;
}

void FixedLangDetailsOldToBytes(const fixed_lang_details_rec_old& r, std::uint8_t* p) {
  std::fill(p, p + kFixedLangDetailsRecOldSize, 0);
  put_bool(p, 0, r.allow_middles_at_right);
  put_bool(p, 1, r.allow_middles_at_left);
  put_bool(p, 2, r.is_32_version);
  p[3] = r.spare;
  put<std::int32_t>(p, 4, r.spare2);
  put<std::uint32_t>(p, 8, r.lcid);
  put_old_font(p, 12, r.old_win_font);
  p[47] = r.preference;
  put_bool(p, 48, r.custom_language);
  put_bool(p, 49, r.hyphen_breaks_word);
  put<std::uint16_t>(p, 50, r.win_codepage);
  put<std::uint16_t>(p, 52, r.dos_codepage);
  put_bytes(p, 54, r.spare_currency);
  put_bytes(p, 75, r.old_allowable_middle_letters);
  put_chars(p, 86, r.allowable_middle_letters);
  put_bytes(p, 108, r.spare_st);
  put_bytes(p, 342, r.ANSI_lowers);
  put_bytes(p, 471, r.ANSI_uppers);
  put_bytes(p, 600, r.nome);
}

fixed_lang_details_rec32old FixedLangDetails32OldFromBytes(const std::uint8_t* p) {
  fixed_lang_details_rec32old r;
  r.allow_middles_at_right = get_bool(p, 0);
  r.allow_middles_at_left = get_bool(p, 1);
  r.is_32_version = get_bool(p, 2);
  r.lcid = get<std::uint32_t>(p, 4);
  r.old_win_font = old_font_from(p, 8);
  r.preference = static_cast<Tlang_preference_type>(p[43]);
  r.custom_language = get_bool(p, 44);
  r.hyphen_breaks_word = get_bool(p, 45);
  r.win_codepage = get<std::uint16_t>(p, 46);
  r.dos_codepage = get<std::uint16_t>(p, 48);
  get_chars(p, 50, r.allowable_middle_letters);
  get_bytes(p, 72, r.ANSI_lowers);
  get_bytes(p, 201, r.ANSI_uppers);
  get_bytes(p, 332, r.spare);
  get_chars(p, 936, r.nome);
  return r;
}

void FixedLangDetails32OldToBytes(const fixed_lang_details_rec32old& r, std::uint8_t* p) {
  std::fill(p, p + kFixedLangDetailsRec32OldSize, 0);
  put_bool(p, 0, r.allow_middles_at_right);
  put_bool(p, 1, r.allow_middles_at_left);
  put_bool(p, 2, r.is_32_version);
  put<std::uint32_t>(p, 4, r.lcid);
  put_old_font(p, 8, r.old_win_font);
  p[43] = r.preference;
  put_bool(p, 44, r.custom_language);
  put_bool(p, 45, r.hyphen_breaks_word);
  put<std::uint16_t>(p, 46, r.win_codepage);
  put<std::uint16_t>(p, 48, r.dos_codepage);
  put_chars(p, 50, r.allowable_middle_letters);
  put_bytes(p, 72, r.ANSI_lowers);
  put_bytes(p, 201, r.ANSI_uppers);
  put_bytes(p, 332, r.spare);
  put_chars(p, 936, r.nome);
}

textsett_rec_old TextsettOldFromBytes(const std::uint8_t* p) {
  textsett_rec_old r;
  r.language_info = FixedLangDetailsOldFromBytes(p);
  r.tag_treatment = static_cast<TTabulonTagTreatment>(p[632]);
  r.must_use_Unicode = get_bool(p, 633);
  r.spare3 = p[634];
  r.using_SGML = get_bool(p, 635);
  r.clear_default_markup = get_bool(p, 636);
  r.numbers_included = get_bool(p, 637);
  get_chars(p, 638, r.ignore_tags);
  for (int i = 0; i < kStandardMarkerCount; ++i)
    r.standard_markers[i] = TextSegmentFromBytes(p + 662 + kTextSegmentRecSize * i);
  get_bytes(p, 2294, r.spare);
  return r;
}

void TextsettOldToBytes(const textsett_rec_old& r, std::uint8_t* p) {
  std::fill(p, p + kTextsettRecOldSize, 0);
  FixedLangDetailsOldToBytes(r.language_info, p);
  p[632] = r.tag_treatment;
  put_bool(p, 633, r.must_use_Unicode);
  p[634] = r.spare3;
  put_bool(p, 635, r.using_SGML);
  put_bool(p, 636, r.clear_default_markup);
  put_bool(p, 637, r.numbers_included);
  put_chars(p, 638, r.ignore_tags);
  for (int i = 0; i < kStandardMarkerCount; ++i)
    TextSegmentToBytes(r.standard_markers[i], p + 662 + kTextSegmentRecSize * i);
  put_bytes(p, 2294, r.spare);
}

TChosenFile_OldRec ChosenFileOldFromBytes(const std::uint8_t* p) {
  TChosenFile_OldRec r;
  r.FolderData = get<std::int32_t>(p, 0);
  r.Zip_Num = get<std::int16_t>(p, 4);
  r.Date = get<double>(p, 6);
  r.Size = get<std::int32_t>(p, 14);
  r.Words = get<std::int32_t>(p, 18);
  r.encrypted = get_bool(p, 22);
  r.Wanted = p[23];
  r.KindOfFile = TFileContentsSet::from_byte(p[24]);
  get_bytes(p, 25, r.unused);
  return r;
}

void ChosenFileOldToBytes(const TChosenFile_OldRec& r, std::uint8_t* p) {
  put<std::int32_t>(p, 0, r.FolderData);
  put<std::int16_t>(p, 4, r.Zip_Num);
  put<double>(p, 6, r.Date);
  put<std::int32_t>(p, 14, r.Size);
  put<std::int32_t>(p, 18, r.Words);
  put_bool(p, 22, r.encrypted);
  p[23] = r.Wanted;
  p[24] = r.KindOfFile.bits;
  put_bytes(p, 25, r.unused);
}

TFileInfoExtraStatsRecOld ExtraStatsOldFromBytes(const std::uint8_t* p) {
  TFileInfoExtraStatsRecOld r;
  r.total_bytes = get<std::int32_t>(p, 0);
  r.zips_added = get<std::int32_t>(p, 4);
  r.version = get<std::int32_t>(p, 8);
  get_bytes(p, 12, r.spare);
  return r;
}

void ExtraStatsOldToBytes(const TFileInfoExtraStatsRecOld& r, std::uint8_t* p) {
  put<std::int32_t>(p, 0, r.total_bytes);
  put<std::int32_t>(p, 4, r.zips_added);
  put<std::int32_t>(p, 8, r.version);
  put_bytes(p, 12, r.spare);
}

grid_head_type_old GridHeadOldFromBytes(const std::uint8_t* p, bool with_column_data) {
  grid_head_type_old r;
  r.alignment = static_cast<TCVAlignment>(p[0]);
  r.typefaces.bits = p[1];
  r.editable = static_cast<editable_type>(p[2]);
  r.minimum = get<float>(p, 3);
  r.decimals = p[7];
  r.TextColour = get<std::uint32_t>(p, 8);
  r.background = get<std::uint32_t>(p, 12);
  r.allow_case_change = get_bool(p, 16);
  r.extra_computed = get_bool(p, 17);
  r.numerical = get_bool(p, 18);
  r.visible = get_bool(p, 19);
  r.original_column = get<std::int16_t>(p, 20);
  r.pixel_width96 = get<std::int16_t>(p, 22);
  r.output_case = p[24];
  r.SpareB4 = p[25];
  r.may_have_old_data_unsafe = get_bool(p, 26);
  r.previous_decimals = p[27];
  r.wordwrap = get_bool(p, 28);
  r.has_custom_heading = get_bool(p, 29);
  r.percent_data = get_bool(p, 30);
  r.version = p[31];
  r.HelpContext = get<std::int32_t>(p, 32);
  r.localization_number = get<std::int32_t>(p, 36);
  if (with_column_data)
    for (int i = 0; i < 5; ++i) r.column_data[i] = get<float>(p, 40 + 4 * i);
  return r;
}

void GridHeadOldToBytes(const grid_head_type_old& r, std::uint8_t* p, bool with_column_data) {
  p[0] = r.alignment;
  p[1] = r.typefaces.bits;
  p[2] = r.editable;
  put<float>(p, 3, r.minimum);
  p[7] = r.decimals;
  put<std::uint32_t>(p, 8, r.TextColour);
  put<std::uint32_t>(p, 12, r.background);
  put_bool(p, 16, r.allow_case_change);
  put_bool(p, 17, r.extra_computed);
  put_bool(p, 18, r.numerical);
  put_bool(p, 19, r.visible);
  put<std::int16_t>(p, 20, r.original_column);
  put<std::int16_t>(p, 22, r.pixel_width96);
  p[24] = r.output_case;
  p[25] = r.SpareB4;
  put_bool(p, 26, r.may_have_old_data_unsafe);
  p[27] = r.previous_decimals;
  put_bool(p, 28, r.wordwrap);
  put_bool(p, 29, r.has_custom_heading);
  put_bool(p, 30, r.percent_data);
  p[31] = r.version;
  put<std::int32_t>(p, 32, r.HelpContext);
  put<std::int32_t>(p, 36, r.localization_number);
  if (with_column_data)
    for (int i = 0; i < 5; ++i) put<float>(p, 40 + 4 * i, r.column_data[i]);
}

TMutual_info_settings_old MutualInfoSettingsOldFromBytes(const std::uint8_t* p) {
  TMutual_info_settings_old r;
  r.spare_stop = p[0];
  r.stop_at = get_bool(p, 1);
  r.omit_left_right_matches = get_bool(p, 2);
  r.omit_numbers = get_bool(p, 3);
  r.show_pairs_twice = get_bool(p, 4);
  r.recompute_total_tokens = get_bool(p, 5);
  r.two_way = get_bool(p, 6);
  r.spare7 = p[7];
  get_bytes(p, 8, r.spare8);
  r.span = get<std::int32_t>(p, 12);
  r.min_freq = get<std::int32_t>(p, 16);
  r.min_mutual_info = get<float>(p, 20);
  r.max_percent = get<float>(p, 24);
  get_bytes(p, 28, r.spare);
  return r;
}

void MutualInfoSettingsOldToBytes(const TMutual_info_settings_old& r, std::uint8_t* p) {
  p[0] = r.spare_stop;
  put_bool(p, 1, r.stop_at);
  put_bool(p, 2, r.omit_left_right_matches);
  put_bool(p, 3, r.omit_numbers);
  put_bool(p, 4, r.show_pairs_twice);
  put_bool(p, 5, r.recompute_total_tokens);
  put_bool(p, 6, r.two_way);
  p[7] = r.spare7;
  put_bytes(p, 8, r.spare8);
  put<std::int32_t>(p, 12, r.span);
  put<std::int32_t>(p, 16, r.min_freq);
  put<float>(p, 20, r.min_mutual_info);
  put<float>(p, 24, r.max_percent);
  put_bytes(p, 28, r.spare);
}

}  // namespace corvane
