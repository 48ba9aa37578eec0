// Arbitrary bytes as the stream of a folder search's records and of one folder's files,
// and as names of files inside zip archives. Nothing may crash or allocate what the bytes
// merely claim (run with -malloc_limit_mb); a stream read whole must write back to bytes
// that read the same; an archive name must split into the archive's path, one delimiter
// and the name within.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvane/files/Perusedir.hpp"
#include "corvane/files/Zip_utils.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

using namespace corvane;

std::vector<std::uint8_t> bytes_of(TMemoryStream& s) {
  return {s.Memory(), s.Memory() + s.Size()};
}

void load(TMemoryStream& s, const std::uint8_t* data, std::size_t size) {
  if (size > 0) s.WriteBuffer(data, static_cast<std::int32_t>(size));
  s.SetPosition(0);
}

template <typename T>
bool read_whole(T& target, const std::uint8_t* data, std::size_t size) {
  TMemoryStream in;
  load(in, data, size);
  try {
    return target.ReadFromStream(in);
  } catch (const Exception&) {
    return false;
  }
}

// Written, read back and written again: the same bytes.
template <typename T, typename Make>
void round_trip(T& first, Make make) {
  TMemoryStream once;
  first.SaveToStream(once);
  const std::vector<std::uint8_t> a = bytes_of(once);
  auto second = make();
  if (!read_whole(*second, a.data(), a.size())) std::abort();
  TMemoryStream twice;
  second->SaveToStream(twice);
  if (bytes_of(twice) != a) std::abort();
}

void check_split(const std::u16string& name, const std::u16string& marker) {
  const std::u16string archive = ZipFileFullFileName(name, marker);
  const std::u16string within = ZipFileWantedFileNameWithin(name, marker);
  if (archive.empty()) {
    if (!within.empty()) std::abort();
    return;
  }
  if (archive.size() + 1 + within.size() != name.size()) std::abort();
  if (name.compare(0, archive.size(), archive) != 0) std::abort();
  if (name.compare(archive.size() + 1, within.size(), within) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMySearchRecList list;
  if (read_whole(list, data, size))
    round_trip(list, [] { return std::make_unique<TMySearchRecList>(); });

  TFolderful folder(u"/f");
  if (read_whole(folder, data, size))
    round_trip(folder, [] { return std::make_unique<TFolderful>(u"/g"); });

  const std::u16string name = utf8_to_utf16(
      std::string_view(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096));
  IsAZipFile(name);
  const std::int32_t number = ZipFilePlusNumber(name);
  if (number < -1) std::abort();
  check_split(name, u"");
  check_split(name, u".zip12/");
  if (size > 0) check_split(name, name.substr(name.size() / 2));
  return 0;
}
