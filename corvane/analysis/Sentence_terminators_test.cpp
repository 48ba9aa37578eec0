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
  // Ideographic full stop, danda, the lowest of the other table, Arabic question mark.
  for (char16_t c : {u'.', u'!', u'?', u'\u3002', u'\u0964', u'\u0589', u'\u061F'})
    EXPECT_TRUE(IsPotentialSentenceTerminator(c)) << int(c);
  // Ideographic comma, and the neighbour below the other table.
  for (char16_t c : {u',', u';', u'a', u'\0', u'\u0588', u'\u3001', u'\uFFFF'})
    EXPECT_FALSE(IsPotentialSentenceTerminator(c)) << int(c);
}

}  // namespace
}  // namespace corvane
