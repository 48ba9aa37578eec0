#include "testing/Docx_writer.hpp"

#include <zip.h>

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

}  // namespace corvane::testing
