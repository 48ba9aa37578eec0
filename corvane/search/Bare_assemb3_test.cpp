#include "corvane/search/Bare_assemb3.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "corvane/search/Bare_assemb3_test_support.hpp"

namespace corvane {
namespace {

using testing_matcher::find_all;
using testing_matcher::Options;
using testing_matcher::parse_word;
using testing_matcher::positions;
using testing_matcher::TestBuffer;
using Positions = std::vector<std::int32_t>;

Positions hits_of(std::u16string_view text, std::u16string typed, Options o = {}) {
  return positions(find_all(TestBuffer(text), parse_word(std::move(typed), u"<>"), o));
}

TEST(NewFindWantedInBuffer, WholeWordsAndCase) {
  EXPECT_EQ(hits_of(u"The cat concat cats Cat CAT.", u"cat"), (Positions{4, 20, 24}));
  EXPECT_EQ(hits_of(u"The cat concat cats Cat CAT.", u"==Cat=="), (Positions{20}));
  EXPECT_EQ(hits_of(u"", u"cat"), Positions{});
}

TEST(NewFindWantedInBuffer, RightUnboundedHitIsExtendedToTheWordEnd) {
  const auto hits = find_all(TestBuffer(u"a category."), parse_word(u"cat*"));
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].pos, 2);
  EXPECT_EQ(hits[0].exact, 3);
  EXPECT_EQ(hits[0].extended, 8);
  // A combining mark (class 0x0200 exactly) is carried along too.
  const auto accent = find_all(TestBuffer(u"cafe\u0301 x"), parse_word(u"caf*"));
  ASSERT_EQ(accent.size(), 1u);
  EXPECT_EQ(accent[0].extended, 5);
  // Left-unbounded finds the word inside another.
  EXPECT_EQ(hits_of(u"concat cat", u"*cat"), (Positions{3, 7}));
}

TEST(NewFindWantedInBuffer, StarInsideAWord) {
  EXPECT_EQ(hits_of(u"abc abbc ac x", u"a*c"), (Positions{0, 4}));
  const auto hits = find_all(TestBuffer(u"x abbbc y"), parse_word(u"a*c"));
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].exact, 5);
  // The star stays inside the word.
  EXPECT_EQ(hits_of(u"ab c", u"a*c"), Positions{});
  // Before a space of the search text the star runs to the end of the word.
  EXPECT_EQ(hits_of(u"xa quick fox.", u"q* fox"), (Positions{3}));
  // ... and takes nothing when white space or punctuation follows at once.
  EXPECT_EQ(hits_of(u"q, fox.", u"q* fox"), (Positions{0}));
}

TEST(NewFindWantedInBuffer, HitAtTheBufferEndMustUseExactlyTheSearchLength) {
  EXPECT_EQ(hits_of(u"the abc", u"a*c"), (Positions{4}));
  EXPECT_EQ(hits_of(u"the abbc", u"a*c"), Positions{});
  EXPECT_EQ(hits_of(u"the abbc ", u"a*c"), (Positions{4}));
  EXPECT_EQ(hits_of(u"a", u"a"), (Positions{0}));
  EXPECT_EQ(hits_of(u"is a", u"a"), (Positions{3}));
  EXPECT_EQ(hits_of(u"is ca", u"a"), Positions{});
  EXPECT_EQ(hits_of(u"ca", u"cat"), Positions{});
}

TEST(NewFindWantedInBuffer, SearchSpaceMatchesWhitespaceAndPunctuation) {
  EXPECT_EQ(hits_of(u"in new-york today", u"new york"), (Positions{3}));
  EXPECT_EQ(hits_of(u"new   york.", u"new york"), (Positions{0}));
  EXPECT_EQ(hits_of(u"new\r\nyork.", u"new york"), (Positions{0}));
  EXPECT_EQ(hits_of(u"new -york", u"new york"), Positions{});
  Options punct;
  punct.punct_as_space = true;
  EXPECT_EQ(hits_of(u"new -york.", u"new york", punct), (Positions{0}));
  EXPECT_EQ(hits_of(u"new, - york.", u"new york", punct), (Positions{0}));
  const auto hits = find_all(TestBuffer(u"new   york."), parse_word(u"new york"));
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].exact, 10);  // the skipped spaces count
}

TEST(NewFindWantedInBuffer, OtherWildcards) {
  EXPECT_EQ(hits_of(u"hat hot h.t ht hoot", u"h?t"), (Positions{0, 4, 8}));
  EXPECT_EQ(hits_of(u"hat h1t h.t", u"h^t"), (Positions{0}));
  EXPECT_EQ(hits_of(u"in 1984 years, 7 years x years", u"# years"), (Positions{3, 15}));
  const auto num = find_all(TestBuffer(u"in 1984 years."), parse_word(u"# years"));
  ASSERT_EQ(num.size(), 1u);
  EXPECT_EQ(num[0].exact, 10);
  EXPECT_EQ(hits_of(u"big red dog, big dog, big bad red dog", u"big * dog"), (Positions{0}));
  // Control codes other than the wildcards match only themselves.
  EXPECT_EQ(hits_of(u"a}}} b", u"a}}}"), Positions{});
  EXPECT_EQ(hits_of(u"a\x15}} b", u"a}}}"), (Positions{0}));
}

TEST(NewFindWantedInBuffer, MarkupIsSkippedAndNeverStartsAHit) {
  // "\x19b\x18" is a tag; the "cat" inside a tag is not a hit.
  EXPECT_EQ(hits_of(u"\x19"
                    u"cat\x18 cat",
                    u"cat"),
            (Positions{6}));
  // A tag inside the word is passed over and counted in the length.
  const auto inside = find_all(TestBuffer(u"x c\x19"
                                          u"b\x18"
                                          u"at y"),
                               parse_word(u"cat"));
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(inside[0].pos, 2);
  EXPECT_EQ(inside[0].exact, 6);
  // A tag before a word is a word boundary.
  EXPECT_EQ(hits_of(u"\x19"
                    u"b\x18"
                    u"cat",
                    u"cat"),
            (Positions{3}));
  // A search that starts with a tag finds the tag.
  EXPECT_EQ(hits_of(u"x \x19"
                    u"b\x18"
                    u"cat",
                    u"<b>cat"),
            (Positions{2}));
}

TEST(NewFindWantedInBuffer, LeftBoundaryLooksBeforeTheScannedRange) {
  const TestBuffer b(u"concat cat");
  const auto rec = parse_word(u"cat");
  TSearchStatsRec stats;
  bool heading = false;
  std::uint16_t ext = 0, exact = 0;
  const char16_t* p = static_cast<const char16_t*>(NewFindWantedInBuffer(
      b.text.data() + 3, 7, b.details.data() + 3, b.details.data(), b.details.data() + 11,
      rec.copies[upper_copy], rec.copies[lower_copy], rec.copies[title_copy], 3, false, true, true,
      true, false, false, ext, exact, stats, heading, false, false, false, false));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p - b.text.data(), 7);
  // With the scan starting at the first class word there is nothing before it.
  p = static_cast<const char16_t*>(NewFindWantedInBuffer(
      b.text.data() + 3, 7, b.details.data() + 3, b.details.data() + 3, b.details.data() + 11,
      rec.copies[upper_copy], rec.copies[lower_copy], rec.copies[title_copy], 3, false, true, true,
      true, false, false, ext, exact, stats, heading, false, false, false, false));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p - b.text.data(), 3);
}

TEST(NewFindWantedInBuffer, ScanStopsAtTheEndOfTheClassWords) {
  const TestBuffer b(u"one cat");
  const auto rec = parse_word(u"cat");
  TSearchStatsRec stats;
  bool heading = false;
  std::uint16_t ext = 0, exact = 0;
  // Only "one c" is scanned: no hit.
  const void* p = NewFindWantedInBuffer(
      b.text.data(), 100, b.details.data(), b.details.data(), b.details.data() + 5,
      rec.copies[upper_copy], rec.copies[lower_copy], rec.copies[title_copy], 3, false, true, true,
      true, false, false, ext, exact, stats, heading, false, false, false, false);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(stats.number[stats_word], 1);
}

TEST(NewFindWantedInBuffer, EightBitBuffer) {
  const std::string text = "A Cat sat";
  std::vector<std::uint16_t> details(text.size() + 2, 0);
  for (std::size_t i = 0; i < text.size(); ++i)
    details[i] = char_type1(static_cast<unsigned char>(text[i]));
  const auto rec = parse_word(u"cat");
  TSearchStatsRec stats;
  bool heading = false;
  std::uint16_t ext = 0, exact = 0;
  const void* p = NewFindWantedInBuffer(
      text.data(), 9, details.data(), details.data(), details.data() + 10, rec.copies[upper_copy],
      rec.copies[lower_copy], rec.copies[title_copy], 3, false, true, true, false, false, false,
      ext, exact, stats, heading, false, false, false, false);
  EXPECT_EQ(p, text.data() + 2);
  EXPECT_EQ(exact, 3);
}

TEST(NewFindWantedInBuffer, CountsWordsAtEveryHit) {
  TSearchStatsRec last;
  const auto hits =
      find_all(TestBuffer(u"one cat two cat three"), parse_word(u"cat"), Options{}, &last);
  ASSERT_EQ(hits.size(), 2u);
  // Word starts are counted at the white space before a word: the first word has none.
  EXPECT_EQ(hits[0].stats.number[stats_word], 1);
  EXPECT_EQ(hits[1].stats.number[stats_word], 3);
  EXPECT_EQ(hits[1].stats.position[stats_sentence], 3);
  EXPECT_EQ(hits[1].stats.out_of[stats_sentence], 3);
  EXPECT_EQ(hits[1].stats.position[stats_heading], 0);  // not in a heading
  EXPECT_EQ(last.number[stats_word], 4);
  EXPECT_EQ(last.out_of[stats_paragraph], 4);
}

std::vector<std::pair<std::int32_t, std::int32_t>> sentence_calls;
void record_sentence(std::int32_t number, std::int32_t position) {
  sentence_calls.emplace_back(number, position);
}
std::vector<std::pair<std::int32_t, std::int32_t>> heading_calls;
void record_heading(std::int32_t number, std::int32_t position) {
  heading_calls.emplace_back(number, position);
}

class MarkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sentence_calls.clear();
    heading_calls.clear();
    HandleSentenceEndProc = record_sentence;
    HandleHeadingEndProc = record_heading;
  }
  void TearDown() override { Bare_assemb3_initialization(); }
};

// "|" stands where a marker goes: "|a cat sat.| |the cat ran.|"
TestBuffer sentences() {
  TestBuffer b(
      u"\x01"
      u"a cat sat.\x01 \x01the cat ran.\x01");
  b.marker(0, marker_sentence_start);
  b.marker(11, marker_sentence_end);
  b.marker(13, marker_sentence_start);
  b.marker(26, marker_sentence_end);
  return b;
}

TEST_F(MarkerTest, SentenceStartEndsTheSentenceWithoutEndMarkers) {
  TSearchStatsRec last;
  const auto hits = find_all(sentences(), parse_word(u"cat"), Options{}, &last);
  ASSERT_EQ(hits.size(), 2u);
  // Start and end markers both count as boundaries here.
  EXPECT_EQ(hits[0].stats.number[stats_sentence], 1);
  EXPECT_EQ(hits[0].stats.position[stats_sentence], 2);
  EXPECT_EQ(hits[1].stats.number[stats_sentence], 3);
  EXPECT_EQ(hits[1].stats.position[stats_sentence], 2);
  EXPECT_EQ(hits[1].stats.out_of[stats_sentence], 2);
  const std::vector<std::pair<std::int32_t, std::int32_t>> want = {{0, 0}, {1, 3}, {2, 1}, {3, 3}};
  EXPECT_EQ(sentence_calls, want);
  EXPECT_EQ(last.number[stats_sentence], 4);
}

TEST_F(MarkerTest, WithEndMarkersOnlyTheEndMarkerIsABoundary) {
  Options o;
  o.end_markers[stats_sentence] = true;
  TSearchStatsRec last;
  const auto hits = find_all(sentences(), parse_word(u"cat"), o, &last);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].stats.number[stats_sentence], 0);
  EXPECT_EQ(hits[1].stats.number[stats_sentence], 1);
  EXPECT_EQ(hits[1].stats.position[stats_sentence], 2);
  const std::vector<std::pair<std::int32_t, std::int32_t>> want = {{0, 2}, {1, 3}};
  EXPECT_EQ(sentence_calls, want);
  EXPECT_EQ(last.number[stats_sentence], 2);
}

TEST_F(MarkerTest, HeadingsCountWordsOnlyInsideTheHeading) {
  TestBuffer b(u"x \x01 big cat\x01 cat");
  b.marker(2, marker_heading_start);
  b.marker(11, marker_heading_end);
  Options o;
  o.end_markers[stats_heading] = true;
  const auto hits = find_all(b, parse_word(u"cat"), o);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_TRUE(hits[0].in_heading);
  EXPECT_EQ(hits[0].stats.position[stats_heading], 2);
  EXPECT_FALSE(hits[1].in_heading);
  EXPECT_EQ(hits[1].stats.number[stats_heading], 1);
  EXPECT_EQ(hits[1].stats.position[stats_heading], 1);
  EXPECT_EQ(heading_calls, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 2}}));
  // Without heading-end markers a heading start is a boundary at once, and leaves it.
  const auto no_end = find_all(b, parse_word(u"cat"));
  ASSERT_EQ(no_end.size(), 2u);
  EXPECT_FALSE(no_end[0].in_heading);
  EXPECT_EQ(no_end[0].stats.number[stats_heading], 1);
}

TEST(NewFindWantedInBuffer, NumberWildcardRefusesTheMarkerWord) {
  TestBuffer b(u" 5 years");
  b.details[1] = 0x880F;
  EXPECT_TRUE(find_all(b, parse_word(u"# years")).empty());
}

TEST(NewFindWantedInBuffer, ArgumentRecordGivesTheSameHit) {
  const TestBuffer b(u"one cat");
  const auto rec = parse_word(u"cat");
  TFindWantedArgs a;
  a.buffer = b.text.data();
  a.count = b.size();
  a.details_at = a.details_first = b.details.data();
  a.details_end = b.details.data() + b.size() + 1;
  a.upper = rec.copies[upper_copy];
  a.lower = rec.copies[lower_copy];
  a.title = rec.copies[title_copy];
  a.sw_len = 3;
  TSearchStatsRec stats;
  bool heading = false;
  std::uint16_t ext = 0, exact = 0;
  EXPECT_EQ(NewFindWantedInBuffer(a, ext, exact, stats, heading), b.text.data() + 4);
  a.sw_len = 0;
  EXPECT_EQ(NewFindWantedInBuffer(a, ext, exact, stats, heading), nullptr);
}

TEST(HandleMiddleChars, JoinsContractionsCompoundsAndNumbers) {
  TestBuffer b(
      u"don't well-known 3-4 -x 'y a'\x19"
      u"b\x18"
      u"c");
  HandleMiddleChars(b.text.data(), b.details.data(), u"'-", 2, b.size(), true, false, false);
  EXPECT_EQ(b.details[3], 0x0302);   // don't
  EXPECT_EQ(b.details[10], 0x0302);  // well-known
  EXPECT_EQ(b.details[18], 0x0204);  // 3-4
  EXPECT_NE(b.details[21], 0x0302);  // -x: nothing before
  EXPECT_NE(b.details[24], 0x0302);  // 'y
  EXPECT_EQ(b.details[28], 0x0302);  // a'<b>c: the tag is looked through
  // Only the first n allowables count, and the no-check flags lift the checks.
  TestBuffer c(u"-x y-");
  HandleMiddleChars(c.text.data(), c.details.data(), u"'-", 1, c.size(), true, false, false);
  EXPECT_NE(c.details[0], 0x0302);
  HandleMiddleChars(c.text.data(), c.details.data(), u"-", 1, c.size(), true, false, true);
  EXPECT_EQ(c.details[0], 0x0302);
  EXPECT_NE(c.details[4], 0x0302);
  HandleMiddleChars(c.text.data(), c.details.data(), u"-", 1, c.size(), true, true, false);
  EXPECT_EQ(c.details[4], 0x0302);
}

TEST(HandleMiddleChars, MarkerNeighbourAndMarkupCharactersStayAsTheyAre) {
  TestBuffer b(u"a'\x01 \x19'\x18");
  b.marker(2, marker_sentence_end);
  const std::uint16_t before = b.details[1];
  HandleMiddleChars(b.text.data(), b.details.data(), u"'", 1, b.size(), true, false, false);
  EXPECT_EQ(b.details[1], before);
  EXPECT_TRUE(b.details[5] & kMarkupBit);
  // A word scans whole afterwards.
  TestBuffer d(u"x don't y");
  HandleMiddleChars(d.text.data(), d.details.data(), u"'", 1, d.size(), true, false, false);
  const auto hits = find_all(d, parse_word(u"don*"));
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].extended, 5);
}

TEST(HandleMiddleCharsInNumbers, MarksSeparatorsBetweenDigits) {
  TestBuffer b(u"3.5 1,000 2 3 4\u00B75 a.b 7.");
  HandleMiddleCharsInNumbers(true, false, b.text.data(), b.details.data(), b.size());
  EXPECT_EQ(b.details[1], 0x0204);
  EXPECT_EQ(b.details[5], 0x0204);
  EXPECT_NE(b.details[11], 0x0204);
  EXPECT_EQ(b.details[15], 0x0204);
  EXPECT_NE(b.details[19], 0x0204);
  EXPECT_NE(b.details[23], 0x0204);
  HandleMiddleCharsInNumbers(true, true, b.text.data(), b.details.data(), b.size());
  EXPECT_EQ(b.details[11], 0x0204);
}

TEST(BufferUtilities, RemoveReplaceAndScan) {
  char16_t w[] = u"a-b--c-";
  EXPECT_EQ(RemoveCharW(w, u'-', 7), 3);
  EXPECT_EQ(std::u16string(w), u"abc");
  char16_t untouched[] = u"xy";
  EXPECT_EQ(RemoveCharW(untouched, u'-', 0), 0);
  EXPECT_EQ(untouched[0], u'x');
  char a[] = "--q-r";
  EXPECT_EQ(RemoveCharA(a, '-', 4), 1);  // only the first four characters are looked at
  EXPECT_EQ(std::string(a), "q");
  const std::int32_t v[] = {5, 7, 7, 9};
  EXPECT_EQ(ScanForInt(7, v, 4), 2);
  EXPECT_EQ(ScanForInt(9, v, 3), 9);  // not among the first three: the value itself
  EXPECT_EQ(ScanForInt(42, v, 0), 42);
}

}  // namespace
}  // namespace corvane
