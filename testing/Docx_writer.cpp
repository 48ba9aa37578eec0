#include "testing/Docx_writer.hpp"

#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace corvane::testing {

namespace {

constexpr std::string_view kNamespaces =
    " xmlns:wpc=\"http://schemas.microsoft.com/office/word/2010/wordprocessingCanvas\""
    " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
    " xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:v=\"urn:schemas-microsoft-com:vml\""
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\""
    " xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\""
    " mc:Ignorable=\"w14\"";

constexpr std::string_view kSection =
    "<w:sectPr w:rsidR=\"00A1B2C3\"><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" w:left=\"1440\""
    " w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/><w:cols w:space=\"708\"/>"
    "<w:docGrid w:linePitch=\"360\"/></w:sectPr>";

}  // namespace

std::string docx_document_xml(std::string_view body) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<w:document";
  xml += kNamespaces;
  xml += "><w:body>";
  xml += body;
  xml += kSection;
  xml += "</w:body></w:document>";
  return xml;
}

std::string docx_paragraph(const std::vector<std::string>& runs) {
  std::string p =
      "<w:p w:rsidR=\"00A1B2C3\" w:rsidRDefault=\"00A1B2C3\"><w:pPr><w:spacing "
      "w:after=\"120\"/></w:pPr>";
  for (const std::string& text : runs) {
    p += "<w:r><w:rPr><w:lang w:val=\"en-GB\"/></w:rPr><w:t";
    if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
      p += " xml:space=\"preserve\"";
    p += ">" + text + "</w:t></w:r>";
  }
  return p + "</w:p>";
}

std::vector<DocxPart> docx_package(std::vector<DocxPart> parts) {
  std::vector<DocxPart> all = {
      {"[Content_Types].xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<Types "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default "
       "Extension=\"rels\" "
       "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Default "
       "Extension=\"xml\" ContentType=\"application/xml\"/><Override "
       "PartName=\"/word/document.xml\" "
       "ContentType=\"application/"
       "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>"},
      {"_rels/.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
       "Id=\"rId1\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
       "officeDocument\" Target=\"word/document.xml\"/></Relationships>"},
      {"word/_rels/document.xml.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
       "Id=\"rId1\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
       "Target=\"styles.xml\"/><Relationship Id=\"rId2\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/header\" "
       "Target=\"header1.xml\"/></Relationships>"},
      {"word/styles.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<w:styles "
       "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:style "
       "w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
       "w:val=\"Normal\"/></w:style></w:styles>"},
      // Text in another part, which must never show in the body's text.
      {"word/header1.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<w:hdr "
       "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:p><w:r>"
       "<w:t>running header</w:t></w:r></w:p></w:hdr>"}};
  for (DocxPart& part : parts) all.push_back(std::move(part));
  return all;
}

void write_docx(const std::string& path, const std::vector<DocxPart>& parts) {
  int error = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (za == nullptr) throw std::runtime_error("cannot create " + path);
  for (const DocxPart& part : parts) {
    zip_source_t* source = zip_source_buffer(za, part.data.data(), part.data.size(), 0);
    const zip_int64_t index =
        source == nullptr ? -1 : zip_file_add(za, part.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      if (source != nullptr) zip_source_free(source);
      zip_discard(za);
      throw std::runtime_error("cannot add " + part.name + " to " + path);
    }
    zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
  }
  if (zip_close(za) != 0) {
    const std::string why = zip_strerror(za);
    zip_discard(za);
    throw std::runtime_error("cannot write " + path + ": " + why);
  }
}

void write_docx_body(const std::string& path, std::string_view body) {
  write_docx(path, docx_package({{"word/document.xml", docx_document_xml(body)}}));
}

namespace {
constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kSampleScript = R"(import sys
import docx
d = docx.Document()
d.add_heading('Corpus sample', level=1)
d.add_paragraph('The quick brown fox jumps over the lazy dog.')
d.add_paragraph('\u0627\u0644\u0633\u0644\u0627\u0645 \u0639\u0644\u064a\u0643\u0645')
d.add_paragraph('\u041f\u0440\u0438\u0432\u0435\u0442, \u043c\u0438\u0440!')
p = d.add_paragraph('Split ')
p.add_run('into').bold = True
p.add_run(' formatted ').italic = True
p.add_run('runs').underline = True
d.add_paragraph('')
d.add_paragraph('Fish & chips <served>')
t = d.add_table(rows=2, cols=2)
for r in range(2):
    for c in range(2):
        t.cell(r, c).text = 'cell %d%d' % (r, c)
d.sections[0].header.paragraphs[0].text = 'page header'
d.save(sys.argv[1])
)";
}  // namespace

const char* const kPythonDocxSampleText =
    "Corpus sample\r\n"
    "The quick brown fox jumps over the lazy dog.\r\n"
    "\xD8\xA7\xD9\x84\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 \xD8\xB9\xD9\x84\xD9\x8A\xD9\x83\xD9\x85\r\n"
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80!\r\n"
    "Split into formatted runs\r\n"
    "Fish &amp; chips &lt;served&gt;\r\n"
    "cell 00\r\ncell 01\r\ncell 10\r\ncell 11\r\n";

bool write_python_docx_sample(const std::string& path) {
  if (std::system((std::string(kPython) + " -c 'import docx' 2>/dev/null").c_str()) != 0)
    return false;
  const std::string script = path + ".py";
  std::ofstream(script) << kSampleScript;
  const int status = std::system((std::string(kPython) + " " + script + " '" + path + "'").c_str());
  std::remove(script.c_str());
  if (status != 0) throw std::runtime_error("python-docx could not write " + path);
  return true;
}

}  // namespace corvane::testing
