#pragma once
// Helpers shared by the matcher's tests: a buffer with its class array, a parsed search
// word, and a loop that collects every hit the way the search engine walks a buffer
// (resuming one character after the start of each hit, counts carried along).

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Search_parsing.hpp"

namespace corvane::testing_matcher {

// A UTF-16 buffer and its class words (two spare words at the end). Characters from a
// tag-open U+0019 up to the next tag-close U+0018 get the mark-up bit.
struct TestBuffer {
  std::u16string text;
  std::vector<std::uint16_t> details;

  explicit TestBuffer(std::u16string_view t) : text(t), details(t.size() + 2, 0) {
    char_types1(t, details.data());
    bool in_tag = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (t[i] == 0x19) in_tag = true;
      if (in_tag) details[i] |= kMarkupBit;
      if (t[i] == 0x18) in_tag = false;
    }
  }
  void marker(std::size_t i, std::uint16_t code) { details[i] = kMarkerBit | code; }
  std::int32_t size() const { return static_cast<std::int32_t>(text.size()); }
};

inline TSearch_word_format_rec parse_word(std::u16string typed, std::u16string_view tags = u"") {
  TSearch_word_format_rec rec;
  Parsed_SearchWord(tags_from_pairs(tags), typed, rec);
  return rec;
}

struct Options {
  bool punct_as_space = false;
  bool end_markers[5] = {};
};

struct Hit {
  std::int32_t pos;
  std::uint16_t exact;
  std::uint16_t extended;
  TSearchStatsRec stats;
  bool in_heading;
};

// Every hit in the buffer, in order, with the counts as they stand at each.
inline std::vector<Hit> find_all(const TestBuffer& b, const TSearch_word_format_rec& rec,
                                 const Options& o = {}, TSearchStatsRec* final_stats = nullptr) {
  std::vector<Hit> hits;
  TSearchStatsRec stats;
  bool in_heading = false;
  const bool cs = rec.flags.contains(myCaseIsSensitive);
  const std::u16string& up = cs ? rec.copies[unchanged_copy] : rec.copies[upper_copy];
  const std::u16string& lo = cs ? rec.copies[unchanged_copy] : rec.copies[lower_copy];
  const std::u16string& ti = cs ? rec.copies[unchanged_copy] : rec.copies[title_copy];
  const std::uint16_t* details_end = b.details.data() + b.size() + 1;
  std::int32_t from = 0;
  while (from < b.size()) {
    std::uint16_t ext = 0, exact = 0;
    const void* p = NewFindWantedInBuffer(
        b.text.data() + from, b.size() - from, b.details.data() + from, b.details.data(),
        details_end, up, lo, ti, static_cast<std::uint16_t>(lo.size()), cs,
        rec.flags.contains(myLeftBounded), rec.flags.contains(myRightBounded), true,
        o.punct_as_space, false, ext, exact, stats, in_heading, o.end_markers[1], o.end_markers[2],
        o.end_markers[3], o.end_markers[4]);
    if (!p) break;
    const auto pos = static_cast<std::int32_t>(static_cast<const char16_t*>(p) - b.text.data());
    hits.push_back({pos, exact, ext, stats, in_heading});
    from = pos + 1;
  }
  if (final_stats) *final_stats = stats;
  return hits;
}

inline std::vector<std::int32_t> positions(const std::vector<Hit>& hits) {
  std::vector<std::int32_t> out;
  for (const Hit& h : hits) out.push_back(h.pos);
  return out;
}

}  // namespace corvane::testing_matcher
