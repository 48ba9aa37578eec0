// corvane sort: the order of its keys, custom orders, its inputs and outputs, its mistakes,
// and agreement with the library's list comparisons on real lines.
#include <unicode/uloc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

class CorvaneSort : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = uloc_getDefault();
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault("en_US", &status);  // "." as the decimal separator
  }
  void TearDown() override {
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault(saved_.c_str(), &status);
  }
  std::string saved_;
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kList =
    "texts/kjv_ruth.txt\t2,690\t12.5\t01/06/1611\n"
    "texts/Garden.txt\t812\t3.25\t30/11/1998 09:15\n"
    "/home/ann/brief.txt\t15004\t40\t2/1/2003\n"
    "zima.txt\tn/a\t-2\t30/11/1998 09:14:59\n";

TEST_F(CorvaneSort, EachKeyInItsOrder) {
  const std::string list = write_file("sort_list.tsv", kList);
  Result r = run_command({"sort", "--by", "int:2", "--show-key", list});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "15004\t/home/ann/brief.txt\t15004\t40\t2/1/2003\n"
            "2690\ttexts/kjv_ruth.txt\t2,690\t12.5\t01/06/1611\n"
            "812\ttexts/Garden.txt\t812\t3.25\t30/11/1998 09:15\n"
            "-1\tzima.txt\tn/a\t-2\t30/11/1998 09:14:59\n");
  r = run_command({"sort", "--by", "float:3", "--reverse", "--show-key", list});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "-2\tzima.txt\tn/a\t-2\t30/11/1998 09:14:59");
  r = run_command({"sort", "--by", "float:3", "--show-key", list});
  EXPECT_EQ(r.out.substr(0, 3), "40\t");
  r = run_command({"sort", "--by", "date:4", "--show-key", list});
  EXPECT_EQ(r.out,
            "1611-06-01 00:00:00\ttexts/kjv_ruth.txt\t2,690\t12.5\t01/06/1611\n"
            "1998-11-30 09:14:59\tzima.txt\tn/a\t-2\t30/11/1998 09:14:59\n"
            "1998-11-30 09:15:00\ttexts/Garden.txt\t812\t3.25\t30/11/1998 09:15\n"
            "2003-01-02 00:00:00\t/home/ann/brief.txt\t15004\t40\t2/1/2003\n");
  r = run_command({"sort", "--by", "name", "--show-key", list});
  EXPECT_EQ(r.out,
            "BRIEF.TXT\t/home/ann/brief.txt\t15004\t40\t2/1/2003\n"
            "GARDEN.TXT\ttexts/Garden.txt\t812\t3.25\t30/11/1998 09:15\n"
            "KJV_RUTH.TXT\ttexts/kjv_ruth.txt\t2,690\t12.5\t01/06/1611\n"
            "ZIMA.TXT\tzima.txt\tn/a\t-2\t30/11/1998 09:14:59\n");
  // The float key is the shortest text of the IEEE single.
  r = run_command(
      {"sort", "--by", "float", "--show-key", write_file("f.tsv", "a\t0.1\nb\t1e40\nc\tx\n")});
  EXPECT_EQ(r.out, "inf\tb\t1e40\n0.1\ta\t0.1\n-1\tc\tx\n");
}

TEST_F(CorvaneSort, AnyEncodingInUtf8Out) {
  // UTF-16 little-endian with CR LF, two files in turn.
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : std::u16string(u"b\t1\r\n\u00e9t\u00e9\t3\r\n")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  const std::string a = write_file("sort_a.txt", utf16);
  const std::string b = write_file("sort_b.txt", "c\t2");  // no line end at the end
  Result r = run_command({"sort", "--by", "int", a, b});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "\u00e9t\u00e9\t3\nc\t2\nb\t1\n");
  EXPECT_EQ(run_command({"sort", "--by", "int", write_file("empty.txt", "")}).out, "");
}

TEST_F(CorvaneSort, CustomOrders) {
  const std::string words = write_file("sort_words.txt", "llave\nluz\nchico\ncosa\nlomo\n");
  Result r = run_command({"sort", "--order-text", "a,b,c,ch,d,e,l,ll,m,n,o,s,u,v,z", words});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "cosa\nchico\nlomo\nluz\nllave\n");
  // One letter or group per line works as a comma-separated line does.
  const std::string order =
      write_file("sort_order.txt", "a\nb\nc\nch\nd\ne\nl\nll\nm\nn\no\ns\nu\nv\nz\n");
  r = run_command({"sort", "--order", order, "--reverse", "--show-key", words});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "GG@ME\tllave");
  EXPECT_EQ(run_command({"sort", "--order", order, words}).out, "cosa\nchico\nlomo\nluz\nllave\n");
}

TEST_F(CorvaneSort, WritesTheOutputOnlyWhenComplete) {
  const std::string list = write_file("sort_inplace.tsv", "a\t1\nb\t3\nc\t2\n");
  Result r = run_command({"sort", "--by", "int:2", "-o", list, list});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(read_file(list), "b\t3\nc\t2\na\t1\n");
}

TEST_F(CorvaneSort, MistakesExitTwo) {
  const std::string list = write_file("sort_m.tsv", "a\t1\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"sort", list},
           {"sort", "--by", "int:1", list},
           {"sort", "--by", "int:x", list},
           {"sort", "--by", "name:2", list},
           {"sort", "--by", "size", list},
           {"sort", "--by", "int", "--order-text", "a,b", list},
           {"sort", "--by", "int", ::testing::TempDir() + "no such file"},
           {"sort", "--order", ::testing::TempDir() + "no such order", list},
           {"sort", "--by", "int", "-o", ::testing::TempDir() + "no/such/folder/out", list}}) {
    const Result r = run_command(args);
    EXPECT_EQ(r.status, 2) << args[2];
    EXPECT_FALSE(r.err.empty());
  }
}

// Lines of a real text's word list, shuffled: the program's order and the library's list
// comparisons give the same sequence of keys.
TEST_F(CorvaneSort, AgreesWithTheListComparisons) {
  const std::u16string text =
      TextFileContents(u16(corvane::testing::source_dir() + "/samples/corpus/kjv_genesis.txt"));
  ASSERT_FALSE(text.empty());
  std::map<std::u16string, int> counts;
  std::u16string word;
  for (char16_t c : text + u" ") {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
      word += c;
    } else if (!word.empty()) {
      ++counts[word];
      word.clear();
    }
  }
  std::vector<std::string> lines;
  int k = 0;
  for (const auto& [w, n] : counts) {
    ++k;
    char rest[96];
    std::snprintf(rest, sizeof rest, "\t%d\t%.4f\t%02d/%02d/%04d", n, n * 7.5 / 1000, k % 28 + 1,
                  k % 12 + 1, 1900 + k % 125);
    lines.push_back("dir/" + u8(w) + ".txt" + rest);
  }
  std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\n";
  const std::string file = write_file("sort_real.tsv", bytes);

  TPackageScope package;
  struct Case {
    const char* by;
    TStringListSortCompare compare;
    std::int32_t field;  // the key's field for the check below (0: the file name)
  } cases[] = {
      {"int:2", StringListCompareStringsIntegerAfterTab, 1},
      {"float:3", StringListCompareStringsFloatAfterTab2, 2},
      {"date:4",
       [](TStringList* l, std::int32_t a, std::int32_t b) {
         return StringListCompareStringsDateAfterTab(l, a, b, 3);
       },
       3},
      {"name", StringListCompareStringsFilenamePreTab, 0},
  };
  for (const Case& c : cases) {
    for (bool reverse : {false, true}) {
      std::vector<std::string> args{"sort", "--by", c.by, file};
      if (reverse) args.push_back("--reverse");
      const Result r = run_command(args);
      ASSERT_EQ(r.status, 0) << r.err;
      TStringList ours;
      ours.SetText(u16(r.out));
      TStringList theirs;
      for (const auto& l : lines) theirs.Add(u16(l));
      SetSortDescendingAndSort(reverse, theirs, c.compare);
      ASSERT_EQ(ours.Count(), theirs.Count());
      for (int i = 0; i < ours.Count(); ++i) {
        const auto key = [&](const std::u16string& line) {
          return c.field == 0 ? filename_pre_tab_key(line) : AfterTabPart(line, c.field);
        };
        ASSERT_EQ(key(ours.Get(i)), key(theirs.Get(i))) << c.by << " line " << i;
      }
    }
  }
}

}  // namespace
}  // namespace corvane::cli
