#pragma once
// Streams of bytes: the abstract TStream with the runtime's Seek origins and its
// throwing ReadBuffer/WriteBuffer, a stream in memory, a stream on a file, and small
// byte and string streams. Little-endian field helpers are in Streams_endian.hpp.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/rtl/Object.hpp"

namespace corvane {

// Seek origins.
constexpr std::uint16_t soFromBeginning = 0;
constexpr std::uint16_t soFromCurrent = 1;
constexpr std::uint16_t soFromEnd = 2;

class TStream : public TObject {
 public:
  // Reads up to count bytes into buffer; returns how many were read (0 at the end).
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
  // Moves to offset from origin (soFromBeginning, soFromCurrent, soFromEnd); returns the
  // new position.
  virtual std::int64_t Seek(std::int64_t offset, std::uint16_t origin) = 0;

  // Reads exactly count bytes, else EReadError "Stream read error".
  void ReadBuffer(void* buffer, std::int32_t count);
  // Writes exactly count bytes, else EWriteError "Stream write error".
  void WriteBuffer(const void* buffer, std::int32_t count);
  // Copies count bytes from source's position; count 0 copies all of source from its
  // start. Returns the number copied; a short source raises EReadError.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

  std::int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }
  virtual std::int64_t Size();
  // Streams that cannot change their size ignore this.
  virtual void SetSize(std::int64_t new_size) {}
  // Bytes between the position and the end (0 when the position is past the end).
  std::int64_t Remaining();
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, std::uint16_t origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  // Grows with zero bytes or cuts; a position beyond the new end moves to the end.
  void SetSize(std::int64_t new_size) override;

  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }
  // Size 0, position 0.
  void Clear();
  // Replaces the contents with the whole of stream (from its start); position 0.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::u16string& file_name);
  // Writes the whole contents to stream at its position.
  void SaveToStream(TStream& stream);
  void SaveToFile(const std::u16string& file_name);

  std::vector<std::uint8_t>& bytes() { return data_; }
  const std::vector<std::uint8_t>& bytes() const { return data_; }

 protected:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

// A memory stream built over a copy of some bytes.
class TBytesStream : public TMemoryStream {
 public:
  TBytesStream() = default;
  explicit TBytesStream(std::vector<std::uint8_t> bytes) { data_ = std::move(bytes); }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }
};

// A memory stream whose bytes are UTF-16LE code units of a string.
class TStringStream : public TMemoryStream {
 public:
  TStringStream() = default;
  explicit TStringStream(std::u16string_view text);
  // The contents read as UTF-16LE; an odd last byte is dropped.
  std::u16string DataString() const;
};

// File modes (low byte: access) and share modes (high nibble of the low byte; accepted
// and ignored here, as files are not locked).
constexpr std::uint16_t fmCreate = 0xFF00;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

namespace detail {
// Puts a completed file written beside its target in the target's place: the new file
// takes the permission bits (and, where the process may set them, the owner and group) of
// the file it replaces, then is renamed over it. Returns 0, or the errno of the failed
// rename; the temporary file is left for the caller to remove on failure.
int replace_file_keeping_attributes(const std::string& temp_path, const std::string& target_path);
}  // namespace detail

class TFileStream : public TStream {
 public:
  // fmCreate creates or truncates (EFCreateError "Cannot create file "%s". %s"); the open
  // modes open an existing file (EFOpenError "Cannot open file "%s". %s").
  TFileStream(const std::u16string& file_name, std::uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, std::uint16_t origin) override;
  void SetSize(std::int64_t new_size) override;

  const std::u16string& FileName() const { return file_name_; }
  int Handle() const { return fd_; }

 private:
  std::u16string file_name_;
  int fd_ = -1;
};

}  // namespace corvane
