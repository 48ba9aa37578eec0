#pragma once
// The search of a corpus: many texts, read a piece at a time in any encoding, searched for
// one or more search words by one engine per worker, the hits pushed into a sink that the
// host implements (a concordance printer, a word-list tool, a binding). The host sees the
// texts in the order it gave them and the same results for any number of workers; memory
// stays bounded whatever the texts' sizes.
//
// Also the engine's host protocol for one buffer (search_buffer), which the corpus search
// runs for every piece it reads.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/files/Corpus_gathering.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Concordance_sort.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {

// Which counts the hits' records carry (TSearchStatsRec).
enum class corpus_counts {
  words,      // word numbers only; sentence, paragraph and section positions count words
  structure,  // sentences and paragraphs too: a paragraph is a line with text on it, its
              // sentences cut as SentencesFromParagraph cuts them
};

struct corpus_search_options {
  std::u16string allow = u"'-";   // word-internal characters
  std::uint32_t lcid = 0x0409;    // the texts' language
  std::int32_t max_per_word = 0;  // hits per search word per text; 0: no limit
  corpus_counts counts = corpus_counts::words;
  bool count_only = false;                // hits are counted per text, not reported one by one
  std::int32_t context = 40;              // code units of context on each side of a hit
  std::vector<ConcordSortKey> sort_keys;  // when given, each hit carries its sort keys
  unsigned workers = 0;                   // 0: one per processor
  // Tuning: characters searched at a time, the bytes of a large text searched apart, and
  // whether plain ASCII words are looked for in the raw bytes first (the results are the
  // same either way).
  std::size_t piece = std::size_t{1} << 17;
  std::size_t range = std::size_t{4} << 20;
  bool byte_prefilter = true;
  // A text that is no regular file (a pipe, a FIFO, a device) is read as a stream, at most
  // this many bytes; a longer one is reported and not searched.
  std::uint64_t stream_limit = std::uint64_t{1} << 30;
  // An archive's entry is read into memory, at most this many bytes (the zip component's
  // limit); a longer one is reported and not searched.
  std::uint64_t entry_limit = std::uint64_t{512} << 20;
  // How texts that are neither UTF-8 nor UTF-16 are decoded.
  text_encoding_choice encoding;
};

// A text as the sink sees it.
struct corpus_text {
  std::size_t index = 0;                  // in the list of texts given
  std::string path;                       // an archive's entry: "corpus.zip/a/b.txt"
  std::int32_t number_within_zip = 0;     // an entry's position in its archive; 0: a file
  std::uint64_t size = 0;                 // in bytes
  TTextEncodingKind encoding = enc_none;  // how it is decoded; enc_none when it is unreadable
  // How its encoding was found and what bytes did not decode (set before text_begins).
  text_reading_report reading;
};

// One hit. The views are valid during the sink's call only.
struct corpus_hit {
  std::int64_t number = 0;         // 1 for the text's first hit reported
  std::int64_t position = 0;       // 0-based, in UTF-16 code units of the text
  std::int32_t length = 0;         // the hit extended to the end of its word
  std::int32_t search_number = 0;  // which search word
  TSearchStatsRec counts;
  std::u16string_view left, hit, right;             // at most `context` units each side, never
                                                    // starting or ending inside a surrogate pair
  std::basic_string_view<unsigned char> sort_keys;  // as concordance_key_maker makes them
};

struct corpus_text_end {
  std::int64_t words = 0;  // words searched
  std::int64_t hits = 0;   // hits found (reported or counted)
  std::string error;       // why the text could not be searched; empty when it was
};

// What the host implements. The calls come one at a time, in the texts' order: for every
// text text_begins, its hits, text_ends. Returning false stops the whole search promptly:
// no further call is made, not even text_ends of the text begun.
class corpus_search_sink {
 public:
  virtual ~corpus_search_sink() = default;
  virtual bool text_begins(const corpus_text& text) { return true; }
  virtual bool hit(const corpus_text& text, const corpus_hit& hit) { return true; }
  virtual bool text_ends(const corpus_text& text, const corpus_text_end& end) { return true; }
};

// Bytes searched and texts finished so far. Called from the workers, one call at a time.
using corpus_progress = std::function<void(std::uint64_t bytes, std::size_t texts)>;

// The typed search line as the tools take it: double spaces stripped, split into its
// alternatives (at "/", unless split is false) and each parsed. Empty alternatives are
// dropped.
std::vector<TSearch_word_format_rec> parsed_search_line(std::u16string_view line, bool split);

// Searches the texts (file paths) for the words and reports to the sink. Returns false
// when the sink stopped it. A file whose name ends in ".docx" (any letter case) is
// searched as its paragraphs (DOCXFileText), in one part and not by its bytes; one that is
// no readable zip archive is reported with the reason. A text that cannot be read or is no
// plain text (a zip, a compound document) is reported with an error in text_ends, with the
// system's reason; so is a stream longer than the options' stream_limit. Throws
// std::invalid_argument for no words or bad sort keys, and what the sink or the progress
// callback threw (the search stops at once).
bool search_corpus(const std::vector<std::string>& paths,
                   const std::vector<TSearch_word_format_rec>& words,
                   const corpus_search_options& options, corpus_search_sink& sink,
                   const corpus_progress& progress = {});

// The same over gathered texts (gather_texts). An archive's entry is read with the zip
// component into memory, never unpacked to disk, and searched exactly as a file of its
// bytes would be (a .docx entry as its paragraphs); one larger than the options'
// entry_limit, or that cannot be read, is reported in text_ends. The archive is opened
// once for a run of its entries. A text gathered twice (the same path and entry) is
// searched once, where it first comes; corpus_text::index is its place in `texts`.
bool search_corpus(const std::vector<gathered_text>& texts,
                   const std::vector<TSearch_word_format_rec>& words,
                   const corpus_search_options& options, corpus_search_sink& sink,
                   const corpus_progress& progress = {});

// One buffer searched by the engine's host protocol, as every host of the engine runs it:
// the jump position of an earlier buffer is cleared (Global_in_heading carries on; a host
// clears it at a text's start), the buffer and its class words (`classes[0, m)`, built by
// the caller with any markers, and two spare words after them that this sets to 0) are
// handed to PrepareForConcordancing, the word-internal characters `allow` are marked
// (HandleAllowables), and each word is searched with its counts carried in and out through
// `stats` (one per word: the state after the buffer before, then after this one). A word
// whose n_to_find is negative is skipped. `buffer_start` is the class word the matcher takes
// as preceded by a boundary (null: the first). Hits go to on_found with
// current_search_number the word's index; its result says whether the hit counts towards
// the word's n_to_find. False when the host called the engine's FoundEnough or Cancel from
// on_found (the remaining words are not searched).
bool search_buffer(TSearchAndDoEngine& engine, const std::u16string& file_name,
                   const char16_t* buffer, std::uint16_t* classes, std::size_t m,
                   std::uint64_t file_size, const std::u16string& allow,
                   std::vector<TSearch_word_format_rec>& words, std::vector<TSearchStatsRec>& stats,
                   const TSearchFoundEvent& on_found, const std::uint16_t* buffer_start = nullptr);

}  // namespace corvane
