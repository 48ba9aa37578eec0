#include "corvane/definitions/Wdef_search_conditions.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ConditionDropdownOption, OfferedByTheFlags) {
  EXPECT_EQ(ConditionDropdownOption(ccp_Ignore, true, true), u"ignore");
  EXPECT_EQ(ConditionDropdownOption(ccp_Equals, false, false), u"!C = !X");
  EXPECT_EQ(ConditionDropdownOption(ccp_Equals, true, false), u"");
  EXPECT_EQ(ConditionDropdownOption(ccp_StartsWith, false, true), u"");
  EXPECT_EQ(ConditionDropdownOption(ccp_GreaterThan, true, true), u"!C is above !X");
  EXPECT_EQ(ConditionDropdownOption(ccp_GreaterThan, false, false),
            u"!C follows !X alphabetically");
  EXPECT_EQ(ConditionDropdownOption(ccp_FoundWithinNWordsOfSearchword, false, false), u"");
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
  EXPECT_EQ(SearchRequirementToText(ccp_WordLengthGreaterThan, u"'x'", u"", u"", u"", u"Word", 1, 0,
                                    5, false, false, false),
            u"length of Word column text is above ??");
  EXPECT_EQ(SearchRequirementToText(ccp_FoundWithinNWordsToRightOf, u"cat", u"", u"", u"dog",
                                    u"Context", 1, 0, 4, false, false, false),
            u"cat found in Context column text within 4 words right of dog");
  EXPECT_EQ(SearchRequirementToText(static_cast<TSearchRequirementSeeks>(99), u"2", u"", u"", u"",
                                    u"F", 1, 0, 4, true, false, true),
            u"");
}

}  // namespace
}  // namespace corvane
