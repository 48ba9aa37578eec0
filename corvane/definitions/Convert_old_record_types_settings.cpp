// Mutual-information, concordance and key-words settings and the result records kept as
// byte blocks, into the current records.
#include <algorithm>
#include <array>

#include "corvane/definitions/Convert_old_record_types.hpp"
#include "corvane/definitions/Wdef_records_bytes.hpp"

namespace corvane {

namespace {

bool read_exact(TStream& stream, std::uint8_t* buffer, std::size_t count) {
  return stream.Read(buffer, static_cast<std::int32_t>(count)) == static_cast<std::int32_t>(count);
}

// The old bytes at the same offsets at the start of the larger current block.
template <class New, class Old>
New widened(const Old& old) {
  static_assert(sizeof(New{}.bytes) >= sizeof(Old{}.bytes));
  New r;
  std::copy(old.bytes.begin(), old.bytes.end(), r.bytes.begin());
  return r;
}

constexpr float kNoMinimum = -999999.0f;

}  // namespace

bool TMutual_info_settings32FromStream(TStream& stream, TMutual_info_settings32& rec) {
  rec = TMutual_info_settings32{};
  std::array<std::uint8_t, kMutualInfoSettings32Size> b{};
  const std::int64_t start = stream.Position();
  if (!read_exact(stream, b.data(), kMutualInfoSettingsOldSize)) return false;
  if (record_bytes::get<std::int32_t>(b.data(), 0) >= 6) {
    stream.SetPosition(start);
    if (!read_exact(stream, b.data(), kMutualInfoSettings32Size)) return false;
    rec = MutualInfoSettings32FromBytes(b.data());
    return true;
  }
  const TMutual_info_settings_old old = MutualInfoSettingsOldFromBytes(b.data());
  rec.stop_at = old.stop_at;
  rec.omit_left_right_matches = old.omit_left_right_matches;
  rec.omit_numbers = old.omit_numbers;
  rec.show_pairs_twice = old.show_pairs_twice;
  rec.recompute_total_tokens = old.recompute_total_tokens;
  rec.two_way = old.two_way;
  rec.MI_span = old.span;
  rec.MI_max_percent = old.max_percent;
  rec.minima.fill(kNoMinimum);
  rec.minima[MI_MI] = old.min_mutual_info;
  rec.MI_min_texts = 1;
  return true;
}

TMutual_info_settings_old TMutual_info_settingsOldFrom32(const TMutual_info_settings32& rec) {
  TMutual_info_settings_old old;
  old.stop_at = rec.stop_at;
  old.omit_left_right_matches = rec.omit_left_right_matches;
  old.omit_numbers = rec.omit_numbers;
  old.show_pairs_twice = rec.show_pairs_twice;
  old.recompute_total_tokens = rec.recompute_total_tokens;
  old.two_way = rec.two_way;
  old.span = rec.MI_span;
  old.min_freq = rec.spare_MI_min_freq;
  old.min_mutual_info = rec.minima[MI_MI];
  old.max_percent = rec.MI_max_percent;
  return old;
}

TMutual_info_Rec32 TMutual_info_Rec32FromOld(const TMutualInfo_recOld& old) {
  return widened<TMutual_info_Rec32>(old);
}

TConcSettingsRec32 ConcSettingsNewFromOld(const TConcSettingsRecOld& old) {
  return widened<TConcSettingsRec32>(old);
}

CV_keywords_settings_type32 CV_keywords_settings_type32FromV4(
    const CV4_keywords_settings_type& old) {
  return widened<CV_keywords_settings_type32>(old);
}

CV_keywords_settings_type32 CV_keywords_settings_type32FromV5OLd(
    const CV_keywords_settings_type_old& old) {
  return widened<CV_keywords_settings_type32>(old);
}

one_text_stats_rec OneTextStatsRecFromOld(const one_text_stats_rec_old& old) {
  return widened<one_text_stats_rec>(old);
}

bool ReadInConcSettRec(TStream& stream, TConcSettingsRec32& rec, std::int32_t version) {
  rec = TConcSettingsRec32{};
  if (version == 5 || version == 6 || version == 7 || version == 18)
    return read_exact(stream, rec.bytes.data(), kConcSettingsRec32Size);
  const std::int64_t start = stream.Position();
  TConcSettingsRecOld old;
  if (!read_exact(stream, old.bytes.data(), kConcSettingsRecOldSize)) return false;
  if (old.bytes[kConcSettingsOldMarkerOffset] < 3) {
    rec = ConcSettingsNewFromOld(old);
    return true;
  }
  stream.SetPosition(start);
  return read_exact(stream, rec.bytes.data(), kConcSettingsRec32Size);
}

}  // namespace corvane
