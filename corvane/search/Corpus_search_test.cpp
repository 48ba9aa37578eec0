// The searcher's pieces and ranges must be invisible: a text searched in small pieces, or
// cut into byte ranges, gives exactly the hits and counts of the text searched whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Search_parsing.hpp"
#include "tools/corvane/Concord_internal.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

// Lines of sentences with blank lines, indentation, apostrophes, hyphens, punctuation,
// accented and Cyrillic letters, in UTF-8 with LF or CR LF line ends.
std::string sample_text(unsigned seed, bool crlf) {
  const char* const words[] = {
      "the", "cat", "sat", "on", "mat", "dog's", "well-known", "café", "снег", "The", "Cat",
      "caterpillar", "o'clock", "-", "a", "x-ray", "CAT", "cats",
      // no-break, next-line, ideographic and line-separator blanks
      "cat\u00A0the", "\u0085the", "\u3000cat", "the\u2028", "\U0001F600cat", "\x7F", "\t\x0B"};
  const char* const ends[] = {".", "?", "!", ",", ";", "", "", ".\"", ")."};
  std::mt19937 g(seed);
  std::string text;
  for (int line = 0; line < 1500; ++line) {
    const unsigned kind = g() % 10;
    if (kind == 0) {
      text += crlf ? "\r\n" : "\n";
      continue;
    }
    if (kind == 1) text += "   ";
    const int n = 1 + static_cast<int>(g() % 25);
    for (int w = 0; w < n; ++w) {
      if (w > 0) text += g() % 7 == 0 ? "  " : " ";
      text += words[g() % std::size(words)];
      text += ends[g() % std::size(ends)];
    }
    if (g() % 5 == 0) text += " ";
    text += crlf ? "\r\n" : "\n";
  }
  return text;
}

TSearch_word_format_rec word(const std::u16string& typed) {
  std::u16string s = typed;
  TSearch_word_format_rec rec;
  Parsed_SearchWord(TIgnore_tag_type{}, s, rec);
  return rec;
}

struct Outcome {
  std::vector<Hit> hits;
  std::int64_t hit_count, words;
  std::u16string text;
};

Outcome search(const std::string& path, SearchPlan plan, unsigned threads) {
  std::vector<FileResult> results(1);
  results[0].path = path;
  std::ostringstream err;
  progress_meter progress(1, threads, false, err);
  search_texts(results, plan, threads, progress);
  EXPECT_EQ(results[0].error, "");
  return {results[0].hits, results[0].hit_count, results[0].words, results[0].text};
}

void expect_same(const Outcome& a, const Outcome& b, const std::string& what) {
  EXPECT_EQ(a.hit_count, b.hit_count) << what;
  EXPECT_EQ(a.words, b.words) << what;
  EXPECT_TRUE(a.text == b.text) << what;
  ASSERT_EQ(a.hits.size(), b.hits.size()) << what;
  for (std::size_t i = 0; i < a.hits.size(); ++i) {
    const Hit& x = a.hits[i];
    const Hit& y = b.hits[i];
    ASSERT_EQ(x.position, y.position) << what << " hit " << i;
    EXPECT_EQ(x.length, y.length) << what << " hit " << i;
    EXPECT_EQ(x.search_number, y.search_number) << what << " hit " << i;
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(x.counts.number[k], y.counts.number[k]) << what << " hit " << i << " kind " << k;
      EXPECT_EQ(x.counts.position[k], y.counts.position[k])
          << what << " hit " << i << " kind " << k;
    }
  }
}

class ConcordPiecesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("corvane-pieces-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    return (dir / name).string();
  }
  fs::path dir;
};

TEST_F(ConcordPiecesTest, PiecesAndRangesGiveTheWholeTextsResults) {
  const std::string files[] = {write("lf.txt", sample_text(1, false)),
                               write("crlf.txt", sample_text(2, true)),
                               write("open.txt", sample_text(3, false) + "last cat")};
  for (const std::string& file : files) {
    for (const bool markers : {false, true}) {
      SearchPlan plan;
      plan.words = {word(u"cat"), word(u"the"), word(u"caf*"), word(u"dog's"), word(u"снег")};
      plan.allow = u"'-";
      plan.lcid = 0x0409;
      plan.keep_text = true;
      plan.markers = markers;
      plan.piece = std::size_t{1} << 30;
      plan.range = std::size_t{1} << 30;
      const Outcome whole = search(file, plan, 1);
      ASSERT_GT(whole.hits.size(), 1000u);
      const std::string what = file + (markers ? " with markers" : "");
      plan.piece = 64;
      expect_same(search(file, plan, 1), whole, what + " in pieces");
      plan.range = 4096;
      expect_same(search(file, plan, 3), whole, what + " in ranges");
      // Counting only gives the same totals.
      plan.count_only = true;
      plan.keep_text = false;
      const Outcome counted = search(file, plan, 2);
      EXPECT_EQ(counted.hit_count, whole.hit_count) << what;
      EXPECT_EQ(counted.words, whole.words) << what;
      // At most N hits per word and file: the first N of each word, whatever the cuts.
      plan.max_per_word = 7;
      EXPECT_EQ(search(file, plan, 2).hit_count, 5 * 7) << what;
      plan.count_only = false;
      plan.keep_text = true;
      const Outcome first7 = search(file, plan, 2);
      ASSERT_EQ(first7.hits.size(), 35u);
      std::vector<Hit> want;
      std::vector<int> seen(5, 0);
      for (const Hit& h : whole.hits)
        if (seen[static_cast<std::size_t>(h.search_number)]++ < 7) want.push_back(h);
      for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(first7.hits[i].position, want[i].position) << what;
    }
  }
}

// Counting plain ASCII words scans the raw bytes and searches only the lines that may hold
// a hit; the counts must be those of the full search, in UTF-8 and 8-bit texts.
TEST_F(ConcordPiecesTest, CountingOnTheBytesGivesTheFullSearchsCounts) {
  std::string eight_bit = sample_text(5, true);
  for (char& c : eight_bit)
    if (static_cast<unsigned char>(c) >= 0x80) c = '\xA0';  // windows-1252 no-break space
  const std::string files[] = {write("lf.txt", sample_text(1, false)),
                               write("crlf.txt", sample_text(2, true) + "cat"),
                               write("w1252.txt", eight_bit + "\x81\x8D cat \xE9the")};
  const std::vector<std::u16string> searches[] = {
      {u"cat", u"the"}, {u"dog's", u"o'clock", u"x-ray"}, {u"==CAT==", u"cats"}, {u"zebra"}};
  for (const std::string& file : files) {
    for (const auto& typed : searches) {
      for (const bool allow : {true, false}) {
        SearchPlan plan;
        for (const std::u16string& t : typed) plan.words.push_back(word(t));
        plan.allow = allow ? u"'-" : u"";
        plan.lcid = 0x0409;
        const Outcome full = search(file, plan, 1);
        plan.count_only = true;
        plan.range = 4096;
        for (unsigned threads : {1u, 3u}) {
          const Outcome counted = search(file, plan, threads);
          EXPECT_EQ(counted.hit_count, full.hit_count) << file << " " << u8(typed[0]);
          EXPECT_EQ(counted.words, full.words)
              << file << " " << u8(typed[0]) << " allow " << allow << " threads " << threads;
        }
      }
    }
  }
}

TEST(ConcordBytes, WordStartsAsTheMatcherCountsThem) {
  auto count = [](const std::string& s, bool first) {
    return count_word_starts(reinterpret_cast<const unsigned char*>(s.data()), 0, s.size(), nullptr,
                             first);
  };
  EXPECT_EQ(count("", true), 0);
  EXPECT_EQ(count("one two  three\n", true), 4);  // three words and the spare after the end
  EXPECT_EQ(count("one two", false), 2);          // a later part's first word is counted before it
  EXPECT_EQ(count("a\u00A0b\u3000c\u0085d", true), 5);
  EXPECT_EQ(count(std::string(40, 'x') + " " + std::string(40, 'y') + "\n", true), 3);
  // The bytes after the range are not looked at, however the vector loop ends.
  const std::string two = std::string(15, 'a') + "\n" + "b";
  EXPECT_EQ(
      count_word_starts(reinterpret_cast<const unsigned char*>(two.data()), 0, 16, nullptr, true),
      2);
}

// A search word with a space may match across any cut, so its texts are searched whole.
TEST_F(ConcordPiecesTest, PhrasesAcrossLineBreaksAreFound) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "an old cat sat on\nthe mat and on the\nmat again.\n";
  const std::string file = write("phrase.txt", text);
  SearchPlan plan;
  plan.words = {word(u"on the")};
  plan.lcid = 0x0409;
  plan.piece = 64;
  plan.range = 4096;
  EXPECT_EQ(search(file, plan, 2).hit_count, 800);
}

// Sentence and paragraph numbers, and word positions within them, start at 1.
TEST_F(ConcordPiecesTest, MarkersNumberSentencesAndParagraphs) {
  const std::string file =
      write("s.txt", "First one. Second one? \"Third,\" he said.\n\n  Para two here. And more!\n");
  SearchPlan plan;
  plan.words = {word(u"first"), word(u"third"), word(u"said"), word(u"para"), word(u"more")};
  plan.lcid = 0x0409;
  plan.markers = true;
  const Outcome o = search(file, plan, 1);
  ASSERT_EQ(o.hits.size(), 5u);
  // word, sentence, word in sentence (as printed: position less one), paragraph
  const int want[5][4] = {{1, 1, 1, 1}, {5, 3, 1, 1}, {7, 3, 3, 1}, {8, 4, 1, 2}, {12, 5, 2, 2}};
  for (int i = 0; i < 5; ++i) {
    const TSearchStatsRec& c = o.hits[static_cast<std::size_t>(i)].counts;
    EXPECT_EQ(c.number[stats_word], want[i][0]) << i;
    EXPECT_EQ(c.number[stats_sentence], want[i][1]) << i;
    EXPECT_EQ(c.position[stats_sentence] - 1, want[i][2]) << i;
    EXPECT_EQ(c.number[stats_paragraph], want[i][3]) << i;
  }
  EXPECT_EQ(o.words, 12);
}

TEST(ConcordRanges, CutsFallOnLineBoundaries) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += i % 9 == 0 ? "\n" : "word. next\n";
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  for (const bool markers : {false, true}) {
    const std::vector<std::size_t> cuts = range_cuts(p, text.size(), 4096, markers);
    ASSERT_GT(cuts.size(), 3u);
    EXPECT_EQ(cuts.front(), 0u);
    EXPECT_EQ(cuts.back(), text.size());
    for (std::size_t k = 1; k + 1 < cuts.size(); ++k) {
      const std::size_t c = cuts[k];
      if (markers)
        EXPECT_TRUE(text[c] == '\n' && text[c - 1] == 't') << c;
      else
        EXPECT_TRUE(text[c - 1] == '\n' && text[c] == 'w') << c;
    }
  }
  // No place to cut: one range.
  const std::string flat(20000, 'x');
  EXPECT_EQ(
      range_cuts(reinterpret_cast<const unsigned char*>(flat.data()), flat.size(), 4096, false),
      (std::vector<std::size_t>{0, flat.size()}));
}

TEST(ConcordProgress, LineShowsTextsAndSpeed) {
  EXPECT_EQ(progress_meter::line(12, 345, 81.25e6, 1.0),
            "corvane concord: 12/345 texts, 81.2 MB/s");
  EXPECT_EQ(progress_meter::line(0, 1, 0, 0), "corvane concord: 0/1 texts, 0.0 MB/s");
}

}  // namespace
}  // namespace corvane::cli
