#include "corvane/definitions/Wdef_search_conditions.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ConditionDropdownOption, OfferedByTheFlags) {
  EXPECT_EQ(ConditionDropdownOption(ccp_Ignore, true, true), u"ignore");
  EXPECT_EQ(ConditionDropdownOption(ccp_Equals, false, false), u"!C = !X");
  EXPECT_EQ(ConditionDropdownOption(ccp_Equals, true, false), u"");
  EXPECT_EQ(ConditionDropdownOption(ccp_StartsWith, false, true), u"");
  EXPECT_EQ(ConditionDropdownOption(ccp_Between, false, true), u"!C is between !X and !Y");
  EXPECT_EQ(ConditionDropdownOption(ccp_GreaterThan, true, true), u"!C is above !X");
  EXPECT_EQ(ConditionDropdownOption(ccp_GreaterThan, false, false),
            u"!C follows !X alphabetically");
  EXPECT_EQ(ConditionDropdownOption(ccp_LessThan, true, false), u"");
  EXPECT_EQ(ConditionDropdownOption(ccp_LessThan, false, false), u"!C before !X alphabetically");
  EXPECT_EQ(ConditionDropdownOption(ccp_FoundAnywhereIn, true, false), u"!X found anywhere in !C");
  EXPECT_EQ(ConditionDropdownOption(ccp_FoundWithinNWordsOfSearchword, true, false),
            u"!X found in !C within 99999 words of search-word");
  EXPECT_EQ(ConditionDropdownOption(ccp_FoundWithinNWordsOfSearchword, false, false), u"");
  EXPECT_EQ(ConditionDropdownOption(ccp_FoundWithinNWordsToLeftOf, false, false),
            u"!X found in !C within 99999 words left of !W");
  EXPECT_EQ(ConditionDropdownOption(ccp_WordLengthLessThan, false, false),
            u"length of !C is below !X");
  EXPECT_EQ(ConditionDropdownOption(ccp_is_Joined_member, true, true),
            u"item is a member of a joined group");
  EXPECT_EQ(ConditionDropdownOption(ccp_spare4, false, false), u"");
}

TEST(SearchRequirementToText, Sentences) {
  EXPECT_EQ(SearchRequirementToText(ccp_GreaterThan, u"5", u"", u"", u"", u"Freq", 2, 0, 5, true,
                                    false, false),
            u"Freq column value is above 5");
  EXPECT_EQ(SearchRequirementToText(ccp_GreaterThan, u"m", u"", u"", u"", u"Word", 1, 0, 5, false,
                                    false, true),
            u"NOT (Word column text follows m alphabetically)");
  EXPECT_EQ(SearchRequirementToText(ccp_Equals, u"", u"Freq", u"", u"", u"Freq", 2, 3, 5, true,
                                    true, false),
            u"col 2 (Freq) value = col 3 (Freq) value");
  EXPECT_EQ(SearchRequirementToText(ccp_LessThan, u"", u"Texts", u"", u"", u"Freq", 2, 3, 5, true,
                                    true, false),
            u"value of column Freq is below value of column Texts");
  EXPECT_EQ(SearchRequirementToText(ccp_WordLengthEquals, u"'7'", u"", u"", u"", u"Word", 1, 0, 5,
                                    false, false, false),
            u"length of Word column text = 7");
  EXPECT_EQ(SearchRequirementToText(ccp_WordLengthGreaterThan, u"'x'", u"", u"", u"", u"Word", 1, 0,
                                    5, false, false, false),
            u"length of Word column text is above ??");
  EXPECT_EQ(SearchRequirementToText(ccp_FoundWithinNWordsToRightOf, u"cat", u"", u"", u"dog",
                                    u"Context", 1, 0, 4, false, false, false),
            u"cat found in Context column text within 4 words right of dog");
  EXPECT_EQ(SearchRequirementToText(ccp_Between, u"2", u"", u"9", u"", u"Freq", 1, 0, 4, true,
                                    false, false),
            u"Freq column value is between 2 and 9");
  EXPECT_EQ(
      SearchRequirementToText(ccp_spare4, u"2", u"", u"", u"", u"F", 1, 0, 4, true, false, true),
      u"");
  EXPECT_EQ(SearchRequirementToText(static_cast<TSearchRequirementSeeks>(99), u"2", u"", u"", u"",
                                    u"F", 1, 0, 4, true, false, true),
            u"");
}

}  // namespace
}  // namespace corvane
