#pragma once
// Strings on streams in the encodings the suite's saved files use besides the counted
// UTF-16 string of WriteAString: a short 8-bit string with a one-byte length, zero-
// terminated strings with a 4-byte or 2-byte count, and counted pointers. Also single
// entries of zip archives read as text, into a string or into "tempzip.txt" in the
// temporary folder.
//
// Stored lengths are never trusted: every reader compares the length it reads with the
// bytes the stream still holds before it allocates anything, and a longer one raises the
// stream's read error (EReadError "Stream read error"). Writers refuse input their form
// cannot hold instead of cutting it.
//
// All encodings are little-endian:
//   short string     1 byte n (0..255), n bytes in the system 8-bit code page
//   wide pchar       4 bytes L (code units), 2·L bytes
//   ansi pchar       2 bytes L (unsigned), L bytes
//   counted pointer  4 bytes L (signed), then 2·L bytes (wide) or L bytes when L >= 1

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "corvane/rtl/Streams.hpp"

namespace corvane {

// The value a counted-pointer reader gives for a stored length of 0 or less (a fresh copy
// of it each time). Null, that is no string, until a caller sets it.
extern std::unique_ptr<char16_t[]> nowt;

// A zero-terminated string read from a stream: UTF-16 code units when read as wide,
// 8-bit bytes otherwise. Both members are null for an absent string.
struct TPointerString {
  std::unique_ptr<char16_t[]> wide;
  std::unique_ptr<char[]> ansi;

  // The string's start as the untyped pointer the readers stand for; null when absent.
  const void* get() const {
    return wide ? static_cast<const void*>(wide.get()) : static_cast<const void*>(ansi.get());
  }
  explicit operator bool() const { return get() != nullptr; }
};

// A file stream that can write short strings itself.
class TMyFileStream : public TFileStream {
 public:
  using TFileStream::TFileStream;
  // WriteShortString on this stream.
  bool WriteAShortString(std::string_view S);
  bool WriteAShortString(std::u16string_view S);
};

// ---- Short strings: 1 byte n, then n bytes.

// Writes S, already 8-bit text in the system code page. False, and nothing written, for
// more than 255 bytes; a short write raises EWriteError. Otherwise true.
bool WriteShortString(TStream& Stream, std::string_view S);
// The same for UTF-16 text, converted to the system 8-bit code page first. False, and
// nothing written, when the text has a character that code page cannot hold (it would
// come back as "?") or converts to more than 255 bytes.
bool WriteShortString(TStream& Stream, std::u16string_view S);
// Reads a short string's bytes (system code page). EReadError when the stream ends
// inside it.
std::string ReadShortString(TStream& Stream);
// The same, decoded from the system 8-bit code page into UTF-16.
std::u16string ReadShortStringUnicode(TStream& Stream);

// ---- Zero-terminated strings with their own count.

// Writes L = the length of P (0 for null) in 4 bytes, then its 2·L bytes. A short write
// raises EWriteError.
void WriteWidePchar(TStream& Stream, const char16_t* P);
// Reads what WriteWidePchar wrote into a new string of L + 1 code units ending in U+0000.
// A negative L, or one longer than the stream still holds, raises EReadError.
std::unique_ptr<char16_t[]> ReadWidePchar(TStream& Stream);

// Writes L = the length of P (0 for null) in 2 bytes, then its L bytes. EWriteError, with
// nothing written, when P is longer than 65535 bytes; a short write raises EWriteError.
void WriteAnsiPchar(TStream& Stream, const char* P);
// Reads what WriteAnsiPchar wrote into a new string of L + 1 bytes ending in 0.
// EReadError when the stream holds fewer than L bytes.
std::unique_ptr<char[]> ReadAnsiPchar(TStream& Stream);

// ---- Counted pointers.

// Writes L (4 bytes, signed), then, when L >= 1, 2·L bytes (Wide) or L bytes from P.
// True when every byte was written. False with nothing written for a negative L, or for
// L >= 1 with a null P.
bool WriteKnownLengthPointer(TStream& Stream, const void* P, bool Wide, std::int32_t L);
// WriteKnownLengthPointer with L = the zero-terminated length of P (char16_t units when
// Wide, bytes otherwise; 0 for a null P). False, nothing written, for a string longer
// than 2^31 - 1.
bool WriteUnknownLengthPointer(TStream& Stream, const void* P, bool Wide);
// Reads L. L < 0 or L > MaxSize raises EReadError "file read error : ReadUnknownLengthPointer
// <L>". L = 0 gives a fresh copy of nowt (null while nowt is; converted to the system code
// page when not Wide). Otherwise a new string of L + 1 code units (Wide) or bytes, ending
// in 0; EReadError when the stream holds fewer than 2·L or L bytes.
TPointerString ReadUnknownLengthPointerMaxSize(TStream& Stream, bool Wide, std::int32_t MaxSize);
// The same with MaxSize 50000.
TPointerString ReadUnknownLengthPointer(TStream& Stream, bool Wide);

// ---- Zip entries.
//
// The archive read last stays open (one per thread) while its file is unchanged, so that
// reading its entries one after the other reads its directory once.

// What OpenedAZipFileToTempDir did.
enum class temp_zip_outcome : std::uint8_t {
  written,       // the entry was written to the file
  out_of_range,  // no entry of that number (or the archive could not be opened)
  failed         // the entry could not be read, or the file could not be written
};

// The contents of entry Number (counting from 1) of the archive ZipName, decoded as text
// files are. Empty when the archive cannot be opened, there is no such entry or it cannot
// be read; `reason`, when given, then says why (and is cleared otherwise).
std::u16string ContentsOfFileWithinZipFile(const std::u16string& ZipName, std::int32_t Number,
                                           std::u16string* reason = nullptr);
// The same for a name running through an archive ("corpus.zip/a/b.txt"), split with
// ZipFileFullFileName and ZipFileWantedFileNameWithin under the marker
// global_current_zip_ext_slash; the entry is found by its stored name.
std::u16string ContentsOfFileWithinZipFile(const std::u16string& FullName,
                                           std::u16string* reason = nullptr);

// The name of the temporary folder's "tempzip.txt", always. When 1 <= Number <= the
// archive's entry count, entry Number - 1 is read as text, split into lines and saved
// there as UTF-16LE with FF FE, every line ended by CR LF. The file is written beside its
// name and renamed over it, so whatever was there (a planted link too) is replaced, never
// followed or written through. Otherwise nothing is written. `outcome` and `reason`, when
// given, tell what happened.
std::u16string OpenedAZipFileToTempDir(const std::u16string& ZipName, std::int32_t Number,
                                       temp_zip_outcome* outcome = nullptr,
                                       std::u16string* reason = nullptr);

// Closes the archive kept open by the routines above.
void ReleaseZipMemberArchive();

}  // namespace corvane
