#pragma once
// A word list or word n-gram list of a whole corpus: the texts read one at a time, whole,
// in their own encoding, and counted into one list. Words are counted as if the texts
// were one text in the order they come (the first spelling met is kept; a text's end
// parts words); n-grams are found in each text on its own, with its line ends read as
// spaces, and the counts added up, so that no n-gram spans two texts or a line end joins
// two words.

#include <cstdint>
#include <memory>
#include <string>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/Corpus_gathering.hpp"
#include "corvane/files/File_utils.hpp"

namespace corvane {

// Reads a gathered text whole: a file or an archive's entry in its own encoding (bytes
// without a byte-order mark decoded as `encoding` chooses), a word-processor document as
// its paragraphs; lines end in CR LF. False, with the reason in `why` and `text` empty,
// when it cannot be read (missing, no regular file, no text, an entry larger than
// `entry_limit` bytes...). `report`, when given, tells how it was decoded.
bool read_corpus_text(const gathered_text& gathered, const text_encoding_choice& encoding,
                      entry_reader& entries, std::u16string& text, std::string& why,
                      text_reading_report* report = nullptr,
                      std::uint64_t entry_limit = std::uint64_t{512} << 20);

struct corpus_word_list_options {
  int ngrams = 0;         // 0: words; N >= 1: N-grams
  int min_length = 1;     // shortest word, or (with ngrams) shortest n-gram, in code units
  int longest_tag = 100;  // for n-grams: how far a "<" without ">" reaches
  bool by_freq = false;   // frequency order (descending, then by code unit), else alphabetical
  text_encoding_choice encoding;  // how texts without a byte-order mark are decoded
  std::uint64_t entry_limit = std::uint64_t{512} << 20;  // the largest archive entry read
};

class corpus_word_list {
 public:
  explicit corpus_word_list(const corpus_word_list_options& options);
  ~corpus_word_list();
  corpus_word_list(const corpus_word_list&) = delete;
  corpus_word_list& operator=(const corpus_word_list&) = delete;

  // Reads a gathered text (a file, an archive's entry, or a word-processor document's
  // paragraphs) and counts it. False, with the reason in `why` and nothing counted, when it
  // cannot be read. `report`, when given, tells how the text was decoded.
  bool add(const gathered_text& text, std::string& why, text_reading_report* report = nullptr);
  // Counts a text already in memory (its line ends are read as spaces for n-grams).
  void add_text(std::u16string text);

  // Told the percentage of the current text done (n-grams only).
  TPercentProgress progress;

  std::size_t texts() const { return texts_; }
  std::size_t entries() const { return index_.size(); }
  // Words or n-grams counted.
  std::int64_t tokens() const { return index_.tokens(); }
  // The list, sorted as the options say (frequencies in the object slots).
  std::unique_ptr<TStringList> list() const;

 private:
  corpus_word_list_options options_;
  word_frequency_index index_;
  entry_reader entries_;
  std::size_t texts_ = 0;
};

}  // namespace corvane
