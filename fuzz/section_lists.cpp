// Reads arbitrary bytes as a section list's stream and, behind a valid header, as a
// section-list file. Nothing may crash or allocate beyond what the bytes back; a list read
// in full must write back the very bytes it was read from.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  current_tool_var = tt_shell;
  std::vector<std::uint8_t> bytes(data, data + size);
  {
    TBytesStream stream(bytes);
    TSectionStartsList list;
    bool ok = false;
    try {
      ok = list.ReadFromStream(stream);
    } catch (const Exception&) {
    }
    // A negative count reads as no entries and is written back as 0.
    if (ok && size >= 4 && static_cast<std::int8_t>(data[3]) >= 0) {
      TMemoryStream again;
      if (!list.SaveToStream(again)) std::abort();
      const std::int64_t used = stream.Position();
      if (again.Size() != used ||
          !std::equal(again.bytes().begin(), again.bytes().end(), bytes.begin()))
        std::abort();
      for (std::int32_t i = 0; i + 1 < list.Count(); ++i) {
        const TSectionStartInfo info =
            list.SectionFromBytePosition(0, list.GetASection(i).start_byte_position);
        if (info.section_number < 0 || info.section_number > list.Count()) std::abort();
      }
    }
  }
  // The same bytes behind this tool's header, read as a file.
  static const std::string path = "/tmp/corvane_fuzz_section_lists_" + std::to_string(::getpid());
  {
    TMemoryStream header;
    TCheckSignature sig;
    DiskSignatureISOKForToolAndList(sig, current_tool_var, lt_sections_list, header, sig_write);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(header.Memory()), header.Size());
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TSectionStartsList from_file;
  try {
    from_file.ReadFromFile(u16(path));
  } catch (const Exception&) {
  }
  return 0;
}
