// NewFindWantedInBuffer: the single forward pass over a buffer and its class words.
//
// The pass does two things per character: the structure bookkeeping (markers and word
// starts) and the test whether the character can start a hit. For UTF-16 buffers whose
// search word starts with an ordinary character, runs of characters that are neither a
// marker nor equal to one of the three case forms of that first character are passed in
// blocks by a vector kernel, which only counts their word starts; everything else goes
// through the scalar step below, one character at a time.

#include <algorithm>
#include <atomic>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Bare_assemb3_internal.hpp"
#include "corvane/search/User_input_wildcard_parsing.hpp"
#include "corvane/text/Bare_assemb_kernels.hpp"

namespace corvane {

namespace detail {

namespace {

matcher_kernel best_kernel() {
  if (simd_level_supported(simd_level::avx2)) return matcher_kernel::avx2;
  if (simd_level_supported(simd_level::sse2)) return matcher_kernel::sse2;
  return matcher_kernel::scalar;
}

std::atomic<matcher_kernel>& kernel_in_use() {
  static std::atomic<matcher_kernel> k{best_kernel()};
  return k;
}

}  // namespace

bool matcher_kernel_supported(matcher_kernel k) {
  switch (k) {
    case matcher_kernel::scalar:
      return true;
    case matcher_kernel::sse2:
      return simd_level_supported(simd_level::sse2);
    case matcher_kernel::avx2:
      return simd_level_supported(simd_level::avx2);
  }
  return false;
}

matcher_kernel set_matcher_kernel(matcher_kernel k) {
  while (!matcher_kernel_supported(k)) k = static_cast<matcher_kernel>(static_cast<int>(k) - 1);
  return kernel_in_use().exchange(k);
}

matcher_kernel current_matcher_kernel() {
  return kernel_in_use().load(std::memory_order_relaxed);
}

}  // namespace detail

namespace {

constexpr std::uint32_t kSpace = 0x20;

inline bool is_markup(std::uint16_t w) {
  return (w & (kMarkerBit | kMarkupBit)) == kMarkupBit;
}
inline bool is_ws(std::uint16_t w) {
  return (w & kWhitespaceClasses) != 0;
}
inline bool is_ws_or_punct(std::uint16_t w) {
  return (w & kWhitespaceOrPunctClasses) != 0;
}
inline bool is_word_char(std::uint16_t w) {
  return (w & kWordCharClasses) != 0;
}

inline bool is_wildcard(char16_t a) {
  return a >= kAnyWordCode && a <= kAnyLetterCode;
}

// The counts and the in-heading state while one call runs.
struct bookkeeper {
  TSearchStatsRec s;
  bool in_heading;
  bool end_markers[5];  // by TSearchStatsKind; [0] unused

  void boundary(int k) {
    THandleTextSectionProc proc = nullptr;
    switch (k) {
      case stats_sentence:
        proc = HandleSentenceEndProc;
        break;
      case stats_paragraph:
        proc = HandleParagraphEndProc;
        break;
      case stats_heading:
        proc = HandleHeadingEndProc;
        break;
      default:
        proc = HandleSectionEndProc;
        break;
    }
    if (proc) proc(s.number[k], s.position[k]);
    ++s.number[k];
    s.position[k] = 1;
    if (k == stats_heading) in_heading = false;
  }

  void marker(std::uint16_t code) {
    switch (code) {
      case marker_sentence_start:
        if (!end_markers[stats_sentence]) boundary(stats_sentence);
        break;
      case marker_sentence_end:
        boundary(stats_sentence);
        break;
      case marker_paragraph_start:
        if (!end_markers[stats_paragraph]) boundary(stats_paragraph);
        break;
      case marker_paragraph_end:
        boundary(stats_paragraph);
        break;
      case marker_heading_start:
        in_heading = true;
        if (!end_markers[stats_heading]) boundary(stats_heading);
        break;
      case marker_heading_end:
        boundary(stats_heading);
        break;
      case marker_section_start:
        if (!end_markers[stats_section]) boundary(stats_section);
        break;
      case marker_section_end:
        boundary(stats_section);
        break;
      default:
        break;
    }
  }

  void word_starts(std::int32_t n) {
    s.number[stats_word] += n;
    s.position[stats_sentence] += n;
    s.position[stats_paragraph] += n;
    s.position[stats_section] += n;
    if (in_heading) s.position[stats_heading] += n;
  }

  // Structure bookkeeping of one character (w points at its class word; w[1] is readable).
  void step(const std::uint16_t* w) {
    const std::uint16_t c = w[0];
    if (c & kMarkerBit)
      marker(c & kMarkerCodeMask);
    else if (is_ws(c) && !is_ws(w[1]))
      word_starts(1);
  }

  void finish(TSearchStatsRec& out, bool& heading) {
    for (int k = 1; k < 5; ++k) s.out_of[k] = s.position[k];
    out = s;
    heading = in_heading;
  }
};

enum class step { no_match, match, give_back };

// The match of the search text from one candidate character. `limit` characters are
// scanned; w[limit] is readable (a spare word or the end of the class words).
template <class Ch>
struct rest_matcher {
  const Ch* chars;
  const std::uint16_t* w;
  std::int32_t limit;
  const char16_t* lo;
  const char16_t* up;
  const char16_t* ti;
  std::int32_t n;       // characters of the search text that can be read
  std::int32_t sw_len;  // the search length the caller gave
  bool case_sensitive;
  bool punct_as_space;

  std::int32_t si = 0;   // index of the current search character
  std::int32_t pos = 0;  // index of the current buffer character
  std::int32_t hit = 1;  // hit-length counter
  bool search_in_markup = false;
  bool star_mode = false;
  bool star_space = false;  // the star is followed by a space
  std::int32_t restart = -1;
  bool restart_active = false;

  bool same(std::int32_t idx, std::uint32_t d) const {
    return lo[idx] == d || (!case_sensitive && (up[idx] == d || ti[idx] == d));
  }

  // Takes the next search character; false when the text is exhausted.
  bool next_search() {
    if (++si >= n) return false;
    note_search_char();
    return true;
  }
  void note_search_char() {
    if (lo[si] == kTagOpenCode)
      search_in_markup = true;
    else if (lo[si] == kTagCloseCode)
      search_in_markup = false;
  }

  // Moves to the next buffer character, over a whole run of mark-up when it enters one and
  // the search is not in mark-up. False at the end of the characters.
  bool advance() {
    if (pos + 1 >= limit) return false;
    const bool was_markup = is_markup(w[pos]);
    ++pos;
    ++hit;
    if (!was_markup && !search_in_markup && is_markup(w[pos])) {
      while (is_markup(w[pos])) {
        if (pos + 1 >= limit) return false;
        ++pos;
        ++hit;
      }
    }
    return true;
  }

  // A wildcard that matches one character of the given classes, or nothing before a
  // space of the search text when the buffer character is white space or punctuation.
  step one_of(std::uint16_t wd, std::uint16_t classes) const {
    if (si + 1 < n && lo[si + 1] == kSpace && is_ws_or_punct(wd)) return step::give_back;
    return (wd & classes) ? step::match : step::no_match;
  }

  step star(std::uint16_t wd) {
    const bool has_next = si + 1 < n;
    if (has_next && lo[si + 1] == kSpace) {
      if (is_ws_or_punct(wd)) return step::give_back;
      star_mode = !is_ws_or_punct(w[pos + 1]);
      star_space = true;
      return step::match;
    }
    restart = si + 1;
    restart_active = false;
    if (!has_next) return step::match;  // a final star takes one character
    ++si;
    note_search_char();
    star_mode = true;
    star_space = false;
    return step::match;
  }

  step number(std::uint16_t wd) {
    if (!(wd & C1_DIGIT) || wd == 0x880F) return step::no_match;
    while (pos + 1 < limit && (w[pos + 1] & C1_DIGIT)) {
      ++pos;
      ++hit;
    }
    return step::match;
  }

  step any_word() {
    while (pos + 1 < limit) {
      const std::uint16_t next = w[pos + 1];
      if (is_ws(next)) break;
      ++pos;
      ++hit;
      if (!is_markup(next)) continue;
      if (!search_in_markup) {
        while (pos + 1 < limit && is_markup(w[pos + 1])) {
          ++pos;
          ++hit;
        }
        continue;
      }
      // Inside mark-up the word runs to the next space, which stands for the space of
      // the search text that follows the wildcard.
      while (chars[pos] != kSpace && pos + 1 < limit) {
        ++pos;
        ++hit;
      }
      if (si + 1 < n && lo[si + 1] == kSpace) ++si;
      break;
    }
    return step::match;
  }

  step compare() {
    const std::uint32_t d = chars[pos];
    const std::uint16_t wd = w[pos];
    if (star_mode) {
      if (star_space) {
        if (is_ws_or_punct(wd)) {
          star_mode = false;
          return step::give_back;
        }
        if (is_ws_or_punct(w[pos + 1])) star_mode = false;
        return step::match;
      }
      if (same(si, d)) {
        star_mode = false;
        restart_active = true;
        return step::match;
      }
      return d > kSpace ? step::match : step::no_match;
    }
    const char16_t a = lo[si];
    if (a == d) return step::match;
    switch (a) {
      case kAnyRunInWordCode:
        return star(wd);
      case kAnyLetterCode:
        return one_of(wd, C1_ALPHA);
      case kAnyCharacterCode:
        return one_of(wd, kVisibleClasses);
      case kNumberCode:
        return number(wd);
      case kAnyWordCode:
        return any_word();
      default:
        break;
    }
    return (!case_sensitive && (up[si] == d || ti[si] == d)) ? step::match : step::no_match;
  }

  // The rest of the search text after the first character matched (or gave its buffer
  // character back). True on success; pos is then the last character of the hit.
  bool run(step first) {
    bool reuse = first == step::give_back;
    for (;;) {
      if (!star_mode && !next_search()) return true;
      if (reuse)
        reuse = false;
      else if (!advance())
        return false;
      const bool was_star = star_mode;
      step r = compare();
      if (r == step::give_back) {
        reuse = true;
        continue;
      }
      if (r == step::no_match) {
        if (!was_star && lo[si] == kSpace && !search_in_markup && is_ws_or_punct(w[pos])) {
          r = step::match;
        } else if (restart_active) {
          restart_active = false;
          if (chars[pos] <= kSpace) return false;
          // The star takes this character too; the text after it is tried again from
          // the next buffer character.
          si = restart;
          note_search_char();
          star_mode = true;
          star_space = false;
          continue;
        } else {
          return false;
        }
      }
      if (pos == limit - 1) return hit == sw_len;
      if (!was_star && lo[si] == kSpace) {
        const std::uint16_t skip = punct_as_space ? kWhitespaceOrPunctClasses : kWhitespaceClasses;
        while (pos + 1 < limit && (w[pos + 1] & skip)) {
          ++pos;
          ++hit;
        }
      }
    }
  }
};

inline std::uint16_t clamp16(std::int32_t v) {
  return static_cast<std::uint16_t>(std::min<std::int32_t>(v, 0xFFFF));
}

template <class Ch>
const void* find_in(const Ch* chars, std::int32_t count, const std::uint16_t* details_at,
                    const std::uint16_t* details_first, const std::uint16_t* details_end,
                    std::u16string_view upper, std::u16string_view lower, std::u16string_view title,
                    std::uint16_t sw_len, bool case_sensitive, bool left_bounded,
                    bool right_bounded, bool punct_as_space, std::uint16_t& extended_len,
                    std::uint16_t& exact_len, TSearchStatsRec& stats, bool& in_heading,
                    const bool end_markers[5]) {
  bookkeeper book{stats, in_heading, {}};
  for (int k = 1; k < 5; ++k) book.end_markers[k] = end_markers[k];

  const std::int32_t n = static_cast<std::int32_t>(
      std::min({static_cast<std::size_t>(sw_len), lower.size(), upper.size(), title.size()}));
  std::int32_t limit = 0;
  if (details_at && details_end && chars && details_end > details_at)
    limit = static_cast<std::int32_t>(std::min<std::ptrdiff_t>(count, details_end - details_at));
  if (n == 0 || limit <= 0) {
    book.finish(stats, in_heading);
    return nullptr;
  }

  const std::uint16_t* w = details_at;
  const char16_t* lo = lower.data();
  const char16_t* up = case_sensitive ? lower.data() : upper.data();
  const char16_t* ti = case_sensitive ? lower.data() : title.data();
  const char16_t a0 = lo[0];
  const char16_t u0 = up[0];
  const char16_t t0 = ti[0];
  const bool first_wild = is_wildcard(a0);
  const bool search_in_markup0 = a0 == kTagOpenCode;

  std::int32_t (*skip)(const char16_t*, const std::uint16_t*, std::int32_t, std::int32_t,
                       const detail::matcher_skip_pattern&, std::int32_t&) = nullptr;
  detail::matcher_skip_pattern pattern{{a0, u0, t0}, {}, false};
  if constexpr (sizeof(Ch) == 2) {
    if (!first_wild) {
      switch (detail::current_matcher_kernel()) {
        case detail::matcher_kernel::avx2:
          skip = detail::matcher_skip_avx2;
          break;
        case detail::matcher_kernel::sse2:
          skip = detail::matcher_skip_sse2;
          break;
        default:
          break;
      }
    }
    // An ordinary second character must match the character after the first (unless mark-up
    // lies between), so the kernel may test it too.
    if (n >= 2 && lo[1] != kSpace && !is_wildcard(lo[1])) {
      pattern.next[0] = lo[1];
      pattern.next[1] = up[1];
      pattern.next[2] = ti[1];
      pattern.second = true;
    }
  }

  for (std::int32_t i = 0; i < limit; ++i) {
    if constexpr (sizeof(Ch) == 2) {
      if (skip) {
        std::int32_t starts = 0;
        i = skip(chars, w, i, limit, pattern, starts);
        if (starts) book.word_starts(starts);
        if (i >= limit) break;
      }
    }
    book.step(w + i);

    const std::uint32_t d = chars[i];
    const std::uint16_t wd = w[i];
    if (!first_wild && d != a0 && d != u0 && d != t0) continue;
    if (is_markup(wd) && !search_in_markup0) continue;
    if (left_bounded && w + i > details_first) {
      const std::uint16_t before = w[i - 1];
      if (!(before & (kMarkerBit | kMarkupBit)) && is_word_char(before)) continue;
    }

    rest_matcher<Ch> m{chars, w, limit, lo, up, ti, n, sw_len, case_sensitive, punct_as_space};
    m.pos = i;
    m.search_in_markup = search_in_markup0;
    const step first = first_wild ? m.compare() : step::match;
    if (first == step::no_match || !m.run(first)) continue;

    // The end check.
    std::int32_t ext = m.hit;
    const std::uint16_t after = w[m.pos + 1];
    if (right_bounded) {
      if (!(after & kMarkerBit) && is_word_char(after)) continue;
    } else {
      for (const std::uint16_t* q = w + m.pos + 1; q < details_end; ++q) {
        if ((*q & kMarkerBit) || !(is_word_char(*q) || *q == C1_DEFINED)) break;
        ++ext;
      }
    }
    exact_len = clamp16(m.hit);
    extended_len = clamp16(ext);
    book.finish(stats, in_heading);
    return chars + i;
  }
  book.finish(stats, in_heading);
  return nullptr;
}

}  // namespace

const void* NewFindWantedInBuffer(
    const void* buffer, std::int32_t count, const std::uint16_t* details_at,
    const std::uint16_t* details_first, const std::uint16_t* details_end, std::u16string_view upper,
    std::u16string_view lower, std::u16string_view title, std::uint16_t sw_len, bool case_sensitive,
    bool left_bounded, bool right_bounded, bool is_unicode, bool punct_as_space, bool /*skip_tags*/,
    std::uint16_t& extended_len, std::uint16_t& exact_len, TSearchStatsRec& stats, bool& in_heading,
    bool sentence_end_markers, bool paragraph_end_markers, bool heading_end_markers,
    bool section_end_markers) {
  const bool end_markers[5] = {false, sentence_end_markers, paragraph_end_markers,
                               heading_end_markers, section_end_markers};
  if (is_unicode)
    return find_in(static_cast<const char16_t*>(buffer), count, details_at, details_first,
                   details_end, upper, lower, title, sw_len, case_sensitive, left_bounded,
                   right_bounded, punct_as_space, extended_len, exact_len, stats, in_heading,
                   end_markers);
  return find_in(static_cast<const std::uint8_t*>(buffer), count, details_at, details_first,
                 details_end, upper, lower, title, sw_len, case_sensitive, left_bounded,
                 right_bounded, punct_as_space, extended_len, exact_len, stats, in_heading,
                 end_markers);
}

const void* NewFindWantedInBuffer(const TFindWantedArgs& a, std::uint16_t& extended_len,
                                  std::uint16_t& exact_len, TSearchStatsRec& stats,
                                  bool& in_heading) {
  return NewFindWantedInBuffer(
      a.buffer, a.count, a.details_at, a.details_first, a.details_end, a.upper, a.lower, a.title,
      a.sw_len, a.case_sensitive, a.left_bounded, a.right_bounded, a.is_unicode, a.punct_as_space,
      a.skip_tags, extended_len, exact_len, stats, in_heading, a.sentence_end_markers,
      a.paragraph_end_markers, a.heading_end_markers, a.section_end_markers);
}

}  // namespace corvane
