#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Docx_reference.hpp"
#include "testing/Docx_writer.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

using testing::docx_document_xml;
using testing::docx_paragraph;

std::string temp_path(const std::string& name) {
  return ::testing::TempDir() + "corvane_docx_" + name;
}

// The text of a body holding `body` between the document's usual opening and closing.
std::u16string body_text(std::string_view body) {
  return docx_body_text(docx_document_xml(body));
}

std::u16string file_text(const std::string& path) {
  return DOCXFileText(u16(path));
}

TEST(BothSlashesExtractFilename, TakesThePartAfterEitherSlash) {
  EXPECT_EQ(BothSlashesExtractFilename(u"word/document.xml"), u"document.xml");
  EXPECT_EQ(BothSlashesExtractFilename(u"a\\b/c\\Document.XML"), u"Document.XML");
  EXPECT_EQ(BothSlashesExtractFilename(u"document.xml"), u"document.xml");
  EXPECT_EQ(BothSlashesExtractFilename(u"word/"), u"");
  EXPECT_EQ(BothSlashesExtractFilename(u""), u"");
}

TEST(DocxBodyText, RunsJoinWithoutSeparatorsAndEachParagraphEndsWithCrLf) {
  EXPECT_EQ(body_text(docx_paragraph({"Hello", " world"})), u"Hello world\r\n");
  EXPECT_EQ(body_text(docx_paragraph({"one"}) + docx_paragraph({"two"})), u"one\r\ntwo\r\n");
  // Entities stay as written; tabs and breaks give nothing; white space is kept as is.
  EXPECT_EQ(body_text("<w:p><w:r><w:t>Fish &amp; chips</w:t><w:tab/><w:br/>"
                      "<w:t xml:space=\"preserve\">  two  </w:t></w:r></w:p>"),
            u"Fish &amp; chips  two  \r\n");
  EXPECT_EQ(body_text(""), u"");
}

TEST(DocxBodyText, EmptyParagraphsAndParagraphsWithoutRuns) {
  // <w:p/> and <w:p .../> give no line; a paragraph without runs gives an empty line.
  EXPECT_EQ(body_text("<w:p/><w:p w:rsidR=\"00A1\"/>" + docx_paragraph({"a"}) +
                      "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr></w:p>" + docx_paragraph({"b"})),
            u"a\r\n\r\nb\r\n");
}

TEST(DocxBodyText, ElementsThatOnlyBeginLikeParagraphsOrRunsAreSkipped) {
  // <w:pPr>, <w:proofErr>, <w:pict>, <w:tab/>, <w:tbl>, <w:tc>, <w:txbxContent> and the
  // section properties are not paragraphs or runs.
  const std::string body =
      "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr><w:proofErr w:type=\"spellStart\"/>"
      "<w:r><w:rPr><w:b/></w:rPr><w:t>Tet</w:t></w:r><w:proofErr w:type=\"spellEnd\"/>"
      "<w:r><w:rPr><w:i/></w:rPr><w:t>ra</w:t></w:r><w:r><w:tab/><w:t>gon</w:t></w:r></w:p>"
      "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr><w:tr><w:tc><w:tcPr/>"
      "<w:p><w:r><w:t>cell 1</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>cell 2</w:t>"
      "</w:r></w:p></w:tc></w:tr></w:tbl>";
  EXPECT_EQ(body_text(body), u"Tetragon\r\ncell 1\r\ncell 2\r\n");
}

TEST(DocxBodyText, UnclosedParagraphsAndRunsAddNothing) {
  // A paragraph without "</w:p>" adds nothing, not even its line end.
  EXPECT_EQ(docx_body_text("<w:p><w:r><w:t>kept</w:t></w:r></w:p><w:p><w:r><w:t>lost</w:t>"),
            u"kept\r\n");
  // A run without "</w:t>" in its paragraph adds nothing, and neither do the runs after
  // it; the paragraph still ends its line.
  EXPECT_EQ(docx_body_text("<w:p><w:t>a</w:t><w:t>b</w:p><w:p><w:t>c</w:t></w:p>"), u"a\r\nc\r\n");
  // A run tag cut by the paragraph's end.
  EXPECT_EQ(docx_body_text("<w:p><w:t>a</w:t><w:t </w:p>"), u"a\r\n");
  // A paragraph tag with no ">" after it, and a lone "<w:p" at the very end.
  EXPECT_EQ(docx_body_text("<w:p><w:t>a</w:t></w:p><w:p "), u"a\r\n");
  EXPECT_EQ(docx_body_text("<w:p"), u"");
}

TEST(DocxBodyText, ATextBoxParagraphEndsItsOuterParagraph) {
  // Paragraphs are found by their tags: the outer paragraph's content ends at the inner
  // "</w:p>", so it holds the outer run before the box and the inner run, and the outer
  // run after the box belongs to no paragraph.
  EXPECT_EQ(docx_body_text("<w:p><w:r><w:t>before </w:t></w:r><w:r><w:pict><v:textbox>"
                           "<w:txbxContent><w:p><w:r><w:t>inside</w:t></w:r></w:p>"
                           "</w:txbxContent></v:textbox></w:pict></w:r><w:r><w:t>after</w:t>"
                           "</w:r></w:p>"),
            u"before inside\r\n");
}

TEST(DocxBodyText, AlternateContentGivesItsFallbackOnly) {
  const std::string block =
      "<w:p><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wps:txbx>"
      "<w:txbxContent><w:p><w:r><w:t>choice</w:t></w:r></w:p></w:txbxContent></wps:txbx>"
      "</w:drawing></mc:Choice><mc:Fallback><w:pict><v:textbox><w:txbxContent><w:p><w:r>"
      "<w:t>fallback</w:t></w:r></w:p></w:txbxContent></v:textbox></w:pict></mc:Fallback>"
      "</mc:AlternateContent></w:r></w:p>";
  EXPECT_EQ(body_text(docx_paragraph({"start"}) + block + docx_paragraph({"middle"}) + block),
            u"start\r\nfallback\r\nmiddle\r\nfallback\r\n");
}

TEST(DocxBodyText, AnIncompleteAlternateContentBlockEndsTheReplacement) {
  const std::string good =
      "<mc:AlternateContent><mc:Choice><w:p><w:t>c1</w:t></w:p></mc:Choice><mc:Fallback>"
      "<w:p><w:t>f1</w:t></w:p></mc:Fallback></mc:AlternateContent>";
  // The last block has no fallback: it and everything after it stay as they are.
  const std::string no_fallback =
      "<mc:AlternateContent><mc:Choice><w:p><w:t>c2</w:t></w:p></mc:Choice>"
      "</mc:AlternateContent>";
  EXPECT_EQ(docx_body_text(good + no_fallback + "<w:p><w:t>after</w:t></w:p>"),
            u"f1\r\nc2\r\nafter\r\n");
  // Followed by another block, it takes that block's fallback, which then comes once.
  EXPECT_EQ(docx_body_text(good + no_fallback + good), u"f1\r\nf1\r\n");
  // A block that is never closed.
  EXPECT_EQ(docx_body_text("<mc:AlternateContent><mc:Choice><w:p><w:t>c</w:t></w:p>"
                           "</mc:Choice><mc:Fallback><w:p><w:t>f</w:t></w:p></mc:Fallback>"),
            u"c\r\nf\r\n");
}

TEST(DocxBodyText, NestedAndDamagedAlternateContentNeverDoublesText) {
  // A block inside a fallback: its fallback's text, once.
  EXPECT_EQ(docx_body_text("<mc:AlternateContent><mc:Choice><w:p><w:t>c</w:t></w:p>"
                           "</mc:Choice><mc:Fallback><mc:AlternateContent><mc:Choice><w:p>"
                           "<w:t>ic</w:t></w:p></mc:Choice><mc:Fallback><w:p><w:t>if</w:t>"
                           "</w:p></mc:Fallback></mc:AlternateContent></mc:Fallback>"
                           "</mc:AlternateContent>"),
            u"if\r\n");
  // A fallback that lies after its block's end: the paragraphs between are kept, and the
  // fallback's text comes once.
  EXPECT_EQ(docx_body_text("<mc:AlternateContent><w:p><w:t>c</w:t></w:p></mc:AlternateContent>"
                           "<w:p><w:t>between</w:t></w:p><mc:Fallback><w:p><w:t>f</w:t>"
                           "</w:p></mc:Fallback>"),
            u"between\r\nf\r\n");
  // A pattern whose literal replacement would grow the text on every pass.
  std::string hostile;
  for (int i = 0; i < 2000; ++i)
    hostile += "<mc:AlternateContent></mc:AlternateContent><mc:Fallback><w:p><w:t>x</w:t>";
  hostile += "</w:p></mc:Fallback>";
  EXPECT_LE(docx_body_text(hostile).size(), hostile.size());
}

TEST(DocxBodyText, TextNeverOutgrowsThePart) {
  // Run openings inside a run's text would give the same text again and again if each
  // were taken as a run of its own.
  std::string body = "<w:p>";
  for (int i = 0; i < 20000; ++i) body += "<w:t>";
  body += "x</w:t></w:p>";
  const std::u16string text = docx_body_text(body);
  EXPECT_LE(text.size(), body.size());
  EXPECT_EQ(text.substr(text.size() - 3), u"x\r\n");
  // Deeply nested blocks take linear work (quadratic work would not finish here).
  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += "<mc:AlternateContent><mc:Fallback>";
  nested += "<w:p><w:t>deep</w:t></w:p>";
  for (int i = 0; i < 100000; ++i) nested += "</mc:Fallback></mc:AlternateContent>";
  EXPECT_EQ(docx_body_text(nested), u"deep\r\n");
}

TEST(DocxBodyText, DecodesUtf8AndReplacesBadSequences) {
  EXPECT_EQ(docx_body_text("\xEF\xBB\xBF<w:p><w:t>\xD0\xA1\xD0\xBD\xD0\xB5\xD0\xB3 "
                           "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 \xF0\x9F\x98\x80</w:t></w:p>"),
            u"Снег سلام \U0001F600\r\n");
  // A lone lead byte, a stray continuation byte and a sequence cut by a tag.
  EXPECT_EQ(docx_body_text("<w:p><w:t>a\xE2</w:t><w:t>\x80"
                           "b</w:t><w:t>\xD0</w:t></w:p>"),
            u"a\uFFFD\uFFFDb\uFFFD\r\n");
}

TEST(DocxBodyText, YieldsWhileWalking) {
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  docx_body_text(docx_paragraph({"a", "b"}) + docx_paragraph({"c"}));
  AYieldProcessProc = nullptr;
  EXPECT_GE(yields, 5);  // each paragraph search and each run
}

// Random soups of the tags that matter, compared with the obvious (slow) reading.
TEST(DocxBodyText, AgreesWithTheObviousReadingOnTagSoups) {
  const std::vector<std::string> pieces = {"<w:p>",
                                           "<w:p ",
                                           "<w:p/>",
                                           "</w:p>",
                                           "<w:pPr>",
                                           "<w:t>",
                                           "<w:t ",
                                           "</w:t>",
                                           "<w:tab/>",
                                           ">",
                                           "/",
                                           " ",
                                           "a",
                                           "\xC3\xA9",
                                           "\xE2",
                                           "<",
                                           "<mc:AlternateContent>",
                                           "</mc:AlternateContent>",
                                           "<mc:Fallback>",
                                           "</mc:Fallback>",
                                           "<mc:Choice>",
                                           "<w:p",
                                           "<w:t"};
  std::mt19937 random(24);
  for (int round = 0; round < 20000; ++round) {
    std::string body;
    const int n = static_cast<int>(random() % 40);
    for (int i = 0; i < n; ++i) body += pieces[random() % pieces.size()];
    ASSERT_EQ(docx_body_text(body), testing::docx_reference_text(body)) << body;
  }
}

class DocxFile : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::vector<testing::DocxPart>& parts) {
    const std::string path = temp_path(name);
    testing::write_docx(path, parts);
    return path;
  }
};

TEST_F(DocxFile, ReadsTheBodyPartOnly) {
  const std::string path = temp_path("plain.docx");
  testing::write_docx_body(
      path, docx_paragraph({"Hello", " world"}) + "<w:p/>" + docx_paragraph({"x &amp; y"}));
  // The header part's paragraph and the relationships named "document.xml.rels" are left.
  EXPECT_EQ(file_text(path), u"Hello world\r\nx &amp; y\r\n");
}

TEST_F(DocxFile, FindsTheBodyPartByItsNameInAnyFolderAndCase) {
  const std::string body = docx_document_xml(docx_paragraph({"body"}));
  EXPECT_EQ(file_text(write("upper.docx", testing::docx_package({{"DOCUMENT.XML", body}}))),
            u"body\r\n");
  EXPECT_EQ(file_text(write("deep.docx", {{"a/b\\c/Document.Xml", body}})), u"body\r\n");
  // The first in archive order wins.
  EXPECT_EQ(
      file_text(write("two.docx", {{"x/document.xml", docx_document_xml(docx_paragraph({"first"}))},
                                   {"word/document.xml", body}})),
      u"first\r\n");
}

TEST_F(DocxFile, MissingBodyEmptyBodyAndMissingFileGiveNoText) {
  EXPECT_EQ(file_text(write("nobody.docx", testing::docx_package({}))), u"");
  EXPECT_EQ(file_text(write("empty.docx", testing::docx_package({{"word/document.xml", ""}}))),
            u"");
  EXPECT_EQ(file_text(temp_path("no_such.docx")), u"");
  EXPECT_EQ(file_text(::testing::TempDir()), u"");
  EXPECT_EQ(DOCXFileText(u""), u"");
}

TEST_F(DocxFile, UnreadableArchivesAndBodiesRaiseErrorsNamingTheFile) {
  const std::string not_zip = temp_path("not_zip.docx");
  std::ofstream(not_zip, std::ios::binary) << "This is plain text, not an archive.";
  try {
    DOCXFileText(u16(not_zip));
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find(not_zip), std::string::npos) << e.what();
  }

  // A body part whose checksum is wrong, and one that claims more than the limit.
  testing::ZipArchiveLayout layout;
  layout.entries.emplace_back();
  layout.entries.back().name = "word/document.xml";
  layout.entries.back().data = docx_document_xml(docx_paragraph({"t"}));
  layout.entries.back().crc = 0x12345678;
  const std::string bad_crc = temp_path("bad_crc.docx");
  std::ofstream(bad_crc, std::ios::binary) << testing::build_zip(layout);
  layout.entries.back().crc.reset();
  layout.entries.back().declared_size = static_cast<std::uint32_t>(kDocxBodyLimit + 1);
  const std::string too_big = temp_path("too_big.docx");
  std::ofstream(too_big, std::ios::binary) << testing::build_zip(layout);
  for (const std::string& path : {bad_crc, too_big}) {
    try {
      DOCXFileText(u16(path));
      ADD_FAILURE() << "no error for " << path;
    } catch (const Exception& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(path), std::string::npos) << what;
      EXPECT_NE(what.find("word/document.xml"), std::string::npos) << what;
    }
  }
}

// Documents written by a real producer (python-docx), compared with the paragraphs it was
// given.
TEST_F(DocxFile, ReadsWhatPythonDocxWrites) {
  const std::string path = temp_path("python.docx");
  if (!testing::write_python_docx_sample(path))
    GTEST_SKIP() << "python3-docx is not installed (scripts/install-deps installs it)";
  EXPECT_EQ(file_text(path), u16(testing::kPythonDocxSampleText));
}

}  // namespace
}  // namespace corvane
