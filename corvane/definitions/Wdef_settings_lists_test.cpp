#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

using corvane::testing::B;

std::vector<std::uint8_t> bytes_of(TMemoryStream& s) {
  return s.bytes();
}

std::vector<std::uint8_t> file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ToolScope : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = current_tool_var;
    current_tool_var = tt_shell;  // signature 37
  }
  void TearDown() override { current_tool_var = saved_; }
  tool_type saved_ = tt_no_tool_at_all;
};

// ---- Sections

using SectionList = ToolScope;

TEST_F(SectionList, EmptyFileIsTheHeaderAndAZeroCount) {
  const std::string path = ::testing::TempDir() + "sections_empty.sec";
  TSectionStartsList list;
  ASSERT_TRUE(list.SaveToFile(u16(path)));
  std::vector<std::uint8_t> want = B({37, 0, 0, 0});
  want.resize(16, 0);
  want.push_back(14);
  for (char c : std::string("Section List32")) want.push_back(static_cast<std::uint8_t>(c));
  want.resize(57, 0);
  want.insert(want.end(), {0, 0, 0, 0});
  EXPECT_EQ(file_bytes(path), want);
  EXPECT_EQ(want.size(), 61u);

  TSectionStartsList back;
  back.AddSection({5, u"kept"});
  EXPECT_TRUE(back.ReadFromFile(u16(path)));
  EXPECT_EQ(back.Count(), 1);  // reading adds to what is there
}

TEST_F(SectionList, StreamBytesAndRoundTrip) {
  TSectionStartsList list;
  list.AddSection({0x102, u"Ab"});
  list.AddSection({-1, u""});
  TMemoryStream s;
  ASSERT_TRUE(list.SaveToStream(s));
  EXPECT_EQ(bytes_of(s), B({2,   0, 0,   0, 0x02, 0x01, 0,    0,    2, 0, 0, 0,
                            'A', 0, 'b', 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
  s.SetPosition(0);
  TSectionStartsList back;
  ASSERT_TRUE(back.ReadFromStream(s));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetASection(0), (TSectionTagRec{0x102, u"Ab"}));
  EXPECT_EQ(back.GetASection(1), (TSectionTagRec{-1, u""}));
  EXPECT_EQ(back.GetASection(-1), (TSectionTagRec{-1, u""}));
  EXPECT_EQ(back.GetASection(2), (TSectionTagRec{-1, u""}));
}

TEST_F(SectionList, DamagedStreamsNeverAllocateTheirCount) {
  // A huge count with one entry behind it: one entry, then a short start read.
  TBytesStream s(B({0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 1, 0, 0, 0, 'x', 0, 9}));
  TSectionStartsList list;
  EXPECT_FALSE(list.ReadFromStream(s));
  EXPECT_EQ(list.Count(), 1);
  // A heading that the stream does not back raises, keeping what was read.
  TBytesStream h(B({2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x10, 0, 0, 0}));
  TSectionStartsList list2;
  EXPECT_THROW(list2.ReadFromStream(h), EReadError);
  EXPECT_EQ(list2.Count(), 1);
  TBytesStream three(B({1, 0, 0}));
  EXPECT_FALSE(list2.ReadFromStream(three));
}

TEST_F(SectionList, FileOfAnotherToolOrKindIsRefused) {
  const std::string path = ::testing::TempDir() + "sections_other.sec";
  TSectionStartsList list;
  list.AddSection({3, u"one"});
  ASSERT_TRUE(list.SaveToFile(u16(path)));
  current_tool_var = tt_API_tool;  // signature 36
  TSectionStartsList back;
  EXPECT_FALSE(back.ReadFromFile(u16(path)));
  EXPECT_EQ(back.Count(), 0);
  current_tool_var = tt_shell;
  EXPECT_TRUE(back.ReadFromFile(u16(path)));
  EXPECT_EQ(back.GetASection(0).w, u"one");
  EXPECT_THROW(back.ReadFromFile(u16(::testing::TempDir() + "no_such.sec")), EFOpenError);
  // A failed save leaves the good file as it was.
  EXPECT_THROW(list.SaveToFile(u16(::testing::TempDir() + "no_such_dir/x.sec")), EFCreateError);
}

TEST(SectionLookup, SortAndLastSectionAtOrBeforeThePosition) {
  TSectionStartsList list;
  list.AddSection({200, u"C"});
  list.AddSection({0, u"A"});
  list.AddSection({100, u"B"});
  list.SortSections();
  EXPECT_EQ(list.GetASection(0).w, u"A");
  EXPECT_EQ(list.GetASection(2).w, u"C");
  TSectionStartsList gap;
  gap.AddSection({10, u"late"});
  EXPECT_EQ(gap.SectionFromBytePosition(0, 5).section_number, 0);
  EXPECT_EQ(gap.SectionFromBytePosition(0, 10).section, u"late");
  const TSectionStartInfo mid = list.SectionFromBytePosition(0, 150);
  EXPECT_EQ(mid.section, u"B");
  EXPECT_EQ(mid.section_number, 2);
  EXPECT_EQ(list.SectionFromBytePosition(0, 100).section_number, 2);
  EXPECT_EQ(list.SectionFromBytePosition(0, 99).section_number, 1);
  EXPECT_EQ(list.SectionFromBytePosition(0, 1 << 30).section, u"C");
  EXPECT_EQ(list.SectionFromBytePosition(2, 150).section_number, 0);  // searched from C
  EXPECT_EQ(list.SectionFromBytePosition(-4, 0).section_number, 1);
  TSectionStartsList empty;
  EXPECT_EQ(empty.SectionFromBytePosition(0, 0).section, u"");
}

// ---- Extra fonts

TExtraFontRec sample_font() {
  TExtraFontRec r;
  r.switch_on_at_char = 1;
  r.switch_off_at_char = -2;
  r.colour_rec.colours[tct_text] = 0x00332211;
  r.colour_rec.colours[tct_selected_background] = 0xFF00000F;
  r.spare_typefaces.include(tf_italics);
  r.Colouring_word_instead_of_tag = true;
  r.applies_to = efc_sort2;
  r.default_typeface.include(tf_bold);
  r.highlight_typeface.include(tf_underline);
  r.spare_determined = true;
  return r;
}

TEST(ExtraFonts, RecordBytesFieldByField) {
  std::vector<std::uint8_t> want =
      B({1, 0, 0,    0, 0xFE, 0xFF, 0xFF, 0xFF, 0x11, 0x22, 0x33, 0, 0, 0, 0, 0, 0, 0,
         0, 0, 0x0F, 0, 0,    0xFF, 2,    0,    0,    0,    1,    0, 5, 1, 4, 1, 0, 0});
  want.resize(72, 0);
  const auto bytes = ExtraFontRecBytes(sample_font());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), want);
  EXPECT_EQ(ExtraFontRecFromBytes(bytes.data(), 72), sample_font());
}

TEST(ExtraFonts, SaveWritesVersionThreeAndReadsBack) {
  TExtraFontList list;
  list.AddOne(sample_font());
  EXPECT_TRUE(list.insert_space_between_words);
  TMemoryStream s;
  EXPECT_TRUE(list.XSaveToStream(s, 20));
  EXPECT_EQ(list.GetEFVersion(), 3);
  ASSERT_EQ(s.Size(), 8 + 72);
  EXPECT_EQ(std::vector<std::uint8_t>(s.bytes().begin(), s.bytes().begin() + 8),
            B({1, 0, 0, 0, 3, 0, 0, 0}));
  s.SetPosition(0);
  TExtraFontList back;
  EXPECT_TRUE(back.XReadFromStream(s, 20));
  EXPECT_EQ(back.GetAFontFrec(0), sample_font());
  EXPECT_EQ(back.GetAFontFrec(1), TExtraFontRec{});
}

TEST(ExtraFonts, VersionTwoCopiesTheOneTypefaceAndAskForSpace) {
  // Container 20, negative count -1, record version 2, spare_typefaces bold.
  std::vector<std::uint8_t> b = B({0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0});
  std::vector<std::uint8_t> rec(72, 0);
  rec[0] = 7;
  rec[24] = 1;
  b.insert(b.end(), rec.begin(), rec.end());
  TBytesStream s(b);
  TExtraFontList list;
  EXPECT_TRUE(list.XReadFromStream(s, 20));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetEFVersion(), 2);
  EXPECT_TRUE(list.GetAFontFrec(0).default_typeface.contains(tf_bold));
  EXPECT_TRUE(list.GetAFontFrec(0).highlight_typeface.contains(tf_bold));
  EXPECT_TRUE(list.insert_space_between_words);
}

TEST(ExtraFonts, ContainerNineteenReadsOldRecordsWithoutAVersion) {
  std::vector<std::uint8_t> b = B({2, 0, 0, 0});
  for (int i = 0; i < 2; ++i) {
    std::vector<std::uint8_t> rec(28, 0);
    rec[0] = static_cast<std::uint8_t>(10 + i);
    rec[4] = 0xFF, rec[5] = 0xFF, rec[6] = 0xFF, rec[7] = 0xFF;
    b.insert(b.end(), rec.begin(), rec.end());
  }
  b.push_back(0x99);  // not part of the list
  TBytesStream s(b);
  TExtraFontList list;
  list.insert_space_between_words = true;
  EXPECT_TRUE(list.XReadFromStream(s, 19));
  EXPECT_EQ(list.GetEFVersion(), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetAFontFrec(1).switch_on_at_char, 11);
  EXPECT_EQ(list.GetAFontFrec(1).switch_off_at_char, -1);
  EXPECT_FALSE(list.insert_space_between_words);
  EXPECT_EQ(s.Position(), 4 + 56);
  // A count the stream does not back raises after the records it holds.
  TBytesStream short_stream(B({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}));
  EXPECT_THROW(list.XReadFromStream(short_stream, 19), EReadError);
  TBytesStream min_count(B({0, 0, 0, 0x80, 3, 0, 0, 0}));
  EXPECT_THROW(list.XReadFromStream(min_count, 20), EReadError);
}

TEST(ExtraFonts, LookUpsAndSortByStartThenCategory) {
  TExtraFontList list;
  auto add = [&](std::int32_t on, std::int32_t off, TExtraFontCategory c) {
    TExtraFontRec r;
    r.switch_on_at_char = on;
    r.switch_off_at_char = off;
    r.applies_to = c;
    list.AddOne(r);
  };
  add(30, 40, efc_tag);
  add(10, -1, efc_sort3);
  add(10, 12, efc_context_word);
  add(20, 25, efc_sort1);
  EXPECT_FALSE(list.insert_space_between_words);
  EXPECT_EQ(list.IndexOfStart(10), 1);
  EXPECT_EQ(list.IndexOfStart(20), 3);  // unsorted: searched to the end
  EXPECT_EQ(list.IndexOfStartAndEnd(10, 20), 1);
  EXPECT_EQ(list.IndexOfStartAndEnd(20, 30), 3);
  EXPECT_EQ(list.IndexOfStartAndEnd(30, 39), -1);
  list.SortOnStartpoints();
  EXPECT_TRUE(list.sorted);
  std::vector<std::pair<int, int>> order;
  for (int i = 0; i < list.Count(); ++i)
    order.emplace_back(list.GetAFontFrec(i).switch_on_at_char, list.GetAFontFrec(i).applies_to);
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{
                       {10, efc_context_word}, {10, efc_sort3}, {20, efc_sort1}, {30, efc_tag}}));
  EXPECT_EQ(list.IndexOfStart(15), -1);
  list.Delete(9);  // outside: nothing
  list.Delete(0);
  EXPECT_EQ(list.Count(), 3);
  TExtraFontRec bold;
  bold.default_typeface.include(tf_bold);
  list.SetAFontFrec(5, bold);
  EXPECT_FALSE(list.insert_space_between_words);
  list.SetAFontFrec(0, bold);
  EXPECT_TRUE(list.insert_space_between_words);
  list.Clear();
  EXPECT_FALSE(list.sorted);
  EXPECT_EQ(list.Count(), 0);
}

// ---- Setting texts and languages

TEST(SettingTexts, IgnoredTagsBothWays) {
  const TIgnore_tag_type a = StringToIgnoreTag_Type(u"< * >, [ * ]");
  TIgnore_tag_type want{};
  want[0] = u'<', want[6] = u'>', want[1] = u'[', want[7] = u']';
  EXPECT_EQ(a, want);
  EXPECT_EQ(IgnoreTag_TypeToString(a), u"<*>,[*]");
  EXPECT_EQ(StringToIgnoreTag_Type(u""), Global_Blank_ignoreTags);
  EXPECT_EQ(StringToIgnoreTag_Type(u" * \t"), Global_Blank_ignoreTags);
  // A trailing comma adds nothing; items past the sixth overwrite the sixth.
  const TIgnore_tag_type many = StringToIgnoreTag_Type(u"<>,[],{},(),ab,cd,ef,gh,");
  EXPECT_EQ(many[5], u'g');
  EXPECT_EQ(many[11], u'h');
  EXPECT_EQ(many[4], u'a');
  // A pair with a zero side is not shown.
  TIgnore_tag_type half{};
  half[0] = u'<';
  half[7] = u']';
  EXPECT_EQ(IgnoreTag_TypeToString(half), u"");
}

TEST(SettingTexts, TagTreatmentFromTheCatalogue) {
  EXPECT_EQ(TabulonTagTreatmentToString(wltt_tags_as_prefix),
            u"tag treatment = tags as prefix to words");
  EXPECT_EQ(TabulonTagTreatmentToString(wltt_none), u"tag treatment = words, no tags");
  for (TTabulonTagTreatment t :
       {wltt_none, wltt_tags_as_prefix, wltt_tags_as_suffix, wltt_list_tags_only})
    EXPECT_EQ(StringToTabulonTagTreatment(TabulonTagTreatmentToString(t)), t);
  EXPECT_EQ(StringToTabulonTagTreatment(u"TAG TREATMENT = tags as suffix to words"), wltt_none);
}

TEST(LanguageRecord, OffsetsFieldByField) {
  fixed_lang_details_rec32 r;
  r.allow_middles_at_left = true;
  r.is_32_version = true;
  r.lcid = 0x0809;
  r.old_win_font.charset_old = 0xA1;
  r.old_win_font.fontname_old[0] = 2;
  r.preference = lang_a_preferida;
  r.hyphen_breaks_word = true;
  r.win_codepage = 1252;
  r.dos_codepage = 850;
  r.allowable_middle_letters = StringToTenWidechar(u"'-");
  r.spare_ANSI_uppers[128] = 0x55;
  r.new_win_font.charset = 177;
  r.new_win_font.fontsize = 10;
  SetARecFontname(r.new_win_font, u"DejaVu Sans");
  r.custom_sort_string_number = -2;
  r.cores.colours[tct_selected_background] = 0x01020304;
  r.language_number = 7;
  r.spare_ints[2] = 9;
  r.spare[355] = 0x66;
  r.nome[50] = u'Z';  // the last character, beyond any terminator
  const auto b = FixedLangDetailsBytes(r);
  ASSERT_EQ(b.size(), 1040u);
  EXPECT_EQ(b[0], 0);
  EXPECT_EQ(b[1], 1);
  EXPECT_EQ(b[2], 1);
  EXPECT_EQ(b[4], 0x09);
  EXPECT_EQ(b[5], 0x08);
  EXPECT_EQ(b[8], 0xA1);
  EXPECT_EQ(b[10], 2);
  EXPECT_EQ(b[43], 3);
  EXPECT_EQ(b[45], 1);
  EXPECT_EQ(b[46] | b[47] << 8, 1252);
  EXPECT_EQ(b[48] | b[49] << 8, 850);
  EXPECT_EQ(b[50], '\'');
  EXPECT_EQ(b[52], '-');
  EXPECT_EQ(b[329], 0x55);
  EXPECT_EQ(b[330], 177);
  EXPECT_EQ(b[331], 10);
  EXPECT_EQ(b[332], 'D');
  EXPECT_EQ(b[334], 'e');
  EXPECT_EQ(b[536], 0xFE);
  EXPECT_EQ(b[539], 0xFF);
  EXPECT_EQ(b[556], 0x04);
  EXPECT_EQ(b[559], 0x01);
  EXPECT_EQ(b[560], 7);
  EXPECT_EQ(b[576], 9);
  EXPECT_EQ(b[935], 0x66);
  EXPECT_EQ(b[1036], 'Z');
  EXPECT_EQ(b[1038], 0);
  EXPECT_EQ(FixedLangDetailsFromBytes(b.data()), r);
}

TEST(LanguageRecord, LocaleRoutines) {
  EXPECT_EQ(BiDiModeFromLCID(0x0401), bdRightToLeft);
  EXPECT_EQ(BiDiModeFromLCID(0x040D), bdRightToLeft);
  EXPECT_EQ(BiDiModeFromLCID(0x0420), bdLeftToRight);
  EXPECT_EQ(BiDiModeFromLCID(0x0463), bdRightToLeft);
  EXPECT_EQ(BiDiModeFromCharset(178), bdRightToLeft);
  EXPECT_EQ(BiDiModeFromCharset(0), bdLeftToRight);
  EXPECT_TRUE(SamePrimaryLanguage(0x0409, 0x0809));
  EXPECT_FALSE(SamePrimaryLanguage(0x0409, 0x0407));
  EXPECT_EQ(PrimaryLanguage(0x10407), 0x10007u);
  const auto ten = StringToTenWidechar(u"abcdefghijkl");
  EXPECT_EQ(TenWideCharTostring(ten), u"abcdefghij");
  EXPECT_EQ(ten[10], 0);
  EXPECT_EQ(WideCharFieldToString(StringToThirtyWideChar(std::u16string(40, u'x'))).size(), 30u);
  fixed_character_format_rec32 font;
  font.fontname.fill(u'q');
  SetARecFontname(font, std::u16string(120, u'n'));
  EXPECT_EQ(font.fontname[99], u'n');
  EXPECT_EQ(font.fontname[100], 0);
  SetARecFontname(font, u"Ab");
  EXPECT_EQ(WideCharFieldToString(font.fontname), u"Ab");
}

TEST(LanguageRecord, OwningLists) {
  TFixedLangDetailsList langs;
  fixed_lang_details_rec32 r;
  r.lcid = 0x0407;
  langs.AddLang(r);
  EXPECT_EQ(langs.GetALang(0).lcid, 0x0407u);
  EXPECT_EQ(langs.GetALang(1), fixed_lang_details_rec32{});
  r.lcid = 0x0C07;
  langs.SetALang(0, r);
  langs.SetALang(3, fixed_lang_details_rec32{});
  EXPECT_EQ(langs.GetALang(0).lcid, 0x0C07u);
  langs.Clear();
  EXPECT_EQ(langs.Count(), 0);
  const TColoursHolder colours(r.cores);
  EXPECT_EQ(colours.data, r.cores);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(StreamableStrings, NegatedCountThenUtf16Strings) {
  TMyStreamableStringlist list;
  list.Add(u"a");
  list.Add(u"");
  list.Add(u"\u00e9");
  TMemoryStream s;
  ASSERT_TRUE(list.SaveToStream(s));
  EXPECT_EQ(s.bytes(),
            B({0xFD, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xE9, 0}));
  s.SetPosition(0);
  TMyStreamableStringlist back;
  back.Add(u"gone");
  ASSERT_TRUE(back.ReadFromStream(s));
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(back.Strings(2), u"\u00e9");
  TMyStreamableStringlist empty;
  TMemoryStream e;
  ASSERT_TRUE(empty.SaveToStream(e));
  EXPECT_EQ(e.bytes(), B({0, 0, 0, 0}));
}

TEST(StreamableStrings, PositiveCountIsEightBitShortStrings) {
  // Count 2: "ab" and 0xE9 (e acute in the system code page, 1252 by default).
  TBytesStream s(B({2, 0, 0, 0, 2, 'a', 'b', 1, 0xE9}));
  TMyStreamableStringlist list;
  ASSERT_TRUE(list.ReadFromStream(s));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Strings(0), u"ab");
  EXPECT_EQ(list.Strings(1), u"\u00e9");
}

TEST(StreamableStrings, FailuresKeepWhatWasRead) {
  TBytesStream short_strings(B({0xFF, 0xFF, 0xFF, 0x7F, 1, 'x', 5, 'y'}));
  TMyStreamableStringlist list;
  EXPECT_FALSE(list.ReadFromStream(short_strings));
  EXPECT_EQ(list.Count(), 1);
  TBytesStream wide(B({0, 0, 0, 0x80, 1, 0, 0, 0, 'z', 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_FALSE(list.ReadFromStream(wide));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Strings(0), u"z");
  TBytesStream nothing(B({1, 0}));
  EXPECT_FALSE(list.ReadFromStream(nothing));
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace corvane
