// Random strings through the readable-to-work conversion and back, and title case.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/analysis/My_string_functions.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  std::u16string s;
  // Bytes below 0x80 stand for themselves so that "{CHR(" and "#x" turn up often; others
  // combine into wider code units.
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] < 0x80 || i + 1 == size)
      s += static_cast<char16_t>(data[i]);
    else
      s += static_cast<char16_t>(data[i] << 8 | data[++i]);
  }
  const std::u16string work = CVFormattedReadableStringToWorkString(s);
  const std::u16string readable = CVFormattedWorkStringToReadableString(work, 32);
  // Work text written readably converts back to itself when it holds no reference syntax.
  if (work.find_first_of(u"{#") == std::u16string::npos &&
      CVFormattedReadableStringToWorkString(readable) != work)
    __builtin_trap();
  TitleCasedString(s, data[0] & 1);
  WideTrimSpaceOnly(s);
  return 0;
}
