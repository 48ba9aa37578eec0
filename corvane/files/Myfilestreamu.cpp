#include "corvane/files/Myfilestreamu.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/Zip_utils.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Streams_endian.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/System_text.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

std::unique_ptr<char16_t[]> nowt;

namespace {

constexpr std::int32_t kPointerMaxSize = 50000;
constexpr std::int32_t kChunk = 1 << 20;

[[noreturn]] void stream_read_error() {
  throw EReadError("Stream read error");
}

// Raises the stream's read error unless the stream still holds `bytes` bytes: called
// before anything is allocated for a stored length.
void require_remaining(TStream& stream, std::int64_t bytes) {
  if (bytes > stream.Remaining()) stream_read_error();
}

void write_all(TStream& stream, const void* data, std::int64_t count) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (count > 0) {
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, kChunk));
    stream.WriteBuffer(p, n);
    p += n;
    count -= n;
  }
}

bool try_write_all(TStream& stream, const void* data, std::int64_t count) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (count > 0) {
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, kChunk));
    if (stream.Write(p, n) != n) return false;
    p += n;
    count -= n;
  }
  return true;
}

void read_all(TStream& stream, void* data, std::int64_t count) {
  auto* p = static_cast<std::uint8_t*>(data);
  while (count > 0) {
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, kChunk));
    stream.ReadBuffer(p, n);
    p += n;
    count -= n;
  }
}

// Reads `count` UTF-16 code units stored low byte first into a new string of count + 1
// units ending in U+0000.
std::unique_ptr<char16_t[]> read_wide_units(TStream& stream, std::int64_t count) {
  require_remaining(stream, 2 * count);
  auto out = std::make_unique_for_overwrite<char16_t[]>(static_cast<std::size_t>(count) + 1);
  read_all(stream, out.get(), 2 * count);
  if constexpr (std::endian::native != std::endian::little) {
    for (std::int64_t i = 0; i < count; ++i)
      out[i] = static_cast<char16_t>((out[i] >> 8) | (out[i] << 8));
  }
  out[count] = 0;
  return out;
}

std::unique_ptr<char[]> read_bytes(TStream& stream, std::int64_t count) {
  require_remaining(stream, count);
  auto out = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(count) + 1);
  read_all(stream, out.get(), count);
  out[count] = 0;
  return out;
}

// Writes code units low byte first.
bool try_write_wide_units(TStream& stream, const char16_t* p, std::int64_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    return try_write_all(stream, p, 2 * count);
  } else {
    std::string bytes;
    for (std::int64_t i = 0; i < count; ++i) {
      bytes += static_cast<char>(p[i] & 0xFF);
      bytes += static_cast<char>(p[i] >> 8);
    }
    return try_write_all(stream, bytes.data(), static_cast<std::int64_t>(bytes.size()));
  }
}

std::int64_t wide_length(const char16_t* p) {
  if (p == nullptr) return 0;
  return static_cast<std::int64_t>(std::char_traits<char16_t>::length(p));
}

std::int64_t ansi_length(const char* p) {
  return p == nullptr ? 0 : static_cast<std::int64_t>(std::strlen(p));
}

// To the system code page, false when some character does not survive the trip.
bool to_system_code_page(std::u16string_view text, std::string& bytes) {
  if (!utf16_to_code_page(CP_ACP, text, bytes)) return false;
  std::u16string back;
  return code_page_to_utf16(CP_ACP, bytes, back) && back == text;
}

std::u16string open_failure(const Exception& e) {
  return e.Message();
}

}  // namespace

// ---- Short strings

bool WriteShortString(TStream& Stream, std::string_view S) {
  if (S.size() > 255) return false;
  std::uint8_t bytes[256];
  bytes[0] = static_cast<std::uint8_t>(S.size());
  std::memcpy(bytes + 1, S.data(), S.size());
  Stream.WriteBuffer(bytes, static_cast<std::int32_t>(S.size() + 1));
  return true;
}

bool WriteShortString(TStream& Stream, std::u16string_view S) {
  if (S.size() > 255) return false;  // no code page makes fewer bytes than characters
  std::string bytes;
  if (!to_system_code_page(S, bytes)) return false;
  return WriteShortString(Stream, std::string_view(bytes));
}

std::string ReadShortString(TStream& Stream) {
  const std::uint8_t n = read_u8(Stream);
  require_remaining(Stream, n);
  std::string s(n, '\0');
  Stream.ReadBuffer(s.data(), n);
  return s;
}

std::u16string ReadShortStringUnicode(TStream& Stream) {
  return decode_ansi_text(ReadShortString(Stream));
}

bool TMyFileStream::WriteAShortString(std::string_view S) {
  return WriteShortString(*this, S);
}

bool TMyFileStream::WriteAShortString(std::u16string_view S) {
  return WriteShortString(*this, S);
}

// ---- Zero-terminated strings

void WriteWidePchar(TStream& Stream, const char16_t* P) {
  const std::int64_t length = wide_length(P);
  if (length > std::numeric_limits<std::int32_t>::max())
    throw EWriteError("WriteWidePchar: the string is longer than 2147483647 characters");
  write_i32(Stream, static_cast<std::int32_t>(length));
  if (length > 0 && !try_write_wide_units(Stream, P, length))
    throw EWriteError("Stream write error");
}

std::unique_ptr<char16_t[]> ReadWidePchar(TStream& Stream) {
  const std::int32_t length = read_i32(Stream);
  if (length < 0) stream_read_error();
  return read_wide_units(Stream, length);
}

void WriteAnsiPchar(TStream& Stream, const char* P) {
  const std::int64_t length = ansi_length(P);
  if (length > 0xFFFF) {
    throw EWriteError(u"WriteAnsiPchar: the string of " + u16(std::to_string(length)) +
                      u" bytes is longer than 65535 bytes");
  }
  write_u16(Stream, static_cast<std::uint16_t>(length));
  write_all(Stream, P, length);
}

std::unique_ptr<char[]> ReadAnsiPchar(TStream& Stream) {
  return read_bytes(Stream, read_u16(Stream));
}

// ---- Counted pointers

bool WriteKnownLengthPointer(TStream& Stream, const void* P, bool Wide, std::int32_t L) {
  if (L < 0 || (L >= 1 && P == nullptr)) return false;
  if (!try_write_i32(Stream, L)) return false;
  if (L == 0) return true;
  return Wide ? try_write_wide_units(Stream, static_cast<const char16_t*>(P), L)
              : try_write_all(Stream, P, L);
}

bool WriteUnknownLengthPointer(TStream& Stream, const void* P, bool Wide) {
  const std::int64_t length = Wide ? wide_length(static_cast<const char16_t*>(P))
                                   : ansi_length(static_cast<const char*>(P));
  if (length > std::numeric_limits<std::int32_t>::max()) return false;
  return WriteKnownLengthPointer(Stream, P, Wide, static_cast<std::int32_t>(length));
}

TPointerString ReadUnknownLengthPointerMaxSize(TStream& Stream, bool Wide, std::int32_t MaxSize) {
  const std::int32_t length = read_i32(Stream);
  if (length < 0 || length > MaxSize) {
    throw EReadError(Format(LoadResString(msg::CVFileReadError),
                            {u"ReadUnknownLengthPointer " + u16(std::to_string(length))}));
  }
  TPointerString result;
  if (length == 0) {
    if (!nowt) return result;
    const std::int64_t n = wide_length(nowt.get());
    if (Wide) {
      result.wide = std::make_unique<char16_t[]>(static_cast<std::size_t>(n) + 1);
      std::copy_n(nowt.get(), n, result.wide.get());
    } else {
      std::string bytes;
      utf16_to_code_page(CP_ACP, std::u16string_view(nowt.get(), static_cast<std::size_t>(n)),
                         bytes);
      result.ansi = std::make_unique<char[]>(bytes.size() + 1);
      std::memcpy(result.ansi.get(), bytes.data(), bytes.size());
    }
    return result;
  }
  if (Wide)
    result.wide = read_wide_units(Stream, length);
  else
    result.ansi = read_bytes(Stream, length);
  return result;
}

TPointerString ReadUnknownLengthPointer(TStream& Stream, bool Wide) {
  return ReadUnknownLengthPointerMaxSize(Stream, Wide, kPointerMaxSize);
}

// ---- Zip entries

namespace {

// Opens ZipName; false with the reason when it cannot.
bool open_zip(TZipForge& zip, const std::u16string& zip_name, std::u16string& reason) {
  zip.FileName = zip_name;
  try {
    zip.OpenArchive();
    return true;
  } catch (const Exception& e) {
    reason = open_failure(e);
    return false;
  }
}

// The archive read last stays open for the next call: callers read the entries of one
// archive one after the other, and reading an archive's directory again for every entry
// would make that quadratic. It is used again only while the file is the same one (same
// device, inode, size and modification time).
struct cached_archive {
  std::u16string name;
  struct stat identity {};
  std::unique_ptr<TZipForge> zip;
};
thread_local cached_archive last_archive;

bool same_file(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

TZipForge* archive_for(const std::u16string& zip_name, std::u16string& reason) {
  struct stat identity {};
  const bool known = ::stat(utf16_to_utf8(zip_name).c_str(), &identity) == 0;
  if (known && last_archive.zip && last_archive.name == zip_name &&
      same_file(identity, last_archive.identity))
    return last_archive.zip.get();
  last_archive.zip.reset();
  auto zip = std::make_unique<TZipForge>();
  if (!open_zip(*zip, zip_name, reason)) return nullptr;
  if (!known) return nullptr;  // opened, yet no longer there: not worth keeping
  last_archive.name = zip_name;
  last_archive.identity = identity;
  last_archive.zip = std::move(zip);
  return last_archive.zip.get();
}

void tell(std::u16string* out, std::u16string text) {
  if (out != nullptr) *out = std::move(text);
}

std::u16string extract_entry(TZipForge& zip, std::int32_t index, std::u16string& reason) {
  zip.OnProcessFileFailure = [&reason](const std::u16string&, const std::u16string& why) {
    reason = why;
  };
  std::u16string text;
  if (!zip.ExtractToString(index, text) && reason.empty()) reason = u"the entry cannot be read";
  zip.OnProcessFileFailure = nullptr;
  return text;
}

}  // namespace

void ReleaseZipMemberArchive() {
  last_archive = cached_archive{};
}

std::u16string ContentsOfFileWithinZipFile(const std::u16string& ZipName, std::int32_t Number,
                                           std::u16string* reason) {
  std::u16string why;
  std::u16string text;
  if (TZipForge* zip = archive_for(ZipName, why)) {
    if (Number < 1 || Number > zip->GetEntryCount()) {
      why = u"no entry " + u16(std::to_string(Number));
    } else {
      text = extract_entry(*zip, Number - 1, why);
    }
  }
  tell(reason, std::move(why));
  return text;
}

std::u16string ContentsOfFileWithinZipFile(const std::u16string& FullName, std::u16string* reason) {
  const std::u16string archive = ZipFileFullFileName(FullName, global_current_zip_ext_slash);
  const std::u16string wanted = ZipFileWantedFileNameWithin(FullName, global_current_zip_ext_slash);
  std::u16string why;
  std::u16string text;
  if (archive.empty()) {
    why = u"the name does not run through an archive";
  } else if (TZipForge* zip = archive_for(archive, why)) {
    const std::int32_t index = zip->IndexOfEntry(wanted);
    if (index < 0)
      why = u"no entry named " + wanted;
    else
      text = extract_entry(*zip, index, why);
  }
  tell(reason, std::move(why));
  return text;
}

std::u16string OpenedAZipFileToTempDir(const std::u16string& ZipName, std::int32_t Number,
                                       temp_zip_outcome* outcome, std::u16string* reason) {
  const std::u16string target = IncludeTrailingPathDelimiter(my_temp_path) + u"tempzip.txt";
  temp_zip_outcome result = temp_zip_outcome::out_of_range;
  std::u16string why;
  if (TZipForge* zip = archive_for(ZipName, why)) {
    if (Number < 1 || Number > zip->GetEntryCount()) {
      why = u"no entry " + u16(std::to_string(Number));
    } else {
      std::u16string text = extract_entry(*zip, Number - 1, why);
      if (!why.empty()) {
        result = temp_zip_outcome::failed;
      } else {
        // The entry as a string list saves it: every line ended by CR LF.
        std::u16string lines;
        text_with_crlf_lines(text, lines);
        std::u16string().swap(text);
        std::string bytes;
        bytes.reserve(2 + 2 * lines.size());
        bytes += "\xFF\xFE";
        for (const char16_t c : lines) {
          bytes += static_cast<char>(c & 0xFF);
          bytes += static_cast<char>(c >> 8);
        }
        try {
          detail::write_file_replacing(target, bytes);
          result = temp_zip_outcome::written;
        } catch (const Exception& e) {
          result = temp_zip_outcome::failed;
          why = e.Message();
        }
      }
    }
  }
  if (outcome != nullptr) *outcome = result;
  tell(reason, std::move(why));
  return target;
}

}  // namespace corvane
