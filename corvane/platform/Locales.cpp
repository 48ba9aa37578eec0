#include "corvane/platform/Locales.hpp"

#include <unicode/uloc.h>
#include <unicode/ulocdata.h>

#include <array>

namespace corvane {

namespace {

std::string canonical(std::string_view name) {
  std::string in(name);
  std::array<char, ULOC_FULLNAME_CAPACITY> buf{};
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = uloc_canonicalize(in.c_str(), buf.data(), buf.size(), &err);
  if (U_FAILURE(err) || n >= static_cast<int32_t>(buf.size())) return in;
  return std::string(buf.data(), n);
}

}  // namespace

bool icu_locale_for_lcid(TLCID lcid, std::string& name) {
  switch (lcid) {
    case kLocaleNeutral:
    case kLocaleUserDefault:
    case kLocaleSystemDefault:
      name = default_icu_locale();
      return true;
    case kLocaleInvariant:
      name.clear();
      return true;
    default:
      break;
  }
  std::array<char, ULOC_FULLNAME_CAPACITY> buf{};
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = uloc_getLocaleForLCID(lcid, buf.data(), buf.size(), &err);
  if (U_FAILURE(err) || err == U_USING_DEFAULT_WARNING || n <= 0 ||
      n >= static_cast<int32_t>(buf.size()))
    return false;
  name.assign(buf.data(), n);
  if (name == "root") name.clear();
  return true;
}

std::string icu_locale_or_root(TLCID lcid) {
  std::string name;
  if (!icu_locale_for_lcid(lcid, name)) return {};
  return name;
}

TLCID lcid_for_icu_locale(std::string_view name) {
  if (name.empty()) return 0;
  std::string c = canonical(name);
  return uloc_getLCID(c.c_str());
}

TLCID default_lcid() {
  TLCID id = lcid_for_icu_locale(default_icu_locale());
  return id ? id : 0x0409;
}

std::string locale_language(std::string_view name) {
  std::string in(name);
  std::array<char, ULOC_LANG_CAPACITY> buf{};
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = uloc_getLanguage(in.c_str(), buf.data(), buf.size(), &err);
  if (U_FAILURE(err) || n >= static_cast<int32_t>(buf.size())) return {};
  return std::string(buf.data(), n);
}

std::string locale_script(std::string_view name) {
  std::string in(name);
  std::array<char, ULOC_FULLNAME_CAPACITY> full{};
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = uloc_addLikelySubtags(in.c_str(), full.data(), full.size(), &err);
  if (U_FAILURE(err) || n >= static_cast<int32_t>(full.size())) {
    err = U_ZERO_ERROR;
    in.copy(full.data(), std::min(in.size(), full.size() - 1));
  }
  std::array<char, ULOC_SCRIPT_CAPACITY> buf{};
  err = U_ZERO_ERROR;
  n = uloc_getScript(full.data(), buf.data(), buf.size(), &err);
  if (U_FAILURE(err) || n >= static_cast<int32_t>(buf.size())) return {};
  return std::string(buf.data(), n);
}

int locale_measurement_system(TLCID lcid) {
  std::string name;
  if (!icu_locale_for_lcid(lcid, name)) return -1;
  // Measurement systems are regional: a bare language takes its likely region.
  std::array<char, ULOC_FULLNAME_CAPACITY> full{};
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = uloc_addLikelySubtags(name.c_str(), full.data(), full.size(), &err);
  if (U_SUCCESS(err) && n < static_cast<int32_t>(full.size())) name.assign(full.data(), n);
  err = U_ZERO_ERROR;
  UMeasurementSystem ms = ulocdata_getMeasurementSystem(name.c_str(), &err);
  if (U_FAILURE(err)) return -1;
  return static_cast<int>(ms);
}

}  // namespace corvane
