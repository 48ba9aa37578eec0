#include "corvane/files/Myfilestreamu.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/Zip_utils.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams_endian.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

using testing::B;

std::vector<std::uint8_t> bytes_of(TMemoryStream& s) {
  return s.bytes();
}

TMemoryStream stream_of(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream s;
  s.bytes() = bytes;
  return s;
}

// Takes at most `room` bytes, then writes short.
class FullStream : public TMemoryStream {
 public:
  explicit FullStream(std::int32_t room) : room_(room) {}
  std::int32_t Write(const void* buffer, std::int32_t count) override {
    const std::int32_t n = std::min(count, room_);
    room_ -= n;
    return n > 0 ? TMemoryStream::Write(buffer, n) : 0;
  }

 private:
  std::int32_t room_;
};

TEST(Myfilestreamu, ShortStringsAreOneLengthByteThenTheBytes) {
  TMemoryStream s;
  EXPECT_TRUE(WriteShortString(s, std::string_view("abc")));
  EXPECT_EQ(bytes_of(s), B({0x03, 0x61, 0x62, 0x63}));
  s.Clear();
  EXPECT_TRUE(WriteShortString(s, std::string_view()));
  EXPECT_EQ(bytes_of(s), B({0x00}));
  s.Clear();
  // UTF-16 text goes through the system code page (windows-1252 here).
  EXPECT_TRUE(WriteShortString(s, std::u16string_view(u"naïve")));
  EXPECT_EQ(bytes_of(s), B({0x05, 'n', 'a', 0xEF, 'v', 'e'}));
  s.SetPosition(0);
  EXPECT_EQ(ReadShortStringUnicode(s), u"naïve");

  TMemoryStream back = stream_of(B({0x03, 0x61, 0x62, 0x63, 0x00}));
  EXPECT_EQ(ReadShortString(back), "abc");
  EXPECT_EQ(ReadShortString(back), "");
}

TEST(Myfilestreamu, ShortStringsRefuseWhatTheyCannotHold) {
  TMemoryStream s;
  EXPECT_TRUE(WriteShortString(s, std::string(255, 'x')));
  EXPECT_EQ(s.Size(), 256);
  s.Clear();
  EXPECT_FALSE(WriteShortString(s, std::string(256, 'x')));
  EXPECT_FALSE(WriteShortString(s, std::u16string(256, u'x')));
  // A character the code page lacks would come back as "?": refused, not replaced.
  EXPECT_FALSE(WriteShortString(s, std::u16string_view(u"Ωmega")));
  EXPECT_EQ(s.Size(), 0);

  TMemoryStream cut = stream_of(B({0x05, 0x61, 0x62}));
  EXPECT_THROW(ReadShortString(cut), EReadError);
  TMemoryStream empty;
  EXPECT_THROW(ReadShortString(empty), EReadError);
}

TEST(Myfilestreamu, FileStreamWritesItsOwnShortStrings) {
  const std::string path = ::testing::TempDir() + "myfilestream_short.bin";
  {
    TMyFileStream file(u16(path), fmCreate);
    EXPECT_TRUE(file.WriteAShortString(std::string_view("ab")));
    EXPECT_FALSE(file.WriteAShortString(std::string(300, 'y')));
  }
  std::ifstream in(path, std::ios::binary);
  const std::string got((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(got, std::string("\x02"
                             "ab"));
  std::remove(path.c_str());
}

TEST(Myfilestreamu, AnsiPcharsHaveATwoByteCount) {
  TMemoryStream s;
  WriteAnsiPchar(s, "abc");
  EXPECT_EQ(bytes_of(s), B({0x03, 0x00, 0x61, 0x62, 0x63}));
  WriteAnsiPchar(s, nullptr);
  s.SetPosition(0);
  auto a = ReadAnsiPchar(s);
  EXPECT_STREQ(a.get(), "abc");
  auto none = ReadAnsiPchar(s);
  ASSERT_NE(none, nullptr);
  EXPECT_STREQ(none.get(), "");

  TMemoryStream big;
  const std::string longest(65535, 'z');
  WriteAnsiPchar(big, longest.c_str());
  EXPECT_EQ(big.Size(), 65537);
  big.Clear();
  const std::string too_long(65536, 'z');
  EXPECT_THROW(WriteAnsiPchar(big, too_long.c_str()), EWriteError);
  EXPECT_EQ(big.Size(), 0);

  TMemoryStream cut = stream_of(B({0xFF, 0xFF, 0x61}));
  EXPECT_THROW(ReadAnsiPchar(cut), EReadError);
}

TEST(Myfilestreamu, WidePcharsHaveAFourByteCountOfCodeUnits) {
  TMemoryStream s;
  WriteWidePchar(s, u"a\u20AC");
  EXPECT_EQ(bytes_of(s), B({0x02, 0, 0, 0, 0x61, 0x00, 0xAC, 0x20}));
  WriteWidePchar(s, nullptr);
  EXPECT_EQ(s.Size(), 12);
  s.SetPosition(0);
  EXPECT_EQ(std::u16string(ReadWidePchar(s).get()), u"a\u20AC");
  EXPECT_EQ(std::u16string(ReadWidePchar(s).get()), u"");

  // A stored length the stream cannot hold is refused before anything is allocated.
  TMemoryStream huge = stream_of(B({0xFF, 0xFF, 0xFF, 0x7F, 0x61, 0x00}));
  EXPECT_THROW(ReadWidePchar(huge), EReadError);
  TMemoryStream negative = stream_of(B({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_THROW(ReadWidePchar(negative), EReadError);

  FullStream full(6);
  EXPECT_THROW(WriteWidePchar(full, u"abc"), EWriteError);
}

TEST(Myfilestreamu, CountedPointersWriteTheirLengthThenTheirUnits) {
  TMemoryStream s;
  EXPECT_TRUE(WriteKnownLengthPointer(s, nullptr, true, 0));
  EXPECT_EQ(bytes_of(s), B({0, 0, 0, 0}));
  s.Clear();
  EXPECT_TRUE(WriteKnownLengthPointer(s, u"xyz", true, 2));
  EXPECT_EQ(bytes_of(s), B({0x02, 0, 0, 0, 0x78, 0x00, 0x79, 0x00}));
  s.Clear();
  EXPECT_TRUE(WriteUnknownLengthPointer(s, "hi", false));
  EXPECT_EQ(bytes_of(s), B({0x02, 0, 0, 0, 0x68, 0x69}));
  s.Clear();
  EXPECT_TRUE(WriteUnknownLengthPointer(s, nullptr, true));
  EXPECT_EQ(bytes_of(s), B({0, 0, 0, 0}));
  s.Clear();
  EXPECT_FALSE(WriteKnownLengthPointer(s, u"x", true, -1));
  EXPECT_FALSE(WriteKnownLengthPointer(s, nullptr, false, 3));
  EXPECT_EQ(s.Size(), 0);

  FullStream full(5);
  EXPECT_FALSE(WriteKnownLengthPointer(full, "abc", false, 3));

  TMemoryStream both;
  WriteUnknownLengthPointer(both, u"wide", true);
  WriteUnknownLengthPointer(both, "ansi", false);
  both.SetPosition(0);
  TPointerString wide = ReadUnknownLengthPointer(both, true);
  ASSERT_TRUE(wide.wide);
  EXPECT_EQ(std::u16string(wide.wide.get()), u"wide");
  EXPECT_EQ(wide.get(), wide.wide.get());
  TPointerString ansi = ReadUnknownLengthPointer(both, false);
  ASSERT_TRUE(ansi.ansi);
  EXPECT_STREQ(ansi.ansi.get(), "ansi");
}

TEST(Myfilestreamu, CountedPointerLengthsAreChecked) {
  auto message_for = [](std::vector<std::uint8_t> bytes, bool wide) -> std::string {
    TMemoryStream s = stream_of(bytes);
    try {
      ReadUnknownLengthPointer(s, wide);
    } catch (const EReadError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(message_for(B({0x51, 0xC3, 0, 0}), true),
            "file read error : ReadUnknownLengthPointer 50001");
  EXPECT_EQ(message_for(B({0xFF, 0xFF, 0xFF, 0xFF}), false),
            "file read error : ReadUnknownLengthPointer -1");
  // 50000 is allowed, but the stream must hold the bytes.
  EXPECT_EQ(message_for(B({0x50, 0xC3, 0, 0, 0x61}), false), "Stream read error");
  TMemoryStream bigger = stream_of(B({0x10, 0x27, 0, 0}));  // 10000
  EXPECT_THROW(ReadUnknownLengthPointerMaxSize(bigger, true, 9999), EReadError);
}

TEST(Myfilestreamu, AZeroLengthGivesAFreshCopyOfNowt) {
  TMemoryStream zeros = stream_of(B({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  ASSERT_EQ(nowt, nullptr);
  EXPECT_FALSE(ReadUnknownLengthPointer(zeros, true));

  nowt = std::make_unique<char16_t[]>(4);
  std::copy_n(u"nïl", 4, nowt.get());
  TPointerString wide = ReadUnknownLengthPointer(zeros, true);
  ASSERT_TRUE(wide.wide);
  EXPECT_NE(wide.wide.get(), nowt.get());
  EXPECT_EQ(std::u16string(wide.wide.get()), u"nïl");
  TPointerString ansi = ReadUnknownLengthPointer(zeros, false);
  ASSERT_TRUE(ansi.ansi);
  EXPECT_STREQ(ansi.ansi.get(), "n\xEFl");
  nowt.reset();
}

// ---- Zip entries

class MyfilestreamuZip : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(::testing::TempDir()) /
              ("myfilestreamu_zip_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "tmp");
    saved_temp_ = my_temp_path;
    my_temp_path = u16((folder_ / "tmp").string() + "/");
    testing::ZipArchiveLayout layout;
    testing::ZipEntrySpec a;
    a.name = "a.txt";
    a.data = "one\ntwo";
    layout.entries.push_back(a);
    testing::ZipEntrySpec dir;
    dir.name = "sub/";
    layout.entries.push_back(dir);
    testing::ZipEntrySpec b;
    b.name = "sub/b.txt";
    b.data = std::string("\xFF\xFEh\0i\0", 6);
    b.deflate = true;
    layout.entries.push_back(b);
    archive_ = (folder_ / "corpus.zip").string();
    std::ofstream(archive_, std::ios::binary) << testing::build_zip(layout);
    File_utils_initialization();
  }
  void TearDown() override {
    ReleaseZipMemberArchive();
    File_utils_finalization();
    my_temp_path = saved_temp_;
    std::filesystem::remove_all(folder_);
  }
  std::string temp_file() const { return (folder_ / "tmp" / "tempzip.txt").string(); }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

  std::filesystem::path folder_;
  std::string archive_;
  std::u16string saved_temp_;
};

TEST_F(MyfilestreamuZip, EntriesByNumberAndByName) {
  std::u16string reason = u"stale";
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 1, &reason), u"one\ntwo");
  EXPECT_EQ(reason, u"");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 3), u"hi");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 4, &reason), u"");
  EXPECT_EQ(reason, u"no entry 4");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 0, &reason), u"");
  EXPECT_FALSE(reason.empty());

  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_ + "/sub/b.txt")), u"hi");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_ + "\\sub\\b.txt")), u"hi");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_ + "/missing.txt"), &reason), u"");
  EXPECT_EQ(reason, u"no entry named missing.txt");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16((folder_ / "none.zip/a.txt").string()), &reason), u"");
  EXPECT_FALSE(reason.empty());
}

TEST_F(MyfilestreamuZip, AnArchiveReplacedBetweenCallsIsReadAfresh) {
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 1), u"one\ntwo");
  testing::ZipArchiveLayout layout;
  testing::ZipEntrySpec a;
  a.name = "a.txt";
  a.data = "changed";
  layout.entries.push_back(a);
  const std::string next = archive_ + ".next";
  std::ofstream(next, std::ios::binary) << testing::build_zip(layout);
  std::filesystem::rename(next, archive_);
  std::u16string reason;
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 1), u"changed");
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 3, &reason), u"");
  EXPECT_EQ(reason, u"no entry 3");
  std::filesystem::remove(archive_);
  EXPECT_EQ(ContentsOfFileWithinZipFile(u16(archive_), 1, &reason), u"");
  EXPECT_FALSE(reason.empty());
}

TEST_F(MyfilestreamuZip, TempFileHoldsTheEntryAsUtf16Lines) {
  temp_zip_outcome outcome = temp_zip_outcome::failed;
  const std::u16string path = OpenedAZipFileToTempDir(u16(archive_), 1, &outcome);
  EXPECT_EQ(path, u16(temp_file()));
  EXPECT_EQ(outcome, temp_zip_outcome::written);
  const std::string expected("\xFF\xFEo\0n\0e\0\r\0\n\0t\0w\0o\0\r\0\n\0", 22);
  EXPECT_EQ(read(temp_file()), expected);

  // Out of range: the same name, nothing written.
  std::filesystem::remove(temp_file());
  EXPECT_EQ(OpenedAZipFileToTempDir(u16(archive_), 4, &outcome), path);
  EXPECT_EQ(outcome, temp_zip_outcome::out_of_range);
  EXPECT_EQ(OpenedAZipFileToTempDir(u16(archive_), 0, &outcome), path);
  EXPECT_EQ(OpenedAZipFileToTempDir(u16(archive_ + ".missing"), 1, &outcome), path);
  EXPECT_EQ(outcome, temp_zip_outcome::out_of_range);
  EXPECT_FALSE(std::filesystem::exists(temp_file()));
}

TEST_F(MyfilestreamuZip, APlantedLinkIsReplacedNotFollowed) {
  const std::string victim = (folder_ / "victim.txt").string();
  std::ofstream(victim) << "keep me";
  std::filesystem::create_symlink(victim, temp_file());
  temp_zip_outcome outcome = temp_zip_outcome::failed;
  OpenedAZipFileToTempDir(u16(archive_), 3, &outcome);
  EXPECT_EQ(outcome, temp_zip_outcome::written);
  EXPECT_EQ(read(victim), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(temp_file()));
  EXPECT_EQ(read(temp_file()), std::string("\xFF\xFEh\0i\0\r\0\n\0", 10));
}

}  // namespace
}  // namespace corvane
