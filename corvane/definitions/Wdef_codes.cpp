// Word type record flags, and the coding of wildcards, line breaks and tabs in
// search-and-replace texts.
#include <algorithm>

#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/search/User_input_wildcard_parsing.hpp"

namespace corvane {

namespace {

// The readable wildcard of a code, or 0 when the character is no code.
char16_t wildcard_of_code(char16_t c) {
  for (const TTagWildcardConverter& w : tag_wildcards_converters)
    if (w.replacement_char == c) return w.original_char;
  return 0;
}

char16_t code_of_wildcard(char16_t c) {
  for (const TTagWildcardConverter& w : tag_wildcards_converters)
    if (w.original_char == c) return w.replacement_char;
  return 0;
}

std::u16string replaced_all(const std::u16string& s, std::u16string_view what,
                            std::u16string_view with) {
  if (what.empty()) return s;
  return StringReplace(s, what, with, rfReplaceAll);
}

std::u16string_view array_text(const std::array<char16_t, 81>& a) {
  const auto end = std::find(a.begin(), a.end(), u'\0');
  return {a.data(), static_cast<std::size_t>(end - a.begin())};
}

void set_array_text(std::array<char16_t, 81>& a, std::u16string_view text) {
  a.fill(u'\0');
  std::copy_n(text.begin(), std::min(text.size(), a.size() - 1), a.begin());
}

}  // namespace

bool TypeRecIsTextEnd(TTypeRec rec) {
  return (rec & kTypeRecTextEnd) != 0;
}
bool TypeRecIsParaHeadEnd(TTypeRec rec) {
  return (rec & kTypeRecParaHeadEnd) != 0;
}
bool TypeRecIsSentEnd(TTypeRec rec) {
  return (rec & kTypeRecSentEnd) != 0;
}
bool TypeRecIsPunctEnd(TTypeRec rec) {
  return (rec & kTypeRecPunctEnd) != 0;
}
bool TypeRecIsUnmarked(TTypeRec rec) {
  return (rec & kTypeRecMarkers) == 0;
}
TTypeRec TypeRecWithoutTextMarker(TTypeRec rec) {
  return rec & ~kTypeRecMarkers;
}

std::u16string EncodedCRLFTAB(const std::u16string& s) {
  std::u16string coded = s;
  // The first and last characters, and any next to a double quote, are meant literally.
  for (std::size_t i = 1; i + 1 < s.size(); ++i) {
    const char16_t c = s[i];
    if (c != u'*' && c != u'?' && c != u'#') continue;
    if (s[i - 1] == u'"' || s[i + 1] == u'"') continue;
    coded[i] = code_of_wildcard(c);
  }
  coded = replaced_all(coded, msg::text(msg::CVEnter), u"\r\n");
  return replaced_all(coded, msg::text(msg::CVTab), u"\t");
}

std::u16string EncodedCRLFTABToReadableStr(const std::u16string& s) {
  std::u16string readable = s;
  for (char16_t& c : readable) {
    if (c == kAnyRunInWordCode || c == kAnyCharacterCode || c == kNumberCode)
      c = wildcard_of_code(c);
  }
  readable = replaced_all(readable, u"\r\n", msg::text(msg::CVEnter));
  return replaced_all(readable, u"\t", msg::text(msg::CVTab));
}

std::u16string TSelectTextFile_RecWToString(const TSelectTextFile_RecW& rec) {
  std::u16string text(array_text(rec.seekStart));
  for (char16_t c : array_text(rec.seek_wilds)) {
    const char16_t wildcard = wildcard_of_code(c);
    text += wildcard != 0 ? wildcard : c;
  }
  text += array_text(rec.seekEnd);
  return text;
}

TSelectTextFile_RecW StringToTSelectTextFile_RecW(std::u16string_view s) {
  TSelectTextFile_RecW rec;
  rec.length_of_seek = static_cast<std::int32_t>(std::min<std::size_t>(s.size(), INT32_MAX));
  rec.ato_necessario = !s.empty();
  std::size_t first = s.size(), last = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (code_of_wildcard(s[i]) == 0) continue;
    first = std::min(first, i);
    last = i;
  }
  if (first == s.size()) {
    set_array_text(rec.seekStart, s);
    return rec;
  }
  rec.contains_wildcard = true;
  std::u16string wilds(s.substr(first, last - first + 1));
  for (char16_t& c : wilds) {
    if (const char16_t code = code_of_wildcard(c)) c = code;
  }
  set_array_text(rec.seekStart, s.substr(0, first));
  set_array_text(rec.seek_wilds, wilds);
  set_array_text(rec.seekEnd, s.substr(last + 1));
  return rec;
}

}  // namespace corvane
