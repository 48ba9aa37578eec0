// The drawer's search words: the list it keeps (or one it is lent) and where the words
// occur in a line.
#include <unicode/uchar.h>

#include <algorithm>

#include "corvane/display/Rtl_and_ltr_painting.hpp"

namespace corvane {

namespace {

// Upper case code unit by code unit, so that positions stay where they are.
std::u16string upper_units(std::u16string_view s) {
  std::u16string u(s);
  for (char16_t& c : u)
    if (c < 0xD800 || c > 0xDFFF) {
      const UChar32 m = u_toupper(c);
      if (m <= 0xFFFF) c = static_cast<char16_t>(m);
    }
  return u;
}

bool word_char(char16_t c) {
  return (c >= 0xD800 && c <= 0xDFFF) || u_isalnum(c) || u_charType(c) == U_NON_SPACING_MARK ||
         u_charType(c) == U_COMBINING_SPACING_MARK;
}

}  // namespace

// Each occurrence is one 64-bit value: its position in the high half, its length in the
// low half, so that the values sort by position.
std::vector<std::int64_t> FindBoundedSWPositionsInString(const TBaseSearchItems& items,
                                                         std::u16string_view text) {
  std::vector<std::int64_t> found;
  const std::u16string upper_text = upper_units(text);
  for (std::int32_t i = 0; i < items.Count(); ++i) {
    const TSearch_word_format_rec rec = items.GetSWR(i);
    std::u16string word = rec.search_text.empty() ? rec.typed_in_text : rec.search_text;
    if (word.empty()) continue;
    const bool exact = rec.flags.contains(myCaseIsSensitive);
    const std::u16string_view hay = exact ? text : std::u16string_view(upper_text);
    if (!exact) word = upper_units(word);
    const bool left = rec.flags.contains(myLeftBounded), right = rec.flags.contains(myRightBounded);
    for (std::size_t at = hay.find(word); at != std::u16string_view::npos;
         at = hay.find(word, at + 1)) {
      const std::size_t end = at + word.size();
      if (left && at > 0 && word_char(text[at - 1]) && word_char(text[at])) continue;
      if (right && end < text.size() && word_char(text[end]) && word_char(text[end - 1])) continue;
      found.push_back((static_cast<std::int64_t>(at) << 32) |
                      static_cast<std::int64_t>(word.size()));
    }
  }
  if (found.size() >= 2) std::sort(found.begin(), found.end());
  return found;
}

TBaseSearchItems& TMyTextDrawer::Searchlist() const {
  if (using_otherSWList && otherswlist) return *otherswlist;
  return *fSearchlist;
}

std::int32_t TMyTextDrawer::AddASearch(const std::u16string& text) {
  const TSWIndices added = fSearchlist->AddedSearchWords(text);
  return added.empty() ? -1 : added.front();
}

std::int32_t TMyTextDrawer::AddASearchRequest(const std::u16string& text, bool case_sensitive) {
  const std::int32_t i = AddASearch(text);
  if (i >= 0 && case_sensitive) {
    TMySearchFlags f = fSearchlist->GetAFlag(i);
    f.include(myCaseIsSensitive);
    fSearchlist->SetAFlag(i, f);
  }
  return i;
}

void TMyTextDrawer::AddSearches(const std::vector<std::u16string>& texts) {
  for (const std::u16string& t : texts) AddASearch(t);
}

void TMyTextDrawer::AssignOtherSWList(TBaseSearchItems* items) {
  otherswlist = items;
  using_otherSWList = items != nullptr;
}

void TMyTextDrawer::ClearAllSearches() {
  fSearchlist->Clear();
}

void TMyTextDrawer::ClearOneSearch(std::int32_t i) {
  fSearchlist->ClearOne(i);
}

void TMyTextDrawer::SetASearch(std::int32_t i, const std::u16string& text) {
  if (i < 0 || i >= fSearchlist->Count()) {
    AddASearch(text);
    return;
  }
  fSearchlist->ClearOne(i);
  AddASearch(text);
}

std::int32_t TMyTextDrawer::IndexOfASearch(const std::u16string& text) const {
  return fSearchlist->TypeInIndexOf(text);
}

bool TMyTextDrawer::LineContainsAnySearchWords(std::u16string_view text) const {
  return !FindBoundedSWPositionsInString(Searchlist(), text).empty();
}

std::vector<std::int64_t> TMyTextDrawer::GetSearchHits(std::u16string_view text) const {
  return FindBoundedSWPositionsInString(Searchlist(), text);
}

}  // namespace corvane
