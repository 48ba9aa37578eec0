#pragma once
// A model of a rich-edit control (the text, its coloured and styled runs, the selection,
// the margins, the caret and the first visible line) and the helpers that colour parts of
// it: one range, or every occurrence of some words. The model writes itself out as an RTF
// document, as HTML, or as text with terminal colour codes.
//
// Positions and lengths count UTF-16 code units from 0. Lines end at CR LF, LF or CR.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"

namespace corvane {

struct TCharRange {
  std::int32_t cpMin = 0;
  std::int32_t length = 0;
};

// How a stretch of text looks. kNoColour: the control's own text colour / no background.
struct TRichCharFormat {
  TColor fore = kNoColour;
  TColor back = kNoColour;
  Ttypeface_Set styles;
  bool operator==(const TRichCharFormat&) const = default;
};

struct TRichRun {
  std::int32_t start = 0;
  std::int32_t length = 0;
  TRichCharFormat format;
};

// Which parts of a format a change sets.
enum TRichFormatMask : std::uint8_t {
  rf_fore = 1,
  rf_back = 2,
  rf_styles = 4,
};

class TRichEdit {
 public:
  TRichEdit();

  // Replaces the text; all formatting goes, the caret, selection and scroll go to the start.
  // A text of 2^31 - 1 code units or more raises std::length_error.
  void set_text(std::u16string text);
  const std::u16string& text() const { return ftext; }

  // The control's own colours (kNoColour: the writer's default, black on white).
  TColor font_colour = kNoColour;
  TColor background_colour = kNoColour;
  // The title of the HTML document (empty: "Text").
  std::u16string title;

  // Selection, clamped into the text. A selection also moves the caret to its end.
  void set_selection(TCharRange range);
  TCharRange selection() const { return fselection; }
  // Sets the parts of the selection's format named by `mask` (TRichFormatMask bits).
  void format_selection(const TRichCharFormat& format, std::uint8_t mask);
  // The same for any range (clamped into the text).
  void format_range(TCharRange range, const TRichCharFormat& format, std::uint8_t mask);
  // The format of the character at `position` (the plain format outside the text).
  TRichCharFormat format_at(std::int32_t position) const;
  // Runs of one format covering the whole text, in order (none for an empty text).
  std::vector<TRichRun> runs() const;

  // The margins as the set-margins message carries them: left in the low 16 bits, right in
  // the high 16 bits (pixels).
  void set_margins_message(std::uint32_t packed);
  std::int32_t left_margin() const { return fleft_margin; }
  std::int32_t right_margin() const { return fright_margin; }

  std::int32_t caret() const { return fcaret; }
  void set_caret(std::int32_t position);  // clamped; empties the selection there

  // Lines: how many (an empty text has one), the line holding a position, a line's start.
  std::int32_t line_count() const { return static_cast<std::int32_t>(fline_starts.size()); }
  std::int32_t line_of(std::int32_t position) const;
  std::int32_t line_start(std::int32_t line) const;

  // Scrolling: the first line shown, and how many lines the window shows (20 until the
  // host says otherwise).
  std::int32_t first_visible_line() const { return ffirst_visible; }
  void set_first_visible_line(std::int32_t line);  // clamped to 0 .. line_count()-1
  std::int32_t visible_line_count() const { return fvisible_lines; }
  void set_visible_line_count(std::int32_t lines);  // at least 1
  // Scrolls the least needed to show the caret's line.
  void scroll_caret_into_view();

  // A whole RTF document: a font table, a colour table of every colour used (system
  // colours resolved), each formatted run in its own group with \cf for the text colour,
  // \highlight, \cb and \chcbpat for the background, \b \i \ul \strike for typefaces;
  // characters beyond ASCII as \uN? (N signed 16-bit, a surrogate pair as two), line
  // breaks as \par.
  std::string rtf() const;
  // UTF-8 HTML without a surrounding element: the text escaped, each formatted run as
  // <span style="color:#rrggbb;background-color:#rrggbb">...</span> (a part left out when
  // that colour is not set; typefaces as <b>, <i>, <u>, <s> inside), line breaks as <br>.
  std::string html_fragment() const;
  // A whole HTML document around the fragment, in the control's own colours.
  std::string html() const;
  // The text in UTF-8 with 24-bit terminal colour codes around each formatted run; line
  // breaks as LF.
  std::string ansi() const;

 private:
  void clamp(TCharRange& range) const;

  std::u16string ftext;
  // Format changes: the format at key k holds up to the next key. Always has a key 0.
  std::map<std::int32_t, TRichCharFormat> fformats;
  std::vector<std::int32_t> fline_starts;
  TCharRange fselection;
  std::int32_t fcaret = 0;
  std::int32_t fleft_margin = 0;
  std::int32_t fright_margin = 0;
  std::int32_t ffirst_visible = 0;
  std::int32_t fvisible_lines = 20;
};

// Sends the set-margins message: left and right packed into one 32-bit value, left in the
// low half.
void SetRicheditMargins(TRichEdit& edit, std::int32_t left, std::int32_t right);
// The selection's background colour.
void RichEdit_SetSelBgColor(TRichEdit& edit, TColor colour);
// Selects the range, sets its typefaces and text colour, then its background colour.
void RichEdit_ColourASection(TRichEdit& edit, TColor fore, TColor back, Ttypeface_Set styles,
                             TCharRange range);
// For a position of 0 or more: the caret goes there and is scrolled into view.
void RichEdit_ScrollToPOsition(TRichEdit& edit, std::int32_t position);
// Scrolls so that the line stands in the middle of the visible lines (or as near as the
// start of the text allows).
void CentreLineVerticallyInEdit(TRichEdit& edit, std::int32_t line);

// How RichEdit_ColourAllTheseWords matches.
struct TColourWordsOptions {
  bool whole_words = true;      // a match may not touch a letter, digit or mark on either side
  bool case_sensitive = false;  // else compared in simple lower case
};
// Colours every occurrence of the words: text colour colours[tct_text], background
// colours[tct_background], and the typefaces. A word ending in "*" matches any word that
// starts with the rest. Where words overlap, the longest match at the leftmost place wins
// and the search goes on after it. Empty words are ignored. Returns the number of
// occurrences coloured. The selection and caret are left as they were.
std::int32_t RichEdit_ColourAllTheseWords(TRichEdit& edit, const std::vector<std::u16string>& words,
                                          const TMyCanvasColourRec& colours, Ttypeface_Set styles,
                                          const TColourWordsOptions& options = {});

}  // namespace corvane
