#include "corvane/files/File_utils.hpp"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Real text in four scripts, one paragraph per line.
const char* const kEnglish =
    "It was the best of times, it was the worst of times, it was the age of wisdom.\n"
    "\tThere were a king with a large jaw and a queen with a plain face.\n"
    "Bush hid the facts, and nobody noticed for a very long time.\n";
const char* const kFrench =
    "Le caf\u00e9 \u00e9tait tr\u00e8s agr\u00e9able pendant l'\u00e9t\u00e9.\n"
    "O\u00f9 est la for\u00eat ? \u00c0 c\u00f4t\u00e9 du ch\u00e2teau, pr\u00e8s de No\u00ebl.\n";
const char* const kRussian =
    "\u0421\u044a\u0435\u0448\u044c \u0436\u0435 \u0435\u0449\u0451 \u044d\u0442\u0438\u0445 "
    "\u043c\u044f\u0433\u043a\u0438\u0445 \u0444\u0440\u0430\u043d\u0446\u0443\u0437\u0441\u043a"
    "\u0438\u0445 \u0431\u0443\u043b\u043e\u043a, \u0434\u0430 \u0432\u044b\u043f\u0435\u0439 "
    "\u0447\u0430\u044e.\n\u041c\u043e\u0441\u043a\u0432\u0430 \u2014 \u0441\u0442\u043e\u043b"
    "\u0438\u0446\u0430 \u0420\u043e\u0441\u0441\u0438\u0438.\n";
const char* const kChinese =
    "\u6211\u80fd\u541e\u4e0b\u73bb\u7483\u800c\u4e0d\u4f24\u8eab\u4f53\u3002"
    "\u8fd9\u662f\u4e00\u4e2a\u4e2d\u6587\u6587\u672c\u7684\u4f8b\u5b50\uff0c"
    "\u7528\u6765\u6d4b\u8bd5\u7f16\u7801\u3002\n\u7b2c\u4e8c\u884c\u6587\u5b57\u3002\n";
const char* const kHindi =
    "\u092e\u0948\u0902 \u0915\u093e\u0901\u091a \u0916\u093e \u0938\u0915\u0924\u093e "
    "\u0939\u0942\u0901 \u0914\u0930 \u092e\u0941\u091d\u0947 \u0909\u0938\u0938\u0947 "
    "\u0915\u094b\u0908 \u091a\u094b\u091f \u0928\u0939\u0940\u0902 \u092a\u0939\u0941\u0902"
    "\u091a\u0924\u0940\u0964\n";

class FileUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("corvane_file_utils_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    detail::set_write_failure_after(-1);
    fs::remove_all(dir_);
  }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::string write_bytes(const std::string& name, const std::string& bytes) {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }
  static std::string read_bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // The text the reader gives: TextFileContents' text, but a zero byte is a blank in a text
  // without a byte-order mark, not its end.
  std::u16string reader_text(const std::string& file) {
    std::string bytes = read_bytes(file);
    const bool marked = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
                        bytes.starts_with("\xFE\xFF");
    if (!marked) std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    return TextFileContents(u16(write_bytes("blanked", bytes)));
  }

  // The UTF-8 text converted by iconv to `encoding`, with `prefix` bytes before it.
  std::string iconv_file(const std::string& name, const std::string& utf8, const char* encoding,
                         const std::string& prefix = "", bool may_fail = false) {
    const std::string source = write_bytes(name + ".src", utf8);
    const std::string converted = path(name + ".iconv");
    const std::string command =
        std::string("iconv -f UTF-8 -t ") + encoding + " '" + source + "' > '" + converted + "'";
    const int status = std::system((command + (may_fail ? " 2>/dev/null" : "")).c_str());
    if (may_fail && status != 0) return "";
    EXPECT_EQ(status, 0) << command;
    return write_bytes(name, prefix + read_bytes(converted));
  }

  // The text as the library returns it: each line ended by CR LF.
  static std::u16string with_crlf(const std::string& utf8) {
    std::u16string out;
    for (char16_t c : u16(utf8)) {
      if (c == u'\n') out += u'\r';
      out += c;
    }
    return out;
  }

  fs::path dir_;
};

// Line breaks of every kind, text ending without one, U+0000, UTF-8 that turns bad or good
// only after a zero byte, a character outside the basic plane, 8-bit text.
// Readers that decode 8-bit text in the system code page, as TextFileContents does.
const text_encoding_choice kSystemPage{text_encoding_choice::mode::system};

std::vector<std::string> awkward_inputs() {
  return {"a\rb\nc\r\nd\n\re",
          "no break at the end",
          std::string("c\xC3\xA9\r\0\0\xD7\xFF", 8),
          std::string("ab\0\xC3\xA9", 5),
          "\r\n",
          "\n",
          "",
          std::string("\0abc", 4),
          "\xF0\x9F\x98\x80\r\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80 end",
          "x\xE9\xE8\r\n"};
}

TFileContentsSet thorough(const std::string& file) {
  return FileContentsType(u16(file), true);
}
TFileContentsSet quick(const std::string& file) {
  return FileContentsType(u16(file), false);
}

TEST_F(FileUtilsTest, SignaturesDecideFirstInBothModes) {
  for (auto [bytes, kind] : {std::pair{std::string("PK\x03\x04\xFF\xFE", 6), _Zip},
                             std::pair{std::string("\xD0\xCF\x11\xE0\xA1\xB1", 6), _Storage},
                             std::pair{std::string("\xDB\xA5\x2D\x00\x00\x00", 6), _early_Word}}) {
    const std::string file = write_bytes("doc", bytes);
    EXPECT_EQ(thorough(file), TFileContentsSet{kind});
    EXPECT_EQ(quick(file), TFileContentsSet{kind});
  }
  const std::string tiny = write_bytes("tiny", "\xFF\xFE\x61");
  EXPECT_TRUE(thorough(tiny).empty());
  EXPECT_TRUE(quick(tiny).empty());
  EXPECT_TRUE(FileBufferType("abc", 3, true).empty());
  EXPECT_TRUE(FileBufferType(nullptr, 40, true).empty());
  EXPECT_THROW(FileContentsType(u16(path("missing")), true), EFOpenError);
}

TEST_F(FileUtilsTest, RealFilesInEachEncoding) {
  const std::string bom8 = "\xEF\xBB\xBF", le = "\xFF\xFE", be = "\xFE\xFF";
  struct Case {
    const char* text;
    const char* encoding;
    std::string prefix;
    TFileContentsSet quick, thorough;
  };
  const Case cases[] = {
      {kEnglish, "ASCII", "", {_8_bit}, {_8_bit}},
      {kFrench, "WINDOWS-1252", "", {_8_bit}, {_8_bit}},
      {kRussian, "CP1251", "", {_8_bit}, {_8_bit}},
      {kChinese, "UTF-8", "", {_8_bit}, {_UTF8}},
      {kRussian, "UTF-8", bom8, {_8_bit, _UTF8}, {_UTF8}},
      {kEnglish, "UTF-16LE", le, {_16_bit}, {_16_bit}},
      {kEnglish, "UTF-16LE", "", {_8_bit}, {_16_bit}},
      {kRussian, "UTF-16LE", "", {_8_bit}, {_16_bit}},
      {kChinese, "UTF-16LE", "", {_8_bit}, {_16_bit}},
      {kHindi, "UTF-16LE", "", {_8_bit}, {_16_bit}},
      {kFrench, "UTF-16BE", be, {_16_bit_reversed}, {_16_bit_reversed}},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string file = iconv_file("f" + std::to_string(n++), c.text, c.encoding, c.prefix);
    EXPECT_EQ(quick(file), c.quick) << c.encoding << " " << c.text;
    EXPECT_EQ(thorough(file), c.thorough) << c.encoding << " " << c.text;
  }
}

TEST_F(FileUtilsTest, ThoroughModeEdgeCases) {
  // A byte-order mark counts only at an even size.
  EXPECT_EQ(FileBufferType("\xFF\xFE\x61\x00\x62\x00", 6, true), TFileContentsSet{_16_bit});
  EXPECT_EQ(FileBufferType("\xFF\xFE\x61\x00\x62", 5, true), TFileContentsSet{_8_bit});
  EXPECT_EQ(FileBufferType("\xFF\xFE\x61\x00\x62", 5, false), TFileContentsSet{_16_bit});
  EXPECT_EQ(FileBufferType("abcde", 5, true), TFileContentsSet{_8_bit});
  // The first non-ASCII sequence decides.
  EXPECT_EQ(FileBufferType("caf\xC3\xA9!", 6, true), TFileContentsSet{_UTF8});
  EXPECT_EQ(FileBufferType("caf\xE9la", 6, true), TFileContentsSet{_8_bit});
  EXPECT_EQ(FileBufferType("a\xC3\xA9 b\xE9 ", 7, true), TFileContentsSet{_UTF8});
  // Only the bytes before the first zero byte are looked at.
  EXPECT_EQ(FileBufferType("abc\0\xC3\xA9!", 7, true), TFileContentsSet{_8_bit});
  // A sequence cut short by the end is not UTF-8.
  EXPECT_EQ(FileBufferType("abcd\xE2\x82", 6, true), TFileContentsSet{_8_bit});
}

// Files are judged a piece at a time: the verdict must be the one over the whole bytes,
// whatever lies beyond the first megabyte.
TEST_F(FileUtilsTest, LargeFilesAreJudgedAsTheirWholeBytes) {
  const std::size_t mib = 1 << 20;
  std::string utf16;  // UTF-16 without a mark, a character straddling each piece boundary
  for (std::size_t i = 0; utf16.size() < 2 * mib + 7; ++i) utf16 += i % 7 ? "a\x04" : " \x00";
  std::string late_utf8(2 * mib + 1, 'a');  // first non-ASCII sequence across the boundary
  late_utf8.replace(2 * mib - 1, 2, "\xC3\xA9");
  std::string late_zero = late_utf8;  // a zero byte before it hides it
  late_zero[5] = '\0';
  std::string binary_tail(2 * mib, 'a');  // even-sized, controls only past the first piece
  for (std::size_t i = mib + 2; i < binary_tail.size(); i += 3) binary_tail[i] = '\x01';
  int n = 0;
  for (const std::string* bytes : {&utf16, &late_utf8, &late_zero, &binary_tail}) {
    const std::string file = write_bytes("large" + std::to_string(n++), *bytes);
    EXPECT_EQ(thorough(file), FileBufferType(bytes->data(), std::ssize(*bytes), true)) << n;
    EXPECT_EQ(TextFileInUnicode(u16(file)),
              StringIsInUnicode(bytes->data(), static_cast<std::int32_t>(bytes->size())))
        << n;
  }
  EXPECT_EQ(thorough(write_bytes("u", utf16)), TFileContentsSet{_16_bit});
  EXPECT_EQ(thorough(write_bytes("l", late_utf8)), TFileContentsSet{_UTF8});
  EXPECT_EQ(thorough(write_bytes("z", late_zero)), TFileContentsSet{_8_bit});
}

TEST_F(FileUtilsTest, Utf16LikelihoodRejectsEightBitText) {
  for (const char* text : {kEnglish, kFrench, kRussian, kChinese, kHindi}) {
    for (const char* encoding : {"UTF-8", "WINDOWS-1252", "CP1251"}) {
      const std::string file = iconv_file("x", text, encoding, "", true);
      if (file.empty()) continue;  // not representable in that code page
      std::string bytes = read_bytes(file);
      if (bytes.size() % 2) bytes += ' ';
      EXPECT_FALSE(looks_like_utf16(bytes.data(), bytes.size())) << encoding << " " << text;
      EXPECT_FALSE(StringIsInUnicode(bytes.data(), static_cast<std::int32_t>(bytes.size())));
    }
  }
  const std::string bush = "Bush hid the facts";
  EXPECT_FALSE(looks_like_utf16(bush.data(), bush.size()));
  const std::string tabbed = "1\t2\t3\t4\r\n5\t6\t7\t8\r\n";
  EXPECT_FALSE(looks_like_utf16(tabbed.data(), tabbed.size()));
  // Binary data full of zeros and controls, big-endian text, odd sizes.
  const std::string binary("\x01\x00\x02\x00\x03\x00\x00\x00\x10\x00\x00\x00", 12);
  EXPECT_FALSE(looks_like_utf16(binary.data(), binary.size()));
  const std::string big_endian("\0H\0e\0l\0l\0o\0 \0t\0h\0e\0r\0e", 22);
  EXPECT_FALSE(looks_like_utf16(big_endian.data(), big_endian.size()));
  EXPECT_FALSE(looks_like_utf16("a\0b", 3));
  EXPECT_TRUE(StringIsInUnicode("\xFE\xFF\x00\x61", 4));
  EXPECT_FALSE(StringIsInUnicode("\xFF\xFE\x61", 3));
}

TEST_F(FileUtilsTest, TextFileInUnicode) {
  EXPECT_TRUE(TextFileInUnicode(u16(iconv_file("r", kRussian, "UTF-16LE"))));
  EXPECT_FALSE(TextFileInUnicode(u16(iconv_file("f", kFrench, "WINDOWS-1252"))));
  EXPECT_FALSE(TextFileInUnicode(u16(write_bytes("empty", ""))));
  EXPECT_THROW(TextFileInUnicode(u16(path("missing"))), EFOpenError);
}

TEST_F(FileUtilsTest, ComparisonOrdersByByteValue) {
  EXPECT_EQ(FileContentsComparison({}, {}), 0);
  EXPECT_EQ(FileContentsComparison({_UTF8}, {_8_bit, _UTF8}), -1);
  EXPECT_EQ(FileContentsComparison({_16_bit_reversed}, {_16_bit}), 1);
  EXPECT_EQ(FileContentsComparison({}, {_8_bit}), -1);
}

TEST_F(FileUtilsTest, TextFileContentsReadsEveryEncoding) {
  const std::string bom8 = "\xEF\xBB\xBF", le = "\xFF\xFE", be = "\xFE\xFF";
  struct Case {
    const char* text;
    const char* encoding;
    std::string prefix;
  };
  const Case cases[] = {
      {kEnglish, "ASCII", ""},    {kFrench, "WINDOWS-1252", ""}, {kFrench, "UTF-8", ""},
      {kChinese, "UTF-8", ""},    {kRussian, "UTF-8", bom8},     {kHindi, "UTF-16LE", le},
      {kChinese, "UTF-16BE", be},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string file = iconv_file("t" + std::to_string(n++), c.text, c.encoding, c.prefix);
    EXPECT_EQ(TextFileContents(u16(file)), with_crlf(c.text)) << c.encoding << " " << c.text;
  }
  EXPECT_EQ(TextFileContents(u16(path("missing"))), u"");
  EXPECT_EQ(TextFileContents(u16(write_bytes("empty", ""))), u"");
}

TEST_F(FileUtilsTest, EightBitTextThatIsNotUtf8IsNeverLost) {
  // Starts like UTF-8, then has a windows-1252 byte: read as 8-bit, every byte kept.
  const std::string file = write_bytes("mixed", "na\xC3\xAFve\r\ncaf\xE9 au lait\r\n");
  EXPECT_EQ(TextFileContents(u16(file)), u"na\u00C3\u00AFve\r\ncaf\u00E9 au lait\r\n");
  // A byte windows-1252 maps nowhere still comes back as something.
  const std::string odd = write_bytes("odd", "a\x81z\r\n");
  EXPECT_EQ(TextFileContents(u16(odd)).size(), 5u);
}

TEST_F(FileUtilsTest, TextFileContentsIsTheListsText) {
  int n = 0;
  for (const std::string& bytes : awkward_inputs()) {
    const std::string file = write_bytes("in" + std::to_string(n++), bytes);
    TPossiblyDodgyTextStringlist list;
    list.LoadFromFile(u16(file));
    EXPECT_EQ(TextFileContents(u16(file)), list.Text()) << bytes;
  }
  EXPECT_EQ(TextFileContents(u16(write_bytes("z", std::string("ab\0\xC3\xA9", 5)))), u"ab\r\n");
}

// Read a part at a time, every file gives exactly the text TextFileContents gives, however
// small the parts: parts end between the bytes of a character, inside CR LF, at U+0000.
TEST_F(FileUtilsTest, ReaderPartsMakeTheWholeText) {
  std::vector<std::string> inputs = awkward_inputs();
  inputs.push_back("\xEF\xBB\xBF" + std::string(kFrench) + kRussian);
  inputs.push_back(std::string(kEnglish) + kFrench + kRussian + kChinese + kHindi);
  std::string crlf_run;
  for (int i = 0; i < 40; ++i) crlf_run += i % 3 == 0 ? "\r\n" : (i % 3 == 1 ? "\xC3\xA9" : "\r");
  inputs.push_back(crlf_run);
  // Long ASCII stretches before the sequences that decide between UTF-8 and 8-bit.
  inputs.push_back(std::string(100, 'a') + "\xC3\xA9" + std::string(70, 'b') + "\xE0\x80\x80 z");
  inputs.push_back(std::string(130, 'a') + "\xF0\x9F\x98\x80" + std::string(64, '\n') + "\xE2\x82");
  inputs.push_back(std::string(200, 'q') + "\xE2\x82\xAC" + std::string(64, 'r'));
  int n = 0;
  std::vector<std::string> files;
  for (const std::string& bytes : inputs)
    files.push_back(write_bytes("r" + std::to_string(n++), bytes));
  files.push_back(iconv_file("le", std::string(kFrench) + kChinese, "UTF-16", ""));
  files.push_back(iconv_file("w1252", kFrench, "WINDOWS-1252"));
  files.push_back(path("missing"));
  for (const std::string& file : files) {
    const std::u16string whole = reader_text(file);
    for (std::size_t capacity : {32u, 33u, 35u, 64u, 100000u}) {
      text_file_reader reader(u16(file), kSystemPage);
      std::u16string joined;
      std::vector<char16_t> part(capacity);
      for (std::size_t got; (got = reader.read(part.data(), capacity)) != 0;) {
        ASSERT_LE(got, capacity);
        // No part ends on a high surrogate or a CR that the next part's LF belongs to.
        const char16_t last = part[got - 1];
        EXPECT_FALSE(last >= 0xD800 && last <= 0xDBFF);
        joined.append(part.data(), got);
      }
      EXPECT_EQ(joined, whole) << file << " in parts of " << capacity;
      EXPECT_EQ(reader.bytes_done(), reader.bytes_total() == 0 ? 0 : reader.bytes_done());
    }
  }
  text_file_reader reader(u16(files[0]), kSystemPage);
  char16_t small[31];
  EXPECT_THROW(reader.read(small, 31), EReadError);
}

// The reader goes by the verdict: UTF-16 without a byte-order mark is read as UTF-16,
// little-endian or, where the bytes say so, big-endian; 8-bit text and UTF-8 stay as they
// were.
TEST_F(FileUtilsTest, ReaderReadsUtf16WithoutAMark) {
  const std::string text = std::string(kEnglish) + kFrench + kRussian;
  const std::u16string expected = TextFileContents(u16(write_bytes("utf8", text)));
  const auto read_all = [](const std::string& file, TTextEncodingKind& kind) {
    text_file_reader reader(u16(file), kSystemPage);
    kind = reader.encoding();
    std::u16string all;
    std::vector<char16_t> part(1000);
    for (std::size_t got; (got = reader.read(part.data(), part.size())) != 0;)
      all.append(part.data(), got);
    return all;
  };
  TTextEncodingKind kind = enc_none;
  const std::string le = iconv_file("le", text, "UTF-16LE");
  ASSERT_EQ(thorough(le), TFileContentsSet{_16_bit});
  EXPECT_EQ(read_all(le, kind), expected);
  EXPECT_EQ(kind, enc_utf16le);
  EXPECT_EQ(read_all(iconv_file("be", text, "UTF-16BE"), kind), expected);
  EXPECT_EQ(kind, enc_utf16be);
  EXPECT_EQ(read_all(path("utf8"), kind), expected);
  EXPECT_EQ(kind, enc_utf8);
  const std::string ascii = write_bytes("even", "Bush hid the facts");
  EXPECT_EQ(read_all(ascii, kind), u"Bush hid the facts\r\n");
  EXPECT_EQ(kind, enc_ansi);
}

// Byte ranges read apart and in order make the whole text too; only the last closes the
// open last line.
TEST_F(FileUtilsTest, ReaderRangesMakeTheWholeText) {
  for (const std::string& bytes :
       {std::string(kEnglish) + kFrench + kRussian + kChinese + "no break",
        std::string("caf\xE9\r\nna\xEFve\rend")}) {
    const std::string file = write_bytes("ranges", bytes);
    const std::u16string whole = TextFileContents(u16(file));
    text_file_reader reader(u16(file), kSystemPage);
    ASSERT_NE(reader.raw_bytes(), nullptr);
    const std::size_t n = reader.raw_size();
    // Cut after every line break (never between CR and LF), and once in a line.
    std::vector<std::size_t> cuts = {0, 3};
    for (std::size_t i = 4; i < n; ++i)
      if (bytes[i - 1] == '\n' || (bytes[i - 1] == '\r' && bytes[i] != '\n')) cuts.push_back(i);
    cuts.push_back(n);
    std::u16string joined;
    std::vector<char16_t> part(64);
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      text_file_reader range(reader, cuts[k], cuts[k + 1]);
      EXPECT_EQ(range.bytes_total(), cuts[k + 1] - cuts[k]);
      for (std::size_t got; (got = range.read(part.data(), part.size())) != 0;)
        joined.append(part.data(), got);
    }
    EXPECT_EQ(joined, whole);
    EXPECT_THROW(text_file_reader(reader, 2, n + 1), EReadError);
  }
  // Texts with a byte-order mark are decoded whole and offer no bytes to cut.
  text_file_reader marked(u16(write_bytes("bom",
                                          "\xEF\xBB\xBF"
                                          "abc")));
  EXPECT_EQ(marked.raw_bytes(), nullptr);
  EXPECT_THROW(text_file_reader(marked, 0, 1), EReadError);
}

// A large text is taken for UTF-8 when it starts as UTF-8; an 8-bit character further on
// voids the reading, and the text read again as 8-bit is what TextFileContents gives.
TEST_F(FileUtilsTest, ReaderTrustsALargeUtf8StartUntilItFails) {
  std::string ascii;
  while (ascii.size() < (std::size_t{3} << 19)) ascii += kEnglish;
  auto read_all = [](const std::string& file, text_decoding choice) {
    text_file_reader reader(u16(file), kSystemPage, choice);
    std::u16string joined;
    std::vector<char16_t> part(4096);
    for (std::size_t got; (got = reader.read(part.data(), part.size())) != 0;)
      joined.append(part.data(), got);
    return joined;
  };
  for (const std::string& bytes : {ascii, ascii + kFrench, kFrench + ascii}) {
    const std::string file = write_bytes("utf8", bytes);
    EXPECT_EQ(read_all(file, text_decoding::decide), TextFileContents(u16(file)));
  }
  const std::string file = write_bytes("late", ascii + "caf\xE9\r\n");
  EXPECT_THROW(read_all(file, text_decoding::decide), text_not_utf8);
  const std::u16string eight_bit = read_all(file, text_decoding::checked);
  EXPECT_EQ(eight_bit, TextFileContents(u16(file)));
  EXPECT_EQ(eight_bit.substr(eight_bit.size() - 6), u"caf\u00e9\r\n");
  // U+0000 after the first 64 KiB is a blank; the verdict looks at the bytes after it.
  const std::string nul =
      write_bytes("nul", ascii + "caf\xC3\xA9" + std::string(1, '\0') + "\xE9\xE8 after");
  EXPECT_THROW(read_all(nul, text_decoding::decide), text_not_utf8);
  const std::u16string with_nul = read_all(nul, text_decoding::checked);
  EXPECT_EQ(with_nul, reader_text(nul));
  EXPECT_TRUE(with_nul.ends_with(u"\ncaf\u00C3\u00A9 \u00E9\u00E8 after\r\n"));
  const std::string utf8_nul =
      write_bytes("utf8nul", ascii + "caf\xC3\xA9" + std::string(1, '\0') + "x");
  EXPECT_TRUE(read_all(utf8_nul, text_decoding::decide).ends_with(u"\ncaf\u00E9 x\r\n"));
  // An 8-bit character in the first 64 KiB decides at once.
  const std::string early = write_bytes("early", "caf\xE9 " + ascii);
  EXPECT_EQ(read_all(early, text_decoding::decide), TextFileContents(u16(early)));
  // settle() checks every byte first (zero bytes and ill-formed sequences past its 1 MiB
  // stretches, in either half of a long text): then reading never throws, and the verdict
  // is TextFileContents'.
  std::string big = ascii;
  while (big.size() < (std::size_t{17} << 20)) big += big;
  const std::string cases[] = {big + "caf\xC3\xA9\r\n",
                               big + "caf\xE9\r\n",
                               big + "a" + std::string(1, '\0') + "b\xC3\xA9",
                               big + "a" + std::string(1, '\0') + "b\xE9",
                               big + "\xE9" + big.substr(0, 100) + std::string(1, '\0') + "z",
                               big.substr(0, 1 << 20) + "\xE9" + big};
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    const std::string f = write_bytes("settle" + std::to_string(k), cases[k]);
    text_file_reader reader(u16(f), kSystemPage);
    reader.settle();
    EXPECT_FALSE(reader.raw_trusted());
    EXPECT_EQ(reader.encoding(), k == 0 || k == 2 ? enc_utf8 : enc_ansi) << k;
    std::u16string joined;
    std::vector<char16_t> part(1 << 16);
    for (std::size_t got; (got = reader.read(part.data(), part.size())) != 0;)
      joined.append(part.data(), got);
    EXPECT_TRUE(joined == reader_text(f)) << k;
    EXPECT_EQ(reader.count_units(0, reader.raw_size()), joined.size()) << k;
  }
}

TEST_F(FileUtilsTest, SignedUtf8Flag) {
  TPossiblyDodgyTextStringlist list;
  EXPECT_FALSE(list.SignedUTF8);
  list.LoadFromFile(u16(write_bytes("s", "\xEF\xBB\xBFx")));
  EXPECT_TRUE(list.SignedUTF8);
  // Two bytes or fewer leave the flag as it was.
  list.LoadFromFile(u16(write_bytes("two", "ab")));
  EXPECT_TRUE(list.SignedUTF8);
  list.LoadFromFile(u16(write_bytes("three", "abc")));
  EXPECT_FALSE(list.SignedUTF8);
  EXPECT_THROW(list.LoadFromFile(u16(path("missing"))), EFOpenError);
}

TEST_F(FileUtilsTest, SetTextStrLineBreaks) {
  TPossiblyDodgyTextStringlist list;
  list.SetTextStr(u"a\r\nb");
  EXPECT_EQ(list.Count(), 2);
  list.SetTextStr(u"a\r\n");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Get(0), u"a");
  list.SetTextStr(u"a\n\rb");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1), u"");
  list.SetTextStr(std::u16string(u"a\rb\0c", 5));
  EXPECT_EQ(list.Count(), 2);
  list.SetTextStr(u"");
  EXPECT_EQ(list.Count(), 0);
  list.SetLineBreak(u"||");
  list.SetTextStr(u"a||||b\r\nc");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1), u"");
  EXPECT_EQ(list.Get(2), u"b\r\nc");
}

TEST_F(FileUtilsTest, SetTextStrRepairsUndeclaredUtf8) {
  TPossiblyDodgyTextStringlist list;
  list.SignedUTF8 = true;
  // UTF-8 bytes that were read as windows-1252.
  list.SetTextStr(u"caf\u00C3\u00A9\r\nna\u00C3\u00AFve");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), u"caf\u00E9");
  EXPECT_EQ(list.Get(1), u"na\u00EFve");
  // Text whose 8-bit form is not UTF-8, or that the code page cannot hold, stays as given.
  list.SetTextStr(u"caf\u00E9 au lait");
  EXPECT_EQ(list.Get(0), u"caf\u00E9 au lait");
  list.SetTextStr(u"\u00C3\u00A9 \u6211");
  EXPECT_EQ(list.Get(0), u"\u00C3\u00A9 \u6211");
}

TEST_F(FileUtilsTest, SavedTextAsStreamBytes) {
  const std::string file = path("out.txt");
  EXPECT_TRUE(SavedTextAsStream(u"abc", u16(file)));
  EXPECT_EQ(read_bytes(file), std::string("\xFF\xFE"
                                          "a\0b\0c\0",
                                          8));
  EXPECT_TRUE(SavedTextAsStream(u"\u20AC\U0001F600", u16(file)));
  EXPECT_EQ(read_bytes(file), std::string("\xFF\xFE\xAC\x20\x3D\xD8\x00\xDE", 8));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  EXPECT_TRUE(SavedTextAsStream(u"abc", u16(file)));  // a replacement keeps the bits
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  const std::string none = path("none.txt");
  EXPECT_FALSE(SavedTextAsStream(u"", u16(none)));
  EXPECT_FALSE(fs::exists(none));
  EXPECT_THROW(SavedTextAsStream(u"x", u16(path("no/such/folder/x.txt"))), EFCreateError);
}

TEST_F(FileUtilsTest, FailedWritesLeaveTheOriginal) {
  const std::string file = write_bytes("keep.txt", "caf\xE9\r\n");
  detail::set_write_failure_after(3);
  EXPECT_THROW(SavedTextAsStream(u"replacement", u16(file)), EWriteError);
  EXPECT_THROW(ConvertATextFileAnsiToUTF16(u16(file), 0x0409), EWriteError);
  EXPECT_EQ(read_bytes(file), "caf\xE9\r\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  detail::set_write_failure_after(-1);
  EXPECT_TRUE(ConvertATextFileAnsiToUTF16(u16(file), 0x0409));
  EXPECT_EQ(read_bytes(file), std::string("\xFF\xFE"
                                          "c\0a\0f\0\xE9\0\r\0\n\0",
                                          14));
}

TEST_F(FileUtilsTest, ConvertToUtf16) {
  EXPECT_FALSE(ConvertATextFileAnsiToUTF16(u16(path("missing")), 0x0409));
  // Each 8-bit file in its locale's code page becomes exactly what iconv makes of it.
  struct Case {
    const char* text;
    const char* encoding;
    std::uint32_t lcid;
  };
  const Case cases[] = {
      {kFrench, "WINDOWS-1252", 0x040C}, {kRussian, "CP1251", 0x0419}, {kEnglish, "ASCII", 0x0409}};
  int n = 0;
  for (const Case& c : cases) {
    const std::string file = iconv_file("c" + std::to_string(n++), c.text, c.encoding);
    ASSERT_TRUE(ConvertATextFileAnsiToUTF16(u16(file), c.lcid));
    std::string crlf;
    for (const char* p = c.text; *p; ++p)
      crlf += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
    const std::string expected = iconv_file("e" + std::to_string(n), crlf, "UTF-16LE", "\xFF\xFE");
    EXPECT_EQ(read_bytes(file), read_bytes(expected)) << c.encoding;
  }
  // Signed UTF-8 is read as UTF-8; the last line gains its line break.
  const std::string signed_file = write_bytes("s", "\xEF\xBB\xBFz\xC3\xA9");
  ASSERT_TRUE(ConvertATextFileAnsiToUTF16(u16(signed_file), 0x0419));
  EXPECT_EQ(read_bytes(signed_file), std::string("\xFF\xFEz\0\xE9\0\r\0\n\0", 10));
  // UTF-16 files, and files that would lose bytes, are left alone.
  const std::string utf16 = iconv_file("u", kChinese, "UTF-16LE");
  const std::string before = read_bytes(utf16);
  EXPECT_TRUE(ConvertATextFileAnsiToUTF16(u16(utf16), 0x0409));
  EXPECT_EQ(read_bytes(utf16), before);
  const std::string zero = write_bytes("zero", std::string("ab\0cd", 5));
  EXPECT_TRUE(ConvertATextFileAnsiToUTF16(u16(zero), 0x0409));
  EXPECT_EQ(read_bytes(zero), std::string("ab\0cd", 5));
  const std::string sjis = write_bytes("sjis", "ab\x81");  // a cut-off Shift-JIS lead byte
  EXPECT_TRUE(ConvertATextFileAnsiToUTF16(u16(sjis), 0x0411));
  EXPECT_EQ(read_bytes(sjis), "ab\x81");
}

TEST(FileUtilsDecoding, StrictUtf8) {
  std::u16string out;
  bool multibyte = false;
  EXPECT_TRUE(detail::strict_utf8_to_utf16("abc", out, multibyte));
  EXPECT_FALSE(multibyte);
  EXPECT_TRUE(detail::strict_utf8_to_utf16("\xF0\x9F\x98\x80\xE2\x82\xAC", out, multibyte));
  EXPECT_TRUE(multibyte);
  EXPECT_EQ(out, u"\U0001F600\u20AC");
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80",
                          "\xC3", "\xE2\x82", "\xFF"})
    EXPECT_FALSE(detail::strict_utf8_to_utf16(bad, out, multibyte)) << bad;
}

}  // namespace
}  // namespace corvane
