// The current stored records of Wdef_records, field by field at their offsets.
#include "corvane/definitions/Wdef_records.hpp"

#include <algorithm>

#include "corvane/definitions/Wdef_records_bytes.hpp"

namespace corvane {

using namespace record_bytes;

text_segment_rec TextSegmentFromBytes(const std::uint8_t* p) {
  text_segment_rec r;
  get_chars(p, 0, r.marker);
  r.spare = get_bool(p, 200);
  r.auto_process = get_bool(p, 201);
  r.has_wildcards = get_bool(p, 202);
  return r;
}

void TextSegmentToBytes(const text_segment_rec& r, std::uint8_t* p) {
  std::fill(p, p + kTextSegmentRecSize, 0);
  put_chars(p, 0, r.marker);
  put_bool(p, 200, r.spare);
  put_bool(p, 201, r.auto_process);
  put_bool(p, 202, r.has_wildcards);
}

void TextsettTailFromBytes(const std::uint8_t* b, textsett_rec32& r) {
  // b points at offset 1040 of the record.
  const std::uint8_t* p = b - 1040;
  r.tag_treatment_computing = static_cast<TTabulonTagTreatment>(p[1040]);
  r.must_use_Unicode = get_bool(p, 1041);
  r.RequirePrecomposedCharacters = get_bool(p, 1042);
  r.handle_International_System_of_Units_numbers = get_bool(p, 1043);
  r.spare5 = p[1044];
  r.using_SGML = get_bool(p, 1045);
  r.clear_default_markup = get_bool(p, 1046);
  r.numbers_included = get_bool(p, 1047);
  get_chars(p, 1048, r.ignore_tags);
  for (int i = 0; i < kStandardMarkerCount; ++i)
    r.standard_markers[i] = TextSegmentFromBytes(p + 1072 + kTextSegmentRecSize * i);
  r.max_texts = get<std::int32_t>(p, 2704);
  r.tag_treatment_displaying = static_cast<TTabulonTagTreatment>(p[2708]);
  get_bytes(p, 2709, r.spare);
}

textsett_rec32 TextsettFromBytes(const std::uint8_t* p) {
  textsett_rec32 r;
  r.language_info = FixedLangDetailsFromBytes(p);
  TextsettTailFromBytes(p + 1040, r);
  return r;
}

void TextsettToBytes(const textsett_rec32& r, std::uint8_t* p) {
  std::fill(p, p + kTextsettRec32Size, 0);
  const auto lang = FixedLangDetailsBytes(r.language_info);
  std::copy(lang.begin(), lang.end(), p);
  p[1040] = r.tag_treatment_computing;
  put_bool(p, 1041, r.must_use_Unicode);
  put_bool(p, 1042, r.RequirePrecomposedCharacters);
  put_bool(p, 1043, r.handle_International_System_of_Units_numbers);
  p[1044] = r.spare5;
  put_bool(p, 1045, r.using_SGML);
  put_bool(p, 1046, r.clear_default_markup);
  put_bool(p, 1047, r.numbers_included);
  put_chars(p, 1048, r.ignore_tags);
  for (int i = 0; i < kStandardMarkerCount; ++i)
    TextSegmentToBytes(r.standard_markers[i], p + 1072 + kTextSegmentRecSize * i);
  put<std::int32_t>(p, 2704, r.max_texts);
  p[2708] = r.tag_treatment_displaying;
  put_bytes(p, 2709, r.spare);
}

TChosenFile_BaseRec ChosenFileFromBytes(const std::uint8_t* p) {
  TChosenFile_BaseRec r;
  // Stored as -(FolderData + 1); worked in 64 bits so the most negative value converts.
  r.FolderData = static_cast<std::int32_t>(-static_cast<std::int64_t>(get<std::int32_t>(p, 0)) - 1);
  r.Zip_Num = get<std::int32_t>(p, 4);
  r.Date = get<double>(p, 8);
  r.Size = get<std::int64_t>(p, 16);
  r.Words = get<std::int32_t>(p, 24);
  r.encrypted = get_bool(p, 28);
  std::copy(p + 29, p + 32, r.spare_a.begin());
  r.Wanted = p[32];
  r.KindOfFile = TFileContentsSet::from_byte(p[33]);
  r.version = get<std::int32_t>(p, 36);
  r.TextualDateAndTime = get<double>(p, 40);
  r.hits = get<std::int32_t>(p, 48);
  get_bytes(p, 52, r.spare_b);
  return r;
}

void ChosenFileToBytes(const TChosenFile_BaseRec& r, std::uint8_t* p) {
  std::fill(p, p + kChosenFileRecSize, 0);
  put<std::int32_t>(p, 0,
                    static_cast<std::int32_t>(-(static_cast<std::int64_t>(r.FolderData) + 1)));
  put<std::int32_t>(p, 4, r.Zip_Num);
  put<double>(p, 8, r.Date);
  put<std::int64_t>(p, 16, r.Size);
  put<std::int32_t>(p, 24, r.Words);
  put_bool(p, 28, r.encrypted);
  std::copy(r.spare_a.begin(), r.spare_a.end(), p + 29);
  p[32] = r.Wanted;
  p[33] = r.KindOfFile.bits;
  put<std::int32_t>(p, 36, r.version);
  put<double>(p, 40, r.TextualDateAndTime);
  put<std::int32_t>(p, 48, r.hits);
  put_bytes(p, 52, r.spare_b);
}

TFileInfoExtraStatsRec ExtraStatsFromBytes(const std::uint8_t* p) {
  TFileInfoExtraStatsRec r;
  r.total_bytes = get<std::int64_t>(p, 0);
  r.zips_added = get<std::int32_t>(p, 8);
  r.version = get<std::int32_t>(p, 12);
  get_bytes(p, 16, r.spare);
  return r;
}

void ExtraStatsToBytes(const TFileInfoExtraStatsRec& r, std::uint8_t* p) {
  put<std::int64_t>(p, 0, r.total_bytes);
  put<std::int32_t>(p, 8, r.zips_added);
  put<std::int32_t>(p, 12, r.version);
  put_bytes(p, 16, r.spare);
}

TMutual_info_settings32 MutualInfoSettings32FromBytes(const std::uint8_t* p) {
  TMutual_info_settings32 r;
  r.spare_stop = p[0];
  r.stop_at = get_bool(p, 1);
  r.omit_left_right_matches = get_bool(p, 2);
  r.omit_numbers = get_bool(p, 3);
  r.show_pairs_twice = get_bool(p, 4);
  r.recompute_total_tokens = get_bool(p, 5);
  r.two_way = get_bool(p, 6);
  r.MIStopListOption = static_cast<TMIStopListOptions>(p[7]);
  r.use_OR_for_minima = get_bool(p, 8);
  std::copy(p + 9, p + 16, r.spare_a.begin());
  r.MI_span = get<std::int32_t>(p, 16);
  r.spare_MI_min_freq = get<std::int32_t>(p, 20);
  r.MI_max_percent = get<float>(p, 24);
  for (int i = 0; i < kMutualInfoStatsCount; ++i) r.minima[i] = get<float>(p, 28 + 4 * i);
  get_bytes(p, 56, r.spare_b);
  r.MI_min_texts = get<std::int32_t>(p, 96);
  get_bytes(p, 100, r.spare_c);
  return r;
}

void MutualInfoSettings32ToBytes(const TMutual_info_settings32& r, std::uint8_t* p) {
  p[0] = r.spare_stop;
  put_bool(p, 1, r.stop_at);
  put_bool(p, 2, r.omit_left_right_matches);
  put_bool(p, 3, r.omit_numbers);
  put_bool(p, 4, r.show_pairs_twice);
  put_bool(p, 5, r.recompute_total_tokens);
  put_bool(p, 6, r.two_way);
  p[7] = r.MIStopListOption;
  put_bool(p, 8, r.use_OR_for_minima);
  std::copy(r.spare_a.begin(), r.spare_a.end(), p + 9);
  put<std::int32_t>(p, 16, r.MI_span);
  put<std::int32_t>(p, 20, r.spare_MI_min_freq);
  put<float>(p, 24, r.MI_max_percent);
  for (int i = 0; i < kMutualInfoStatsCount; ++i) put<float>(p, 28 + 4 * i, r.minima[i]);
  put_bytes(p, 56, r.spare_b);
  put<std::int32_t>(p, 96, r.MI_min_texts);
  put_bytes(p, 100, r.spare_c);
}

}  // namespace corvane
