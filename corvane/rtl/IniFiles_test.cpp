#include "corvane/rtl/IniFiles.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "cv_ini_XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path); }
  std::u16string name(const char* leaf) const { return u16((path / leaf).string()); }
};

std::string read_bytes(const std::u16string& name) {
  std::ifstream in(u8(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::u16string& name, std::string_view bytes) {
  std::ofstream(u8(name), std::ios::binary) << bytes;
}

TEST(MemIniFile, ParsesKeepsOrderAndComparesNamesIgnoringCase) {
  TMemIniFile ini(u"");
  ini.SetText(
      u"junk before\r\n; comment\r\n[Zeta]\r\n b = 2 \r\nA=1\nplain line\r[alpha]\r\n"
      u"x==y\r\n[ZETA]\r\nc=3");
  TStringList names;
  ini.ReadSections(names);
  ASSERT_EQ(names.Count(), 2);
  EXPECT_EQ(names.Get(0), u"Zeta");
  EXPECT_EQ(names.Get(1), u"alpha");
  ini.ReadSection(u"zeta", names);
  ASSERT_EQ(names.Count(), 4);  // a repeated section header continues the first
  EXPECT_EQ(names.Get(0), u"b");
  EXPECT_EQ(names.Get(2), u"plain line");
  EXPECT_EQ(ini.ReadString(u"ZETA", u"B", u"?"), u"2");
  EXPECT_EQ(ini.ReadString(u"alpha", u"x", u"?"), u"=y");
  EXPECT_EQ(ini.ReadString(u"zeta", u"plain line", u"?"), u"?");
  EXPECT_TRUE(ini.ValueExists(u"zeta", u"PLAIN LINE"));
  EXPECT_EQ(ini.ReadInteger(u"zeta", u"c", 0), 3);
  EXPECT_EQ(ini.ReadInteger(u"alpha", u"x", 9), 9);

  ini.WriteString(u"ALPHA", u"X", u"new");
  ini.WriteString(u"beta", u"k", u"v");
  ini.DeleteKey(u"zeta", u"a");
  ini.ReadSectionValues(u"alpha", names);
  ASSERT_EQ(names.Count(), 1);
  EXPECT_EQ(names.Get(0), u"x=new");  // the stored name keeps its first spelling
  EXPECT_EQ(ini.FileBytes(),
            "[Zeta]\r\nb=2\r\nplain line\r\nc=3\r\n\r\n[alpha]\r\nx=new\r\n\r\n[beta]\r\nk=v\r\n"
            "\r\n");
  ini.EraseSection(u"Zeta");
  EXPECT_FALSE(ini.SectionExists(u"zeta"));
}

TEST(MemIniFile, LoadsByByteOrderMarkAndSavesInItsEncoding) {
  TempFolder dir;
  const auto name = dir.name("a.ini");
  write_bytes(name, std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0", 18));
  TMemIniFile ini(name);
  EXPECT_EQ(ini.Encoding(), enc_utf16le);
  EXPECT_EQ(ini.ReadString(u"S", u"K", u""), u"\u00E9");
  ini.UpdateFile();
  EXPECT_EQ(read_bytes(name),
            std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0\r\0\n\0", 26));

  write_bytes(name, "\xEF\xBB\xBF[s]\r\nk=\xE2\x82\xAC\r\n");
  TMemIniFile utf8(name);
  EXPECT_EQ(utf8.Encoding(), enc_utf8);
  EXPECT_EQ(utf8.ReadString(u"s", u"k", u""), u"\u20AC");

  // 8-bit text stays 8-bit while it can; a character windows-1252 lacks turns the file
  // into UTF-8 rather than losing it.
  write_bytes(name, "[s]\r\nk=\x80\r\n");
  TMemIniFile ansi(name);
  EXPECT_EQ(ansi.Encoding(), enc_ansi);
  EXPECT_EQ(ansi.ReadString(u"s", u"k", u""), u"\u20AC");
  EXPECT_EQ(ansi.FileBytes(), "[s]\r\nk=\x80\r\n\r\n");
  ansi.WriteString(u"s", u"k", u"\u0416");
  EXPECT_EQ(ansi.FileBytes(), "\xEF\xBB\xBF[s]\r\nk=\xD0\x96\r\n\r\n");
}

TEST(MemIniFile, MissingFileIsEmptyAndUpdateKeepsPermissions) {
  TempFolder dir;
  const auto name = dir.name("new.ini");
  TMemIniFile ini(name);
  EXPECT_FALSE(ini.SectionExists(u"x"));
  ini.WriteString(u"x", u"y", u"z");
  ini.UpdateFile();
  EXPECT_EQ(read_bytes(name), "[x]\r\ny=z\r\n\r\n");
  fs::permissions(u8(name), fs::perms::owner_read | fs::perms::owner_write);
  ini.WriteString(u"x", u"y", u"w");
  ini.UpdateFile();
  EXPECT_EQ(fs::status(u8(name)).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 1);  // no temporary left
}

TEST(MemIniFile, AFailedWriteLeavesTheOldFile) {
  TempFolder dir;
  const auto name = dir.name("keep.ini");
  write_bytes(name, "[old]\r\nk=v\r\n");
  TMemIniFile ini(name);
  for (int i = 0; i < 2000; ++i) ini.WriteString(u"big", u16("key" + std::to_string(i)), u"x");

  // A file system that fills up: writes beyond 1000 bytes fail with EFBIG.
  struct rlimit old_limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(ini.UpdateFile(), EWriteError);
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_EQ(read_bytes(name), "[old]\r\nk=v\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 1);

  TMemIniFile nowhere(dir.name("no/such/folder.ini"));
  EXPECT_THROW(nowhere.UpdateFile(), EFCreateError);
}

}  // namespace
}  // namespace corvane
