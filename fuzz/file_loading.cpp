// Feeds arbitrary bytes to the encoding verdicts and to the text loading of File_utils.
// Nothing may crash; the one-pass TextFileContents must give exactly the text of the
// string list that loads the same file; the verdicts must stay within their seven
// members, and quick mode must agree with thorough mode on the archive signatures.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

using namespace corvane;

const std::string& scratch_file() {
  static const std::string path = "/tmp/corvane_fuzz_file_loading_" + std::to_string(::getpid());
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TFileContentsSet quick = FileBufferType(data, static_cast<std::int64_t>(size), false);
  const TFileContentsSet thorough = FileBufferType(data, static_cast<std::int64_t>(size), true);
  if ((quick.bits | thorough.bits) & 0x80) std::abort();
  const TFileContentsSet archives{_early_Word, _Storage, _Zip};
  if ((quick.bits & archives.bits) != (thorough.bits & archives.bits)) std::abort();
  looks_like_utf16(data, size);
  StringIsInUnicode(data, static_cast<std::int32_t>(size));

  {
    std::ofstream out(scratch_file(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::u16string name = utf8_to_utf16(scratch_file());
  const std::u16string fast = TextFileContents(name);
  TPossiblyDodgyTextStringlist list;
  list.LoadFromFile(name);
  if (fast != list.Text()) std::abort();
  if (FileContentsType(name, true) != thorough) std::abort();
  // Setting the text again must never lose it.
  const std::u16string text = list.Text();
  list.SetTextStr(text);
  return 0;
}
