#pragma once
// The conditions a user may set on a list column when searching it, the short texts that
// offer them in a drop-down, and the sentence that describes one filled-in condition.

#include <cstdint>
#include <string>

namespace corvane {

enum TSearchRequirementSeeks : std::uint8_t {
  ccp_Ignore,
  ccp_Equals,
  ccp_StartsWith,
  ccp_EndsWith,
  ccp_Between,
  ccp_GreaterThan,
  ccp_LessThan,
  ccp_FoundAnywhereIn,
  ccp_FoundWithinNWordsOfSearchword,
  ccp_FoundWithinNWordsToLeftOfSearchword,
  ccp_FoundWithinNWordsToRightOfSearchword,
  ccp_FoundWithinNWordsOf,
  ccp_FoundWithinNWordsToLeftOf,
  ccp_FoundWithinNWordsToRightOf,
  ccp_WordLengthEquals,
  ccp_WordLengthGreaterThan,
  ccp_WordLengthLessThan,
  ccp_is_deleted,
  ccp_is_joined_head,
  ccp_is_Joined_member,
  ccp_is_marked,
  ccp_is_matched,
  ccp_spare4,
};

// The drop-down text of a condition, with the tokens "!C" (column), "!X" and "!Y" (first
// and second value) and "!W" (word) in the message, 99999 for a number of words; empty
// when the condition is not offered. The first flag hides the equality, between and
// alphabetical options and offers those near the search-word; the second selects the
// numeric wording ("above"/"below").
std::u16string ConditionDropdownOption(TSearchRequirementSeeks condition, bool first_flag,
                                       bool second_flag);

// The sentence describing a filled-in condition on column `column_name` (number
// `column_number`), against `value`, or against the other column when
// `compare_with_other_column`; `high_value` is the upper end of a range, `neighbour_word`
// and `word_span` the proximity conditions' word and distance. Wrapped in "NOT (...)"
// when `negate`. Empty for a condition with no sentence.
std::u16string SearchRequirementToText(
    TSearchRequirementSeeks condition, const std::u16string& value,
    const std::u16string& other_column_name, const std::u16string& high_value,
    const std::u16string& neighbour_word, const std::u16string& column_name,
    std::int32_t column_number, std::int32_t other_column_number, std::int32_t word_span,
    bool numerical, bool compare_with_other_column, bool negate);

}  // namespace corvane
