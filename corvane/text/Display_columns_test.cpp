#include "corvane/text/Display_columns.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DisplayColumns, ClustersTakeTheColumnsOfTheirFirstCharacter) {
  EXPECT_EQ(display_columns(u"plain"), 5u);
  EXPECT_EQ(display_columns(u"e\u0301te\u0301"), 3u);             // combining acute: no column
  EXPECT_EQ(display_columns(u"\u65E5\u672C"), 4u);                // wide CJK
  EXPECT_EQ(display_columns(u"\uFF21"), 2u);                      // full-width A
  EXPECT_EQ(display_columns(u"\U0001F600!"), 3u);                 // emoji shown as a picture
  EXPECT_EQ(display_columns(u"\U0001F469\u200D\U0001F4BB"), 2u);  // one emoji sequence
  EXPECT_EQ(display_columns(u"\u0301"), 0u);                      // a mark alone
  EXPECT_EQ(display_columns(u""), 0u);
}

TEST(DisplayColumns, HeadsAndTailsAreCutBetweenClusters) {
  std::size_t used = 0;
  EXPECT_EQ(display_head(u"abcdef", 4, used), u"abcd");
  EXPECT_EQ(used, 4u);
  // The cluster that would cross the limit is left out whole.
  EXPECT_EQ(display_head(u"a\u65E5b", 2, used), u"a");
  EXPECT_EQ(used, 1u);
  EXPECT_EQ(display_head(u"ae\u0301\u0302x", 2, used), u"ae\u0301\u0302");
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(display_tail(u"ae\u0301\u0302x", 2, used), u"e\u0301\u0302x");
  EXPECT_EQ(display_tail(u"\u65E5\u672C", 3, used), u"\u672C");
  EXPECT_EQ(used, 2u);
  // A surrogate pair is one character, never parted.
  EXPECT_EQ(display_tail(u"x\U0001F600", 1, used), u"");
  EXPECT_EQ(display_head(u"\U0001F600x", 2, used), u"\U0001F600");
  EXPECT_EQ(display_tail(u"abc", 0, used), u"");
  EXPECT_EQ(display_head(u"", 5, used), u"");
}

}  // namespace
}  // namespace corvane
