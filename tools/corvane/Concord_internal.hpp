#pragma once
// corvane concord's pieces: what a search of one text gives, and the searcher each worker
// owns.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Search_parsing.hpp"

namespace corvane::cli {

// A blank as the matcher sees one (space, control, horizontal space): a word starts at a
// non-blank character after a blank one.
inline bool is_blank(char16_t c) {
  return (char_type1_table()[c] & kWhitespaceClasses) != 0;
}

struct Hit {
  std::int32_t position;  // 0-based, in UTF-16 code units of the text
  std::int32_t length;    // the hit extended to the end of its word
  std::int32_t search_number;
  TSearchStatsRec counts;
};

struct FileResult {
  std::string path;
  std::string error;    // why the file could not be searched
  std::u16string text;  // the whole text, when the output needs it
  std::vector<Hit> hits;
  std::int64_t hit_count = 0;  // the hits, also when they are only counted
  std::int64_t words = 0;
  std::uint64_t bytes = 0;  // the file's size
};

// What every text is searched for, and how.
struct SearchPlan {
  std::vector<TSearch_word_format_rec> words;
  std::u16string allow;  // word-internal characters
  std::int32_t max_per_word = 0;
  std::uint32_t lcid = 0;
  bool keep_text = false;   // the output needs the text (context, sort keys)
  bool count_only = false;  // the hits are counted, not kept
  bool markers = false;     // count sentences and paragraphs (the class arrays get markers)
  std::size_t piece = std::size_t{1} << 17;  // characters searched at a time
  std::size_t range = std::size_t{4} << 20;  // bytes of a large text searched apart
};

// One byte range of a text, searched on its own.
struct PartResult {
  std::u16string text;                 // when the plan keeps texts
  std::vector<Hit> hits;               // positions and counts within the part
  std::vector<std::int64_t> counted;   // hits of each search word, when only counted
  std::int64_t units = 0;              // characters of text the part holds
  std::vector<TSearchStatsRec> stats;  // each search word's counts at the part's end
};

// Where a text's bytes can be cut into ranges that are searched apart and give, joined,
// what the whole text gives: after a line break that a printable ASCII character follows
// (without markers), or at a line break that follows one (with markers). About `target`
// bytes apart; the first cut is 0 and the last n.
std::vector<std::size_t> range_cuts(const unsigned char* p, std::size_t n, std::size_t target,
                                    bool markers);

// The parts' hits and counts as one text's: positions and counts run on from part to part.
void join_parts(FileResult& r, std::vector<PartResult>& parts, const SearchPlan& plan);

// The text in a paragraph-and-sentence-marked copy: a paragraph-start and a sentence-start
// marker stand right after the last non-blank character before each paragraph's first
// word, and a sentence-start marker right after the end of each sentence that another
// follows in its paragraph. `text` begins at a piece boundary of the searcher (the start
// of the text or the end of a line's content). `inserted` receives the marked-copy
// positions of the markers, ascending.
void mark_structure(std::u16string_view text, std::uint32_t lcid, std::vector<char16_t>& marked,
                    std::vector<std::uint16_t>& classes, std::vector<std::int32_t>& inserted);

// Searches texts one after another, reusing its buffers: a text is read and searched a
// piece at a time, so that the characters and their class words stay in the cache.
class file_searcher {
 public:
  explicit file_searcher(const SearchPlan& plan);
  // Searches what the reader reads: the whole text, or one of its ranges (`first` when
  // it starts the text). `bytes_read` grows as the reader reads. Throws what reading or
  // searching throws.
  void search(text_file_reader& reader, bool first, const std::string& path, PartResult& out,
              std::atomic<std::uint64_t>& bytes_read);
  // False when a search word could match across a cut (it holds a blank): texts are then
  // searched whole.
  bool piecewise() const { return piecewise_; }

 private:
  void search_pieces(text_file_reader& reader, bool first, const std::string& path, PartResult& out,
                     std::atomic<std::uint64_t>& bytes_read);
  // Counting only: finds the lines of the raw bytes that may hold a hit and searches just
  // those; the words are counted on the bytes. False (nothing done) when the words or the
  // text do not allow it, or candidates are so many that the whole text is better searched.
  bool count_by_bytes(text_file_reader& reader, bool first, const std::string& path,
                      PartResult& out);
  void prepare_byte_patterns();

  const SearchPlan& plan_;
  bool piecewise_;  // no search word can match across a piece boundary
  // Per search word, the two byte patterns every hit's bytes match (at each position one of
  // the two); empty when some word has none.
  std::vector<std::pair<std::string, std::string>> byte_patterns_;
  std::vector<char16_t> buf_;
  std::vector<std::uint16_t> classes_;
  std::vector<char16_t> marked_;
  std::vector<std::int32_t> inserted_;
};

// The progress line of a long run: once a run has taken a second, standard error shows
// the texts done of all and the speed, updated a few times a second, and the line is
// cleared at the end.
class progress_meter {
 public:
  progress_meter(std::size_t texts, unsigned workers, bool enabled, std::ostream& err);
  ~progress_meter();
  progress_meter(const progress_meter&) = delete;
  progress_meter& operator=(const progress_meter&) = delete;
  // The bytes the worker has read of the text it is searching.
  std::atomic<std::uint64_t>& bytes_of(unsigned worker) { return current_[worker]; }
  // The worker has finished a text, or a range of one, of that many bytes.
  void part_done(unsigned worker, std::uint64_t bytes, bool text_finished);
  // Stops the updates and clears the line (when one was shown).
  void finish();
  // The line as it is shown, e.g. "corvane concord: 12/345 texts, 81.2 MB/s".
  static std::string line(std::size_t done, std::size_t texts, double bytes, double seconds);

 private:
  void run();
  std::size_t texts_;
  unsigned workers_;
  std::ostream& err_;
  std::unique_ptr<std::atomic<std::uint64_t>[]> current_;
  std::atomic<std::uint64_t> done_bytes_{0};
  std::atomic<std::size_t> done_texts_{0};
  std::chrono::steady_clock::time_point start_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool shown_ = false;
  std::thread thread_;
};

// Searches every text of `results` (whose paths are set) with `threads` workers, filling
// each result's hits, words, bytes, text (when the plan keeps texts) and error.
void search_texts(std::vector<FileResult>& results, const SearchPlan& plan, unsigned threads,
                  progress_meter& progress);

// Word starts in the raw bytes [from, to) of a text as the matcher counts them over the
// decoded characters: a non-blank character after a blank one, with a blank before the
// text's first character (`first`) and the spare class word after the last read as
// non-blank. `map` is null for UTF-8 (well-formed), else the 8-bit code page's characters.
std::int64_t count_word_starts(const unsigned char* p, std::size_t from, std::size_t to,
                               const char16_t* map, bool first);

}  // namespace corvane::cli
