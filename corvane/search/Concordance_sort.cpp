// The sort of concordance lines: the keys the user types, the context words round a hit,
// and a three-key sort of the hits on the library's sortable list.

#include "corvane/search/Concordance_sort.hpp"

#include <unicode/uchar.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

#include "corvane/containers/Sortablelists.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/platform/Locales.hpp"

namespace corvane {

namespace {

// ---- The keys as typed

bool is_separator(char c) {
  return c == ',' || c == ' ' || c == '\t';
}

char ascii_upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string key_name(const ConcordSortKey& key) {
  std::string name(1, key.kind);
  if (key.kind == 'L' || key.kind == 'R') name += std::to_string(key.n);
  return name;
}

// One key such as "r1+", "N" or "F-".
bool parse_one_key(const std::string& token, ConcordSortKey& key, std::string& error) {
  const std::string unknown = "unknown sort key \"" + token +
                              "\": the keys are N, L1 to L5, R1 to R5 and F, each followed by "
                              "+ (ascending) or - (descending)";
  key = {ascii_upper(token[0]), 0, true};
  std::size_t i = 1;
  switch (key.kind) {
    case 'N':
    case 'F':
      break;
    case 'L':
    case 'R': {
      const std::size_t digits_start = i;
      while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i;
      if (i == digits_start) {
        error = "sort key \"" + token + "\" needs a word position: " + key.kind + "1 to " +
                key.kind + std::to_string(kMaxConcordSortDistance);
        return false;
      }
      // More digits than a position can have are out of range whatever they say.
      const std::string digits = token.substr(digits_start, i - digits_start);
      key.n = digits.size() > 2 ? kMaxConcordSortDistance + 1 : std::stoi(digits);
      break;
    }
    default:
      error = unknown;
      return false;
  }
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    key.ascending = token[i] == '+';
    ++i;
  }
  if (i != token.size()) {
    error = unknown;
    return false;
  }
  if ((key.kind == 'L' || key.kind == 'R') && (key.n < 1 || key.n > kMaxConcordSortDistance)) {
    error = "sort key \"" + token + "\" is out of range: the context words are L1 to L5 and R1 " +
            "to R5";
    return false;
  }
  return true;
}

bool valid_key(const ConcordSortKey& key) {
  switch (key.kind) {
    case 'N':
    case 'F':
      return true;
    case 'L':
    case 'R':
      return key.n >= 1 && key.n <= kMaxConcordSortDistance;
    default:
      return false;
  }
}

// ---- Words

constexpr std::uint16_t kWordClasses = C1_ALPHA | C1_DIGIT;
// Marks following a letter belong to it; a run of more than this many is not a spelling
// (normalised text never has one) and the excess is not part of the word.
constexpr std::size_t kLongestMarkRun = 32;

bool is_high_surrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low_surrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Which code units of a text belong to words. A word is a maximal run of such units.
class WordUnits {
 public:
  WordUnits(std::u16string_view text, std::u16string_view allowed)
      : text_(text), allowed_(allowed), classes_(char_type1_table()) {}

  std::size_t size() const { return text_.size(); }
  std::u16string_view text() const { return text_; }

  bool in_word(std::size_t i) const {
    if (letter_or_digit(i)) return true;
    const char16_t c = text_[i];
    if (mark(i)) return i > 0 && marked_letter(i - 1);
    // A word-internal character joins two letters: "don't", "well-known". The zero-width
    // joiner and non-joiner do so in every script that spells words with them.
    if (allowed_.find(c) != std::u16string_view::npos || c == 0x200C || c == 0x200D)
      return i > 0 && i + 1 < text_.size() && marked_letter(i - 1) && letter_or_digit(i + 1);
    return false;
  }

 private:
  bool letter_or_digit(std::size_t i) const {
    const char16_t c = text_[i];
    if (classes_[c] & kWordClasses) return true;
    // The table classes code units; a surrogate pair is classed as its character.
    if (is_high_surrogate(c) && i + 1 < text_.size() && is_low_surrogate(text_[i + 1]))
      return (char_type1_of_code_point(pair_value(c, text_[i + 1])) & kWordClasses) != 0;
    if (is_low_surrogate(c) && i > 0 && is_high_surrogate(text_[i - 1]))
      return (char_type1_of_code_point(pair_value(text_[i - 1], c)) & kWordClasses) != 0;
    return false;
  }

  // A combining mark that is no letter itself (the acute of a decomposed "é").
  bool mark(std::size_t i) const {
    const char16_t c = text_[i];
    return classes_[c] == C1_DEFINED && (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
  }

  // A letter or digit, or a mark that follows one.
  bool marked_letter(std::size_t i) const {
    for (std::size_t marks = 0; marks <= kLongestMarkRun; ++marks, --i) {
      if (!mark(i)) return letter_or_digit(i);
      if (i == 0) return false;
    }
    return false;
  }

  static char32_t pair_value(char16_t high, char16_t low) {
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
  }

  std::u16string_view text_;
  std::u16string_view allowed_;
  const std::uint16_t* classes_;
};

// The n-th word that ends at or before `from`, not counting a word that runs across it.
std::u16string_view word_to_left(const WordUnits& w, std::size_t from, int n) {
  std::size_t p = from;
  if (p > 0 && p < w.size() && w.in_word(p) && w.in_word(p - 1)) {
    while (p > 0 && w.in_word(p - 1)) --p;
  }
  for (int k = 1;; ++k) {
    while (p > 0 && !w.in_word(p - 1)) --p;
    if (p == 0) return {};
    const std::size_t end = p;
    while (p > 0 && w.in_word(p - 1)) --p;
    if (k == n) return w.text().substr(p, end - p);
  }
}

// The n-th word that starts at or after `from`, not counting a word that runs across it.
std::u16string_view word_to_right(const WordUnits& w, std::size_t from, int n) {
  std::size_t p = from;
  if (p > 0 && p < w.size() && w.in_word(p - 1) && w.in_word(p)) {
    while (p < w.size() && w.in_word(p)) ++p;
  }
  for (int k = 1;; ++k) {
    while (p < w.size() && !w.in_word(p)) ++p;
    if (p == w.size()) return {};
    const std::size_t start = p;
    while (p < w.size() && w.in_word(p)) ++p;
    if (k == n) return w.text().substr(start, p - start);
  }
}

// The hit's start and end, clamped to its text.
std::pair<std::size_t, std::size_t> hit_span(const SortableHit& hit) {
  const std::int64_t size = static_cast<std::int64_t>(hit.text.size());
  const std::int64_t start = std::clamp<std::int64_t>(hit.position, 0, size);
  const std::int64_t end =
      std::clamp<std::int64_t>(static_cast<std::int64_t>(hit.position) + hit.length, start, size);
  return {static_cast<std::size_t>(start), static_cast<std::size_t>(end)};
}

// ---- Collation keys

struct CollatorCloser {
  void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

// The locale's collator, comparing case-insensitively (secondary strength: accents count,
// case does not), as the library's string comparison does; null when ICU has none.
CollatorPtr open_collator(std::uint32_t lcid) {
  UErrorCode status = U_ZERO_ERROR;
  CollatorPtr collator(ucol_open(icu_locale_or_root(lcid).c_str(), &status));
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    collator.reset(ucol_open("", &status));
    if (U_FAILURE(status)) return nullptr;
  }
  if (collator) ucol_setStrength(collator.get(), UCOL_SECONDARY);
  return collator;
}

// Appends to bytes the key of text whose byte order is the collation's order.
class SortKeyMaker {
 public:
  explicit SortKeyMaker(std::uint32_t lcid) : collator_(open_collator(lcid)), scratch_(256) {}

  void append(std::u16string_view text, std::vector<unsigned char>& bytes) {
    // The empty text (a missing word) gets the empty key, which comes before every other.
    if (text.empty()) return;
    const std::int32_t length =
        static_cast<std::int32_t>(std::min<std::size_t>(text.size(), kMaxIcuLength));
    if (!collator_) {
      // No collator at all: code unit order, each unit as two bytes, high byte first.
      for (std::int32_t i = 0; i < length; ++i) {
        bytes.push_back(static_cast<unsigned char>(text[i] >> 8));
        bytes.push_back(static_cast<unsigned char>(text[i] & 0xFF));
      }
      return;
    }
    std::int32_t needed = ucol_getSortKey(collator_.get(), text.data(), length, scratch_.data(),
                                          static_cast<std::int32_t>(scratch_.size()));
    if (needed > static_cast<std::int32_t>(scratch_.size())) {
      scratch_.resize(static_cast<std::size_t>(needed));
      needed = ucol_getSortKey(collator_.get(), text.data(), length, scratch_.data(), needed);
    }
    // The key ends in a zero byte, which the comparison by length makes redundant.
    if (needed > 1) bytes.insert(bytes.end(), scratch_.begin(), scratch_.begin() + (needed - 1));
  }

 private:
  static constexpr std::size_t kMaxIcuLength = std::numeric_limits<std::int32_t>::max() / 4;
  CollatorPtr collator_;
  std::vector<std::uint8_t> scratch_;
};

// ---- The sort

// A key's bytes, with its first eight as a big-endian number (zero-padded) that orders
// most pairs of keys without looking further.
struct KeyBytes {
  const unsigned char* data;
  std::size_t size;
  std::uint64_t head;
};

KeyBytes key_bytes(const unsigned char* data, std::size_t size) {
  std::uint64_t head = 0;
  for (std::size_t i = 0; i < 8; ++i) head = (head << 8) | (i < size ? data[i] : 0);
  return {data, size, head};
}

// Byte order, a key before every longer key it begins.
int compare_bytes(const KeyBytes& a, const KeyBytes& b) {
  if (a.head != b.head) return a.head < b.head ? -1 : 1;
  const std::size_t common = std::min(a.size, b.size);
  const int c = common <= 8 ? 0 : std::memcmp(a.data + 8, b.data + 8, common - 8);
  if (c != 0) return c < 0 ? -1 : 1;
  return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
}

// A hit as the sort sees it: one key per level and its place in the input.
struct KeyedHit {
  std::array<KeyBytes, kMaxConcordSortKeys> keys;
  std::size_t index;
};

// The sortable list of keyed hits. The key number of each level is the level itself
// (0, 1, 2). Between the quick sorts, the treble sort finds the runs it sorts on the third
// key by the comparison at the second level, and these runs must not join hits whose
// first key differs: there the comparison looks at the keys of the levels above before
// its own. Inside a quick sort, which sorts a run that is equal on those keys, it looks at
// its own key only. On the last level, hits equal on every key compare by their input
// index, so that the quick sort, which is not stable, leaves them in input order.
class KeyedHitList final : public T3SortYieldingList {
 public:
  explicit KeyedHitList(std::int32_t levels) : last_level_(levels - 1) {}

  void DoAPrivateSort(const T3SortCompare& compare, std::int32_t sort_var, std::int32_t first,
                      std::int32_t last) override {
    in_quick_sort_ = true;
    T3SortYieldingList::DoAPrivateSort(compare, sort_var, first, last);
    in_quick_sort_ = false;
  }

  void SetBase(void* item, std::int32_t sort_var) override {
    base_ = static_cast<const KeyedHit*>(item);
    base_var_ = sort_var;
  }

  // Negative when the item comes before the base in ascending order; the list applies the
  // current level's direction.
  std::int32_t Compare(const void* item) const {
    const KeyedHit& hit = *static_cast<const KeyedHit*>(item);
    for (std::int32_t level = in_quick_sort_ ? base_var_ : 0; level <= base_var_; ++level) {
      const int c = compare_bytes(hit.keys[level], base_->keys[level]);
      if (c != 0) return c;
    }
    if (base_var_ != last_level_ || hit.index == base_->index) return 0;
    // Earlier input first, whichever way the last level runs.
    const std::int32_t by_index = hit.index < base_->index ? -1 : 1;
    return fAscending[last_level_] ? by_index : -by_index;
  }

  T3SortCompare Comparison() const {
    return [this](void* item) { return Compare(item); };
  }

 private:
  const KeyedHit* base_ = nullptr;
  std::int32_t base_var_ = 0;
  std::int32_t last_level_;
  bool in_quick_sort_ = false;
};

}  // namespace

bool parse_sort_keys(const std::string& text, std::vector<ConcordSortKey>& keys,
                     std::string& error) {
  keys.clear();
  error.clear();
  std::vector<ConcordSortKey> parsed;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && is_separator(text[i])) ++i;
    if (i == text.size()) break;
    const std::size_t start = i;
    while (i < text.size() && !is_separator(text[i])) ++i;
    ConcordSortKey key;
    if (!parse_one_key(text.substr(start, i - start), key, error)) return false;
    for (const ConcordSortKey& earlier : parsed) {
      if (earlier.kind == key.kind && earlier.n == key.n) {
        error = "sort key \"" + key_name(key) + "\" is given twice";
        return false;
      }
    }
    if (parsed.size() == kMaxConcordSortKeys) {
      error = "at most three sort keys can be given";
      return false;
    }
    parsed.push_back(key);
  }
  if (parsed.empty()) {
    error = "no sort key given: the keys are N, L1 to L5, R1 to R5 and F, such as \"R1+,N+\"";
    return false;
  }
  keys = std::move(parsed);
  return true;
}

std::string sort_keys_text(const std::vector<ConcordSortKey>& keys) {
  std::string text;
  for (const ConcordSortKey& key : keys) {
    if (!text.empty()) text += ',';
    text += key_name(key);
    text += key.ascending ? '+' : '-';
  }
  return text;
}

std::u16string_view sort_key_text(const SortableHit& hit, const ConcordSortKey& key,
                                  std::u16string_view allowed_in_words) {
  const auto [start, end] = hit_span(hit);
  switch (key.kind) {
    case 'N':
      return hit.text.substr(start, end - start);
    case 'L':
      return word_to_left(WordUnits(hit.text, allowed_in_words), start, key.n);
    case 'R':
      return word_to_right(WordUnits(hit.text, allowed_in_words), end, key.n);
    default:
      return {};
  }
}

namespace {

void check_keys(const std::vector<ConcordSortKey>& keys) {
  if (keys.size() > kMaxConcordSortKeys)
    throw std::invalid_argument("at most three sort keys can be given");
  for (const ConcordSortKey& key : keys) {
    if (!valid_key(key)) throw std::invalid_argument("not a sort key: " + key_name(key));
  }
}

void put_size(std::vector<unsigned char>& out, std::size_t at, std::size_t size) {
  const auto n = static_cast<std::uint32_t>(size);
  for (int b = 0; b < 4; ++b) out[at + b] = static_cast<unsigned char>(n >> (8 * b));
}

std::uint32_t get_size(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

struct concordance_key_maker::impl {
  std::vector<ConcordSortKey> keys;
  std::u16string allowed;
  SortKeyMaker maker;
  impl(std::vector<ConcordSortKey> k, std::uint32_t lcid, std::u16string a)
      : keys(std::move(k)), allowed(std::move(a)), maker(lcid) {}
};

concordance_key_maker::concordance_key_maker(std::vector<ConcordSortKey> keys, std::uint32_t lcid,
                                             std::u16string allowed_in_words) {
  check_keys(keys);
  impl_ = std::make_unique<impl>(std::move(keys), lcid, std::move(allowed_in_words));
}

concordance_key_maker::~concordance_key_maker() = default;

void concordance_key_maker::append(const SortableHit& hit, std::vector<unsigned char>& out) {
  for (const ConcordSortKey& key : impl_->keys) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    if (key.kind != 'F') impl_->maker.append(sort_key_text(hit, key, impl_->allowed), out);
    put_size(out, at, out.size() - at - 4);
  }
}

concordance_sorter::concordance_sorter(std::vector<ConcordSortKey> keys) : keys_(std::move(keys)) {
  check_keys(keys_);
}

void concordance_sorter::add(const unsigned char* keys, std::size_t size, const std::string* path) {
  if (starts_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("too many hits to sort");
  starts_.push_back(bytes_.size());
  bytes_.insert(bytes_.end(), keys, keys + size);
  paths_.push_back(path);
}

std::vector<std::size_t> concordance_sorter::order() const {
  const std::size_t n = starts_.size();
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  if (keys_.empty() || n < 2) return order;
  const std::size_t levels = keys_.size();
  std::vector<KeyedHit> keyed(n);
  for (std::size_t i = 0; i < n; ++i) {
    keyed[i].index = i;
    const unsigned char* p = bytes_.data() + starts_[i];
    for (std::size_t level = 0; level < levels; ++level) {
      const std::uint32_t size = get_size(p);
      p += 4;
      KeyBytes& k = keyed[i].keys[level];
      if (keys_[level].kind == 'F') {
        const std::string* path = paths_[i];
        k = path == nullptr
                ? key_bytes(nullptr, 0)
                : key_bytes(reinterpret_cast<const unsigned char*>(path->data()), path->size());
      } else {
        k = key_bytes(p, size);
      }
      p += size;
    }
  }

  KeyedHitList list(static_cast<std::int32_t>(levels));
  list.SetCapacity(static_cast<std::int32_t>(keyed.size()));
  // The final order does not depend on the order the hits go in (every pair of hits
  // differs on some key or on the index), so they go in shuffled, by a fixed sequence:
  // the quick sort's middle pivot then meets no input, however arranged, that drives its
  // recursion deep.
  std::vector<KeyedHit*> items(keyed.size());
  for (std::size_t i = 0; i < keyed.size(); ++i) items[i] = &keyed[i];
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (std::size_t i = items.size() - 1; i > 0; --i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    std::swap(items[i], items[state % (i + 1)]);
  }
  for (KeyedHit* item : items) list.Add(item);

  list.SetAscending(keys_[0].ascending, levels > 1 && keys_[1].ascending,
                    levels > 2 && keys_[2].ascending);
  const T3SortCompare compare = list.Comparison();
  switch (levels) {
    case 1:
      list.DoASingleSort(compare, 0);
      break;
    case 2:
      list.DoADoubleSort(compare, 0, 1);
      break;
    default:
      list.DoATrebleSort(compare, 0, 1, 2);
      break;
  }
  for (std::int32_t i = 0; i < list.Count(); ++i)
    order[static_cast<std::size_t>(i)] = static_cast<const KeyedHit*>(list.Get(i))->index;
  return order;
}

std::vector<std::size_t> sorted_hit_order(const std::vector<SortableHit>& hits,
                                          const std::vector<ConcordSortKey>& keys,
                                          std::uint32_t lcid,
                                          std::u16string_view allowed_in_words) {
  check_keys(keys);
  concordance_sorter sorter(keys);
  if (keys.empty() || hits.size() < 2) {
    std::vector<std::size_t> order(hits.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    return order;
  }
  // Every key is made once, before the sort.
  concordance_key_maker maker(keys, lcid, std::u16string(allowed_in_words));
  std::vector<unsigned char> blob;
  for (const SortableHit& hit : hits) {
    blob.clear();
    maker.append(hit, blob);
    sorter.add(blob.data(), blob.size(), hit.path);
  }
  return sorter.order();
}

}  // namespace corvane
