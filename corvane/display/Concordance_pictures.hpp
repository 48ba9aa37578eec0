#pragma once
// Pictures of a concordance: each hit one line, painted by the line drawer (DrawConcText)
// in its own cell, cell_width pixels wide and one row high, the cells stacked from the top
// with no margins. The hit stands at the centre of its cell with as much context as fits
// around it; in a right-to-left language (by its locale, BiDiModeFromLCID) the text before
// the hit reads on its right.
//
// Colours come from a display style: the line in the style's standard colours, the hit in
// the search-word role's colours, the words of the sort keys in the three sort roles'
// colours, tags ("<...>") in the tag role's colours; the drawer gets them as extra-font
// runs.
//
// Three forms, any of them at once:
//   PNG  - drawn with real fonts on the cairo canvas. Its height is lines x row height;
//          an image holds at most most_png_lines lines (and never more than cairo's
//          32767 pixels high): the lines beyond are left out of the PNG only, and counted.
//   SVG  - the same drawing on the SVG canvas (text stays text), streamed to its file.
//   HTML - a table, one <tr> a line (dir="rtl" for a right-to-left language) with cells of
//          class "before", "hit" and "after", the text in logical order, coloured runs as
//          the rich-text model writes them; streamed to its file.
// Every file is written beside its name and renamed over it when complete.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/definitions/Mytmsstylebase.hpp"
#include "corvane/search/Concordance_sort.hpp"

namespace corvane {

struct concordance_picture_options {
  TTMSStyle style = 0;  // 0 to kHighestTMSStyle
  int cell_width = 1000;
  std::u16string font = u"DejaVu Sans";
  int font_size = 11;           // points
  std::uint32_t lcid = 0x0409;  // the texts' language: the lines' direction
  // The sort keys whose words are coloured, and the characters allowed inside words.
  std::vector<ConcordSortKey> sort_keys;
  std::u16string allowed_in_words = std::u16string(kDefaultAllowedInWords);
  std::size_t most_png_lines = 4000;
};

// Where the pictures go; an empty name: that form is not written.
struct concordance_picture_files {
  std::string png, svg, html;
};

// Checks the options: a known style, a font size of 1 to 200 points, a cell at most 32767
// pixels wide and no narrower than a character ("W") of the font. False with a message.
bool check_concordance_picture_options(const concordance_picture_options& options,
                                       std::string& error);

// The coloured runs of a line (positions in left + hit + right, in UTF-16 units).
struct concordance_line_run {
  std::int32_t start = 0, length = 0;
  int role = 0;  // a TWordHandlingColours value
};
// The runs of a line in the order the drawer applies them (a later run wins where they
// overlap): tags, then the words of the sort keys (first key last, so that it wins), then
// the hit.
std::vector<concordance_line_run> concordance_line_runs(std::u16string_view left,
                                                        std::u16string_view hit,
                                                        std::u16string_view right,
                                                        const concordance_picture_options& options);

class concordance_pictures {
 public:
  concordance_pictures(concordance_picture_files files, concordance_picture_options options);
  ~concordance_pictures();
  concordance_pictures(const concordance_pictures&) = delete;
  concordance_pictures& operator=(const concordance_pictures&) = delete;

  // Told once per font family that is not installed, with the family used instead.
  void on_warning(std::function<void(const std::string&)> warn);

  // Checks the options and opens the streamed files. False with a message.
  bool begin(std::string& error);
  // One concordance line; control characters show as spaces. False once writing failed
  // (finish() says why).
  bool add(std::u16string_view left, std::u16string_view hit, std::u16string_view right);
  // Ends the documents, writes the PNG and renames every file into place. False with a
  // message for the first that failed.
  bool finish(std::string& error);

  std::size_t lines() const noexcept;
  // Lines that are in the SVG and HTML but not in the PNG (its cap).
  std::size_t png_lines_left_out() const noexcept;
  // The height of one cell, in pixels.
  int row_height() const noexcept;

 private:
  struct impl;
  std::unique_ptr<impl> impl_;
};

}  // namespace corvane
