#pragma once
// The kinds of word lists a tool may apply (lemmas, match, stop and relation lists), their
// names and the descriptions of their files, and the match actions of the menus.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

enum TLemmaMatchStopOptions : std::uint8_t { as_lemma, as_match, as_stop, as_relation };

// "lemmas", "match list", "stop list", "relation list", in the order of the kinds. Filled
// from the message catalogue when the unit starts (Lemmastopmatchtypes_initialize); the
// tables follow a translation loaded before that.
extern std::array<std::u16string, 4> LemmaMatchStopNames;
// "lemmas file %s", "match list file %s", "stop list file %s", "relation list file %s".
extern std::array<std::u16string, 4> LemmaMatchStopFileNames;
void Lemmastopmatchtypes_initialize();

// The kind's file text with `text` in place of its "%s" (the tables are filled first if
// the unit has not started).
std::u16string LemmaMatchStopFileTypeStr(TLemmaMatchStopOptions kind, std::u16string_view text);

// The match action of a menu tag: 1 for 156, 2 for 157, 3 for 209, 0 for any other.
std::int32_t TagToMatchAction(std::int32_t menu_tag);

}  // namespace corvane
