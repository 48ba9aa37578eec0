// The compact list of full file names: folders stored once, look-ups, renaming and sorts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvane/containers/Useful_classes.hpp"

namespace corvane {
namespace {

TMySimpleSearchRec simple(std::u16string name, double date, std::int32_t size) {
  TMySimpleSearchRec r;
  r.ShortName = std::move(name);
  r.DateTime = date;
  r.Size = size;
  return r;
}

std::vector<std::u16string> full_names(const TFolderEfficientFileStringlist& list) {
  std::vector<std::u16string> out;
  for (std::int32_t i = 0; i < list.Count(); ++i) out.push_back(list.GetFullFilename(i));
  return out;
}

TEST(FolderEfficientFileStringlist, StoresEachFolderOnceAndLooksUpInTheRightFolder) {
  TFolderEfficientFileStringlist list;
  EXPECT_EQ(list.AddOne(u"/c/a.txt"), 0);
  EXPECT_EQ(list.Add(u"/d/x.txt"), 1);
  EXPECT_EQ(list.AddOne(u"/c/", simple(u"b.txt", 2.0, 5)), 2);
  EXPECT_EQ(list.AddOne(u"/c", simple(u"x.txt", 0, 0)), 3);  // the same folder
  EXPECT_EQ(list.AddOne(u"bare.txt"), 4);
  EXPECT_EQ(list.AddOne(u"/c.zip/in/", simple(u"A.txt", 0, 0)), 5);
  EXPECT_EQ(list.folders.Count(), 4);
  EXPECT_EQ(full_names(list),
            (std::vector<std::u16string>{u"/c/a.txt", u"/d/x.txt", u"/c/b.txt", u"/c/x.txt",
                                         u"bare.txt", u"/c.zip/in/A.txt"}));
  EXPECT_EQ(list.GetASimpleSearchRec(2).folder_number, 0);
  EXPECT_EQ(list.GetASimpleSearchRec(2).Size, 5);
  EXPECT_EQ(list.files.Get(2), u"b.txt");

  // The folder part counts: /c/x.txt is not /d/x.txt. Names are case sensitive.
  EXPECT_EQ(list.IndexOfFullName(u"/c/x.txt"), 3);
  EXPECT_EQ(list.IndexOfFullName(u"/d/x.txt"), 1);
  EXPECT_EQ(list.IndexOfFullName(u"/d/a.txt"), -1);
  EXPECT_EQ(list.IndexOfFullName(u"/e/a.txt"), -1);
  EXPECT_EQ(list.IndexOfFullName(u"/c.zip/in/a.txt"), -1);
  EXPECT_EQ(list.IndexOfShortName(u"x.txt"), 1);
  EXPECT_EQ(list.IndexOfShortName(u"X.TXT"), -1);

  // Invalid indexes give empty answers; AddOne(FolderIndex) takes the index as given.
  EXPECT_EQ(list.GetFullFilename(6), u"");
  EXPECT_EQ(list.GetASimpleSearchRec(-1).folder_number, 0);
  EXPECT_EQ(list.files.GetFolderNumber(99), 0);
  EXPECT_EQ(list.AddOne(1, simple(u"y.txt", 0, 0)), 6);
  EXPECT_EQ(list.GetFullFilename(6), u"/d/y.txt");

  const auto plain = list.GetAsStringlist();
  ASSERT_EQ(plain->Count(), 7);
  EXPECT_EQ(plain->Get(5), u"/c.zip/in/A.txt");

  list.Delete(0);
  list.Delete(42);
  EXPECT_EQ(list.GetFullFilename(0), u"/d/x.txt");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.folders.Count(), 0);
  EXPECT_EQ(list.AddOne(u"/z/q"), 0);
  EXPECT_EQ(list.GetASimpleSearchRec(0).folder_number, 0);
}

TEST(FolderEfficientFileStringlist, SettingAFullNameMovesTheEntryWhole) {
  TFolderEfficientFileStringlist list;
  list.AddOne(u"/c/a.txt");
  list.AddOne(u"/c/b.txt");
  list.SetFullFilename(0, u"/new/z.txt");
  EXPECT_EQ(list.GetFullFilename(0), u"/new/z.txt");
  EXPECT_EQ(list.files.Get(0), u"z.txt");
  EXPECT_EQ(list.IndexOfFullName(u"/new/z.txt"), 0);
  EXPECT_EQ(list.IndexOfFullName(u"/c/a.txt"), -1);
  list.SetFullFilename(5, u"/x/y");  // ignored
  EXPECT_EQ(list.Count(), 2);
}

TEST(FolderEfficientFileStringlist, DoASortBothWays) {
  TFolderEfficientFileStringlist list;
  list.AddOne(u"/f2/", simple(u"b", 3.0, 20));
  list.AddOne(u"/f1/", simple(u"c", 1.0, 10));
  list.AddOne(u"/f1/", simple(u"a", 2.0, 20));
  list.AddOne(u"/f2/", simple(u"d", 2.0, 10));
  auto order = [&] {
    std::u16string s;
    for (std::int32_t i = 0; i < list.Count(); ++i) s += list.files.GetShortName(i);
    return s;
  };
  list.DoASort(ss_size, ss_shortname, true);
  EXPECT_EQ(order(), u"cdab");
  list.DoASort(ss_size, ss_shortname, false);
  EXPECT_EQ(order(), u"badc");
  list.DoASort(ss_date, ss_none, true);  // latest first
  EXPECT_EQ(order(), u"b" + order().substr(1, 2) + u"c");
  list.DoASort(ss_folder, ss_date, true);  // dates add nothing as the second key
  EXPECT_TRUE(order().substr(0, 2) == u"bd" || order().substr(0, 2) == u"db");  // /f2/ first
  list.DoASort(ss_folder, ss_shortname, true);
  EXPECT_EQ(order(), u"bdac");
  EXPECT_EQ(list.sort_1, ss_folder);
  EXPECT_EQ(list.sort_2, ss_shortname);
  list.DoASort(ss_none, ss_size, false);  // neither sorts nor reverses
  EXPECT_EQ(order(), u"bdac");
  EXPECT_EQ(list.sort_1, ss_none);
}

}  // namespace
}  // namespace corvane
