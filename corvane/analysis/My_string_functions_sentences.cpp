// Sentence ends, sentence starts and word counts by Unicode categories, one forward pass
// each. Positions are 1-based; s[p] below means the code unit at position p.
#include <unicode/uchar.h>

#include <algorithm>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/analysis/Sentence_terminators.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

int category(char16_t c) {
  return u_charType(c);
}

bool is_letter_or_digit(char16_t c) {
  const int k = category(c);
  return (k >= U_UPPERCASE_LETTER && k <= U_OTHER_LETTER) || k == U_DECIMAL_DIGIT_NUMBER;
}

bool is_upper(char16_t c) {
  return category(c) == U_UPPERCASE_LETTER;
}

bool is_lower(char16_t c) {
  return category(c) == U_LOWERCASE_LETTER;
}

int length_of(std::u16string_view s) {
  return static_cast<int>(std::min<std::size_t>(s.size(), INT32_MAX));
}

// s[p], 1-based; the caller keeps p within 1..length.
char16_t at(std::u16string_view s, int p) {
  return s[static_cast<std::size_t>(p - 1)];
}

}  // namespace

int EndOfSentence(int start, std::u16string_view s) {
  const int n = length_of(s);
  bool seen = false;
  for (int i = std::max(start, 1); i <= n; ++i) {
    const char16_t c = at(s, i);
    if (!seen && is_letter_or_digit(c)) seen = true;
    if (!seen) continue;
    if (i == n) return i;
    // A terminator inside a word or number ("3.14", "e.g") does not end the sentence.
    if (i > 1 && IsPotentialSentenceTerminator(c) && !is_letter_or_digit(at(s, i + 1))) return i;
  }
  return -1;
}

int FirstLetterOrDigitPosAfterSentenceEnd(std::u16string_view s, int p) {
  const int n = length_of(s);
  if (p < 1) p = 1;
  while (p < n && !is_letter_or_digit(at(s, p))) ++p;
  return p;
}

bool FirstCharAfterSentenceEndUpperCase(std::u16string_view s, int p) {
  const int n = length_of(s);
  if (p < 1 || p >= n) return true;  // outside the text, or its last character
  return !is_lower(at(s, p));
}

int FirstValidStartOfSentence(std::u16string_view s, int p) {
  int q = FirstLetterOrDigitPosAfterSentenceEnd(s, p);
  while (!FirstCharAfterSentenceEndUpperCase(s, q)) {
    // q holds a lower-case letter: this is the previous sentence going on. Every step moves
    // q forward, since the next end lies after q.
    const int end = EndOfSentence(q + 1, s);
    if (end < 0) return length_of(s);
    q = FirstLetterOrDigitPosAfterSentenceEnd(s, end);
  }
  return q;
}

std::unique_ptr<TStringList> SentencesExtractedFromParagraph(bool take_rest, int minimum,
                                                             const std::u16string& para) {
  auto list = std::make_unique<TStringList>();
  const int n = length_of(para);
  int start = 0;  // 0: no sentence open
  int count = 0;  // word characters since the last sentence was taken
  auto emit = [&](int end) {
    std::u16string sentence = Trim(Copy(para, start, end - start + 1));
    if (static_cast<int>(sentence.size()) > minimum) list->Add(sentence);
    count = 0;
  };
  auto starts_sentence = [](int k) {
    switch (k) {
      case U_OTHER_LETTER:
      case U_TITLECASE_LETTER:
      case U_UPPERCASE_LETTER:
      case U_DECIMAL_DIGIT_NUMBER:
      case U_LETTER_NUMBER:
      case U_OTHER_NUMBER:
        return true;
      default:
        return false;
    }
  };
  for (int i = 1; i <= n; ++i) {
    const char16_t c = at(para, i);
    const int k = category(c);
    if (i == n && take_rest) {
      // The open sentence runs to the end. With none open, only a last character that
      // would start one opens it; other trailing text is a continuation and is dropped.
      if (start == 0 && starts_sentence(k)) start = i;
      if (start != 0) emit(i);
      break;
    }
    switch (k) {
      case U_LOWERCASE_LETTER:
      case U_MODIFIER_LETTER:
      case U_COMBINING_SPACING_MARK:
      case U_ENCLOSING_MARK:
      case U_NON_SPACING_MARK:
        ++count;
        break;
      case U_OTHER_PUNCTUATION:
        if (count >= minimum && start != 0 && IsPotentialSentenceTerminator(c) &&
            (i == n || category(at(para, i + 1)) != U_DECIMAL_DIGIT_NUMBER)) {
          emit(i);
          start = 0;
        }
        break;
      default:
        if (starts_sentence(k)) {
          if (start == 0) start = i;
          ++count;
        }
        break;
    }
  }
  return list;
}

bool FirstLetterIsCapitalised(std::u16string_view s) {
  return !s.empty() && is_upper(s.front());
}

bool NextWordCapitalised(std::u16string_view s, int p) {
  const int n = length_of(s);
  for (int i = std::max(p, 1); i <= n; ++i) {
    if (is_letter_or_digit(at(s, i))) return is_upper(at(s, i));
  }
  return false;
}

int BasicWordCount(std::u16string_view s) {
  int words = 0;
  bool in_word = false;
  for (char16_t c : s) {
    const bool word_char = is_letter_or_digit(c);
    if (word_char && !in_word) ++words;
    in_word = word_char;
  }
  return words;
}

}  // namespace corvane
