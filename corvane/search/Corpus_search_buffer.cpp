// The engine's host protocol for one buffer, and the typed search line as the tools take it.
#include <algorithm>
#include <climits>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/search/Corpus_search.hpp"
#include "corvane/search/Search_parsing.hpp"

namespace corvane {

std::vector<TSearch_word_format_rec> parsed_search_line(std::u16string_view line, bool split) {
  std::u16string stripped = StrippedDoubleSpaces(std::u16string(line));
  const std::unique_ptr<TStringList> alternatives = SplitSWList(stripped, split);
  std::vector<TSearch_word_format_rec> words;
  for (int i = 0; i < alternatives->Count(); ++i) {
    std::u16string s = alternatives->Get(i);
    TSearch_word_format_rec rec;
    Parsed_SearchWord(TIgnore_tag_type{}, s, rec);
    if (!rec.search_text.empty()) words.push_back(std::move(rec));
  }
  return words;
}

bool search_buffer(TSearchAndDoEngine& engine, const std::u16string& file_name,
                   const char16_t* buffer, std::uint16_t* classes, std::size_t m,
                   std::uint64_t file_size, const std::u16string& allow,
                   std::vector<TSearch_word_format_rec>& words, std::vector<TSearchStatsRec>& stats,
                   const TSearchFoundEvent& on_found, const std::uint16_t* buffer_start) {
  if (stats.size() < words.size()) stats.resize(words.size());
  // A jump asked for in an earlier buffer means nothing in this one.
  Global_LowestJumpTo = 0;
  classes[m] = classes[m + 1] = 0;
  engine.PrepareForConcordancing(
      file_name, buffer, classes, classes + m + 1,
      static_cast<std::int32_t>(std::min<std::uint64_t>(file_size, INT32_MAX)),
      static_cast<std::int32_t>(std::min<std::size_t>(m, INT32_MAX)), 0, false, on_found, nullptr);
  engine.fBufferDetailsStart = buffer_start != nullptr ? buffer_start : classes;
  engine.HandleAllowables(allow, false, false);
  for (std::size_t i = 0; i < words.size(); ++i) {
    // A word whose wanted count is used up is not searched again.
    if (words[i].n_to_find < 0) continue;
    engine.ThisFileChunk_Stats = stats[i];
    engine.SearchAndDo(&words[i], static_cast<std::int32_t>(i));
    stats[i] = engine.ThisFileChunk_Stats;
    if (engine.fChega || engine.fCancelled) return false;
  }
  return true;
}

}  // namespace corvane
