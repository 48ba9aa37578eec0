#pragma once
// Fixed-size search-word buffers: 80 UTF-16 characters and a terminating zero.

#include <array>
#include <string>

namespace corvane {

using search_word_type32 = std::array<char16_t, 81>;

// A zero-filled buffer holding at most the first 80 characters of `s`.
search_word_type32 StringToSearch_word_type32(const std::u16string& s);

// The characters up to the first 0 (null gives an empty string).
std::u16string Search_word_type32ToString(const char16_t* p);

}  // namespace corvane
