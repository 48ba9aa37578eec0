// Item lists: adding typed search words, looking them up, their per-word fields and hit
// counts, and the views of the whole list.

#include <algorithm>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/Logging_utilities.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {

// ---- TSWList

TSWList::~TSWList() {
  Clear();
}

void TSWList::Clear() {
  // Notify frees each holder as its slot goes.
  TList::Clear();
}

TSWHolder* TSWList::holder(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return static_cast<TSWHolder*>(List()[index]);
}

void TSWList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TSWHolder*>(item);
}

// ---- TBaseSearchItems: lifetime

TBaseSearchItems::TBaseSearchItems()
    : fPlainSWS(std::make_unique<TSimpleSearchlist>(DefaultSimpleSearchSettings())),
      fSearchWordList(std::make_unique<TSWList>()) {}

TBaseSearchItems::TBaseSearchItems(const TIgnore_tag_type& tags, std::uint32_t LCID, bool splitting)
    : TBaseSearchItems() {
  ignore_tags = tags;
  fLCID = LCID;
  fSplitting_at_slashes = splitting;
}

TBaseSearchItems::~TBaseSearchItems() = default;

void TBaseSearchItems::Clear() {
  fPlainSWS->Clear();
  fSearchWordList->Clear();
  fFrom_a_file = false;
}

TSimpleSearchlist& TBaseSearchItems::ComputePlainSearchWords() {
  fPlainSWS->Clear();
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TSWHolder* h = holder(i);
    if (!h) continue;
    TSimpleSearch_rec rec;
    rec.seek = h->data.typed_in_text;
    rec.flags = FlagsFromSW(rec.seek);
    rec.n_wanted = 1;
    fPlainSWS->AddOne(rec);
  }
  return *fPlainSWS;
}

void TBaseSearchItems::ClearOne(std::int32_t i) {
  if (i < 0 || i >= Count()) return;
  fSearchWordList->Put(i, nullptr);
  fSearchWordList->Pack();
}

TSWHolder& TBaseSearchItems::checked_holder(std::int32_t i) const {
  // Get raises the list's index error out of range.
  auto* h = static_cast<TSWHolder*>(fSearchWordList->Get(i));
  if (h == nullptr) {
    throw EListError(detail::format_int_message("List index out of bounds (%d)", i));
  }
  return *h;
}

// ---- Adding

TSWIndices TBaseSearchItems::fAddedSearchWordsIndices(const std::u16string& text) {
  std::u16string line = StrippedDoubleSpaces(text);
  std::unique_ptr<TStringList> parts = SplitSWList(line, fSplitting_at_slashes);
  TSWIndices result;
  for (std::int32_t k = parts->Count() - 1; k >= 0; --k) {
    std::u16string alternative = parts->Get(k);
    std::u16string work = alternative;
    TSearch_word_format_rec rec;
    if (fFormatPreChecked) {
      UnParsed_SearchWord(work, rec);
    } else {
      Parsed_SearchWord(ignore_tags, work, rec);
    }
    if (package_log_line && log_is_kept()) {
      std::u16string line_out(1, u'"');
      line_out.append(alternative).append(u"\" = \"").append(rec.search_text).push_back(u'"');
      write_package_log_line(line_out);
    }
    if (rec.search_text.empty()) continue;
    std::int32_t index = TypeInIndexOf(rec.typed_in_text);
    if (index == -1) index = fSearchWordList->Add(new TSWHolder(rec));
    result.push_back(index);
  }
  return result;
}

TSWIndices TBaseSearchItems::AddedSearchWords(const std::u16string& text) {
  return fAddedSearchWordsIndices(text);
}

TSWIndices TBaseSearchItems::AddedSearchWords(const std::u16string& text, std::int16_t language) {
  TSWIndices indices = fAddedSearchWordsIndices(text);
  for (std::int32_t i : indices) SetLanguage(i, language);
  return indices;
}

TSWIndices TBaseSearchItems::AddedSearchWords(const std::u16string& text, bool auto_lemma_added) {
  TSWIndices indices = fAddedSearchWordsIndices(text);
  for (std::int32_t i : indices) SetAutoLemmaAdded(i, auto_lemma_added);
  return indices;
}

TSWIndices TBaseSearchItems::AddedSearchWords(const std::u16string& text, std::int32_t n_to_find) {
  TSWIndices indices = fAddedSearchWordsIndices(text);
  for (std::int32_t i : indices) SetNToFind(i, n_to_find);
  return indices;
}

std::int32_t TBaseSearchItems::AddOneSW(const TSearch_word_format_rec& rec) {
  return fSearchWordList->Add(new TSWHolder(rec));
}

std::int32_t TBaseSearchItems::EnsureContains(const TSearch_word_format_rec& rec) {
  std::int32_t index = IndexOf(rec);
  return index >= 0 ? index : AddOneSW(rec);
}

TSWIndices TBaseSearchItems::InsertSearchWordsAtTop(const std::u16string& text,
                                                    bool auto_lemma_added) {
  const TSWIndices indices = AddedSearchWords(text, auto_lemma_added);
  TSWIndices result = indices;
  const auto last = static_cast<std::int32_t>(indices.size()) - 1;
  // The indices are those of the add, not adjusted for the moves made before.
  for (std::int32_t i = last; i >= 0; --i) {
    if (indices[i] > last) {
      result[i] = i;
      fSearchWordList->Move(indices[i], i);
    }
  }
  return result;
}

// ---- Lookup

std::int32_t TBaseSearchItems::TypeInIndexOf(std::u16string_view text) const {
  for (std::int32_t i = 0; i < Count(); ++i) {
    MyYieldProcess();
    const TSWHolder* h = holder(i);
    if (h != nullptr && h->data.typed_in_text == text) return i;
  }
  return -1;
}

std::int32_t TBaseSearchItems::IndexOf(const TSearch_word_format_rec& rec) const {
  std::int32_t index = TypeInIndexOf(rec.typed_in_text);
  if (index >= 0 && holder(index)->data.Langnum != rec.Langnum) return -1;
  return index;
}

TSearch_word_format_rec TBaseSearchItems::GetSWR(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr ? h->data : TSearch_word_format_rec{};
}

void TBaseSearchItems::PutSWR(std::int32_t i, const TSearch_word_format_rec& rec) {
  if (TSWHolder* h = holder(i)) h->data = rec;
}

TSearch_word_format_rec* TBaseSearchItems::GetPtr(std::int32_t i) const {
  TSWHolder* h = holder(i);
  return h != nullptr ? &h->data : nullptr;
}

std::vector<TSearch_word_format_rec> TBaseSearchItems::CopyOfArrayOFSWItems(
    const TSWIndices& indices) const {
  std::vector<TSearch_word_format_rec> result(indices.size());
  for (std::size_t k = 0; k < indices.size(); ++k) {
    if (indices[k] >= 0) result[k] = GetSWR(indices[k]);
  }
  return result;
}

// ---- Per-word fields

TMySearchFlags TBaseSearchItems::GetAFlag(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr ? h->data.flags : TMySearchFlags{};
}

void TBaseSearchItems::SetAFlag(std::int32_t i, TMySearchFlags flags) {
  if (TSWHolder* h = holder(i)) h->data.flags = flags;
}

std::int32_t TBaseSearchItems::GetNToFind(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr ? h->data.n_to_find : 0;
}

void TBaseSearchItems::SetNToFind(std::int32_t i, std::int32_t n) {
  checked_holder(i).data.n_to_find = n;
}

std::int32_t TBaseSearchItems::GetHitsFound(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr ? h->data.hits_found : 0;
}

void TBaseSearchItems::SetHitsFound(std::int32_t i, std::int32_t n) {
  checked_holder(i).data.hits_found = n;
}

std::int16_t TBaseSearchItems::GetLanguage(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr ? h->data.Langnum : std::int16_t{0};
}

void TBaseSearchItems::SetLanguage(std::int32_t i, std::int16_t language) {
  checked_holder(i).data.Langnum = language;
}

bool TBaseSearchItems::GetSearchFound(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr && h->data.achou_suficiente;
}

void TBaseSearchItems::SetSearchFound(std::int32_t i, bool found) {
  if (TSWHolder* h = holder(i)) h->data.achou_suficiente = found;
}

bool TBaseSearchItems::GetAutoLemmaAdded(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr && h->data.auto_lemma_added;
}

void TBaseSearchItems::SetAutoLemmaAdded(std::int32_t i, bool b) {
  checked_holder(i).data.auto_lemma_added = b;
}

std::int32_t TBaseSearchItems::GetSpacesInSW(std::int32_t i) const {
  const TSWHolder* h = holder(i);
  return h != nullptr ? h->data.spaces_in_sw : 0;
}

// ---- Hit counts

void TBaseSearchItems::IncrementHits(std::int32_t i) {
  if (TSWHolder* h = holder(i)) ++h->data.hits_found;
}

void TBaseSearchItems::ClearHits() {
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (TSWHolder* h = holder(i)) h->data.hits_found = 0;
  }
}

void TBaseSearchItems::SetHits(const std::vector<std::int32_t>& hits) {
  const auto n = std::min<std::int32_t>(Count(), static_cast<std::int32_t>(hits.size()));
  for (std::int32_t i = 0; i < n; ++i) {
    if (TSWHolder* h = holder(i)) h->data.hits_found = hits[i];
  }
}

std::int32_t TBaseSearchItems::TotalHits() const {
  std::int32_t total = 0;
  for (std::int32_t i = 0; i < Count(); ++i) total += GetHitsFound(i);
  return total;
}

// ---- Whole-list views

std::u16string TBaseSearchItems::AllTypedSearchWordsAsOne(bool limit) const {
  constexpr std::int32_t kShown = 10;
  const std::int32_t n = limit ? std::min(Count(), kShown) : Count();
  std::u16string result;
  for (std::int32_t i = 0; i < n; ++i) {
    result = AddToListWithSeparatorIfNeeded(result, GetSWR(i).typed_in_text, u"/");
  }
  if (limit && Count() > kShown) result.append(u" ").append(msg::text(msg::CVEtc));
  return result;
}

std::unique_ptr<TStringList> TBaseSearchItems::TypeInParts(const std::u16string& text) const {
  std::u16string line = StrippedDoubleSpaces(text);
  return SplitSWList(line, fSplitting_at_slashes);
}

std::unique_ptr<TStringList> TBaseSearchItems::TypedInWordsAsStringlist() const {
  auto list = std::make_unique<TStringList>();
  for (std::int32_t i = 0; i < Count(); ++i) list->Add(GetSWR(i).typed_in_text);
  return list;
}

std::int32_t TBaseSearchItems::SearchesPlannedCount() const {
  return TypeInParts(AllTypedSearchWordsAsOne(false))->Count();
}

void TBaseSearchItems::MoveToTop(std::int32_t i) {
  if (i > 0 && i < Count()) fSearchWordList->Move(i, 0);
}

// ---- TSearchWordItems

TSearchWordItems::~TSearchWordItems() {
  ftempEngine.reset();
  ftempCWItems.reset();
}

bool TSearchWordItems::GetHasContextWord(std::int32_t i) {
  const TSWHolder* h = holder(i);
  if (h == nullptr || !h->data.has_file_based_context_word) return false;
  HasAnyContextWords = true;
  return true;
}

TSWIndices TSearchWordItems::fAddedSearchWordsIndices(const std::u16string& text) {
  if (TypeInIndexOf(text) >= 0) return {};
  const std::int32_t before = Count();
  TSWIndices result = TBaseSearchItems::fAddedSearchWordsIndices(text);
  if (Count() > before && GetHasContextWord(0) && ftempCWItems == nullptr &&
      ftempEngine == nullptr) {
    // The context words are searched in 8-bit buffers of the words' own language.
    ftempCWItems = std::make_unique<TContextWordItems>(ignore_tags, fLCID, true);
    ftempEngine = std::make_unique<TSearchAndDoEngine>(false, true, fLCID, nullptr);
  }
  return result;
}

}  // namespace corvane
