#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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

void put32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Two old 16-byte statistics records, then one current 40-byte one.
std::string stats_file() {
  std::string b(16 + 16 + 40, '\0');
  put32(b, 0, 0xFFFFFFFF);
  put32(b, 4, 2);
  put32(b, 16, 100);
  put32(b, 32, 7);
  put32(b, 32 + 12, 3);
  return b;
}

TEST(SettingsCommand, PrintsRecordsAsLinesAndJson) {
  const std::string path = write_file("cli_settings_stats.bin", stats_file());
  auto r = run_corvane({"settings", "--kind", "stats", "--count", "3", path});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string spare = "spare\t" + std::string(48, '0') + "\n";
  EXPECT_EQ(r.out, "total_bytes\t-1\nzips_added\t2\nversion\t0\n" + spare +
                       "\ntotal_bytes\t100\nzips_added\t0\nversion\t0\n" + spare +
                       "\ntotal_bytes\t7\nzips_added\t0\nversion\t3\n" + spare);
  r = run_corvane({"settings", "--kind", "stats", "--offset", "32", "--json", path});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "[\n  {\n    \"total_bytes\": 7,\n    \"zips_added\": 0,\n    \"version\": 3,\n"
            "    \"spare\": \"" +
                std::string(48, '0') + "\"\n  }\n]\n");
}

TEST(SettingsCommand, JsonNestsRecordsArraysSetsAndEnumerations) {
  std::string b(32, '\0');  // old mutual-information settings
  b[5] = 1;
  auto r =
      run_corvane({"settings", "--kind", "mi", "--json", write_file("cli_settings_mi.bin", b)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"recompute_total_tokens\": true"), std::string::npos);
  EXPECT_NE(r.out.find("\"MIStopListOption\": \"MIS_none\""), std::string::npos);
  EXPECT_NE(r.out.find("\"minima\": {\n      \"MI_Dice\": -999999,"), std::string::npos);
  std::string chosen(49, '\0');
  chosen[24] = 0x21;  // {_8_bit, _Zip}
  r = run_corvane(
      {"settings", "--kind", "chosen", "--json", write_file("cli_settings_chosen.bin", chosen)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"KindOfFile\": [\"_8_bit\", \"_Zip\"]"), std::string::npos);
  EXPECT_NE(r.out.find("\"jump_to\": []"), std::string::npos);
}

TEST(SettingsCommand, WriteUpgradesAndACurrentRecordComesBackTheSame) {
  const std::string old_path = write_file("cli_settings_old.bin", stats_file());
  const std::string out = ::testing::TempDir() + "cli_settings_new.bin";
  auto r = run_corvane({"settings", "--kind", "stats", "--count", "3", "--write", out, old_path});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string upgraded = read_file(out);
  ASSERT_EQ(upgraded.size(), 120u);
  EXPECT_EQ(upgraded.substr(0, 8), std::string(8, '\xFF'));  // -1 in 64 bits
  EXPECT_EQ(upgraded.substr(80), stats_file().substr(32));

  // A current language record: the bytes come back unchanged.
  std::string lang(1040, '\0');
  lang[2] = 1;
  put32(lang, 4, 0x0409);
  put32(lang, 552, 0xFFFFFF);  // background differs from the text colour
  lang[936] = 'E';
  const std::string again = ::testing::TempDir() + "cli_settings_lang.bin";
  r = run_corvane({"settings", "--kind", "lang", "--file-version", "7", "--write", again,
                   write_file("cli_settings_lang_in.bin", lang)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(again), lang);
}

TEST(SettingsCommand, RefusalsNameTheFileRecordAndOffset) {
  const std::string path = write_file("cli_settings_short.bin", stats_file());
  auto r = run_corvane({"settings", "--kind", "stats", "--count", "4", path});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "corvane settings: " + path +
                       ": record 4 (stats) at offset 72: the data ran out at offset 72\n");
  r = run_corvane({"settings", "--kind", "grid", "--write", "x", path});
  EXPECT_EQ(r.status, 2);
  r = run_corvane({"settings", "--kind", "nope", path});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("unknown --kind"), std::string::npos);
  r = run_corvane({"settings", "--kind", "lang", path + ".missing"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(".missing"), std::string::npos);
}

}  // namespace
}  // namespace corvane::cli
