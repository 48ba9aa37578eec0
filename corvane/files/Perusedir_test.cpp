// The records of a folder search: sorts, look-ups and both stream formats, byte for byte.
#include "corvane/files/Perusedir.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

using testing::B;
namespace fs = std::filesystem;

TMySearchRec rec(std::u16string name, double date, std::int32_t size, std::int32_t attr = 0x20,
                 std::int16_t number = 0) {
  TMySearchRec r;
  r.ShortName = std::move(name);
  r.DateTime = date;
  r.Size = size;
  r.Attr = attr;
  r.Number_Within_Zip = number;
  return r;
}

std::vector<std::uint8_t> bytes_of(TMemoryStream& stream) {
  return {stream.Memory(), stream.Memory() + stream.Size()};
}

void load(TMemoryStream& stream, const std::vector<std::uint8_t>& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  stream.SetPosition(0);
}

std::vector<std::u16string> names(const TMySearchRecList& list) {
  std::vector<std::u16string> out;
  for (std::int32_t i = 0; i < list.Count(); ++i) out.push_back(list.GetAMySearchRec(i).ShortName);
  return out;
}

const std::vector<std::uint8_t> kTwoRecords = B({
    0x02, 0x00, 0x00, 0x00,                          // count
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,  // 1.5
    0x04, 0x03, 0x02, 0x01,                          // size
    0x20, 0x00, 0x00, 0x00,                          // attributes
    0x02, 0x00, 0x00, 0x00,                          // number within zip, padding
    0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00,  // "ab"
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 0.0
    0xFF, 0xFF, 0xFF, 0xFF,                          // -1
    0x21, 0x00, 0x00, 0x00,                          //
    0xFE, 0xFF, 0x00, 0x00,                          // -2
    0x00, 0x00, 0x00, 0x00,                          // ""
});

TEST(MySearchRecList, StreamFormatByteForByte) {
  TMySearchRecList list;
  list.AddOne(rec(u"ab", 1.5, 0x01020304, 0x20, 2));
  list.AddOne(rec(u"", 0, -1, 0x21, -2));
  TMemoryStream out;
  EXPECT_TRUE(list.SaveToStream(out));
  EXPECT_EQ(bytes_of(out), kTwoRecords);

  // Reading appends, and ignores what the padding holds.
  std::vector<std::uint8_t> padded = kTwoRecords;
  padded[22] = 0x7F;
  padded[23] = 0x7F;
  TMemoryStream in;
  load(in, padded);
  TMySearchRecList back;
  back.AddOne(rec(u"first", 0, 0));
  EXPECT_TRUE(back.ReadFromStream(in));
  ASSERT_EQ(back.Count(), 3);
  const TMySearchRec r = back.GetAMySearchRec(1);
  EXPECT_EQ(r.ShortName, u"ab");
  EXPECT_EQ(r.DateTime, 1.5);
  EXPECT_EQ(r.Size, 0x01020304);
  EXPECT_EQ(r.Attr, 0x20);
  EXPECT_EQ(r.Number_Within_Zip, 2);
  EXPECT_EQ(back.GetAMySearchRec(2).Number_Within_Zip, -2);
  EXPECT_EQ(back.GetAMySearchRec(3).ShortName, u"");  // outside: a zero record
  EXPECT_EQ(back.GetAMySearchRec(-1).Size, 0);
}

TEST(MySearchRecList, DamagedStreamsRaiseTheReadError) {
  // A hostile count fails on the first missing record; a cut keeps what was read.
  TMemoryStream hostile, cut;
  load(hostile, B({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}));
  TMySearchRecList list;
  EXPECT_THROW(list.ReadFromStream(hostile), EReadError);
  EXPECT_EQ(list.Count(), 0);
  load(cut, std::vector<std::uint8_t>(kTwoRecords.begin(), kTwoRecords.end() - 1));
  EXPECT_THROW(list.ReadFromStream(cut), EReadError);
  EXPECT_EQ(list.Count(), 1);
}

TEST(MySearchRecList, SortsAndNeverReSortsTheSortInForce) {
  TMySearchRecList list;
  list.AddOne(rec(u"b.TXT", 3.0, 10, 0x21));
  list.AddOne(rec(u"A.htm", 1.0, -5, 0x20));
  list.AddOne(rec(u"c.Htm", 2.0, 7, 0x22));
  list.SetSort(sr_sort_by_name);  // letter case ignored
  EXPECT_EQ(names(list), (std::vector<std::u16string>{u"A.htm", u"b.TXT", u"c.Htm"}));
  list.SetSort(sr_sort_by_date);  // latest first
  EXPECT_EQ(names(list), (std::vector<std::u16string>{u"b.TXT", u"c.Htm", u"A.htm"}));
  list.SetSort(sr_sort_by_extension);
  EXPECT_EQ(list.GetAMySearchRec(2).ShortName, u"b.TXT");

  // The sort in force is not applied again, even when the order no longer follows it.
  list.fSort = sr_sort_by_size;
  const std::vector<std::u16string> before = names(list);
  list.SetSort(sr_sort_by_size);
  EXPECT_EQ(names(list), before);
  list.Clear();
  EXPECT_EQ(list.fSort, sr_sort_none);
}

TEST(MySearchRecList, FindBySizeDateAndExactName) {
  TMySearchRecList list;
  list.AddOne(rec(u"a.txt", 1.0, 10));
  list.AddOne(rec(u"A.txt", 1.0, 10));  // sorts as a.txt by name, another file
  list.AddOne(rec(u"b.txt", 2.0, 20));
  EXPECT_EQ(list.Find(rec(u"A.txt", 1.0, 10, 0x01, 5)), 1);  // attributes and number ignored
  EXPECT_EQ(list.Find(rec(u"a.txt", 1.0, 11)), -1);
  EXPECT_EQ(list.IndexOF(rec(u"b.txt", 2.0, 20)), 2);

  list.SetSort(sr_sort_by_size);
  EXPECT_EQ(list.Find(rec(u"b.txt", 2.0, 20)), 2);
  EXPECT_EQ(list.Find(rec(u"c.txt", 2.0, 30)), -1);
  list.SetSort(sr_sort_by_name);
  // The halving lands on an element that compares equal but is another file: scan instead.
  EXPECT_EQ(list.Find(rec(u"a.txt", 1.0, 10)), 0);
  EXPECT_EQ(list.Find(rec(u"A.txt", 1.0, 10)), 1);
  EXPECT_EQ(list.Find(rec(u"B.TXT", 2.0, 20)), -1);
}

TEST(Folderful, StreamFormatByteForByteAndReadingClearsTheList) {
  TFolderful folder(u"/d");
  EXPECT_EQ(folder.DirName(), u"/d/");
  folder.fThisList->AddOne(rec(u"ab", 1.5, 0x01020304, 0x20, 2));
  folder.fThisList->AddOne(rec(u"", 0, -1, 0x21, -2));
  folder.fSort = sr_sort_by_date;
  folder.fstarts = 7;
  folder.fends = 9;
  folder.fdirnum = 3;
  TMemoryStream out;
  EXPECT_TRUE(folder.SaveToStream(out));
  std::vector<std::uint8_t> expected = B({0x02, 7, 0, 0, 0,    9, 0,    0, 0,    3, 0, 0, 0,  //
                                          3,    0, 0, 0, 0x2F, 0, 0x64, 0, 0x2F, 0});
  expected.insert(expected.end(), kTwoRecords.begin(), kTwoRecords.end());
  EXPECT_EQ(bytes_of(out), expected);

  TFolderful back(u"/other/");
  back.fThisList->AddOne(rec(u"stale", 0, 0));
  TMemoryStream in;
  load(in, expected);
  EXPECT_TRUE(back.ReadFromFile(in));
  EXPECT_EQ(back.DirName(), u"/d/");
  EXPECT_EQ(back.fSort, sr_sort_by_date);
  EXPECT_EQ(back.fstarts, 7);
  EXPECT_EQ(back.fends, 9);
  EXPECT_EQ(back.fdirnum, 3);
  ASSERT_EQ(back.TotalFiles(), 2);
  EXPECT_EQ(back.FullName(0), u"/d/ab");

  TMemoryStream hostile;
  load(hostile, B({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_THROW(back.ReadFromStream(hostile), EReadError);
  EXPECT_EQ(back.TotalFiles(), 0);
}

TEST(Folderful, ReadsPastTheEndAsEmptyValuesAndAStoppedSearchShowsNothing) {
  TFolderful folder(u"/d/");
  folder.fThisList->AddOne(rec(u"z.zip/in.txt", 4.25, 12, 0x20, 3));
  EXPECT_TRUE(folder.InAZip(0));
  EXPECT_EQ(folder.FileSize(1), -1);
  EXPECT_EQ(folder.FullName(1), u"");
  EXPECT_EQ(folder.SearchRec(-1).Size, 0);
  EXPECT_EQ(folder.SimpleSearchRec(0).Size, 12);
  folder.fProcessing_files = false;
  EXPECT_TRUE(folder.Empty());
}

TEST(Folderful, SettingAFullNameRenamesTheFile) {
  const fs::path dir = fs::temp_directory_path() / ("cv_folderful_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "old.txt") << "x";
  TFolderful folder(u16(dir.string()));
  folder.fThisList->AddOne(rec(u"old.txt", 0, 1));
  folder.fThisList->AddOne(rec(u"gone.txt", 0, 1));
  folder.SetFullName(0, u16((dir / "new.txt").string()));
  EXPECT_EQ(folder.ShortName(0), u"new.txt");
  EXPECT_TRUE(fs::exists(dir / "new.txt"));
  try {
    folder.SetFullName(1, u16((dir / "other.txt").string()));
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "cannot rename " + (dir / "gone.txt").string());
  }
  EXPECT_EQ(folder.ShortName(1), u"gone.txt");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvane
