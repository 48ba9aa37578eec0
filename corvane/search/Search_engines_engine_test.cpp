#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/search/Bare_assemb3_test_support.hpp"
#include "corvane/search/Search_engines.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {
namespace {

using testing_matcher::parse_word;
using Positions = std::vector<std::int32_t>;

constexpr std::uint32_t kEnglishUS = 0x0409;

// An engine over a UTF-16 text, with the hits it reports and the counts of its last search.
struct EngineRun {
  std::u16string text;
  TSearchAndDoEngine engine{true, true, kEnglishUS, nullptr};
  std::vector<TSearchFound_Rec> hits;
  std::vector<TSearchStatsRec> word_counts;
  // Decides each hit; accepts all by default.
  std::function<bool(TSearchAndDoEngine&, const TSearchFound_Rec&)> decide;

  explicit EngineRun(std::u16string t, std::int32_t file_size = 1000, std::uint32_t byte_pos = 0)
      : text(std::move(t)) {
    engine.PrepareFirst(text.c_str(), file_size, byte_pos, found_event(), count_event());
  }
  TSearchFoundEvent found_event() {
    return [this](TObject* sender, const TSearchFound_Rec& hit) {
      EXPECT_EQ(sender, &engine);
      hits.push_back(hit);
      return decide ? decide(engine, hit) : true;
    };
  }
  TWordCountEvent count_event() {
    return [this](TObject*, const TSearchStatsRec& counts) { word_counts.push_back(counts); };
  }
  Positions search(TSearch_word_format_rec rec) {
    hits.clear();
    EXPECT_TRUE(engine.SearchAndDo(&rec));
    Positions out;
    for (const auto& h : hits) out.push_back(h.hit_pos_in_characters);
    return out;
  }
  Positions search(std::u16string typed, std::int32_t n_to_find = 0) {
    TSearch_word_format_rec rec = parse_word(std::move(typed));
    rec.n_to_find = n_to_find;
    return search(rec);
  }
};

// Resets the per-thread search globals around each test.
class SearchAndDoEngine : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override {
    reset();
    package_log_line = nullptr;
    keeping_log = false;
    SetLogFilename(u"");
  }
  static void reset() {
    Global_LowestJumpTo = 0;
    Global_in_heading = false;
  }
  std::vector<std::u16string> log;
  void keep_log() {
    keeping_log = true;
    SetLogFilename(u"log.txt");  // named, but the lines go to the recorder below
    package_log_line = [this](const std::u16string& line) { log.push_back(line); };
  }
};

TEST_F(SearchAndDoEngine, WantedCountCountsOnlyAcceptedHits) {
  EngineRun run(u"a a a a a a a a a a");
  int calls = 0;
  run.decide = [&](TSearchAndDoEngine&, const TSearchFound_Rec&) { return ++calls % 2 == 1; };
  // Hits 1, 3 and 5 are accepted; the search stops after the fifth.
  EXPECT_EQ(run.search(u"a", 3), (Positions{0, 2, 4, 6, 8}));
  EXPECT_EQ(run.engine.fHits_found, 5);
  ASSERT_EQ(run.word_counts.size(), 1u);
  // The counts stop where the scan stopped: the five words up to the fifth hit.
  EXPECT_EQ(run.word_counts[0].number[stats_word], 4);

  run.decide = nullptr;
  EXPECT_EQ(run.search(u"a", 3).size(), 3u);
  EXPECT_EQ(run.search(u"a", -2).size(), 10u);
  EXPECT_EQ(run.engine.fHits_found, 5 + 3 + 10);

  // A host that rejects every hit gets them all.
  run.decide = [](TSearchAndDoEngine&, const TSearchFound_Rec&) { return false; };
  EXPECT_EQ(run.search(u"a", 1).size(), 10u);
}

TEST_F(SearchAndDoEngine, UnboundedHitsOverlap) {
  EngineRun run(u"xx aaaa yy");
  EXPECT_EQ(run.search(u"*a*"), (Positions{3, 4, 5, 6}));
  ASSERT_EQ(run.hits.size(), 4u);
  EXPECT_EQ(run.hits[0].exact_hit_len, 1);
  EXPECT_EQ(run.hits[0].hit_characters, 4);  // extended to the end of the word
  EXPECT_EQ(run.hits[3].hit_characters, 1);
  EXPECT_EQ(run.search(u"a"), Positions{});
  EXPECT_EQ(run.search(u"aaaa"), (Positions{3}));
}

TEST_F(SearchAndDoEngine, CancelAndFoundEnoughStopAfterTheCurrentHit) {
  EngineRun run(u"cat cat cat cat cat");
  run.decide = [](TSearchAndDoEngine& e, const TSearchFound_Rec&) {
    if (e.fHits_found == 2) e.Cancel();
    return true;
  };
  EXPECT_EQ(run.search(u"cat"), (Positions{0, 4}));
  EXPECT_TRUE(run.engine.fCancelled);
  ASSERT_EQ(run.word_counts.size(), 1u);  // the word count event still comes

  // The next search starts uncancelled.
  run.decide = nullptr;
  EXPECT_EQ(run.search(u"cat").size(), 5u);
  EXPECT_FALSE(run.engine.fCancelled);
  EXPECT_EQ(run.word_counts.size(), 2u);

  run.decide = [](TSearchAndDoEngine& e, const TSearchFound_Rec&) {
    e.FoundEnough();
    return true;
  };
  EXPECT_EQ(run.search(u"cat"), (Positions{0}));
  run.decide = nullptr;
  EXPECT_EQ(run.search(u"cat").size(), 5u);

  // A cancel set before the search does not carry into it.
  run.engine.Cancel();
  EXPECT_EQ(run.search(u"cat").size(), 5u);
}

TEST_F(SearchAndDoEngine, CancelFromTheYieldRoutine) {
  EngineRun run(u"cat cat cat cat cat");
  const TSearch_word_format_rec rec = parse_word(u"cat");
  int yields = 0;
  const TYieldProcessProc previous = AYieldProcessProc;
  // The yield comes before each look for the next hit: cancelling there lets that look
  // report its hit, then the search ends.
  AYieldProcessProc = [&] {
    if (++yields == 2) run.engine.Cancel();
  };
  const Positions found = run.search(rec);
  AYieldProcessProc = previous;
  EXPECT_EQ(found, (Positions{0, 4}));
  EXPECT_EQ(run.word_counts.size(), 1u);
}

TEST_F(SearchAndDoEngine, HeadingCountsOfHitsOutsideAHeadingAreMinusOne) {
  // A heading made by start and end markers (characters 0 and 6), then body text.
  std::u16string text = u"\x01Title\x01 body title";
  testing_matcher::TestBuffer b(text);
  b.marker(0, marker_heading_start);
  b.marker(6, marker_heading_end);
  TSearchAndDoEngine engine(true, true, kEnglishUS, nullptr);
  std::vector<TSearchFound_Rec> hits;
  TSearchStatsRec final_counts;
  engine.PrepareForConcordancing(
      u"t.txt", b.text.c_str(), b.details.data(), b.details.data() + b.size() + 1, 100, b.size(), 0,
      false,
      [&](TObject*, const TSearchFound_Rec& h) {
        hits.push_back(h);
        return true;
      },
      [&](TObject*, const TSearchStatsRec& c) { final_counts = c; });
  TTagsFoundArray tags{};
  tags[4] = tags[5] = 1;  // heading start and end markers are in use
  engine.SetArrayOfTagsFound(&tags);
  TSearch_word_format_rec rec = parse_word(u"title");
  ASSERT_TRUE(engine.SearchAndDo(&rec));
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].hit_pos_in_characters, 1);
  EXPECT_GE(hits[0].count_stats.number[stats_heading], 0);
  EXPECT_GE(hits[0].count_stats.position[stats_heading], 0);
  EXPECT_EQ(hits[1].hit_pos_in_characters, 13);
  EXPECT_EQ(hits[1].count_stats.number[stats_heading], -1);
  EXPECT_EQ(hits[1].count_stats.position[stats_heading], -1);
  EXPECT_EQ(hits[1].count_stats.out_of[stats_heading], final_counts.out_of[stats_heading]);
  EXPECT_GT(hits[1].count_stats.number[stats_word], 0);
  // The engine's own counts keep the true values.
  EXPECT_EQ(engine.ThisFileChunk_Stats.number[stats_heading], 1);
  EXPECT_EQ(final_counts.number[stats_heading], 1);
  EXPECT_FALSE(Global_in_heading);

  // Without markers no hit is in a heading.
  EngineRun plain(u"title title");
  plain.search(u"title");
  for (const auto& h : plain.hits) {
    EXPECT_EQ(h.count_stats.number[stats_heading], -1);
    EXPECT_EQ(h.count_stats.position[stats_heading], -1);
  }
  EXPECT_EQ(plain.word_counts.at(0).number[stats_heading], 0);
}

TEST_F(SearchAndDoEngine, HostBuiltClassArrayWithMarkup) {
  // Mark-up prepared as the buffers are, then marked in the class array by the host.
  testing_matcher::TestBuffer b(CleanToTagOnOff(u"new, - yo<b>rk</b> x"));
  TSearch_word_format_rec rec = parse_word(u"new york");
  for (bool skip_punctuation : {false, true}) {
    TSearchAndDoEngine engine(true, true, kEnglishUS, nullptr);
    int hits = 0;
    engine.PrepareForConcordancing(
        u"t.txt", b.text.c_str(), b.details.data(), b.details.data() + b.size() + 1, 100, b.size(),
        0, skip_punctuation,
        [&](TObject*, const TSearchFound_Rec& h) {
          ++hits;
          EXPECT_EQ(h.exact_hit_len, 14);  // the tag inside the word counts
          return true;
        },
        nullptr);
    EXPECT_TRUE(engine.fSkipAnyTags);
    EXPECT_TRUE(engine.fPreAssigned);
    ASSERT_TRUE(engine.SearchAndDo(&rec));
    EXPECT_EQ(hits, skip_punctuation ? 1 : 0);
    EXPECT_EQ(b.details[0], char_type1(u'n'));  // the host's array is not rebuilt
  }
}

TEST_F(SearchAndDoEngine, HitRecord) {
  EngineRun run(u"the cat sat", 1000, 100);
  TSearch_word_format_rec rec = parse_word(u"cat");
  ASSERT_TRUE(run.engine.SearchAndDo(&rec, 7));
  ASSERT_EQ(run.hits.size(), 1u);
  const TSearchFound_Rec& h = run.hits[0];
  EXPECT_EQ(h.where_hit_started, run.text.c_str() + 4);
  EXPECT_FLOAT_EQ(h.percent_of_file, 10.8f);  // (8 bytes + 100) of 1000
  EXPECT_EQ(h.search_number, 7);

  // No file size: no percentage, and no failure.
  EngineRun empty_size(u"the cat", 0);
  EXPECT_EQ(empty_size.search(u"cat"), (Positions{4}));
  EXPECT_EQ(empty_size.hits[0].percent_of_file, 0.0f);
}

TEST_F(SearchAndDoEngine, NothingToSearchReturnsFalse) {
  keep_log();
  TSearchAndDoEngine engine(true, true, kEnglishUS, nullptr);
  TSearch_word_format_rec rec = parse_word(u"cat");
  const std::u16string text = u"cat";
  // Not prepared.
  EXPECT_FALSE(engine.SearchAndDo(&rec));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], u"item = nil: False and buffer = nil: True ");
  // No found event: not ready.
  engine.PrepareFirst(text.c_str(), 3, 0, nullptr, nullptr);
  EXPECT_FALSE(engine.fReady);
  EXPECT_FALSE(engine.SearchAndDo(&rec));

  int calls = 0;
  engine.PrepareFirst(
      text.c_str(), 3, 0,
      [&](TObject*, const TSearchFound_Rec&) {
        ++calls;
        return true;
      },
      nullptr);
  EXPECT_FALSE(engine.SearchAndDo(nullptr));
  EXPECT_EQ(log.back(), u"item = nil: True and buffer = nil: False ");
  TSearch_word_format_rec empty;
  EXPECT_FALSE(engine.SearchAndDo(&empty));
  engine.SetABuffer(nullptr);
  EXPECT_FALSE(engine.SearchAndDo(&rec));
  EXPECT_EQ(calls, 0);
  // Without a word count event the search still runs.
  engine.SetABuffer(text.c_str());
  EXPECT_TRUE(engine.SearchAndDo(&rec));
  EXPECT_EQ(calls, 1);
}

TEST_F(SearchAndDoEngine, ExceptionsFromTheSearchBecomeOneMessage) {
  EngineRun run(u"cat cat cat");
  run.engine.fFilename = u"f.txt";
  run.decide = [](TSearchAndDoEngine& e, const TSearchFound_Rec&) -> bool {
    if (e.fHits_found == 2) throw std::runtime_error("host failed");
    return true;
  };
  TSearch_word_format_rec rec = parse_word(u"cat");
  try {
    run.engine.SearchAndDo(&rec);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"problem searching f.txt for \"cat\"");
  }
  EXPECT_EQ(run.engine.fHits_found, 2);  // counts keep the values reached
  EXPECT_TRUE(run.word_counts.empty());

  // From the word count event too.
  run.decide = nullptr;
  run.engine.fWordCountEvent = [](TObject*, const TSearchStatsRec&) { throw Exception(u"inner"); };
  EXPECT_THROW(run.engine.SearchAndDo(&rec), Exception);
}

TEST_F(SearchAndDoEngine, RestartPositions) {
  EngineRun run(u"cat cat cat cat");
  Global_LowestJumpTo = 5 * 2;  // bytes: from the second "at"
  EXPECT_EQ(run.search(u"cat"), (Positions{8, 12}));
  Global_LowestJumpTo = 11;  // an odd byte offset counts from the character it falls in
  EXPECT_EQ(run.search(u"cat"), (Positions{8, 12}));
  Global_LowestJumpTo = 100;  // past the end
  EXPECT_EQ(run.search(u"cat"), Positions{});
  Global_LowestJumpTo = 0;

  // The host moves the restart position from its found event.
  run.decide = [](TSearchAndDoEngine& e, const TSearchFound_Rec& h) {
    if (h.hit_pos_in_characters == 0) {
      Global_LowestJumpTo = 12 * 2;
      e.fLowestJumpToChanged = true;
    }
    return true;
  };
  EXPECT_EQ(run.search(u"cat"), (Positions{0, 12}));
  EXPECT_FALSE(run.engine.fLowestJumpToChanged);
}

TEST_F(SearchAndDoEngine, FirstClassWordIsTheHostsBoundary) {
  EngineRun run(u"xcat cat");
  EXPECT_EQ(run.search(u"cat"), (Positions{5}));
  // From character 1 with the host's first class word there, "cat" counts as a word start.
  run.engine.fBufferDetailsStart = run.engine.fBufferDetails + 1;
  Global_LowestJumpTo = 2;
  EXPECT_EQ(run.search(u"cat"), (Positions{1, 5}));
  // An address outside the class array stands for its first word.
  static const std::uint16_t elsewhere[4] = {};
  run.engine.fBufferDetailsStart = elsewhere + 2;
  EXPECT_EQ(run.search(u"cat"), (Positions{5}));
}

TEST_F(SearchAndDoEngine, CaseSensitiveWordsUseTheUnchangedCopy) {
  EngineRun run(u"Cat cat CAT");
  EXPECT_EQ(run.search(u"cat"), (Positions{0, 4, 8}));
  TSearch_word_format_rec rec = parse_word(u"==Cat==");
  EXPECT_EQ(run.search(rec), (Positions{0}));
}

TEST_F(SearchAndDoEngine, EightBitBufferSearchedWithConvertedCopies) {
  // Windows-1252: e acute is E9, the euro sign 80.
  const std::string text = "caf\xE9 Caf\xC9 CAF\xC9 \x80uro";
  TSearchAndDoEngine engine(false, true, kEnglishUS, nullptr);
  ASSERT_EQ(engine.Codepage, 1252);
  std::vector<std::int32_t> hits;
  engine.PrepareFirst(
      text.c_str(), static_cast<std::int32_t>(text.size()), 0,
      [&](TObject*, const TSearchFound_Rec& h) {
        hits.push_back(h.hit_pos_in_characters);
        return true;
      },
      nullptr);
  EXPECT_EQ(engine.fBuffer_Characters, 19);
  TSearch_word_format_rec cafe = parse_word(u"caf\u00E9");
  ASSERT_TRUE(engine.SearchAndDo(&cafe));
  EXPECT_EQ(hits, (Positions{0, 5, 10}));
  EXPECT_TRUE(cafe.copies_converted);

  // The copies are converted once: a second search with the same word still finds.
  TSearch_word_format_rec euro = parse_word(u"\u20ACuro");
  for (int i = 0; i < 2; ++i) {
    hits.clear();
    ASSERT_TRUE(engine.SearchAndDo(&euro));
    EXPECT_EQ(hits, (Positions{15}));
  }
  EXPECT_EQ(euro.copies[lower_copy], std::u16string(u"\u0080uro"));
}

TEST_F(SearchAndDoEngine, CountsRunOnAcrossSearchesUntilCleared) {
  EngineRun run(u"one two three");
  run.search(u"two");
  run.search(u"zzz");
  ASSERT_EQ(run.word_counts.size(), 2u);
  const std::int32_t words =
      run.word_counts[1].number[stats_word] - run.word_counts[0].number[stats_word];
  EXPECT_GT(words, 0);
  run.engine.ClearChunkTextStats();
  run.search(u"zzz");
  EXPECT_EQ(run.word_counts[2].number[stats_word], words);
}

TEST_F(SearchAndDoEngine, AllowablesJoinWords) {
  EngineRun run(u"don't stop");
  EXPECT_EQ(run.search(u"don"), (Positions{0}));
  run.engine.HandleAllowables(u"'", false, false);
  EXPECT_EQ(run.search(u"don"), Positions{});
  EXPECT_EQ(run.search(u"don't"), (Positions{0}));
}

TEST_F(SearchAndDoEngine, ClassArrays) {
  const std::u16string text = u"ab c";
  TSearchAndDoEngine engine(true, true, kEnglishUS, nullptr);
  engine.SetABuffer(text.c_str());
  ASSERT_NE(engine.fBufferDetails, nullptr);
  EXPECT_EQ(engine.fBufferDetailsEnd, engine.fBufferDetails + 5);
  EXPECT_EQ(engine.fBufferDetails[4], 0);
  EXPECT_EQ(engine.fBufferDetails[5], 0);
  engine.SetABuffer(nullptr);
  EXPECT_EQ(engine.fBufferDetails, nullptr);

  // A locale identifier that names no locale still gives classes.
  TSearchAndDoEngine unknown(true, true, 0x7FFFFFFF, nullptr);
  unknown.SetABuffer(text.c_str());
  EXPECT_EQ(unknown.fBufferDetails[0], char_type1(u'a'));

  // The host's array is used as it is.
  std::vector<std::uint16_t> host(6, 0x0102);
  TSearchAndDoEngine hosted(true, true, kEnglishUS, host.data());
  hosted.SetABuffer(text.c_str());
  EXPECT_EQ(hosted.fBufferDetails, host.data());
  EXPECT_EQ(hosted.fBufferDetailsEnd, host.data() + 5);
  EXPECT_EQ(host[2], 0x0102);
}

TEST_F(SearchAndDoEngine, LogLines) {
  keep_log();
  EngineRun run(u"the cat\x19x\x18 sat", 1000, 0x10);
  run.search(u"cat");
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(
      log[0],
      u"seeking \r\n\"CAT\"\r\n\"cat\"\r\n\"Cat\"\r\nand file begins \"the cat\x19x\x18 sat...\"");
  const std::u16string words = IntToStr(run.hits.at(0).count_stats.number[stats_word]);
  EXPECT_EQ(log[1],
            u"(1) \"cat<x> sat\" at chunk 000010+000004= byte 000018\tdone: 000000\t"
            u"to go: 00000E\t2.40% words = " +
                words);

  // A secondary engine writes no line per search or hit.
  log.clear();
  const std::u16string text = u"cat";
  TAdditionalSearchAndDoEngine extra(true, true, kEnglishUS, nullptr);
  EXPECT_TRUE(extra.IsAdditionalEngine);
  int calls = 0;
  extra.PrepareFirst(
      text.c_str(), 6, 0,
      [&](TObject*, const TSearchFound_Rec&) {
        ++calls;
        return true;
      },
      nullptr);
  TSearch_word_format_rec rec = parse_word(u"cat");
  EXPECT_TRUE(extra.SearchAndDo(&rec));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(log.empty());
}

TEST(WLSearchAndDo, QuickSearch) {
  TWLSearchAndDo wl(true, true, kEnglishUS, nullptr);
  const std::u16string text = u"The Cat sat";
  wl.SetABuffer(text.c_str());
  wl.SetSearchWord(u"cat", {myLeftBounded, myRightBounded});
  EXPECT_TRUE(wl.QuickSearchFoundIgnoringTags());
  EXPECT_TRUE(wl.fBufferPWChar.empty());  // released after the search

  wl.SetSearchWord(u"cat", {myLeftBounded, myRightBounded, myCaseIsSensitive});
  EXPECT_FALSE(wl.QuickSearchFoundIgnoringTags());
  wl.SetSearchWord(u"at", {myRightBounded});
  EXPECT_TRUE(wl.QuickSearchFoundIgnoringTags());
  wl.SetSearchWord(u"sa", {myLeftBounded, myRightBounded});
  EXPECT_FALSE(wl.QuickSearchFoundIgnoringTags());
  // A trailing any-run code is not compared: the word may run on.
  wl.SetSearchWord(std::u16string(u"sa") + kAnyRunInWordCode, {myLeftBounded});
  EXPECT_TRUE(wl.QuickSearchFoundIgnoringTags());

  // A buffer shorter than the word.
  const std::u16string short_text = u"ca";
  wl.SetABuffer(short_text.c_str());
  wl.SetSearchWord(u"cat", {});
  EXPECT_FALSE(wl.QuickSearchFoundIgnoringTags());
  wl.SetSearchWord(std::u16string(u"ca") + kAnyRunInWordCode, {});
  EXPECT_TRUE(wl.QuickSearchFoundIgnoringTags());
  wl.SetABuffer(nullptr);
  EXPECT_FALSE(wl.QuickSearchFoundIgnoringTags());
}

TEST(CleanToTagOnOff, MarksTagsThatClose) {
  EXPECT_EQ(CleanToTagOnOff(u"a <b>c</b> d"),
            u"a \x19"
            u"b\x18"
            u"c\x19/b\x18 d");
  EXPECT_EQ(CleanToTagOnOff(u"> x <"), u"> x <");
  // Two "<" before one ">" share it; a later "<" without a ">" stays.
  EXPECT_EQ(CleanToTagOnOff(u"<a<b> <c"),
            u"\x19"
            u"a\x19"
            u"b\x18 <c");
  EXPECT_EQ(CleanToTagOnOff(u""), u"");
}

}  // namespace
}  // namespace corvane
