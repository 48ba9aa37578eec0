#include "corvane/definitions/My_lang_rec_holder.hpp"

#include <memory>

namespace corvane {

std::int32_t TListOfAllNamesStringlist::AddLang(const TMyLangRec& rec) {
  auto holder = std::make_unique<TMyLangRecHolder>(rec);
  const std::int32_t index = AddObject(rec.LangName, holder.get());
  holder.release();
  return index;
}

TMyLangRecHolder* TListOfAllNamesStringlist::LangHolder(std::int32_t i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return dynamic_cast<TMyLangRecHolder*>(GetObject(i));
}

bool TCVDefinedLanguageHolder::SetAllowables(std::u16string_view s) {
  data.allowable_middle_letters = StringToTenWidechar(s);
  return true;
}

bool TCVDefinedLanguageHolder::SetWinFontName(std::u16string_view name) {
  SetARecFontname(data.new_win_font, name);
  return true;
}

bool TCVDefinedLanguageHolder::SetWinFontSize(std::uint8_t size) {
  data.new_win_font.fontsize = size;
  return true;
}

bool TCVDefinedLanguageHolder::SetCustomLanguage(bool b) {
  data.custom_language = b;
  return true;
}

bool TCVDefinedLanguageHolder::SetPreference(Tlang_preference_type p) {
  data.preference = p;
  return true;
}

bool TCVDefinedLanguageHolder::SetHyphenBreaks(bool b) {
  data.hyphen_breaks_word = b;
  return true;
}

}  // namespace corvane
