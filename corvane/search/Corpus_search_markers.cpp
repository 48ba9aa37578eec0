// Sentence and paragraph markers for the corpus search's counts. A paragraph is a line with
// some non-blank character on it; its sentences are cut as `corvane sentences` cuts them.
//
// Each marker is a character of its own in a marked copy of the text, placed right after
// the last non-blank character before the unit's first word. So the blank that leads into
// the unit's first word comes after the marker: the matcher counts that word as a word
// start inside the new unit, and the unit's word positions run from 2 (the boundary sets
// the position to 1, the first word start raises it). Hosts print the position
// less one.
#include <algorithm>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Corpus_search_internal.hpp"

namespace corvane::detail {

namespace {

// The marker character itself: never searched for, only its class word counts.
constexpr char16_t kMarkerChar = 0x0001;

}  // namespace

void mark_structure(std::u16string_view text, std::uint32_t lcid, std::vector<char16_t>& marked,
                    std::vector<std::uint16_t>& classes, std::vector<std::int32_t>& inserted) {
  const std::uint16_t* const types = char_type1_table();
  // (position in text, marker code), in text order.
  std::vector<std::pair<std::size_t, std::uint16_t>> marks;
  std::vector<int> ends;
  std::size_t last_end = 0;  // just after the last non-blank character so far
  std::size_t line = 0;
  while (line < text.size()) {
    std::size_t stop = text.find(u'\n', line);
    const std::size_t next_line = stop == std::u16string_view::npos ? text.size() : stop + 1;
    if (stop == std::u16string_view::npos) stop = text.size();
    std::size_t content_end = stop;
    while (content_end > line && is_blank(text[content_end - 1])) --content_end;
    std::size_t first = line;
    while (first < content_end && is_blank(text[first])) ++first;
    if (first < content_end) {
      marks.emplace_back(last_end, marker_paragraph_start);
      marks.emplace_back(last_end, marker_sentence_start);
      const std::u16string_view para = text.substr(line, content_end - line);
      if (sentence_ends_in_paragraph(para, lcid, 0, ends)) {
        for (const int last : ends) {
          // The sentence's last non-blank character, 0-based in the paragraph.
          std::size_t end = static_cast<std::size_t>(last);
          while (end > 0 && is_blank(para[end - 1])) --end;
          // Only a sentence that another follows in the paragraph gets a boundary.
          std::size_t after = static_cast<std::size_t>(last);
          while (after < para.size() && is_blank(para[after])) ++after;
          if (end > 0 && after < para.size()) marks.emplace_back(line + end, marker_sentence_start);
        }
      }
      last_end = content_end;
    }
    line = next_line;
  }

  marked.clear();
  inserted.clear();
  marked.reserve(text.size() + marks.size() + 2);
  classes.resize(text.size() + marks.size() + 2);
  std::size_t from = 0;
  for (const auto& [at, code] : marks) {
    for (; from < at; ++from) {
      classes[marked.size()] = types[text[from]];
      marked.push_back(text[from]);
    }
    inserted.push_back(static_cast<std::int32_t>(marked.size()));
    classes[marked.size()] = static_cast<std::uint16_t>(kMarkerBit | code);
    marked.push_back(kMarkerChar);
  }
  for (; from < text.size(); ++from) {
    classes[marked.size()] = types[text[from]];
    marked.push_back(text[from]);
  }
}

}  // namespace corvane::detail
