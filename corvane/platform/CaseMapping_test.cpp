#include "corvane/platform/CaseMapping.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CaseMapping, TurkishAndAzeriDottedAndDotlessI) {
  for (const char* loc : {"tr_TR", "az_Latn_AZ"}) {
    SCOPED_TRACE(loc);
    EXPECT_EQ(to_upper_for_locale(loc, u"i\u0131"), u"\u0130I");
    EXPECT_EQ(to_lower_for_locale(loc, u"I\u0130"), u"\u0131i");
  }
  // Elsewhere i and I pair up, and capital I with dot keeps its dot as a combining mark.
  EXPECT_EQ(to_upper_for_locale("en_US", u"i"), u"I");
  EXPECT_EQ(to_lower_for_locale("en_US", u"I\u0130"), u"ii\u0307");
  EXPECT_EQ(to_lower_for_locale("", u"I"), u"i");
}

TEST(CaseMapping, GreekFinalSigma) {
  EXPECT_EQ(to_lower_for_locale("el_GR", u"\u039F\u0394\u039F\u03A3"), u"\u03BF\u03B4\u03BF\u03C2");
  EXPECT_EQ(to_lower_for_locale("en_US", u"\u03A3\u0391 \u039F\u03A3."),
            u"\u03C3\u03B1 \u03BF\u03C2.");
  // The simple mapping knows no context.
  EXPECT_EQ(simple_lower(u"\u039F\u03A3"), u"\u03BF\u03C3");
}

TEST(CaseMapping, GermanSharpS) {
  EXPECT_EQ(to_upper_for_locale("de_DE", u"stra\u00DFe"), u"STRASSE");
  EXPECT_EQ(simple_upper(u"stra\u00DFe"), u"STRA\u00DFE");
  EXPECT_EQ(to_lower_for_locale("de_DE", u"\u1E9E"), u"\u00DF");  // capital sharp s
}

TEST(CaseMapping, InPlaceKeepsTheLength) {
  std::u16string s = u"stra\u00DFe \u039F\u03A3";
  to_upper_in_place_for_locale("de_DE", s.data(), s.size());
  EXPECT_EQ(s, u"STRA\u00DFE \u039F\u03A3");
  s = u"\u039F\u03A3 \u0130I";
  to_lower_in_place_for_locale("en_US", s.data(), s.size());
  EXPECT_EQ(s, u"\u03BF\u03C2 ii");  // final sigma kept; dotted I falls back to i
  s = u"\u0130I";
  to_lower_in_place_for_locale("tr_TR", s.data(), s.size());
  EXPECT_EQ(s, u"i\u0131");
  s = u"i";
  to_upper_in_place_for_locale("tr_TR", s.data(), s.size());
  EXPECT_EQ(s, u"\u0130");
  to_upper_in_place_for_locale("tr_TR", nullptr, 0);  // nothing to do, no crash
}

TEST(CaseMapping, SimpleMapping) {
  EXPECT_EQ(simple_upper(u'a'), u'A');
  EXPECT_EQ(simple_lower(u'\u0130'), u'i');
  EXPECT_EQ(simple_upper(u'\u00DF'), u'\u00DF');
  EXPECT_EQ(simple_lower(u'\xD801'), u'\xD801');
  // A Deseret capital (a surrogate pair) maps as one character; a lone half stays.
  EXPECT_EQ(simple_lower(u"\U00010400"), u"\U00010428");
  std::u16string lone = u"?A";
  lone[0] = 0xD801;
  std::u16string lone_lower = simple_lower(lone);
  EXPECT_EQ(lone_lower[0], 0xD801);
  EXPECT_EQ(lone_lower[1], u'a');
  EXPECT_EQ(simple_upper(u""), u"");
}

}  // namespace
}  // namespace corvane
