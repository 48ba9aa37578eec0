#include "corvane/platform/CharTypes.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <thread>
#include <vector>

namespace corvane {
namespace {

TEST(CharTypes, AsciiAgreesWithTheCClassifiers) {
  // The C locale's classifiers give the known ASCII classes independently of ICU.
  for (int c = 0; c < 128; ++c) {
    const std::uint16_t w = char_type1(static_cast<char16_t>(c));
    SCOPED_TRACE(c);
    EXPECT_EQ(!!(w & C1_UPPER), !!std::isupper(c));
    EXPECT_EQ(!!(w & C1_LOWER), !!std::islower(c));
    EXPECT_EQ(!!(w & C1_DIGIT), !!std::isdigit(c));
    EXPECT_EQ(!!(w & C1_SPACE), !!std::isspace(c));
    EXPECT_EQ(!!(w & C1_PUNCT), !!std::ispunct(c));
    EXPECT_EQ(!!(w & C1_CNTRL), !!std::iscntrl(c));
    EXPECT_EQ(!!(w & C1_BLANK), !!std::isblank(c));
    EXPECT_EQ(!!(w & C1_XDIGIT), !!std::isxdigit(c));
    EXPECT_EQ(!!(w & C1_ALPHA), !!std::isalpha(c));
    EXPECT_TRUE(w & C1_DEFINED);
  }
  // The mark-up delimiters of prepared buffers are controls, so whitespace to the matcher.
  EXPECT_EQ(char_type1(u'\x19'), C1_CNTRL | C1_DEFINED);
  EXPECT_EQ(char_type1(u'\x18'), C1_CNTRL | C1_DEFINED);
}

TEST(CharTypes, Latin1) {
  EXPECT_EQ(char_type1(u'\u00E9'), C1_LOWER | C1_ALPHA | C1_DEFINED);  // é
  EXPECT_EQ(char_type1(u'\u00DF'), C1_LOWER | C1_ALPHA | C1_DEFINED);  // ß
  EXPECT_EQ(char_type1(u'\u00A0'), C1_SPACE | C1_BLANK | C1_DEFINED);  // no-break space
  EXPECT_EQ(char_type1(u'\u0085'), C1_SPACE | C1_CNTRL | C1_DEFINED);  // next line
  EXPECT_EQ(char_type1(u'\u0080'), C1_CNTRL | C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u00AB'), C1_PUNCT | C1_DEFINED);  // «
  EXPECT_EQ(char_type1(u'\u00A3'), C1_PUNCT | C1_DEFINED);  // £ (a symbol)
  // Other numbers are digits: superscript two, circled one.
  EXPECT_EQ(char_type1(u'\u00B2'), C1_DIGIT | C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u2460'), C1_DIGIT | C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u00AA'), C1_LOWER | C1_ALPHA | C1_DEFINED);  // ª
  EXPECT_EQ(char_type1(u'\u00AD'), C1_DEFINED);                        // soft hyphen (Cf)
}

TEST(CharTypes, DigitsOfOtherScripts) {
  for (char16_t base : {u'\u0660', u'\u06F0', u'\u0966', u'\uFF10'}) {
    for (char16_t d = base; d < base + 10; ++d) {
      SCOPED_TRACE(static_cast<int>(d));
      EXPECT_EQ(char_type1(d) & ~C1_XDIGIT, C1_DIGIT | C1_DEFINED);
    }
  }
  // Only ASCII and the full-width forms are hexadecimal digits.
  EXPECT_FALSE(char_type1(u'\u0663') & C1_XDIGIT);
  EXPECT_TRUE(char_type1(u'\uFF13') & C1_XDIGIT);
  EXPECT_TRUE(char_type1(u'\uFF21') & C1_XDIGIT);  // full-width A
}

TEST(CharTypes, CjkAndOtherLetters) {
  EXPECT_EQ(char_type1(u'\u4E2D'), C1_ALPHA | C1_DEFINED);  // 中
  EXPECT_EQ(char_type1(u'\u3000'), C1_SPACE | C1_BLANK | C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u3002'), C1_PUNCT | C1_DEFINED);  // ideographic full stop
  EXPECT_EQ(char_type1(u'\u0627'), C1_ALPHA | C1_DEFINED);  // alef
  EXPECT_EQ(char_type1(u'\u03A3'), C1_UPPER | C1_ALPHA | C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u01C5'), C1_UPPER | C1_ALPHA | C1_DEFINED);  // Dž (title case)
}

TEST(CharTypes, CombiningMarks) {
  // Diacritics outside a script's spelling are defined and nothing else, so the matcher
  // carries them at the end of a word.
  EXPECT_EQ(char_type1(u'\u0301'), C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u20DD'), C1_DEFINED);  // enclosing circle
  // Vowel signs and points that spell a word are letters.
  EXPECT_EQ(char_type1(u'\u093F'), C1_ALPHA | C1_DEFINED);  // Devanagari sign i (Mc)
  EXPECT_EQ(char_type1(u'\u0941'), C1_ALPHA | C1_DEFINED);  // Devanagari sign u (Mn)
  EXPECT_EQ(char_type1(u'\u064E'), C1_ALPHA | C1_DEFINED);  // Arabic fatha
}

TEST(CharTypes, FormatCharactersAndSurrogates) {
  EXPECT_EQ(char_type1(u'\u200C'), C1_DEFINED);  // zero-width non-joiner
  EXPECT_EQ(char_type1(u'\u200B'), C1_DEFINED);  // zero-width space is not white space
  EXPECT_EQ(char_type1(u'\uFEFF'), C1_DEFINED);
  EXPECT_EQ(char_type1(u'\u2028'), C1_SPACE | C1_DEFINED);
  for (char16_t c : {u'\xD800', u'\xDBFF', u'\xDC00', u'\xDFFF'})
    EXPECT_EQ(char_type1(c), C1_DEFINED);
  EXPECT_EQ(char_type1(u'\uE000'), C1_DEFINED);  // private use
  EXPECT_EQ(char_type1(u'\uFFFF'), 0);
  EXPECT_EQ(char_type1(u'\uFDD0'), 0);
  EXPECT_EQ(char_type1(u'\u0378'), 0);  // unassigned
  // Whole code points: a supplementary letter and digit.
  EXPECT_EQ(char_type1_of_code_point(U'\U00020000'), C1_ALPHA | C1_DEFINED);
  EXPECT_EQ(char_type1_of_code_point(U'\U0001D7CE'), C1_DIGIT | C1_DEFINED);
  EXPECT_EQ(char_type1_of_code_point(U'\U00010400'), C1_UPPER | C1_ALPHA | C1_DEFINED);
  EXPECT_EQ(char_type1_of_code_point(0x110000), 0);
}

TEST(CharTypes, TableMatchesCodePointRuleAndIsStableAcrossThreads) {
  for (char32_t c = 0; c < 0x10000; ++c)
    ASSERT_EQ(char_type1_table()[c], char_type1_of_code_point(c)) << static_cast<int>(c);
  std::vector<std::thread> readers;
  std::vector<unsigned> sums(4);
  for (int t = 0; t < 4; ++t)
    readers.emplace_back([t, &sums] {
      for (int c = 0; c < 65536; ++c) sums[t] += char_type1(static_cast<char16_t>(c));
    });
  for (auto& r : readers) r.join();
  EXPECT_EQ(sums[0], sums[3]);
}

TEST(CharTypes, WholeString) {
  std::u16string text = u"a1 \u0660";
  std::vector<std::uint16_t> out(text.size());
  char_types1(text, out.data());
  EXPECT_EQ(out[0], C1_LOWER | C1_XDIGIT | C1_ALPHA | C1_DEFINED);
  EXPECT_EQ(out[1], C1_DIGIT | C1_XDIGIT | C1_DEFINED);
  EXPECT_EQ(out[2], C1_SPACE | C1_BLANK | C1_DEFINED);
  EXPECT_EQ(out[3], C1_DIGIT | C1_DEFINED);
}

}  // namespace
}  // namespace corvane
