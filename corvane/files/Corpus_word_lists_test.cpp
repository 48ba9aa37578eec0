#include "corvane/files/Corpus_word_lists.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

using Counts = std::vector<std::pair<std::u16string, int>>;

Counts counts(const std::unique_ptr<TStringList>& list) {
  Counts out;
  for (int i = 0; i < list->Count(); ++i)
    out.emplace_back(list->Get(i), int_from_object(list->GetObject(i)));
  return out;
}

class CorpusWordListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = (fs::temp_directory_path() / ("corvane-cwl-" + std::to_string(::getpid()))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  gathered_text file(const std::string& name, const std::string& bytes) {
    gathered_text t;
    t.path = dir + "/" + name;
    std::ofstream(t.path, std::ios::binary) << bytes;
    return t;
  }
  std::string dir;
};

TEST_F(CorpusWordListTest, WordsOfAllTextsAsOneWithTheFirstSpellingKept) {
  corpus_word_list_options o;
  corpus_word_list list(o);
  std::string why;
  // The end of one text parts words: "end" and "start" are not joined.
  ASSERT_TRUE(list.add(file("a.txt", "Apple end"), why)) << why;
  ASSERT_TRUE(
      list.add(file("b.txt", std::string("\xFF\xFEs\0t\0a\0r\0t\0 \0a\0p\0p\0l\0e\0", 24)), why))
      << why;
  EXPECT_EQ(list.texts(), 2u);
  EXPECT_EQ(list.tokens(), 4);
  EXPECT_EQ(counts(list.list()), (Counts{{u"Apple", 2}, {u"end", 1}, {u"start", 1}}));
}

TEST_F(CorpusWordListTest, AWordAcrossTheReadersPartsIsOneWord) {
  // The text is read in parts of 64 Ki code units; words straddling their ends, in ASCII
  // and as surrogate pairs, count whole.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "x \xF0\x90\x8C\xB0\xF0\x90\x8C\xB1 longword ";
  corpus_word_list list(corpus_word_list_options{});
  std::string why;
  ASSERT_TRUE(list.add(file("long.txt", text), why)) << why;
  EXPECT_EQ(counts(list.list()),
            (Counts{{u"longword", 20000}, {u"x", 20000}, {u"\U00010330\U00010331", 20000}}));
}

TEST_F(CorpusWordListTest, NGramsNeverSpanTextsAndLineEndsPartWords) {
  corpus_word_list_options o;
  o.ngrams = 2;
  o.by_freq = true;
  corpus_word_list list(o);
  std::string why;
  ASSERT_TRUE(list.add(file("a.txt", "x y\r\nz\n"), why));
  ASSERT_TRUE(list.add(file("b.txt", "w x y"), why));
  EXPECT_EQ(counts(list.list()), (Counts{{u"x y", 2}, {u"w x", 1}, {u"y z", 1}}));
}

TEST_F(CorpusWordListTest, ArchiveEntriesAndTextsThatCannotBeRead) {
  testing::ZipArchiveLayout zip;
  zip.entries.push_back({"in.txt", "zipped words zipped", true});
  const gathered_text archive = file("c.zip", testing::build_zip(zip));
  std::vector<gathering_problem> problems;
  const auto texts = gather_texts({dir}, gathering_options{}, problems);  // the entries
  ASSERT_EQ(texts.size(), 1u);
  corpus_word_list list(corpus_word_list_options{});
  std::string why;
  ASSERT_TRUE(list.add(texts[0], why)) << why;
  EXPECT_EQ(counts(list.list()), (Counts{{u"words", 1}, {u"zipped", 2}}));

  gathered_text missing;
  missing.path = dir + "/missing.txt";
  EXPECT_FALSE(list.add(missing, why));
  EXPECT_EQ(why, "no such file");
  gathered_text folder;
  folder.path = dir;
  EXPECT_FALSE(list.add(folder, why));
  EXPECT_EQ(why, "is a folder");
  EXPECT_EQ(list.texts(), 1u);
}

}  // namespace
}  // namespace corvane
