// Custom sort orders: preparing a user's order, line keys and sorting by them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

std::vector<std::string> strings(const TStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(u8(list.Get(i)));
  return out;
}

// Traditional Spanish: ch after c, ll after l, ñ after n.
const std::u16string kSpanish = u"a,b,c,ch,d,e,f,g,h,i,j,k,l,ll,m,n,\u00f1,o,p,q,r,s,t,u,v,w,x,y,z";

TEST(CustomSort, CommaSeparatedPieces) {
  EXPECT_EQ(strings(*CommaSeparatedStrings(u"a, b ,c")), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(strings(*CommaSeparatedStrings(u"x")), (std::vector<std::string>{"x"}));
  EXPECT_EQ(CommaSeparatedStrings(u"")->Count(), 0);
  // Empty pieces between commas stay; the rest after the last comma is kept as it is.
  EXPECT_EQ(strings(*CommaSeparatedStrings(u"a,,b, ")),
            (std::vector<std::string>{"a", "", "b", " "}));
  EXPECT_EQ(strings(*CommaSeparatedStrings(u"a,")), (std::vector<std::string>{"a"}));
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  CommaSeparatedStrings(u"a,b,c");
  AYieldProcessProc = nullptr;
  EXPECT_EQ(yields, 3);
}

TEST(CustomSort, PreparedOrderIsLongestFirst) {
  const auto prepared = CustomSortPreparedStringlist(u"c,ch,h");
  EXPECT_EQ(strings(*prepared), (std::vector<std::string>{"ch", "c", "h"}));
  EXPECT_EQ(int_from_object(prepared->GetObject(0)), 1);
  EXPECT_EQ(int_from_object(prepared->GetObject(1)), 0);
  EXPECT_EQ(int_from_object(prepared->GetObject(2)), 2);
  EXPECT_EQ(NormalisedLineForCustomSort(u"chc", *prepared), u"AA@");
  // Empty pieces take no order number.
  const auto gaps = CustomSortPreparedStringlist(u"b,,a");
  EXPECT_EQ(strings(*gaps), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(int_from_object(gaps->GetObject(0)), 1);
}

TEST(CustomSort, KeysMatchGroupsBeforeTheirLetters) {
  const auto prepared = CustomSortPreparedStringlist(kSpanish);
  // a = 0 ("@"), i = 9, l = 12, ll = 13, m = 14, n = 15, ñ = 16, o = 17.
  EXPECT_EQ(NormalisedLineForCustomSort(u"llama", *prepared), u"MM@N@");
  EXPECT_EQ(NormalisedLineForCustomSort(u"ni\u00f1o", *prepared), u"OIPQ");
  // Characters outside the order keep their codes.
  EXPECT_EQ(NormalisedLineForCustomSort(u"Chile 2", *prepared), u"CHILE 2");
  EXPECT_EQ(NormalisedLineForCustomSort(u"", *prepared), u"");
  const auto none = CustomSortPreparedStringlist(u"");
  EXPECT_EQ(NormalisedLineForCustomSort(u"zebra", *none), u"zebra");
}

TEST(CustomSort, LinesInTheLanguagesOrder) {
  TStringList lines;
  for (auto w : {u"llave", u"luz", u"chico", u"cosa", u"dedo", u"nube", u"\u00f1and\u00fa", u"oso",
                 u"cuna", u"lomo"}) {
    lines.Add(w);
  }
  const auto prepared = CustomSortPreparedStringlist(kSpanish);
  const auto sorted = CustomLinesSorted(lines, *prepared);
  EXPECT_EQ(strings(*sorted), (std::vector<std::string>{"cosa", "cuna", "chico", "dedo", "lomo",
                                                        "luz", "llave", "nube", "ñandú", "oso"}));
  for (int i = 0; i < sorted->Count(); ++i) {
    EXPECT_EQ(lines.Get(int_from_object(sorted->GetObject(i))), sorted->Get(i));
  }
}

TEST(CustomSort, LinesWithoutOrderedLettersSortByCodeUnit) {
  TStringList lines;
  for (auto w : {u"ZZ", u"Ab", u"\u00e9t\u00e9", u"10", u"A"}) lines.Add(w);
  const auto sorted = CustomLinesSorted(lines, *CustomSortPreparedStringlist(u"x,y"));
  EXPECT_EQ(strings(*sorted), (std::vector<std::string>{"10", "A", "Ab", "ZZ", "été"}));
  EXPECT_EQ(CustomLinesSorted(TStringList(), *CustomSortPreparedStringlist(u"a"))->Count(), 0);
}

TEST(CustomSort, SortedLinesFollowTheKeysOfEachLine) {
  // Orders with repeated letters, overlapping groups and a U+0000 entry (which also
  // matches characters already matched): the sort's order is that of the keys.
  using namespace std::string_literals;
  TStringList lines;
  for (const std::u16string& w :
       {u"abba"s, u"baab"s, u"ab"s, u"ba"s, u"a\0b"s, u""s, u"bab"s, u"aab"s, u"b"s, u"zab"s}) {
    lines.Add(w);
  }
  for (const std::u16string& order :
       {std::u16string(u"a,b,a"), std::u16string(u"ab,ba,b,a"), std::u16string(u"b,ab,a,z"),
        u"\0,ab,b"s, std::u16string(u"aa,a,bb,b,ab")}) {
    const auto prepared = CustomSortPreparedStringlist(order);
    const auto sorted = CustomLinesSorted(lines, *prepared);
    ASSERT_EQ(sorted->Count(), lines.Count());
    for (int i = 1; i < sorted->Count(); ++i) {
      const std::u16string a = NormalisedLineForCustomSort(sorted->Get(i - 1), *prepared);
      const std::u16string b = NormalisedLineForCustomSort(sorted->Get(i), *prepared);
      EXPECT_LE(a.substr(0, a.find(u'\0')), b.substr(0, b.find(u'\0'))) << u8(order);
    }
  }
}

TEST(CustomSort, AnOrderTooLongForACodeUnitIsRefused) {
  std::u16string order;
  for (int i = 0; i <= CustomSortMaxOrderNumber; ++i) {
    order += u'a';
    order += IntToStr(i);  // distinct pieces
    order += u',';
  }
  // Exactly the largest order that fits: the last entry's key character is U+FFFF.
  const auto largest = CustomSortPreparedStringlist(order);
  EXPECT_EQ(NormalisedLineForCustomSort(u"a" + IntToStr(CustomSortMaxOrderNumber), *largest),
            std::u16string(1 + IntToStr(CustomSortMaxOrderNumber).size(), u'\xFFFF'));
  order += u"one more";
  EXPECT_THROW(CustomSortPreparedStringlist(order), Exception);
}

}  // namespace
}  // namespace corvane
