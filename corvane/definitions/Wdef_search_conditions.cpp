#include "corvane/definitions/Wdef_search_conditions.hpp"

#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Numbers.hpp"

namespace corvane {

namespace {

struct Fill {
  std::u16string column, x, y, word;
  std::int32_t span;
};

std::u16string fmt(msg::MessageId id, TFormatArgs args) {
  return Format(LoadResString(id), args);
}

// The sentence of a condition with its fill; `numeric` picks "above"/"below".
std::u16string sentence(TSearchRequirementSeeks condition, const Fill& f, bool numeric) {
  switch (condition) {
    case ccp_Ignore:
      return LoadResString(msg::CVIgnore);
    case ccp_Equals:
      return fmt(msg::CVEquals, {f.column, f.x});
    case ccp_StartsWith:
      return fmt(msg::CVStartsWith, {f.column, f.x});
    case ccp_EndsWith:
      return fmt(msg::CVEndsWith, {f.column, f.x});
    case ccp_Between:
      return fmt(msg::CVAIsBetweenXandY, {f.column, f.x, f.y});
    case ccp_GreaterThan:
      return fmt(numeric ? msg::CVXAboveY : msg::CVXComesAfterY, {f.column, f.x});
    case ccp_LessThan:
      return fmt(numeric ? msg::CVXBelowY : msg::CVXComesBeforeY, {f.column, f.x});
    case ccp_FoundAnywhereIn:
      return fmt(msg::CVFoundAnywhereIn, {f.x, f.column});
    case ccp_FoundWithinNWordsOfSearchword:
      return fmt(msg::CVFoundWithinNWordsOf,
                 {f.x, f.column, f.span, LoadResString(msg::CVSearchWord)});
    case ccp_FoundWithinNWordsToLeftOfSearchword:
      return fmt(msg::CVFoundWithinNWordsLeftOf,
                 {f.x, f.column, f.span, LoadResString(msg::CVSearchWord)});
    case ccp_FoundWithinNWordsToRightOfSearchword:
      return fmt(msg::CVFoundWithinNWordsRightOf,
                 {f.x, f.column, f.span, LoadResString(msg::CVSearchWord)});
    case ccp_FoundWithinNWordsOf:
      return fmt(msg::CVFoundWithinNWordsOf, {f.x, f.column, f.span, f.word});
    case ccp_FoundWithinNWordsToLeftOf:
      return fmt(msg::CVFoundWithinNWordsLeftOf, {f.x, f.column, f.span, f.word});
    case ccp_FoundWithinNWordsToRightOf:
      return fmt(msg::CVFoundWithinNWordsRightOf, {f.x, f.column, f.span, f.word});
    case ccp_WordLengthEquals:
      return fmt(msg::CVEquals, {fmt(msg::CVXLength, {f.column}), f.x});
    case ccp_WordLengthGreaterThan:
      return fmt(msg::CVXAboveY, {fmt(msg::CVXLength, {f.column}), f.x});
    case ccp_WordLengthLessThan:
      return fmt(msg::CVXBelowY, {fmt(msg::CVXLength, {f.column}), f.x});
    case ccp_is_deleted:
      return LoadResString(msg::CVIsDeleted);
    case ccp_is_joined_head:
      return LoadResString(msg::CVIsAJoinedHead);
    case ccp_is_Joined_member:
      return LoadResString(msg::CVIsAJoinedMember);
    case ccp_is_marked:
      return LoadResString(msg::CVIsAMarkedEntry);
    case ccp_is_matched:
      return LoadResString(msg::CVIsAMatchedEntry);
    case ccp_spare4:
      return {};
  }
  return {};
}

// Whether the drop-down offers the condition.
bool offered(TSearchRequirementSeeks condition, bool first, bool second) {
  switch (condition) {
    case ccp_Ignore:
      return true;
    case ccp_Equals:
    case ccp_Between:
      return !first;
    case ccp_StartsWith:
    case ccp_EndsWith:
    case ccp_WordLengthEquals:
    case ccp_WordLengthGreaterThan:
    case ccp_WordLengthLessThan:
      return !first && !second;
    case ccp_GreaterThan:
    case ccp_LessThan:
      return second || !first;
    case ccp_FoundAnywhereIn:
    case ccp_FoundWithinNWordsOf:
    case ccp_FoundWithinNWordsToLeftOf:
    case ccp_FoundWithinNWordsToRightOf:
      return !second;
    case ccp_FoundWithinNWordsOfSearchword:
    case ccp_FoundWithinNWordsToLeftOfSearchword:
    case ccp_FoundWithinNWordsToRightOfSearchword:
      return first && !second;
    case ccp_is_deleted:
    case ccp_is_joined_head:
    case ccp_is_Joined_member:
    case ccp_is_marked:
    case ccp_is_matched:
      return true;
    case ccp_spare4:
      return false;
  }
  return false;
}

// A word length as typed: the number without its single quotes, or "??".
std::u16string length_value(const std::u16string& value) {
  std::u16string bare;
  for (char16_t c : value)
    if (c != u'\'') bare += c;
  int whole = 0;
  double decimal = 0;
  if (TryStrToInt(bare, whole) || TryStrToFloat(bare, decimal)) return bare;
  return u"??";
}

}  // namespace

std::u16string ConditionDropdownOption(TSearchRequirementSeeks condition, bool first_flag,
                                       bool second_flag) {
  if (!offered(condition, first_flag, second_flag)) return {};
  return sentence(condition, {u"!C", u"!X", u"!Y", u"!W", 99999}, second_flag);
}

std::u16string SearchRequirementToText(
    TSearchRequirementSeeks condition, const std::u16string& value,
    const std::u16string& other_column_name, const std::u16string& high_value,
    const std::u16string& neighbour_word, const std::u16string& column_name,
    std::int32_t column_number, std::int32_t other_column_number, std::int32_t word_span,
    bool numerical, bool compare_with_other_column, bool negate) {
  Fill f{{}, value, high_value, neighbour_word, word_span};
  if (compare_with_other_column) {
    if (column_name == other_column_name) {
      f.column = fmt(msg::CVXsColumnNsValue, {column_number, column_name});
      f.x = fmt(msg::CVXsColumnNsValue, {other_column_number, other_column_name});
    } else {
      f.column = fmt(msg::CVXsColumnsValue, {column_name});
      f.x = fmt(msg::CVXsColumnsValue, {other_column_name});
    }
  } else {
    f.column = fmt(numerical ? msg::CVXColumnValue : msg::CVXColumnText, {column_name});
  }
  // A length compared with a typed value; against another column the value is that column.
  if (!compare_with_other_column &&
      (condition == ccp_WordLengthEquals || condition == ccp_WordLengthGreaterThan ||
       condition == ccp_WordLengthLessThan))
    f.x = length_value(value);
  std::u16string text = sentence(condition, f, numerical);
  if (negate && !text.empty()) text = fmt(msg::CVNotX, {text});
  return text;
}

}  // namespace corvane
