#include "corvane/definitions/Convert_old_record_types.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "corvane/platform/CodePages.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian writers for building records byte by byte.
void put16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = v >> 8;
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}
void put64(Bytes& b, std::size_t at, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}
void putf(Bytes& b, std::size_t at, float v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  put32(b, at, u);
}
void putd(Bytes& b, std::size_t at, double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  put64(b, at, u);
}
void put_text16(Bytes& b, std::size_t at, std::u16string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) put16(b, at + 2 * i, s[i]);
}
void put_pstr(Bytes& b, std::size_t at, std::string_view s) {
  b[at] = static_cast<std::uint8_t>(s.size());
  std::memcpy(b.data() + at + 1, s.data(), s.size());
}

// A 16-bit-era language record: English, Arial 10, middle letters "'-" , name "Français".
Bytes lang16() {
  Bytes b(632, 0);
  b[0] = 1;                 // allow_middles_at_right
  b[2] = 0;                 // is_32_version
  put32(b, 4, 0xDEADBEEF);  // spare2: not carried over
  put32(b, 8, 0x0409);
  b[12] = 0;   // charset
  b[13] = 10;  // size
  put_pstr(b, 14, "Arial");
  b[47] = lang_a_preferida;
  b[49] = 1;  // hyphen_breaks_word
  put16(b, 50, 1252);
  put16(b, 52, 850);
  b[75] = 2;  // length byte
  b[76] = '\'';
  b[77] = '-';
  b[78] = ' ';  // not above 32: skipped
  b[79] = 0xB4;
  put_pstr(b, 600,
           "Fran\xE7"
           "ais");
  return b;
}

// The first 32-bit language record.
Bytes lang32old() {
  Bytes b(1040, 0);
  b[1] = 1;
  b[2] = 1;  // is_32_version
  put32(b, 4, 0x040D);
  b[8] = 177;
  b[9] = 12;
  put_pstr(b, 10, "David");
  b[43] = lang_rank_2;
  b[44] = 1;
  put16(b, 46, 1255);
  put16(b, 48, 862);
  put_text16(b, 50, u"\u05F3");
  b[72] = 5;   // ANSI_lowers: dropped
  b[400] = 7;  // spare: dropped
  put_text16(b, 936, u"Hebrew");
  return b;
}

// A current language record with its own colours.
Bytes lang_current() {
  Bytes b(1040, 0);
  b[0] = 1;
  b[2] = 1;
  put32(b, 4, 0x0809);
  b[8] = 1;
  b[9] = 11;
  put_pstr(b, 10, "Times");
  b[43] = lang_instalada;
  put16(b, 46, 1252);
  put16(b, 48, 437);
  put_text16(b, 50, u"'-");
  put_pstr(b, 72, "abc");
  b[330] = 1;
  b[331] = 11;
  put_text16(b, 332, u"Times New Roman");
  put32(b, 536, static_cast<std::uint32_t>(-3));
  b[540] = 9;
  put32(b, 544, 0x112233);  // text
  put32(b, 548, 0x445566);
  put32(b, 552, 0x778899);  // background
  put32(b, 556, 0xAABBCC);
  put32(b, 560, 42);
  put32(b, 564, 7);
  put32(b, 568, 1);
  b[600] = 0x5A;
  put_text16(b, 936, u"English (UK)");
  return b;
}

TEST(ConvertOldLanguage, CurrentVersionsReadAsTheyAreAndWriteBackTheSameBytes) {
  for (std::int32_t version : {6, 7, 18}) {
    TBytesStream s(lang_current());
    fixed_lang_details_rec32 rec;
    ASSERT_TRUE(Readfixed_lang_details_rec(s, rec, version));
    EXPECT_EQ(s.Position(), 1040);
    EXPECT_EQ(rec.lcid, 0x0809u);
    EXPECT_EQ(WideCharFieldToString(rec.nome), u"English (UK)");
    EXPECT_EQ(rec.custom_sort_string_number, -3);
    EXPECT_EQ(rec.cores.colours[tct_background], 0x778899u);
    const auto back = FixedLangDetailsBytes(rec);
    EXPECT_EQ(Bytes(back.begin(), back.end()), lang_current());
  }
}

TEST(ConvertOldLanguage, SixteenBitLayoutRecognisedByItsThirdByte) {
  ASSERT_TRUE(set_system_ansi_code_page(1252));
  for (std::int32_t version : {0, 9, 20}) {
    Bytes data = lang16();
    data.push_back(0xEE);  // the next record's first byte
    TBytesStream s(data);
    fixed_lang_details_rec32 rec;
    ASSERT_TRUE(Readfixed_lang_details_rec(s, rec, version));
    EXPECT_EQ(s.Position(), 632);
    EXPECT_TRUE(rec.allow_middles_at_right);
    EXPECT_FALSE(rec.is_32_version);
    EXPECT_EQ(rec.lcid, 0x0409u);
    EXPECT_EQ(rec.preference, lang_a_preferida);
    EXPECT_TRUE(rec.hyphen_breaks_word);
    EXPECT_EQ(rec.win_codepage, 1252);
    EXPECT_EQ(rec.dos_codepage, 850);
    EXPECT_EQ(rec.new_win_font.fontsize, 10);
    EXPECT_EQ(WideCharFieldToString(rec.new_win_font.fontname), u"Arial");
    EXPECT_EQ(rec.old_win_font.fontname_old[0], 5);
    // Bytes above 32 in order, the length byte and the space skipped, 0xB4 widened.
    EXPECT_EQ(WideCharFieldToString(rec.allowable_middle_letters), u"'-\u00B4");
    EXPECT_EQ(WideCharFieldToString(rec.nome), u"Fran\u00E7ais");
    EXPECT_EQ(rec.spare_hits, 0);
  }
  ASSERT_TRUE(set_system_ansi_code_page(0));
}

TEST(ConvertOldLanguage, First32BitLayoutByVersionOrThirdByte) {
  for (std::int32_t version : {5, 9}) {
    TBytesStream s(lang32old());
    fixed_lang_details_rec32 rec;
    ASSERT_TRUE(Readfixed_lang_details_rec(s, rec, version));
    EXPECT_EQ(s.Position(), 1040);
    EXPECT_TRUE(rec.is_32_version);
    EXPECT_TRUE(rec.allow_middles_at_left);
    EXPECT_EQ(rec.lcid, 0x040Du);
    EXPECT_EQ(rec.preference, lang_rank_2);
    EXPECT_TRUE(rec.custom_language);
    EXPECT_EQ(rec.win_codepage, 1255);
    EXPECT_EQ(rec.new_win_font.charset, 177);
    EXPECT_EQ(WideCharFieldToString(rec.new_win_font.fontname), u"David");
    EXPECT_EQ(WideCharFieldToString(rec.allowable_middle_letters), u"\u05F3");
    EXPECT_EQ(WideCharFieldToString(rec.nome), u"Hebrew");
    EXPECT_EQ(rec.spare_ANSI_lowers[0], 0);  // not carried over
    EXPECT_EQ(rec.spare[400 - 580 + 356], 0);
  }
}

TEST(ConvertOldLanguage, EqualTextAndBackgroundColoursBecomeTheStandardOnes) {
  Bytes b = lang_current();
  for (int i = 544; i < 560; ++i) b[i] = 0;
  TBytesStream s(b);
  fixed_lang_details_rec32 rec;
  ASSERT_TRUE(Readfixed_lang_details_rec(s, rec, 18));
  EXPECT_NE(rec.cores.colours[tct_text], rec.cores.colours[tct_background]);
  EXPECT_EQ(rec.cores.colours[tct_background], 0xFFFFFFu);
  // Converted records have no colours of their own and always get them.
  TBytesStream old(lang16());
  ASSERT_TRUE(Readfixed_lang_details_rec(old, rec, 0));
  EXPECT_EQ(rec.cores.colours[tct_background], 0xFFFFFFu);
}

TEST(ConvertOldLanguage, FontNameLengthByteBeyondTheFieldIsClamped) {
  old_fixed_character_format_rec old;
  old.fontname_old.fill('x');
  old.fontname_old[0] = 255;
  const fixed_character_format_rec32 f = New_WinFontFromOldWin_Font(old);
  EXPECT_EQ(WideCharFieldToString(f.fontname).size(), 32u);
}

// Every length short of the record answers false, whatever the path.
template <class Read>
void expect_short_reads_fail(const Bytes& full, std::size_t needed, Read read) {
  for (std::size_t n = 0; n < needed; ++n) {
    TBytesStream s(Bytes(full.begin(), full.begin() + n));
    EXPECT_FALSE(read(s)) << "length " << n;
    EXPECT_LE(s.Position(), static_cast<std::int64_t>(n));
  }
}

TEST(ConvertOldRecords, ShortDataAnswersFalseAtEveryLength) {
  fixed_lang_details_rec32 lang;
  expect_short_reads_fail(lang16(), 632,
                          [&](TStream& s) { return Readfixed_lang_details_rec(s, lang, 0); });
  expect_short_reads_fail(lang32old(), 1040,
                          [&](TStream& s) { return Readfixed_lang_details_rec(s, lang, 9); });
  expect_short_reads_fail(lang_current(), 1040,
                          [&](TStream& s) { return Readfixed_lang_details_rec(s, lang, 7); });
  textsett_rec32 text;
  const Bytes text_full(3028, 0);
  for (std::int32_t v : {0, 5, 6})
    expect_short_reads_fail(text_full, v == 0 ? 2500 : 3028,
                            [&](TStream& s) { return ReadInTextSettings(s, text, v); });
  TChosenFile_BaseRec chosen;
  Bytes cur(64, 0);
  put32(cur, 0, static_cast<std::uint32_t>(-1));
  expect_short_reads_fail(cur, 64, [&](TStream& s) { return TChosenFileRecFromStream(s, chosen); });
  expect_short_reads_fail(Bytes(49, 0), 49,
                          [&](TStream& s) { return TChosenFileRecFromStream(s, chosen); });
  TFileInfoExtraStatsRec stats;
  Bytes stats_cur(40, 0);
  put32(stats_cur, 12, 2);
  expect_short_reads_fail(stats_cur, 40,
                          [&](TStream& s) { return ExtraStatsRecFromStream(s, stats); });
  TMutual_info_settings32 mi;
  Bytes mi_cur(180, 0);
  put32(mi_cur, 0, 6);
  expect_short_reads_fail(mi_cur, 180,
                          [&](TStream& s) { return TMutual_info_settings32FromStream(s, mi); });
  TConcSettingsRec32 conc;
  Bytes conc_cur(2580, 0);
  conc_cur[1355] = 3;
  expect_short_reads_fail(conc_cur, 2580,
                          [&](TStream& s) { return ReadInConcSettRec(s, conc, 0); });
  expect_short_reads_fail(conc_cur, 2580,
                          [&](TStream& s) { return ReadInConcSettRec(s, conc, 18); });
}

// ---- Text settings

Bytes text_old() {
  Bytes b(2500, 0);
  const Bytes lang = lang16();
  std::copy(lang.begin(), lang.end(), b.begin());
  b[632] = wltt_tags_as_suffix;
  b[633] = 1;
  b[634] = 1;  // spare3: dropped
  b[635] = 1;
  b[637] = 1;
  put_text16(b, 638, u"<>[]");
  put_text16(b, 662, u"<s>");
  put_text16(b, 662 + 204, u"auto");
  b[662 + 204 + 202] = 1;  // has_wildcards
  b[2294] = 3;             // spare: dropped
  return b;
}

TEST(ConvertOldTextSettings, SixteenBitSettingsConvertedFieldByField) {
  TBytesStream s(text_old());
  textsett_rec32 rec;
  ASSERT_TRUE(ReadInTextSettings(s, rec, 0));
  EXPECT_EQ(s.Position(), 2500);
  EXPECT_EQ(rec.language_info.lcid, 0x0409u);
  EXPECT_EQ(rec.tag_treatment_computing, wltt_tags_as_suffix);
  EXPECT_TRUE(rec.must_use_Unicode);
  EXPECT_FALSE(rec.RequirePrecomposedCharacters);
  EXPECT_TRUE(rec.using_SGML);
  EXPECT_FALSE(rec.clear_default_markup);
  EXPECT_TRUE(rec.numbers_included);
  EXPECT_EQ(rec.ignore_tags[2], u'[');
  EXPECT_EQ(WideCharFieldToString(rec.standard_markers[0].marker), u"<s>");
  EXPECT_TRUE(rec.standard_markers[1].has_wildcards);
  EXPECT_TRUE(rec.standard_markers[1].auto_process);  // its text is "auto"
  EXPECT_EQ(rec.spare[0], 0);
  std::array<std::uint8_t, 3028> b{};
  TextsettToBytes(rec, b.data());
  EXPECT_EQ(b[1040], wltt_tags_as_suffix);
  EXPECT_EQ(b[1041], 1);
  EXPECT_EQ(b[1044], 0);
  EXPECT_EQ(b[1045], 1);
  EXPECT_EQ(b[1047], 1);
  EXPECT_EQ(b[1048 + 4], '[');
  EXPECT_EQ(b[1072], '<');
  EXPECT_EQ(b[1072 + 204 + 201], 1);
}

Bytes text_current(std::u16string_view second_marker, bool auto_flag) {
  Bytes b(3028, 0);
  const Bytes lang = lang_current();
  std::copy(lang.begin(), lang.end(), b.begin());
  b[1040] = wltt_list_tags_only;
  b[1042] = 1;
  b[1043] = 1;
  b[1046] = 1;
  put_text16(b, 1048, u"<>");
  put_text16(b, 1072 + 204, second_marker);
  b[1072 + 204 + 201] = auto_flag;
  put32(b, 2704, 500);
  b[2708] = wltt_tags_as_prefix;
  b[3000] = 0x77;
  return b;
}

TEST(ConvertOldTextSettings, CurrentSettingsRoundTripAndTheAutoMarkerRule) {
  for (std::int32_t version : {6, 7, 18}) {
    TBytesStream s(text_current(u"<p>", false));
    textsett_rec32 rec;
    ASSERT_TRUE(ReadInTextSettings(s, rec, version));
    EXPECT_EQ(rec.max_texts, 500);
    EXPECT_EQ(rec.tag_treatment_displaying, wltt_tags_as_prefix);
    std::array<std::uint8_t, 3028> b{};
    TextsettToBytes(rec, b.data());
    EXPECT_EQ(Bytes(b.begin(), b.end()), text_current(u"<p>", false));
  }
  // The flag follows the text, whatever was stored.
  textsett_rec32 rec;
  TBytesStream on(text_current(u"auto", false));
  ASSERT_TRUE(ReadInTextSettings(on, rec, 7));
  EXPECT_TRUE(rec.standard_markers[1].auto_process);
  TBytesStream off(text_current(u"autos", true));
  ASSERT_TRUE(ReadInTextSettings(off, rec, 7));
  EXPECT_FALSE(rec.standard_markers[1].auto_process);
}

TEST(ConvertOldTextSettings, Version5AndA32BitLanguageFoundByItsBytes) {
  Bytes b = text_current(u"auto", false);
  const Bytes lang = lang32old();
  std::copy(lang.begin(), lang.end(), b.begin());
  for (std::int32_t version : {5, 0}) {
    TBytesStream s(b);
    textsett_rec32 rec;
    ASSERT_TRUE(ReadInTextSettings(s, rec, version));
    EXPECT_EQ(s.Position(), 3028);
    EXPECT_EQ(WideCharFieldToString(rec.language_info.nome), u"Hebrew");
    EXPECT_EQ(rec.max_texts, 500);
    EXPECT_EQ(rec.tag_treatment_computing, wltt_list_tags_only);
    EXPECT_TRUE(rec.standard_markers[1].auto_process);
  }
  // A non-zero byte at 73, 74, 84 or 85 marks a 16-bit language part even when byte 2 is set.
  for (std::size_t at : {73u, 74u, 84u, 85u}) {
    Bytes old = text_old();
    old[2] = 1;
    old[at] = 'x';
    TBytesStream s(old);
    textsett_rec32 rec;
    ASSERT_TRUE(ReadInTextSettings(s, rec, 9));
    EXPECT_EQ(s.Position(), 2500) << at;
    EXPECT_EQ(rec.language_info.lcid, 0x0409u);
  }
}

// ---- Chosen files and statistics

TEST(ConvertOldChosenFiles, CurrentFormRoundTripsAndFolderDataIsDecoded) {
  Bytes b(64, 0);
  put32(b, 0, static_cast<std::uint32_t>(-1));
  put32(b, 4, static_cast<std::uint32_t>(-2));
  putd(b, 8, 40179.5);
  put64(b, 16, 0x1'0000'0005ull);
  put32(b, 24, 1234);
  b[28] = 1;
  b[30] = 0x44;  // spare
  b[32] = 2;
  b[33] = 0x05;  // {_8_bit, _16_bit}
  put32(b, 36, 3);
  putd(b, 40, 4098000.5);
  put32(b, 48, 17);
  b[60] = 0x99;  // not a list
  TBytesStream s(b);
  TChosenFile_BaseRec rec;
  ASSERT_TRUE(TChosenFileRecFromStream(s, rec));
  EXPECT_EQ(s.Position(), 64);
  EXPECT_EQ(rec.FolderData, 0);
  EXPECT_EQ(rec.Zip_Num, -2);
  EXPECT_EQ(rec.Size, 0x1'0000'0005ll);
  EXPECT_TRUE(rec.KindOfFile.contains(_16_bit));
  EXPECT_EQ(rec.TextualDateAndTime, 4098000.5);
  EXPECT_TRUE(rec.jump_to.empty());
  std::array<std::uint8_t, 64> back{};
  ChosenFileToBytes(rec, back.data());
  EXPECT_EQ(Bytes(back.begin(), back.end()), b);

  put32(b, 0, 0x80000000u);  // the most negative stored value
  TBytesStream most(b);
  ASSERT_TRUE(TChosenFileRecFromStream(most, rec));
  EXPECT_EQ(rec.FolderData, 2147483647);
}

TEST(ConvertOldChosenFiles, OldFormSignExtendedAndDatedFromItsDate) {
  Bytes b(49 + 3, 0);
  put32(b, 0, 7);
  put16(b, 4, 0xFFFE);
  putd(b, 6, EncodeDate(2010, 1, 1));
  put32(b, 14, 0xFFFFFFFF);
  put32(b, 18, 99);
  b[22] = 1;
  b[23] = 1;
  b[24] = 0x02;
  b[30] = 0xAB;  // unused
  TBytesStream s(b);
  TChosenFile_BaseRec rec;
  ASSERT_TRUE(TChosenFileRecFromStream(s, rec));
  EXPECT_EQ(s.Position(), 49);
  EXPECT_EQ(rec.FolderData, 7);
  EXPECT_EQ(rec.Zip_Num, -2);
  EXPECT_EQ(rec.Size, -1);
  EXPECT_EQ(rec.Words, 99);
  EXPECT_TRUE(rec.encrypted);
  EXPECT_EQ(rec.Wanted, 1);
  EXPECT_TRUE(rec.KindOfFile.contains(_UTF8));
  EXPECT_EQ(rec.TextualDateAndTime, 4098788.5);
  EXPECT_EQ(rec.spare_b[0], 0);
}

TEST(ConvertOldChosenFiles, ExtraStatsInBothForms) {
  Bytes old(16, 0);
  put32(old, 0, 0xFFFFFFFF);
  put32(old, 4, 3);
  put32(old, 8, 1);
  TBytesStream s(old);
  TFileInfoExtraStatsRec rec;
  ASSERT_TRUE(ExtraStatsRecFromStream(s, rec));
  EXPECT_EQ(s.Position(), 16);
  EXPECT_EQ(rec.total_bytes, -1);
  EXPECT_EQ(rec.zips_added, 3);
  EXPECT_EQ(rec.version, 1);

  Bytes cur(40, 0);
  put64(cur, 0, 5'000'000'000ull);
  put32(cur, 8, 4);
  put32(cur, 12, 2);
  cur[39] = 1;
  TBytesStream c(cur);
  ASSERT_TRUE(ExtraStatsRecFromStream(c, rec));
  EXPECT_EQ(c.Position(), 40);
  EXPECT_EQ(rec.total_bytes, 5'000'000'000ll);
  std::array<std::uint8_t, 40> back{};
  ExtraStatsToBytes(rec, back.data());
  EXPECT_EQ(Bytes(back.begin(), back.end()), cur);
}

// ---- Grid headings

TEST(ConvertOldGridHeadings, FieldsCopiedColoursAndSparesLeftZero) {
  Bytes b(60, 0);
  b[0] = right_aligned;
  b[1] = 0x01;
  b[2] = minusc;
  putf(b, 3, 1.5f);
  b[7] = 2;
  put32(b, 8, 0x0000FF);
  put32(b, 12, 0x00FF00);
  b[16] = 1;
  b[19] = 1;
  put16(b, 20, 0xFFFF);
  put16(b, 22, 120);
  b[24] = 2;
  b[25] = 9;  // SpareB4
  b[26] = 1;  // may_have_old_data_unsafe
  b[27] = 3;
  b[29] = 1;
  b[31] = 4;
  put32(b, 32, 1001);
  put32(b, 36, static_cast<std::uint32_t>(-5));
  for (int i = 0; i < 5; ++i) putf(b, 40 + 4 * i, 10.0f * (i + 1));
  TBytesStream s(b);
  bool ok = false;
  const TGrid_head32 h = ReadOldGridHeadings(s, true, ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(s.Position(), 60);
  EXPECT_EQ(h.alignment, right_aligned);
  EXPECT_TRUE(h.typefaces.contains(tf_bold));
  EXPECT_EQ(h.editable, minusc);
  EXPECT_EQ(h.minimum, 1.5f);
  EXPECT_EQ(h.decimals, 2);
  EXPECT_EQ(h.vestigial_TextColour, 0u);
  EXPECT_EQ(h.user_specified_background, 0u);
  EXPECT_TRUE(h.allow_case_change);
  EXPECT_TRUE(h.heading_visible);
  EXPECT_EQ(h.original_column, -1);
  EXPECT_EQ(h.pixel_width96, 120);
  EXPECT_EQ(h.output_case, 2);
  EXPECT_EQ(h.SpareB4, 0);
  EXPECT_FALSE(h.may_have_old_data_unsafe);
  EXPECT_EQ(h.previous_decimals, 3);
  EXPECT_TRUE(h.has_custom_heading);
  EXPECT_EQ(h.version, 4);
  EXPECT_EQ(h.HelpContext, 1001);
  EXPECT_EQ(h.localization_number, -5);
  EXPECT_EQ(h.column_data[gc_total], 10.0f);
  EXPECT_EQ(h.column_data[gc_sd], 50.0f);
  EXPECT_EQ(h.column_data[gc_1], 0.0f);
  EXPECT_EQ(h.span, span_R51);

  // Without column data: 40 bytes, the column values zero, the next heading next.
  TBytesStream two(b);
  const TGrid_head32 first = ReadOldGridHeadings(two, false, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(two.Position(), 40);
  EXPECT_EQ(first.column_data[gc_total], 0.0f);
  // Any bytes make the answer true; none make it false.
  ReadOldGridHeadings(two, false, ok);
  EXPECT_TRUE(ok);
  ReadOldGridHeadings(two, false, ok);
  EXPECT_FALSE(ok);
}

// ---- Mutual information and concordance settings

TEST(ConvertOldMutualInfo, OldSettingsGetTheMinimaRule) {
  // Bytes 1 to 3 zero: with any of them set the first integer is 256 or more, which
  // marks the current layout.
  Bytes b(32, 0);
  b[0] = 1;
  b[5] = 1;
  b[6] = 1;
  put32(b, 12, 4);
  put32(b, 16, 5);
  putf(b, 20, 3.0f);
  putf(b, 24, 2.5f);
  TBytesStream s(b);
  TMutual_info_settings32 rec;
  ASSERT_TRUE(TMutual_info_settings32FromStream(s, rec));
  EXPECT_EQ(s.Position(), 32);
  EXPECT_EQ(rec.spare_stop, 0);
  EXPECT_TRUE(rec.recompute_total_tokens);
  EXPECT_TRUE(rec.two_way);
  EXPECT_FALSE(rec.show_pairs_twice);
  EXPECT_EQ(rec.MI_span, 4);
  EXPECT_EQ(rec.spare_MI_min_freq, 0);
  EXPECT_EQ(rec.MI_max_percent, 2.5f);
  for (int i = 0; i < kMutualInfoStatsCount; ++i)
    EXPECT_EQ(rec.minima[i], i == MI_MI ? 3.0f : -999999.0f) << i;
  EXPECT_EQ(rec.MI_min_texts, 1);
  const TMutual_info_settings_old back = TMutual_info_settingsOldFrom32(rec);
  EXPECT_EQ(back.span, 4);
  EXPECT_EQ(back.min_mutual_info, 3.0f);
  EXPECT_TRUE(back.two_way);
}

TEST(ConvertOldMutualInfo, CurrentSettingsRoundTrip) {
  Bytes b(180, 0);
  b[0] = 6;  // first integer 6: the current layout
  b[7] = mis_filter_both_words;
  b[8] = 1;
  b[12] = 0x21;  // spare
  put32(b, 16, 5);
  putf(b, 24, 1.25f);
  for (int i = 0; i < 7; ++i) putf(b, 28 + 4 * i, static_cast<float>(i));
  put32(b, 96, 3);
  b[179] = 0xEE;
  TBytesStream s(b);
  TMutual_info_settings32 rec;
  ASSERT_TRUE(TMutual_info_settings32FromStream(s, rec));
  EXPECT_EQ(s.Position(), 180);
  EXPECT_EQ(rec.MIStopListOption, mis_filter_both_words);
  EXPECT_EQ(rec.minima[MI_Log_Ratio], 6.0f);
  std::array<std::uint8_t, 180> back{};
  MutualInfoSettings32ToBytes(rec, back.data());
  EXPECT_EQ(Bytes(back.begin(), back.end()), b);
}

TEST(ConvertOldConcordance, OldLayoutByTheByteAt1355) {
  Bytes old(1368 + 10, 0x11);
  old[1355] = 2;
  TBytesStream s(old);
  TConcSettingsRec32 rec;
  ASSERT_TRUE(ReadInConcSettRec(s, rec, 0));
  EXPECT_EQ(s.Position(), 1368);
  EXPECT_EQ(rec.bytes[1367], 0x11);
  EXPECT_EQ(rec.bytes[1368], 0);

  Bytes cur(2580, 0x22);
  TBytesStream c(cur);
  ASSERT_TRUE(ReadInConcSettRec(c, rec, 9));
  EXPECT_EQ(c.Position(), 2580);
  EXPECT_EQ(Bytes(rec.bytes.begin(), rec.bytes.end()), cur);
  // Versions of the current layout never look at the byte.
  TBytesStream v(old);
  EXPECT_FALSE(ReadInConcSettRec(v, rec, 18));
}

TEST(ConvertOldRecords, ByteBlockConversionsKeepTheOldBytesFirst) {
  CV4_keywords_settings_type v4;
  v4.bytes.fill(1);
  const CV_keywords_settings_type32 k4 = CV_keywords_settings_type32FromV4(v4);
  EXPECT_EQ(k4.bytes[1211], 1);
  EXPECT_EQ(k4.bytes[1212], 0);
  CV_keywords_settings_type_old v5;
  v5.bytes.fill(2);
  const CV_keywords_settings_type32 k5 = CV_keywords_settings_type32FromV5OLd(v5);
  EXPECT_EQ(k5.bytes[2255], 2);
  EXPECT_EQ(k5.bytes[2256], 0);
  TMutualInfo_recOld mi;
  mi.bytes.fill(3);
  EXPECT_EQ(TMutual_info_Rec32FromOld(mi).bytes[71], 3);
  EXPECT_EQ(TMutual_info_Rec32FromOld(mi).bytes[72], 0);
  one_text_stats_rec_old ts;
  ts.bytes.fill(4);
  EXPECT_EQ(OneTextStatsRecFromOld(ts).bytes[kOneTextStatsRecOldSize], 0);
}

TEST(ConvertOldRecords, OldLayoutsEncodeBackToTheirBytes) {
  std::array<std::uint8_t, 632> l16{};
  FixedLangDetailsOldToBytes(FixedLangDetailsOldFromBytes(lang16().data()), l16.data());
  EXPECT_EQ(Bytes(l16.begin(), l16.end()), lang16());
  std::array<std::uint8_t, 1040> l32{};
  FixedLangDetails32OldToBytes(FixedLangDetails32OldFromBytes(lang32old().data()), l32.data());
  EXPECT_EQ(Bytes(l32.begin(), l32.end()), lang32old());
  std::array<std::uint8_t, 2500> t{};
  TextsettOldToBytes(TextsettOldFromBytes(text_old().data()), t.data());
  EXPECT_EQ(Bytes(t.begin(), t.end()), text_old());
}

TEST(RecordFields, NamesAndValuesForPrinting) {
  TBytesStream s(text_current(u"auto", false));
  textsett_rec32 rec;
  ASSERT_TRUE(ReadInTextSettings(s, rec, 7));
  const std::string lines = RecordFieldsAsLines(RecordFields(rec));
  EXPECT_NE(lines.find("language_info.lcid\t2057\n"), std::string::npos);
  EXPECT_NE(lines.find("language_info.nome\tEnglish (UK)\n"), std::string::npos);
  EXPECT_NE(lines.find("language_info.preference\tlang_instalada\n"), std::string::npos);
  EXPECT_NE(lines.find("language_info.cores.colours[2]\t7833753\n"), std::string::npos);
  EXPECT_NE(lines.find("standard_markers[1].auto_process\ttrue\n"), std::string::npos);
  EXPECT_NE(lines.find("tag_treatment_computing\twltt_list_tags_only\n"), std::string::npos);
  TGrid_head32 h;
  h.span = span_R51;
  h.typefaces.include(tf_italics);
  h.typefaces.include(tf_underline);
  const std::string g = RecordFieldsAsLines(RecordFields(h));
  EXPECT_NE(g.find("span\tspan_R51\n"), std::string::npos);
  EXPECT_NE(g.find("typefaces\ttf_italics,tf_underline\n"), std::string::npos);
}

}  // namespace
}  // namespace corvane
