#pragma once
// How wide text shows on a terminal: a grapheme cluster (a character with the combining
// marks and joiners that belong to it) takes the columns of its first character: two for
// wide and full-width East Asian characters and emoji shown as pictures, none for a
// combining mark, joiner or other zero-width character standing alone, one otherwise
// (ASCII control characters included, which hosts show as spaces).
// Text is cut only between clusters.

#include <cstddef>
#include <string_view>

namespace corvane {

// Columns the text takes.
std::size_t display_columns(std::u16string_view text);

// The longest start (display_head) or end (display_tail) of the text that takes at most
// `columns` columns, cut between grapheme clusters. `used` receives its columns.
std::u16string_view display_head(std::u16string_view text, std::size_t columns, std::size_t& used);
std::u16string_view display_tail(std::u16string_view text, std::size_t columns, std::size_t& used);

}  // namespace corvane
