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

#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Search_parsing.hpp"

namespace corvane::cli {

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
  std::int64_t words = 0;
  std::uint64_t bytes = 0;  // the file's size
};

// What every text is searched for, and how.
struct SearchPlan {
  std::vector<TSearch_word_format_rec> words;
  std::u16string allow;  // word-internal characters
  std::int32_t max_per_word = 0;
  std::uint32_t lcid = 0;
  bool keep_text = false;  // the output needs the text (context, sort keys)
  bool markers = false;    // count sentences and paragraphs (the class arrays get markers)
};

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
  // Fills r's hits (in text order), words and, when the plan says so, text. `bytes_read`
  // grows as the file is read. Throws what reading or searching throws.
  void search(FileResult& r, std::atomic<std::uint64_t>& bytes_read);

 private:
  const SearchPlan& plan_;
  bool piecewise_;  // no search word can match across a piece boundary
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
  // The worker has finished a text of that many bytes.
  void text_done(unsigned worker, std::uint64_t bytes);
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

}  // namespace corvane::cli
