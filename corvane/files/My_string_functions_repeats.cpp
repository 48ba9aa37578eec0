// Repeated sentences across texts and repeated fixed-length chunks within one text.
#include "corvane/files/My_string_functions_repeats.hpp"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

// Horspool's search keyed on the low byte of each code unit: a shift is the smallest that
// any code unit sharing that byte allows, so no occurrence is ever skipped.
class pattern_finder {
 public:
  explicit pattern_finder(std::u16string_view pattern) : p_(pattern) {
    const std::size_t m = p_.size();
    shift_.fill(m == 0 ? 1 : m);
    for (std::size_t k = 0; k + 1 < m; ++k) shift_[p_[k] & 0xFF] = m - 1 - k;
  }
  // The first occurrence at or after `from` (0-based), or npos.
  std::size_t find(std::u16string_view text, std::size_t from) const {
    const std::size_t m = p_.size();
    if (m == 0 || text.size() < m) return npos;
    const char16_t last = p_[m - 1];
    for (std::size_t i = from; i + m <= text.size();) {
      const char16_t c = text[i + m - 1];
      if (c == last && text.compare(i, m - 1, p_, 0, m - 1) == 0) return i;
      i += shift_[c & 0xFF];
    }
    return npos;
  }

 private:
  std::u16string_view p_;
  std::array<std::size_t, 256> shift_{};
};

int percent_of(std::int64_t part, std::int64_t whole) {
  return whole <= 0 ? 0 : static_cast<int>(part * 100 / whole);
}

// Sentences in descending order, by the list's own comparison.
int sentences_descending(TStringList* list, std::int32_t a, std::int32_t b) {
  return list->CompareStrings(list->Get(b), list->Get(a));
}

int by_total_descending(TStringList* list, std::int32_t a, std::int32_t b) {
  auto* l = static_cast<TStringlistWithListOfOccurrences*>(list);
  const std::int32_t ta = l->total_frequency(a), tb = l->total_frequency(b);
  if (ta != tb) return ta > tb ? -1 : 1;
  return sentences_descending(list, a, b);
}

std::int32_t first_text_number(TStringlistWithListOfOccurrences* l, std::int32_t i) {
  TListOfOccurrences* o = l->GetAListOfOccurrences(i);
  return o != nullptr && o->Count() > 0 ? o->GetADouble(0).long0 : -1;
}

int by_first_text_ascending(TStringList* list, std::int32_t a, std::int32_t b) {
  auto* l = static_cast<TStringlistWithListOfOccurrences*>(list);
  const std::int32_t fa = first_text_number(l, a), fb = first_text_number(l, b);
  if (fa != fb) return fa < fb ? -1 : 1;
  return sentences_descending(list, a, b);
}

}  // namespace

std::int64_t occurrences_in_text(std::u16string_view text, std::u16string_view pattern) {
  if (pattern.empty()) return 0;
  const pattern_finder finder(pattern);
  std::int64_t n = 0;
  for (std::size_t i = finder.find(text, 0); i != npos; i = finder.find(text, i + 1)) ++n;
  return n;
}

std::vector<std::int64_t> occurrences_of_each(std::u16string_view text,
                                              const std::vector<std::u16string>& patterns) {
  // Patterns are keyed by the hash of their first min(length, kKey) code units; one rolling
  // pass over the text per key length finds every place where some key occurs, and only
  // the patterns with that key are compared there.
  constexpr std::size_t kKey = 16;
  constexpr std::uint64_t kBase = 0x100000001B3ull;
  std::vector<std::int64_t> counts(patterns.size(), 0);
  for (std::size_t key = 1; key <= kKey; ++key) {
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> by_key;
    const auto hash_of = [&](std::u16string_view s) {
      std::uint64_t h = 0;
      for (char16_t c : s) h = h * kBase + c;
      return h;
    };
    for (std::size_t i = 0; i < patterns.size(); ++i) {
      const std::u16string& pattern = patterns[i];
      if (pattern.empty() || std::min(pattern.size(), kKey) != key) continue;
      const std::uint64_t h = hash_of(std::u16string_view(pattern).substr(0, key));
      by_key[h].push_back(static_cast<std::uint32_t>(i));
    }
    if (by_key.empty() || text.size() < key) continue;
    // A bit per key hash (about 16 bits per key), to pass over most places without a
    // look-up; sized by the keys, so a short text with few sentences costs little.
    int filter_shift = 64 - 6;
    while ((std::size_t{1} << (64 - filter_shift)) < by_key.size() * 16) --filter_shift;
    const auto slot = [filter_shift](std::uint64_t h) {
      return static_cast<std::size_t>((h * 0x9E3779B97F4A7C15ull) >> filter_shift);
    };
    std::vector<bool> filter(std::size_t{1} << (64 - filter_shift), false);
    for (const auto& entry : by_key) filter[slot(entry.first)] = true;
    std::uint64_t top = 1;  // kBase^(key - 1)
    for (std::size_t k = 1; k < key; ++k) top *= kBase;
    std::uint64_t h = hash_of(text.substr(0, key));
    for (std::size_t i = 0;; ++i) {
      if (filter[slot(h)]) {
        const auto hit = by_key.find(h);
        if (hit != by_key.end())
          for (const std::uint32_t k : hit->second) {
            const std::u16string& pattern = patterns[k];
            if (pattern.size() <= text.size() - i && text.compare(i, pattern.size(), pattern) == 0)
              ++counts[k];
          }
      }
      if (i + key >= text.size()) break;
      h = (h - text[i] * top) * kBase + text[i + key];
    }
  }
  return counts;
}

// ---- TStringlistWithListOfOccurrences

TStringlistWithListOfOccurrences::TStringlistWithListOfOccurrences()
    : TIndexCheckStringlist(false) {
  SetSorted(true);
}

TStringlistWithListOfOccurrences::~TStringlistWithListOfOccurrences() {
  Clear();
}

std::int32_t TStringlistWithListOfOccurrences::AddOrIncOneByFreq(const std::u16string& sentence,
                                                                 std::int32_t text_number,
                                                                 std::int32_t frequency) {
  std::int32_t i = IndexOf(sentence);
  if (i < 0) {
    auto list = std::make_unique<TListOfOccurrences>();
    i = AddObject(sentence, list.get());
    list.release();
  }
  TListOfOccurrences* o = GetAListOfOccurrences(i);
  const std::int32_t k = o->LongIndexOf(text_number, t2_long0);
  if (k >= 0)
    o->AddToOneFreq(k, frequency, t2_long1);
  else
    o->AddOne(T2_longint_rec{text_number, frequency});
  return i;
}

TListOfOccurrences* TStringlistWithListOfOccurrences::GetAListOfOccurrences(
    std::int32_t index) const {
  if (!IndexAssignedOK(index)) return nullptr;
  return static_cast<TListOfOccurrences*>(GetObject(index));
}

void TStringlistWithListOfOccurrences::Delete(std::int32_t index) {
  TListOfOccurrences* o = GetAListOfOccurrences(index);
  TIndexCheckStringlist::Delete(index);
  delete o;
}

void TStringlistWithListOfOccurrences::Clear() {
  for (std::int32_t i = Count() - 1; i >= 0; --i) {
    delete GetAListOfOccurrences(i);
    PutObject(i, nullptr);
  }
  TIndexCheckStringlist::Clear();
}

std::int32_t TStringlistWithListOfOccurrences::Repeateds() const {
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TListOfOccurrences* o = GetAListOfOccurrences(i);
    if (o != nullptr && o->Count() > 1) ++n;
  }
  return n;
}

std::int32_t TStringlistWithListOfOccurrences::total_frequency(std::int32_t index) const {
  TListOfOccurrences* o = GetAListOfOccurrences(index);
  return o == nullptr ? 0 : o->TotalOf(t2_long1);
}

void TStringlistWithListOfOccurrences::SortAllOccurrencesFreqDescending() {
  SetSorted(false);
  CustomSort(by_total_descending);
}

void TStringlistWithListOfOccurrences::SortAllOccurrencesFileAscending() {
  SetSorted(false);
  CustomSort(by_first_text_ascending);
}

// ---- TRepeatedChunks

TRepeatedChunks::TRepeatedChunks()
    : display_index(std::make_unique<TCVLongintList>()),
      fnames(std::make_unique<TFolderEfficientFileStringlist>()),
      chunks_list(std::make_unique<TStringlistWithListOfOccurrences>()) {}

TRepeatedChunks::~TRepeatedChunks() {
  Clear();
}

void TRepeatedChunks::SetSettings(bool include_unterminated_sentences_, int tag_span_,
                                  int min_hits_, int min_sentence_length_,
                                  TProgressChangedFunct this_reporting_,
                                  TProgressChangedFunct overall_reporting_,
                                  TTellCountEvent running_total_reporting_) {
  include_unterminated_sentences = include_unterminated_sentences_;
  tag_span = tag_span_;
  min_hits = min_hits_;
  min_sentence_length = min_sentence_length_;
  this_reporting = std::move(this_reporting_);
  overall_reporting = std::move(overall_reporting_);
  running_total_reporting = std::move(running_total_reporting_);
}

int TRepeatedChunks::LoadATextFile(const std::u16string& file_name) {
  if (!detail::file_exists(file_name)) return -1;
  return load_text(file_name, TextFileContents(file_name));
}

int TRepeatedChunks::load_text(const std::u16string& name, const std::u16string& text) {
  std::u16string stripped = WithoutMarkup(text, u'<', u'>', tag_span);
  const int number = fnames->AddOne(name);
  txt = std::move(stripped);
  return number;
}

std::u16string TRepeatedChunks::GetAFilename(int text_number) const {
  return fnames->GetFullFilename(text_number);
}

void TRepeatedChunks::AddToRepeatedSentencesInTxt(int text_number, int number_of_texts) {
  if (!chunks_list) throw Exception(std::u16string(u"list not assigned"));
  processing = true;
  if (overall_reporting && number_of_texts > 0)
    overall_reporting(percent_of(text_number, number_of_texts));
  AddedToRepeatedSentencesInTxt(text_number, txt);
  if (running_total_reporting) running_total_reporting(chunks_list->Count());
}

int TRepeatedChunks::AddedToRepeatedSentencesInTxt(int text_number, const std::u16string& text) {
  if (!chunks_list) throw Exception(std::u16string(u"chunks_list not assigned"));
  const std::int32_t before = chunks_list->Count();
  const std::int64_t length = static_cast<std::int64_t>(text.size());
  if (length == 0) return 0;

  // First the sentences new in each paragraph, as the search meets them, yielding once per
  // sentence, so that Stop ends the search at the next paragraph; then every sentence met
  // counted in one pass over the text, and recorded in the order met. Counting each
  // sentence by a search of its own would cost the length of the text per sentence.
  std::vector<std::u16string> sentences;
  {
    TStringList handled;
    handled.SetSorted(true);
    std::int64_t p = FirstValidStartOfSentence(text, 1);
    while (processing) {
      const std::size_t brk =
          p >= 1 && p <= length ? text.find(u"\r\n", static_cast<std::size_t>(p - 1)) : npos;
      if (brk == npos) break;
      const std::u16string paragraph = Trim(std::u16string_view(text).substr(
          static_cast<std::size_t>(p - 1), brk - static_cast<std::size_t>(p - 1)));
      if (!paragraph.empty()) {
        const std::unique_ptr<TStringList> found = SentencesExtractedFromParagraph(
            include_unterminated_sentences, min_sentence_length, paragraph);
        for (std::int32_t k = 0; k < found->Count(); ++k) {
          std::u16string sentence = found->Get(k);
          std::int32_t at = 0;
          if (sentence.empty() || handled.Find(sentence, at)) continue;
          handled.Add(sentence);
          MyYieldProcess();
          if (length > 100000 && this_reporting) this_reporting(percent_of(p, length));
          sentences.push_back(std::move(sentence));
        }
      }
      // 1-based position of the line break plus 2: the first character after it.
      const std::int64_t after = static_cast<std::int64_t>(brk) + 3;
      if (after > length) break;
      p = FirstValidStartOfSentence(text, static_cast<int>(after));
      if (p < after) p = after;  // never back over a paragraph already searched
    }
  }
  const std::vector<std::int64_t> counts = occurrences_of_each(text, sentences);
  for (std::size_t k = 0; k < sentences.size(); ++k)
    if (counts[k] >= min_hits)
      chunks_list->AddOrIncOneByFreq(
          sentences[k], text_number,
          static_cast<std::int32_t>(std::min<std::int64_t>(counts[k], INT32_MAX)));
  return chunks_list->Count() - before;
}

void TRepeatedChunks::Stop() {
  processing = false;
}

void TRepeatedChunks::Clear() {
  if (display_index) display_index->Clear();
  if (fnames) fnames->Clear();
  if (chunks_list) chunks_list->Clear();
}

void TRepeatedChunks::SortDescendingFreq() {
  if (chunks_list) chunks_list->SortAllOccurrencesFreqDescending();
}

void TRepeatedChunks::SortAScendingFilenumbers() {
  if (chunks_list) chunks_list->SortAllOccurrencesFileAscending();
}

// ---- RepeatedXCharChunks

std::unique_ptr<TStringListWith2LongintList> RepeatedXCharChunks(int len, int min_freq, int limit,
                                                                 const std::u16string& text,
                                                                 const TPercentDoneProc& progress) {
  auto result = std::make_unique<TStringListWith2LongintList>();
  result->SetSorted(true);
  if (len < 1 || limit < 1) return result;
  const std::int64_t length = static_cast<std::int64_t>(text.size());
  const std::u16string_view all(text);
  // Entries with more than one hit, kept as hits are added rather than counted each time.
  std::int32_t repeated = 0;
  std::u16string chunk;
  std::int64_t p = 1;
  while (p + len <= length) {
    std::int64_t next = p + len;
    if (p < length) {
      chunk = Trim(all.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(len)));
      if (progress) progress(percent_of(next, length));
    }
    if (chunk.size() > 100) {
      MyYieldProcess();
      const pattern_finder finder(chunk);
      for (std::size_t hit = finder.find(all, static_cast<std::size_t>(next - 1)); hit != npos;
           hit = finder.find(all, hit + 1)) {
        std::int32_t i = result->IndexOf(chunk);
        if (i < 0) {
          result->AddOne(chunk, T2_longint_rec{1, static_cast<std::int32_t>(hit + 1)});
        } else {
          if (result->GetOne(i).long0 == 1) ++repeated;
          result->IncOne(i, t2_long0);
        }
        if (result->Count() >= limit && repeated >= limit) break;
      }
    }
    p = next;
  }
  if (result->Count() > 1) {
    result->SetSorted(false);
    result->SortOnFreq();
  }
  for (std::int32_t i = result->Count() - 1; i >= 0; --i)
    if (result->GetOne(i).long0 < min_freq) result->Delete(i);
  return result;
}

}  // namespace corvane
