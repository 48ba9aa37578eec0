#include "corvane/files/My_string_functions_repeats.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

using Pairs = std::vector<std::pair<int, int>>;

Pairs pairs_of(TStringlistWithListOfOccurrences& list, int index) {
  Pairs out;
  TListOfOccurrences* o = list.GetAListOfOccurrences(index);
  for (int k = 0; o != nullptr && k < o->Count(); ++k)
    out.emplace_back(o->GetADouble(k).long0, o->GetADouble(k).long1);
  return out;
}

std::vector<std::u16string> strings_of(const TStringList& list) {
  std::vector<std::u16string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Get(i));
  return out;
}

TEST(OccurrencesInText, CountsOverlappingHitsExactly) {
  EXPECT_EQ(occurrences_in_text(u"aaaa", u"aa"), 3);
  EXPECT_EQ(occurrences_in_text(u"Abc abc ABC", u"abc"), 1);
  EXPECT_EQ(occurrences_in_text(u"abc", u""), 0);
  EXPECT_EQ(occurrences_in_text(u"ab", u"abc"), 0);
  // Code units that share a low byte with the pattern's must not hide a hit.
  EXPECT_EQ(occurrences_in_text(u"\u0161x\u0061\u0161", u"a\u0161"), 1);
  std::mt19937 rng(3);
  for (int round = 0; round < 500; ++round) {
    std::u16string text(rng() % 60, u'a'), pattern(1 + rng() % 3, u'a');
    for (char16_t& c : text) c = u"ab\u0161\u0162"[rng() % 4];
    for (char16_t& c : pattern) c = u"ab\u0161\u0162"[rng() % 4];
    std::int64_t plain = 0;
    for (std::size_t i = text.find(pattern); i != std::u16string::npos;
         i = text.find(pattern, i + 1))
      ++plain;
    ASSERT_EQ(occurrences_in_text(text, pattern), plain);
  }
}

TEST(OccurrencesInText, ManyPatternsAtOnceAsEachAlone) {
  std::mt19937 rng(13);
  for (int round = 0; round < 200; ++round) {
    std::u16string text(rng() % 400, u'a');
    for (char16_t& c : text) c = u"ab\u0161 "[rng() % (round % 2 ? 2 : 4)];
    std::vector<std::u16string> patterns;
    for (int k = 0; k < 12; ++k) {
      // Pieces of the text (so that they occur), of every length up to 40, and strangers.
      const std::size_t len = rng() % 41;
      const std::size_t at = text.empty() ? 0 : rng() % text.size();
      patterns.push_back(k % 4 == 3 ? std::u16string(len, u'x') : text.substr(at, len));
    }
    const std::vector<std::int64_t> counts = occurrences_of_each(text, patterns);
    ASSERT_EQ(counts.size(), patterns.size());
    for (std::size_t k = 0; k < patterns.size(); ++k)
      ASSERT_EQ(counts[k], occurrences_in_text(text, patterns[k])) << round << " " << k;
  }
}

TEST(StringlistWithListOfOccurrences, AddsPairsPerText) {
  TStringlistWithListOfOccurrences list;
  EXPECT_EQ(list.AddOrIncOneByFreq(u"Beta.", 0, 2), 0);
  EXPECT_EQ(list.AddOrIncOneByFreq(u"Alpha.", 1, 1), 0);  // sorted: before Beta
  EXPECT_EQ(list.AddOrIncOneByFreq(u"Beta.", 0, 3), 1);
  EXPECT_EQ(list.AddOrIncOneByFreq(u"BETA.", 2, 1), 1);  // the default comparison ignores case
  EXPECT_EQ(pairs_of(list, 1), (Pairs{{0, 5}, {2, 1}}));
  EXPECT_EQ(pairs_of(list, 0), (Pairs{{1, 1}}));
  EXPECT_EQ(list.Repeateds(), 1);
  EXPECT_EQ(list.total_frequency(1), 6);
  EXPECT_EQ(list.GetAListOfOccurrences(2), nullptr);
  EXPECT_EQ(list.GetAListOfOccurrences(-1), nullptr);
  list.Delete(0);
  EXPECT_EQ(strings_of(list), (std::vector<std::u16string>{u"Beta."}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringlistWithListOfOccurrences, SortsWithTheirTieBreaks) {
  TStringlistWithListOfOccurrences list;
  list.AddOrIncOneByFreq(u"Apple.", 2, 3);
  list.AddOrIncOneByFreq(u"Cherry.", 1, 1);
  list.AddOrIncOneByFreq(u"Cherry.", 0, 2);
  list.AddOrIncOneByFreq(u"Banana.", 1, 5);
  list.AddOrIncOneByFreq(u"Damson.", 1, 1);
  // Totals 3, 3, 5, 1: highest first, equal totals by the sentence descending.
  list.SortAllOccurrencesFreqDescending();
  EXPECT_EQ(strings_of(list),
            (std::vector<std::u16string>{u"Banana.", u"Cherry.", u"Apple.", u"Damson."}));
  // First text numbers 2, 1, 1, 1: lowest first, equal ones by the sentence descending.
  list.SortAllOccurrencesFileAscending();
  EXPECT_EQ(strings_of(list),
            (std::vector<std::u16string>{u"Damson.", u"Cherry.", u"Banana.", u"Apple."}));
  // Look-ups still find entries once the list is no longer in alphabetical order.
  EXPECT_EQ(list.AddOrIncOneByFreq(u"Cherry.", 3, 1), 1);
  EXPECT_EQ(pairs_of(list, 1), (Pairs{{1, 1}, {0, 2}, {3, 1}}));
  EXPECT_EQ(list.AddOrIncOneByFreq(u"Elder.", 3, 1), 4);
}

class RepeatedChunksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("corvane_repeats_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    AYieldProcessProc = nullptr;
    fs::remove_all(dir_);
  }
  std::u16string write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return u16(p.string());
  }
  // Settings as the shell uses them, with min_hits and the shortest sentence given.
  void settings(TRepeatedChunks& r, int min_hits, int min_length = 0, int tag_span = 100) {
    r.SetSettings(false, tag_span, min_hits, min_length, nullptr, nullptr, nullptr);
  }
  fs::path dir_;
};

TEST_F(RepeatedChunksTest, AllDifferentSentencesNeedMinHitsOne) {
  const std::u16string text = u"One is here. Two is there.\r\nThree is far.\r\n";
  TRepeatedChunks r;
  settings(r, 2);
  r.processing = true;
  EXPECT_EQ(r.AddedToRepeatedSentencesInTxt(0, text), 0);
  settings(r, 1);
  EXPECT_EQ(r.AddedToRepeatedSentencesInTxt(4, text), 3);
  EXPECT_EQ(strings_of(*r.chunks_list),
            (std::vector<std::u16string>{u"One is here.", u"Three is far.", u"Two is there."}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(pairs_of(*r.chunks_list, i), (Pairs{{4, 1}}));
}

TEST_F(RepeatedChunksTest, WithinOneTextAndAcrossTexts) {
  TRepeatedChunks r;
  settings(r, 2);
  r.processing = true;
  // Counted in the whole text, once per distinct sentence, though it is met twice.
  EXPECT_EQ(r.AddedToRepeatedSentencesInTxt(
                0, u"Same old words. Other stuff.\r\nSame old words.\r\nLast one.\r\n"),
            1);
  EXPECT_EQ(pairs_of(*r.chunks_list, 0), (Pairs{{0, 2}}));
  EXPECT_EQ(r.chunks_list->Repeateds(), 0);
  EXPECT_EQ(r.AddedToRepeatedSentencesInTxt(1, u"Same old words. Same old words.\r\n"), 0);
  EXPECT_EQ(pairs_of(*r.chunks_list, 0), (Pairs{{0, 2}, {1, 2}}));
  EXPECT_EQ(r.chunks_list->Repeateds(), 1);
  // Case matters when counting in the text: one exact hit is below min_hits.
  EXPECT_EQ(r.AddedToRepeatedSentencesInTxt(2, u"Other stuff. other stuff.\r\n"), 0);
}

TEST_F(RepeatedChunksTest, StopEndsTheSearchAtTheNextParagraph) {
  TRepeatedChunks r;
  settings(r, 1);
  AYieldProcessProc = [&] { r.Stop(); };
  r.processing = true;
  EXPECT_EQ(r.AddedToRepeatedSentencesInTxt(0, u"First one. Second one.\r\nThird one.\r\n"), 2);
  EXPECT_EQ(strings_of(*r.chunks_list),
            (std::vector<std::u16string>{u"First one.", u"Second one."}));
  EXPECT_FALSE(r.processing);
}

TEST_F(RepeatedChunksTest, ErrorsWithoutTheList) {
  TRepeatedChunks r;
  r.chunks_list.reset();
  try {
    r.AddToRepeatedSentencesInTxt(0, 1);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"list not assigned");
  }
  try {
    r.AddedToRepeatedSentencesInTxt(0, u"A b.\r\n");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"chunks_list not assigned");
  }
}

TEST_F(RepeatedChunksTest, LoadsFilesAndReportsProgress) {
  TRepeatedChunks r;
  std::vector<int> overall, totals;
  r.SetSettings(
      false, 10, 2, 0, nullptr,
      [&](int pc) {
        overall.push_back(pc);
        return true;
      },
      [&](int n) { totals.push_back(n); });
  r.txt = u"kept";
  EXPECT_EQ(r.LoadATextFile(u16((dir_ / "missing.txt").string())), -1);
  EXPECT_EQ(r.txt, u"kept");
  const std::u16string a =
      write("a.txt", "<p>Tea is hot.</p> <very-long-tag-kept> Tea is hot.\nEnd");
  const std::u16string b = write("b.txt", "Tea is hot. Tea is hot.\r\n");
  EXPECT_EQ(r.LoadATextFile(a), 0);
  EXPECT_EQ(r.txt, u"Tea is hot. <very-long-tag-kept> Tea is hot.\r\nEnd\r\n");
  r.AddToRepeatedSentencesInTxt(0, 2);
  EXPECT_EQ(r.LoadATextFile(b), 1);
  r.AddToRepeatedSentencesInTxt(1, 2);
  EXPECT_EQ(overall, (std::vector<int>{0, 50}));
  EXPECT_EQ(totals, (std::vector<int>{1, 1}));
  EXPECT_EQ(pairs_of(*r.chunks_list, 0), (Pairs{{0, 2}, {1, 2}}));
  EXPECT_EQ(r.GetAFilename(1), b);
  EXPECT_EQ(r.GetAFilename(2), u"");
  EXPECT_EQ(r.GetAFilename(-1), u"");
  r.Clear();
  EXPECT_EQ(r.chunks_list->Count(), 0);
  EXPECT_EQ(r.fnames->Count(), 0);
}

// Letters that do not repeat by chance.
std::u16string random_letters(std::mt19937& rng, int n) {
  std::u16string s(n, u'a');
  for (char16_t& c : s) c = static_cast<char16_t>(u'a' + rng() % 26);
  return s;
}

TEST(RepeatedXCharChunks, ChunksAfterTheirOwnPlace) {
  std::mt19937 rng(11);
  const std::u16string a = random_letters(rng, 120), b = random_letters(rng, 120);
  // A found once again later: frequency 1, the later position.
  auto r = RepeatedXCharChunks(120, 1, 1000, a + b + a, nullptr);
  ASSERT_EQ(r->Count(), 1);
  EXPECT_EQ(r->Get(0), a);
  EXPECT_EQ(r->GetOne(0).long0, 1);
  EXPECT_EQ(r->GetOne(0).long1, 241);
  // A B A A: the first A hits twice, the third A once more (the same entry).
  std::vector<int> percents;
  r = RepeatedXCharChunks(120, 1, 1000, a + b + a + a, [&](int pc) { percents.push_back(pc); });
  ASSERT_EQ(r->Count(), 1);
  EXPECT_EQ(r->GetOne(0).long0, 3);
  EXPECT_EQ(r->GetOne(0).long1, 241);
  EXPECT_EQ(percents, (std::vector<int>{25, 50, 75}));
  EXPECT_EQ(RepeatedXCharChunks(120, 4, 1000, a + b + a + a, nullptr)->Count(), 0);
}

TEST(RepeatedXCharChunks, ShortChunksAndBadArgumentsFindNothing) {
  std::mt19937 rng(5);
  const std::u16string a = random_letters(rng, 100);
  EXPECT_EQ(RepeatedXCharChunks(100, 1, 1000, a + a + a, nullptr)->Count(), 0);
  // 101 characters with a leading space trim to 100: not searched.
  const std::u16string c = u" " + a;
  EXPECT_EQ(RepeatedXCharChunks(101, 1, 1000, c + c + c, nullptr)->Count(), 0);
  const std::u16string d = random_letters(rng, 150);
  EXPECT_EQ(RepeatedXCharChunks(0, 1, 1000, d + d, nullptr)->Count(), 0);
  EXPECT_EQ(RepeatedXCharChunks(-3, 1, 1000, d + d, nullptr)->Count(), 0);
  EXPECT_EQ(RepeatedXCharChunks(150, 1, 0, d + d + d, nullptr)->Count(), 0);
  EXPECT_EQ(RepeatedXCharChunks(150, 1, 1, d + d + d, nullptr)->Count(), 1);
  EXPECT_EQ(RepeatedXCharChunks(150, 1, 1000, u"", nullptr)->Count(), 0);
}

TEST(RepeatedXCharChunks, SortedByFrequency) {
  std::mt19937 rng(9);
  const std::u16string a = random_letters(rng, 110), b = random_letters(rng, 110),
                       x = random_letters(rng, 110);
  // A at 1; B at 111; then A, B, B, X: A has 1 later hit, B 2.
  auto r = RepeatedXCharChunks(110, 1, 1000, a + b + a + b + b + x, nullptr);
  ASSERT_EQ(r->Count(), 2);
  EXPECT_EQ(r->Get(0), b);
  EXPECT_EQ(r->GetOne(0).long0, 3);  // B's own hits from 111 on, plus the chunk at 331
  EXPECT_EQ(r->Get(1), a);
}

}  // namespace
}  // namespace corvane
