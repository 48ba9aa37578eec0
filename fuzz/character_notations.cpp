// Fuzzes the text routines that parse what users and files hand them: the character
// notations of MyFormatValidNumberStr, the UTF-8 measure and check, and case mapping per
// locale and in place. Input: first two bytes pick a locale identifier, the rest is both
// raw bytes and UTF-16 text.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "corvane/text/Myunicodenew.hpp"
#include "corvane/text/Utf8_unit.hpp"
#include "corvane/text/Wingenok.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const corvane::TLCID lcid = data[0] | (data[1] << 8);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  bool plain = false;
  corvane::CheckedUTF(bytes, plain);
  corvane::UTF8LengthInChars(bytes);

  std::u16string text((size - 2) / 2, u'\0');
  std::memcpy(text.data(), data + 2, text.size() * 2);
  std::u16string notations = text;
  corvane::MyFormatValidNumberStr(notations);

  corvane::Lowercase(lcid, text);
  corvane::Uppercase(lcid, text);
  std::u16string in_place = text;
  in_place.push_back(u'\0');
  corvane::UppercaseIt(lcid, in_place.data());
  corvane::LowercaseIt(lcid, in_place.data());
  corvane::StrSwapByteOrder(in_place.data());
  return 0;
}
