#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>
#include <vector>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {
namespace {

std::vector<std::u16string> typed(const TBaseSearchItems& items) {
  std::vector<std::u16string> out;
  for (int i = 0; i < items.Count(); ++i) out.push_back(items.GetSWR(i).typed_in_text);
  return out;
}

std::vector<std::uint8_t> bytes_of(TMemoryStream& s) {
  const auto* p = static_cast<const std::uint8_t*>(s.Memory());
  return {p, p + s.Size()};
}

// The stream string of WriteAString: 32-bit length, then UTF-16LE code units.
void put_string(std::vector<std::uint8_t>& out, std::u16string_view s) {
  const auto n = static_cast<std::uint32_t>(s.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
  for (char16_t c : s) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
}

TMemoryStream stream_of(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  s.SetPosition(0);
  return s;
}

TEST(SearchItems, AddsAlternativesLastFirstAndReusesTypedWords) {
  TSearchWordItems items({}, 0, true);
  EXPECT_EQ(items.AddedSearchWords(u"a/b"), (TSWIndices{0, 1}));
  EXPECT_EQ(typed(items), (std::vector<std::u16string>{u"b", u"a"}));
  // An alternative typed twice, and one already present, give the existing index.
  EXPECT_EQ(items.AddedSearchWords(u"c/a/c"), (TSWIndices{2, 1, 2}));
  EXPECT_EQ(items.Count(), 3);
  // Runs of spaces are collapsed before the words are compared.
  EXPECT_EQ(items.AddedSearchWords(u"x  y"), (TSWIndices{3}));
  EXPECT_EQ(items.GetSWR(3).typed_in_text, u"x y");
  EXPECT_EQ(items.AddedSearchWords(u"x y/b"), (TSWIndices{0, 3}));
}

TEST(SearchItems, WholeTypedTextAlreadyPresentAddsNothing) {
  TSearchWordItems items({}, 0, false);
  EXPECT_EQ(items.AddedSearchWords(u"a/b"), (TSWIndices{0}));
  EXPECT_EQ(items.GetSWR(0).typed_in_text, u"a/b");
  EXPECT_TRUE(items.AddedSearchWords(u"a/b").empty());
  // The base list returns the existing index instead.
  TExclusionWordItems base({}, 0, false);
  base.AddedSearchWords(u"a/b");
  EXPECT_EQ(base.AddedSearchWords(u"a/b"), (TSWIndices{0}));
}

TEST(SearchItems, SkipsAlternativesWithoutSearchText) {
  TContextWordItems items({}, 0, true);
  EXPECT_TRUE(items.AddedSearchWords(u"").empty());
  EXPECT_TRUE(items.AddedSearchWords(u"   ").empty());
  EXPECT_EQ(items.Count(), 0);
}

TEST(SearchItems, PreCheckedWordsGetFlagsOnly) {
  TBaseSearchItems items;
  items.fFormatPreChecked = true;
  items.AddedSearchWords(u"==Ca?t==");
  ASSERT_EQ(items.Count(), 1);
  EXPECT_EQ(items.GetSWR(0).search_text, u"Ca?t");
  EXPECT_TRUE(items.GetAFlag(0).contains(myCaseIsSensitive));
}

TEST(SearchItems, OverloadsSetTheirFieldOnEveryReturnedWord) {
  TBaseSearchItems items({}, 0, true);
  items.AddedSearchWords(u"a/b", std::int16_t{7});
  items.AddedSearchWords(u"c", true);
  items.AddedSearchWords(u"d/a", std::int32_t{5});
  EXPECT_EQ(items.GetLanguage(1), 7);
  EXPECT_TRUE(items.GetAutoLemmaAdded(2));
  EXPECT_EQ(items.GetNToFind(3), 5);  // d
  EXPECT_EQ(items.GetNToFind(1), 5);  // a, already there
  EXPECT_EQ(items.GetNToFind(0), 0);  // b
}

TEST(SearchItems, IndexOfRequiresTheSameLanguage) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"cat", std::int16_t{2});
  TSearch_word_format_rec rec;
  rec.typed_in_text = u"cat";
  rec.Langnum = 3;
  EXPECT_EQ(items.TypeInIndexOf(u"cat"), 0);
  EXPECT_EQ(items.IndexOf(rec), -1);
  EXPECT_EQ(items.EnsureContains(rec), 1);  // added beside the other language's word
  EXPECT_EQ(items.IndexOf(rec), -1);        // the first "cat" still shadows it
  rec.Langnum = 2;
  EXPECT_EQ(items.IndexOf(rec), 0);
  EXPECT_EQ(items.EnsureContains(rec), 0);
  EXPECT_EQ(items.TypeInIndexOf(u"CAT"), -1);
}

TEST(SearchItems, LogsEachAlternativeWithItsSearchTextWhenTheLogIsKept) {
  std::vector<std::u16string> lines;
  package_log_line = [&](const std::u16string& line) { lines.push_back(line); };
  TBaseSearchItems quiet({}, 0, true);
  quiet.AddedSearchWords(u"dog");  // the log is not kept: no line is even built
  EXPECT_TRUE(lines.empty());
  keeping_log = true;
  SetLogFilename(u"log.txt");
  TBaseSearchItems items({}, 0, true);
  items.AddedSearchWords(u"cat*/  ");
  package_log_line = nullptr;
  keeping_log = false;
  SetLogFilename(u"");
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"\" \" = \"\"", u"\"cat*\" = \"cat\""}));
}

TEST(SearchItems, AccessorsOutOfRange) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"a");
  for (int i : {-1, 1}) {
    EXPECT_EQ(items.GetHitsFound(i), 0);
    EXPECT_EQ(items.GetPtr(i), nullptr);
    EXPECT_TRUE(items.GetSWR(i).typed_in_text.empty());
    items.SetAFlag(i, {myReplace});
    items.IncrementHits(i);
    items.PutSWR(i, items.GetSWR(0));
    EXPECT_THROW(items.SetHitsFound(i, 1), EListError);
  }
  EXPECT_EQ(items.Count(), 1);
  EXPECT_EQ(items.TotalHits(), 0);
  const auto copies = items.CopyOfArrayOFSWItems({-1, 0, 4});
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_TRUE(copies[0].typed_in_text.empty());
  EXPECT_EQ(copies[1].typed_in_text, u"a");
  EXPECT_TRUE(copies[2].typed_in_text.empty());
}

TEST(SearchItems, HitCounts) {
  TBaseSearchItems items({}, 0, true);
  items.AddedSearchWords(u"a/b/c");
  items.SetHits({4, 5});
  items.IncrementHits(2);
  EXPECT_EQ(items.TotalHits(), 10);
  items.SetHits({1, 1, 1, 1, 1});  // longer than the list: the rest is ignored
  EXPECT_EQ(items.TotalHits(), 3);
  items.ClearHits();
  EXPECT_EQ(items.TotalHits(), 0);
}

TEST(SearchItems, JoinedTypedTextIsLimitedToTenWords) {
  TBaseSearchItems items;
  for (int i = 0; i < 10; ++i) items.AddedSearchWords(std::u16string(u"w").append(IntToStr(i)));
  EXPECT_EQ(items.AllTypedSearchWordsAsOne(true), u"w0/w1/w2/w3/w4/w5/w6/w7/w8/w9");
  items.AddedSearchWords(u"w10");
  EXPECT_EQ(items.AllTypedSearchWordsAsOne(true), u"w0/w1/w2/w3/w4/w5/w6/w7/w8/w9 etc.");
  EXPECT_EQ(items.AllTypedSearchWordsAsOne(false), u"w0/w1/w2/w3/w4/w5/w6/w7/w8/w9/w10");
  EXPECT_EQ(TBaseSearchItems().AllTypedSearchWordsAsOne(true), u"");
}

TEST(SearchItems, PlannedSearchesSplitTheJoinedWordsAgain) {
  TBaseSearchItems split({}, 0, true);
  split.AddedSearchWords(u"a/b");
  split.AddedSearchWords(u"c");
  EXPECT_EQ(split.SearchesPlannedCount(), 3);
  TBaseSearchItems whole({}, 0, false);
  EXPECT_EQ(whole.SearchesPlannedCount(), 0);
  whole.AddedSearchWords(u"a/b");
  whole.AddedSearchWords(u"c");
  EXPECT_EQ(whole.SearchesPlannedCount(), 1);
  auto list = split.TypedInWordsAsStringlist();
  EXPECT_EQ(list->Text(), u"b\r\na\r\nc\r\n");
}

TEST(SearchItems, MovingAndClearing) {
  TBaseSearchItems items({}, 0, true);
  items.AddedSearchWords(u"c/b/a");  // stored a, b, c
  items.MoveToTop(2);
  EXPECT_EQ(typed(items), (std::vector<std::u16string>{u"c", u"a", u"b"}));
  items.MoveToTop(3);
  items.MoveToTop(-1);
  EXPECT_EQ(typed(items), (std::vector<std::u16string>{u"c", u"a", u"b"}));
  items.ClearOne(1);
  EXPECT_EQ(typed(items), (std::vector<std::u16string>{u"c", u"b"}));
  items.ClearOne(5);
  items.fFrom_a_file = true;
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
  EXPECT_FALSE(items.fFrom_a_file);
}

TEST(SearchItems, InsertAtTopMovesNewWordsUp) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"x");
  items.AddedSearchWords(u"y");
  EXPECT_EQ(items.InsertSearchWordsAtTop(u"z", true), (TSWIndices{0}));
  EXPECT_EQ(typed(items), (std::vector<std::u16string>{u"z", u"x", u"y"}));
  EXPECT_TRUE(items.GetAutoLemmaAdded(0));
  // A word already within the first positions keeps its place and index.
  EXPECT_EQ(items.InsertSearchWordsAtTop(u"z", false), (TSWIndices{0}));
  EXPECT_FALSE(items.GetAutoLemmaAdded(0));
  // Two new words: the moves use the indices of the add as they were.
  TBaseSearchItems two({}, 0, true);
  two.AddedSearchWords(u"x");
  EXPECT_EQ(two.InsertSearchWordsAtTop(u"a/b", true), (TSWIndices{1, 1}));
  EXPECT_EQ(typed(two), (std::vector<std::u16string>{u"x", u"a", u"b"}));
}

TEST(SearchItems, FileBasedContextWordPreparesTheContextSearch) {
  TSearchWordItems items({}, 0x0409, true);
  items.AddedSearchWords(u"cat");
  EXPECT_EQ(items.ftempEngine, nullptr);
  EXPECT_FALSE(items.HasAnyContextWords);
  TSearchWordItems with_context({}, 0x0409, true);
  with_context.AddedSearchWords(u"cat context:=dog");
  ASSERT_NE(with_context.ftempEngine, nullptr);
  ASSERT_NE(with_context.ftempCWItems, nullptr);
  EXPECT_TRUE(with_context.HasAnyContextWords);
  EXPECT_FALSE(with_context.GetHasContextWord(5));
}

// ---- Stored forms

TEST(SearchItemsStream, WritesTypedTextHitsAndLanguageExactly) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"cat", std::int16_t{3});
  items.SetHitsFound(0, 12);
  items.AddedSearchWords(u"d*g");
  TMemoryStream s;
  ASSERT_TRUE(items.SaveToStream(s));
  const std::vector<std::uint8_t> want = {
      0x02, 0x00, 0x00, 0x00,  // two records
      0x08, 0x00, 0x00, 0x00,  // "cat\t12\t3": 8 code units
      'c',  0,    'a',  0,    't',  0,    0x09, 0, '1', 0, '2',  0, 0x09, 0,
      '3',  0,    0x07, 0x00, 0x00, 0x00,  // "d*g\t0\t0"
      'd',  0,    '*',  0,    'g',  0,    0x09, 0, '0', 0, 0x09, 0, '0',  0};
  EXPECT_EQ(bytes_of(s), want);

  TBaseSearchItems back;
  s.SetPosition(0);
  ASSERT_TRUE(back.ReadFromStream(s));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetSWR(0).typed_in_text, u"cat");
  EXPECT_EQ(back.GetHitsFound(0), 12);
  EXPECT_EQ(back.GetLanguage(0), 3);
  EXPECT_EQ(back.GetSWR(1).search_text, items.GetSWR(1).search_text);
}

TEST(SearchItemsStream, NumbersNeedBothTabsAndAreStoredOnlyWhenNotNegative) {
  std::vector<std::uint8_t> bytes = {5, 0, 0, 0};
  put_string(bytes, u"cat\t12");     // one TAB: the word alone
  put_string(bytes, u"dog");         // no TAB
  put_string(bytes, u"a/b\t4\t-1");  // split again; language left as it was
  put_string(bytes, u"eel\t-2\t6");
  put_string(bytes, u"fox\tx\t7");  // not a number: left out
  TMemoryStream s = stream_of(bytes);
  TBaseSearchItems items({}, 0, true);
  ASSERT_TRUE(items.ReadFromStream(s));
  EXPECT_EQ(typed(items),
            (std::vector<std::u16string>{u"cat", u"dog", u"b", u"a", u"eel", u"fox"}));
  EXPECT_EQ(items.GetHitsFound(0), 0);
  EXPECT_EQ(items.GetLanguage(0), 0);
  EXPECT_EQ(items.GetHitsFound(2), 4);
  EXPECT_EQ(items.GetHitsFound(3), 4);
  EXPECT_EQ(items.GetLanguage(3), 0);
  EXPECT_EQ(items.GetHitsFound(4), 0);
  EXPECT_EQ(items.GetLanguage(4), 6);
  EXPECT_EQ(items.GetHitsFound(5), 0);
  EXPECT_EQ(items.GetLanguage(5), 7);
}

TEST(SearchItemsStream, DamagedStreamsGiveFalseAndKeepWhatWasRead) {
  std::vector<std::uint8_t> bytes = {3, 0, 0, 0};
  put_string(bytes, u"cat");
  bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF});  // a negative length
  TMemoryStream damaged = stream_of(bytes);
  TBaseSearchItems items;
  EXPECT_FALSE(items.ReadFromStream(damaged));
  EXPECT_EQ(items.Count(), 1);

  TMemoryStream none = stream_of({0, 0, 0, 0});
  EXPECT_TRUE(items.ReadFromStream(none));
  EXPECT_EQ(items.Count(), 1);
}

TEST(SearchItemsStream, EveryTruncationFailsCleanly) {
  TBaseSearchItems items({}, 0, true);
  items.AddedSearchWords(u"a/bc/def");
  items.SetHits({1, 22, 333});
  TMemoryStream whole;
  ASSERT_TRUE(items.SaveToStream(whole));
  const std::vector<std::uint8_t> bytes = bytes_of(whole);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    TMemoryStream cut = stream_of({bytes.begin(), bytes.begin() + n});
    TBaseSearchItems back({}, 0, true);
    EXPECT_FALSE(back.ReadFromStream(cut)) << n;
  }
}

class SearchItemsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("corvane_items_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::u16string name() const { return u16(path_.string()); }
  std::vector<std::uint8_t> read_bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void write_bytes(const std::string& bytes) const {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  std::filesystem::path path_;
};

TEST_F(SearchItemsFile, SavesOneTypedWordPerLineAsUtf16) {
  TBaseSearchItems items({}, 0, true);
  items.AddedSearchWords(u"b\u00E9/*a");
  ASSERT_TRUE(items.SaveToFile(name()));
  const std::vector<std::uint8_t> want = {0xFF, 0xFE, '*', 0,    'a', 0,    0x0D, 0,    0x0A,
                                          0,    'b',  0,   0xE9, 0,   0x0D, 0,    0x0A, 0};
  EXPECT_EQ(read_bytes(), want);

  TBaseSearchItems back({}, 0, true);
  back.AddedSearchWords(u"old");
  ASSERT_TRUE(back.LoadFromFile(name(), 4));
  EXPECT_TRUE(back.fFrom_a_file);
  EXPECT_EQ(typed(back), (std::vector<std::u16string>{u"*a", u"b\u00E9"}));
  EXPECT_EQ(back.GetNToFind(0), 4);
  EXPECT_EQ(back.GetNToFind(1), 4);
}

TEST_F(SearchItemsFile, LoadsEightBitAndSkipsEmptyLines) {
  write_bytes("\r\ncat/dog\r\n\r\ncaf\xE9\r\n");
  TBaseSearchItems items({}, 0, true);
  ASSERT_TRUE(items.LoadFromFile(name(), 0));
  EXPECT_EQ(typed(items), (std::vector<std::u16string>{u"dog", u"cat", u"caf\u00E9"}));

  write_bytes("\r\n\r\n");
  EXPECT_FALSE(items.LoadFromFile(name(), 0));
  EXPECT_FALSE(items.fFrom_a_file);
  EXPECT_EQ(items.Count(), 0);
}

TEST_F(SearchItemsFile, MissingFileGivesFalse) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"kept");
  EXPECT_FALSE(items.LoadFromFile(name() + u".none", 1));
  EXPECT_EQ(items.Count(), 1);
  EXPECT_FALSE(items.SaveToFile(u"/nonexistent-dir/x/items.txt"));
}

TEST(SearchItems, PlainWordsAreTheTypedTextsWithoutTheirFlagMarkers) {
  TSearchWordItems items({}, 0, true);
  items.AddedSearchWords(u"cat*/==Dog==");
  TSimpleSearchlist& plain = items.ComputePlainSearchWords();
  ASSERT_EQ(plain.Count(), 2);
  // Alternatives are added last first.
  EXPECT_EQ(plain.GetAValue(0).seek, u"Dog");
  EXPECT_EQ(plain.GetAValue(0).flags,
            (TMySearchFlags{myLeftBounded, myCaseIsSensitive, myRightBounded}));
  EXPECT_EQ(plain.GetAValue(1).seek, u"cat");
  EXPECT_EQ(plain.GetAValue(1).flags, (TMySearchFlags{myLeftBounded}));
  // Computing again starts afresh; clearing the items clears the plain words too.
  EXPECT_EQ(items.ComputePlainSearchWords().Count(), 2);
  items.Clear();
  EXPECT_EQ(items.fPlainSWS->Count(), 0);
}

}  // namespace
}  // namespace corvane
