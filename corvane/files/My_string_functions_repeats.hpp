#pragma once
// Text that repeats: sentences that recur within and across a set of text files
// (TRepeatedChunks, recording where each occurs in a TStringlistWithListOfOccurrences), and
// fixed-length stretches of characters that recur within one text (RepeatedXCharChunks).
//
// These routines belong with the string routines of My_string_functions, but they keep
// their results in the typed lists of the containers folder and load files as the files
// folder reads them, and both sit above the analysis folder. So they live here, in the
// files folder, behind a header of their own; the sentence and mark-up rules they use are
// the analysis routines themselves.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/containers/Useful_classes_file_lists.hpp"
#include "corvane/frame/Basic_types.hpp"

namespace corvane {

// Where one sentence occurs: pairs (text number, frequency in that text), in the order the
// texts were searched.
class TListOfOccurrences : public T2LongintList {};

// Repeated sentences, each with its TListOfOccurrences in its object slot, owned by the
// list. Entries are matched by the string list's default comparison (letter case ignored).
// The list is kept sorted for look-ups until one of the occurrence sorts orders it
// otherwise; after that a look-up reads the list from the start.
class TStringlistWithListOfOccurrences : public TIndexCheckStringlist {
 public:
  TStringlistWithListOfOccurrences();
  ~TStringlistWithListOfOccurrences() override;

  // Finds the sentence (adding it with an empty occurrence list when absent); adds
  // `frequency` to its pair for `text_number`, or appends the pair (text_number,
  // frequency). Returns the sentence's index.
  std::int32_t AddOrIncOneByFreq(const std::u16string& sentence, std::int32_t text_number,
                                 std::int32_t frequency);
  // The entry's occurrence list; null for an index out of range.
  TListOfOccurrences* GetAListOfOccurrences(std::int32_t index) const;
  // Frees the entry's occurrence list and deletes the entry.
  void Delete(std::int32_t index) override;
  // Frees every occurrence list, last entry first, then empties the list.
  void Clear() override;
  // How many entries occur in more than one text (more than one pair).
  std::int32_t Repeateds() const;
  // Total frequency over all texts, highest first; equal totals by the sentence in
  // descending order.
  void SortAllOccurrencesFreqDescending();
  // Text number of each entry's first pair, lowest first; equal numbers by the sentence in
  // descending order.
  void SortAllOccurrencesFileAscending();
  // The total frequency of the entry over all texts (0 for an index out of range).
  std::int32_t total_frequency(std::int32_t index) const;
};

// Told the number of distinct repeated sentences so far.
using TTellCountEvent = std::function<void(int contagem)>;

// Finds the sentences that recur in a set of texts. Load each text with LoadATextFile, then
// search it with AddToRepeatedSentencesInTxt; the result builds up in chunks_list.
class TRepeatedChunks : public TObject {
 public:
  TRepeatedChunks();
  ~TRepeatedChunks() override;
  TRepeatedChunks(const TRepeatedChunks&) = delete;
  TRepeatedChunks& operator=(const TRepeatedChunks&) = delete;

  void SetSettings(bool include_unterminated_sentences, int tag_span, int min_hits,
                   int min_sentence_length, TProgressChangedFunct this_reporting,
                   TProgressChangedFunct overall_reporting,
                   TTellCountEvent running_total_reporting);

  // When the file exists: reads it as TextFileContents does (every line ended by CR LF),
  // drops tags of at most tag_span characters (WithoutMarkup with "<" and ">"), keeps the
  // result in `txt`, adds the name to `fnames` and returns its text number (its index
  // there). -1, with `txt` left as it was, when the file does not exist. A file that
  // exists but cannot be read raises the reader's error, and nothing is added.
  int LoadATextFile(const std::u16string& file_name);
  // The same for a text already read (an archive's entry): `text` as TextFileContents
  // would give it, `name` the name it is known by.
  int load_text(const std::u16string& name, const std::u16string& text);
  // The full file name of a text number; "" for a number out of range.
  std::u16string GetAFilename(int text_number) const;
  // Searches `txt` as text number `text_number` of `number_of_texts`: overall progress,
  // the search, then the running total. Raises "list not assigned" without chunks_list.
  void AddToRepeatedSentencesInTxt(int text_number, int number_of_texts);
  // The search itself, paragraph by paragraph (a paragraph ends at CR LF): each distinct
  // sentence of the text (SentencesExtractedFromParagraph) that occurs at least min_hits
  // times in the whole text (counted exactly, overlapping occurrences too) is added to
  // chunks_list with that count. Returns how many new entries chunks_list gained. Raises
  // "chunks_list not assigned" without chunks_list. Stops at the next paragraph once
  // `processing` is cleared.
  int AddedToRepeatedSentencesInTxt(int text_number, const std::u16string& text);
  // Clears `processing`: a running search ends at its next paragraph.
  void Stop();
  // Empties the three lists.
  void Clear();
  void SortDescendingFreq();
  void SortAScendingFilenumbers();

  bool processing = false;
  bool include_unterminated_sentences = false;
  int min_sentence_length = 0;
  int min_hits = 2;
  int tag_span = 0;
  TProgressChangedFunct this_reporting;
  TProgressChangedFunct overall_reporting;
  TTellCountEvent running_total_reporting;
  std::u16string txt;
  std::unique_ptr<TCVLongintList> display_index;
  std::unique_ptr<TFolderEfficientFileStringlist> fnames;
  std::unique_ptr<TStringlistWithListOfOccurrences> chunks_list;
};

// Told a percentage of the work done.
using TPercentDoneProc = std::function<void(int percent)>;

// Stretches of `len` characters that recur in `text`: the text is cut into consecutive
// chunks of `len` characters; each chunk, trimmed, that is longer than 100 characters is
// searched for in the rest of the text after it, and every later hit counts (pair: hits,
// position of the first hit, 1-based). Searching for a chunk stops once the result holds at
// least `limit` entries of which at least `limit` have more than one hit. The result is
// sorted by frequency (highest first, then position) and holds only entries with at least
// `min_freq` hits. Entries are matched by the string list's default comparison. A `len` or
// `limit` below 1 gives an empty list. The caller owns the result.
std::unique_ptr<TStringListWith2LongintList> RepeatedXCharChunks(int len, int min_freq, int limit,
                                                                 const std::u16string& text,
                                                                 const TPercentDoneProc& progress);

// The number of times `pattern` occurs in `text`, overlapping occurrences counted (a search
// that restarts one character after each hit); 0 for an empty pattern.
std::int64_t occurrences_in_text(std::u16string_view text, std::u16string_view pattern);
// occurrences_in_text of each pattern, found in a few passes over the text rather than one
// per pattern.
std::vector<std::int64_t> occurrences_of_each(std::u16string_view text,
                                              const std::vector<std::u16string>& patterns);

}  // namespace corvane
