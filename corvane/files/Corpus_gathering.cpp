// Texts named one by one: a file, or an entry of a zip archive named through it.
#include "corvane/files/Corpus_gathering.hpp"

#include "corvane/files/File_utils.hpp"
#include "corvane/files/Zip_utils.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

gathered_text text_named(const std::string& path) {
  gathered_text text;
  text.path = path;
  // A name that is not UTF-8 can only be a file's.
  if (!is_strict_utf8(reinterpret_cast<const unsigned char*>(path.data()), path.size()))
    return text;
  const std::u16string name = u16(path);
  if (!IsWithinAZipFile(name, u"")) return text;
  const std::u16string archive = ZipFileFullFileName(name, u"");
  if (archive.empty() || ZipFileWantedFileNameWithin(name, u"").empty()) return text;
  text.archive = utf16_to_utf8(archive);
  return text;
}

}  // namespace corvane
