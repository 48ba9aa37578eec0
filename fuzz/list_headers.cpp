// Runs every recogniser of a saved list's kind on arbitrary bytes written as a file: the
// three header tests, the 16-bit-era header, the batch archive test and the one-answer
// ListFileKind, and reads the bytes as a 57-byte header. Nothing may crash; every kind
// found must be a list_type; a header read and written again must give its significant
// bytes back.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

using namespace corvane;

const std::string& scratch_file() {
  static const std::string path = "/tmp/corvane_fuzz_list_headers_" + std::to_string(::getpid());
  return path;
}

void check(list_type lt) {
  if (static_cast<int>(lt) >= kListTypeCount) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(scratch_file(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TCVStored_File_rec rec;
  rec.filename = u16(scratch_file());
  for (int t = 0; t < kToolTypeCount; ++t) {
    current_tool_var = static_cast<tool_type>(t);
    WasACorvane32BitFile(rec);
    check(rec.ListType);
    IsACorvane32BitFile(rec);
    check(rec.ListType);
  }
  current_tool_var = tt_shell;
  if (WhichToolsCorvane32BitFile(rec) > tt_no_tool_at_all) std::abort();
  check(rec.ListType);
  IsAnOldCorvaneFile(rec);
  check(rec.ListType);
  try {
    IsABatchZipFileForListType(rec);
    check(rec.ListType);
    TListFileKind kind;
    ListFileKind(rec.filename, kind);
    check(kind.ListType);
  } catch (const Exception&) {
  }

  if (size >= kCheckSignatureSize) {
    const TCheckSignature h = CheckSignatureFromBytes(data);
    check(DiskFileType(h));
    const auto again = CheckSignatureBytes(h);
    const std::size_t significant = 17 + std::min<std::size_t>(data[16], kTypeOfDataMax);
    if (std::memcmp(again.data(), data, 16) != 0 || again[16] != h.type_of_data.size() ||
        std::memcmp(again.data() + 17, data + 17, significant - 17) != 0)
      std::abort();
    TBytesStream stream(std::vector<std::uint8_t>(data, data + size));
    TCheckSignature read;
    DiskSignatureISOKForToolAndList(read, tt_linara, lt_concordance_list, stream, sig_read);
  }
  return 0;
}
