// Compact number lists and number text on arbitrary input. Reading may raise
// corvane::Exception (a number beyond 32 bits, more than 16 Mi numbers) and nothing else;
// the k-th number agrees with the list written out, and a list of non-negative numbers
// comes back from its compact form unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first half as text (bytes widened, so that digits, "," and "-" are common), the
  // second as 16-bit code units.
  std::u16string text;
  for (std::size_t i = 0; i < size / 2; ++i) text.push_back(data[i]);
  std::u16string wide;
  for (std::size_t i = size / 2; i + 1 < size; i += 2) {
    wide.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }

  try {
    const std::vector<std::int32_t> numbers = HumanAbbreviatedNumberListStringAsIntegers(text, 0);
    for (std::int32_t k : {1, 2, 3, 7, 1000}) {
      const std::u16string nth = ANumberInHumanString(text, k);
      if (numbers.empty() != nth.empty()) std::abort();
      if (!numbers.empty()) {
        const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(k), numbers.size());
        if (nth != IntToStr(numbers[at - 1])) std::abort();
      }
    }
    if (numbers.size() < 100000) {
      std::u16string joined;
      for (const std::int32_t n : numbers) {
        if (!joined.empty()) joined.push_back(u',');
        joined += IntToStr(n);
      }
      if (HumanAbbreviatedNumberListStringExpanded(text) != joined) std::abort();
      // Non-negative numbers survive the compact form both ways.
      if (HumanAbbreviatedNumberListStringAsIntegers(HumanAbbreviatedNumberListString(numbers),
                                                     0) != numbers) {
        std::abort();
      }
    }
  } catch (const Exception&) {
  }

  IsANumber(wide);
  HumanAbbreviatedNumberListStringToMonths(wide);
  ToHexNumStr(wide.substr(0, 256));
  FromHexNumStr(wide);
  FromNumStr(wide);
  if (size >= 8) {
    float f;
    std::memcpy(&f, data, 4);
    EasiestNRepresentationOfLargeNumber(f);
    FormattedWithDecimals(f, data[4] % 24 - 2, data[5] & 1, data[5] & 2);
    PValueStr(static_cast<long double>(f));
    OrdinalFormatOf(static_cast<std::int32_t>(data[6] | (data[7] << 8)) - 30000);
    WithLeftZeros(data[6], static_cast<std::int32_t>(data[7]) - 100);
  }
  return 0;
}
