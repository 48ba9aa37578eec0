#include "testing/Zip_builder.hpp"

#include <zlib.h>

namespace corvane::testing {

namespace {

void put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
void put64(std::string& out, std::uint64_t v) {
  put32(out, static_cast<std::uint32_t>(v));
  put32(out, static_cast<std::uint32_t>(v >> 32));
}

}  // namespace

std::string deflate_bytes(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string build_zip(const ZipArchiveLayout& layout) {
  std::string out, central;
  for (const ZipEntrySpec& e : layout.entries) {
    const std::string stored = e.deflate ? deflate_bytes(e.data) : e.data;
    const std::uint32_t crc = e.crc.value_or(static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()))));
    const std::uint32_t size = e.declared_size.value_or(static_cast<std::uint32_t>(e.data.size()));
    const auto offset = static_cast<std::uint32_t>(out.size());
    const std::uint16_t method = e.deflate ? 8 : 0;
    put32(out, 0x04034b50);
    put16(out, 20);
    put16(out, e.flags);
    put16(out, method);
    put16(out, e.dos_time);
    put16(out, e.dos_date);
    put32(out, crc);
    put32(out, static_cast<std::uint32_t>(stored.size()));
    put32(out, size);
    put16(out, static_cast<std::uint32_t>(e.name.size()));
    put16(out, 0);
    out += e.name;
    out += stored;

    put32(central, 0x02014b50);
    put16(central, static_cast<std::uint32_t>(e.made_by_host) << 8 | 20);
    put16(central, 20);
    put16(central, e.flags);
    put16(central, method);
    put16(central, e.dos_time);
    put16(central, e.dos_date);
    put32(central, crc);
    put32(central, static_cast<std::uint32_t>(stored.size()));
    put32(central, size);
    put16(central, static_cast<std::uint32_t>(e.name.size()));
    put16(central, 0);  // extra
    put16(central, 0);  // comment
    put16(central, 0);  // disk
    put16(central, 0);  // internal attributes
    put32(central, e.external);
    put32(central, offset);
    central += e.name;
  }
  const std::uint64_t count = layout.declared_count.value_or(layout.entries.size());
  const auto dir_offset = static_cast<std::uint64_t>(out.size());
  out += central;
  const bool zip64 = layout.force_zip64_end || count > 0xFFFF;
  if (zip64) {
    const auto record = static_cast<std::uint64_t>(out.size());
    put32(out, 0x06064b50);
    put64(out, 44);
    put16(out, 45);
    put16(out, 45);
    put32(out, 0);
    put32(out, 0);
    put64(out, count);
    put64(out, count);
    put64(out, central.size());
    put64(out, dir_offset);
    put32(out, 0x07064b50);
    put32(out, 0);
    put64(out, record);
    put32(out, 1);
  }
  put32(out, 0x06054b50);
  put16(out, 0);
  put16(out, 0);
  put16(out, zip64 ? 0xFFFF : static_cast<std::uint32_t>(count));
  put16(out, zip64 ? 0xFFFF : static_cast<std::uint32_t>(count));
  put32(out, static_cast<std::uint32_t>(central.size()));
  put32(out, zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(dir_offset));
  put16(out, static_cast<std::uint32_t>(layout.comment.size()));
  out += layout.comment;
  return out;
}

}  // namespace corvane::testing
