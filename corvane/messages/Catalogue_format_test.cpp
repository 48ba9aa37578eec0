// Every catalogue text fills through Format with the arguments its placeholders take, and
// refuses too few arguments or arguments of the wrong kind instead of reading past them.
#include <gtest/gtest.h>

#include <vector>

#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

std::u16string format_with(std::u16string_view text, const std::vector<TVarRec>& a,
                           const TFormatSettings& settings) {
  switch (a.size()) {
    case 0:
      return Format(text, {}, settings);
    case 1:
      return Format(text, {a[0]}, settings);
    case 2:
      return Format(text, {a[0], a[1]}, settings);
    case 3:
      return Format(text, {a[0], a[1], a[2]}, settings);
    case 4:
      return Format(text, {a[0], a[1], a[2], a[3]}, settings);
    case 5:
      return Format(text, {a[0], a[1], a[2], a[3], a[4]}, settings);
  }
  ADD_FAILURE() << "more arguments than this test passes: " << u8(text);
  return {};
}

TEST(CatalogueFormat, EveryTemplateFillsAndRefusesMissingOrWrongArguments) {
  const TFormatSettings settings;
  const std::u16string word = u"word";
  for (msg::MessageId id : msg::all()) {
    const std::u16string text = msg::builtin_text(id);
    const auto kinds = msg::argument_kinds(text);
    if (!kinds) continue;  // a display name, never formatted
    std::vector<TVarRec> good, wrong;
    for (char kind : *kinds) {
      good.push_back(kind == 's' ? TVarRec(word) : kind == 'd' ? TVarRec(12) : TVarRec(1234.5));
      wrong.push_back(kind == 's' ? TVarRec(12) : TVarRec(word));
    }
    const std::string name(msg::identifier(id));
    EXPECT_NO_THROW(format_with(text, good, settings)) << name;
    if (good.empty()) continue;
    good.pop_back();
    EXPECT_THROW(format_with(text, good, settings), EConvertError) << name;
    EXPECT_THROW(format_with(text, wrong, settings), EConvertError) << name;
  }
}

TEST(CatalogueFormat, NumbersTakeTheSeparatorsOfTheFormatSettings) {
  TFormatSettings english;
  english.ThousandSeparator = u',';
  english.DecimalSeparator = u'.';
  TFormatSettings german = english;
  german.ThousandSeparator = u'.';
  german.DecimalSeparator = u',';
  const auto fill = [](msg::MessageId id, std::initializer_list<TVarRec> args,
                       const TFormatSettings& s) { return Format(LoadResString(id), args, s); };

  EXPECT_EQ(fill(msg::CVNmanyWords, {1234567.0}, english), u"1,234,567 words");
  EXPECT_EQ(fill(msg::CVNmanyWords, {1234567.0}, german), u"1.234.567 words");
  EXPECT_EQ(fill(msg::CVNWordsApprox, {98765.4}, english), u"about 98,765 words");
  EXPECT_EQ(fill(msg::CVNWordsPerMinute, {7.0}, english), u" 7 words per minute");
  EXPECT_EQ(fill(msg::CVFloatMBytes, {1234.56}, german), u"1.234,6 Mb");
  EXPECT_EQ(fill(msg::CVFloatGBytes, {2.5}, english), u"2.50 Gb");
  EXPECT_EQ(fill(msg::CVFloatTBytes, {1.5}, german), u"1,50 Tb");
  EXPECT_EQ(fill(msg::CVDiceCoefficientIs, {0.25}, english), u"Dice coefficient = 0.250");
  EXPECT_EQ(fill(msg::CVMaximumFloatIs, {3.14159}, english), u"maximum = 3.142");
  EXPECT_EQ(fill(msg::CVPValueIs, {0.0123}, english), u"p value = 0.012");
  EXPECT_EQ(fill(msg::CVNmanyEntriesFoundEqualsXPercent, {1500.0, u"12.5"}, english),
            u"1,500 entries found = 12.5%");
  EXPECT_EQ(fill(msg::CVDeleteAllXFilesInY, {3, u".txt", u"/corpus"}, english),
            u"Delete all 3 .txt files in /corpus?");
  EXPECT_EQ(fill(msg::CVAboutNHoursMinsToGo, {1, 5}, english), u"~ 1h 5m to go");
}

}  // namespace
}  // namespace corvane
