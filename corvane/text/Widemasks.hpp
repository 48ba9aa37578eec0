#pragma once
// File-name masks: lists of masks cut from a ";"-separated text, and matching a name
// against one mask ("*" any run of characters, "?" exactly one, letter case ignored).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// masks := the pieces of the trimmed text, cut at each ";" after every CR LF became ";".
// Every piece before a ";" is an entry, even an empty one; the rest after the last ";" is
// one only when not empty. Pieces are not trimmed.
void BuildAMask(std::vector<std::u16string>& masks, std::u16string_view text);

// Whether the whole name matches the mask: "*" matches any run (also none), "?" one
// character, everything else itself with letter case ignored (simple case folding); the
// mask "*.*" matches every name, with or without a dot, as the shell's masks do. An
// empty name never matches.
bool MatchesMask(std::u16string_view name, std::u16string_view mask);

// The index of the first non-empty mask that matches the name, or -1.
std::int32_t WhereInAMask(std::u16string_view name, const std::vector<std::u16string>& masks);

}  // namespace corvane
