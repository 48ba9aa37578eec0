#pragma once
// Search items, found hits and the search-and-do engine.
//
// An item list (TBaseSearchItems and its four kinds) turns the text a user typed into
// parsed search words, one record per distinct typed alternative, with the hits wanted
// and found for each; it saves itself to a stream or a text file and reads itself back.
// The hits of a search are TSearchFound_Rec records held in a TSearchFoundList, a
// sortable yielding list ordered by position in the text.
//
// Implementation by topic: Search_engines_items.cpp (item lists), Search_engines_io.cpp
// (their stream and text-file formats), Search_engines_found.cpp (hits and their list),
// Search_engines_engine.cpp (the engine's buffers and settings, the single-word test) and
// Search_engines_engine_search.cpp (the engine's search).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/containers/Sortablelists.hpp"
#include "corvane/containers/Useful_classes_search_flags.hpp"
#include "corvane/containers/Useful_classes_simple_search.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Search_parsing.hpp"
#include "corvane/search/User_input_wildcard_parsing.hpp"

namespace corvane {

class TStream;
class TStringList;
class TSearchAndDoEngine;

// ---- Search words

// One search word, owned by the list that holds the holder.
class TSWHolder : public TObject {
 public:
  TSWHolder() = default;
  explicit TSWHolder(const TSearch_word_format_rec& rec) : data(rec) {}
  TSearch_word_format_rec data;
};

// A pointer list owning its TSWHolder objects: a slot that is deleted (Delete, Clear,
// SetCount, Put over it, the destructor) frees its holder.
class TSWList : public TList {
 public:
  TSWList() = default;
  ~TSWList() override;
  // Frees every holder and empties the list.
  void Clear() override;
  // The holder at index, or null for an index out of range or an empty slot.
  TSWHolder* holder(std::int32_t index) const;

 protected:
  void Notify(void* item, TListNotification action) override;
};

// Index arrays returned by the adding routines.
using TSWIndices = std::vector<std::int32_t>;

// The common base of the four item lists.
class TBaseSearchItems : public TObject {
 public:
  // No words, no tags, locale 0, no splitting; process_one_specific_SW_number = -1.
  TBaseSearchItems();
  TBaseSearchItems(const TIgnore_tag_type& tags, std::uint32_t LCID, bool splitting);
  ~TBaseSearchItems() override;
  TBaseSearchItems(const TBaseSearchItems&) = delete;
  TBaseSearchItems& operator=(const TBaseSearchItems&) = delete;

  // Empties the word list; fFrom_a_file := false.
  virtual void Clear();
  // Frees word i (when there is one) and packs the list.
  void ClearOne(std::int32_t i);

  // ---- Adding
  // Parses the typed text (collapsed spaces, split at "/" when splitting is on) and adds
  // each alternative not yet present. Returns one index per non-empty alternative, the
  // last typed first; an alternative already present (or typed twice) gives its existing
  // index.
  TSWIndices AddedSearchWords(const std::u16string& text);
  // As above, then sets Langnum / auto_lemma_added / n_to_find of every returned word.
  TSWIndices AddedSearchWords(const std::u16string& text, std::int16_t language);
  TSWIndices AddedSearchWords(const std::u16string& text, bool auto_lemma_added);
  TSWIndices AddedSearchWords(const std::u16string& text, std::int32_t n_to_find);
  // Appends a copy and returns its index.
  std::int32_t AddOneSW(const TSearch_word_format_rec& rec);
  // IndexOf (rec) when present, else AddOneSW (rec).
  std::int32_t EnsureContains(const TSearch_word_format_rec& rec);
  // Adds the text (flag into auto_lemma_added) and moves the new words to the top; returns
  // the indices of the add with each new word's entry replaced by the position it was moved
  // to. A word that already stood among the first positions keeps its index.
  TSWIndices InsertSearchWordsAtTop(const std::u16string& text, bool auto_lemma_added);

  // ---- Lookup
  std::int32_t Count() const { return fSearchWordList->Count(); }
  // The first word whose typed_in_text is text exactly, else -1. Yields once per word.
  std::int32_t TypeInIndexOf(std::u16string_view text) const;
  // TypeInIndexOf (rec.typed_in_text), but -1 when that word's Langnum differs.
  std::int32_t IndexOf(const TSearch_word_format_rec& rec) const;
  // A copy of word i; an all-zero record out of range.
  TSearch_word_format_rec GetSWR(std::int32_t i) const;
  // Replaces word i; ignored out of range.
  void PutSWR(std::int32_t i, const TSearch_word_format_rec& rec);
  // The stored record of word i, or null.
  TSearch_word_format_rec* GetPtr(std::int32_t i) const;
  // Copies of the words at the indices; a negative (or out-of-range) index gives a zero
  // record.
  std::vector<TSearch_word_format_rec> CopyOfArrayOFSWItems(const TSWIndices& indices) const;

  // ---- Per-word fields. Getters give 0 / false / no flags out of range; SetAFlag and
  // SetSearchFound ignore such an index; the other setters raise the list's index error
  // (EListError).
  TMySearchFlags GetAFlag(std::int32_t i) const;
  void SetAFlag(std::int32_t i, TMySearchFlags flags);
  std::int32_t GetNToFind(std::int32_t i) const;
  void SetNToFind(std::int32_t i, std::int32_t n);
  std::int32_t GetHitsFound(std::int32_t i) const;
  void SetHitsFound(std::int32_t i, std::int32_t n);
  std::int16_t GetLanguage(std::int32_t i) const;
  void SetLanguage(std::int32_t i, std::int16_t language);
  bool GetSearchFound(std::int32_t i) const;
  void SetSearchFound(std::int32_t i, bool found);
  bool GetAutoLemmaAdded(std::int32_t i) const;
  void SetAutoLemmaAdded(std::int32_t i, bool b);
  std::int32_t GetSpacesInSW(std::int32_t i) const;

  // ---- Hit counts
  // hits_found of word i + 1 (ignored out of range).
  void IncrementHits(std::int32_t i);
  void ClearHits();
  // Copies the first min(Count, size) values into hits_found.
  void SetHits(const std::vector<std::int32_t>& hits);
  std::int32_t TotalHits() const;

  // ---- Whole-list views
  // The typed texts joined by "/" (the first 10 and " etc." after them when limit is set
  // and there are more).
  std::u16string AllTypedSearchWordsAsOne(bool limit) const;
  // The alternatives of text as this list would split them (spaces collapsed first).
  std::unique_ptr<TStringList> TypeInParts(const std::u16string& text) const;
  std::unique_ptr<TStringList> TypedInWordsAsStringlist() const;
  // How many searches the typed words amount to once split again.
  std::int32_t SearchesPlannedCount() const;
  // Moves word i to index 0 when 0 < i < Count.
  void MoveToTop(std::int32_t i);

  // ---- Persistence. Both stream routines and both file routines return false when an
  // exception occurred (entries read or added before it stay).
  // Count (4 bytes, signed), then per word one string (ReadAString's format) holding
  // typed_in_text, TAB, hits_found, TAB, Langnum (decimal).
  bool SaveToStream(TStream& stream) const;
  // Adds each stored word with AddedSearchWords; the two numbers, when both TABs are
  // there, go into every resulting word (each only when it is not negative).
  bool ReadFromStream(TStream& stream);
  // One typed_in_text per line, UTF-16LE with FF FE and CR LF after every line.
  bool SaveToFile(const std::u16string& file_name) const;
  // Clears the words and adds every non-empty line with n_to_find = n. True (and
  // fFrom_a_file set) when at least one word was added.
  bool LoadFromFile(const std::u16string& file_name, std::int32_t n);

  // The words in plain form: each typed text without its flag markers, one wanted, and the
  // flags found. Clears and refills fPlainSWS, and returns it.
  TSimpleSearchlist& ComputePlainSearchWords();

  // The fields, in their order.
  std::unique_ptr<TSimpleSearchlist> fPlainSWS;  // built on request
  std::int32_t fCurrentSearch = 0;
  std::unique_ptr<TSWList> fSearchWordList;
  std::uint32_t fLCID = 0;
  bool fSplitting_at_slashes = false;
  bool fFormatPreChecked = false;
  bool fFrom_a_file = false;
  std::int32_t process_one_specific_SW_number = -1;
  TIgnore_tag_type ignore_tags{};

 protected:
  // Parses and adds the typed text; see AddedSearchWords.
  virtual TSWIndices fAddedSearchWordsIndices(const std::u16string& text);
  TSWHolder* holder(std::int32_t i) const { return fSearchWordList->holder(i); }
  // The holder of word i, or EListError as the list raises it.
  TSWHolder& checked_holder(std::int32_t i) const;
};

class TContextWordItems;

// The search words proper.
class TSearchWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
  ~TSearchWordItems() override;

  // has_file_based_context_word of word i (false out of range); when true, also sets
  // HasAnyContextWords.
  bool GetHasContextWord(std::int32_t i);

  // Created when the first word needs a context search (a file-based context word).
  std::unique_ptr<TSearchAndDoEngine> ftempEngine;
  std::unique_ptr<TContextWordItems> ftempCWItems;
  std::int32_t ColunaPraProcura = 0;  // column to search, for callers
  bool HasAnyContextWords = false;

 protected:
  // Adds nothing when the whole typed text is already a word's typed text.
  TSWIndices fAddedSearchWordsIndices(const std::u16string& text) override;
};

// Context words, with the settings the engine's callers keep for them.
class TContextWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
  std::int32_t sought_context_word_pos = 0;
  bool require_one_context_word_position = false;
  bool require_all_context_words = false;
};

class TExclusionWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
};

class TTagContextWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
};

// ---- Hits

// One hit of a search.
struct TSearchFound_Rec {
  const void* start_of_text = nullptr;      // start of the buffer searched
  const void* start_of_memory = nullptr;    // start of the memory holding the text
  const void* where_hit_started = nullptr;  // first character of the hit
  float percent_of_file = 0;                // hit position, percent of the file's bytes
  std::int32_t hit_pos_in_wchar_kinds = 0;  // characters from the buffer start to the hit
  std::uint32_t FileBytePos = 0;            // file byte position of the buffer's start
  std::int32_t exact_hit_len = 0;           // in characters
  std::int32_t hit_characters = 0;          // extended to the end of the word
  std::int32_t search_number = 0;           // index of the search word that matched
  std::int32_t hit_pos_in_characters = 0;   // the same as hit_pos_in_wchar_kinds
  std::array<std::uint8_t, 20> spare{};
  TSearchStatsRec count_stats;  // counts at the hit
};

// The sort key of a hit: the byte distance from start_of_memory to where_hit_started.
std::int32_t HitKey(const TSearchFound_Rec& rec);

class TSearchFoundHolder : public TObject {
 public:
  TSearchFoundHolder() = default;
  explicit TSearchFoundHolder(const TSearchFound_Rec& rec) : fData(rec) {}
  TSearchFound_Rec fData;
};

// The hits of a search; owns its TSearchFoundHolder objects as TSWList owns its holders.
// Sort with the inherited sorts, passing Compare as the comparison (see Compare).
class TSearchFoundList : public T3SortYieldingList {
 public:
  TSearchFoundList() = default;
  ~TSearchFoundList() override;
  void Clear() override;

  // Appends a copy of the hit and returns its index.
  std::int32_t AddHit(const TSearchFound_Rec& rec);
  // The holder at index, or null for an index out of range or an empty slot.
  TSearchFoundHolder* holder(std::int32_t index) const;

  // base_int := the key of the holder (0 for null).
  void SetBase(void* item, std::int32_t sort_var) override;
  // 0 when the holder's key equals base_int, -1 when greater, +1 when smaller: with the
  // direction switch false, a sort puts hits in ascending text order.
  std::int32_t Compare(void* item) const;
  // The comparison as the sorts take it.
  T3SortCompare Comparison() const {
    return [this](void* item) { return Compare(item); };
  }

  std::int32_t base_int = 0;

 protected:
  void Notify(void* item, TListNotification action) override;
};

// ---- For the engine's callers

struct TBreakdownRec {
  std::u16string sw;
  std::int32_t found = 0;
  std::int32_t out_of = 0;
};
using Tarray_of_array_of_BreakdownRec = std::vector<std::vector<TBreakdownRec>>;

struct TSummaryArrays {
  std::vector<std::int32_t> breakdown_totals;
  std::vector<std::int32_t> main_count;
  std::vector<float> cumulative_count;
  Tarray_of_array_of_BreakdownRec breakdown_values;
};

// Called for each hit; the result says whether the hit counts towards the wanted number.
using TSearchFoundEvent = std::function<bool(TObject* sender, const TSearchFound_Rec& hit)>;
// Called at the end of a search with the running counts.
using TWordCountEvent = std::function<void(TObject* sender, const TSearchStatsRec& counts)>;

// How many markers of each kind a text holds: sentence start, sentence end, paragraph
// start, paragraph end, heading start, heading end, section start, section end.
using TTagsFoundArray = std::array<std::int32_t, 8>;

// ---- The engine

// The in-heading state the matcher carries between calls, and the byte offset of the lowest
// position a search restarts from (read at the start of SearchAndDo and whenever the host
// sets fLowestJumpToChanged). One of each per thread, so that a host may run one engine per
// thread. They belong with the definitions unit's globals: until that unit exists they are
// defined beside the engine (Search_engines_engine.cpp) and declared here.
// Constant-initialised (constinit), so that other units reach them directly rather than
// through a per-thread initialisation wrapper.
extern constinit thread_local bool Global_in_heading;
extern constinit thread_local std::int32_t Global_LowestJumpTo;

// Runs one parsed search word over one text buffer and reports each hit through
// fSearchFoundEvent.
//
// Use: create; prepare with PrepareFirst (the engine builds the buffer's class array) or
// PrepareForConcordancing (the host supplies it, with mark-up and markers); optionally
// SetArrayOfTagsFound and HandleAllowables; then SearchAndDo once per search word. The
// counts in ThisFileChunk_Stats run on across calls until ClearChunkTextStats.
//
// While a search runs the host regains control through the yield routine and the found
// event; from there it may call Cancel or FoundEnough, or set Global_LowestJumpTo and
// fLowestJumpToChanged to make the scan restart at that byte offset.
class TSearchAndDoEngine : public TObject {
 public:
  // class_array, when given, belongs to the caller (fPreAssigned).
  TSearchAndDoEngine(bool buffer_in_unicode, bool search_words_in_unicode, std::uint32_t LCID,
                     std::uint16_t* class_array);
  ~TSearchAndDoEngine() override;
  TSearchAndDoEngine(const TSearchAndDoEngine&) = delete;
  TSearchAndDoEngine& operator=(const TSearchAndDoEngine&) = delete;

  // Stores the events, the file size and the file byte position of the buffer, and sets
  // the buffer (SetABuffer). fHits_found starts again from 0. Ready when on_found is set.
  void PrepareFirst(const void* buffer, std::int32_t complete_file_size,
                    std::uint32_t file_byte_pos, TSearchFoundEvent on_found,
                    TWordCountEvent on_word_count);
  // For a buffer whose class array the host has built (mark-up bits and markers included):
  // the engine takes the buffer, the array, its end (the address of its second spare word)
  // and the number of characters as given. Tags are skipped; fPreAssigned := the array is
  // given. fHits_found starts again from 0. Ready when on_found is set.
  void PrepareForConcordancing(const std::u16string& file_name, const void* buffer,
                               std::uint16_t* class_array, const std::uint16_t* class_array_end,
                               std::int32_t complete_file_size, std::int32_t n_characters,
                               std::uint32_t file_byte_pos, bool skip_punctuation,
                               TSearchFoundEvent on_found, TWordCountEvent on_word_count);
  // Takes a zero-terminated buffer (UTF-16 or 8-bit as the engine was made): releases the
  // class array the engine built before, counts the characters up to the terminating 0 and,
  // unless the array is the host's, builds the class array (type-1 classes of the text's
  // locale, two zero spare words after the last character). fBufferDetailsEnd := the
  // address of the second spare word. A null buffer leaves no buffer, no characters and no
  // end.
  void SetABuffer(const void* buffer);
  // Marks the allowable characters inside words in the class array (HandleMiddleChars).
  // Nothing without a buffer and class array.
  void HandleAllowables(const std::u16string& allowables, bool no_check_after,
                        bool no_check_before);
  // Copies the eight marker counts; null is ignored.
  void SetArrayOfTagsFound(const TTagsFoundArray* tags_found);
  // Stores the locale and its code page, when it differs from the current one.
  void SetLCID(std::uint32_t LCID);
  // Zeroes ThisFileChunk_Stats.
  void ClearChunkTextStats();

  // Searches the buffer for the word, from Global_LowestJumpTo bytes on when that is above
  // 0, calling fSearchFoundEvent for each hit (hits may overlap: the scan resumes one
  // character after each hit's start) until n_to_find hits have been accepted (no limit when
  // n_to_find <= 0), the buffer ends, or the host cancels or calls FoundEnough; then calls
  // fWordCountEvent with the running counts. For an 8-bit buffer the word's copies are
  // converted to the locale's code page once (copies_converted); for a case-sensitive word
  // its three case copies become the unchanged copy.
  // False, without searching, when the engine is not ready, there is no buffer, or the word
  // is null or has an empty search text. An exception from the search or from an event
  // comes out as a corvane::Exception "problem searching <file> for "<typed text>"".
  bool SearchAndDo(TSearch_word_format_rec* search_word);
  // The same, with current_search_number := n first (copied into every hit).
  bool SearchAndDo(TSearch_word_format_rec* search_word, std::int32_t n);

  // Stop after the current hit.
  void FoundEnough() { fChega = true; }
  // Stop after the current hit; then calls the yield routine.
  void Cancel();
  void ClearCancel() { fCancelled = false; }

  TWordCountEvent fWordCountEvent;
  TSearchFoundEvent fSearchFoundEvent;
  std::uint16_t* fBufferDetails = nullptr;
  // Set by the host. The matcher treats the character of this class word as preceded by a
  // boundary. Null, or an address outside the class array, stands for fBufferDetails.
  const std::uint16_t* fBufferDetailsStart = nullptr;
  const std::uint16_t* fBufferDetailsEnd = nullptr;
  const void* fBuffer = nullptr;
  std::int32_t fHits_found = 0;
  std::int32_t fComplete_file_size = 0;
  std::int32_t fBuffer_Characters = 0;
  bool fChega = false;
  bool fSkipPunctuation = false;
  bool fSkipAnyTags = false;
  bool fCancelled = false;
  bool fPreAssigned = false;
  bool fReady = false;
  bool fLowestJumpToChanged = false;
  bool fSearchWordsInUnicode = true;
  bool fBufferInUnicode = true;
  std::u16string fReplace_text;
  std::uint32_t fLCID = 0;
  std::u16string fFilename;
  TSearchStatsRec ThisFileChunk_Stats;
  std::int32_t Codepage = 0;
  std::int32_t current_search_row = 0;
  std::int32_t current_search_number = 0;
  bool IsAdditionalEngine = false;
  TTagsFoundArray Arr_OfTextMarkersFound{};
  std::uint32_t FileBytePos = 0;

 protected:
  // Bytes per buffer character.
  std::int32_t char_size() const { return fBufferInUnicode ? 2 : 1; }
  // The first class word the matcher may treat as preceded by a boundary.
  const std::uint16_t* details_first() const;
  // Up to n characters of the buffer from character `offset`, as UTF-16.
  std::u16string buffer_text(std::int32_t offset, std::int32_t n) const;
  // Fills details[0..n) with the type-1 classes of n buffer characters from `text`.
  void fill_classes(const void* text, std::int32_t n, std::uint16_t* details) const;

  // The class array the engine built itself (when not fPreAssigned).
  std::vector<std::uint16_t> own_details_;

 private:
  // The search loop of SearchAndDo, after its checks and preparation.
  void search_loop(TSearch_word_format_rec& search_word, std::int32_t wanted);
  void log_seeking(const TSearch_word_format_rec& search_word) const;
  void log_hit(const TSearchFound_Rec& hit, std::int32_t offset, std::int32_t remaining) const;
  // Character offset of the restart position Global_LowestJumpTo (0 when not above 0).
  std::int32_t lowest_start() const;
};

// The engine used for secondary searches (context words): no log line per hit.
class TAdditionalSearchAndDoEngine : public TSearchAndDoEngine {
 public:
  TAdditionalSearchAndDoEngine(bool buffer_in_unicode, bool search_words_in_unicode,
                               std::uint32_t LCID, std::uint16_t* class_array);
  void SetContext_exact_gap_required(std::int32_t n) { context_exact_gap_required = n; }

  std::int32_t context_exact_gap_required = 0;  // kept for hosts
};

// Tests a single word against a short buffer (word-list use). Give it the buffer with
// SetABuffer or PrepareFirst, the word with SetSearchWord, then ask
// QuickSearchFoundIgnoringTags.
class TWLSearchAndDo : public TSearchAndDoEngine {
 public:
  using TSearchAndDoEngine::TSearchAndDoEngine;

  // Stores the flags and the word: when case sensitive, the text itself in all three
  // copies; otherwise its upper-case form (search_text), lower-case form (lo_copy) and
  // title-case form (title_copy, each word's first letter in upper case).
  void SetSearchWord(const std::u16string& text, TMySearchFlags word_flags);
  // Whether the word occurs in the buffer, judged on the characters' classes alone (no
  // mark-up, no markers). A trailing any-run code of the word is not compared (the flags
  // say whether the word may run on). False when the buffer holds fewer characters than
  // the word.
  bool QuickSearchFoundIgnoringTags();

  std::u16string lo_copy;
  std::u16string title_copy;
  std::u16string search_text;
  TMySearchFlags flags;
  std::vector<std::uint16_t> fBufferPWChar;  // class array during a quick search, released after
};

// The text with mark-up made ready for searching, as the buffers are: each "<" that has a
// ">" after it becomes U+0019 (tag open) and the first ">" after it U+0018 (tag close).
std::u16string CleanToTagOnOff(const std::u16string& text);

}  // namespace corvane
