#pragma once
// The current settings records that the suite stores as raw fixed-size bytes beside the
// language record: text settings, chosen files and their statistics, grid column
// headings, mutual-information settings, and the records kept as byte blocks
// (concordance and key-words settings, mutual-information results, per-text statistics).
// Each stored record has a field-by-field encoder and decoder at fixed offsets (never a
// struct's memory): integers little-endian, Booleans one byte (a non-zero byte reads as
// true, true is written as 1), spare bytes kept as read, padding written as zero.
//
// RecordFields describes a record as named fields for printing (text or JSON).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/definitions/Wdef_settings_lists.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/frame/Wdef_mini.hpp"
#include "corvane/search/User_input_wildcard_parsing.hpp"

namespace corvane {

// ---- Text settings

// One text-structure marker, 204 bytes: 0 marker (100 UTF-16 characters, zero-terminated)
// 200 spare  201 auto_process  202 has_wildcards  203 zero.
struct text_segment_rec {
  std::array<char16_t, 100> marker{};
  bool spare = false;
  bool auto_process = false;
  bool has_wildcards = false;
  bool operator==(const text_segment_rec&) const = default;
};
constexpr std::size_t kTextSegmentRecSize = 204;
constexpr int kStandardMarkerCount = 8;
text_segment_rec TextSegmentFromBytes(const std::uint8_t* bytes);
void TextSegmentToBytes(const text_segment_rec& rec, std::uint8_t* out);

// The text settings, 3028 bytes:
//      0 language_info (1040)  1040 tag_treatment_computing  1041 must_use_Unicode
//   1042 RequirePrecomposedCharacters  1043 handle_International_System_of_Units_numbers
//   1044 spare5  1045 using_SGML  1046 clear_default_markup  1047 numbers_included
//   1048 ignore_tags (12 UTF-16)  1072 standard_markers (8 x 204)  2704 max_texts (32)
//   2708 tag_treatment_displaying  2709 spare (319)
struct textsett_rec32 {
  fixed_lang_details_rec32 language_info;
  TTabulonTagTreatment tag_treatment_computing = wltt_none;
  bool must_use_Unicode = false;
  bool RequirePrecomposedCharacters = false;
  bool handle_International_System_of_Units_numbers = false;
  std::uint8_t spare5 = 0;
  bool using_SGML = false;
  bool clear_default_markup = false;
  bool numbers_included = false;
  TIgnore_tag_type ignore_tags{};
  std::array<text_segment_rec, kStandardMarkerCount> standard_markers{};
  std::int32_t max_texts = 0;
  TTabulonTagTreatment tag_treatment_displaying = wltt_none;
  std::array<std::uint8_t, 319> spare{};
  bool operator==(const textsett_rec32&) const = default;
};
constexpr std::size_t kTextsettRec32Size = 3028;
textsett_rec32 TextsettFromBytes(const std::uint8_t* bytes);
void TextsettToBytes(const textsett_rec32& rec, std::uint8_t* out);
// The part from offset 1040 on (1988 bytes) into rec, its language left as it is.
void TextsettTailFromBytes(const std::uint8_t* bytes_from_1040, textsett_rec32& rec);

// ---- Chosen files

// Why a text was chosen; stored as one byte, kept as its number.
using TFileWantedType = std::uint8_t;

// A chosen text. On a stream (the current form, 64 bytes):
//    0 -(FolderData + 1) (32, always negative)  4 Zip_Num (32)  8 Date (double)
//   16 Size (64)  24 Words (32)  28 encrypted  29 spare_a (3)  32 Wanted  33 KindOfFile
//   34 two zero bytes  36 version (32)  40 TextualDateAndTime (double)  48 hits (32)
//   52 spare_b (12)
// jump_to and ShortFileName live only in memory.
struct TChosenFile_BaseRec {
  std::int32_t FolderData = 0;
  std::int32_t Zip_Num = 0;
  double Date = 0.0;  // date-time
  std::int64_t Size = 0;
  std::int32_t Words = 0;
  bool encrypted = false;
  std::array<std::uint8_t, 3> spare_a{};
  TFileWantedType Wanted = 0;
  TFileContentsSet KindOfFile;
  std::int32_t version = 0;
  double TextualDateAndTime = 0.0;  // shifted Julian date
  std::int32_t hits = 0;
  std::array<std::uint8_t, 12> spare_b{};
  std::vector<std::int32_t> jump_to;
  std::u16string ShortFileName;
  bool operator==(const TChosenFile_BaseRec&) const = default;
};
constexpr std::size_t kChosenFileRecSize = 64;
TChosenFile_BaseRec ChosenFileFromBytes(const std::uint8_t* bytes);
void ChosenFileToBytes(const TChosenFile_BaseRec& rec, std::uint8_t* out);

// 40 bytes: 0 total_bytes (64)  8 zips_added (32)  12 version (32)  16 spare (24).
struct TFileInfoExtraStatsRec {
  std::int64_t total_bytes = 0;
  std::int32_t zips_added = 0;
  std::int32_t version = 0;
  std::array<std::uint8_t, 24> spare{};
  bool operator==(const TFileInfoExtraStatsRec&) const = default;
};
constexpr std::size_t kFileInfoExtraStatsRecSize = 40;
TFileInfoExtraStatsRec ExtraStatsFromBytes(const std::uint8_t* bytes);
void ExtraStatsToBytes(const TFileInfoExtraStatsRec& rec, std::uint8_t* out);

// ---- Grid column headings (in memory only)

enum TCVAlignment : std::uint8_t {
  centre_aligned,
  default_aligned,
  right_aligned,
  decimal_aligned,
  plotting_aligned,
  spare_aligned,
  conc_aligned,
  spare2_aligned,
};
enum editable_type : std::uint8_t { nao_pode, maiusc, minusc, tanto_faz };
// The case of a column's output; stored as one byte, kept as its number.
using TOutput_results_case = std::uint8_t;
// The kind of an extra column; kept as its number.
using TCVColumnType = std::uint8_t;
enum TtriBool : std::uint8_t { quem_sabe, falso, verdadeiro };
// The column statistics: total, maximum, minimum, mean, standard deviation, 12 segments.
enum TBaseDescriptivesSet : std::uint8_t {
  gc_total,
  gc_max,
  gc_min,
  gc_mean,
  gc_sd,
  gc_1,
  gc_2,
  gc_3,
  gc_4,
  gc_5,
  gc_6,
  gc_7,
  gc_8,
  gc_9,
  gc_10,
  gc_11,
  gc_12,
};
constexpr int kBaseDescriptivesCount = gc_12 + 1;
using TGridColumnDataRec32 = std::array<float, kBaseDescriptivesCount>;

struct TGrid_head32 {
  TCVAlignment alignment = centre_aligned;
  Ttypeface_Set typefaces;
  editable_type editable = nao_pode;
  float minimum = 0.0f;
  std::uint8_t decimals = 0;
  TColor vestigial_TextColour = 0;
  TColor user_specified_background = 0;
  bool allow_case_change = false;
  bool extra_computed = false;
  bool numerical = false;
  bool heading_visible = false;
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
  TGridColumnDataRec32 column_data{};
  std::uint8_t timeline_basis = 0;
  bool timelinerounded = false;
  TtriBool SortStateAscending = quem_sabe;
  bool has_custom_colours = false;
  TConcordance_span_type span = span_L50;
  TCVColumnType extra_column_type = 0;
  TColor show_as_percent_colour = 0;
  TColor special_colour = 0;
  std::u16string hint;
  std::u16string heading;
  bool operator==(const TGrid_head32&) const = default;
};

// ---- Mutual information

enum TMIStopListOptions : std::uint8_t {
  MIS_none,
  mis_filter_word1,
  mis_filter_word2,
  mis_filter_both_words,
};
enum TMutualInfoStats : std::uint8_t {
  MI_Dice,
  MI_MI,
  MI_MI3,
  MI_Z,
  MI_log_likelihood,
  MI_T_Score,
  MI_Log_Ratio,
};
constexpr int kMutualInfoStatsCount = MI_Log_Ratio + 1;

// 180 bytes: 0 spare_stop  1 stop_at  2 omit_left_right_matches  3 omit_numbers
// 4 show_pairs_twice  5 recompute_total_tokens  6 two_way  7 MIStopListOption
// 8 use_OR_for_minima  9 spare_a (7)  16 MI_span (32)  20 spare_MI_min_freq (32)
// 24 MI_max_percent (single)  28 minima (7 singles)  56 spare_b (40)  96 MI_min_texts (32)
// 100 spare_c (80)
struct TMutual_info_settings32 {
  std::uint8_t spare_stop = 0;  // kept as stored: current writers put their version here
  bool stop_at = false;
  bool omit_left_right_matches = false;
  bool omit_numbers = false;
  bool show_pairs_twice = false;
  bool recompute_total_tokens = false;
  bool two_way = false;
  TMIStopListOptions MIStopListOption = MIS_none;
  bool use_OR_for_minima = false;
  std::array<std::uint8_t, 7> spare_a{};
  std::int32_t MI_span = 0;
  std::int32_t spare_MI_min_freq = 0;
  float MI_max_percent = 0.0f;
  std::array<float, kMutualInfoStatsCount> minima{};
  std::array<std::uint8_t, 40> spare_b{};
  std::int32_t MI_min_texts = 0;
  std::array<std::uint8_t, 80> spare_c{};
  bool operator==(const TMutual_info_settings32&) const = default;
};
constexpr std::size_t kMutualInfoSettings32Size = 180;
TMutual_info_settings32 MutualInfoSettings32FromBytes(const std::uint8_t* bytes);
void MutualInfoSettings32ToBytes(const TMutual_info_settings32& rec, std::uint8_t* out);

// ---- Records kept as byte blocks

constexpr std::size_t kConcSettingsRec32Size = 2580;
struct TConcSettingsRec32 {
  std::array<std::uint8_t, kConcSettingsRec32Size> bytes{};
  bool operator==(const TConcSettingsRec32&) const = default;
};

constexpr std::size_t kCVKeywordsSettings32Size = 2664;
struct CV_keywords_settings_type32 {
  std::array<std::uint8_t, kCVKeywordsSettings32Size> bytes{};
  bool operator==(const CV_keywords_settings_type32&) const = default;
};

constexpr std::size_t kMutualInfoRec32Size = 128;
struct TMutual_info_Rec32 {
  std::array<std::uint8_t, kMutualInfoRec32Size> bytes{};
  bool operator==(const TMutual_info_Rec32&) const = default;
};

constexpr std::size_t kOneTextStatsRecSize = 256;
struct one_text_stats_rec {
  std::array<std::uint8_t, kOneTextStatsRecSize> bytes{};
  bool operator==(const one_text_stats_rec&) const = default;
};

// ---- Named fields, for printing

// One field of a record: a scalar with its text, a set with its member names, or a nested
// record or array with its children (array elements have empty names).
struct TRecordField {
  enum Kind : std::uint8_t {
    rf_bool,    // text "true" / "false"
    rf_number,  // text a decimal number
    rf_text,    // text UTF-8 (a character array up to its first zero)
    rf_enum,    // text the value's name (or its number when it has none)
    rf_bytes,   // text lower-case hex, two digits a byte
    rf_set,     // members
    rf_record,  // children
    rf_array,   // children
  };
  std::string name;
  Kind kind = rf_number;
  std::string text;
  std::vector<std::string> members;
  std::vector<TRecordField> children;
};
using TRecordFields = std::vector<TRecordField>;

TRecordFields RecordFields(const fixed_lang_details_rec32& rec);
TRecordFields RecordFields(const textsett_rec32& rec);
TRecordFields RecordFields(const TChosenFile_BaseRec& rec);
TRecordFields RecordFields(const TFileInfoExtraStatsRec& rec);
TRecordFields RecordFields(const TGrid_head32& rec);
TRecordFields RecordFields(const TMutual_info_settings32& rec);
TRecordFields RecordFields(const TConcSettingsRec32& rec);

// The fields as "path<TAB>value" lines (nested names joined with ".", array elements as
// "[i]", set members joined with ","), each line ended with "\n".
std::string RecordFieldsAsLines(const TRecordFields& fields);

}  // namespace corvane
