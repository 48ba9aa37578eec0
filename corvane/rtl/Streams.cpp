#include "corvane/rtl/Streams.hpp"

#include <algorithm>
#include <cstring>

#include "corvane/rtl/Exception.hpp"

namespace corvane {

void TStream::ReadBuffer(void* buffer, std::int32_t count) {
  if (count != 0 && (count < 0 || Read(buffer, count) != count)) {
    throw EReadError("Stream read error");
  }
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count) {
  if (count != 0 && (count < 0 || Write(buffer, count) != count)) {
    throw EWriteError("Stream write error");
  }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EReadError("Stream read error");
  const std::int64_t result = count;
  constexpr std::int64_t kBufferSize = 0xF000;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(count, kBufferSize)));
  while (count != 0) {
    auto n = static_cast<std::int32_t>(std::min(count, kBufferSize));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    count -= n;
  }
  return result;
}

std::int64_t TStream::Size() {
  std::int64_t position = Seek(0, soFromCurrent);
  std::int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

std::int64_t TStream::Remaining() {
  std::int64_t rest = Size() - Position();
  return rest > 0 ? rest : 0;
}

// ---- TMemoryStream

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  std::int64_t available = Size() - position_;
  if (available <= 0) return 0;
  auto n = static_cast<std::int32_t>(std::min<std::int64_t>(available, count));
  std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  std::int64_t end = position_ + count;
  if (end > Size()) data_.resize(static_cast<std::size_t>(end));
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, std::uint16_t origin) {
  switch (origin) {
    case soFromBeginning:
      position_ = offset;
      break;
    case soFromCurrent:
      position_ += offset;
      break;
    case soFromEnd:
      position_ = Size() + offset;
      break;
    default:
      break;
  }
  return position_;
}

void TMemoryStream::SetSize(std::int64_t new_size) {
  if (new_size < 0) new_size = 0;
  data_.resize(static_cast<std::size_t>(new_size));
  if (position_ > new_size) position_ = new_size;
}

void TMemoryStream::Clear() {
  std::vector<std::uint8_t>().swap(data_);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  std::int64_t size = stream.Size();
  SetSize(size);
  if (size > 0) stream.ReadBuffer(data_.data(), static_cast<std::int32_t>(size));
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::u16string& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
  if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<std::int32_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const std::u16string& file_name) {
  TFileStream file(file_name, fmCreate);
  SaveToStream(file);
}

// ---- TStringStream

TStringStream::TStringStream(std::u16string_view text) {
  data_.reserve(text.size() * 2);
  for (char16_t c : text) {
    data_.push_back(static_cast<std::uint8_t>(c & 0xFF));
    data_.push_back(static_cast<std::uint8_t>(c >> 8));
  }
}

std::u16string TStringStream::DataString() const {
  std::u16string text(data_.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data_[2 * i] | (data_[2 * i + 1] << 8));
  }
  return text;
}

}  // namespace corvane
