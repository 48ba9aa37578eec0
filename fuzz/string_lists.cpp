// Reads arbitrary bytes as a streamable string list: UTF-16 strings under a negative
// count, 8-bit short strings under a positive one. Nothing may crash or allocate beyond
// what the bytes back; a list of UTF-16 strings read in full writes back the bytes it was
// read from.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "corvane/definitions/Wdef.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  TBytesStream stream(bytes);
  TMyStreamableStringlist list;
  const bool ok = list.ReadFromStream(stream);
  if (ok && size >= 4 && static_cast<std::int8_t>(data[3]) < 0) {
    TMemoryStream out;
    if (!list.SaveToStream(out)) std::abort();
    if (out.Size() != stream.Position() ||
        !std::equal(out.bytes().begin(), out.bytes().end(), bytes.begin()))
      std::abort();
  }
  return 0;
}
