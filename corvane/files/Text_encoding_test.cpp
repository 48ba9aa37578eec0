#include "corvane/files/Text_encoding.hpp"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string sample_utf8(const char* name) {
  std::ifstream in(fs::path(testing::source_dir()) / "samples/corpus" / name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// UTF-8 text in another charset, through ICU (characters it lacks become its substitute).
std::string encoded(const std::string& utf8, const char* charset) {
  UErrorCode err = U_ZERO_ERROR;
  std::string out(4 * utf8.size() + 16, '\0');
  const std::int32_t n = ucnv_convert(charset, "UTF-8", out.data(), static_cast<int>(out.size()),
                                      utf8.data(), static_cast<int>(utf8.size()), &err);
  EXPECT_TRUE(U_SUCCESS(err)) << charset;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

// Bytes in a charset as UTF-8.
std::string decoded(const std::string& text, const char* charset) {
  UErrorCode err = U_ZERO_ERROR;
  std::string out(4 * text.size() + 16, '\0');
  const std::int32_t n = ucnv_convert("UTF-8", charset, out.data(), static_cast<int>(out.size()),
                                      text.data(), static_cast<int>(text.size()), &err);
  EXPECT_TRUE(U_SUCCESS(err)) << charset;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

const unsigned char* bytes(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

TEST(TextEncodingTest, NamesAndNumbersTheUserGives) {
  text_encoding_choice c;
  ASSERT_TRUE(text_encoding_from_name("1251", c));
  EXPECT_EQ(c.how, text_encoding_choice::mode::fixed);
  EXPECT_EQ(charset_display_name(c.charset), "windows-1251");
  ASSERT_TRUE(text_encoding_from_name("KOI8-R", c));
  EXPECT_EQ(charset_display_name(c.charset), "KOI8-R");
  ASSERT_TRUE(text_encoding_from_name("iso-8859-7", c));
  EXPECT_EQ(charset_display_name(c.charset), "ISO-8859-7");
  ASSERT_TRUE(text_encoding_from_name("AUTO", c));
  EXPECT_EQ(c.how, text_encoding_choice::mode::automatic);
  ASSERT_TRUE(text_encoding_from_name("system", c));
  EXPECT_EQ(c.how, text_encoding_choice::mode::system);
  // Nothing ICU opens, the placeholders of the system's pages, and absurd numbers leave the
  // choice as it was.
  for (const char* wrong : {"klingon-1", "", "0", "3", "999999", "12x"})
    EXPECT_FALSE(text_encoding_from_name(wrong, c)) << wrong;
  EXPECT_EQ(c.how, text_encoding_choice::mode::system);
  // --lang: the language's 8-bit page, or the detector where the script has none.
  c = text_encoding_for_language(0x0419);
  EXPECT_EQ(c.how, text_encoding_choice::mode::language);
  EXPECT_EQ(charset_display_name(c.charset), "windows-1251");
  EXPECT_EQ(text_encoding_for_language(0x0439).how, text_encoding_choice::mode::automatic);
}

// The detector reads each sample in each of its language's code pages as the text it is:
// decoding with its charset gives the text back.
TEST(TextEncodingTest, TheDetectorNamesEachLanguagesCodePages) {
  struct sample {
    const char* file;
    std::vector<const char*> charsets;
  };
  const sample samples[] = {
      {"zima.txt", {"windows-1251", "KOI8-R", "ISO-8859-5", "IBM866"}},
      {"thalassa.txt", {"windows-1253", "ISO-8859-7"}},
      {"yam.txt", {"windows-1255", "ISO-8859-8"}},
      {"deniz.txt", {"windows-1254", "ISO-8859-9"}},
  };
  for (const sample& s : samples) {
    for (const char* charset : s.charsets) {
      const std::string text = encoded(sample_utf8(s.file), charset);
      const charset_decision d = choose_charset(bytes(text), text.size(), {});
      EXPECT_EQ(d.basis, charset_basis::detected) << s.file << " " << charset;
      EXPECT_GE(d.confidence, kLeastCharsetConfidence) << s.file << " " << charset;
      EXPECT_EQ(decoded(text, d.charset.c_str()), decoded(text, charset))
          << s.file << " " << charset << " read as " << d.charset;
    }
  }
  // A windows-1252 text with curly quotes, a dash and the euro sign (bytes 80..9F).
  const std::string c1 =
      "Le \x93"
      "caf\xE9\x94 co\xFBte 3 \x80 \x96 une b\xEAtise, "
      "na\xEFve et d\xE9j\xE0 \xE9t\xE9.\n";
  EXPECT_EQ(charset_display_name(choose_charset(bytes(c1), c1.size(), {}).charset), "windows-1252");
  // Pure ASCII needs no detector's word: the system page reads it.
  const charset_decision ascii = choose_charset(bytes(std::string("plain")), 5, {});
  EXPECT_EQ(ascii.basis, charset_basis::system);
  // A fixed choice is never second-guessed, and the detector is not asked.
  text_encoding_choice fixed;
  ASSERT_TRUE(text_encoding_from_name("KOI8-R", fixed));
  const std::string greek = encoded(sample_utf8("thalassa.txt"), "ISO-8859-7");
  const charset_decision d = choose_charset(bytes(greek), greek.size(), fixed);
  EXPECT_EQ(d.basis, charset_basis::fixed);
  EXPECT_EQ(d.confidence, -1);
}

TEST(TextEncodingTest, PlausibilityFallsForLettersOfAnotherScriptInAWord) {
  const std::string french = encoded(
      "Le march\xC3\xA9 du samedi: d\xC3\xA9j\xC3\xA0 les fran\xC3\xA7"
      "ais ach\xC3\xA8tent "
      "des pommes, des poires et du fromage \xC3\xA0 la cr\xC3\xA8me.",
      "windows-1252");
  EXPECT_EQ(charset_plausibility(bytes(french), french.size(), "windows-1252"), 1.0);
  // Read as Cyrillic or Greek, each accented letter sits in a Latin word.
  EXPECT_LT(charset_plausibility(bytes(french), french.size(), "ISO-8859-5"), 0.2);
  EXPECT_LT(charset_plausibility(bytes(french), french.size(), "windows-1253"), 0.2);
  // Bytes 80..9F read as C1 controls count against.
  const std::string quotes = "\x93quoted\x94 and \x96 dashed";
  EXPECT_EQ(charset_plausibility(bytes(quotes), quotes.size(), "windows-1252"), 1.0);
  EXPECT_EQ(charset_plausibility(bytes(quotes), quotes.size(), "ISO-8859-1"), 0.0);
  EXPECT_EQ(charset_plausibility(bytes(quotes), quotes.size(), "no-such-charset"), -1);
}

TEST(TextEncodingTest, Utf8ButForAFewBadBytes) {
  const auto census = [](const std::string& s) { return count_utf8(bytes(s), s.size()); };
  utf8_census c = census("caf\xC3\xA9 \xFF software\n");
  EXPECT_EQ(c.multibyte, 1u);
  EXPECT_EQ(c.bad, 1u);
  EXPECT_EQ(c.first_bad, 6u);
  EXPECT_TRUE(mostly_utf8(c));
  // 8-bit text: no well-formed sequence at all, or fewer than its bad bytes.
  EXPECT_FALSE(mostly_utf8(census("caf\xE9 na\xEFve")));
  EXPECT_FALSE(mostly_utf8(census("\xC3\xA9 \xE9\xE8")));
  EXPECT_FALSE(mostly_utf8(census("plain")));
  // Overlong forms, surrogates, values above U+10FFFF and a sequence cut short are bad, a
  // byte at a time.
  EXPECT_EQ(census("\xC0\xAF").bad, 2u);
  EXPECT_EQ(census("\xE0\x80\x80").bad, 3u);
  EXPECT_EQ(census("\xED\xA0\x80").bad, 3u);
  EXPECT_EQ(census("\xF4\x90\x80\x80").bad, 4u);
  c = census("\xF0\x9F\x98\x80 \xE2\x82");
  EXPECT_EQ(c.multibyte, 1u);
  EXPECT_EQ(c.bad, 2u);
  EXPECT_EQ(c.first_bad, 5u);
}

TEST(TextEncodingTest, BinaryFilesBySignatureAndByControlBytes) {
  const auto binary = [](const std::string& s) { return looks_binary(bytes(s), s.size()); };
  const std::string zeros(64, '\0');
  for (const std::string& sig :
       {std::string("\x7F"
                    "ELF\x02\x01\x01",
                    7),
        std::string("\x89PNG\r\n\x1A\n"), std::string("\xFF\xD8\xFF\xE0"), std::string("GIF89a"),
        std::string("\x1F\x8B\x08"), std::string("%PDF-1.7\n"), std::string("PK\x03\x04"),
        std::string("\xD0\xCF\x11\xE0"), std::string("MZ\x90") + zeros})
    EXPECT_TRUE(binary(sig + "text after it")) << sig;
  // "MZ" and "BZh" begin words too.
  EXPECT_FALSE(binary("MZ is the start of this text"));
  EXPECT_FALSE(binary("BZh, said nobody"));
  // A text with a stray zero byte is a text; a few bytes say nothing by their controls.
  std::string text;
  while (text.size() < 4096) text += "A line of plain text, with words.\n";
  EXPECT_FALSE(binary(text + std::string(1, '\0') + text));
  EXPECT_FALSE(binary(std::string("ab\0\0\x01\x02", 6)));
  // Random bytes, and a text one byte in fifty of which is zero.
  std::mt19937 random(7);
  std::string noise(8192, '\0');
  for (char& b : noise) b = static_cast<char>(random());
  EXPECT_TRUE(binary(noise));
  std::string sparse = text;
  for (std::size_t i = 0; i < sparse.size(); i += 50) sparse[i] = '\0';
  EXPECT_TRUE(binary(sparse));
}

class TextReaderReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("corvane-encoding-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::u16string read_all(text_file_reader& reader) {
    reader.settle();
    std::u16string all;
    std::vector<char16_t> part(4096);
    for (std::size_t got; (got = reader.read(part.data(), part.size())) != 0;)
      all.append(part.data(), got);
    return all;
  }
  fs::path dir_;
};

TEST_F(TextReaderReportTest, EachWayOfReadingIsReported) {
  // U+0000 behind a byte-order mark is a blank, never the end of the text.
  for (const char* charset : {"UTF-8", "UTF-16LE", "UTF-16BE"}) {
    std::string bom = encoded(
        "\xEF\xBB\xBF"
        "alku",
        charset);
    bom += encoded(std::string("ja\0ja", 5), charset);
    text_file_reader reader(u16(write("bom", bom)));
    EXPECT_EQ(read_all(reader), u"alkuja ja\r\n") << charset;
    EXPECT_EQ(reader.report().found, text_reading_report::how::mark);
    EXPECT_EQ(reader.report().describe(), std::string("read as ") + charset + " (byte-order mark)");
  }
  // UTF-8 but for one bad byte: read as UTF-8, the byte as U+FFFD, and said so.
  {
    text_file_reader reader(u16(write("b.txt", "caf\xC3\xA9 \xFF software\n")));
    EXPECT_EQ(read_all(reader), u"caf\u00E9 \uFFFD software\r\n");
    EXPECT_TRUE(reader.raw_repaired());
    EXPECT_EQ(reader.report().losses(),
              "1 byte not valid in UTF-8, read as U+FFFD (the first at offset 6)");
  }
  // A Russian text in KOI8-R: detected; the same text fixed to windows-1251 is mojibake
  // but says why.
  const std::string russian = encoded(sample_utf8("zima.txt"), "KOI8-R");
  const std::string file = write("koi8", russian);
  {
    text_file_reader reader(u16(file));
    const std::u16string text = read_all(reader);
    EXPECT_NE(text.find(u"\u0437\u0438\u043C"), std::u16string::npos);  // "зим"
    EXPECT_EQ(reader.report().found, text_reading_report::how::eight_bit);
    EXPECT_EQ(reader.report().charset, "KOI8-R");
    EXPECT_TRUE(reader.report().describe().starts_with("read as KOI8-R (detected, confidence "))
        << reader.report().describe();
    EXPECT_EQ(reader.report().losses(), "");
  }
  text_encoding_choice fixed;
  ASSERT_TRUE(text_encoding_from_name("1251", fixed));
  text_file_reader forced(u16(file), fixed);
  read_all(forced);
  EXPECT_EQ(forced.report().describe(), "read as windows-1251 (--encoding)");
  // Bytes a code page does not map are counted: 0x98 is no character in windows-1251.
  {
    text_file_reader reader(u16(write("unmapped", "\xCC\xE8\xF0 \x98 \xEC\xE8\xF0")), fixed);
    const std::u16string text = read_all(reader);
    EXPECT_EQ(text.substr(0, 3), u"\u041C\u0438\u0440");
    EXPECT_EQ(reader.report().losses(), "1 byte not valid in windows-1251 (the first at offset 4)");
  }
  // A multi-byte code page is decoded whole through its converter.
  text_encoding_choice sjis;
  ASSERT_TRUE(text_encoding_from_name("Shift_JIS", sjis));
  text_file_reader japanese(u16(write("sjis", encoded("\xE6\x97\xA5\xE6\x9C\xAC", "Shift_JIS"))),
                            sjis);
  EXPECT_EQ(read_all(japanese), u"\u65E5\u672C\r\n");
  // A file that is no text is refused; what decides is the same as for text_encoding_of.
  const std::string elf = write("prog", std::string("\x7F"
                                                    "ELF\x02\x01\x01\0\0\0",
                                                    10));
  EXPECT_THROW(text_file_reader{u16(elf)}, text_not_text);
  EXPECT_THROW(text_encoding_of(u16(elf), {}), text_not_text);
  EXPECT_EQ(text_encoding_of(u16(file), {}).charset, "KOI8-R");
  EXPECT_EQ(text_encoding_of(u16(write("le", encoded("plain words", "UTF-16LE"))), {}).found,
            text_reading_report::how::utf16);
  EXPECT_EQ(text_encoding_of(u16((dir_ / "missing").string()), {}).found,
            text_reading_report::how::none);
}

}  // namespace
}  // namespace corvane
