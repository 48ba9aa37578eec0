// Locale facts through the replaceable query, and the language classifications.
#include "corvane/definitions/Locale_utilities.hpp"

#include <algorithm>

#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/Locales.hpp"

namespace corvane {

TGetLocaleDataProc GetLocaleDataProc = DefaultGetLocaleData;

namespace {

std::u16string query(std::uint32_t lcid, std::uint32_t info) {
  return (GetLocaleDataProc != nullptr ? GetLocaleDataProc : DefaultGetLocaleData)(lcid, info);
}

std::int32_t number(const std::u16string& text) {
  if (text.empty() || text.size() > 9) return 0;
  std::int32_t n = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return 0;
    n = n * 10 + (c - u'0');
  }
  return n;
}

std::uint32_t primary(std::uint32_t lcid) {
  return PrimaryLanguage(lcid) & 0xFFFF;
}

bool is_space(char16_t c) {
  return c <= u' ';
}

std::u16string trimmed(std::u16string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && is_space(s[a])) ++a;
  while (b > a && is_space(s[b - 1])) --b;
  return std::u16string(s.substr(a, b - a));
}

constexpr std::u16string_view kVariantMarker = u" (";

}  // namespace

std::u16string DefaultGetLocaleData(std::uint32_t lcid, std::uint32_t info) {
  return locale_info_text(lcid, info);
}

std::u16string LocalLanguageNameFromLCID(std::uint32_t lcid) {
  return query(lcid, kLocaleNativeLanguageName);
}
std::u16string EnglishLanguageNameFromLCID(std::uint32_t lcid) {
  return query(lcid, kLocaleEnglishLanguageName);
}
std::u16string CountryFromLCID(std::uint32_t lcid) {
  return query(lcid, kLocaleEnglishCountryName);
}
std::u16string CurrencyFromLCID(std::uint32_t lcid) {
  return query(lcid, kLocaleCurrencySymbol);
}
std::int32_t DOSCodepageFromLCID(std::uint32_t lcid) {
  return number(query(lcid, kLocaleOemCodePage));
}
std::int32_t WindowsCodepageFromLCID(std::uint32_t lcid) {
  return number(query(lcid, kLocaleAnsiCodePage));
}

bool LanguageRequiresUnicode(std::uint32_t lcid) {
  switch (primary(lcid)) {
    case 0x01:
    case 0x04:
    case 0x0D:
    case 0x11:
    case 0x12:
    case 0x1E:
    case 0x29:
    case 0x2A:
    case 0x63:
      return true;
    default:
      return false;
  }
}

bool LanguageHasCombiningCharacters(std::uint32_t lcid) {
  switch (primary(lcid)) {
    case 0x01:
    case 0x1E:
    case 0x29:
    case 0x39:
    case 0x45:
    case 0x47:
    case 0x48:
    case 0x49:
    case 0x4A:
    case 0x4B:
    case 0x4C:
    case 0x51:
    case 0x53:
    case 0x54:
    case 0x5B:
    case 0x5E:
    case 0x61:
    case 0x63:
    case 0x6A:
      return true;
    default:
      return false;
  }
}

std::u16string LCIDAllCurrencyString(std::uint32_t lcid, std::span<const std::uint32_t> all) {
  std::u16string result;
  for (std::uint32_t id : all) {
    if (!SamePrimaryLanguage(lcid, id)) continue;
    const std::u16string symbol = CurrencyFromLCID(id);
    if (symbol.empty() || result.find(symbol) != std::u16string::npos) continue;
    if (!result.empty()) result += u',';
    result += symbol;
  }
  return result;
}

std::unique_ptr<TStringList> LCIDSubVarieties(std::uint32_t lcid,
                                              std::span<const std::uint32_t> all) {
  auto list = std::make_unique<TStringList>();
  list->SetOwnsObjects(true);
  for (std::uint32_t id : all) {
    if (!SamePrimaryLanguage(lcid, id)) continue;
    const std::u16string country = CountryFromLCID(id);
    bool seen = false;
    for (std::int32_t i = 0; i < list->Count() && !seen; ++i) seen = list->Get(i) == country;
    if (seen) continue;
    auto holder = std::make_unique<TLCIDHolder>(id);
    list->AddObject(country, holder.get());
    holder.release();
  }
  return list;
}

std::u16string SysLanguageVariantName(std::u16string_view name) {
  std::u16string s(name);
  if (const auto at = name.find(kVariantMarker); at != std::u16string_view::npos)
    s = trimmed(name.substr(at + kVariantMarker.size()));
  s.erase(std::remove_if(s.begin(), s.end(), [](char16_t c) { return c == u'(' || c == u')'; }),
          s.end());
  return trimmed(s);
}

std::u16string ShortenedSysLanguageName(std::u16string_view name) {
  const auto at = name.find(kVariantMarker);
  return std::u16string(at == std::u16string_view::npos ? name : name.substr(0, at));
}

fixed_lang_details_rec32 LanguageRecordForLCID(std::uint32_t lcid, std::u16string_view allowables) {
  fixed_lang_details_rec32 rec;
  rec.lcid = lcid;
  rec.is_32_version = true;
  rec.preference = lang_instalada;
  rec.win_codepage = static_cast<std::uint16_t>(WindowsCodepageFromLCID(lcid));
  rec.dos_codepage = static_cast<std::uint16_t>(DOSCodepageFromLCID(lcid));
  rec.allowable_middle_letters = StringToTenWidechar(allowables);
  const std::u16string name = EnglishLanguageNameFromLCID(lcid);
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), rec.nome.size() - 1),
              rec.nome.begin());
  SetARecFontname(rec.new_win_font, kDefaultLanguageFont);
  rec.new_win_font.fontsize = kDefaultLanguageFontSize;
  return rec;
}

void SaveLanguageRecordToFile(const std::u16string& name, const fixed_lang_details_rec32& rec) {
  const auto bytes = FixedLangDetailsBytes(rec);
  detail::write_file_replacing(
      name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void Locale_utilities_initialization() {
  GetLocaleDataProc = DefaultGetLocaleData;
}

}  // namespace corvane
