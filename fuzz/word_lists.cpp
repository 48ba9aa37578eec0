// Word n-gram lists of arbitrary text with arbitrary arguments: n, the longest tag and the
// sort drawn from the first bytes (n and the tag length also below 1). n below 1 must give
// an empty list; otherwise every entry is non-empty with a frequency of at least 1, a
// 1-gram holds no space, an alphabetical list finds each entry where it stands (entries
// unique and in the list's own order), and a frequency list runs from high to low.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/StringList.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int n = static_cast<int>(data[0] % 12) - 3;
  const int longest_tag = static_cast<int>(data[1]) - 8;
  const bool by_freq = (data[2] & 1) != 0;
  // Two bytes a code unit, with a few bytes mapped to the characters that steer the walk.
  std::u16string text;
  for (std::size_t i = 3; i + 1 < size; i += 2) {
    const std::uint8_t lo = data[i], hi = data[i + 1];
    if (hi == 0xFF) {
      static const char16_t steer[] = {u' ',  u',',  u';', u'.', u'<',   u'>',   u'-',   u'$',
                                       u'\r', u'\n', u'a', u'B', 0xD800, 0xDC00, 0x0301, 0x3000};
      text += steer[lo % 16];
    } else {
      text += static_cast<char16_t>(lo | (hi << 8));
    }
  }
  int last_percent = -1;
  const auto list = SimpleNGramListOfTxt(text, n, longest_tag, by_freq, [&](int percent) {
    if (percent < 0 || percent > 100 || percent < last_percent) std::abort();
    last_percent = percent;
  });
  if (n < 1) {
    if (list->Count() != 0) std::abort();
    return 0;
  }
  std::int32_t previous = INT32_MAX;
  for (int k = 0; k < list->Count(); ++k) {
    const std::u16string entry = list->Get(k);
    const std::int32_t f = int_from_object(list->GetObject(k));
    if (entry.empty() || f < 1) std::abort();
    if (n == 1 && entry.find(u' ') != std::u16string::npos) std::abort();
    if (by_freq) {
      if (f > previous) std::abort();
      previous = f;
    } else if (list->IndexOf(entry) != k) {
      std::abort();
    }
  }
  return 0;
}
