#pragma once
// Little-endian fields on streams, one field at a time. Every stored format of the
// library goes through these, never through a struct's memory.
//
// write_* use WriteBuffer and read_* use ReadBuffer, so a short count throws
// EWriteError / EReadError. The try_read_* forms return false on a short read instead
// (the position has then moved over whatever bytes were there).

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "corvane/rtl/Streams.hpp"

namespace corvane {

namespace detail {

template <class U>
void store_le(std::uint8_t* out, U value) {
  static_assert(std::is_unsigned_v<U>);
  for (std::size_t i = 0; i < sizeof(U); ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

template <class U>
U load_le(const std::uint8_t* in) {
  static_assert(std::is_unsigned_v<U>);
  U value = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i) value |= static_cast<U>(in[i]) << (8 * i);
  return value;
}

template <class T>
using le_bits_t = std::conditional_t<
    sizeof(T) == 1, std::uint8_t,
    std::conditional_t<sizeof(T) == 2, std::uint16_t,
                       std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;

template <class T>
void write_le(TStream& stream, T value) {
  using U = le_bits_t<T>;
  std::uint8_t bytes[sizeof(T)];
  store_le<U>(bytes, std::bit_cast<U>(value));
  stream.WriteBuffer(bytes, sizeof(T));
}

template <class T>
bool try_write_le(TStream& stream, T value) {
  using U = le_bits_t<T>;
  std::uint8_t bytes[sizeof(T)];
  store_le<U>(bytes, std::bit_cast<U>(value));
  return stream.Write(bytes, sizeof(T)) == static_cast<std::int32_t>(sizeof(T));
}

template <class T>
bool try_read_le(TStream& stream, T& value) {
  using U = le_bits_t<T>;
  std::uint8_t bytes[sizeof(T)];
  if (stream.Read(bytes, sizeof(T)) != static_cast<std::int32_t>(sizeof(T))) return false;
  value = std::bit_cast<T>(load_le<U>(bytes));
  return true;
}

template <class T>
T read_le(TStream& stream) {
  using U = le_bits_t<T>;
  std::uint8_t bytes[sizeof(T)];
  stream.ReadBuffer(bytes, sizeof(T));
  return std::bit_cast<T>(load_le<U>(bytes));
}

}  // namespace detail

inline void write_u8(TStream& s, std::uint8_t v) {
  detail::write_le(s, v);
}
inline void write_u16(TStream& s, std::uint16_t v) {
  detail::write_le(s, v);
}
inline void write_u32(TStream& s, std::uint32_t v) {
  detail::write_le(s, v);
}
inline void write_u64(TStream& s, std::uint64_t v) {
  detail::write_le(s, v);
}
inline void write_i16(TStream& s, std::int16_t v) {
  detail::write_le(s, v);
}
inline void write_i32(TStream& s, std::int32_t v) {
  detail::write_le(s, v);
}
inline void write_i64(TStream& s, std::int64_t v) {
  detail::write_le(s, v);
}
inline void write_float(TStream& s, float v) {
  detail::write_le(s, v);
}
inline void write_double(TStream& s, double v) {
  detail::write_le(s, v);
}

inline std::uint8_t read_u8(TStream& s) {
  return detail::read_le<std::uint8_t>(s);
}
inline std::uint16_t read_u16(TStream& s) {
  return detail::read_le<std::uint16_t>(s);
}
inline std::uint32_t read_u32(TStream& s) {
  return detail::read_le<std::uint32_t>(s);
}
inline std::uint64_t read_u64(TStream& s) {
  return detail::read_le<std::uint64_t>(s);
}
inline std::int16_t read_i16(TStream& s) {
  return detail::read_le<std::int16_t>(s);
}
inline std::int32_t read_i32(TStream& s) {
  return detail::read_le<std::int32_t>(s);
}
inline std::int64_t read_i64(TStream& s) {
  return detail::read_le<std::int64_t>(s);
}
inline float read_float(TStream& s) {
  return detail::read_le<float>(s);
}
inline double read_double(TStream& s) {
  return detail::read_le<double>(s);
}

inline bool try_read_u8(TStream& s, std::uint8_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_u16(TStream& s, std::uint16_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_u32(TStream& s, std::uint32_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_u64(TStream& s, std::uint64_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_i16(TStream& s, std::int16_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_i32(TStream& s, std::int32_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_i64(TStream& s, std::int64_t& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_float(TStream& s, float& v) {
  return detail::try_read_le(s, v);
}
inline bool try_read_double(TStream& s, double& v) {
  return detail::try_read_le(s, v);
}

// Writes that report a short count as false instead of throwing.
inline bool try_write_u8(TStream& s, std::uint8_t v) {
  return detail::try_write_le(s, v);
}
inline bool try_write_u16(TStream& s, std::uint16_t v) {
  return detail::try_write_le(s, v);
}
inline bool try_write_u32(TStream& s, std::uint32_t v) {
  return detail::try_write_le(s, v);
}
inline bool try_write_i16(TStream& s, std::int16_t v) {
  return detail::try_write_le(s, v);
}
inline bool try_write_i32(TStream& s, std::int32_t v) {
  return detail::try_write_le(s, v);
}
inline bool try_write_i64(TStream& s, std::int64_t v) {
  return detail::try_write_le(s, v);
}
inline bool try_write_float(TStream& s, float v) {
  return detail::try_write_le(s, v);
}

// Writes the code units of text, two bytes each, low byte first; no length, no terminator.
void write_utf16_units(TStream& stream, std::u16string_view text);
// Reads count code units (2·count bytes); EReadError when the stream holds fewer. The
// string grows with what is actually read, so a huge count on a short stream does not
// allocate beyond the stream's size.
std::u16string read_utf16_units(TStream& stream, std::int32_t count);
// As read_utf16_units, false on a short read (out then holds the units that were read).
bool try_read_utf16_units(TStream& stream, std::int32_t count, std::u16string& out);

}  // namespace corvane
