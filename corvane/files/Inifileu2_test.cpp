#include "corvane/files/Inifileu2.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MyMemIniFile, BooleansAreWordsJudgedByTheirFirstLetter) {
  TMyMemIniFile ini(u"");
  ini.SetText(u"[s]\r\nlower=yes\r\ntitle=Yes\r\nempty=\r\nno=NO\r\nother=maybe\r\n");
  EXPECT_FALSE(ini.ReadBool(u"s", u"lower", true));
  EXPECT_TRUE(ini.ReadBool(u"s", u"title", true));
  EXPECT_FALSE(ini.ReadBool(u"s", u"empty", true));
  EXPECT_TRUE(ini.ReadBool(u"s", u"empty", false));
  EXPECT_FALSE(ini.ReadBool(u"s", u"no", false));
  EXPECT_TRUE(ini.ReadBool(u"s", u"other", false));
  EXPECT_TRUE(ini.ReadBool(u"s", u"absent", true));
  EXPECT_FALSE(ini.ReadBool(u"s", u"absent", false));
  ini.WriteBool(u"s", u"w", true);
  ini.WriteBool(u"s", u"v", false);
  EXPECT_EQ(ini.ReadString(u"s", u"w", u""), u"YES");
  EXPECT_EQ(ini.ReadString(u"s", u"v", u""), u"NO");
}

TEST(MyMemIniFile, SavesAsUtf16AndBacksUp) {
  std::string pattern = (fs::temp_directory_path() / "cv_ini2_XXXXXX").string();
  const fs::path dir = ::mkdtemp(pattern.data());
  const fs::path file = dir / "tool.ini";
  std::ofstream(file, std::ios::binary) << "[a]\r\nb=c\r\n";
  TMyMemIniFile ini(u16(file.string()));
  EXPECT_EQ(ini.Encoding(), enc_utf16le);
  ini.WriteBool(u"a", u"d", true);
  EXPECT_TRUE(ini.SaveABackup());
  EXPECT_EQ(read_bytes(dir / "tool.BAK"), "[a]\r\nb=c\r\n");
  ini.UpdateFile();
  EXPECT_EQ(read_bytes(file),
            std::string("\xFF\xFE[\0a\0]\0\r\0\n\0b\0=\0c\0\r\0\n\0d\0=\0Y\0E\0S\0"
                        "\r\0\n\0\r\0\n\0",
                        40));
  TMyMemIniFile absent(u16((dir / "none.ini").string()));
  EXPECT_FALSE(absent.SaveABackup());
  EXPECT_FALSE(fs::exists(dir / "none.BAK"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvane
