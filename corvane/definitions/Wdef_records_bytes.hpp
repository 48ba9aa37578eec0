#pragma once
// Little-endian field helpers shared by the record encoders and decoders of Wdef_records
// and Wdef_old: each reads or writes one field at a byte offset of a record's buffer.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane::record_bytes {

inline bool get_bool(const std::uint8_t* p, std::size_t at) {
  return p[at] != 0;
}
inline void put_bool(std::uint8_t* p, std::size_t at, bool v) {
  p[at] = v ? 1 : 0;
}

template <class T>
T get(const std::uint8_t* p, std::size_t at) {
  using U = detail::le_bits_t<T>;
  return std::bit_cast<T>(detail::load_le<U>(p + at));
}
template <class T>
void put(std::uint8_t* p, std::size_t at, T v) {
  using U = detail::le_bits_t<T>;
  detail::store_le<U>(p + at, std::bit_cast<U>(v));
}

template <std::size_t N>
void get_bytes(const std::uint8_t* p, std::size_t at, std::array<std::uint8_t, N>& a) {
  std::copy(p + at, p + at + N, a.begin());
}
template <std::size_t N>
void put_bytes(std::uint8_t* p, std::size_t at, const std::array<std::uint8_t, N>& a) {
  std::copy(a.begin(), a.end(), p + at);
}

template <std::size_t N>
void get_chars(const std::uint8_t* p, std::size_t at, std::array<char16_t, N>& a) {
  for (std::size_t i = 0; i < N; ++i) a[i] = detail::load_le<std::uint16_t>(p + at + 2 * i);
}
template <std::size_t N>
void put_chars(std::uint8_t* p, std::size_t at, const std::array<char16_t, N>& a) {
  for (std::size_t i = 0; i < N; ++i) detail::store_le<std::uint16_t>(p + at + 2 * i, a[i]);
}

inline void get_colours(const std::uint8_t* p, std::size_t at, TMyCanvasColourRec& c) {
  for (int i = 0; i < 4; ++i) c.colours[i] = detail::load_le<std::uint32_t>(p + at + 4 * i);
}

}  // namespace corvane::record_bytes
