// Cutting a paragraph into sentences by an explicit end marker or by the type-1 character
// classes of a locale, and the class query itself.
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/analysis/Sentence_terminators.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

// The class words of 8-bit text in the code page: each byte of a character gets the class
// of the character it starts or belongs to. False when the code page cannot be opened.
bool char_types_of_bytes(int code_page, const char* text, int length, std::uint16_t* types) {
  const std::string name = icu_converter_name(code_page);
  if (name.empty()) return false;
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(name.c_str(), &status);
  if (U_FAILURE(status)) return false;
  // Each byte gives at most two code units (a surrogate pair); one more for the flush.
  const std::size_t room = 2 * static_cast<std::size_t>(length) + 4;
  std::u16string out(room, u'\0');
  std::vector<std::int32_t> offsets(room, -1);
  UChar* target = reinterpret_cast<UChar*>(out.data());
  UChar* const target_begin = target;
  const char* source = text;
  ucnv_toUnicode(converter, &target, target_begin + room, &source, text + length, offsets.data(),
                 true, &status);
  ucnv_close(converter);
  if (U_FAILURE(status)) return false;
  const std::size_t produced = static_cast<std::size_t>(target - target_begin);
  std::fill(types, types + length, std::uint16_t{0});
  std::int32_t last_offset = -1;
  std::uint16_t last_type = 0;
  for (std::size_t k = 0; k < produced; ++k) {
    std::uint16_t type;
    if (U16_IS_LEAD(out[k]) && k + 1 < produced && U16_IS_TRAIL(out[k + 1])) {
      type = char_type1_of_code_point(U16_GET_SUPPLEMENTARY(out[k], out[k + 1]));
      ++k;
    } else {
      type = char_type1(out[k]);
    }
    const std::int32_t offset = offsets[k];
    if (offset < 0 || offset >= length || offset == last_offset) continue;
    // Bytes between the previous character's first byte and this one's are its trail bytes.
    for (std::int32_t b = last_offset + 1; b < offset; ++b) types[b] = last_type;
    types[offset] = type;
    last_offset = offset;
    last_type = type;
  }
  for (std::int32_t b = last_offset + 1; b < length; ++b) types[b] = last_type;
  return true;
}

bool strong_terminator(char16_t c) {
  return is_sentence_terminator(c);
}

// ASCII and Latin-1 punctuation of category Po that never ends a sentence.
bool never_ends(char16_t c) {
  switch (c) {
    case u'"':
    case u'#':
    case u'%':
    case u'&':
    case u'\'':
    case u'*':
    case u',':
    case u'/':
    case u':':
    case u';':
    case u'@':
    case u'\\':
    case 0x00A1:
    case 0x00B7:
    case 0x00BF:
      return true;
    default:
      return false;
  }
}

std::unique_ptr<TStringList> sentences_between_markers(const std::u16string& para,
                                                       const std::u16string& marker) {
  auto list = std::make_unique<TStringList>();
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = para.find(marker, from);
    const std::size_t to = at == std::u16string::npos ? para.size() : at;
    std::u16string piece = Trim(std::u16string_view(para).substr(from, to - from));
    if (!piece.empty()) list->Add(piece);
    if (at == std::u16string::npos) break;
    from = at + marker.size();
  }
  return list;
}

}  // namespace

bool GetStringTypeExNT2000(bool wide, std::uint32_t locale, std::uint32_t info_type,
                           const void* text, int length, std::uint16_t* types) {
  if (text == nullptr || types == nullptr || length < -1 || info_type != CT_CTYPE1) return false;
  std::string icu_name;
  if (wide) {
    // The locale is only checked: UTF-16 has the same classes in every locale. The answer
    // for the last locale asked is kept, as callers ask paragraph after paragraph.
    thread_local std::uint32_t checked_locale = 0;
    thread_local bool checked_valid = false;
    if (locale != checked_locale || !checked_valid) {
      checked_valid = icu_locale_for_lcid(locale, icu_name);
      checked_locale = locale;
    }
    if (!checked_valid) return false;
    const auto* p = static_cast<const char16_t*>(text);
    if (length == -1) length = static_cast<int>(std::char_traits<char16_t>::length(p));
    const std::uint16_t* table = char_type1_table();
    for (int i = 0; i < length; ++i) types[i] = table[p[i]];
    return true;
  }
  if (!icu_locale_for_lcid(locale, icu_name)) return false;
  const auto* p = static_cast<const char*>(text);
  if (length == -1) length = static_cast<int>(std::strlen(p));
  if (length == 0) return true;
  int code_page = 0;
  if (!locale_default_ansi_code_page(icu_name, code_page)) code_page = system_ansi_code_page();
  std::vector<std::uint16_t> scratch(static_cast<std::size_t>(length));
  if (!char_types_of_bytes(code_page, p, length, scratch.data())) return false;
  std::copy(scratch.begin(), scratch.end(), types);
  return true;
}

std::unique_ptr<TStringList> SentencesFromParagraph(const std::u16string& para,
                                                    const std::u16string& marker,
                                                    std::uint32_t locale, int longest_tag) {
  if (!marker.empty()) return sentences_between_markers(para, marker);
  auto list = std::make_unique<TStringList>();
  const int n = static_cast<int>(std::min<std::size_t>(para.size(), INT32_MAX - 2));
  std::vector<int> ends;
  if (!sentence_ends_in_paragraph(para, locale, longest_tag, ends)) return list;
  int start = 1;
  for (const int last : ends) {
    std::u16string sentence = Trim(Copy(para, start, last - start + 1));
    if (!sentence.empty()) list->Add(sentence);
    start = last + 1;
  }
  // A rest that is only the paragraph's last character is not a sentence of its own.
  if (start < n) {
    std::u16string rest = Trim(Copy(para, start, n - start + 1));
    if (!rest.empty()) list->Add(rest);
  }
  return list;
}

bool sentence_ends_in_paragraph(std::u16string_view para, std::uint32_t locale, int longest_tag,
                                std::vector<int>& ends) {
  ends.clear();
  const int n = static_cast<int>(std::min<std::size_t>(para.size(), INT32_MAX - 2));
  // type(p) is the class of position p (1-based); positions n + 1 and n + 2 lie past the
  // end, and n + 2 is set to "alphabetic" so that the look-ahead below always stops.
  std::vector<std::uint16_t> types(static_cast<std::size_t>(n) + 2, 0);
  if (!GetStringTypeExNT2000(true, locale, CT_CTYPE1, para.data(), n, types.data())) return false;
  auto type = [&](int p) -> std::uint16_t& { return types[static_cast<std::size_t>(p - 1)]; };
  auto ch = [&](int p) { return para[static_cast<std::size_t>(p - 1)]; };

  // Short "<...>" stretches are mark-up: their characters count as punctuation.
  if (para.find(u'<') != std::u16string::npos) {
    std::vector<std::uint16_t> saved;
    for (int j = 1; j <= n; ++j) {
      if (ch(j) != u'<') continue;
      saved.clear();
      for (int k = j; k <= n && ch(k) != u'>'; ++k) {
        if (k - j + 1 > longest_tag) {
          for (int r = j; r < k; ++r) type(r) = saved[static_cast<std::size_t>(r - j)];
          break;
        }
        saved.push_back(type(k));
        type(k) = C1_PUNCT;
      }
    }
  }
  type(n + 2) = C1_ALPHA;

  for (int i = 2; i <= n; ++i) {
    const char16_t c = ch(i);
    if ((type(i) & C1_PUNCT) == 0 || u_charType(c) != U_OTHER_PUNCTUATION) continue;
    if (c > 0x00BF && is_punct_not_ending_sent(c)) continue;
    if (never_ends(c)) continue;
    if (strong_terminator(c) && (type(i + 1) & (C1_LOWER | C1_DIGIT)) != 0) continue;

    // Look ahead to the next letter or digit: when it is lower case, the sentence goes on.
    int next = i + 1;
    while ((type(next) & (C1_ALPHA | C1_DIGIT)) == 0) ++next;
    if ((type(next) & C1_LOWER) != 0) continue;
    // The sentence keeps the closing quotes and brackets that follow its end, up to and
    // including the first space, but never the letter or digit that starts the next one.
    int last = i;
    while (last + 1 < next && last + 1 <= n && (type(last) & (C1_SPACE | C1_CNTRL | C1_BLANK)) == 0)
      ++last;
    ends.push_back(last);
    i = last;
  }
  return true;
}

}  // namespace corvane
