#include "corvane/frame/Wdef_mini.hpp"

#include <algorithm>
#include <string>

#include "corvane/platform/SystemColours.hpp"

namespace corvane {

HWND global_own_HWnd = 0;

std::uint32_t MyColourToRGB(int colour) {
  if (colour < 0) return GetSysColor(colour & 0xFF);
  return static_cast<std::uint32_t>(colour);
}

void SetProgressString(TProgressStringType& target, std::u16string_view text) {
  const std::size_t n = std::min(text.size(), target.size() - 1);
  std::copy_n(text.begin(), n, target.begin());
  std::fill(target.begin() + n, target.end(), u'\0');
}

std::u16string ProgressStringText(const TProgressStringType& source) {
  const auto end = std::find(source.begin(), source.end(), u'\0');
  return std::u16string(source.begin(), end);
}

}  // namespace corvane
