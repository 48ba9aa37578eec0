#include "corvane/search/Lemmastopmatchtypes.hpp"

#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Format.hpp"

namespace corvane {

std::array<std::u16string, 4> LemmaMatchStopNames;
std::array<std::u16string, 4> LemmaMatchStopFileNames;

void Lemmastopmatchtypes_initialize() {
  LemmaMatchStopNames = {LoadResString(msg::CVLemmas), LoadResString(msg::CVMatchList),
                         LoadResString(msg::CVStopList), LoadResString(msg::CVRelationList)};
  LemmaMatchStopFileNames = {LoadResString(msg::CVLemmaFileS), LoadResString(msg::CVMatchListFileS),
                             LoadResString(msg::CVStopListFileS),
                             LoadResString(msg::CVRelationListFileS)};
}

std::u16string LemmaMatchStopFileTypeStr(TLemmaMatchStopOptions kind, std::u16string_view text) {
  if (kind > as_relation) return {};
  if (LemmaMatchStopFileNames[kind].empty()) Lemmastopmatchtypes_initialize();
  return Format(LemmaMatchStopFileNames[kind], {std::u16string(text)});
}

std::int32_t TagToMatchAction(std::int32_t menu_tag) {
  switch (menu_tag) {
    case 156:
      return 1;
    case 157:
      return 2;
    case 209:
      return 3;
    default:
      return 0;
  }
}

}  // namespace corvane
