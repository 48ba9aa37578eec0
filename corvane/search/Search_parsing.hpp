#pragma once
// Turning one typed search line into search-word records: the line is split into its
// alternatives at "/", and each alternative is parsed into a TSearch_word_format_rec whose
// search text holds control codes in place of wildcards and tags, with its flags, its case
// copies and an optional context word.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "corvane/containers/Useful_classes_search_flags.hpp"
#include "corvane/search/User_input_wildcard_parsing.hpp"

namespace corvane {

class TStringList;

enum sw_copy_type { unchanged_copy, upper_copy, lower_copy, title_copy };

// One search word. Cleared to all zero (empty strings, no flags) before it is filled.
struct TSearch_word_format_rec {
  std::u16string typed_in_text;          // the alternative exactly as typed, context part included
  std::u16string search_text;            // the parsed text, trimmed of white space
  std::array<std::u16string, 4> copies;  // by sw_copy_type
  TMySearchFlags flags;
  std::int32_t n_to_find = 0;        // hits wanted; 0 or less = no limit
  std::int32_t hits_found = 0;       // hits counted so far
  std::u16string sw_context_needed;  // the word after " context:="
  std::int32_t spaces_in_sw = 0;
  std::array<std::uint8_t, 4> spareb{};
  bool ambiguous = false;  // has wildcards or was changed by parsing
  bool auto_lemma_added = false;
  bool copies_converted = false;
  bool has_file_based_context_word = false;
  bool achou_suficiente = false;  // enough hits found
  bool contains_a_tag = false;
  std::int16_t Langnum = 0;
  std::int32_t SearchColumn = 0;
  std::int32_t temp_int = 0;
  std::array<std::uint8_t, 52> extras{};
};

// The marker that introduces a context word, with its leading space.
inline constexpr std::u16string_view kContextMarker = u" context:=";

// The alternatives of a typed line (the caller has collapsed runs of spaces). A "/" splits
// when neither neighbour is a double quote; one in the first or last position never does.
// Without `split`, or without a separator, the list holds the whole line (nothing when the
// line is empty). `s` is consumed.
std::unique_ptr<TStringList> SplitSWList(std::u16string& s, bool split);

// Full parse of one alternative: context word, flags, wildcards, tags, references, copies.
// `s` is left holding the untrimmed parsed text.
void Parsed_SearchWord(const TIgnore_tag_type& tags, std::u16string& s,
                       TSearch_word_format_rec& rec);

// Parse of an alternative the caller has vetted: flags only, no wildcards, tags or context.
void UnParsed_SearchWord(std::u16string& s, TSearch_word_format_rec& rec);

// The core of Parsed_SearchWord: flags, quoted specials, wildcards, the line-break symbol,
// tags, references, and the quoted specials restored.
void Parse_SWChunk(const TIgnore_tag_type& tags, bool& contains_a_tag, std::u16string& s,
                   TMySearchFlags& flags);

// The parsed "#".
constexpr bool IsHashSymbol(char16_t c) {
  return c == kNumberCode;
}
constexpr bool IsHashOrBrace(char16_t c) {
  return c == u'#' || c == u'{';
}

// Fills the four case copies of `rec` from its search text.
void FillSearchWordCopies(TSearch_word_format_rec& rec);

}  // namespace corvane
