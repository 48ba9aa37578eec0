#include "corvane/search/Concordance_sort.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <tuple>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

constexpr std::uint32_t kEnglish = 0x0409;
constexpr std::uint32_t kSwedish = 0x041D;

std::vector<ConcordSortKey> keys_of(const std::string& text) {
  std::vector<ConcordSortKey> keys;
  std::string error;
  EXPECT_TRUE(parse_sort_keys(text, keys, error)) << error;
  return keys;
}

// ---- Parsing

TEST(ConcordSortKeys, AcceptsCommasSpacesAnyCaseAndADefaultSign) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"R1+,N+,F-", "R1+,N+,F-"}, {"l2 r1", "L2+,R1+"}, {" ,n-, ,\tf ", "N-,F+"}, {"r5-", "R5-"},
      {"L1, R1,", "L1+,R1+"},
  };
  for (const auto& [typed, canonical] : cases) {
    std::vector<ConcordSortKey> keys;
    std::string error = "stale";
    ASSERT_TRUE(parse_sort_keys(typed, keys, error)) << typed << ": " << error;
    EXPECT_EQ(sort_keys_text(keys), canonical) << typed;
    EXPECT_EQ(error, "");
  }
}

TEST(ConcordSortKeys, RejectsBadTextWithAMessageNamingTheProblem) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "no sort key"},
      {" , ", "no sort key"},
      {"X+", "unknown sort key \"X+\""},
      {"N1", "unknown sort key \"N1\""},
      {"N+-", "unknown sort key \"N+-\""},
      {"R1;N", "unknown sort key \"R1;N\""},
      {"L6", "\"L6\" is out of range"},
      {"R0-", "\"R0-\" is out of range"},
      {"R99999999999999999999", "is out of range"},
      {"L", "\"L\" needs a word position: L1 to L5"},
      {"r-", "\"r-\" needs a word position: R1 to R5"},
      {"R1,F,r1-", "sort key \"R1\" is given twice"},
      {"N,F,L1,R1", "at most three sort keys"},
  };
  for (const auto& [typed, message] : cases) {
    std::vector<ConcordSortKey> keys = {{'N', 0, true}};
    std::string error;
    EXPECT_FALSE(parse_sort_keys(typed, keys, error)) << typed;
    EXPECT_NE(error.find(message), std::string::npos) << typed << ": " << error;
    EXPECT_TRUE(keys.empty()) << typed;
  }
}

// ---- Context words

// A hit on the first occurrence of `what` in `text`.
SortableHit hit_on(const std::u16string& text, std::u16string_view what,
                   const std::string* path = nullptr) {
  const std::size_t at = text.find(what);
  EXPECT_NE(at, std::u16string::npos);
  return {text, path, static_cast<std::int32_t>(at), static_cast<std::int32_t>(what.size())};
}

std::string word(const SortableHit& hit, const std::string& key,
                 std::u16string_view allowed = kDefaultAllowedInWords) {
  return u8(sort_key_text(hit, keys_of(key)[0], allowed));
}

TEST(ConcordSortWords, CountOutwardsFromTheHitAndAreEmptyPastTheText) {
  const std::u16string text = u"  The old cat's 2 whiskers -- twitched, well-known; sat.";
  const SortableHit hit = hit_on(text, u"whiskers");
  const std::pair<const char*, const char*> words[] = {
      {"N", "whiskers"},  {"L1", "2"},          {"L2", "cat's"}, {"L4", "The"}, {"L5", ""},
      {"R1", "twitched"}, {"R2", "well-known"}, {"R3", "sat"},   {"R4", ""},    {"F", ""}};
  for (const auto& [key, want] : words) EXPECT_EQ(word(hit, key), want) << key;
  // Without word-internal characters the apostrophe and hyphen split words.
  EXPECT_EQ(word(hit, "L2", u""), "s");
  EXPECT_EQ(word(hit, "R2", u""), "well");
  EXPECT_EQ(word(hit, "R3", u"-"), "sat");
  EXPECT_EQ(word(hit_on(text, u"The"), "L1"), "");
  EXPECT_EQ(word(hit_on(text, u"sat"), "R1"), "");
}

TEST(ConcordSortWords, EdgeCharactersAndWordsAcrossTheHitEdges) {
  // A word-internal character at a word's edge is no part of it.
  const std::u16string quotes = u"'tis the dogs' -bone- x";
  const SortableHit the = hit_on(quotes, u"the");
  EXPECT_EQ(word(the, "L1"), "tis");
  EXPECT_EQ(word(the, "R1"), "dogs");
  EXPECT_EQ(word(the, "R2"), "bone");
  // A hit inside a word: the word round it is no context word.
  const std::u16string inside = u"one running two";
  const SortableHit nn = hit_on(inside, u"nn");
  EXPECT_EQ(word(nn, "L1"), "one");
  EXPECT_EQ(word(nn, "R1"), "two");
  // A hit exactly on a word: its neighbours are the context.
  const SortableHit running = hit_on(inside, u"running");
  EXPECT_EQ(word(running, "L1"), "one");
  EXPECT_EQ(word(running, "R1"), "two");
  // Positions outside the text are clamped to it.
  EXPECT_EQ(word({inside, nullptr, -7, 2}, "R1"), "one");
  EXPECT_EQ(word({inside, nullptr, 100, 5}, "L1"), "two");
  EXPECT_EQ(word({inside, nullptr, 100, 5}, "N"), "");
  EXPECT_EQ(word({inside, nullptr, 4, -3}, "N"), "");
  EXPECT_EQ(word({u"", nullptr, 0, 0}, "R1"), "");
}

TEST(ConcordSortWords, MarksSurrogatePairsAndJoinersStayInTheirWords) {
  // Decomposed "café" keeps its accent; a mark after a space starts no word.
  const std::u16string marks = u"a cafe\u0301 \u0301 hit";
  EXPECT_EQ(sort_key_text(hit_on(marks, u"hit"), keys_of("L1")[0], u""), u"cafe\u0301");
  EXPECT_EQ(sort_key_text(hit_on(marks, u"hit"), keys_of("L2")[0], u""), u"a");
  // A letter outside the basic plane (U+10400, Deseret) is a letter; an emoji is not.
  const std::u16string deseret = u"x \U00010400y \U0001F600 hit";
  EXPECT_EQ(sort_key_text(hit_on(deseret, u"hit"), keys_of("L1")[0], u""), u"\U00010400y");
  // The zero-width non-joiner inside a Persian word.
  const std::u16string persian = u"\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645 hit";
  EXPECT_EQ(sort_key_text(hit_on(persian, u"hit"), keys_of("L1")[0], u""), persian.substr(0, 8));
}

// ---- The sort

// Hits in texts of their own, each hit on the word between markers: "left [hit] right".
struct Corpus {
  std::vector<std::u16string> texts;
  std::vector<std::string> paths;
  std::vector<SortableHit> hits;

  explicit Corpus(std::vector<std::string> lines, std::vector<std::string> files = {}) {
    texts.reserve(lines.size());
    paths = std::move(files);
    paths.resize(lines.size());
    for (const std::string& line : lines) {
      std::string plain = line;
      const std::size_t open = plain.find('[');
      const std::size_t close = plain.find(']');
      plain.erase(close, 1);
      plain.erase(open, 1);
      texts.push_back(u16(plain));
      const std::int32_t at = static_cast<std::int32_t>(u16(plain.substr(0, open)).size());
      const std::int32_t length =
          static_cast<std::int32_t>(u16(line.substr(open + 1, close - open - 1)).size());
      hits.push_back({texts.back(), &paths[hits.size()], at, length});
    }
  }
  std::vector<std::size_t> order(const std::string& keys, std::uint32_t lcid = kEnglish) const {
    return sorted_hit_order(hits, keys_of(keys), lcid, kDefaultAllowedInWords);
  }
};

using Order = std::vector<std::size_t>;

TEST(ConcordSortOrder, EachKeyKindAscendingAndDescending) {
  const Corpus c({"x zed [cherry] one", "y Apple [apple] two", "z banana [Banana] three",
                  "w apple [date] four"},
                 {"b.txt", "Z.txt", "\xC3\xA9.txt", "a/b.txt"});
  // Case does not count; equal texts keep their input order.
  EXPECT_EQ(c.order("N+"), (Order{1, 2, 0, 3}));
  EXPECT_EQ(c.order("N-"), (Order{3, 0, 2, 1}));
  EXPECT_EQ(c.order("L1+"), (Order{1, 3, 2, 0}));
  EXPECT_EQ(c.order("L2+"), (Order{3, 0, 1, 2}));
  EXPECT_EQ(c.order("R1"), (Order{3, 0, 2, 1}));
  EXPECT_EQ(c.order("R1-"), (Order{1, 2, 0, 3}));
  // File names by code point: "Z" before "a" before "b" before "é".
  EXPECT_EQ(c.order("F+"), (Order{1, 3, 0, 2}));
  EXPECT_EQ(c.order("F-"), (Order{2, 0, 3, 1}));
}

TEST(ConcordSortOrder, LongKeysDifferingLateAndKeysThatBeginOthers) {
  const Corpus c({"[internationalize]", "[internationalise]", "[international]", "[intern]",
                  "[internationalised]"},
                 {"texts/chapter-10.txt", "texts/chapter-02.txt", "texts/chapter-02.txt.bak",
                  "texts/chapter", "texts/chapter-1.txt"});
  EXPECT_EQ(c.order("N"), (Order{3, 2, 1, 4, 0}));
  EXPECT_EQ(c.order("F"), (Order{3, 1, 2, 4, 0}));
}

TEST(ConcordSortOrder, MissingWordsComeFirstAscendingAndLastDescending) {
  const Corpus c({"b [x]", "[x] a", "a [x] b", "[x]"});
  EXPECT_EQ(c.order("L1+"), (Order{1, 3, 2, 0}));
  EXPECT_EQ(c.order("L1-"), (Order{0, 2, 1, 3}));
  EXPECT_EQ(c.order("R1+"), (Order{0, 3, 1, 2}));
  EXPECT_EQ(c.order("R1-"), (Order{2, 1, 0, 3}));
}

TEST(ConcordSortOrder, CollationOfTheLocaleWithAccentsButNotCase) {
  const Corpus c({"[zebra]", "[\xC3\xB6l]", "[Cote]", "[c\xC3\xB4te]", "[cote]", "[oz]"});
  // English: "ö" sorts with "o"; Swedish: after "z". Accents count, case does not.
  EXPECT_EQ(c.order("N+", kEnglish), (Order{2, 4, 3, 1, 5, 0}));
  EXPECT_EQ(c.order("N+", kSwedish), (Order{2, 4, 3, 5, 0, 1}));
  EXPECT_EQ(c.order("N-", kSwedish), (Order{1, 0, 5, 3, 2, 4}));
}

TEST(ConcordSortOrder, ThreeLevelsWithTiesKeepInputOrderWhereAllKeysTie) {
  // R1 ties split by L1 (descending), then by the hit; the rest keep their input order.
  const Corpus c({"b [q] a", "a [p] b", "b [p] a", "a [q] b", "b [p] a", "c [p] a", "b [p] a"});
  EXPECT_EQ(c.order("R1+,L1-,N+"), (Order{5, 2, 4, 6, 0, 1, 3}));
  EXPECT_EQ(c.order("R1-,L1+,N-"), (Order{3, 1, 0, 2, 4, 6, 5}));
  // Two levels: the second is the last and breaks its ties by input order too.
  EXPECT_EQ(c.order("N-,L1"), (Order{3, 0, 1, 2, 4, 6, 5}));
  // Runs equal on the second key but not the first are not merged by the third level.
  const Corpus d({"b [x] z", "a [y] z", "a [w] y", "b [v] z"});
  EXPECT_EQ(d.order("L1,R1,N"), (Order{2, 1, 3, 0}));
}

TEST(ConcordSortOrder, NoKeysOrAllEqualKeysGiveTheInputOrder) {
  const Corpus c({"[A]", "[a]", "[a]", "[A]", "[a]"});
  EXPECT_EQ(c.order("N+"), (Order{0, 1, 2, 3, 4}));
  EXPECT_EQ(c.order("N-"), (Order{0, 1, 2, 3, 4}));
  EXPECT_EQ(sorted_hit_order(c.hits, {}, kEnglish, u""), (Order{0, 1, 2, 3, 4}));
  EXPECT_EQ(sorted_hit_order({}, keys_of("N"), kEnglish, u""), Order{});
}

TEST(ConcordSortOrder, KeysThatParsingWouldRejectThrow) {
  const Corpus c({"[a]", "[b]"});
  const std::vector<std::vector<ConcordSortKey>> bad = {
      {{'X', 0, true}},
      {{'L', 6, true}},
      {{'R', 0, true}},
      {{'N', 0, true}, {'F', 0, true}, {'L', 1, true}, {'R', 1, true}},
  };
  for (const auto& keys : bad) {
    EXPECT_THROW(sorted_hit_order(c.hits, keys, kEnglish, u""), std::invalid_argument);
  }
}

// Many hits on a few words in random directions, against a stable sort on tuples. The
// words are lower-case ASCII, whose collation order is their byte order.
TEST(ConcordSortOrder, AgreesWithAStableSortOnRandomKeysAndDirections) {
  std::mt19937 rng(7);
  const std::vector<std::string> words = {"ab", "b", "ba", "c", "abc"};
  const std::vector<std::string> files = {"one", "two", "three"};
  std::vector<std::string> lines, paths;
  for (int i = 0; i < 3000; ++i) {
    lines.push_back(words[rng() % 5] + " [" + words[rng() % 5] + "] " + words[rng() % 5]);
    paths.push_back(files[rng() % 3]);
  }
  const Corpus c(lines, paths);
  const std::vector<std::string> key_sets = {"L1-,R1+,N-", "N+,F-,R1-", "F+,L1+", "R1-",
                                             "N-,L1-,R1-"};
  for (const std::string& key_set : key_sets) {
    const std::vector<ConcordSortKey> keys = keys_of(key_set);
    auto key_text = [&](std::size_t i, const ConcordSortKey& k) {
      return k.kind == 'F' ? paths[i] : u8(sort_key_text(c.hits[i], k, u""));
    };
    Order expected(lines.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
      for (const ConcordSortKey& k : keys) {
        const std::string ka = key_text(a, k), kb = key_text(b, k);
        if (ka != kb) return k.ascending ? ka < kb : kb < ka;
      }
      return false;
    });
    EXPECT_EQ(c.order(key_set), expected) << key_set;
  }
}

}  // namespace
}  // namespace corvane
