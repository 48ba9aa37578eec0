// Random typed lines through the alternative split and the full parse, with random tag
// delimiters; none may crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/search/Search_parsing.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  if (size < 13) return 0;
  // The first byte picks split or not; the next twelve code units are the tag delimiters.
  const bool split = data[0] & 1;
  TIgnore_tag_type tags{};
  for (int i = 0; i < 12; ++i) tags[i] = (data[1 + i] & 0x80) ? 0 : data[1 + i];
  std::u16string line;
  for (std::size_t i = 13; i + 1 < size; i += 2)
    line += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  line = StrippedDoubleSpaces(line);
  auto alternatives = SplitSWList(line, split);
  for (int i = 0; i < alternatives->Count(); ++i) {
    std::u16string s = alternatives->Get(i);
    TSearch_word_format_rec rec;
    Parsed_SearchWord(tags, s, rec);
    std::u16string t = alternatives->Get(i);
    UnParsed_SearchWord(t, rec);
  }
  return 0;
}
