// Arguments that several commands read the same way.
#include <string>

#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

bool lcid_from_argument(const std::string& text, std::uint32_t& lcid) {
  int number = 0;
  if (TryStrToInt(u16(text), number)) {
    std::string ignored;
    if (number <= 0 || !icu_locale_for_lcid(static_cast<TLCID>(number), ignored)) return false;
    lcid = static_cast<TLCID>(number);
    return true;
  }
  std::string name = text;
  for (char& c : name)
    if (c == '-') c = '_';
  const TLCID found = lcid_for_icu_locale(name);
  if (found == 0) return false;
  lcid = found;
  return true;
}

}  // namespace corvane::cli
