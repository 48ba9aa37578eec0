#pragma once
// Zip archives made byte by byte for tests: ordinary ones, and hostile ones whose declared
// sizes, counts, names or flags lie.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::testing {

struct ZipEntrySpec {
  std::string name;  // the stored name's bytes, exactly
  std::string data;  // the entry's real contents
  bool deflate = false;
  std::uint16_t flags = 0;                     // general-purpose flags (bit 0 encrypted, 11 UTF-8)
  std::uint8_t made_by_host = 3;               // 0 DOS, 3 Unix
  std::uint32_t external = 0100644u << 16;     // external attributes
  std::uint16_t dos_time = 0x6000;             // 12:00:00
  std::uint16_t dos_date = 0x5A25;             // 2025-01-05
  std::optional<std::uint32_t> declared_size;  // the uncompressed size claimed
  std::optional<std::uint32_t> crc;            // the CRC claimed
};

struct ZipArchiveLayout {
  std::vector<ZipEntrySpec> entries;
  std::string comment;
  bool force_zip64_end = false;                 // write the Zip64 end records even for few entries
  std::optional<std::uint64_t> declared_count;  // the entry count claimed
};

// The archive's bytes: local headers and data, the central directory, the end records
// (Zip64 ones as well when there are more than 65,535 entries).
std::string build_zip(const ZipArchiveLayout& layout);

// Raw deflate of the bytes.
std::string deflate_bytes(const std::string& data);

}  // namespace corvane::testing
