// Each locale's default 8-bit code page, as the Windows locale data gives it.

#include <algorithm>
#include <string>

#include "corvane/platform/CodePages.hpp"

namespace corvane {

namespace {

struct LocaleCodePage {
  const char* language;
  const char* script;  // "" when the language alone decides
  int code_page;
};

// Looked up by language and script (the script the locale names, else its likely one),
// then by language alone.
constexpr LocaleCodePage kLocaleCodePages[] = {
    // Central European
    {"bs", "Latn", 1250},
    {"cs", "", 1250},
    {"hr", "", 1250},
    {"hu", "", 1250},
    {"pl", "", 1250},
    {"ro", "", 1250},
    {"sk", "", 1250},
    {"sl", "", 1250},
    {"sq", "", 1250},
    {"sr", "Latn", 1250},
    {"tk", "", 1250},
    // Cyrillic
    {"az", "Cyrl", 1251},
    {"ba", "", 1251},
    {"be", "", 1251},
    {"bg", "", 1251},
    {"bs", "Cyrl", 1251},
    {"kk", "", 1251},
    {"ky", "", 1251},
    {"mk", "", 1251},
    {"mn", "Cyrl", 1251},
    {"ru", "", 1251},
    {"sah", "", 1251},
    {"sr", "Cyrl", 1251},
    {"tg", "", 1251},
    {"tt", "", 1251},
    {"uk", "", 1251},
    {"uz", "Cyrl", 1251},
    // Western European and the other Latin-script languages it serves
    {"af", "", 1252},
    {"arn", "", 1252},
    {"bin", "", 1252},
    {"br", "", 1252},
    {"ca", "", 1252},
    {"co", "", 1252},
    {"cy", "", 1252},
    {"da", "", 1252},
    {"de", "", 1252},
    {"dsb", "", 1252},
    {"en", "", 1252},
    {"es", "", 1252},
    {"eu", "", 1252},
    {"ff", "Latn", 1252},
    {"fi", "", 1252},
    {"fil", "", 1252},
    {"fo", "", 1252},
    {"fr", "", 1252},
    {"fy", "", 1252},
    {"ga", "", 1252},
    {"gd", "", 1252},
    {"gl", "", 1252},
    {"gn", "", 1252},
    {"gsw", "", 1252},
    {"ha", "", 1252},
    {"haw", "", 1252},
    {"hi", "Latn", 1252},
    {"hsb", "", 1252},
    {"ibb", "", 1252},
    {"id", "", 1252},
    {"ig", "", 1252},
    {"is", "", 1252},
    {"it", "", 1252},
    {"iu", "Latn", 1252},
    {"kl", "", 1252},
    {"kr", "", 1252},
    {"la", "", 1252},
    {"lb", "", 1252},
    {"mi", "", 1252},
    {"moh", "", 1252},
    {"ms", "", 1252},
    {"nb", "", 1252},
    {"nl", "", 1252},
    {"nn", "", 1252},
    {"no", "", 1252},
    {"nso", "", 1252},
    {"oc", "", 1252},
    {"om", "", 1252},
    {"pap", "", 1252},
    {"pt", "", 1252},
    {"qu", "", 1252},
    {"quc", "", 1252},
    {"qut", "", 1252},
    {"rm", "", 1252},
    {"rw", "", 1252},
    {"se", "", 1252},
    {"sma", "", 1252},
    {"smj", "", 1252},
    {"smn", "", 1252},
    {"sms", "", 1252},
    {"so", "", 1252},
    {"st", "", 1252},
    {"sv", "", 1252},
    {"sw", "", 1252},
    {"tn", "", 1252},
    {"ts", "", 1252},
    {"tzm", "Latn", 1252},
    {"ve", "", 1252},
    {"wo", "", 1252},
    {"xh", "", 1252},
    {"yo", "", 1252},
    {"zu", "", 1252},
    {"root", "", 1252},
    // Greek, Turkish, Hebrew
    {"el", "", 1253},
    {"az", "Latn", 1254},
    {"tr", "", 1254},
    {"uz", "Latn", 1254},
    {"he", "", 1255},
    {"yi", "", 1255},
    // Arabic script
    {"ar", "", 1256},
    {"ckb", "", 1256},
    {"fa", "", 1256},
    {"ks", "Arab", 1256},
    {"pa", "Arab", 1256},
    {"prs", "", 1256},
    {"ps", "", 1256},
    {"sd", "Arab", 1256},
    {"tzm", "Arab", 1256},
    {"ug", "", 1256},
    {"ur", "", 1256},
    {"uz", "Arab", 1256},
    // Baltic, Vietnamese, Thai
    {"et", "", 1257},
    {"lt", "", 1257},
    {"lv", "", 1257},
    {"vi", "", 1258},
    {"th", "", 874},
    // East Asian
    {"ja", "", 932},
    {"zh", "Hans", 936},
    {"ko", "", 949},
    {"zh", "Hant", 950},
    // Scripts with no 8-bit code page of their own
    {"am", "", 0},
    {"as", "", 0},
    {"bn", "", 0},
    {"bo", "", 0},
    {"chr", "", 0},
    {"dv", "", 0},
    {"dz", "", 0},
    {"ff", "Adlm", 0},
    {"gu", "", 0},
    {"hi", "", 0},
    {"hy", "", 0},
    {"ii", "", 0},
    {"iu", "Cans", 0},
    {"ka", "", 0},
    {"km", "", 0},
    {"kn", "", 0},
    {"kok", "", 0},
    {"ks", "Deva", 0},
    {"lo", "", 0},
    {"ml", "", 0},
    {"mn", "Mong", 0},
    {"mni", "", 0},
    {"mr", "", 0},
    {"mt", "", 0},
    {"my", "", 0},
    {"ne", "", 0},
    {"or", "", 0},
    {"pa", "Guru", 0},
    {"sa", "", 0},
    {"sd", "Deva", 0},
    {"si", "", 0},
    {"syr", "", 0},
    {"ta", "", 0},
    {"te", "", 0},
    {"ti", "", 0},
    {"tzm", "Tfng", 0},
};

const LocaleCodePage* find(const std::string& language, const std::string& script) {
  const LocaleCodePage* by_language = nullptr;
  for (const auto& e : kLocaleCodePages) {
    if (language != e.language) continue;
    if (*e.script == '\0') {
      if (!by_language) by_language = &e;
    } else if (script == e.script) {
      return &e;
    }
  }
  return by_language;
}

}  // namespace

bool locale_default_ansi_code_page(std::string_view icu_locale, int& code_page) {
  std::string language = locale_language(icu_locale);
  if (language.empty()) {
    // ICU's root locale, the invariant one: the Western code page.
    if (!icu_locale.empty() && icu_locale != "root") return false;
    language = "root";
  }
  std::transform(language.begin(), language.end(), language.begin(),
                 [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  const LocaleCodePage* e = find(language, language == "root" ? "" : locale_script(icu_locale));
  if (!e) return false;
  code_page = e->code_page;
  return true;
}

bool lcid_default_ansi_code_page(TLCID lcid, int& code_page) {
  std::string name;
  if (!icu_locale_for_lcid(lcid, name)) return false;
  return locale_default_ansi_code_page(name, code_page);
}

namespace {

// The OEM page that goes with each 8-bit page.
int oem_for_ansi(int ansi) {
  switch (ansi) {
    case 1250:
      return 852;
    case 1251:
      return 866;
    case 1252:
      return 850;
    case 1253:
      return 737;
    case 1254:
      return 857;
    case 1255:
      return 862;
    case 1256:
      return 720;
    case 1257:
      return 775;
    case 0:
      return 1;
    default:  // 874, 932, 936, 949, 950, 1258 serve as both
      return ansi;
  }
}

// Locales whose OEM page is not the one of their 8-bit page: U.S. English (and English
// without a country) kept the original PC page.
bool oem_exception(std::string_view icu_locale, int& code_page) {
  std::string language = locale_language(icu_locale);
  if (language != "en") return false;
  std::string rest(icu_locale.substr(std::min(icu_locale.size(), language.size())));
  if (rest.empty() || rest == "_US" || rest.rfind("_US@", 0) == 0) {
    code_page = 437;
    return true;
  }
  return false;
}

}  // namespace

bool locale_default_oem_code_page(std::string_view icu_locale, int& code_page) {
  int ansi = 0;
  if (!locale_default_ansi_code_page(icu_locale, ansi)) return false;
  if (!oem_exception(icu_locale, code_page)) code_page = oem_for_ansi(ansi);
  return true;
}

bool lcid_default_oem_code_page(TLCID lcid, int& code_page) {
  std::string name;
  if (!icu_locale_for_lcid(lcid, name)) return false;
  return locale_default_oem_code_page(name, code_page);
}

}  // namespace corvane
