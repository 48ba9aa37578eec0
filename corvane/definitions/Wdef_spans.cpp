// Association scores against thresholds, concordance sort keys and word spans, and the
// unit's display names.
#include <algorithm>

#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Numbers.hpp"

namespace corvane {

std::array<std::u16string, kConcordanceSortCount> sort_str_arr;
std::array<std::u16string, kBaseDescriptivesCount> TBaseDescriptivesStrings;

bool PassesRelationshipThresholdTests(const TConcgramMutualChecks& checks,
                                      const TMutualInfoScores& scores) {
  if (checks.test_all_procedures) {
    for (int i = 0; i < kMutualInfoStatsCount; ++i) {
      const TBoolAndSingleSettings& setting = checks.proc_settings[i];
      if (setting.do_it && !(scores[i] >= setting.threshold)) return false;
    }
    return true;
  }
  bool looked = false;
  for (int i = 0; i < kMutualInfoStatsCount; ++i) {
    const TBoolAndSingleSettings& setting = checks.proc_settings[i];
    if (!setting.do_it) continue;
    if (scores[i] >= setting.threshold) return true;
    looked = true;
    if (!checks.test_all_words) break;
  }
  return !looked;
}

Tdouble_colloc_span_type CollocSpan(const Tdouble_smallint_type& horizons) {
  // Horizons beyond the fifty words kept on each side (or negative ones) are held to the
  // ends of the span range rather than leaving it.
  const int left = std::clamp(span_Centre - horizons.to_left, int{span_L50}, int{span_R51});
  const int right = std::clamp(span_Centre + horizons.to_right, int{span_L50}, int{span_R51});
  return {static_cast<TConcordance_span_type>(left), static_cast<TConcordance_span_type>(right)};
}

TConcordance_span_type SortSpanFromSort(concordance_sort_type sort) {
  if (sort > cs_right5) return span_Centre;
  return static_cast<TConcordance_span_type>(sort + 45);
}

std::u16string ConcordanceSpanStr(TConcordance_span_type span) {
  const int ordinal = span;
  if (ordinal >= span_L50 && ordinal <= span_L01)
    return msg::text(msg::CVL) + IntToStr(span_Centre - ordinal);
  if (ordinal >= span_R01 && ordinal <= span_R50)
    return msg::text(msg::CVR) + IntToStr(ordinal - span_Centre);
  return msg::text(msg::CVCentre);
}

void FillWdefDisplayNames() {
  static constexpr msg::MessageId sort_names[kConcordanceSortCount] = {
      msg::CVL5,
      msg::CVL4,
      msg::CVL3,
      msg::CVL2,
      msg::CVL1,
      msg::CVCentre,
      msg::CVR1,
      msg::CVR2,
      msg::CVR3,
      msg::CVR4,
      msg::CVR5,
      msg::CVContextWord,
      msg::CVSetOrder,
      msg::CVFilename,
      msg::CVDate,
      msg::CVTagOrder,
      msg::CVTagDistance,
      msg::CVFilePercent,
      msg::CVWordNumber,
      msg::CVSentenceNumber,
      msg::CVSentencePosition,
      msg::CVParagraphNumber,
      msg::CVParagraphPosition,
      msg::CVHeadingNumber,
      msg::CVHeadingPosition,
      msg::CVSectionNumber,
      msg::CVSectionPosition,
      msg::CVContextualFrequency,
      msg::CVHighlightedCollocate,
      msg::CVWholeConcLine,
      msg::CVBytePosition,
  };
  for (int i = 0; i < kConcordanceSortCount; ++i) sort_str_arr[i] = msg::text(sort_names[i]);
  static constexpr msg::MessageId stat_names[] = {msg::CVTotal, msg::CVMax, msg::CVMin, msg::CVMean,
                                                  msg::CVSd};
  for (int i = 0; i < kBaseDescriptivesCount; ++i)
    TBaseDescriptivesStrings[i] = msg::text(i < gc_1 ? stat_names[i] : msg::CVSegmentN);
}

void Wdef_initialization() {
  Wdef_dates_initialization();
  FillWdefDisplayNames();
}

void Wdef_finalization() {
  for (std::u16string& s : sort_str_arr) s.clear();
  for (std::u16string& s : TBaseDescriptivesStrings) s.clear();
  Wdef_dates_finalization();
}

}  // namespace corvane
