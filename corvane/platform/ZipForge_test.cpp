#include "corvane/platform/ZipForge.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::build_zip;
using testing::ZipArchiveLayout;
using testing::ZipEntrySpec;

std::string write_bytes(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// A component with its failures recorded.
struct Forge {
  TZipForge zip;
  std::vector<std::u16string> failures;
  Forge() {
    zip.OnProcessFileFailure = [this](const std::u16string& entry, const std::u16string& why) {
      failures.push_back(entry + u": " + why);
    };
  }
  void open(const std::string& bytes) { zip.OpenArchiveFromMemory(bytes, u"test.zip"); }
};

ZipEntrySpec entry(std::string name, std::string data, bool deflate = false) {
  ZipEntrySpec e;
  e.name = std::move(name);
  e.data = std::move(data);
  e.deflate = deflate;
  return e;
}

TEST(ZipForge, ListsEntriesInArchiveOrderWithFoldersNamesAndComment) {
  ZipArchiveLayout layout;
  layout.entries.push_back(entry("zeta.txt", "last letter", true));
  layout.entries.push_back(entry("docs/", ""));
  layout.entries.push_back(entry("docs\\inner.txt", "windows separators"));
  layout.entries.push_back(entry("old\\", ""));  // a folder stored with "\"
  ZipEntrySpec utf8 = entry("caf\xC3\xA9.txt", "x");
  utf8.flags = 1 << 11;
  layout.entries.push_back(utf8);
  ZipEntrySpec cp437 = entry(
      "\x81"
      "ber.txt",
      "y");  // 0x81 is u-umlaut in code page 437
  cp437.made_by_host = 0;
  cp437.external = 0x01;  // DOS read-only
  layout.entries.push_back(cp437);
  layout.comment = "Corvan Batch file .cnc";
  Forge f;
  f.open(build_zip(layout));
  ASSERT_EQ(f.zip.GetEntryCount(), 6);
  EXPECT_EQ(f.zip.GetFileCount(), 4);
  EXPECT_EQ(f.zip.GetFileComment(), u"Corvan Batch file .cnc");
  const std::vector<std::u16string> names = {u"zeta.txt", u"docs/",    u"docs\\inner.txt",
                                             u"old\\",    u"café.txt", u"über.txt"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(f.zip.GetAZipMainDetail(i), names[i]) << i;
  EXPECT_FALSE(f.zip.IsFolderEntry(0));
  EXPECT_TRUE(f.zip.IsFolderEntry(1));
  EXPECT_FALSE(f.zip.IsFolderEntry(2));
  EXPECT_TRUE(f.zip.IsFolderEntry(3));
  EXPECT_EQ(f.zip.GetAZipMainDetail(6), u"");
  EXPECT_EQ(f.zip.GetAZipMainDetail(-1), u"");

  std::int32_t size = -1, attributes = -1;
  ASSERT_TRUE(f.zip.GetAZipFileSubProperty(0, size, attributes));
  EXPECT_EQ(size, 11);  // uncompressed
  EXPECT_EQ(attributes, 0x20);
  ASSERT_TRUE(f.zip.GetAZipFileSubProperty(1, size, attributes));
  EXPECT_EQ(attributes, 0x10);
  ASSERT_TRUE(f.zip.GetAZipFileSubProperty(5, size, attributes));
  EXPECT_EQ(attributes, 0x01);  // as stored by DOS
  EXPECT_FALSE(f.zip.GetAZipFileSubProperty(9, size, attributes));

  int y, m, d, h, mi, s, ms;
  DecodeDateTime(f.zip.GetADateTime(0), y, m, d, h, mi, s, ms);
  EXPECT_EQ(std::vector<int>({y, m, d, h, mi, s}), std::vector<int>({2025, 1, 5, 12, 0, 0}));

  // Names select entries; "\" and "/" are the same separator when no name is exact.
  EXPECT_EQ(f.zip.IndexOfEntry(u"docs\\inner.txt"), 2);
  EXPECT_EQ(f.zip.IndexOfEntry(u"docs/inner.txt"), 2);
  EXPECT_EQ(f.zip.IndexOfEntry(u"nothing"), -1);
  std::u16string text;
  ASSERT_TRUE(f.zip.ExtractToString(u"docs/inner.txt", text));
  EXPECT_EQ(text, u"windows separators");
  EXPECT_TRUE(f.failures.empty());
  EXPECT_FALSE(f.zip.ExtractToString(u"docs/", text));  // a folder has no contents
  EXPECT_FALSE(f.zip.ExtractToString(u"missing.txt", text));
  EXPECT_EQ(f.failures.size(), 2u);
}

TEST(ZipForge, StringsDecodeLikeTextFilesAndTheDecoderCanBeReplaced) {
  ZipArchiveLayout layout;
  layout.entries.push_back(entry("le.txt", std::string("\xFF\xFEh\0\xE9\0", 6)));
  layout.entries.push_back(entry("ansi.txt", "caf\xE9", true));
  Forge f;
  f.open(build_zip(layout));
  std::u16string text;
  ASSERT_TRUE(f.zip.ExtractToString(0, text));
  EXPECT_EQ(text, u"hé");
  ASSERT_TRUE(f.zip.ExtractToString(1, text));
  EXPECT_EQ(text, u"café");
  set_zip_text_decoder([](std::string_view bytes) { return std::u16string(bytes.size(), u'*'); });
  ASSERT_TRUE(f.zip.ExtractToString(1, text));
  EXPECT_EQ(text, u"****");
  set_zip_text_decoder(nullptr);  // back to the default
  ASSERT_TRUE(f.zip.ExtractToString(1, text));
  EXPECT_EQ(text, u"café");
}

TEST(ZipForge, StreamsReceiveBytesAtTheirPositionAndLoseNothingOnFailure) {
  ZipArchiveLayout layout;
  layout.entries.push_back(entry("a.bin", std::string("\0\1\2\3", 4), true));
  ZipEntrySpec bad = entry("bad.bin", "0123456789");
  bad.crc = 0x12345678;
  layout.entries.push_back(bad);
  Forge f;
  f.open(build_zip(layout));
  TMemoryStream memory;
  memory.Write("head", 4);
  ASSERT_TRUE(f.zip.ExtractToStream(u"a.bin", memory));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(memory.Memory()), 8),
            std::string("head\0\1\2\3", 8));
  EXPECT_EQ(memory.Position(), 8);
  EXPECT_FALSE(f.zip.ExtractToStream(1, memory));  // CRC mismatch
  EXPECT_EQ(memory.Size(), 8);
  EXPECT_EQ(memory.Position(), 8);
  ASSERT_EQ(f.failures.size(), 1u);
  EXPECT_EQ(f.failures[0].substr(0, 9), u"bad.bin: ");

  // A stream written in its middle goes through Write.
  memory.SetPosition(2);
  ASSERT_TRUE(f.zip.ExtractToStream(0, memory));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(memory.Memory()), 8),
            std::string("he\0\1\2\3\2\3", 8));
}

TEST(ZipForge, UnreadableArchivesRaiseNamingTheFileAndTheReason) {
  TZipForge zip;
  std::vector<std::u16string> told;
  zip.OnProcessFileFailure = [&](const std::u16string&, const std::u16string& why) {
    told.push_back(why);
  };
  zip.FileName = u16(write_bytes("zipforge_not_a_zip.zip", "PK\x03\x04 but nothing more"));
  try {
    zip.OpenArchive();
    FAIL() << "opened";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(zip.FileName), std::u16string::npos) << e.what();
    EXPECT_NE(e.Message().find(u"Not a zip archive"), std::u16string::npos) << e.what();
  }
  EXPECT_EQ(told.size(), 1u);
  zip.FileName = u"/no/such/archive.zip";
  EXPECT_THROW(zip.OpenArchive(), Exception);
  EXPECT_FALSE(zip.Active());
  EXPECT_EQ(zip.GetEntryCount(), 0);
  std::u16string text;
  EXPECT_FALSE(zip.ExtractToString(0, text));
}

TEST(ZipForge, HostileEntriesFailWithinTheirLimits) {
  const std::string zeros(8 << 20, '\0');
  ZipArchiveLayout layout;
  ZipEntrySpec liar = entry("liar.txt", zeros, true);
  liar.declared_size = 100;  // inflates to 8 MiB
  layout.entries.push_back(liar);
  layout.entries.push_back(entry("bomb.txt", zeros, true));  // honest, but above the limit
  ZipEntrySpec shortfall = entry("short.txt", "abc");
  shortfall.declared_size = 10;
  layout.entries.push_back(shortfall);
  ZipEntrySpec locked = entry("locked.txt", "secret");
  locked.flags = 1;  // encrypted
  layout.entries.push_back(locked);
  ZipEntrySpec corrupt = entry("corrupt.txt", "some text to deflate, some text", true);
  layout.entries.push_back(corrupt);
  std::string bytes = build_zip(layout);
  // Break the last entry's deflate stream: its data starts after its local header.
  const std::size_t corrupt_at = bytes.find("corrupt.txt") + 11;
  bytes[corrupt_at] = '\xFF';
  bytes[corrupt_at + 1] = '\xFF';

  Forge f;
  f.open(bytes);
  f.zip.StringLimit = 1 << 20;
  std::string out;
  for (int i = 0; i < 5; ++i) {
    out.clear();
    EXPECT_FALSE(f.zip.ExtractToBytes(i, out, f.zip.StringLimit)) << i;
    EXPECT_TRUE(out.empty()) << i;
  }
  ASSERT_EQ(f.failures.size(), 5u);
  EXPECT_NE(f.failures[0].find(u"past its declared size of 100"), std::u16string::npos);
  EXPECT_NE(f.failures[1].find(u"above the limit"), std::u16string::npos);
  // An honest large entry reads in full under a larger limit.
  EXPECT_TRUE(f.zip.ExtractToBytes(1, out, 16 << 20));
  EXPECT_EQ(out.size(), zeros.size());
}

TEST(ZipForge, EntryCountsAreCheckedAgainstTheDirectory) {
  ZipArchiveLayout many;
  many.entries.reserve(70000);
  for (int i = 0; i < 70000; ++i) {
    std::string name = "f";
    name += std::to_string(i);
    many.entries.push_back(entry(name, ""));
  }
  Forge f;
  f.open(build_zip(many));
  EXPECT_EQ(f.zip.GetEntryCount(), 70000);
  EXPECT_EQ(f.zip.GetAZipMainDetail(69999), u"f69999");

  ZipArchiveLayout liar;
  liar.entries = {entry("a", "1"), entry("b", "2")};
  liar.declared_count = 70000;  // a directory of two records cannot hold them
  EXPECT_THROW(f.open(build_zip(liar)), Exception);
  liar.declared_count = 0x100000000ull;
  try {
    f.open(build_zip(liar));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(u"more than can be counted"), std::u16string::npos);
  }

  // A truncated archive: its end records are gone.
  const std::string whole = build_zip([] {
    ZipArchiveLayout s;
    s.entries = {entry("a.txt", std::string(5000, 'a'), true)};
    return s;
  }());
  EXPECT_THROW(f.open(whole.substr(0, whole.size() / 2)), Exception);
}

TEST(ZipForge, NamesThatWouldLeaveTheFolderAreRefused) {
  std::vector<std::u16string> parts;
  EXPECT_EQ(detail::zip_name_refusal(u"a/./b\\c.txt", parts), u"");
  EXPECT_EQ(parts, std::vector<std::u16string>({u"a", u"b", u"c.txt"}));
  for (const char16_t* bad : {u"../x", u"a/../../x", u"a\\..\\x", u"..", u"/etc/passwd", u"\\x",
                              u"C:\\x", u"c:x", u"", u"./", u"a/.."}) {
    EXPECT_NE(detail::zip_name_refusal(bad, parts), u"") << u8(bad);
    EXPECT_TRUE(parts.empty());
  }
  EXPECT_EQ(detail::zip_name_refusal(u"a..b/..c", parts), u"");  // dots inside names are fine
}

class ZipForgeFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(::testing::TempDir()) / ("zipforge_folder_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "target");
    fs::create_directories(root_ / "outside");
  }
  void TearDown() override { fs::remove_all(root_); }
  std::vector<std::string> files_under(const fs::path& p) {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(p))
      out.push_back(e.path().lexically_relative(p).string());
    std::sort(out.begin(), out.end());
    return out;
  }
  fs::path root_;
};

TEST_F(ZipForgeFolder, WritesSafeEntriesAndRefusesTheRest) {
  ZipArchiveLayout layout;
  layout.entries.push_back(entry("sub/", ""));
  layout.entries.push_back(entry("sub\\deeper\\a.txt", "alpha", true));
  layout.entries.push_back(entry("../escape.txt", "no"));
  layout.entries.push_back(entry("/abs.txt", "no"));
  layout.entries.push_back(entry("C:\\drive.txt", "no"));
  layout.entries.push_back(entry("sub/../../up.txt", "no"));
  ZipEntrySpec link = entry("link", "../outside");
  link.external = 0120777u << 16;
  layout.entries.push_back(link);
  layout.entries.push_back(entry("via/x.txt", "no"));   // "via" is a link made below
  layout.entries.push_back(entry("linked.txt", "no"));  // a link to a file outside
  ZipEntrySpec liar = entry("liar.txt", std::string(4096, 'z'), true);
  liar.declared_size = 10;
  layout.entries.push_back(liar);
  fs::create_directory_symlink(root_ / "outside", root_ / "target" / "via");
  std::ofstream(root_ / "outside" / "victim.txt") << "mine";
  fs::create_symlink(root_ / "outside" / "victim.txt", root_ / "target" / "linked.txt");

  Forge f;
  f.open(build_zip(layout));
  std::vector<TZipFolderReport> reports;
  const int written =
      f.zip.ExtractToFolder(u16((root_ / "target").string()), {}, {},
                            [&](const TZipFolderReport& r) { reports.push_back(r); });
  EXPECT_EQ(written, 1);
  ASSERT_EQ(reports.size(), layout.entries.size());
  using O = zip_folder_outcome;
  const std::vector<O> expected = {
      O::folder_made,  O::written,      O::refused_name, O::refused_name, O::refused_name,
      O::refused_name, O::refused_name, O::refused_name, O::refused_name, O::failed};
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(reports[i].outcome, expected[i]) << i << " " << u8(reports[i].reason);
  EXPECT_EQ(reports[1].target, u16((root_ / "target" / "sub" / "deeper" / "a.txt").string()));
  std::ifstream in(root_ / "target" / "sub" / "deeper" / "a.txt");
  std::string got;
  std::getline(in, got);
  EXPECT_EQ(got, "alpha");
  // Nothing outside, nothing half-written, the link's target untouched.
  EXPECT_EQ(files_under(root_ / "outside"), std::vector<std::string>({"victim.txt"}));
  EXPECT_EQ(
      files_under(root_ / "target"),
      std::vector<std::string>({"linked.txt", "sub", "sub/deeper", "sub/deeper/a.txt", "via"}));
  std::ifstream victim(root_ / "outside" / "victim.txt");
  std::getline(victim, got);
  EXPECT_EQ(got, "mine");
  EXPECT_FALSE(fs::exists(root_ / "escape.txt"));
  EXPECT_FALSE(fs::exists(root_ / "up.txt"));
}

TEST_F(ZipForgeFolder, ExistingFilesAreReplacedOnlyWhenAllowed) {
  ZipArchiveLayout layout;
  layout.entries.push_back(entry("a.txt", "new"));
  layout.entries.push_back(entry("b.txt", "bee"));
  Forge f;
  f.open(build_zip(layout));
  std::ofstream(root_ / "target" / "a.txt") << "old";
  fs::permissions(root_ / "target" / "a.txt", fs::perms::owner_read | fs::perms::owner_write);
  const std::u16string target = u16((root_ / "target").string());
  std::vector<zip_folder_outcome> outcomes;
  auto record = [&](const TZipFolderReport& r) { outcomes.push_back(r.outcome); };
  EXPECT_EQ(f.zip.ExtractToFolder(target, {}, {}, record), 1);
  std::string got;
  std::getline(std::ifstream(root_ / "target" / "a.txt"), got);
  EXPECT_EQ(got, "old");
  std::vector<std::u16string> asked;
  const std::int32_t only_first[] = {0};
  EXPECT_EQ(f.zip.ExtractToFolder(
                target, only_first,
                [&](const std::u16string& path) {
                  asked.push_back(path);
                  return true;
                },
                record),
            1);
  std::getline(std::ifstream(root_ / "target" / "a.txt"), got);
  EXPECT_EQ(got, "new");
  EXPECT_EQ(fs::status(root_ / "target" / "a.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);  // kept from the file replaced
  EXPECT_EQ(asked, std::vector<std::u16string>({target + u"/a.txt"}));
  EXPECT_EQ(outcomes, std::vector<zip_folder_outcome>({zip_folder_outcome::kept_existing,
                                                       zip_folder_outcome::written,
                                                       zip_folder_outcome::written}));
  EXPECT_EQ(files_under(root_ / "target"), std::vector<std::string>({"a.txt", "b.txt"}));
}

}  // namespace
}  // namespace corvane
