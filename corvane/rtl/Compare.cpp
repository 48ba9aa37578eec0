#include "corvane/rtl/Compare.hpp"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <memory>
#include <string>

#include "corvane/rtl/System_text.hpp"

namespace corvane {

namespace {

struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

struct ThreadCollators {
  std::string raw_default;
  std::string locale;
  CollatorPtr by_strength[2];  // [0] case-insensitive, [1] case-sensitive

  UCollator* get(bool case_sensitive) {
    // Checked on every call (the default may change), but without allocating.
    const char* raw = uloc_getDefault();
    if (raw_default != raw) {
      raw_default = raw;
      locale = default_icu_locale();
      by_strength[0].reset();
      by_strength[1].reset();
    }
    CollatorPtr& slot = by_strength[case_sensitive ? 1 : 0];
    if (!slot) {
      UErrorCode status = U_ZERO_ERROR;
      UCollator* collator = ucol_open(locale.c_str(), &status);
      if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator = ucol_open("", &status);  // the root collation
      }
      if (U_SUCCESS(status) && collator != nullptr) {
        ucol_setStrength(collator, case_sensitive ? UCOL_TERTIARY : UCOL_SECONDARY);
        slot.reset(collator);
      }
    }
    return slot.get();
  }
};

int ordinal_compare(std::u16string_view a, std::u16string_view b) {
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

int compare_strings(std::u16string_view a, std::u16string_view b, bool case_sensitive) {
  thread_local ThreadCollators collators;
  UCollator* collator = collators.get(case_sensitive);
  if (collator == nullptr) return ordinal_compare(a, b);
  // Lengths beyond int32 cannot be passed to ICU; such strings are compared by code unit.
  constexpr std::size_t kMax = 0x7fffffff;
  if (a.size() > kMax || b.size() > kMax) return ordinal_compare(a, b);
  UCollationResult r = ucol_strcoll(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                    static_cast<int32_t>(b.size()));
  return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

}  // namespace corvane
