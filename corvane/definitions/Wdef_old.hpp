#pragma once
// The raw record layouts that older generations of the suite wrote into their settings
// files and saved lists, each with its size and a field-by-field decoder and encoder.
// They exist only to be read and converted (Convert_old_record_types) into the current
// records of Wdef_records. All integers little-endian, Booleans one byte, "single" an IEEE
// 32-bit float. Decoders take exactly the record's size in bytes; a non-zero byte is a
// true Boolean; encoders write Booleans as 0 or 1 and spare bytes as kept.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/definitions/Wdef_records.hpp"

namespace corvane {

// ---- Languages

// The 16-bit-era language record, 632 bytes:
//     0 allow_middles_at_right  1 allow_middles_at_left  2 is_32_version  3 spare
//     4 spare2 (32)  8 lcid (32)  12 old_win_font (35)  47 preference  48 custom_language
//    49 hyphen_breaks_word  50 win_codepage (16)  52 dos_codepage (16)
//    54 spare_currency (21)  75 old_allowable_middle_letters (length byte + 10 bytes)
//    86 allowable_middle_letters (11 UTF-16)  108 spare_st (234)
//   342 ANSI_lowers (129)  471 ANSI_uppers (129)  600 nome (length byte + 31 bytes)
struct fixed_lang_details_rec_old {
  bool allow_middles_at_right = false;
  bool allow_middles_at_left = false;
  bool is_32_version = false;
  std::uint8_t spare = 0;
  std::int32_t spare2 = 0;
  std::uint32_t lcid = 0;
  old_fixed_character_format_rec old_win_font;
  Tlang_preference_type preference = lang_nao_instalada;
  bool custom_language = false;
  bool hyphen_breaks_word = false;
  std::uint16_t win_codepage = 0;
  std::uint16_t dos_codepage = 0;
  std::array<std::uint8_t, 21> spare_currency{};
  std::array<std::uint8_t, 11> old_allowable_middle_letters{};
  std::array<char16_t, 11> allowable_middle_letters{};
  std::array<std::uint8_t, 234> spare_st{};
  std::array<std::uint8_t, 129> ANSI_lowers{};
  std::array<std::uint8_t, 129> ANSI_uppers{};
  std::array<std::uint8_t, 32> nome{};  // length-prefixed 8-bit text
  bool operator==(const fixed_lang_details_rec_old&) const = default;
};
constexpr std::size_t kFixedLangDetailsRecOldSize = 632;
fixed_lang_details_rec_old FixedLangDetailsOldFromBytes(const std::uint8_t* bytes);
void FixedLangDetailsOldToBytes(const fixed_lang_details_rec_old& rec, std::uint8_t* out);

// The first 32-bit language record, 1040 bytes:
//     0 allow_middles_at_right  1 allow_middles_at_left  2 is_32_version  3 zero
//     4 lcid (32)  8 old_win_font (35)  43 preference  44 custom_language
//    45 hyphen_breaks_word  46 win_codepage (16)  48 dos_codepage (16)
//    50 allowable_middle_letters (11 UTF-16)  72 ANSI_lowers (129)  201 ANSI_uppers (129)
//   330 two zero bytes  332 spare (604)  936 nome (51 UTF-16)  1038 two zero bytes
struct fixed_lang_details_rec32old {
  bool allow_middles_at_right = false;
  bool allow_middles_at_left = false;
  bool is_32_version = false;
  std::uint32_t lcid = 0;
  old_fixed_character_format_rec old_win_font;
  Tlang_preference_type preference = lang_nao_instalada;
  bool custom_language = false;
  bool hyphen_breaks_word = false;
  std::uint16_t win_codepage = 0;
  std::uint16_t dos_codepage = 0;
  std::array<char16_t, 11> allowable_middle_letters{};
  std::array<std::uint8_t, 129> ANSI_lowers{};
  std::array<std::uint8_t, 129> ANSI_uppers{};
  std::array<std::uint8_t, 604> spare{};
  std::array<char16_t, 51> nome{};
  bool operator==(const fixed_lang_details_rec32old&) const = default;
};
constexpr std::size_t kFixedLangDetailsRec32OldSize = 1040;
fixed_lang_details_rec32old FixedLangDetails32OldFromBytes(const std::uint8_t* bytes);
void FixedLangDetails32OldToBytes(const fixed_lang_details_rec32old& rec, std::uint8_t* out);

// ---- Text settings

// 2500 bytes: 0 language_info (632, the 16-bit language record)  632 tag_treatment
// 633 must_use_Unicode  634 spare3  635 using_SGML  636 clear_default_markup
// 637 numbers_included  638 ignore_tags (24)  662 standard_markers (8 x 204)
// 2294 spare (204)  2498 two zero bytes.
struct textsett_rec_old {
  fixed_lang_details_rec_old language_info;
  TTabulonTagTreatment tag_treatment = wltt_none;
  bool must_use_Unicode = false;
  std::uint8_t spare3 = 0;
  bool using_SGML = false;
  bool clear_default_markup = false;
  bool numbers_included = false;
  TIgnore_tag_type ignore_tags{};
  std::array<text_segment_rec, kStandardMarkerCount> standard_markers{};
  std::array<std::uint8_t, 204> spare{};
  bool operator==(const textsett_rec_old&) const = default;
};
constexpr std::size_t kTextsettRecOldSize = 2500;
textsett_rec_old TextsettOldFromBytes(const std::uint8_t* bytes);
void TextsettOldToBytes(const textsett_rec_old& rec, std::uint8_t* out);

// ---- Chosen files and their statistics

// The chosen-file record as first streamed, 49 bytes: 0 FolderData (32, zero or more)
// 4 Zip_Num (16)  6 Date (double)  14 Size (32)  18 Words (32)  22 encrypted  23 Wanted
// 24 KindOfFile  25 not used (24).
struct TChosenFile_OldRec {
  std::int32_t FolderData = 0;
  std::int16_t Zip_Num = 0;
  double Date = 0.0;
  std::int32_t Size = 0;
  std::int32_t Words = 0;
  bool encrypted = false;
  TFileWantedType Wanted = 0;
  TFileContentsSet KindOfFile;
  std::array<std::uint8_t, 24> unused{};
  bool operator==(const TChosenFile_OldRec&) const = default;
};
constexpr std::size_t kChosenFileOldSize = 49;
TChosenFile_OldRec ChosenFileOldFromBytes(const std::uint8_t* bytes);
void ChosenFileOldToBytes(const TChosenFile_OldRec& rec, std::uint8_t* out);

// The statistics record's first form, 16 bytes: 0 total_bytes (32)  4 zips_added (32)
// 8 version (32)  12 spare (4).
struct TFileInfoExtraStatsRecOld {
  std::int32_t total_bytes = 0;
  std::int32_t zips_added = 0;
  std::int32_t version = 0;
  std::array<std::uint8_t, 4> spare{};
  bool operator==(const TFileInfoExtraStatsRecOld&) const = default;
};
constexpr std::size_t kFileInfoExtraStatsRecOldSize = 16;
TFileInfoExtraStatsRecOld ExtraStatsOldFromBytes(const std::uint8_t* bytes);
void ExtraStatsOldToBytes(const TFileInfoExtraStatsRecOld& rec, std::uint8_t* out);

// ---- Grid column headings

// The old heading; its first 60 bytes are streamed (40 without the column data):
//    0 alignment  1 typefaces  2 editable  3 minimum (single)  7 decimals  8 TextColour (32)
//   12 background (32)  16 allow_case_change  17 extra_computed  18 numerical  19 visible
//   20 original_column (16)  22 pixel_width96 (16)  24 output_case  25 SpareB4
//   26 may_have_old_data_unsafe  27 previous_decimals  28 wordwrap  29 has_custom_heading
//   30 percent_data  31 version  32 HelpContext (32)  36 localization_number (32)
//   40 column_data (5 singles: total, maximum, minimum, mean, standard deviation).
// hint and heading live only in memory.
struct grid_head_type_old {
  TCVAlignment alignment = centre_aligned;
  Ttypeface_Set typefaces;
  editable_type editable = nao_pode;
  float minimum = 0.0f;
  std::uint8_t decimals = 0;
  TColor TextColour = 0;
  TColor background = 0;
  bool allow_case_change = false;
  bool extra_computed = false;
  bool numerical = false;
  bool visible = false;
  std::int16_t original_column = 0;
  std::int16_t pixel_width96 = 0;
  TOutput_results_case output_case = 0;
  std::uint8_t SpareB4 = 0;
  bool may_have_old_data_unsafe = false;
  std::uint8_t previous_decimals = 0;
  bool wordwrap = false;
  bool has_custom_heading = false;
  bool percent_data = false;
  std::uint8_t version = 0;
  std::int32_t HelpContext = 0;
  std::int32_t localization_number = 0;
  std::array<float, 5> column_data{};
  std::u16string hint;
  std::u16string heading;
  bool operator==(const grid_head_type_old&) const = default;
};
constexpr std::size_t kGridHeadOldSize = 60;
constexpr std::size_t kGridHeadOldShortSize = 40;
// From 60 bytes, or 40 when !with_column_data (column_data then zero).
grid_head_type_old GridHeadOldFromBytes(const std::uint8_t* bytes, bool with_column_data);
void GridHeadOldToBytes(const grid_head_type_old& rec, std::uint8_t* out, bool with_column_data);

// ---- Mutual information

// 32 bytes: 0 spare_stop  1 stop_at  2 omit_left_right_matches  3 omit_numbers
// 4 show_pairs_twice  5 recompute_total_tokens  6 two_way  7 spare7  8 spare8 (4)
// 12 span (32)  16 min_freq (32)  20 min_mutual_info (single)  24 max_percent (single)
// 28 spare (4).
struct TMutual_info_settings_old {
  std::uint8_t spare_stop = 0;
  bool stop_at = false;
  bool omit_left_right_matches = false;
  bool omit_numbers = false;
  bool show_pairs_twice = false;
  bool recompute_total_tokens = false;
  bool two_way = false;
  std::uint8_t spare7 = 0;
  std::array<std::uint8_t, 4> spare8{};
  std::int32_t span = 0;
  std::int32_t min_freq = 0;
  float min_mutual_info = 0.0f;
  float max_percent = 0.0f;
  std::array<std::uint8_t, 4> spare{};
  bool operator==(const TMutual_info_settings_old&) const = default;
};
constexpr std::size_t kMutualInfoSettingsOldSize = 32;
TMutual_info_settings_old MutualInfoSettingsOldFromBytes(const std::uint8_t* bytes);
void MutualInfoSettingsOldToBytes(const TMutual_info_settings_old& rec, std::uint8_t* out);

// ---- Records kept as byte blocks (their inner fields are not interpreted here)

constexpr std::size_t kConcSettingsRecOldSize = 1368;
struct TConcSettingsRecOld {
  std::array<std::uint8_t, kConcSettingsRecOldSize> bytes{};
  bool operator==(const TConcSettingsRecOld&) const = default;
};
// The byte at this offset is below 3 in the old concordance settings.
constexpr std::size_t kConcSettingsOldMarkerOffset = 1355;

constexpr std::size_t kCV4KeywordsSettingsSize = 1212;
struct CV4_keywords_settings_type {
  std::array<std::uint8_t, kCV4KeywordsSettingsSize> bytes{};
  bool operator==(const CV4_keywords_settings_type&) const = default;
};

constexpr std::size_t kCVKeywordsSettingsOldSize = 2256;
struct CV_keywords_settings_type_old {
  std::array<std::uint8_t, kCVKeywordsSettingsOldSize> bytes{};
  bool operator==(const CV_keywords_settings_type_old&) const = default;
};

constexpr std::size_t kMutualInfoRecOldSize = 72;
struct TMutualInfo_recOld {
  std::array<std::uint8_t, kMutualInfoRecOldSize> bytes{};
  bool operator==(const TMutualInfo_recOld&) const = default;
};

constexpr std::size_t kOneTextStatsRecOldSize = 128;
struct one_text_stats_rec_old {
  std::array<std::uint8_t, kOneTextStatsRecOldSize> bytes{};
  bool operator==(const one_text_stats_rec_old&) const = default;
};

}  // namespace corvane
