#pragma once
// The small services of the definitions unit Wdef that every tool shares: the stopwatch and
// its estimate of the time still to go, the backing up and deleting of an index's files, the
// test of association scores against the user's thresholds, concordance sort keys and word
// spans, the flags of word type records, the coding of wildcards, line breaks and tabs in
// search-and-replace texts, and a few text and number routines. Included by Wdef.hpp.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Wdef_records.hpp"
#include "corvane/frame/Wdef_mini.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane {

// ---- Stopwatch
//
// One package-wide start time, read from the runtime's clock (Now(), which tests replace
// with set_clock). Concurrent timings share it.

extern TDateTime Global_StartTime;

// Global_StartTime := now.
void StartTiming();
// Days since Global_StartTime; with `restart` the stopwatch starts again afterwards.
TDateTime ElapsedTime(bool restart);
// Whole seconds since Global_StartTime.
std::int64_t SecondsSinceGlobalStartTime();
// The days still to go when `done` of `total` parts took the elapsed time, assuming even
// progress: elapsed x total / done - elapsed. 0 when done is not above zero; never
// negative (done beyond total is as good as finished).
TDateTime EstimateOfTimeRemaining(std::int64_t done, std::int64_t total);
// The estimate as the catalogue says it: "~ 30s to go" under a minute, "~ 4m to go" under
// an hour, else "~ 2h 5m to go". Hours count on past a day ("~ 27h 0m to go"). Seconds and
// minutes are the estimate's own (rounded to whole milliseconds first), never rounded up.
std::u16string MessageOfEstimatedTimeRemaining(std::int64_t done, std::int64_t total);

// ---- Index files
//
// An index NAME keeps its data in seven files, NAME with each extension of
// IndexFileExtensions (the name's own extension, if any, is replaced). A backup copy of one
// has "_bak" added to its extension (".types_bak").

inline constexpr std::array<std::u16string_view, 7> IndexFileExtensions = {
    u".markup",     u".types",         u".tokens", u".base_pairs",
    u".base_index", u".base_index_cg", u".stats"};

// The index's file with the extension `ext` ("corpus" and ".types" give "corpus.types"), and
// that file's backup name ("corpus.types_bak").
std::u16string IndexFileName(const std::u16string& name, std::u16string_view ext);
std::u16string IndexBackupFileName(const std::u16string& name, std::u16string_view ext);

// What happened to one index file that was there.
struct TIndexFileOutcome {
  std::u16string file;    // the index file
  std::u16string target;  // the backup copy (empty when deleting)
  bool done = false;      // copied, or deleted
};

// When the log is kept: "Trying to backup index files for NAME". Then each index file that
// exists, in the order of IndexFileExtensions, is copied over its backup (an older backup
// is replaced), each copy logged first as "Trying to copy FILE to BACKUP". A copy is made
// beside the backup's name and renamed when complete, so a failed copy leaves the older
// backup (or none) and no part-copied file. Files that are not there are skipped; failures
// are not raised. Returns how many index files were there; `outcomes` (when given) gets
// one entry per such file.
int TryToBackupIndexFiles(const std::u16string& name,
                          std::vector<TIndexFileOutcome>* outcomes = nullptr);
// Each index file that exists, in order, is deleted, logged first as "Trying to delete
// FILE" when the log is kept. Returns how many were there; `outcomes` as above.
int TryToDeleteIndexFiles(const std::u16string& name,
                          std::vector<TIndexFileOutcome>* outcomes = nullptr);

// ---- Association scores against thresholds

// The association measures (TMutualInfoStats) are those of the mutual-information settings.
struct TBoolAndSingleSettings {
  bool do_it = false;
  float threshold = 0;
};
using TMutualInfoScores = std::array<float, kMutualInfoStatsCount>;

struct TConcgramMutualChecks {
  bool search_needed = false;
  bool test_all_procedures = false;
  bool test_all_words = false;
  std::array<TBoolAndSingleSettings, kMutualInfoStatsCount> proc_settings{};
  std::array<char16_t, 81> search_string{};
};

// With test_all_procedures: every measure switched on (do_it) must score at or above its
// threshold. Otherwise the measures switched on are looked at in order and the first that
// reaches its threshold passes; without test_all_words only the first of them is looked
// at. With no measure switched on the test passes.
bool PassesRelationshipThresholdTests(const TConcgramMutualChecks& checks,
                                      const TMutualInfoScores& scores);

// ---- Concordance sort keys and word spans

struct Tdouble_smallint_type {
  std::int16_t to_left = 0;
  std::int16_t to_right = 0;
};
struct Tdouble_colloc_span_type {
  TConcordance_span_type leftmost = span_Centre;
  TConcordance_span_type rightmost = span_Centre;
  bool operator==(const Tdouble_colloc_span_type&) const = default;
};

enum concordance_sort_type : std::uint8_t {
  cs_left5,
  cs_left4,
  cs_left3,
  cs_left2,
  cs_left1,
  cs_centre,
  cs_right1,
  cs_right2,
  cs_right3,
  cs_right4,
  cs_right5,
  cs_context_word_position,
  cs_set,
  cs_filename,
  cs_textdate,
  cs_by_tag,
  cs_by_tag_distance,
  cs_file_percent,
  cs_word_number,
  cs_sentence_number,
  cs_sentence_position,
  cs_paragraph_number,
  cs_paragraph_position,
  cs_heading_number,
  cs_heading_position,
  cs_section_number,
  cs_section_position,
  cs_word_rarity,
  cs_highlighted_collocate,
  cs_whole_line,
  cs_byte_position
};
inline constexpr int kConcordanceSortCount = cs_byte_position + 1;

// The display names of the sort keys ("L5" ... "position in file"), filled from the
// catalogue at start-up.
extern std::array<std::u16string, kConcordanceSortCount> sort_str_arr;

// Their names: "Total", "Max", "Min", "Mean", "Sd.", then the segment template "%d/%d"
// twelve times; filled from the catalogue at start-up.
extern std::array<std::u16string, kBaseDescriptivesCount> TBaseDescriptivesStrings;

// Fills sort_str_arr and TBaseDescriptivesStrings from the catalogue's current texts (done at
// start-up; call again after loading a translation).
void FillWdefDisplayNames();

// leftmost := 50 - to_left, rightmost := 50 + to_right, held to span_L50 .. span_R51.
Tdouble_colloc_span_type CollocSpan(const Tdouble_smallint_type& horizons);
// The span of a word-position key: cs_left5 .. cs_right5 give span_L05 .. span_R05; other
// keys have no span and give span_Centre.
TConcordance_span_type SortSpanFromSort(concordance_sort_type sort);
// "L5" for span_L05, "R12" for span_R12, "Centre" for span_Centre and span_R51.
std::u16string ConcordanceSpanStr(TConcordance_span_type span);

// ---- Word type records: the word's number in the low 28 bits, flags in the top four

using TTypeRec = std::uint32_t;
inline constexpr TTypeRec kTypeRecTextEnd = 0x80000000u;
inline constexpr TTypeRec kTypeRecParaHeadEnd = 0x40000000u;
inline constexpr TTypeRec kTypeRecSentEnd = 0x20000000u;
inline constexpr TTypeRec kTypeRecPunctEnd = 0x10000000u;
inline constexpr TTypeRec kTypeRecMarkers = 0xF0000000u;

bool TypeRecIsTextEnd(TTypeRec rec);
bool TypeRecIsParaHeadEnd(TTypeRec rec);
bool TypeRecIsSentEnd(TTypeRec rec);
bool TypeRecIsPunctEnd(TTypeRec rec);
// None of the four flags set.
bool TypeRecIsUnmarked(TTypeRec rec);
// The word's number alone: the four flags cleared.
TTypeRec TypeRecWithoutTextMarker(TTypeRec rec);

// ---- Search-and-replace texts

// Each "*", "?" and "#" that is neither the first nor the last character and has no double
// quote just before or after it becomes U+001D, U+001C or U+001B; then each "<Enter>" (the
// catalogue's text) becomes CR LF and each "<Tab>" a tab.
std::u16string EncodedCRLFTAB(const std::u16string& s);
// The reverse: U+001D, U+001C, U+001B become "*", "?", "#", each CR LF "<Enter>" and each
// tab "<Tab>".
std::u16string EncodedCRLFTABToReadableStr(const std::u16string& s);

// A search text cut round its wildcards: seekStart before the first, seek_wilds from the
// first to the last (wildcards as the codes of the wildcard syntax), seekEnd after the last.
// Each part holds at most 80 characters and a terminating zero.
struct TSelectTextFile_RecW {
  std::array<char16_t, 81> seekStart{};
  std::array<char16_t, 81> seek_wilds{};
  std::array<char16_t, 81> seekEnd{};
  std::int32_t length_of_seek = 0;  // characters of the whole text
  bool ato_necessario = false;      // there is something to seek
  bool contains_wildcard = false;
};

// seekStart, seek_wilds with each code shown as its wildcard ("~", "^", "*", "?", "#"),
// then seekEnd.
std::u16string TSelectTextFile_RecWToString(const TSelectTextFile_RecW& rec);
// The reverse: the text cut at its first and last wildcard, the wildcards coded. A part
// longer than 80 characters is cut (length_of_seek still counts the whole text).
TSelectTextFile_RecW StringToTSelectTextFile_RecW(std::u16string_view s);

// ---- Text and number routines

// The text between the quotes when s starts and ends with a double quote ("\"" alone
// gives ""), else s.
std::u16string CutOutsideQuotes(const std::u16string& s);
// Trimmed; "C:" becomes "C:\", "C:x" becomes "C:\x".
std::u16string CorrectedPathname(const std::u16string& s);
// s with every c, or every (non-overlapping, left to right) occurrence of sub, removed.
std::u16string ChrClearedFromString(char16_t c, const std::u16string& s);
std::u16string SubStrClearedFromString(const std::u16string& sub, const std::u16string& s);
// The index of the first / last true element; 0 when none is true.
int FirstChosenInArrayOfBoolean(std::span<const bool> a);
int LastChosenInArrayOfBoolean(std::span<const bool> a);
// The index of the first limit greater than value, or -1.
int CorrectDivision(std::int64_t value, std::span<const std::int64_t> limits);
std::uint32_t MaxCardinal(std::uint32_t a, std::uint32_t b);
std::uint32_t MinCardinal(std::uint32_t a, std::uint32_t b);
void ExchangeTwoIntegers(std::int32_t& a, std::int32_t& b);
void ExchangeTwoStrings(std::u16string& a, std::u16string& b);
void ExchangeTwoPointers(void*& a, void*& b);
void ExchangeTwoTTypeRecs(TTypeRec& a, TTypeRec& b);
// Swaps entries i and j of an array of grid headings; an index outside it changes nothing.
void ExchangeTwoHeadings(std::int32_t i, std::int32_t j, std::span<TGrid_head32> headings);

// The set with the typeface taken out when it is in, put in when it is not.
Ttypeface_Set ToggledTypeface(TTypefaceStyle face, Ttypeface_Set set);
Ttypeface_Set IncludeOrExcludeATypeface(TTypefaceStyle face, Ttypeface_Set set, bool include);

// Start-up of the unit Wdef: its date part, then the display names.
void Wdef_initialization();
void Wdef_finalization();

}  // namespace corvane
