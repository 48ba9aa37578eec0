#include <gtest/gtest.h>

#include "testing/Zip_builder.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

std::string header(int signature, const std::string& kind) {
  std::string b;
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((signature >> (8 * i)) & 0xFF));
  b += std::string(12, '\0');
  b.push_back(static_cast<char>(kind.size()));
  b += kind;
  b.resize(57, '\0');
  return b + "the list itself";
}

std::string batch_archive(const std::string& comment) {
  corvane::testing::ZipArchiveLayout layout;
  for (const char* name : {"a.cnc", "b.cnc", "c.cnc"}) {
    corvane::testing::ZipEntrySpec e;
    e.name = name;
    e.data = "x";
    layout.entries.push_back(e);
  }
  layout.comment = comment;
  return corvane::testing::build_zip(layout);
}

TEST(CorvaneKind, NamesHeadersOldHeadersBatchesAndExtensions) {
  const std::string conc = write_file("kind_conc.dat", header(36, "Concordance32"));
  std::string old_bytes = std::string("\x0B\0", 2) + "Word Lister";
  old_bytes.resize(50, '\0');
  const std::string old = write_file("kind_old.xyz", old_bytes);
  const std::string batch = write_file("kind_batch.zip", batch_archive("Corvan Batch file .cnc"));
  const std::string plain = write_file("kind_plain.CNC", "just text, no header at all");
  Result r = run_command({"--tool", "tt_linara", "kind", conc, old, batch, plain});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, conc + "\theader\ttt_linara\t10\tlt_concordance_list\t36\tcurrent\t-\n" + old +
                       "\told\ttt_tabulon\t0\tlt_word_list\t-\t-\t-\n" + batch +
                       "\tbatch\ttt_linara\t10\tlt_concordance_list\t-\t-\t3\n" + plain +
                       "\textension\ttt_linara\t10\tlt_concordance_list\t-\t-\t-\n");
  // As the shell (signature 37), a file of signature 36 is of an earlier version; by number.
  r = run_command({"kind", conc});
  EXPECT_EQ(r.out, conc + "\theader\ttt_linara\t10\tlt_concordance_list\t36\tearlier\t-\n");
  r = run_command({"--tool", "11", "kind", conc});  // the aligner writes 38
  EXPECT_EQ(r.out, conc + "\theader\ttt_linara\t10\tlt_concordance_list\t36\tearlier\t-\n");
  r = run_command({"--tool", "0", "kind", write_file("kind_38.ali", header(38, "Aligner List32"))});
  EXPECT_NE(r.out.find("\theader\ttt_viewer_aligner\t21\tlt_aligner_list\t38\tother\t-\n"),
            std::string::npos);

  r = run_command({"kind", "--json", batch, plain});
  EXPECT_EQ(r.out, "[\n  {\"path\": \"" + batch +
                       "\", \"form\": \"batch\", \"tool\": \"tt_linara\", \"list_type\": 10, "
                       "\"list_type_name\": \"lt_concordance_list\", \"signature\": null, "
                       "\"version\": null, \"entries\": 3},\n  {\"path\": \"" +
                       plain +
                       "\", \"form\": \"extension\", \"tool\": \"tt_linara\", \"list_type\": 10, "
                       "\"list_type_name\": \"lt_concordance_list\", \"signature\": null, "
                       "\"version\": null, \"entries\": null}\n]\n");
}

TEST(CorvaneKind, ExitStatusSaysWhatWasRecognised) {
  const std::string plain = write_file("kind_status.txt", "text");
  const std::string conc = write_file("kind_status.cnc", header(36, "Concordance32"));
  const std::string junk = write_file("kind_status.zip", "PK\x03\x04 and nothing else");
  EXPECT_EQ(run_command({"kind", plain}).status, 1);
  Result r = run_command({"kind", "/no/such.cnc", junk, conc});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("/no/such.cnc: no such file"), std::string::npos);
  EXPECT_NE(r.err.find(junk), std::string::npos);
  EXPECT_EQ(r.out.substr(0, conc.size() + 7), conc + "\theader");
  EXPECT_EQ(run_command({"kind"}).status, 2);
  EXPECT_NE(run_command({"--tool", "tt_unused_8", "kind", plain}).status, 0);
  EXPECT_NE(run_command({"--tool", "8", "kind", plain}).status, 0);
}

TEST(CorvaneKind, TablesOfToolsAndLists) {
  Result r = run_command({"kind", "--tools"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 21);  // every value but 8
  EXPECT_NE(r.out.find("16\ttt_API_tool\tCV7 General API DLL\tCV7_General_API_DLL7.dll\t(API): "
                       "\t36\n"),
            std::string::npos);
  EXPECT_EQ(r.out.find("\ttt_unused_8\t"), std::string::npos);
  r = run_command({"kind", "--lists"});
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 43);
  EXPECT_NE(r.out.find("10\tlt_concordance_list\tConcordance list\t.cnc\tConcordance32\t"
                       "Concordancer\ttt_linara\town\tS\t-\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("12\tlt_concordance_plot_list\tConcordance Plot list\t.cpl\t"
                       "Concordance Plot32\tConcordance Plot\ttt_linara\tgraphic\t-\tL\n"),
            std::string::npos);
}

}  // namespace
}  // namespace corvane::cli
