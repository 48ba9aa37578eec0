#include "corvane/search/Lemmastopmatchtypes.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Lemmastopmatchtypes, TablesAndFileTexts) {
  EXPECT_EQ(LemmaMatchStopFileTypeStr(as_stop, u"basic.stp"), u"stop list file basic.stp");
  Lemmastopmatchtypes_initialize();
  EXPECT_EQ(LemmaMatchStopNames[as_relation], u"relation list");
  EXPECT_EQ(LemmaMatchStopFileNames[as_relation], u"relation list file %s");
}

TEST(Lemmastopmatchtypes, TagToMatchAction) {
  EXPECT_EQ(TagToMatchAction(156), 1);
  EXPECT_EQ(TagToMatchAction(209), 3);
  EXPECT_EQ(TagToMatchAction(158), 0);
  EXPECT_EQ(TagToMatchAction(-1), 0);
}

}  // namespace
}  // namespace corvane
