#include "corvane/analysis/Sentence_terminators.hpp"

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <algorithm>

namespace corvane {
namespace {

TEST(SentenceTerminators, TablesAreStrictlyAscendingAndDisjoint) {
  auto strictly_ascending = [](const auto& t) {
    return std::adjacent_find(t.begin(), t.end(), [](char16_t a, char16_t b) { return a >= b; }) ==
           t.end();
  };
  EXPECT_TRUE(strictly_ascending(basic_sent_terminators));
  EXPECT_TRUE(strictly_ascending(other_sent_terminators));
  EXPECT_TRUE(strictly_ascending(punct_not_ending_sent));
  for (char16_t c : other_sent_terminators) EXPECT_FALSE(is_punct_not_ending_sent(c)) << int(c);
  // Every terminator of other scripts is other punctuation, as the splitter requires.
  for (char16_t c : other_sent_terminators) EXPECT_EQ(u_charType(c), U_OTHER_PUNCTUATION) << int(c);
}

TEST(SentenceTerminators, RangeEndsOfTheTablesAreIncluded) {
  // First and last members of ranges, and neighbours just outside them.
  EXPECT_TRUE(is_sentence_terminator(0x0700));
  EXPECT_TRUE(is_sentence_terminator(0x0702));
  EXPECT_FALSE(is_sentence_terminator(0x0703));
  EXPECT_TRUE(is_sentence_terminator(0xAA5F));
  EXPECT_FALSE(is_sentence_terminator(0xAA5C));
  EXPECT_TRUE(is_sentence_terminator(0xFF61));
  EXPECT_TRUE(is_punct_not_ending_sent(0x0703));
  EXPECT_TRUE(is_punct_not_ending_sent(0x070D));
  EXPECT_TRUE(is_punct_not_ending_sent(0xFF65));
  EXPECT_TRUE(is_punct_not_ending_sent(0x3001));
  EXPECT_FALSE(is_punct_not_ending_sent(0x3002));
  EXPECT_FALSE(is_punct_not_ending_sent(0x2052));
}

TEST(IsPotentialSentenceTerminator, BasicAndOtherScriptsTerminators) {
  EXPECT_TRUE(IsPotentialSentenceTerminator(u'.'));
  EXPECT_TRUE(IsPotentialSentenceTerminator(u'!'));
  EXPECT_TRUE(IsPotentialSentenceTerminator(u'?'));
  EXPECT_TRUE(IsPotentialSentenceTerminator(0x3002));  // ideographic full stop
  EXPECT_TRUE(IsPotentialSentenceTerminator(0x0964));  // danda
  EXPECT_TRUE(IsPotentialSentenceTerminator(0x0589));  // the lowest of the other table
  EXPECT_TRUE(IsPotentialSentenceTerminator(0x061F));  // Arabic question mark
  EXPECT_FALSE(IsPotentialSentenceTerminator(u','));
  EXPECT_FALSE(IsPotentialSentenceTerminator(u'a'));
  EXPECT_FALSE(IsPotentialSentenceTerminator(u';'));
  EXPECT_FALSE(IsPotentialSentenceTerminator(u' '));
  EXPECT_FALSE(IsPotentialSentenceTerminator(0));
  EXPECT_FALSE(IsPotentialSentenceTerminator(0x0588));
  EXPECT_FALSE(IsPotentialSentenceTerminator(0x3001));  // ideographic comma
  EXPECT_FALSE(IsPotentialSentenceTerminator(0xFFFF));
}

}  // namespace
}  // namespace corvane
