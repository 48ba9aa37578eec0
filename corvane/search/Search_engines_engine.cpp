// The search-and-do engine: construction, buffers and class arrays, settings; the
// single-word test and the mark-up preparation of strings. The search itself is in
// Search_engines_engine_search.cpp.

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/platform/CaseMapping.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/search/Search_engines.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

// These belong with the definitions unit's globals; defined here until that unit exists.
constinit thread_local bool Global_in_heading = false;
constinit thread_local std::int32_t Global_LowestJumpTo = 0;

TSearchAndDoEngine::TSearchAndDoEngine(bool buffer_in_unicode, bool search_words_in_unicode,
                                       std::uint32_t LCID, std::uint16_t* class_array)
    : fBufferDetails(class_array),
      fPreAssigned(class_array != nullptr),
      fSearchWordsInUnicode(search_words_in_unicode),
      fBufferInUnicode(buffer_in_unicode),
      fLCID(LCID),
      Codepage(LCIDToCodePage(LCID)) {}

// The class array the engine built itself goes with own_details_; one the host supplied
// stays the host's.
TSearchAndDoEngine::~TSearchAndDoEngine() = default;

void TSearchAndDoEngine::PrepareFirst(const void* buffer, std::int32_t complete_file_size,
                                      std::uint32_t file_byte_pos, TSearchFoundEvent on_found,
                                      TWordCountEvent on_word_count) {
  fSearchFoundEvent = std::move(on_found);
  fWordCountEvent = std::move(on_word_count);
  FileBytePos = file_byte_pos;
  SetABuffer(buffer);
  fComplete_file_size = complete_file_size;
  fHits_found = 0;
  fReady = static_cast<bool>(fSearchFoundEvent);
}

void TSearchAndDoEngine::PrepareForConcordancing(
    const std::u16string& file_name, const void* buffer, std::uint16_t* class_array,
    const std::uint16_t* class_array_end, std::int32_t complete_file_size,
    std::int32_t n_characters, std::uint32_t file_byte_pos, bool skip_punctuation,
    TSearchFoundEvent on_found, TWordCountEvent on_word_count) {
  fFilename = file_name;
  fSearchFoundEvent = std::move(on_found);
  fWordCountEvent = std::move(on_word_count);
  FileBytePos = file_byte_pos;
  fComplete_file_size = complete_file_size;
  fSkipAnyTags = true;
  fSkipPunctuation = skip_punctuation;
  SetABuffer(nullptr);
  fBuffer = buffer;
  fBufferDetails = class_array;
  fBufferDetailsEnd = class_array_end;
  fBuffer_Characters = std::max<std::int32_t>(n_characters, 0);
  fPreAssigned = class_array != nullptr;
  fHits_found = 0;
  fReady = static_cast<bool>(fSearchFoundEvent);
}

void TSearchAndDoEngine::fill_classes(const void* text, std::int32_t n,
                                      std::uint16_t* details) const {
  if (n <= 0) return;
  if (GetStringTypeExNT2000(fBufferInUnicode, fLCID, CT_CTYPE1, text, n, details)) return;
  // A locale identifier that names no locale: the user's locale decides the code page of
  // an 8-bit text; UTF-16 classes do not depend on the locale.
  if (GetStringTypeExNT2000(fBufferInUnicode, kLocaleUserDefault, CT_CTYPE1, text, n, details))
    return;
  std::fill(details, details + n, std::uint16_t{0});
}

void TSearchAndDoEngine::SetABuffer(const void* buffer) {
  if (!fPreAssigned) {
    own_details_.clear();
    own_details_.shrink_to_fit();
    fBufferDetails = nullptr;
  }
  fBuffer = buffer;
  if (buffer == nullptr) {
    fBuffer_Characters = 0;
    fBufferDetailsEnd = nullptr;
    return;
  }
  std::size_t n = fBufferInUnicode
                      ? std::char_traits<char16_t>::length(static_cast<const char16_t*>(buffer))
                      : std::strlen(static_cast<const char*>(buffer));
  // The counts are 32-bit: a longer text is searched up to that length.
  n = std::min<std::size_t>(n, INT32_MAX - 2);
  fBuffer_Characters = static_cast<std::int32_t>(n);
  if (!fPreAssigned) {
    own_details_.assign(n + 2, 0);
    fill_classes(buffer, fBuffer_Characters, own_details_.data());
    fBufferDetails = own_details_.data();
  }
  fBufferDetailsEnd = fBufferDetails ? fBufferDetails + n + 1 : nullptr;
}

void TSearchAndDoEngine::HandleAllowables(const std::u16string& allowables, bool no_check_after,
                                          bool no_check_before) {
  MyYieldProcess();
  if (fBuffer == nullptr || fBufferDetails == nullptr || allowables.empty()) return;
  const auto n_allowables =
      static_cast<std::uint16_t>(std::min<std::size_t>(allowables.size(), 0xFFFF));
  HandleMiddleChars(fBuffer, fBufferDetails, allowables, n_allowables, fBuffer_Characters,
                    fBufferInUnicode, no_check_after, no_check_before);
}

void TSearchAndDoEngine::SetArrayOfTagsFound(const TTagsFoundArray* tags_found) {
  if (tags_found) Arr_OfTextMarkersFound = *tags_found;
}

void TSearchAndDoEngine::SetLCID(std::uint32_t LCID) {
  if (LCID == fLCID) return;
  fLCID = LCID;
  Codepage = LCIDToCodePage(LCID);
}

void TSearchAndDoEngine::ClearChunkTextStats() {
  ThisFileChunk_Stats = TSearchStatsRec{};
}

void TSearchAndDoEngine::Cancel() {
  fCancelled = true;
  MyYieldProcess();
}

const std::uint16_t* TSearchAndDoEngine::details_first() const {
  // Compared as addresses of one array only when both ends are known.
  const std::less<const std::uint16_t*> before;
  if (fBufferDetailsStart == nullptr || fBufferDetails == nullptr || fBufferDetailsEnd == nullptr ||
      before(fBufferDetailsStart, fBufferDetails) || before(fBufferDetailsEnd, fBufferDetailsStart))
    return fBufferDetails;
  return fBufferDetailsStart;
}

std::u16string TSearchAndDoEngine::buffer_text(std::int32_t offset, std::int32_t n) const {
  n = std::min(n, fBuffer_Characters - offset);
  if (fBuffer == nullptr || offset < 0 || n <= 0) return {};
  if (fBufferInUnicode)
    return {static_cast<const char16_t*>(fBuffer) + offset, static_cast<std::size_t>(n)};
  std::u16string out;
  code_page_to_utf16(
      Codepage, {static_cast<const char*>(fBuffer) + offset, static_cast<std::size_t>(n)}, out);
  return out;
}

// ---- Secondary engine

TAdditionalSearchAndDoEngine::TAdditionalSearchAndDoEngine(bool buffer_in_unicode,
                                                           bool search_words_in_unicode,
                                                           std::uint32_t LCID,
                                                           std::uint16_t* class_array)
    : TSearchAndDoEngine(buffer_in_unicode, search_words_in_unicode, LCID, class_array) {
  IsAdditionalEngine = true;
}

// ---- Single-word test

void TWLSearchAndDo::SetSearchWord(const std::u16string& text, TMySearchFlags word_flags) {
  flags = word_flags;
  if (flags.contains(myCaseIsSensitive)) {
    search_text = text;
    lo_copy = text;
    title_copy = text;
    return;
  }
  // The simple mappings keep the length: the matcher compares the copies index by index.
  search_text = simple_upper(text);
  lo_copy = simple_lower(text);
  title_copy = TitleCasedString(text, false);
}

bool TWLSearchAndDo::QuickSearchFoundIgnoringTags() {
  std::size_t len = search_text.size();
  if (len > 0 && search_text.back() == kAnyRunInWordCode) --len;
  if (fBuffer == nullptr || len == 0 || static_cast<std::size_t>(fBuffer_Characters) < len)
    return false;
  const std::int32_t n = fBuffer_Characters;
  fBufferPWChar.assign(static_cast<std::size_t>(n) + 2, 0);
  fill_classes(fBuffer, n, fBufferPWChar.data());
  TSearchStatsRec counts;
  bool in_heading = false;
  std::uint16_t extended = 0, exact = 0;
  const std::uint16_t* details = fBufferPWChar.data();
  const void* hit = NewFindWantedInBuffer(
      fBuffer, n, details, details, details + n + 1, search_text, lo_copy, title_copy,
      static_cast<std::uint16_t>(std::min<std::size_t>(len, 0xFFFF)),
      flags.contains(myCaseIsSensitive), flags.contains(myLeftBounded),
      flags.contains(myRightBounded), fBufferInUnicode, fSkipPunctuation, fSkipAnyTags, extended,
      exact, counts, in_heading, Arr_OfTextMarkersFound[1] > 0, Arr_OfTextMarkersFound[3] > 0,
      Arr_OfTextMarkersFound[5] > 0, Arr_OfTextMarkersFound[7] > 0);
  fBufferPWChar.clear();
  fBufferPWChar.shrink_to_fit();
  return hit != nullptr;
}

// ---- Mark-up in strings

std::u16string CleanToTagOnOff(const std::u16string& text) {
  std::u16string result = text;
  // The first ">" at or after the current "<", looked up in the text as given (a ">" that
  // closes one "<" closes every "<" before it that has no ">" of its own).
  std::size_t close = 0;
  bool looked = false;
  for (std::size_t open = text.find(u'<'); open != std::u16string::npos;
       open = text.find(u'<', open + 1)) {
    if (!looked || close < open) {
      close = text.find(u'>', open);
      looked = true;
    }
    if (close == std::u16string::npos) break;  // no "<" after this one has a ">" either
    result[open] = kTagOpenCode;
    result[close] = kTagCloseCode;
  }
  return result;
}

}  // namespace corvane
