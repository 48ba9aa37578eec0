#include "corvane/rtl/StringList.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unicode/uloc.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

std::string joined(TStringList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) {
    if (i) out += '|';
    out += u8(list.Get(i));
  }
  return out;
}

class StringListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UErrorCode status = U_ZERO_ERROR;
    old_locale_ = uloc_getDefault();
    uloc_setDefault("en_US", &status);
  }
  void TearDown() override {
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault(old_locale_.c_str(), &status);
  }
  std::string old_locale_;
};

TEST_F(StringListTest, SortedListAndDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (auto s : {u"pear", u"Apple", u"apple", u"fig", u"PEAR"}) list.Add(s);
  // Case-insensitive by default: "apple" and "PEAR" are duplicates and ignored.
  EXPECT_EQ(joined(list), "Apple|fig|pear");
  EXPECT_EQ(list.Add(u"FIG"), 1);
  EXPECT_EQ(list.Count(), 3);

  list.SetDuplicates(dupError);
  try {
    list.Add(u"Fig");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add(u"fig");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_THROW(list.Insert(0, u"x"), EStringListError);
  EXPECT_THROW(list.Put(0, u"x"), EStringListError);

  list.SetCaseSensitive(true);
  list.SetDuplicates(dupIgnore);
  list.Add(u"apple");
  EXPECT_EQ(list.IndexOf(u"apple"), 0);  // lower case sorts first under tertiary strength
  EXPECT_EQ(list.IndexOf(u"Apple"), 1);
}

TEST_F(StringListTest, FindAtStartEndAndAbsent) {
  TStringList list;
  list.SetSorted(true);
  for (auto s : {u"b", u"d", u"f"}) list.Add(s);
  std::int32_t index = -7;
  EXPECT_TRUE(list.Find(u"b", index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(list.Find(u"F", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find(u"a", index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(list.Find(u"e", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find(u"z", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.IndexOf(u"z"), -1);

  // With duplicates, Find returns the first of the equal entries.
  list.SetDuplicates(dupAccept);
  for (int i = 0; i < 5; ++i) list.Add(u"d");
  EXPECT_TRUE(list.Find(u"d", index));
  EXPECT_EQ(index, 1);
  TStringList empty;
  empty.SetSorted(true);
  EXPECT_FALSE(empty.Find(u"x", index));
  EXPECT_EQ(index, 0);
}

TEST_F(StringListTest, RangeErrors) {
  TStringList list;
  list.Add(u"a");
  try {
    list.Get(1);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(2, u"x"), EStringListError);
}

int compare_first_char(TStringList* list, std::int32_t a, std::int32_t b) {
  return list->Get(a)[0] - list->Get(b)[0];
}

TEST_F(StringListTest, CustomSortOrderOfEqualKeys) {
  // Same hand-traced partition as the pointer list's: keys 2 1 2 1 2.
  TStringList list;
  for (auto s : {u"2a", u"1b", u"2c", u"1d", u"2e"}) list.AddObject(s, object_from_int(s[1]));
  list.CustomSort(compare_first_char);
  EXPECT_EQ(joined(list), "1d|1b|2e|2a|2c");
  EXPECT_EQ(int_from_object(list.GetObject(0)), 'd');  // objects travel with strings
}

TEST_F(StringListTest, PivotFollowsItsEntry) {
  // Six entries whose middle (index 2) is exchanged in the first pass; a pivot index
  // that did not follow would compare against the wrong entry and misplace "3".
  TStringList list;
  for (auto s : {u"5", u"4", u"3", u"2", u"1", u"0"}) list.Add(s);
  list.CustomSort(compare_first_char);
  EXPECT_EQ(joined(list), "0|1|2|3|4|5");
}

std::uint32_t random_state = 977;
int random_compare(TStringList*, std::int32_t, std::int32_t) {
  random_state = random_state * 1664525u + 1013904223u;
  return static_cast<int>(random_state >> 30) - 1;
}
int always_less(TStringList*, std::int32_t, std::int32_t) {
  return -1;
}

TEST_F(StringListTest, CustomSortSurvivesAnyComparison) {
  // Keys that change between calls (a date read as "now" when missing) or a faulty
  // comparison: the entries stay in the list, each once, with their objects.
  for (TStringListSortCompare compare : {random_compare, always_less}) {
    for (int n : {2, 5, 3000}) {
      TStringList list;
      for (int i = 0; i < n; ++i) list.AddObject(IntToStr(i), object_from_int(i));
      list.CustomSort(compare);
      ASSERT_EQ(list.Count(), n);
      std::vector<bool> seen(n, false);
      for (int i = 0; i < n; ++i) {
        const int v = int_from_object(list.GetObject(i));
        ASSERT_TRUE(v >= 0 && v < n && !seen[v]);
        ASSERT_EQ(list.Get(i), IntToStr(v));
        seen[v] = true;
      }
    }
  }
}

struct Counted : TObject {
  explicit Counted(int* deaths) : deaths(deaths) {}
  ~Counted() override { ++*deaths; }
  int* deaths;
};

TEST_F(StringListTest, OwnsObjects) {
  int deaths = 0;
  {
    TStringList list(true);
    for (int i = 0; i < 4; ++i) list.AddObject(u"x", new Counted(&deaths));
    list.Move(0, 3);  // moving frees nothing
    EXPECT_EQ(deaths, 0);
    list.Delete(0);
    EXPECT_EQ(deaths, 1);
    list.Clear();
    EXPECT_EQ(deaths, 4);
    list.AddObject(u"y", new Counted(&deaths));
  }
  EXPECT_EQ(deaths, 5);
}

TEST_F(StringListTest, NamesAndValues) {
  TStringList list;
  list.SetText(u"key=value\r\nnoseparator\r\nEmpty=\r\nk2=a=b\r\n");
  EXPECT_EQ(list.IndexOfName(u"KEY"), 0);
  EXPECT_EQ(list.IndexOfName(u"noseparator"), -1);
  EXPECT_EQ(u8(list.Names(1)), "");
  EXPECT_EQ(u8(list.Values(u"k2")), "a=b");
  EXPECT_EQ(u8(list.Values(u"empty")), "");
  EXPECT_EQ(u8(list.ValueFromIndex(3)), "a=b");
  EXPECT_EQ(u8(list.ValueFromIndex(1)), "oseparator");  // no name: skips one character
  list.SetValue(u"key", u"new");
  EXPECT_EQ(u8(list.Get(0)), "key=new");
  list.SetValue(u"added", u"1");
  EXPECT_EQ(u8(list.Get(4)), "added=1");
  list.SetValue(u"key", u"");
  EXPECT_EQ(list.IndexOfName(u"key"), -1);
  list.SetNameValueSeparator(u':');
  list.Add(u"a:b");
  EXPECT_EQ(u8(list.Values(u"a")), "b");
}

TEST_F(StringListTest, TextEndsEveryLineWithCrLf) {
  TStringList list;
  list.Add(u"a");
  list.Add(u"");
  list.Add(u"b");
  EXPECT_EQ(list.Text(), u"a\r\n\r\nb\r\n");
  list.SetLineBreak(u"\n");
  EXPECT_EQ(list.Text(), u"a\n\nb\n");
  TStringList empty;
  EXPECT_EQ(empty.Text(), u"");
}

TEST_F(StringListTest, SetTextSplitsAtCrLfLfAndCr) {
  TStringList list;
  list.SetText(u"a\r\nb\nc\rd\n\re");
  EXPECT_EQ(joined(list), "a|b|c|d||e");
  list.SetText(u"x\r\n");
  EXPECT_EQ(list.Count(), 1);
  list.SetText(u"\r\n");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(u8(list.Get(0)), "");
  list.SetText(std::u16string(u"one\0two", 7));
  EXPECT_EQ(joined(list), "one");
  list.SetText(u"");
  EXPECT_EQ(list.Count(), 0);
  // The one-pass rewrite with CR LF gives what the list's own text gives.
  for (const std::u16string text :
       {std::u16string(u"a\r\nb\nc\rd\n\re"), std::u16string(u"x\r\n"), std::u16string(u"\r\n"),
        std::u16string(u"one\0two", 7), std::u16string(u""), std::u16string(u"tail")}) {
    list.SetText(text);
    std::u16string rewritten;
    text_with_crlf_lines(text, rewritten);
    EXPECT_EQ(rewritten, list.Text()) << u8(text);
  }
  // Any other line break is the only thing that ends a line.
  list.SetLineBreak(u"##");
  list.SetText(u"a##b\r\nc####d##");
  EXPECT_EQ(joined(list), "a|b\r\nc||d");
}

class TextCountingList : public TStringList {
 public:
  int calls = 0;
  void SetTextStr(const std::u16string& text) override {
    ++calls;
    TStringList::SetTextStr(text);
  }
};

TEST_F(StringListTest, LoadGoesThroughVirtualSetTextStr) {
  TextCountingList list;
  TBytesStream stream({'a', '\r', '\n', 'b'});
  list.LoadFromStream(stream);
  EXPECT_EQ(list.calls, 1);
  EXPECT_EQ(joined(list), "a|b");
}

TEST_F(StringListTest, CommaAndDelimitedText) {
  TStringList list;
  list.SetCommaText(u" a, b c ,\"d,\"\"e\"\" f\",,last,");
  EXPECT_EQ(joined(list), "a|b|c|d,\"e\" f||last|");
  list.Clear();
  for (auto s : {u"plain", u"with space", u"q\"uote", u""}) list.Add(s);
  EXPECT_EQ(u8(list.CommaText()), "plain,\"with space\",\"q\"\"uote\",");
  list.SetStrictDelimiter(true);
  EXPECT_EQ(u8(list.CommaText()), "plain,with space,\"q\"\"uote\",");
  list.SetDelimitedText(u" a b;c");
  EXPECT_EQ(joined(list), " a b;c");
  list.SetDelimiter(u';');
  list.SetDelimitedText(u" a b;c;");
  EXPECT_EQ(joined(list), " a b|c|");
  list.Clear();
  list.Add(u"");
  EXPECT_EQ(u8(list.DelimitedText()), "\"\"");
}

TEST_F(StringListTest, UpdatesAndChangeEvents) {
  TStringList list;
  int changes = 0, changings = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.OnChanging = [&](TObject*) { ++changings; };
  list.Add(u"a");
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.Add(u"b");
  list.Add(u"c");
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(changings, 2);
  list.SetText(u"x\ny");  // one change for the whole text
  EXPECT_EQ(changes, 3);
}

TEST_F(StringListTest, AssignAndAddStrings) {
  TStringList source;
  TObject marker;
  source.SetDelimiter(u';');
  source.AddObject(u"b", &marker);
  source.Add(u"a");
  TStringList target;
  target.Add(u"old");
  target.Assign(source);
  EXPECT_EQ(joined(target), "b|a");
  EXPECT_EQ(target.GetObject(0), &marker);
  EXPECT_EQ(target.Delimiter(), u';');
  target.SetSorted(true);
  target.AddStrings(source);  // duplicates ignored
  EXPECT_EQ(joined(target), "a|b");
}

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string temp_path(const char* name) {
  return (::testing::TempDir() + "corvane_sl_") + name;
}

TEST_F(StringListTest, SaveWritesUtf16LeWithBomAndCrLf) {
  TStringList list;
  list.Add(u"A\u00e9");
  list.Add(u"z");
  std::string path = temp_path("save.txt");
  list.SaveToFile(u16(path));
  EXPECT_EQ(file_bytes(path), std::string("\xFF\xFE"
                                          "A\0\xE9\0\r\0\n\0"
                                          "z\0\r\0\n\0",
                                          16));
  TStringList back;
  back.LoadFromFile(u16(path));
  EXPECT_EQ(joined(back), "A\u00e9|z");
  // Saving again replaces the file but keeps its permission bits.
  ::chmod(path.c_str(), 0604);
  list.SaveToFile(u16(path));
  struct stat status;
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0604u);
  std::remove(path.c_str());
  EXPECT_THROW(list.SaveToFile(u"/nonexistent-folder-xyz/file.txt"), EFCreateError);
}

TEST_F(StringListTest, LoadDetectsByteOrderMarks) {
  struct Case {
    std::string bytes;
    std::string expected;
  } cases[] = {
      {std::string("\xEF\xBB\xBF"
                   "a\xC3\xA9\nb"),
       "a\u00e9|b"},
      {std::string("\xFF\xFE"
                   "a\0\xE9\0\n\0b\0",
                   10),
       "a\u00e9|b"},
      {std::string("\xFE\xFF\0a\0\xE9\0\n\0b", 10), "a\u00e9|b"},
      {std::string("\xFF\xFE"
                   "a\0b",
                   5),
       "a"},  // an odd last byte is dropped
      {std::string("\xFF\xFE", 2), ""},
      {std::string(""), ""},
  };
  TTextEncodingKind kinds[] = {enc_utf8,    enc_utf16le, enc_utf16be,
                               enc_utf16le, enc_utf16le, enc_ansi};
  int k = 0;
  for (const auto& c : cases) {
    TStringList list;
    TBytesStream stream(std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.end()));
    list.LoadFromStream(stream);
    EXPECT_EQ(joined(list), c.expected);
    EXPECT_EQ(list.Encoding(), kinds[k++]);
  }
}

TEST_F(StringListTest, LoadsWindows1252Bytes) {
  // The first and last of the 0x80-0x9F block, one of its gaps (kept as C1 controls),
  // and a Latin-1 letter.
  TBytesStream stream({0x80, 0x81, 0x9F, 0xE9});
  TStringList list;
  list.LoadFromStream(stream);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Get(0), u"\u20AC\u0081\u0178\u00E9");
}

TEST_F(StringListTest, LoadReadsFromThePosition) {
  TBytesStream stream({'s', 'k', 'i', 'p', 'x', '\n', 'y'});
  stream.SetPosition(4);
  TStringList list;
  list.LoadFromStream(stream);
  EXPECT_EQ(joined(list), "x|y");
}

}  // namespace
}  // namespace corvane
