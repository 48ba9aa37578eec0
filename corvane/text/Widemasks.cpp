#include "corvane/text/Widemasks.hpp"

#include <unicode/uchar.h>

#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

char16_t folded(char16_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + 32) : c;
  const UChar32 f = u_foldCase(c, U_FOLD_CASE_DEFAULT);
  return f <= 0xFFFF ? static_cast<char16_t>(f) : c;
}

}  // namespace

void BuildAMask(std::vector<std::u16string>& masks, std::u16string_view text) {
  masks.clear();
  const std::u16string all = StringReplace(Trim(text), u"\r\n", u";", rfReplaceAll | rfIgnoreCase);
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = all.find(u';', start);
    if (at == std::u16string::npos) break;
    masks.push_back(all.substr(start, at - start));
    start = at + 1;
  }
  if (start < all.size()) masks.push_back(all.substr(start));
}

bool MatchesMask(std::u16string_view name, std::u16string_view mask) {
  if (name.empty()) return false;
  if (mask == u"*.*") return true;
  // Greedy matching with one backtrack point: the last "*" seen.
  std::size_t n = 0, m = 0;
  std::size_t star = std::u16string_view::npos, star_name = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == u'*') {
      star = m++;
      star_name = n;
    } else if (m < mask.size() && (mask[m] == u'?' || folded(mask[m]) == folded(name[n]))) {
      ++m;
      ++n;
    } else if (star != std::u16string_view::npos) {
      m = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

std::int32_t WhereInAMask(std::u16string_view name, const std::vector<std::u16string>& masks) {
  for (std::size_t i = 0; i < masks.size(); ++i)
    if (!masks[i].empty() && MatchesMask(name, masks[i])) return static_cast<std::int32_t>(i);
  return -1;
}

}  // namespace corvane
