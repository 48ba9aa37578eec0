#pragma once
// Holders of language definitions and of language names: a defined language with its
// version and setters for the fields a user edits, a language name with its identifier,
// and the string list of all names whose entries carry such holders.

#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

struct TMyLangRec {
  std::u16string LangName;
  std::uint32_t FLCID = 0;
  bool IsInstalled = false;
};

class TMyLangRecHolder : public TObject {
 public:
  explicit TMyLangRecHolder(const TMyLangRec& rec) : data(rec) {}
  TMyLangRec data;
};

// A string list whose entries own their TMyLangRecHolder objects: freeing the list frees
// them (Free is the destructor).
class TListOfAllNamesStringlist : public TStringList {
 public:
  TListOfAllNamesStringlist() { SetOwnsObjects(true); }
  // Adds a name with a holder of rec.
  std::int32_t AddLang(const TMyLangRec& rec);
  // The holder of entry i, or null.
  TMyLangRecHolder* LangHolder(std::int32_t i) const;
};

// A language definition with the version of the settings it came from. Each setter
// answers true.
class TCVDefinedLanguageHolder : public TObject {
 public:
  TCVDefinedLanguageHolder(const fixed_lang_details_rec32& rec, std::int32_t version)
      : versionNumber(version), data(rec) {}

  // At most 10 characters of s as the allowable middle letters.
  bool SetAllowables(std::u16string_view s);
  // The new font's name, at most 100 characters.
  bool SetWinFontName(std::u16string_view name);
  bool SetWinFontSize(std::uint8_t size);
  bool SetCustomLanguage(bool b);
  bool SetPreference(Tlang_preference_type p);
  bool SetHyphenBreaks(bool b);

  std::int32_t versionNumber = 0;
  fixed_lang_details_rec32 data;
};

}  // namespace corvane
