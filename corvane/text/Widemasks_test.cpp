#include "corvane/text/Widemasks.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Widemasks, BuildAMaskKeepsEmptyPiecesBeforeASemicolon) {
  std::vector<std::u16string> masks{u"old"};
  BuildAMask(masks, u"*.txt;;*.doc;");
  EXPECT_EQ(masks, (std::vector<std::u16string>{u"*.txt", u"", u"*.doc"}));
  EXPECT_EQ(WhereInAMask(u"letter.DOC", masks), 2);
  EXPECT_EQ(WhereInAMask(u"letter.pdf", masks), -1);
  BuildAMask(masks, u"  *.txt\r\n a*.htm ;b?  ");
  EXPECT_EQ(masks, (std::vector<std::u16string>{u"*.txt", u" a*.htm ", u"b?"}));
  BuildAMask(masks, u"");
  EXPECT_TRUE(masks.empty());
}

TEST(Widemasks, Matching) {
  EXPECT_FALSE(MatchesMask(u"", u"*"));
  EXPECT_TRUE(MatchesMask(u"README", u"*.*"));
  EXPECT_TRUE(MatchesMask(u"Caf\u00C9.TXT", u"caf\u00e9.txt"));
  EXPECT_TRUE(MatchesMask(u"chapter12.txt", u"chap*1?.t*t"));
  EXPECT_FALSE(MatchesMask(u"chapter1.txt", u"chap*1?.txt"));
  EXPECT_FALSE(MatchesMask(u"a.c.d", u"*.c"));
  EXPECT_TRUE(MatchesMask(u"abc", u"a**c"));
  EXPECT_FALSE(MatchesMask(u"abc", u"ab"));
  EXPECT_FALSE(MatchesMask(u"ab", u"ab?"));
  EXPECT_FALSE(MatchesMask(u"abc", u""));
  std::vector<std::u16string> masks{u"", u"*"};
  EXPECT_EQ(WhereInAMask(u"x", masks), 1);
}

}  // namespace
}  // namespace corvane
