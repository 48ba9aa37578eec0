// The comparison functions of Useful_classes_base.

#include <unicode/ucol.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/Locales.hpp"

namespace corvane {

namespace {

template <class T>
std::int32_t three_way(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Windows comparison flags honoured by the collators.
constexpr std::uint32_t kNormIgnoreCase = 0x1;
constexpr std::uint32_t kNormIgnoreNonSpace = 0x2;
constexpr std::uint32_t kNormIgnoreSymbols = 0x4;

struct CollatorCloser {
  void operator()(UCollator* c) const { ucol_close(c); }
};

// One collator per locale and flag set, per thread.
UCollator* collator_for(std::uint32_t lcid, std::uint32_t flags) {
  thread_local std::map<std::pair<std::uint32_t, std::uint32_t>,
                        std::unique_ptr<UCollator, CollatorCloser>>
      cache;
  flags &= kNormIgnoreCase | kNormIgnoreNonSpace | kNormIgnoreSymbols;
  auto key = std::make_pair(lcid, flags);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  UErrorCode status = U_ZERO_ERROR;
  UCollator* c = ucol_open(icu_locale_or_root(lcid).c_str(), &status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    c = ucol_open("", &status);
  }
  if (U_FAILURE(status)) c = nullptr;
  if (c != nullptr) {
    UColAttributeValue strength = UCOL_TERTIARY;
    if (flags & kNormIgnoreNonSpace) {
      strength = UCOL_PRIMARY;
      // Ignoring accents but not case: keep case as its own level.
      if (!(flags & kNormIgnoreCase)) {
        status = U_ZERO_ERROR;
        ucol_setAttribute(c, UCOL_CASE_LEVEL, UCOL_ON, &status);
      }
    } else if (flags & kNormIgnoreCase) {
      strength = UCOL_SECONDARY;
    }
    ucol_setStrength(c, strength);
    if (flags & kNormIgnoreSymbols) {
      status = U_ZERO_ERROR;
      ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &status);
    }
  }
  return cache.emplace(key, std::unique_ptr<UCollator, CollatorCloser>(c)).first->second.get();
}

std::int32_t collate(std::uint32_t lcid, std::u16string_view a, std::u16string_view b) {
  UCollator* c = collator_for(lcid, my_default_sort);
  if (c == nullptr) return three_way(a, b);
  UCollationResult r = ucol_strcoll(c, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                    static_cast<int32_t>(b.size()));
  return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

std::u16string_view up_to_zero(const char16_t* p) {
  return p == nullptr ? std::u16string_view() : std::u16string_view(p);
}

std::u16string_view up_to_zero(std::u16string_view s) {
  auto end = s.find(u'\0');
  return end == std::u16string_view::npos ? s : s.substr(0, end);
}

}  // namespace

std::int32_t CompareLongints(std::int32_t a, std::int32_t b) {
  return three_way(a, b);
}
std::int32_t CompareCardinals(std::uint32_t a, std::uint32_t b) {
  return three_way(a, b);
}
std::int32_t CompareInt64s(std::int64_t a, std::int64_t b) {
  return three_way(a, b);
}
std::int32_t CompareSingles(float a, float b) {
  return three_way(a, b);
}
std::int32_t Compare16BitWords(std::uint16_t a, std::uint16_t b) {
  return three_way(a, b);
}
std::int32_t CompareChars(char16_t a, char16_t b) {
  return three_way(a, b);
}
std::int32_t CompareBytes(std::uint8_t a, std::uint8_t b) {
  return three_way(a, b);
}

std::int32_t Compare2Strings(std::u16string_view a, std::u16string_view b) {
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::int32_t CrudeStringComparison(std::u16string_view a, std::u16string_view b) {
  for (std::size_t i = 0;; ++i) {
    std::int32_t ca = i < a.size() ? a[i] : 0;
    std::int32_t cb = i < b.size() ? b[i] : 0;
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
}

std::int32_t ComparePWidechar(std::uint32_t lcid, const char16_t* a, const char16_t* b) {
  return collate(lcid, up_to_zero(a), up_to_zero(b));
}

std::int32_t ComparePAnsichar(std::uint32_t lcid, const char* a, const char* b) {
  std::u16string wa, wb;
  code_page_to_utf16(system_ansi_code_page(), a == nullptr ? "" : a, wa);
  code_page_to_utf16(system_ansi_code_page(), b == nullptr ? "" : b, wb);
  return collate(lcid, wa, wb);
}

std::int32_t LCIDStringComparison(const std::u16string& a, const std::u16string& b,
                                  std::uint32_t lcid) {
  return collate(lcid, up_to_zero(std::u16string_view(a)), up_to_zero(std::u16string_view(b)));
}

std::int32_t CompareDates(double a, double b) {
  if (a == b) return 0;
  return a > b ? -1 : 1;
}

std::int32_t CompareJulianDates(double a, double b) {
  return CompareDates(a, b);
}

std::int32_t Compare2CardinalsCard1(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b) {
  return three_way(a.card1, b.card1);
}
std::int32_t Compare2CardinalsCard2(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b) {
  return three_way(a.card2, b.card2);
}
std::int32_t CompareIntAnd2CardinalsCard1(const TIntegerAnd2CardinalsRec& a,
                                          const TIntegerAnd2CardinalsRec& b) {
  return three_way(a.value.card1, b.value.card1);
}
std::int32_t CompareIntAnd2CardinalsCard2(const TIntegerAnd2CardinalsRec& a,
                                          const TIntegerAnd2CardinalsRec& b) {
  return three_way(a.value.card2, b.value.card2);
}
std::int32_t CompareIntAnd2CardinalsFreq(const TIntegerAnd2CardinalsRec& a,
                                         const TIntegerAnd2CardinalsRec& b) {
  return three_way(a.freq, b.freq);
}
std::int32_t CompareIntAnd3CardinalsCard1(const TIntegerAnd3CardinalsRec& a,
                                          const TIntegerAnd3CardinalsRec& b) {
  return three_way(a.value.card1, b.value.card1);
}
std::int32_t CompareIntAnd3CardinalsCard2(const TIntegerAnd3CardinalsRec& a,
                                          const TIntegerAnd3CardinalsRec& b) {
  return three_way(a.value.card2, b.value.card2);
}
std::int32_t CompareIntAnd3CardinalsCard3(const TIntegerAnd3CardinalsRec& a,
                                          const TIntegerAnd3CardinalsRec& b) {
  return three_way(a.value.card3, b.value.card3);
}
std::int32_t CompareIntAnd3CardinalsFreq(const TIntegerAnd3CardinalsRec& a,
                                         const TIntegerAnd3CardinalsRec& b) {
  return three_way(static_cast<std::uint32_t>(a.freq), static_cast<std::uint32_t>(b.freq));
}

void ExchangeTwoDoubleCardinalRecs(Tdouble_cardinal_rec& a, Tdouble_cardinal_rec& b) {
  std::swap(a, b);
}
void ExchangeTwoDoubleLongintRecs(T2_longint_rec& a, T2_longint_rec& b) {
  std::swap(a, b);
}
void ExchangeTwoSmallAndLongRecs(TSmall_and_long_rec& a, TSmall_and_long_rec& b) {
  std::swap(a, b);
}
void ExchangeTwoPointerAnd2CardinalsRecs(TPointerAnd2CardinalsRec& a, TPointerAnd2CardinalsRec& b) {
  std::swap(a, b);
}
void ExchangeTwoIndexAndPointerRecs(TIndexAndPointerRec& a, TIndexAndPointerRec& b) {
  std::swap(a, b);
}

namespace {
template <class Holder>
auto holder_value(void* item) {
  auto* holder = static_cast<Holder*>(static_cast<TUsefulBaseListObject*>(item));
  return holder == nullptr ? decltype(holder->data){} : holder->data;
}
}  // namespace

std::int32_t SortLongints(void* item1, void* item2) {
  return CompareLongints(holder_value<TLongIntHolder>(item1), holder_value<TLongIntHolder>(item2));
}
std::int32_t SortCardinals(void* item1, void* item2) {
  return CompareCardinals(holder_value<TCardinalHolder>(item1),
                          holder_value<TCardinalHolder>(item2));
}
std::int32_t SortInt64s(void* item1, void* item2) {
  return CompareInt64s(holder_value<TInt64Holder>(item1), holder_value<TInt64Holder>(item2));
}
std::int32_t SortSingles(void* item1, void* item2) {
  return CompareSingles(holder_value<TSingleHolder>(item1), holder_value<TSingleHolder>(item2));
}
std::int32_t SortIntegerAnd3CardinalsFreq(void* item1, void* item2) {
  return CompareIntAnd3CardinalsFreq(holder_value<TIntegerAnd3CardinalsHolder>(item1),
                                     holder_value<TIntegerAnd3CardinalsHolder>(item2));
}

}  // namespace corvane
