#pragma once
// The corpus search's pieces, shared by its sources and tests: what a search of one part of
// a text gives, the searcher each worker owns, and the byte-level helpers.

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Corpus_search.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane::detail {

// A blank as the matcher sees one (space, control, horizontal space): a word starts at a
// non-blank character after a blank one.
inline bool is_blank(char16_t c) {
  return (char_type1_table()[c] & kWhitespaceClasses) != 0;
}

// One hit of a part, positions and counts still relative to the part.
struct part_hit {
  std::int64_t position;
  std::int32_t length;
  std::int32_t search_number;
  TSearchStatsRec counts;
  // left, hit and right context one after another in the batch's chars
  std::size_t chars_at;
  std::uint32_t left, hit, right;
  std::size_t keys_at;  // the sort keys in the batch's keys
  std::uint32_t keys;
};

// Hits found and not yet handed on, with their contexts and keys.
struct hit_batch {
  std::vector<part_hit> hits;
  std::u16string chars;
  std::vector<unsigned char> keys;
  void clear() {
    hits.clear();
    chars.clear();
    keys.clear();
  }
  // Empties the batch and gives its memory back.
  void release() {
    std::vector<part_hit>().swap(hits);
    std::u16string().swap(chars);
    std::vector<unsigned char>().swap(keys);
  }
};

// What the search of one part (a whole text or one of its byte ranges) gives.
struct part_output {
  hit_batch batch;                     // hits not yet handed on, in text order
  std::vector<std::int64_t> counted;   // hits of each search word, when only counted
  std::int64_t units = 0;              // the part's length in code units
  std::vector<TSearchStatsRec> stats;  // each search word's counts at the part's end
};

// What every text is searched for, and how.
struct search_plan {
  std::vector<TSearch_word_format_rec> words;
  corpus_search_options options;
  bool markers = false;    // sentence and paragraph counts: the class arrays get markers
  std::size_t window = 0;  // code units of text kept each side of a hit (context, keys)
};

// Where a text's bytes can be cut into ranges that are searched apart and give, joined,
// what the whole text gives: after a line break that a printable ASCII character follows
// (without markers), or at a line break that follows one (with markers). About `target`
// bytes apart; the first cut is 0 and the last n.
std::vector<std::size_t> range_cuts(const unsigned char* p, std::size_t n, std::size_t target,
                                    bool markers);

// The text in a paragraph-and-sentence-marked copy: a paragraph-start and a sentence-start
// marker stand right after the last non-blank character before each paragraph's first
// word, and a sentence-start marker right after the end of each sentence that another
// follows in its paragraph. `text` begins at a piece boundary of the searcher (the start
// of the text or the end of a line's content). `inserted` receives the marked-copy
// positions of the markers, ascending.
void mark_structure(std::u16string_view text, std::uint32_t lcid, std::vector<char16_t>& marked,
                    std::vector<std::uint16_t>& classes, std::vector<std::int32_t>& inserted);

// Where the sentences after the first of a paragraph (a line's content, trailing blanks cut
// off) start, as mark_structure marks them: right after the last non-blank character of the
// sentence before. `ends` is scratch.
void inner_sentence_starts(std::u16string_view para, std::uint32_t lcid, std::vector<int>& ends,
                           std::vector<std::size_t>& starts);

// Called after each piece with the part's output so far; the callee may take the batch's
// hits. False stops the search of the part.
using part_flush = std::function<bool(part_output&)>;

// Searches parts of texts one after another, reusing its buffers: a part is read and
// searched a piece at a time, so that the characters and their class words stay in the
// cache.
class part_searcher {
 public:
  explicit part_searcher(const search_plan& plan);
  ~part_searcher();
  // Searches what `reader` reads: `whole`, or its raw bytes [from, to) (`first` when that
  // starts the text). `bytes_read` follows the reading. Throws what reading or searching
  // throws; false when `flush` stopped it.
  bool search(text_file_reader& whole, std::size_t from, std::size_t to, bool first,
              const std::string& path, part_output& out, const part_flush& flush,
              std::atomic<std::uint64_t>& bytes_read);
  // False when a search word could match across a cut (it holds a blank): texts are then
  // searched whole.
  bool piecewise() const { return piecewise_; }

 private:
  bool search_pieces(text_file_reader& reader, const text_file_reader& whole, std::size_t from,
                     std::size_t to, bool first, part_output& out, const part_flush& flush,
                     std::atomic<std::uint64_t>& bytes_read);
  // The byte prefilter: finds the lines of the raw bytes that may hold a hit and searches
  // just those, counting words and code units on the bytes. False (nothing done) when the
  // words or the text do not allow it, or candidates are so many that the whole part is
  // better searched.
  bool search_by_bytes(const text_file_reader& whole, std::size_t from, std::size_t to, bool first,
                       part_output& out, const part_flush& flush, bool& stopped);
  void prepare_byte_patterns();
  // Searches chars[0, m) (classes built) and adds its hits, sorted, to `found`. `markers`
  // (sorted positions of the markers in chars, or null) are no text: a hit made of
  // markers alone (a wildcard matches their character) is none.
  void search_buffer_words(const char16_t* chars, std::size_t m, std::vector<part_hit>& found,
                           std::vector<std::int64_t>& counted, std::vector<TSearchStatsRec>& stats,
                           const std::vector<std::int32_t>* markers);
  // The hits of `found` (positions in the part's text, `window` covering text positions
  // [window_start, window_start + window_size)) with their contexts, into the pending
  // list; the complete ones move on to the batch.
  void take_hits(std::vector<part_hit>& found, const char16_t* window, std::int64_t window_start,
                 std::size_t window_size, std::int64_t text_start, bool text_ends,
                 part_output& out);
  // The hit with its contexts (`all` holds its left window, the hit and its right window)
  // and sort keys, into the batch.
  void finish_hit(part_hit& h, std::u16string_view all, hit_batch& batch);

  const search_plan& plan_;
  struct state;
  std::unique_ptr<state> s_;
  bool piecewise_;  // no search word can match across a piece boundary
};

// About `units` code units of the text just before (after: just after) raw byte `at` of
// `whole`, decoded into out: the bytes are cut at character boundaries, never between CR
// and LF, and stop at the text's ends.
void decode_window(const text_file_reader& whole, std::size_t at, bool after, std::size_t units,
                   std::u16string& out);

// A hit waiting for the rest of its right context: its left context, the hit and the right
// context so far, one after another.
struct pending_hit {
  part_hit hit;
  std::u16string chars;
  bool complete = false;
};

struct part_searcher::state {
  std::vector<TSearch_word_format_rec> words;
  std::vector<char16_t> buf;
  std::vector<std::uint16_t> classes;
  std::vector<char16_t> marked;
  std::vector<std::int32_t> inserted;
  std::vector<std::int32_t> left;  // hits each word may still give (with a limit)
  std::vector<part_hit> found;
  std::deque<pending_hit> pending;
  std::u16string file_name;
  std::uint64_t file_size = 0;
  std::unique_ptr<concordance_key_maker> keys;
  TSearchAndDoEngine engine;
  // Byte patterns of the prefilter, per search word: the two byte strings every hit's
  // bytes match (at each position one of the two); empty when some word has none.
  std::vector<std::pair<std::string, std::string>> byte_patterns;
  state(std::uint32_t lcid) : engine(true, true, lcid, nullptr) {}
};

// Word starts in the raw bytes [from, to) of a text as the matcher counts them over the
// decoded characters: a non-blank character after a blank one, with a blank before the
// text's first character (`first`) and the spare class word after the last read as
// non-blank. `map` is null for UTF-8 (well-formed), else the 8-bit code page's characters.
std::int64_t count_word_starts(const unsigned char* p, std::size_t from, std::size_t to,
                               const char16_t* map, bool first);

// The kernel behind count_word_starts: word starts (a non-blank byte after a blank one,
// the byte before p[0] blank when `blank_before`) in the leading run of ASCII bytes of
// p[0, n), stopping before the first block that holds a byte of 0x80 or above. Returns the
// bytes consumed; `count` grows, `blank_before` becomes the state after the last byte
// consumed. A byte is blank below 0x21 and at 0x7F.
struct word_start_kernel {
  const char* name;
  std::size_t (*ascii_run)(const unsigned char* p, std::size_t n, std::int64_t& count,
                           unsigned& blank_before);
  // The code units well-formed bytes p[0, n) decode to (UTF-8, or 8-bit when !utf8), with
  // no U+0000 among them: every line break (CR LF, CR, LF) gives two.
  std::uint64_t (*units)(const unsigned char* p, std::size_t n, bool utf8);
};
const word_start_kernel& scalar_word_start_kernel();
// The kernels this processor runs (scalar always; SSE2, AVX2 where supported).
std::vector<const word_start_kernel*> supported_word_start_kernels();
const word_start_kernel& active_word_start_kernel();

}  // namespace corvane::detail
