#pragma once
// Reading settings records of every generation into the current records.
//
// Each reader zeroes its target, reads one record from the stream's position, recognises
// the layout (from the version number of the enclosing file, or from the record's own
// bytes) and converts an older layout into the current record. Reads are counted: a short
// read answers false and leaves the record zeroed or partly filled; nothing is read past
// the stream's data whatever a version or a byte claims, and only fixed-size buffers are
// used. Where a reader looks ahead it seeks back to the record's start before reading
// again. Errors raised by the stream itself pass to the caller.
//
// Versions: 5 is the first 32-bit generation; 6, 7 and 18 wrote the current layouts; any
// other version (0 among them) makes the reader judge the layout by its bytes.

#include <cstdint>

#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/definitions/Wdef_old.hpp"
#include "corvane/definitions/Wdef_records.hpp"
#include "corvane/rtl/Streams.hpp"

namespace corvane {

// ---- Languages

// charset and fontsize copied; each byte of the length-prefixed 8-bit name becomes the
// UTF-16 character of the same code (0 to 255); the rest of the 101 characters zero.
fixed_character_format_rec32 New_WinFontFromOldWin_Font(const old_fixed_character_format_rec& old);

// From the 16-bit layout: the Booleans, lcid, old_win_font, preference, the code pages
// copied; new_win_font made from old_win_font; allowable_middle_letters the bytes above 32
// among the 11 of old_allowable_middle_letters, widened; nome the 8-bit name through the
// system code page. is_32_version and everything else zero.
fixed_lang_details_rec32 LangDetNewFromOld(const fixed_lang_details_rec_old& old);
// From the first 32-bit layout: the Booleans (is_32_version too), lcid, preference, code
// pages, allowable_middle_letters and nome copied; new_win_font made from old_win_font;
// all else zero.
fixed_lang_details_rec32 LangDetNewFrom32Old(const fixed_lang_details_rec32old& old);

// When cores' text colour equals its background colour, cores becomes the standard
// colours of the display style in use.
void ApplyStandardColoursIfUnset(fixed_lang_details_rec32& rec);

// Version 5: 1040 bytes of the first 32-bit layout; 6, 7, 18: 1040 bytes as they are;
// any other: the third byte (is_32_version) picks the 16-bit layout (632 bytes, when
// zero) or the first 32-bit one. Then the colour rule.
bool Readfixed_lang_details_rec(TStream& stream, fixed_lang_details_rec32& rec,
                                std::int32_t version);

// ---- Text settings

// Version 5: the first 32-bit language layout and the current rest (3028 bytes in all);
// 6, 7, 18: the current layout; any other: 2500 bytes of textsett_rec_old, taken as such
// when its language part is 16-bit (is_32_version zero, or a non-zero byte at 73, 74, 84
// or 85), else read again as version 5. Then the colour rule on the language, and the
// second standard marker's auto_process set exactly when its text is "auto".
bool ReadInTextSettings(TStream& stream, textsett_rec32& rec, std::int32_t version);
// The conversion of the old text settings (language, tag treatment, Unicode and mark-up
// flags, ignored tags and markers); applies neither the colour nor the "auto" rule.
textsett_rec32 TextSettingsNewFromOld(const textsett_rec_old& old);

// ---- Chosen files and statistics

// The current form (first integer negative, 64 bytes) or the old one (49 bytes, Zip_Num
// and Size sign-extended); jump_to stays empty. A zero TextualDateAndTime becomes the
// shifted Julian date of Date.
bool TChosenFileRecFromStream(TStream& stream, TChosenFile_BaseRec& rec);
// The current form (40 bytes, version 2 or more at offset 12) or the old 16 bytes.
bool ExtraStatsRecFromStream(TStream& stream, TFileInfoExtraStatsRec& rec);

// ---- Grid headings

// 60 bytes (with column data) or 40; ok is true when any bytes came. Fields alignment to
// localization_number copied except the two colours, SpareB4 and
// may_have_old_data_unsafe; the five column values into the first five column_data
// entries; span := span_R51.
TGrid_head32 ReadOldGridHeadings(TStream& stream, bool with_column_data, bool& ok);
// The same conversion from a whole old heading, hint and heading copied too.
TGrid_head32 TGrid_head32FromOld(const grid_head_type_old& old);

// ---- Mutual information

// The current layout (180 bytes, first integer 6 or more) or the old 32 bytes: the
// stop and omission flags copied, MI_span := span, MI_max_percent := max_percent, every
// minimum -999999.0 but MI_MI := min_mutual_info, MI_min_texts := 1.
bool TMutual_info_settings32FromStream(TStream& stream, TMutual_info_settings32& rec);
// The old settings from current ones: the flags copied (spare_stop left zero: a 6 there
// would mark the current layout), span := MI_span, min_freq :=
// spare_MI_min_freq, min_mutual_info := the MI_MI minimum, max_percent := MI_max_percent.
TMutual_info_settings_old TMutual_info_settingsOldFrom32(const TMutual_info_settings32& rec);
// The old 72-byte result record's bytes at the same offsets, the rest zero.
TMutual_info_Rec32 TMutual_info_Rec32FromOld(const TMutualInfo_recOld& old);

// ---- Concordance and key-words settings, per-text statistics

// Versions 5, 6, 7, 18: 2580 bytes as they are. Other versions: 1368 bytes, an old layout
// when the byte at 1355 is below 3 (converted by ConcSettingsNewFromOld), else read again
// as 2580 bytes.
bool ReadInConcSettRec(TStream& stream, TConcSettingsRec32& rec, std::int32_t version);
// The byte-block conversions below keep the old record's bytes at the same offsets at the
// start of the current record, which is where the older generations' fields sit, and
// leave the bytes the current layout added zero.
TConcSettingsRec32 ConcSettingsNewFromOld(const TConcSettingsRecOld& old);
CV_keywords_settings_type32 CV_keywords_settings_type32FromV4(
    const CV4_keywords_settings_type& old);
CV_keywords_settings_type32 CV_keywords_settings_type32FromV5OLd(
    const CV_keywords_settings_type_old& old);
one_text_stats_rec OneTextStatsRecFromOld(const one_text_stats_rec_old& old);

}  // namespace corvane
