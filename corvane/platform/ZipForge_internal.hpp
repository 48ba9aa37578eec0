#pragma once
// What the zip component's sources share: the open archive's state and the sinks that
// extraction writes into.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "corvane/platform/ZipForge.hpp"

struct zip;

namespace corvane {

struct TZipForge::state {
  struct entry {
    std::u16string name;
    bool folder = false;
  };
  zip* za = nullptr;
  std::string memory;  // the bytes of an archive opened from memory
  std::vector<entry> entries;
  std::int32_t files = 0;
  // Built on the first look-up by name: the first entry of each name.
  mutable std::unordered_map<std::u16string, std::int32_t> by_name;
};

namespace detail {

// Where an entry's bytes go: begin (with how many bytes are believed to come), then
// space/commit a chunk at a time, then finish, or abandon to undo what was written.
class zip_sink {
 public:
  virtual ~zip_sink() = default;
  virtual void begin(std::uint64_t hint) = 0;
  virtual char* space(std::size_t want) = 0;
  virtual bool commit(std::size_t n) = 0;
  virtual void abandon() = 0;
  virtual void finish() = 0;
};

// The DOS attribute bits reported for an entry (see ZipForge.hpp).
std::int32_t zip_dos_attributes(std::uint8_t opsys, std::uint32_t external,
                                std::u16string_view name, bool folder);
// Whether the entry's stored Unix mode is that of a symbolic link.
bool zip_entry_is_symlink(std::uint8_t opsys, std::uint32_t external);
// The archive comment's raw bytes as text.
std::u16string decode_comment_bytes(std::string_view bytes);

}  // namespace detail

}  // namespace corvane
