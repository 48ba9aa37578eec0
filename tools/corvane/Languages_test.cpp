#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::run_corvane;
using testing::write_file;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LanguagesCommand, OneLinePerLocaleWithTheVerdicts) {
  const auto r = run_corvane({"languages", "en_GB", "0x0401", "he_IL"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "0x0809\ten_GB\tEnglish\tEnglish\tUnited Kingdom\t\u00a3\t1252\t850\tltr\tno\tno\n"
            "0x0401\tar_SA\tArabic\t\u0627\u0644\u0639\u0631\u0628\u064a\u0629\tSaudi "
            "Arabia\t\u0631.\u0633.\u200f\t1256\t720\trtl\tyes\tyes\n"
            "0x040D\the_IL\tHebrew\t\u05e2\u05d1\u05e8\u05d9\u05ea\tIsrael\t\u20aa\t1255\t862\trtl"
            "\tyes\tno\n");
  EXPECT_EQ(run_corvane({"languages", "xx_nowhere"}).status, 2);
}

TEST(LanguagesCommand, EveryKnownIdentifierAndJson) {
  const auto all = run_corvane({"languages"});
  ASSERT_EQ(all.status, 0);
  EXPECT_GT(std::count(all.out.begin(), all.out.end(), '\n'), 200);
  EXPECT_NE(all.out.find("0x0409\ten_US\tEnglish\t"), std::string::npos);
  const auto j = run_corvane({"languages", "--json", "de_AT"});
  ASSERT_EQ(j.status, 0);
  EXPECT_EQ(j.out,
            "[\n  {\"lcid\": \"0x0C07\", \"name\": \"de_AT\", \"english\": \"German\", \"local\": "
            "\"Deutsch\", \"country\": \"Austria\", \"currency\": \"\u20ac\", \"ansi\": 1252, "
            "\"oem\": 850, \"direction\": \"ltr\", \"unicode\": false, \"combining\": false}\n]\n");
}

TEST(LanguagesCommand, VarietiesAmongTheGivenLocales) {
  const auto r = run_corvane({"languages", "--varieties", "en", "--among", "en_GB,en_US,en_AU,de"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "0x0809\tUnited Kingdom\n0x0409\tUnited States\n0x0C09\tAustralia\n"
            "currencies\t\u00a3,$\n");
  EXPECT_EQ(run_corvane({"languages", "--varieties", "en", "--among", "en,zz"}).status, 2);
}

TEST(LanguagesCommand, SaveWritesTheRecord) {
  const std::string path = ::testing::TempDir() + "lang_fr.bin";
  const auto r = run_corvane({"languages", "--save", path, "--allow", "'-.", "fr_FR"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string b = read_file(path);
  ASSERT_EQ(b.size(), 1040u);
  EXPECT_EQ(b.substr(0, 8), std::string("\0\0\1\0\x0C\x04\0\0", 8));
  EXPECT_EQ(b[43], 1);                                             // lang_instalada
  EXPECT_EQ(b.substr(46, 4), std::string("\xE4\x04\x52\x03", 4));  // 1252, 850
  EXPECT_EQ(b.substr(50, 8), std::string("'\0-\0.\0\0\0", 8));
  EXPECT_EQ(b[330], 0);
  EXPECT_EQ(b[331], 10);
  EXPECT_EQ(b.substr(332, 6), std::string("D\0e\0j\0", 6));
  EXPECT_EQ(b.substr(936, 14), std::string("F\0r\0e\0n\0c\0h\0\0\0", 14));
  // Everything else is zero.
  std::string rest = b;
  for (int i : {2, 4, 5, 43, 46, 47, 48, 49, 50, 52, 54, 331}) rest[i] = 0;
  for (int i = 332; i < 332 + 22; ++i) rest[i] = 0;
  for (int i = 936; i < 948; ++i) rest[i] = 0;
  EXPECT_EQ(rest, std::string(1040, '\0'));
  EXPECT_EQ(run_corvane({"languages", "--save", path, "fr", "de"}).status, 2);
  EXPECT_EQ(run_corvane({"languages", "--save", path + "/no/dir", "fr"}).status, 2);
}

}  // namespace
}  // namespace corvane::cli
