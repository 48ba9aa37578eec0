// Small text, number and exchange routines of the definitions unit.
#include <utility>

#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

bool is_drive_letter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

std::u16string CutOutsideQuotes(const std::u16string& s) {
  if (s.empty() || s.front() != u'"' || s.back() != u'"') return s;
  // A lone double quote both starts and ends the text, with nothing between.
  return s.size() < 2 ? std::u16string() : s.substr(1, s.size() - 2);
}

std::u16string CorrectedPathname(const std::u16string& s) {
  std::u16string path = Trim(s);
  if (path.size() >= 2 && is_drive_letter(path[0]) && path[1] == u':') {
    if (path.size() == 2)
      path += u'\\';
    else if (path[2] != u'\\')
      path.insert(2, 1, u'\\');
  }
  return path;
}

std::u16string ChrClearedFromString(char16_t c, const std::u16string& s) {
  std::u16string result;
  result.reserve(s.size());
  for (char16_t x : s)
    if (x != c) result += x;
  return result;
}

std::u16string SubStrClearedFromString(const std::u16string& sub, const std::u16string& s) {
  return StringReplace(s, sub, u"", rfReplaceAll);
}

int FirstChosenInArrayOfBoolean(std::span<const bool> a) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i]) return static_cast<int>(i);
  return 0;
}

int LastChosenInArrayOfBoolean(std::span<const bool> a) {
  for (std::size_t i = a.size(); i-- > 0;)
    if (a[i]) return static_cast<int>(i);
  return 0;
}

int CorrectDivision(std::int64_t value, std::span<const std::int64_t> limits) {
  for (std::size_t i = 0; i < limits.size(); ++i)
    if (limits[i] > value) return static_cast<int>(i);
  return -1;
}

std::uint32_t MaxCardinal(std::uint32_t a, std::uint32_t b) {
  return a > b ? a : b;
}

std::uint32_t MinCardinal(std::uint32_t a, std::uint32_t b) {
  return a < b ? a : b;
}

void ExchangeTwoIntegers(std::int32_t& a, std::int32_t& b) {
  std::swap(a, b);
}

void ExchangeTwoStrings(std::u16string& a, std::u16string& b) {
  a.swap(b);
}

void ExchangeTwoPointers(void*& a, void*& b) {
  std::swap(a, b);
}

void ExchangeTwoTTypeRecs(TTypeRec& a, TTypeRec& b) {
  std::swap(a, b);
}

void ExchangeTwoHeadings(std::int32_t i, std::int32_t j, std::span<TGrid_head32> headings) {
  const auto n = static_cast<std::int64_t>(headings.size());
  if (i < 0 || j < 0 || i >= n || j >= n) return;
  std::swap(headings[static_cast<std::size_t>(i)], headings[static_cast<std::size_t>(j)]);
}

Ttypeface_Set ToggledTypeface(TTypefaceStyle face, Ttypeface_Set set) {
  return IncludeOrExcludeATypeface(face, set, !set.contains(face));
}

Ttypeface_Set IncludeOrExcludeATypeface(TTypefaceStyle face, Ttypeface_Set set, bool include) {
  const auto bit = static_cast<std::uint8_t>(1u << face);
  set.bits = include ? static_cast<std::uint8_t>(set.bits | bit)
                     : static_cast<std::uint8_t>(set.bits & ~bit);
  return set;
}

}  // namespace corvane
