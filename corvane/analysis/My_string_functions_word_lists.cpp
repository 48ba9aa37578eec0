// Word lists, word n-grams and the bag-of-words comparison of two texts.
//
// A list's entries are unique under the string list's comparison (the collator of the
// default locale, case ignored), with the first spelling met kept. Looking every word up
// by binary search with the collator would cost about log2(types) collations per word;
// here each word is looked up by a hash of its exact spelling, and only a spelling not
// seen before is looked up by its collation sort key (equal sort keys are exactly equal
// collations). The sorted string list is made once at the end, ordered by those sort keys,
// which order as the collator compares.
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_map>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/System_text.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

// ---- Character classes

// How the n-gram walk takes a character.
enum class ngram_class : std::uint8_t {
  word,       // letters and numbers (L*, N*)
  separator,  // Zs, Zl, Zp
  slide,      // Pc, Pd and the comma: the word ends, the window slides on
  reset,      // other punctuation and marks: the word ends, a full window starts afresh
  tag_open,   // "<"
  symbol,     // other symbols, and control, format, unassigned, private-use, surrogate
};

struct class_tables {
  // Bit 0: letter or decimal digit (a word character of the word lists); bits 1..3: the
  // n-gram class. For the code units of the basic plane; surrogates as themselves.
  std::uint8_t bmp[0x10000];
  class_tables() {
    for (UChar32 c = 0; c < 0x10000; ++c) bmp[c] = make(c);
  }
  static std::uint8_t make(UChar32 c) {
    const std::int8_t k = u_charType(c);
    const bool letter_or_digit =
        (k >= U_UPPERCASE_LETTER && k <= U_OTHER_LETTER) || k == U_DECIMAL_DIGIT_NUMBER;
    ngram_class g = ngram_class::symbol;
    switch (k) {
      case U_UPPERCASE_LETTER:
      case U_LOWERCASE_LETTER:
      case U_TITLECASE_LETTER:
      case U_MODIFIER_LETTER:
      case U_OTHER_LETTER:
      case U_DECIMAL_DIGIT_NUMBER:
      case U_LETTER_NUMBER:
      case U_OTHER_NUMBER:
        g = ngram_class::word;
        break;
      case U_SPACE_SEPARATOR:
      case U_LINE_SEPARATOR:
      case U_PARAGRAPH_SEPARATOR:
        g = ngram_class::separator;
        break;
      case U_CONNECTOR_PUNCTUATION:
      case U_DASH_PUNCTUATION:
        g = ngram_class::slide;
        break;
      case U_NON_SPACING_MARK:
      case U_ENCLOSING_MARK:
      case U_COMBINING_SPACING_MARK:
      case U_START_PUNCTUATION:
      case U_END_PUNCTUATION:
      case U_INITIAL_PUNCTUATION:
      case U_FINAL_PUNCTUATION:
      case U_OTHER_PUNCTUATION:
        g = c == u',' ? ngram_class::slide : ngram_class::reset;
        break;
      default:
        g = c == u'<' ? ngram_class::tag_open : ngram_class::symbol;
        break;
    }
    return static_cast<std::uint8_t>((letter_or_digit ? 1 : 0) | (static_cast<int>(g) << 1));
  }
};

const class_tables& tables() {
  static const class_tables t;
  return t;
}

// The class bits of the character at text[i], and its width in code units (2 for a
// surrogate pair, whose code point is classed; a lone surrogate is classed as itself).
inline std::uint8_t class_at(const class_tables& t, std::u16string_view text, std::size_t i,
                             std::size_t& width) {
  const char16_t c = text[i];
  width = 1;
  if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
    width = 2;
    return class_tables::make(U16_GET_SUPPLEMENTARY(c, text[i + 1]));
  }
  return t.bmp[c];
}

inline bool is_word_char(std::uint8_t bits) {
  return (bits & 1) != 0;
}
inline ngram_class ngram_of(std::uint8_t bits) {
  return static_cast<ngram_class>(bits >> 1);
}

// The yield procedure once per character walked, as every long loop calls it; nothing
// when none is set.
inline void yield() {
  if (AYieldProcessProc) MyYieldProcess();
}

// Calls on_word(start, length) for every maximal run of word characters.
template <class F>
void walk_words(std::u16string_view text, F&& on_word) {
  const class_tables& t = tables();
  const std::size_t n = text.size();
  std::size_t start = 0;
  bool in_word = false;
  for (std::size_t i = 0; i < n;) {
    yield();
    std::size_t w = 1;
    const char16_t c = text[i];
    const bool word =
        (c < 0xD800 || c > 0xDFFF) ? is_word_char(t.bmp[c]) : is_word_char(class_at(t, text, i, w));
    if (word) {
      if (!in_word) start = i;
      in_word = true;
    } else if (in_word) {
      on_word(start, i - start);
      in_word = false;
    }
    i += w;
  }
  if (in_word) on_word(start, n - start);
}

// ---- Hashing

inline std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xd6e8feb86659fd93ULL;
  h ^= h >> 32;
  return h;
}

std::uint64_t hash_units(std::u16string_view s) {
  std::uint64_t h = 0x9e3779b97f4a7c15ULL ^ s.size();
  std::size_t i = 0;
  for (; i + 4 <= s.size(); i += 4) {
    std::uint64_t v;
    std::memcpy(&v, s.data() + i, 8);
    h = (h ^ v) * 0x100000001b3ULL;
    h ^= h >> 29;
  }
  for (; i < s.size(); ++i) h = (h ^ s[i]) * 0x100000001b3ULL;
  return mix(h);
}

std::uint64_t hash_bytes(std::string_view s) {
  std::uint64_t h = 0xcbf29ce484222325ULL ^ s.size();
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t v;
    std::memcpy(&v, s.data() + i, 8);
    h = (h ^ v) * 0x100000001b3ULL;
    h ^= h >> 29;
  }
  for (; i < s.size(); ++i) h = (h ^ static_cast<unsigned char>(s[i])) * 0x100000001b3ULL;
  return mix(h);
}

// Whether the n code units at p are s's; inline, as words are short.
inline bool same_units(const char16_t* p, std::u16string_view s) {
  for (std::size_t k = 0; k < s.size(); ++k)
    if (p[k] != s[k]) return false;
  return true;
}

// ---- Collation keys

// Sort keys of the collator a string list compares with (the default locale's, secondary
// strength when case is ignored, tertiary otherwise): equal keys for strings it takes as
// equal, and keys that order, byte by byte, as it compares. Without a collator the code
// units themselves, high byte first, which order as the ordinal comparison does.
class collation_keys {
 public:
  explicit collation_keys(bool case_sensitive) : collator_(thread_collator(case_sensitive)) {
    buffer_.resize(256);
  }
  collation_keys(const collation_keys&) = delete;
  collation_keys& operator=(const collation_keys&) = delete;

  // The key of s, without the closing zero; valid until the next call.
  std::string_view key(std::u16string_view s) {
    if (collator_ == nullptr || s.size() > 0x3fffffff) {
      buffer_.resize(s.size() * 2);
      for (std::size_t i = 0; i < s.size(); ++i) {
        buffer_[2 * i] = static_cast<std::uint8_t>(s[i] >> 8);
        buffer_[2 * i + 1] = static_cast<std::uint8_t>(s[i]);
      }
      return {reinterpret_cast<const char*>(buffer_.data()), buffer_.size()};
    }
    for (;;) {
      const std::int32_t need =
          ucol_getSortKey(collator_, s.data(), static_cast<std::int32_t>(s.size()), buffer_.data(),
                          static_cast<std::int32_t>(buffer_.size()));
      if (need <= 0) return {};
      if (static_cast<std::size_t>(need) <= buffer_.size())
        return {reinterpret_cast<const char*>(buffer_.data()), static_cast<std::size_t>(need - 1)};
      buffer_.resize(static_cast<std::size_t>(need) * 2);
    }
  }

 private:
  // The thread's collator of that strength for the default locale, opened once and again
  // when the default locale changes; null when none can be opened.
  static UCollator* thread_collator(bool case_sensitive) {
    struct closer {
      void operator()(UCollator* c) const { ucol_close(c); }
    };
    struct cache {
      std::string locale;
      std::unique_ptr<UCollator, closer> by_strength[2];
    };
    thread_local cache c;
    const std::string locale = default_icu_locale();
    if (locale != c.locale) {
      c.locale = locale;
      c.by_strength[0].reset();
      c.by_strength[1].reset();
    }
    auto& slot = c.by_strength[case_sensitive ? 1 : 0];
    if (!slot) {
      UErrorCode status = U_ZERO_ERROR;
      UCollator* opened = ucol_open(locale.c_str(), &status);
      if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        opened = ucol_open("", &status);
      }
      if (U_FAILURE(status) || opened == nullptr) return nullptr;
      ucol_setStrength(opened, case_sensitive ? UCOL_TERTIARY : UCOL_SECONDARY);
      slot.reset(opened);
    }
    return slot.get();
  }

  UCollator* collator_ = nullptr;
  std::vector<std::uint8_t> buffer_;
};

// Byte order of two keys without their closing zeros; a key that is a prefix of the other
// comes first, as the zero-terminated keys compare.
inline bool key_less(std::string_view a, std::string_view b) {
  return a < b;
}

// A string list made in its final order: declaring it sorted does not sort it again.
class ordered_string_list : public TStringList {
 public:
  void declare_sorted() {
    adopting_ = true;
    SetSorted(true);
    adopting_ = false;
  }
  void Sort() override {
    if (!adopting_) TStringList::Sort();
  }

 private:
  bool adopting_ = false;
};

inline std::int32_t slot_value(std::int64_t f) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      f, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

// ---- The index

struct word_frequency_index::impl {
  // One slot of the spelling table: everything a look-up compares sits in the slot, so
  // that a word already met costs one slot, its characters and its entry.
  struct spelling_slot {
    std::uint64_t hash;
    std::uint64_t offset;  // of the spelling in `chars`
    std::uint32_t length;
    std::uint32_t entry;  // entry index + 1; 0: an empty slot
  };
  struct entry_rec {
    std::uint64_t spelling_offset;  // the first spelling
    std::uint32_t spelling_length;
    std::uint32_t key_length;
    std::uint64_t key_offset;
    std::uint64_t key_hash;
    std::int64_t freq;
  };

  explicit impl(bool case_sensitive) : keys(case_sensitive) {
    spelling_table.assign(1024, spelling_slot{});
    key_table.assign(1024, 0);
  }

  collation_keys keys;
  std::u16string chars;   // every spelling, one after another
  std::string key_bytes;  // every entry's sort key, one after another
  std::vector<entry_rec> entries;
  std::vector<spelling_slot> spelling_table;  // open addressing
  std::size_t spellings = 0;
  std::vector<std::uint32_t> key_table;  // entry index + 1, 0 empty
  std::int64_t tokens = 0;

  std::u16string_view spelling_of(const entry_rec& e) const {
    return std::u16string_view(chars).substr(e.spelling_offset, e.spelling_length);
  }
  std::string_view key_of(const entry_rec& e) const {
    return std::string_view(key_bytes).substr(e.key_offset, e.key_length);
  }

  // The entry index of the spelling s, or -1.
  std::int64_t find_spelling(std::u16string_view s, std::uint64_t h) const {
    const std::size_t mask = spelling_table.size() - 1;
    const char16_t* base = chars.data();
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
      const spelling_slot& slot = spelling_table[i];
      if (slot.entry == 0) return -1;
      if (slot.hash == h && slot.length == s.size() && same_units(base + slot.offset, s))
        return static_cast<std::int64_t>(slot.entry) - 1;
    }
  }
  std::int64_t find_key(std::string_view k, std::uint64_t h) const {
    const std::size_t mask = key_table.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
      const std::uint32_t v = key_table[i];
      if (v == 0) return -1;
      const entry_rec& e = entries[v - 1];
      if (e.key_hash == h && key_of(e) == k) return v - 1;
    }
  }

  void add_spelling(std::u16string_view s, std::uint64_t h, std::uint32_t entry) {
    if ((spellings + 1) * 2 > spelling_table.size()) {
      std::vector<spelling_slot> bigger(spelling_table.size() * 2, spelling_slot{});
      const std::size_t mask = bigger.size() - 1;
      for (const spelling_slot& slot : spelling_table) {
        if (slot.entry == 0) continue;
        std::size_t i = slot.hash & mask;
        while (bigger[i].entry != 0) i = (i + 1) & mask;
        bigger[i] = slot;
      }
      spelling_table.swap(bigger);
    }
    const std::size_t mask = spelling_table.size() - 1;
    std::size_t i = h & mask;
    while (spelling_table[i].entry != 0) i = (i + 1) & mask;
    spelling_table[i] = {h, chars.size(), static_cast<std::uint32_t>(s.size()), entry + 1};
    chars.append(s);
    ++spellings;
  }

  void add_key(std::uint64_t kh, std::uint32_t index) {
    if ((entries.size() + 1) * 2 > key_table.size()) {
      std::vector<std::uint32_t> bigger(key_table.size() * 2, 0);
      const std::size_t mask = bigger.size() - 1;
      for (const std::uint32_t v : key_table) {
        if (v == 0) continue;
        std::size_t i = entries[v - 1].key_hash & mask;
        while (bigger[i] != 0) i = (i + 1) & mask;
        bigger[i] = v;
      }
      key_table.swap(bigger);
    }
    const std::size_t mask = key_table.size() - 1;
    std::size_t i = kh & mask;
    while (key_table[i] != 0) i = (i + 1) & mask;
    key_table[i] = index + 1;
  }

  // The entry of s, made when `make`; -1 when absent and not made. `made` tells which.
  std::int64_t entry_of(std::u16string_view s, bool make, bool& made) {
    made = false;
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) return -1;
    const std::uint64_t h = hash_units(s);
    const std::int64_t known = find_spelling(s, h);
    if (known >= 0) return known;
    const std::string_view k = keys.key(s);
    const std::uint64_t kh = hash_bytes(k);
    const std::int64_t e = find_key(k, kh);
    if (e >= 0) {
      // Another spelling of an entry: remembered, so that it is found by its hash next time.
      if (make) add_spelling(s, h, static_cast<std::uint32_t>(e));
      return e;
    }
    if (!make) return -1;
    if (entries.size() >= std::numeric_limits<std::uint32_t>::max() - 1) return -1;
    const auto index = static_cast<std::uint32_t>(entries.size());
    entry_rec rec{};
    rec.key_offset = key_bytes.size();
    rec.key_length = static_cast<std::uint32_t>(k.size());
    rec.key_hash = kh;
    rec.spelling_offset = chars.size();
    rec.spelling_length = static_cast<std::uint32_t>(s.size());
    key_bytes.append(k);
    entries.push_back(rec);
    add_key(kh, index);
    add_spelling(s, h, index);
    made = true;
    return index;
  }
  // entry_of without making or remembering anything.
  std::int64_t lookup(std::u16string_view s) {
    const std::uint64_t h = hash_units(s);
    const std::int64_t known = find_spelling(s, h);
    if (known >= 0) return known;
    const std::string_view k = keys.key(s);
    return find_key(k, hash_bytes(k));
  }
};

word_frequency_index::word_frequency_index(bool case_sensitive)
    : m_(std::make_unique<impl>(case_sensitive)) {}

word_frequency_index::~word_frequency_index() = default;

bool word_frequency_index::add(std::u16string_view spelling, std::int64_t amount) {
  bool made = false;
  const std::int64_t e = m_->entry_of(spelling, true, made);
  if (e < 0) return false;
  m_->entries[e].freq += amount;
  m_->tokens += amount;
  return made;
}

std::int64_t word_frequency_index::frequency(std::u16string_view spelling) const {
  const std::int64_t e = m_->lookup(spelling);
  return e < 0 ? 0 : m_->entries[e].freq;
}

std::size_t word_frequency_index::size() const {
  return m_->entries.size();
}

std::int64_t word_frequency_index::tokens() const {
  return m_->tokens;
}

std::unique_ptr<TStringList> word_frequency_index::list(bool sort_by_freq,
                                                        std::size_t min_length) const {
  const impl& m = *m_;
  // Sorted as records that hold the first bytes of what they are ordered by, so that most
  // comparisons are settled without reaching into the spellings or keys.
  struct item {
    std::uint32_t rank;  // frequency descending, or 0
    std::uint32_t index;
    std::uint64_t prefix;
  };
  std::vector<item> order;
  order.reserve(m.entries.size());
  for (std::uint32_t i = 0; i < m.entries.size(); ++i) {
    const impl::entry_rec& e = m.entries[i];
    if (e.spelling_length < min_length) continue;
    item it{0, i, 0};
    if (sort_by_freq) {
      it.rank = static_cast<std::uint32_t>(std::int64_t{INT32_MAX} - slot_value(e.freq));
      const std::u16string_view sp = m.spelling_of(e);
      for (std::size_t k = 0; k < 4; ++k)
        it.prefix = (it.prefix << 16) | (k < sp.size() ? sp[k] : 0);
    } else {
      const std::string_view key = m.key_of(e);
      for (std::size_t k = 0; k < 8; ++k)
        it.prefix = (it.prefix << 8) | (k < key.size() ? static_cast<unsigned char>(key[k]) : 0);
    }
    order.push_back(it);
  }
  std::sort(order.begin(), order.end(), [&](const item& a, const item& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (sort_by_freq) return m.spelling_of(m.entries[a.index]) < m.spelling_of(m.entries[b.index]);
    return key_less(m.key_of(m.entries[a.index]), m.key_of(m.entries[b.index]));
  });
  auto result = std::make_unique<ordered_string_list>();
  result->SetCapacity(static_cast<std::int32_t>(
      std::min<std::size_t>(order.size(), std::numeric_limits<std::int32_t>::max())));
  for (const item& it : order) {
    const impl::entry_rec& e = m.entries[it.index];
    result->AddObject(std::u16string(m.spelling_of(e)), object_from_int(slot_value(e.freq)));
  }
  if (!sort_by_freq) result->declare_sorted();
  return result;
}

// ---- Words

std::size_t trailing_word_start(std::u16string_view text) {
  const class_tables& t = tables();
  std::size_t i = text.size();
  while (i > 0) {
    const std::size_t at =
        i >= 2 && U16_IS_TRAIL(text[i - 1]) && U16_IS_LEAD(text[i - 2]) ? i - 2 : i - 1;
    std::size_t w = 1;
    if (!is_word_char(class_at(t, text, at, w))) break;
    i = at;
  }
  return i;
}

void add_words_of_text(std::u16string_view text, int min_length, word_frequency_index& index) {
  walk_words(text, [&](std::size_t start, std::size_t length) {
    if (min_length <= 0 || length >= static_cast<std::size_t>(min_length))
      index.add(text.substr(start, length));
  });
}

std::unique_ptr<TStringList> SimpleTabulonOfTxt(const std::u16string& text, int min_length,
                                                bool sort_by_freq) {
  word_frequency_index index;
  add_words_of_text(text, min_length, index);
  return index.list(sort_by_freq);
}

std::unique_ptr<TStringList> SimpleTabulonOfTxt(const std::u16string& text,
                                                const TWordAcceptanceTest& accept,
                                                bool sort_by_freq) {
  word_frequency_index index;
  const std::u16string_view all(text);
  std::u16string word;
  walk_words(all, [&](std::size_t start, std::size_t length) {
    word.assign(all.substr(start, length));
    if (accept && accept(word)) index.add(word);
  });
  return index.list(sort_by_freq);
}

// ---- N-grams

namespace {

// The window of the n-gram walk: the words joined by single spaces, with a trailing space
// while a word is awaited. Words leave from the front by moving `head`, so that sliding
// costs no copying; the dead front is dropped now and then.
class ngram_window {
 public:
  ngram_window(int n, std::u16string_view text, word_frequency_index& index,
               const TPercentProgress& progress)
      : n_(n), text_(text), index_(index), progress_(progress) {}

  void append(std::u16string_view c) {
    current_.append(c);
    open_ = true;
  }

  // A word ends (when one is open): counted, and either the window is complete, recorded
  // and slid or reset, or a space is appended when `space` says so.
  void word_end(bool space, bool slide, std::size_t position) {
    if (!open_) return;
    open_ = false;
    ++count_;
    if (count_ < n_) {
      if (space) current_ += u' ';
      return;
    }
    record(position);
    if (slide)
      slide_on();
    else
      reset();
  }

 private:
  void record(std::size_t position) {
    const bool made = index_.add(std::u16string_view(current_).substr(head_));
    if (made && progress_)
      progress_(static_cast<int>((position + 1) * 100 / std::max<std::size_t>(text_.size(), 1)));
  }
  void reset() {
    current_.clear();
    head_ = 0;
    count_ = 0;
  }
  // The first word and the space after it leave; a space awaits the next word. A 1-gram
  // window, or one whose words were joined by symbols into one, empties.
  void slide_on() {
    const std::size_t space = n_ == 1 ? std::u16string::npos : current_.find(u' ', head_);
    if (space == std::u16string::npos) {
      reset();
      return;
    }
    head_ = space + 1;
    --count_;
    if (head_ >= 4096 && head_ * 2 >= current_.size()) {
      current_.erase(0, head_);
      head_ = 0;
    }
    current_ += u' ';
  }

  const int n_;
  const std::u16string_view text_;
  word_frequency_index& index_;
  const TPercentProgress& progress_;
  std::u16string current_;
  std::size_t head_ = 0;
  int count_ = 0;
  bool open_ = false;
};

}  // namespace

void add_ngrams_of_text(std::u16string_view text, int n, int longest_tag,
                        word_frequency_index& index, const TPercentProgress& progress) {
  if (n < 1) return;
  const class_tables& t = tables();
  const std::size_t len = text.size();
  const std::size_t tag_limit = longest_tag > 0 ? static_cast<std::size_t>(longest_tag) : 0;
  ngram_window window(n, text, index, progress);

  // From the "<" at i: past the ">", or to the first character below 33 once tag_limit
  // characters have passed (that character is then walked as any other).
  const auto skip_tag = [&](std::size_t i) {
    const std::size_t open = i;
    for (++i; i < len; ++i) {
      yield();
      if (text[i] == u'>') return i + 1;
      if (i - open >= tag_limit && text[i] < 33) return i;
    }
    return len;
  };
  // To the next letter or number, skipping the tags on the way.
  const auto skip_to_word = [&](std::size_t i) {
    while (i < len) {
      yield();
      std::size_t w = 1;
      const std::uint8_t bits = class_at(t, text, i, w);
      const ngram_class g = ngram_of(bits);
      if (g == ngram_class::word) break;
      i = g == ngram_class::tag_open ? skip_tag(i) : i + w;
    }
    return i;
  };

  for (std::size_t i = 0; i < len;) {
    yield();
    std::size_t w = 1;
    const std::uint8_t bits = class_at(t, text, i, w);
    switch (ngram_of(bits)) {
      case ngram_class::word:
        window.append(text.substr(i, w));
        i += w;
        break;
      case ngram_class::separator:
        window.word_end(true, true, i);
        i = skip_to_word(i + w);
        break;
      case ngram_class::slide:
      case ngram_class::reset:
        window.word_end(true, ngram_of(bits) == ngram_class::slide, i);
        i = skip_to_word(i + w);
        break;
      case ngram_class::tag_open:
        i = skip_tag(i);
        break;
      case ngram_class::symbol:
        window.word_end(false, true, i);
        i += w;
        break;
    }
  }
  window.word_end(true, true, len == 0 ? 0 : len - 1);
}

std::unique_ptr<TStringList> SimpleNGramListOfTxt(const std::u16string& text, int n,
                                                  int longest_tag, bool sort_by_freq,
                                                  const TPercentProgress& progress) {
  word_frequency_index index;
  add_ngrams_of_text(text, n, longest_tag, index, progress);
  return index.list(sort_by_freq);
}

// ---- Comparing two lists

TTypeAndTokenAndSinglesDifferences TypeAndTokenDifferences2SimpleWordLists(
    TStringList& first, TStringList& second, float /*first_threshold*/, float threshold,
    std::u16string& last_word) {
  TTypeAndTokenAndSinglesDifferences result;
  // Each list looked up as its own comparison finds words: by sort key.
  const auto keyed = [](TStringList& list, collation_keys& keys) {
    std::unordered_map<std::string, std::int32_t> map;
    map.reserve(static_cast<std::size_t>(list.Count()));
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      MyYieldProcess();
      map.emplace(std::string(keys.key(list.Get(i))), i);
    }
    return map;
  };
  collation_keys first_keys(first.CaseSensitive());
  collation_keys second_keys(second.CaseSensitive());
  const auto in_first = keyed(first, first_keys);
  const auto in_second = keyed(second, second_keys);

  std::int64_t tokens = 0, token_diffs = 0, type_diffs = 0, only_second = 0;
  std::vector<bool> matched(static_cast<std::size_t>(second.Count()), false);
  for (std::int32_t i = 0; i < first.Count(); ++i) {
    MyYieldProcess();
    const std::u16string word = first.Get(i);
    const std::int64_t f = int_from_object(first.GetObject(i));
    tokens += f;
    const auto found = in_second.find(std::string(second_keys.key(word)));
    if (found == in_second.end()) {
      ++type_diffs;
      token_diffs += f;
      last_word = word;
    } else {
      matched[static_cast<std::size_t>(found->second)] = true;
      const std::int64_t g = int_from_object(second.GetObject(found->second));
      token_diffs += g > f ? g - f : f - g;
    }
  }
  for (std::int32_t j = 0; j < second.Count(); ++j) {
    MyYieldProcess();
    if (matched[static_cast<std::size_t>(j)]) continue;
    const std::u16string word = second.Get(j);
    if (in_first.count(std::string(first_keys.key(word))) != 0) continue;
    const std::int64_t g = int_from_object(second.GetObject(j));
    ++type_diffs;
    ++only_second;
    token_diffs += g;
    tokens += g;
    last_word = word;
  }
  result.type_diffs = slot_value(type_diffs);
  result.token_diffs = slot_value(token_diffs);
  const std::int64_t types = first.Count() + only_second;
  result.type_diff_pc =
      types == 0 ? 0.0f : static_cast<float>(static_cast<double>(type_diffs) * 100.0 / types);
  result.token_diff_pc =
      tokens == 0 ? 0.0f : static_cast<float>(static_cast<double>(token_diffs) * 100.0 / tokens);
  result.show_it = !(result.type_diff_pc > threshold && result.token_diff_pc > threshold);
  return result;
}

TFreqDifference BagOfWordsSimilar(const std::u16string& a, const std::u16string& b, int max_diff,
                                  int min_freq, int min_length) {
  TFreqDifference result;
  word_frequency_index first, second;
  add_words_of_text(Uppercase(a), min_length, first);
  add_words_of_text(Uppercase(b), min_length, second);
  const bool first_longer = first.size() > second.size();
  const word_frequency_index& walked = first_longer ? first : second;
  const word_frequency_index& other = first_longer ? second : first;
  const std::unique_ptr<TStringList> list = walked.list(true);
  for (std::int32_t i = 0; i < list->Count(); ++i) {
    MyYieldProcess();
    const std::int64_t f = int_from_object(list->GetObject(i));
    if (f < min_freq) continue;
    const std::u16string word = list->Get(i);
    const std::int64_t g = other.frequency(word);
    const std::int64_t diff = f > g ? f - g : g - f;
    if (diff > max_diff) {
      result.wd = word;
      result.first_text_freq = slot_value(first_longer ? f : g);
      result.second_text_freq = slot_value(first_longer ? g : f);
      break;
    }
  }
  return result;
}

}  // namespace corvane
