#include "corvane/rtl/Streams_endian.hpp"

#include <algorithm>
#include <vector>

#include "corvane/rtl/Exception.hpp"

namespace corvane {

namespace {
constexpr std::int32_t kChunkUnits = 32768;
}

void write_utf16_units(TStream& stream, std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(std::min<std::size_t>(text.size(), kChunkUnits) * 2);
  std::size_t done = 0;
  while (done < text.size()) {
    std::size_t n = std::min<std::size_t>(text.size() - done, kChunkUnits);
    bytes.resize(n * 2);
    for (std::size_t i = 0; i < n; ++i)
      detail::store_le<std::uint16_t>(&bytes[2 * i], text[done + i]);
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    done += n;
  }
}

bool try_read_utf16_units(TStream& stream, std::int32_t count, std::u16string& out) {
  out.clear();
  if (count <= 0) return count == 0;
  // Read in chunks so that the string never grows beyond what the stream really held.
  std::vector<std::uint8_t> bytes;
  std::int32_t left = count;
  while (left > 0) {
    std::int32_t n = std::min(left, kChunkUnits);
    bytes.resize(static_cast<std::size_t>(n) * 2);
    std::int32_t got = stream.Read(bytes.data(), n * 2);
    std::int32_t units = got / 2;
    for (std::int32_t i = 0; i < units; ++i) {
      out.push_back(static_cast<char16_t>(detail::load_le<std::uint16_t>(&bytes[2 * i])));
    }
    if (got != n * 2) return false;
    left -= n;
  }
  return true;
}

std::u16string read_utf16_units(TStream& stream, std::int32_t count) {
  std::u16string out;
  if (!try_read_utf16_units(stream, count, out)) throw EReadError("Stream read error");
  return out;
}

}  // namespace corvane
