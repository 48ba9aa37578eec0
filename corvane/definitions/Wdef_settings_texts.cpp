// The text forms of two settings (tag treatment in word lists, ignored tag delimiters),
// and the list of language definitions.
#include "corvane/definitions/Wdef.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Format.hpp"

namespace corvane {

const TIgnore_tag_type Global_Blank_ignoreTags{};

namespace {

std::u16string affix_text(msg::MessageId affix) {
  return Format(msg::text(msg::CVTagTreatmentIs),
                {Format(msg::text(msg::CVTagsAsAffixToWords), {msg::text(affix)})});
}

}  // namespace

std::u16string TabulonTagTreatmentToString(TTabulonTagTreatment t) {
  switch (t) {
    case wltt_tags_as_prefix:
      return affix_text(msg::CVPrefix);
    case wltt_tags_as_suffix:
      return affix_text(msg::CVSuffix);
    case wltt_list_tags_only:
      return Format(msg::text(msg::CVTagTreatmentIs), {msg::text(msg::CVTagsOnlyNoWords)});
    default:
      return Format(msg::text(msg::CVTagTreatmentIs), {msg::text(msg::CVWordsNoTags)});
  }
}

TTabulonTagTreatment StringToTabulonTagTreatment(std::u16string_view s) {
  for (TTabulonTagTreatment t : {wltt_tags_as_prefix, wltt_tags_as_suffix, wltt_list_tags_only})
    if (s == TabulonTagTreatmentToString(t)) return t;
  return wltt_none;
}

std::u16string IgnoreTag_TypeToString(const TIgnore_tag_type& a) {
  std::u16string s;
  for (int i = 0; i < 6; ++i) {
    if (a[i] == 0 || a[i + 6] == 0) continue;
    if (!s.empty()) s += u',';
    s += a[i];
    s += u'*';
    s += a[i + 6];
  }
  return s;
}

TIgnore_tag_type StringToIgnoreTag_Type(std::u16string_view s) {
  TIgnore_tag_type a{};
  std::u16string rest;
  for (char16_t c : s)
    if (c != u'*' && c > 32) rest += c;
  int pair = 0;
  std::size_t at = 0;
  while (at < rest.size()) {
    std::size_t comma = rest.find(u',', at);
    if (comma == std::u16string::npos) comma = rest.size();
    if (comma > at) {
      a[pair] = rest[at];
      a[pair + 6] = rest[comma - 1];
      if (pair < 5) ++pair;
    }
    at = comma + 1;
  }
  return a;
}

// ---- Language definitions

TFixedLangDetailsList::~TFixedLangDetailsList() {
  Clear();
}

void TFixedLangDetailsList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TFixedLangDetailsHolder*>(item);
}

std::int32_t TFixedLangDetailsList::AddLang(const fixed_lang_details_rec32& rec) {
  auto holder = std::make_unique<TFixedLangDetailsHolder>(rec);
  const std::int32_t index = Add(holder.get());
  holder.release();
  return index;
}

fixed_lang_details_rec32 TFixedLangDetailsList::GetALang(std::int32_t i) const {
  if (i < 0 || i >= Count() || Get(i) == nullptr) return {};
  return static_cast<TFixedLangDetailsHolder*>(Get(i))->data;
}

void TFixedLangDetailsList::SetALang(std::int32_t i, const fixed_lang_details_rec32& rec) {
  if (i < 0 || i >= Count() || Get(i) == nullptr) return;
  static_cast<TFixedLangDetailsHolder*>(Get(i))->data = rec;
}

}  // namespace corvane
