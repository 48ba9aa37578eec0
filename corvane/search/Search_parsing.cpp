#include "corvane/search/Search_parsing.hpp"

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/CaseMapping.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

std::unique_ptr<TStringList> SplitSWList(std::u16string& s, bool split) {
  auto list = std::make_unique<TStringList>();
  if (!split || s.find(u'/') == std::u16string::npos) {
    if (!s.empty()) list->Add(s);
    return list;
  }
  // i is 0-based here; the scan covers positions 2 .. length-1 of the 1-based original.
  std::size_t i = 1;
  while (i + 1 < s.size()) {
    if (s[i] == u'/' && s[i - 1] != u'"' && s[i + 1] != u'"') {
      list->Add(s.substr(0, i));
      s.erase(0, i + 1);
      i = 1;
    } else {
      ++i;
    }
  }
  if (!s.empty()) list->Add(s);
  return list;
}

void FillSearchWordCopies(TSearch_word_format_rec& rec) {
  rec.copies[unchanged_copy] = rec.search_text;
  rec.copies[upper_copy] = simple_upper(rec.search_text);
  rec.copies[lower_copy] = simple_lower(rec.search_text);
  rec.copies[title_copy].clear();
  if (!rec.copies[upper_copy].empty())
    rec.copies[title_copy] = rec.copies[upper_copy].substr(0, 1) + rec.copies[lower_copy].substr(1);
}

void Parse_SWChunk(const TIgnore_tag_type& tags, bool& contains_a_tag, std::u16string& s,
                   TMySearchFlags& flags) {
  flags = FlagsFromSW(s);
  Parse_Retain(s, kQuotedSpecialBase);
  // The asterisk of " * " (any one word).
  for (std::size_t at = 0; (at = s.find(any_word_symbol_char, at)) != std::u16string::npos;)
    s[at + 1] = kAnyWordCode;
  DoMainParse_Translates(s);
  // The line-break symbol at either end of the word.
  if (s.find(crlf_symbol_string) != std::u16string::npos) {
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, crlf_symbol_string) == 0)
      s.replace(s.size() - 2, 2, u"#x13;");
    else if (s.compare(0, 2, crlf_symbol_string) == 0)
      s.replace(0, 2, u"#x10;");
  }
  contains_a_tag = ContainsPairedTagMarkup(tags, s);
  s = CVFormattedReadableStringToWorkString(s);
  Parse_Restore(s, kQuotedSpecialBase);
}

void Parsed_SearchWord(const TIgnore_tag_type& tags, std::u16string& s,
                       TSearch_word_format_rec& rec) {
  rec = TSearch_word_format_rec{};
  rec.typed_in_text = s;
  if (const std::size_t at = s.find(kContextMarker); at != std::u16string::npos) {
    rec.has_file_based_context_word = true;
    rec.sw_context_needed = s.substr(at + kContextMarker.size());
    s.resize(at);
  }
  Parse_SWChunk(tags, rec.contains_a_tag, s, rec.flags);
  rec.search_text = WideTrimSpaceOnly(s);
  rec.ambiguous = rec.typed_in_text != rec.search_text;
  for (char16_t c : rec.search_text)
    if (c >= kAnyWordCode && c <= kNotCode) rec.ambiguous = true;
  FillSearchWordCopies(rec);
}

void UnParsed_SearchWord(std::u16string& s, TSearch_word_format_rec& rec) {
  rec = TSearch_word_format_rec{};
  rec.typed_in_text = s;
  rec.flags = FlagsFromSW(s);
  rec.search_text = s;
  rec.ambiguous = rec.typed_in_text != rec.search_text;
  FillSearchWordCopies(rec);
}

}  // namespace corvane
