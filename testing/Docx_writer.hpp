#pragma once
// Word-processor documents written for tests: a zip package (libzip) of hand-written XML
// parts, with helpers for the mark-up that producers really write.

#include <string>
#include <string_view>
#include <vector>

namespace corvane::testing {

struct DocxPart {
  std::string name;  // the stored name, such as "word/document.xml"
  std::string data;  // the part's bytes
};

// A body part: the XML declaration, <w:document> with the namespaces a producer declares,
// <w:body>, `body`, the section properties, and the closing tags.
std::string docx_document_xml(std::string_view body);

// One paragraph of plain runs, as a producer writes them: paragraph properties, each run
// with run properties and its text in <w:t> (with xml:space="preserve" when the text
// begins or ends with a space). Texts are written as given (escape them yourself).
std::string docx_paragraph(const std::vector<std::string>& runs);

// A package: the content types, the package relationships, the body part's relationships,
// styles and a header holding the paragraph "running header", then `parts` in the order given. The
// body part is whichever of `parts` names it; none when none does.
std::vector<DocxPart> docx_package(std::vector<DocxPart> parts);

// Writes the parts, in order and deflated, as a zip archive at `path`; throws
// std::runtime_error when libzip cannot.
void write_docx(const std::string& path, const std::vector<DocxPart>& parts);

// The usual case: a package whose "word/document.xml" is docx_document_xml(body).
void write_docx_body(const std::string& path, std::string_view body);

// A document written by a real producer, python-docx (run by /usr/bin/python3): a heading,
// English, Arabic and Russian paragraphs, a paragraph split into bold, italic and
// underlined runs, an empty paragraph, one with "&" and "<...>", a 2 x 2 table, and a page
// header. False, with nothing written, when python-docx is not installed; a failing run
// throws std::runtime_error.
bool write_python_docx_sample(const std::string& path);
// Its body text as the library reads it (UTF-8, CR LF after every paragraph).
extern const char* const kPythonDocxSampleText;

}  // namespace corvane::testing
