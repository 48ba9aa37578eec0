// Writes arbitrary bytes into a shared-memory block and loads it as a list of lines. The
// load may answer false; it must not crash, read past the object, or allocate beyond it.
// What loads completely must copy back to the same elements.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "corvane/containers/Mystreammemlists.hpp"
#include "corvane/platform/SharedMemory.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

using namespace corvane;

const std::string& list_name() {
  static const std::string name = "fuzz_" + std::to_string(::getpid());
  return name;
}

struct remove_at_exit {
  ~remove_at_exit() { SharedMemory::unlink("wordbuf_compartilhar" + list_name()); }
} remover;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string object = "/wordbuf_compartilhar" + list_name();
  const int fd = ::shm_open(object.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) std::abort();
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);

  TStringMemList reader(utf8_to_utf16(list_name()), memmap_access::read_only);
  const bool ok = reader.LoadFromMemmap();
  // Every line came from inside the block: together they cannot exceed it.
  std::size_t units = 0;
  for (std::int32_t i = 0; i < reader.Count(); ++i) units += reader.Strings(i).size();
  if (2 * units + 6 * static_cast<std::size_t>(reader.Count()) > size) std::abort();
  if (ok && reader.Count() > 0) {
    TStringMemList writer(utf8_to_utf16(list_name()));
    bool has_zero = false;
    for (std::int32_t i = 0; i < reader.Count(); ++i) {
      writer.AddString(reader.Strings(i));
      has_zero |= reader.Strings(i).find(u'\0') != std::u16string::npos;
    }
    if (writer.CopyToMemmap() == has_zero) std::abort();
    if (!has_zero) {
      TStringMemList again(utf8_to_utf16(list_name()), memmap_access::read_only);
      if (!again.LoadFromMemmap() || again.Count() != reader.Count()) std::abort();
      for (std::int32_t i = 0; i < reader.Count(); ++i)
        if (again.Strings(i) != reader.Strings(i)) std::abort();
    }
  }
  return 0;
}
