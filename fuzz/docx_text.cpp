// Feeds arbitrary bytes to the document text routines: as a body part to docx_body_text,
// and as a whole archive, written to a scratch file, to DOCXFileText. Nothing may crash,
// the text may never be longer than the part, and on small parts the text must be the one
// the slow, obvious reading gives.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Docx_reference.hpp"

namespace {

const std::string& scratch_file() {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("corvane_fuzz_docx_" + std::to_string(::getpid()) + ".docx"))
                                      .string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::u16string text = corvane::docx_body_text(bytes);
  if (text.size() > size) std::abort();
  if (size <= 4096 && text != corvane::testing::docx_reference_text(bytes)) std::abort();

  {
    std::ofstream out(scratch_file(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(size));
  }
  try {
    const std::u16string document = corvane::DOCXFileText(corvane::u16(scratch_file()));
    if (document.size() > corvane::kDocxBodyLimit) std::abort();
  } catch (const corvane::Exception&) {
  }
  return 0;
}
