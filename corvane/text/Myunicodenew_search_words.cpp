#include "corvane/text/Myunicodenew_search_words.hpp"

#include <algorithm>

namespace corvane {

search_word_type32 StringToSearch_word_type32(const std::u16string& s) {
  search_word_type32 buffer{};
  std::copy_n(s.begin(), std::min<std::size_t>(s.size(), buffer.size() - 1), buffer.begin());
  return buffer;
}

std::u16string Search_word_type32ToString(const char16_t* p) {
  return p ? std::u16string(p) : std::u16string();
}

}  // namespace corvane
