// Settings on arbitrary input: ini file bytes in any encoding (then every key read back
// and the file's bytes made again, which must parse to the same keys), the text form of a
// file date, and the placeholder conversions of stored file names both ways. Nothing may
// crash, raise or loop.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/Inifileu2.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"

using namespace corvane;

namespace {

const std::u16string& date_target() {
  static const std::u16string name = [] {
    std::string path = "/tmp/corvane_fuzz_date_XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd >= 0) ::close(fd);
    return u16(path);
  }();
  return name;
}

void read_every_key(TMyMemIniFile& ini, std::size_t& keys) {
  TStringList sections, names;
  ini.ReadSections(sections);
  for (std::int32_t s = 0; s < sections.Count(); ++s) {
    ini.ReadSection(sections.Get(s), names);
    for (std::int32_t k = 0; k < names.Count(); ++k) {
      ++keys;
      ini.ReadString(sections.Get(s), names.Get(k), u"");
      ini.ReadBool(sections.Get(s), names.Get(k), true);
      ini.ReadInteger(sections.Get(s), names.Get(k), 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TMyMemIniFile ini(u"");
  ini.SetText(decode_text_bytes(bytes));
  std::size_t keys = 0;
  read_every_key(ini, keys);
  ini.WriteBool(u"fuzz", u"flag", size % 2 == 0);
  const std::string saved = ini.FileBytes();
  TMyMemIniFile again(u"");
  again.SetText(decode_text_bytes(saved));
  std::size_t keys_again = 0;
  read_every_key(again, keys_again);
  if (again.FileBytes() != saved) std::abort();  // what it writes reads back the same

  const std::u16string text = utf8_to_utf16(bytes.substr(0, 64));
  SetFileDate(date_target(), text);

  const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
  const std::u16string base = utf8_to_utf16(bytes.substr(0, cut));
  const std::u16string name = utf8_to_utf16(bytes.substr(cut));
  for (bool to : {true, false}) {
    ConvertedUserFolderInFilename(base, name, to);
    ConvertedFilenameIfUserDrive(name, to);
    ConvertedAppFolderInFilename(name, to);
  }
  ConvertedFilenameFromUserDirFName(base, name);
  CleanedUpFilename(name);
  FileFilterWithinFilterText(name);
  NameUpToXPathDelimiters(name, cut % 8);
  return 0;
}
