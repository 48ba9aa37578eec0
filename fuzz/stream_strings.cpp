// Feeds arbitrary bytes to the short-string, zero-terminated and counted-pointer readers.
// They may raise the stream's read error or the fixed "file read error"; they must not
// crash or allocate beyond what the stream holds. What reads back must write the same
// bytes again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "corvane/files/Myfilestreamu.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"

namespace {

using namespace corvane;

// Reads with `read` from the fuzz bytes after the first; when it succeeds, `write` of what
// was read must give back exactly the bytes consumed.
template <class Read, class Write>
void round_trip(const std::uint8_t* data, std::size_t size, Read read, Write write) {
  TBytesStream in(std::vector<std::uint8_t>(data, data + size));
  TMemoryStream out;
  try {
    auto value = read(in);
    write(out, value);
  } catch (const Exception&) {
    return;
  }
  const auto consumed = static_cast<std::size_t>(in.Position());
  if (out.bytes().size() != consumed ||
      (consumed > 0 && std::memcmp(out.bytes().data(), data, consumed) != 0))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t form = data[0] % 5;
  ++data;
  --size;
  switch (form) {
    case 0:
      round_trip(
          data, size, [](TStream& s) { return ReadShortString(s); },
          [](TStream& s, const std::string& v) {
            if (!WriteShortString(s, std::string_view(v))) std::abort();
          });
      break;
    case 1: {
      // A wide string may hold U+0000 inside; it is written back up to the first.
      TBytesStream in(std::vector<std::uint8_t>(data, data + size));
      try {
        auto p = ReadWidePchar(in);
        if (p == nullptr) std::abort();
        TMemoryStream out;
        WriteWidePchar(out, p.get());
      } catch (const Exception&) {
      }
      break;
    }
    case 2: {
      TBytesStream in(std::vector<std::uint8_t>(data, data + size));
      try {
        auto p = ReadAnsiPchar(in);
        if (p == nullptr) std::abort();
      } catch (const Exception&) {
      }
      break;
    }
    case 3:
    case 4: {
      const bool wide = form == 3;
      TBytesStream in(std::vector<std::uint8_t>(data, data + size));
      try {
        TPointerString p = ReadUnknownLengthPointer(in, wide);
        const auto consumed = in.Position();
        if (consumed < 4) std::abort();
        const std::int64_t length = (consumed - 4) / (wide ? 2 : 1);
        if (length > 50000) std::abort();
        TMemoryStream out;
        if (length > 0 &&
            !WriteKnownLengthPointer(out, p.get(), wide, static_cast<std::int32_t>(length)))
          std::abort();
        if (length > 0 && std::memcmp(out.bytes().data(), data, out.bytes().size()) != 0)
          std::abort();
      } catch (const Exception&) {
      }
      break;
    }
  }
  return 0;
}
