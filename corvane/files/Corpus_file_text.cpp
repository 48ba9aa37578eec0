#include "corvane/files/Corpus_file_text.hpp"

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

bool is_docx_file_name(std::u16string_view file_name) {
  constexpr std::u16string_view kExtension = u".docx";
  if (file_name.size() < kExtension.size()) return false;
  const std::u16string_view end = file_name.substr(file_name.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    char16_t c = end[i];
    if (c >= u'A' && c <= u'Z') c += u'a' - u'A';
    if (c != kExtension[i]) return false;
  }
  return true;
}

std::u16string corpus_file_text(const std::u16string& file_name) {
  return is_docx_file_name(file_name) ? DOCXFileText(file_name) : TextFileContents(file_name);
}

std::u16string docx_text_of_bytes(const std::string& bytes, const std::u16string& name) {
  TZipForge zip;
  std::u16string reason;
  zip.OnProcessFileFailure = [&reason](const std::u16string&, const std::u16string& why) {
    reason = why;
  };
  zip.OpenArchiveFromMemory(bytes, name);  // raises, naming it, when it is no zip archive
  const std::int32_t count = zip.GetEntryCount();
  for (std::int32_t i = 0; i < count; ++i) {
    if (!SameText(BothSlashesExtractFilename(zip.GetAZipMainDetail(i)), u"Document.xml")) continue;
    std::string body;
    if (!zip.ExtractToBytes(i, body, kDocxBodyLimit))
      throw Exception(u"Cannot read \"" + zip.GetAZipMainDetail(i) + u"\" in \"" + name + u"\": " +
                      reason);
    return docx_body_text(body);
  }
  return {};
}

}  // namespace corvane
