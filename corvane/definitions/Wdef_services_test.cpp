#include "corvane/definitions/Wdef_services.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A clock the tests move by hand.
class Stopwatch : public ::testing::Test {
 protected:
  void SetUp() override {
    now = EncodeDateTime(2026, 1, 5, 9, 0, 0, 0);
    set_clock([this] { return now; });
    StartTiming();
  }
  void TearDown() override { set_clock(nullptr); }
  void advance(double seconds) { now += seconds / SecsPerDay; }
  TDateTime now = 0;
};

TEST_F(Stopwatch, ElapsedAndRestart) {
  advance(90);
  EXPECT_EQ(SecondsSinceGlobalStartTime(), 90);
  EXPECT_NEAR(ElapsedTime(false) * SecsPerDay, 90, 1e-6);
  EXPECT_NEAR(ElapsedTime(true) * SecsPerDay, 90, 1e-6);  // and starts again
  EXPECT_EQ(SecondsSinceGlobalStartTime(), 0);
  advance(2.9);
  EXPECT_EQ(SecondsSinceGlobalStartTime(), 2);  // whole seconds
}

TEST_F(Stopwatch, EstimatesAndTheirMessages) {
  advance(10);
  EXPECT_NEAR(EstimateOfTimeRemaining(1, 4) * SecsPerDay, 30, 1e-6);
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(1, 4), u"~ 30s to go");
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(1, 1), u"~ 0s to go");
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(1, 7), u"~ 1m to go");   // 60 s
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(1, 12), u"~ 1m to go");  // 110 s: not rounded up
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(1, 361), u"~ 1h 0m to go");
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(2, 1503), u"~ 2h 5m to go");   // 7505 s
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(1, 9721), u"~ 27h 0m to go");  // past a day
  // Nothing done yet, or more than all: no estimate rather than a division by zero or a
  // negative time.
  EXPECT_EQ(EstimateOfTimeRemaining(0, 4), 0);
  EXPECT_EQ(EstimateOfTimeRemaining(8, 4), 0);
  EXPECT_EQ(MessageOfEstimatedTimeRemaining(0, 4), u"~ 0s to go");
}

TEST(Thresholds, AllProceduresOrFirstPassing) {
  TConcgramMutualChecks checks;
  TMutualInfoScores scores{};
  scores.fill(0);
  EXPECT_TRUE(PassesRelationshipThresholdTests(checks, scores));  // none switched on
  checks.test_all_procedures = true;
  EXPECT_TRUE(PassesRelationshipThresholdTests(checks, scores));

  checks.proc_settings[MI_MI] = {true, 3.0f};
  checks.proc_settings[MI_Z] = {true, 2.0f};
  scores[MI_MI] = 3.0f;  // at the threshold passes
  scores[MI_Z] = 1.9f;
  EXPECT_FALSE(PassesRelationshipThresholdTests(checks, scores));
  scores[MI_Z] = 2.0f;
  EXPECT_TRUE(PassesRelationshipThresholdTests(checks, scores));
  scores[MI_Dice] = -100;  // switched off: never looked at
  EXPECT_TRUE(PassesRelationshipThresholdTests(checks, scores));

  // Any one: the first measure switched on decides unless every one may be tried.
  checks.test_all_procedures = false;
  scores[MI_MI] = 2.0f;
  scores[MI_Z] = 5.0f;
  checks.test_all_words = false;
  EXPECT_FALSE(PassesRelationshipThresholdTests(checks, scores));
  checks.test_all_words = true;
  EXPECT_TRUE(PassesRelationshipThresholdTests(checks, scores));
  scores[MI_Z] = 1.0f;
  EXPECT_FALSE(PassesRelationshipThresholdTests(checks, scores));
  scores[MI_MI] = 3.5f;
  checks.test_all_words = false;
  EXPECT_TRUE(PassesRelationshipThresholdTests(checks, scores));
}

TEST(Spans, HorizonsSortKeysAndNames) {
  EXPECT_EQ(CollocSpan({5, 5}), (Tdouble_colloc_span_type{span_L05, span_R05}));
  EXPECT_EQ(CollocSpan({0, 0}), (Tdouble_colloc_span_type{span_Centre, span_Centre}));
  EXPECT_EQ(CollocSpan({50, 51}), (Tdouble_colloc_span_type{span_L50, span_R51}));
  EXPECT_EQ(CollocSpan({200, 200}), (Tdouble_colloc_span_type{span_L50, span_R51}));  // held

  EXPECT_EQ(SortSpanFromSort(cs_left5), span_L05);
  EXPECT_EQ(SortSpanFromSort(cs_left1), span_L01);
  EXPECT_EQ(SortSpanFromSort(cs_centre), span_Centre);
  EXPECT_EQ(SortSpanFromSort(cs_right5), span_R05);
  EXPECT_EQ(SortSpanFromSort(cs_filename), span_Centre);

  EXPECT_EQ(ConcordanceSpanStr(span_L05), u"L5");
  EXPECT_EQ(ConcordanceSpanStr(span_L50), u"L50");
  EXPECT_EQ(ConcordanceSpanStr(span_L01), u"L1");
  EXPECT_EQ(ConcordanceSpanStr(span_R01), u"R1");
  EXPECT_EQ(ConcordanceSpanStr(span_R50), u"R50");
  EXPECT_EQ(ConcordanceSpanStr(span_Centre), u"Centre");
  EXPECT_EQ(ConcordanceSpanStr(span_R51), u"Centre");
}

TEST(DisplayNames, FromTheCatalogue) {
  FillWdefDisplayNames();
  std::u16string sorts, stats;
  for (const std::u16string& name : sort_str_arr) sorts += name + u"|";
  for (const std::u16string& name : TBaseDescriptivesStrings) stats += name + u"|";
  EXPECT_EQ(sorts,
            u"L5|L4|L3|L2|L1|Centre|R1|R2|R3|R4|R5|Context word|Set order|Filename|Date|"
            u"Tag order|Tag distance|File %|Word number|Sentence number|Sentence position|"
            u"Paragraph number|Paragraph position|Heading number|Heading position|"
            u"Section number|Section position|Contextual frequency|Highlighted collocate|"
            u"Whole concordance line|position in file|");
  EXPECT_EQ(stats,
            u"Total|Max|Min|Mean|Sd.|"
            u"%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|%d/%d|");
}

TEST(TypeRecs, FlagsAndNumber) {
  const TTypeRec word = 0x0ABCDEF1;
  EXPECT_TRUE(TypeRecIsUnmarked(word));
  EXPECT_FALSE(TypeRecIsTextEnd(word) || TypeRecIsSentEnd(word));
  const TTypeRec flags[] = {0x80000000u, 0x40000000u, 0x20000000u, 0x10000000u};
  bool (*tests[])(TTypeRec) = {TypeRecIsTextEnd, TypeRecIsParaHeadEnd, TypeRecIsSentEnd,
                               TypeRecIsPunctEnd};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) EXPECT_EQ(tests[j](word | flags[i]), i == j) << i << j;
    EXPECT_FALSE(TypeRecIsUnmarked(word | flags[i]));
    EXPECT_EQ(TypeRecWithoutTextMarker(word | flags[i]), word);
  }
  EXPECT_EQ(TypeRecWithoutTextMarker(0xFFFFFFFFu), 0x0FFFFFFFu);
}

TEST(SearchReplaceCodes, WildcardsLineBreaksAndTabs) {
  EXPECT_EQ(EncodedCRLFTAB(u"a*b?c#d"),
            u"a\x1D"
            u"b\x1C"
            u"c\x1B"
            u"d");
  // First, last and next to a double quote: literal.
  EXPECT_EQ(EncodedCRLFTAB(u"*ab*"), u"*ab*");
  EXPECT_EQ(EncodedCRLFTAB(u"a\"*\"b"), u"a\"*\"b");
  EXPECT_EQ(EncodedCRLFTAB(u"a\"*b"), u"a\"*b");
  EXPECT_EQ(EncodedCRLFTAB(u"a*\"b"), u"a*\"b");
  EXPECT_EQ(EncodedCRLFTAB(u"x<Enter>y<Tab>z"), u"x\r\ny\tz");
  EXPECT_EQ(EncodedCRLFTAB(u"<Enter>"), u"\r\n");
  EXPECT_EQ(EncodedCRLFTAB(u""), u"");

  EXPECT_EQ(EncodedCRLFTABToReadableStr(u"a\x1D"
                                        u"b\x1C"
                                        u"c\x1B"
                                        u"d\r\ne\tf"),
            u"a*b?c#d<Enter>e<Tab>f");
  EXPECT_EQ(EncodedCRLFTABToReadableStr(u"a\rb\nc"), u"a\rb\nc");  // lone CR and LF stay
  EXPECT_EQ(EncodedCRLFTABToReadableStr(EncodedCRLFTAB(u"go*ing<Tab>x?y<Enter>")),
            u"go*ing<Tab>x?y<Enter>");
}

TEST(SearchReplaceCodes, SelectTextFileRecords) {
  TSelectTextFile_RecW rec = StringToTSelectTextFile_RecW(u"ab*c?d#ef");
  EXPECT_TRUE(rec.contains_wildcard);
  EXPECT_TRUE(rec.ato_necessario);
  EXPECT_EQ(rec.length_of_seek, 9);
  EXPECT_EQ(std::u16string(rec.seekStart.data()), u"ab");
  EXPECT_EQ(std::u16string(rec.seek_wilds.data()),
            u"\x1D"
            u"c\x1C"
            u"d\x1B");
  EXPECT_EQ(std::u16string(rec.seekEnd.data()), u"ef");
  EXPECT_EQ(TSelectTextFile_RecWToString(rec), u"ab*c?d#ef");
  EXPECT_EQ(TSelectTextFile_RecWToString(StringToTSelectTextFile_RecW(u"~x^")), u"~x^");

  rec = StringToTSelectTextFile_RecW(u"plain");
  EXPECT_FALSE(rec.contains_wildcard);
  EXPECT_EQ(std::u16string(rec.seekStart.data()), u"plain");
  EXPECT_EQ(rec.seek_wilds[0], 0);
  EXPECT_EQ(TSelectTextFile_RecWToString(rec), u"plain");
  EXPECT_FALSE(StringToTSelectTextFile_RecW(u"").ato_necessario);

  // A part longer than the record holds is cut, and stays zero-terminated.
  rec = StringToTSelectTextFile_RecW(std::u16string(100, u'a') + u"*");
  EXPECT_EQ(rec.length_of_seek, 101);
  EXPECT_EQ(std::u16string(rec.seekStart.data()), std::u16string(80, u'a'));
  EXPECT_EQ(rec.seekStart[80], 0);
}

TEST(TextRoutines, QuotesPathsAndClearing) {
  EXPECT_EQ(CutOutsideQuotes(u"\"abc\""), u"abc");
  EXPECT_EQ(CutOutsideQuotes(u"\""), u"");
  EXPECT_EQ(CutOutsideQuotes(u"\"\""), u"");
  EXPECT_EQ(CutOutsideQuotes(u"\"abc"), u"\"abc");
  EXPECT_EQ(CutOutsideQuotes(u""), u"");

  EXPECT_EQ(CorrectedPathname(u"  C: "), u"C:\\");
  EXPECT_EQ(CorrectedPathname(u"d:texts"), u"d:\\texts");
  EXPECT_EQ(CorrectedPathname(u"d:\\texts"), u"d:\\texts");
  EXPECT_EQ(CorrectedPathname(u"/home/x "), u"/home/x");
  EXPECT_EQ(CorrectedPathname(u"1:x"), u"1:x");

  EXPECT_EQ(ChrClearedFromString(u'a', u"banana"), u"bnn");
  EXPECT_EQ(SubStrClearedFromString(u"an", u"banana"), u"ba");
  EXPECT_EQ(SubStrClearedFromString(u"ab", u"aabb"), u"ab");  // one pass, left to right
  EXPECT_EQ(SubStrClearedFromString(u"", u"abc"), u"abc");
}

TEST(NumberRoutines, ChoicesDivisionsAndExchanges) {
  const bool none[3] = {false, false, false};
  const bool some[5] = {false, true, false, true, false};
  EXPECT_EQ(FirstChosenInArrayOfBoolean(none), 0);
  EXPECT_EQ(LastChosenInArrayOfBoolean(none), 0);
  EXPECT_EQ(FirstChosenInArrayOfBoolean(some), 1);
  EXPECT_EQ(LastChosenInArrayOfBoolean(some), 3);

  const std::int64_t limits[] = {10, 100, 5000000000};
  EXPECT_EQ(CorrectDivision(5, limits), 0);
  EXPECT_EQ(CorrectDivision(10, limits), 1);  // greater than, not equal
  EXPECT_EQ(CorrectDivision(4999999999, limits), 2);
  EXPECT_EQ(CorrectDivision(5000000000, limits), -1);
  EXPECT_EQ(CorrectDivision(0, {}), -1);

  EXPECT_EQ(MaxCardinal(0xFFFFFFFFu, 1), 0xFFFFFFFFu);  // unsigned, not signed
  EXPECT_EQ(MinCardinal(0xFFFFFFFFu, 1), 1u);
  std::array<TGrid_head32, 3> headings;
  headings[0].heading = u"a";
  headings[2].heading = u"c";
  ExchangeTwoHeadings(0, 2, headings);
  ExchangeTwoHeadings(0, 3, headings);  // outside: nothing
  ExchangeTwoHeadings(-1, 1, headings);
  EXPECT_EQ(headings[0].heading + headings[1].heading + headings[2].heading, u"ca");
  EXPECT_EQ(headings[2].heading, u"a");

  Ttypeface_Set set;
  set = ToggledTypeface(tf_italics, set);
  EXPECT_EQ(set.bits, 0x02);
  set = ToggledTypeface(tf_strikeout, ToggledTypeface(tf_italics, set));
  EXPECT_EQ(set.bits, 0x08);
  EXPECT_EQ(IncludeOrExcludeATypeface(tf_bold, set, true).bits, 0x09);
  EXPECT_EQ(IncludeOrExcludeATypeface(tf_bold, set, false).bits, 0x08);
}

// ---- Index files

std::u16string logging_prefix() {
  return u"(T): ";
}

std::string utf16le(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string read_bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class IndexFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "cv_index_XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
    name = dir / "corpus";
    Logging_utilities_initialization();
    previous = set_log_prefix_source(&logging_prefix);
  }
  void TearDown() override {
    keeping_log = false;
    Logging_utilities_finalization();
    set_log_prefix_source(previous);
    fs::remove_all(dir);
  }
  void keep_log() {
    log = dir / "cv.log";
    SetLogFilename(u16(log.string()));
    keeping_log = true;
  }
  void write(const std::string& ext, const std::string& bytes) {
    std::ofstream(name.string() + ext, std::ios::binary) << bytes;
  }
  std::string contents(const std::string& ext) const { return read_bytes(name.string() + ext); }
  bool exists(const std::string& ext) const { return fs::exists(name.string() + ext); }
  std::u16string n(const std::string& ext = "") const { return u16(name.string() + ext); }

  fs::path dir, name, log;
  TLogPrefixSource previous = nullptr;
};

TEST_F(IndexFiles, BackupCopiesThoseThereAndLogsEachStep) {
  write(".types", "types data");
  write(".stats", "stats");
  write(".markup_bak", "old markup backup");  // no .markup: left alone
  write(".stats_bak", "an older backup of the stats");
  keep_log();
  std::vector<TIndexFileOutcome> outcomes;
  EXPECT_EQ(TryToBackupIndexFiles(n(), &outcomes), 2);
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_TRUE(outcomes[0].done && outcomes[1].done);
  EXPECT_EQ(outcomes[0].target, n(".types_bak"));
  EXPECT_EQ(contents(".types_bak"), "types data");
  EXPECT_EQ(contents(".stats_bak"), "stats");  // the older backup replaced
  EXPECT_EQ(contents(".markup_bak"), "old markup backup");
  EXPECT_EQ(contents(".types"), "types data");
  EXPECT_EQ(read_bytes(log),
            "\xFF\xFE" + utf16le(u"(T): Trying to backup index files for " + n() + u"\r\n" +
                                 u"(T): Trying to copy " + n(".types") + u" to " + n(".types_bak") +
                                 u"\r\n" + u"(T): Trying to copy " + n(".stats") + u" to " +
                                 n(".stats_bak") + u"\r\n"));
  // The name's own extension makes no difference.
  EXPECT_EQ(TryToBackupIndexFiles(n(".tokens")), 2);
}

TEST_F(IndexFiles, NoIndexNoLogWithoutLogging) {
  EXPECT_EQ(TryToBackupIndexFiles(n()), 0);
  EXPECT_EQ(TryToDeleteIndexFiles(n()), 0);
  fs::create_directory(name.string() + ".types");  // a folder is no index file
  EXPECT_EQ(TryToDeleteIndexFiles(n()), 0);
  EXPECT_TRUE(fs::is_directory(name.string() + ".types"));
  write(".tokens", "t");
  EXPECT_EQ(TryToBackupIndexFiles(n()), 1);  // log off: nothing logged, still copied
  EXPECT_EQ(contents(".tokens_bak"), "t");
}

TEST_F(IndexFiles, DeleteRemovesIndexFilesNotBackups) {
  for (std::u16string_view ext : IndexFileExtensions) write(u8(ext), "x");
  write(".types_bak", "keep");
  write(".txt", "keep");
  keep_log();
  std::vector<TIndexFileOutcome> outcomes;
  EXPECT_EQ(TryToDeleteIndexFiles(n(), &outcomes), 7);
  std::u16string expected;
  for (std::size_t i = 0; i < IndexFileExtensions.size(); ++i) {
    const std::string ext = u8(IndexFileExtensions[i]);
    EXPECT_FALSE(exists(ext)) << ext;
    EXPECT_TRUE(outcomes[i].done);
    expected += u"(T): Trying to delete " + n(ext) + u"\r\n";
  }
  EXPECT_EQ(read_bytes(log), "\xFF\xFE" + utf16le(expected));
  EXPECT_EQ(contents(".types_bak"), "keep");
  EXPECT_EQ(contents(".txt"), "keep");
}

// A copy that fails part way (the file-size limit stops the write) leaves the older backup
// as it was and no part-written file beside it.
TEST_F(IndexFiles, FailedBackupLeavesNoHalfFile) {
  write(".types", std::string(64 * 1024, 'n'));
  write(".types_bak", "older backup");
  const auto files_before = std::distance(fs::directory_iterator(dir), {});
  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::vector<TIndexFileOutcome> outcomes;
  const int found = TryToBackupIndexFiles(n(), &outcomes);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(found, 1);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_FALSE(outcomes[0].done);
  EXPECT_EQ(contents(".types_bak"), "older backup");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), files_before);
}

}  // namespace
}  // namespace corvane
