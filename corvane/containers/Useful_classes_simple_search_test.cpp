#include "corvane/containers/Useful_classes_simple_search.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

std::vector<TSimpleSearch_rec> load(const std::u16string& text, bool key_value) {
  TStringList lines;
  lines.SetText(text);
  TSimpleSearchlist list(DefaultSimpleSearchSettings());
  list.LoadFromAStringlist(lines, key_value);
  std::vector<TSimpleSearch_rec> recs;
  for (std::int32_t i = 0; i < list.Count(); ++i) recs.push_back(list.GetAValue(i));
  return recs;
}

TEST(TSimpleSearchlist, LinesAndItems) {
  auto recs =
      load(u"run -> runs, ran\r\n; a comment\r\n// another\r\n\r\nparis\r\n==Paris==", false);
  ASSERT_EQ(recs.size(), 5u);
  EXPECT_EQ(recs[2].seek, u"RAN");
  EXPECT_EQ(recs[3].n_wanted, 1);
  EXPECT_EQ(recs[4].seek, u"Paris");
  EXPECT_TRUE(recs[4].flags.contains(myCaseIsSensitive));
  EXPECT_TRUE(load(u";", false).empty());
  // Empty items between commas add nothing; a trailing "*" lifts the right boundary.
  recs = load(u"a, ,b*", false);
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[1].seek, u"B");
  EXPECT_FALSE(recs[1].flags.contains(myRightBounded));
}

TEST(TSimpleSearchlist, KeyValueMode) {
  const auto recs = load(u"cat=5, dog = x, bird, =3", true);
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[0].seek, u"CAT");
  EXPECT_EQ(recs[0].n_wanted, 5);
  EXPECT_EQ(recs[1].seek, u"DOG");
  EXPECT_EQ(recs[1].n_wanted, 1);
}

TEST(TSimpleSearchlist, AccessJoinAndCopy) {
  TSimpleSearchlist list(DefaultSimpleSearchSettings());
  TSimpleSearch_rec rec{u"ABC", 2, TMySearchFlags{myCaseIsSensitive, myLeftBounded}};
  EXPECT_EQ(list.AddOne(rec), 0);
  list.AddOne({u"DEF", 1, TMySearchFlags{myLeftBounded, myRightBounded}});
  EXPECT_EQ(list.AsText(u"; "), u"ABC; DEF");
  EXPECT_EQ(list.GetATypedInSW(0), u"==ABC*==");
  EXPECT_EQ(list.GetATypedInSW(5), u"");
  EXPECT_EQ(list.GetAValue(-1).n_wanted, 0);
  TSimpleSearchlist copy({7, 8});
  copy.AddAll(list);
  EXPECT_EQ(copy.Settings.spare_wordcount_multiplier, 1000);
  EXPECT_EQ(copy.GetAValue(0).n_wanted, 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(copy.GetAValue(1).seek, u"DEF");
}

TEST(TSimpleSearchlist, LoadFromFile) {
  const std::string path =
      ::testing::TempDir() + "corvane_simple_search_" + std::to_string(::getpid()) + ".txt";
  std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF"
                                           "caf\xC3\xA9=2\r\n";
  TSimpleSearchlist list(DefaultSimpleSearchSettings());
  list.AddOne({u"OLD", 1, {}});
  ASSERT_TRUE(list.LoadFromFile(u16(path), true));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetAValue(0).seek, u"CAF\u00C9");
  EXPECT_EQ(list.GetAValue(0).n_wanted, 2);
  std::filesystem::remove(path);
  EXPECT_FALSE(list.LoadFromFile(u16(path), true));
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace corvane
