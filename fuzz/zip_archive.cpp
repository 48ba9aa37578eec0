// Opens arbitrary bytes as a zip archive from memory, lists it, reads its comment and
// extracts every entry under a small limit: to a string, to a stream and under a scratch
// folder. Nothing may crash, no entry may yield more than the limit, and nothing may be
// written outside the scratch folder.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

using namespace corvane;
namespace fs = std::filesystem;

constexpr std::uint64_t kLimit = 1 << 20;

const fs::path& scratch() {
  static const fs::path path =
      fs::temp_directory_path() / ("corvane_fuzz_zip_" + std::to_string(::getpid()));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TZipForge zip;
  zip.StringLimit = kLimit;
  zip.StreamLimit = kLimit;
  try {
    zip.OpenArchiveFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const Exception&) {
    return 0;
  }
  const std::int32_t count = zip.GetEntryCount();
  if (count < 0 || zip.GetFileCount() > count) std::abort();
  zip.GetFileComment();
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t entry_size = 0, attributes = 0;
    zip.GetAZipMainDetail(i);
    zip.GetADateTime(i);
    zip.GetAZipFileSubProperty(i, entry_size, attributes);
    std::u16string text;
    if (zip.ExtractToString(i, text) && text.size() > kLimit) std::abort();
    TMemoryStream stream;
    const bool ok = zip.ExtractToStream(i, stream);
    if (stream.Size() > static_cast<std::int64_t>(kLimit) || (!ok && stream.Size() != 0))
      std::abort();
    zip.IndexOfEntry(zip.GetAZipMainDetail(i));
  }
  if (count > 0 && count <= 64) {
    const fs::path target = scratch() / "target";
    std::error_code ec;
    fs::remove_all(scratch(), ec);
    fs::create_directories(target, ec);
    zip.ExtractToFolder(u16(target.string()));
    // Only the target folder may be in the scratch folder.
    for (const auto& e : fs::directory_iterator(scratch(), ec))
      if (e.path() != target) std::abort();
    fs::remove_all(scratch(), ec);
  }
  return 0;
}
