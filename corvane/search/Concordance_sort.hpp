#pragma once
// The sort of concordance lines: up to three keys, each the hit itself, a word to its left
// or right, or the file name, each ascending or descending; hits equal on every key keep
// their input order.
//
// Keys as the user types them: "N" (the hit), "L1" to "L5" (the n-th word to the left),
// "R1" to "R5" (the n-th word to the right), "F" (the file name), each followed by "+"
// (ascending, the default) or "-" (descending), separated by commas and/or spaces:
// "R1+,N+,F-", "l2 r1".

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct ConcordSortKey {
  char kind;       // 'N', 'L', 'R' or 'F'
  int n;           // 1 to 5 for 'L' and 'R', 0 otherwise
  bool ascending;  // true for "+" (or no sign), false for "-"
};

inline constexpr std::size_t kMaxConcordSortKeys = 3;
inline constexpr int kMaxConcordSortDistance = 5;
// The word-internal characters when the user names none.
inline constexpr std::u16string_view kDefaultAllowedInWords = u"'-";

// Parses the keys the user typed. On success fills keys (one to three of them) and returns
// true; otherwise leaves keys empty, puts a message for the user in error (without a
// program-name prefix) and returns false: no key, an unknown key, a word position outside
// 1 to 5, a key given twice, more than three keys.
bool parse_sort_keys(const std::string& text, std::vector<ConcordSortKey>& keys,
                     std::string& error);

// The keys as the user would type them, comma-separated: "R1+,N+,F-".
std::string sort_keys_text(const std::vector<ConcordSortKey>& keys);

// One hit to be sorted. text is the whole text of the hit's file, position and length the
// hit's offset and length in it, in UTF-16 code units; path is the file's name (may be
// null, which sorts as the empty name). Everything pointed at must outlive the sort.
struct SortableHit {
  std::u16string_view text;
  const std::string* path;
  std::int32_t position;
  std::int32_t length;
};

// The text a key takes for a hit: for 'N' the hit itself, for 'L'/'R' the n-th word to its
// left/right, empty for a word beyond the start or end of the text (and for 'F', which
// sorts on the path). A word is a maximal run of letters and digits (by the type-1
// character classes; a surrogate pair is classed as the character it makes), with the
// combining marks that follow them and the characters of allowed_in_words that stand
// between two of them ("don't", "well-known"). L1 is the last word that ends at or
// before the hit's start, R1 the first that starts at or after the hit's end: a word
// that runs across either edge of the hit is no context word. A position or length
// outside the text is clamped to it.
std::u16string_view sort_key_text(const SortableHit& hit, const ConcordSortKey& key,
                                  std::u16string_view allowed_in_words);

// The order of the hits (indices into hits) under the keys: word and hit texts compare
// case-insensitively by the collation of the locale lcid (accents count, case does not),
// file names by code point. Hits equal on every key keep their input order, and no keys
// at all give the input order. Throws std::invalid_argument for a key that
// parse_sort_keys would not make or for more than three keys.
std::vector<std::size_t> sorted_hit_order(const std::vector<SortableHit>& hits,
                                          const std::vector<ConcordSortKey>& keys,
                                          std::uint32_t lcid, std::u16string_view allowed_in_words);

// Makes the sort keys of hits one hit at a time, so that a host keeps only the keys and not
// the texts. Not thread-safe: one maker per thread. Throws std::invalid_argument for keys
// that parse_sort_keys would not make.
class concordance_key_maker {
 public:
  concordance_key_maker(std::vector<ConcordSortKey> keys, std::uint32_t lcid,
                        std::u16string allowed_in_words);
  ~concordance_key_maker();
  concordance_key_maker(const concordance_key_maker&) = delete;
  concordance_key_maker& operator=(const concordance_key_maker&) = delete;
  // Appends the hit's keys to out: per key, its size as 4 bytes little-endian, then the
  // collation key of sort_key_text (nothing for 'F', which the sorter takes from the path).
  void append(const SortableHit& hit, std::vector<unsigned char>& out);

 private:
  struct impl;
  std::unique_ptr<impl> impl_;
};

// Gathers the keys concordance_key_maker made, hit by hit, and gives their order as
// sorted_hit_order does.
class concordance_sorter {
 public:
  explicit concordance_sorter(std::vector<ConcordSortKey> keys);
  // The next hit's keys as the maker wrote them; path (may be null) must outlive the sort.
  void add(const unsigned char* keys, std::size_t size, const std::string* path);
  std::size_t size() const { return starts_.size(); }
  // The hits' indices in sorted order.
  std::vector<std::size_t> order() const;

 private:
  std::vector<ConcordSortKey> keys_;
  std::vector<unsigned char> bytes_;
  std::vector<std::size_t> starts_;
  std::vector<const std::string*> paths_;
};

}  // namespace corvane
