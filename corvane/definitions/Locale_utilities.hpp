#pragma once
// What the national-language service knows about a locale: its names, country, currency
// and code pages through the replaceable GetLocaleDataProc, which directions and scripts
// its language needs, and the varieties (countries) of a language among a set of locales.
// Unknown locales give empty texts and code page 0; nothing raises.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// Answers a locale fact as text for a locale identifier and an information number.
using TGetLocaleDataProc = std::u16string (*)(std::uint32_t lcid, std::uint32_t info);
// Set to the platform's query at start-up (and when null, the calls below use it).
extern TGetLocaleDataProc GetLocaleDataProc;
// The platform's query: ICU's data for the numbers 2, 11, 20, 0x59, 0x5A, 0x1001, 0x1002
// and 0x1004; an empty text for the others.
std::u16string DefaultGetLocaleData(std::uint32_t lcid, std::uint32_t info);

// The language's name in its own language (2), in English (0x1001), the country's
// English name (0x1002), the currency symbol (20).
std::u16string LocalLanguageNameFromLCID(std::uint32_t lcid);
std::u16string EnglishLanguageNameFromLCID(std::uint32_t lcid);
std::u16string CountryFromLCID(std::uint32_t lcid);
std::u16string CurrencyFromLCID(std::uint32_t lcid);
// The OEM (11) and ANSI (0x1004) code pages; 0 when the text is not a number.
std::int32_t DOSCodepageFromLCID(std::uint32_t lcid);
std::int32_t WindowsCodepageFromLCID(std::uint32_t lcid);

// Arabic, Chinese, Hebrew, Japanese, Korean, Thai, Farsi, Vietnamese and Pashto.
bool LanguageRequiresUnicode(std::uint32_t lcid);
// Arabic, Thai, Farsi, the Indic languages, Tibetan, Khmer, Lao, Sinhala, Amharic, Nepali,
// Pashto and Yoruba.
bool LanguageHasCombiningCharacters(std::uint32_t lcid);

// The currency symbols of the identifiers in `all` with lcid's primary language, each
// once (one already in the text is skipped; so is an empty one), joined with ",".
std::u16string LCIDAllCurrencyString(std::uint32_t lcid, std::span<const std::uint32_t> all);

// The identifier attached to each entry of LCIDSubVarieties.
class TLCIDHolder : public TObject {
 public:
  explicit TLCIDHolder(std::uint32_t id) : lcid(id) {}
  std::uint32_t lcid;
};
// The English country names of the identifiers in `all` with lcid's primary language,
// each once, in the order of `all`, each with a TLCIDHolder (the list owns them).
std::unique_ptr<TStringList> LCIDSubVarieties(std::uint32_t lcid,
                                              std::span<const std::uint32_t> all);

// "English (United States)": the variant "United States" (the text after the marker
// " (", trimmed, without "(" and ")"), and the shortened name "English" (the text before
// the marker; the name unchanged without one).
std::u16string SysLanguageVariantName(std::u16string_view name);
std::u16string ShortenedSysLanguageName(std::u16string_view name);

// A language definition made from what the platform knows of a locale (our addition, for
// tools that set up a language): lcid, is_32_version, preference lang_instalada, the ANSI
// and OEM code pages, the allowable middle letters (at most 10), the English language name
// as nome (at most 50 characters) and the font DejaVu Sans of 10 points; all else zero.
fixed_lang_details_rec32 LanguageRecordForLCID(std::uint32_t lcid, std::u16string_view allowables);
// Writes the record's 1040 bytes to the file, beside it and renamed over it when complete
// (EFCreateError or EWriteError when that fails, the old file left as it was).
void SaveLanguageRecordToFile(const std::u16string& name, const fixed_lang_details_rec32& rec);
// The font a new language definition gets.
inline constexpr std::u16string_view kDefaultLanguageFont = u"DejaVu Sans";
inline constexpr std::uint8_t kDefaultLanguageFontSize = 10;

// Start-up: GetLocaleDataProc := DefaultGetLocaleData.
void Locale_utilities_initialization();

}  // namespace corvane
