// Writing text files as UTF-16: the replace-when-complete file writer, SavedTextAsStream
// and the rewrite of 8-bit text files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

std::atomic<std::int64_t> write_failure_after{-1};
std::atomic<unsigned> temp_counter{0};

std::string error_text(const char* what, const std::string& path, int error) {
  return std::string(what) + "\"" + path + "\". " + std::strerror(error);
}

void append_utf16le(std::string& bytes, std::u16string_view text) {
  const std::size_t at = bytes.size();
  bytes.resize(at + 2 * text.size());
  char* out = bytes.data() + at;
  for (char16_t c : text) {
    *out++ = static_cast<char>(c & 0xFF);
    *out++ = static_cast<char>(c >> 8);
  }
}

// The whole file, or false when it cannot be read.
bool read_whole_file(const std::u16string& file_name, std::string& bytes) {
  try {
    TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
    const std::int64_t size = file.Size();
    bytes.resize(static_cast<std::size_t>(size));
    std::int64_t done = 0;
    while (done < size) {
      const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(size - done, 1 << 30));
      const std::int32_t got = file.Read(bytes.data() + done, chunk);
      if (got <= 0) return false;
      done += got;
    }
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// The text of 8-bit bytes in code page `code_page`, or false when some byte would be lost.
bool decode_without_loss(int code_page, std::string_view bytes, std::u16string& text) {
  if (bytes.find('\0') != std::string_view::npos) return false;
  bool lossless = true;
  if (detail::single_byte_to_utf16(code_page, bytes, text, lossless)) return lossless;
  if (!code_page_to_utf16(code_page, bytes, text)) return false;
  // The converter marks an ill-formed sequence with U+FFFD.
  return text.find(u'\uFFFD') == std::u16string::npos;
}

}  // namespace

namespace detail {

void set_write_failure_after(std::int64_t bytes) {
  write_failure_after = bytes;
}

void write_file_replacing(const std::u16string& file_name, std::string_view bytes) {
  const std::string path = utf16_to_utf8(file_name);
  const std::string temp =
      path + ".~cv" + std::to_string(::getpid()) + "_" + std::to_string(temp_counter.fetch_add(1));
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw EFCreateError(error_text("Cannot create file ", path, errno));
  auto fail = [&](int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw EWriteError(error_text("Cannot write file ", path, error));
  };
  const std::int64_t limit = write_failure_after.load();
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1 << 20);
    if (limit >= 0) {
      if (static_cast<std::int64_t>(done) >= limit) fail(ENOSPC);
      chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(limit) - done);
    }
    const ssize_t n = ::write(fd, bytes.data() + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail(n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw EWriteError(error_text("Cannot write file ", path, error));
  }
  // The new file keeps the permissions and owner of the one it replaces.
  if (const int error = detail::replace_file_keeping_attributes(temp, path); error != 0) {
    ::unlink(temp.c_str());
    throw EWriteError(error_text("Cannot write file ", path, error));
  }
}

}  // namespace detail

bool SavedTextAsStream(const std::u16string& text, const std::u16string& file_name) {
  if (text.empty()) return false;
  std::string bytes = "\xFF\xFE";
  append_utf16le(bytes, text);
  detail::write_file_replacing(file_name, bytes);
  return true;
}

bool ConvertATextFileAnsiToUTF16(const std::u16string& file_name, std::uint32_t lcid) {
  if (!detail::file_exists(file_name)) return false;
  if (TextFileInUnicode(file_name)) return true;
  std::string bytes;
  if (!read_whole_file(file_name, bytes)) return true;
  std::u16string text;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    // The signature declares UTF-8 whatever the locale.
    bool multibyte = false;
    if (bytes.find('\0') != std::string::npos ||
        !detail::strict_utf8_to_utf16(std::string_view(bytes).substr(3), text, multibyte))
      return true;
  } else if (!decode_without_loss(LCIDToCodePage(lcid), bytes, text)) {
    return true;
  }
  std::string out = "\xFF\xFE";
  out.reserve(2 + 2 * text.size() + 64);
  for (const std::u16string& line : split_text_lines(text)) {
    append_utf16le(out, line);
    append_utf16le(out, u"\r\n");
  }
  detail::write_file_replacing(file_name, out);
  return true;
}

}  // namespace corvane
