#include "corvane/files/Corpus_file_text.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Docx_writer.hpp"

namespace corvane {
namespace {

TEST(CorpusFileText, DocxNamesInAnyLetterCase) {
  EXPECT_TRUE(is_docx_file_name(u"a.docx"));
  EXPECT_TRUE(is_docx_file_name(u"dir.x/REPORT.DocX"));
  EXPECT_TRUE(is_docx_file_name(u".docx"));
  EXPECT_FALSE(is_docx_file_name(u"a.doc"));
  EXPECT_FALSE(is_docx_file_name(u"a.docx.txt"));
  EXPECT_FALSE(is_docx_file_name(u"adocx"));
  EXPECT_FALSE(is_docx_file_name(u""));
}

TEST(CorpusFileText, ReadsDocumentsAsDocumentsAndOtherFilesAsText) {
  const std::string dir = ::testing::TempDir();
  const std::string docx = dir + "corvane_corpus_text.DOCX";
  testing::write_docx_body(docx,
                           testing::docx_paragraph({"one"}) + testing::docx_paragraph({"two"}));
  EXPECT_EQ(corpus_file_text(u16(docx)), u"one\r\ntwo\r\n");
  const std::string text = dir + "corvane_corpus_text.txt";
  std::ofstream(text, std::ios::binary) << "caf\xC3\xA9\nend";
  EXPECT_EQ(corpus_file_text(u16(text)), u"café\r\nend\r\n");
  // A .docx that is a text file is an error, not a text.
  const std::string fake = dir + "corvane_corpus_fake.docx";
  std::ofstream(fake, std::ios::binary) << "just words";
  EXPECT_THROW(corpus_file_text(u16(fake)), Exception);
}

}  // namespace
}  // namespace corvane
