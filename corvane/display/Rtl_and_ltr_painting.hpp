#pragma once
// The concordance line drawer: a line of text is cut into word chunks (runs of letters,
// single spaces, separators, numbers, tags), each measured on the target canvas and given
// the colours and typefaces that apply to it; as many chunks as fit are placed from a start
// point, runs of left-to-right chunks inside right-to-left text (and the reverse) are put
// back into reading order, and the chunks are drawn one by one through corvane::Canvas.
//
// Positions are 0-based UTF-16 code units throughout (hits, extra-font runs, search-word
// positions). An extra-font run covers switch_on_at_char..switch_off_at_char inclusive; a
// negative switch_off_at_char runs to the end of the line.
//
// ---- Painting a concordance line (what a caller such as a picture writer does)
//
//   TMyTextDrawer drawer;                          // standard colours, search-word colours
//   drawer.default_colours_and_typefaces = ...;    // the line's colours (a style's standard)
//   TExtraFontList runs;                           // hit, sort words, tags: one run each,
//   runs.AddOne(ExtraFontRun(hit_start, hit_length, hit_colours, efc_centre_word));
//   drawer.SetExtraFontList(&runs);                // concExtraFontList (not owned)
//   canvas.font().name = ...; canvas.font().size = ...;   // the canvas font is used as set
//   drawer.DrawConcText(canvas, cell, text, hit_start, hit_length, lcid);
//
// DrawConcText(Canvas& canvas, const TRect& R, std::u16string_view text,
//              std::int32_t hit_start, std::int32_t hit_length, std::uint32_t lcid,
//              TCVoutput output = pra_screen, bool margins = false, bool pad_hit = false)
//   - canvas: its font name and size are used as they are; the drawer sets the font's
//     colour and bold/italic/underline/strike-out, the brush colour, the background mode
//     and the text alignment for each chunk.
//   - R: the cell. Everything drawn is clipped to it.
//   - text, hit_start, hit_length: the whole line and the hit in it.
//   - lcid: the text's locale; the base direction is BiDiModeFromLCID(lcid). In a
//     right-to-left line the text before the hit reads on the hit's right.
//   - the runs of concExtraFontList colour the chunks whose middle character they cover
//     (the last run that covers it wins); every other chunk takes
//     default_colours_and_typefaces.
//   - output: printer and print preview keep MonoChrome and never paint a selection.
//   - margins: keep the width of one space free at both edges.
//   - pad_hit: searchword_padding_character before the hit chunk and after the chunk where
//     the hit ends.
//   The hit chunk is centred on the cell (moved by HorizontalConcDisplacement widths of
//   "n"); the context fills outwards. With fjust_measuring set nothing is drawn, and the
//   answer is the rectangle the line needs when it may wrap over up to nine more lines a
//   side; otherwise the answer is the rectangle actually used. text_fits_within_Rect tells
//   whether everything fitted.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/definitions/Wdef_settings_lists.hpp"
#include "corvane/frame/Wdef_mini.hpp"
#include "corvane/platform/Canvas.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {

enum TCVAlignment : std::uint8_t {
  centre_aligned,
  default_aligned,
  right_aligned,
  decimal_aligned,
  plotting_aligned,
  spare_aligned,
  conc_aligned,
  spare2_aligned,
};

enum TCVoutput : std::uint8_t {
  pra_screen,
  pra_screen_test,
  pra_clipboard,
  pra_printer,
  pra_print_preview,
};

// One piece of a line: its text, its width on the canvas, whether its direction differs
// from the line's, and its colours (default_colours set: the drawer's defaults apply).
struct TWordChunk {
  std::u16string w;
  std::int32_t pixel_width = 0;
  bool odd_direction = false;
  TExtraFontRec colourAndFont;
  bool operator==(const TWordChunk&) const = default;
};

class TWordChunkHolder : public TObject {
 public:
  TWordChunkHolder() = default;
  explicit TWordChunkHolder(TWordChunk chunk) : data(std::move(chunk)) {}
  TWordChunk data;
};

struct TWordsWhichFit {
  std::int32_t first_segment = 0;
  std::int32_t last_segment = -1;
  std::int32_t pixels = 0;
  bool reorder_check_needed = false;
  bool operator==(const TWordsWhichFit&) const = default;
};

enum TNextWordFitting : std::uint8_t {
  nw_untested,
  nw_fits_OK,
  nw_wont_fit,
  nw_done_all,
  nw_found_span,
};

struct TNextWordFitPlusLastWordnumber {
  TNextWordFitting nextword_fit = nw_untested;
  std::int32_t last_wordnumber_painted = -1;
};

struct TShrinkRec {
  std::u16string shrink_str;
  std::int32_t mid = 0;
  TRect R;
};

// The font styles of a canvas font (bold, italic, underline, strike-out).
struct TFontStyles {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  bool operator==(const TFontStyles&) const = default;
};

// The chunks of one line, owning their holders.
class TWordChunkList : public TList {
 public:
  TWordChunkList(const TMyCanvasColourRecAndTypeface& defaults, char16_t padding_character,
                 bool concordancing);
  ~TWordChunkList() override;

  // Cuts text into chunks, measuring each on the canvas (see the .cpp for the rules).
  // extra_fonts may be null. Answers the index of the chunk that holds hit_start when
  // concordancing (the last chunk's index when none does, or when not concordancing);
  // -1 for a text that gives no chunk.
  std::int32_t LoadFrom(std::u16string_view text, std::int32_t hit_start, std::int32_t hit_length,
                        const TExtraFontList* extra_fonts, Canvas& canvas, std::uint32_t lcid,
                        TBiDiMode direction, bool pad_hit);
  // A copy of chunk i; an all-zero chunk when i is outside the list.
  TWordChunk GetAWordChunk(std::int32_t i) const;
  // The sum of the widths of the chunks at the indexes (indexes outside count 0).
  std::int32_t LineWidth(const std::vector<std::int32_t>& indexes) const;
  // The chunks from `first` whose widths add up to at most `width` (a single space at
  // either end not counted when trim is set).
  TWordsWhichFit WhichWordsFit(std::int32_t first, std::int32_t width, bool trim) const;
  void Clear() override;

  TWordChunkHolder* Holder(std::int32_t i) const;
  void AddChunk(TWordChunk chunk);

  TMyCanvasColourRecAndTypeface fdefault;
  char16_t searchword_padding_character = u' ';
  bool concordancing = false;
  TBiDiMode BaseDirection = bdLeftToRight;
  bool has_odd_directions = false;

 protected:
  void Notify(void* item, TListNotification action) override;
};

// ---- Free routines

// The text-output options: clipped (4), plus right-to-left reading (128).
unsigned GetMyTextFlags(TBiDiMode direction);
std::int32_t GetMyDisplayMargins(std::int32_t margin, bool wanted);
TSize CanvasPixelWidthAndHeight(std::u16string_view text, Canvas& canvas);
// As above, one pixel more for each space when add_space_pixels is set.
TSize CanvasPixelWidthAndHeight(std::u16string_view text, Canvas& canvas, bool add_space_pixels);
// The height of "Yy".
std::int32_t ComputedTextHeight(Canvas& canvas);
// The height of "yTTG": the height of one line of chunks.
std::int32_t ComputedLineHeight(Canvas& canvas);
TPoint ComputedRectDeadCentre(const TRect& R, std::int32_t height);
// n times the width of "n".
std::int32_t ComputedTextDisplacement(Canvas& canvas, std::int32_t n);
TFontStyles TypeFaceToFontStyles(Ttypeface_Set set);
Ttypeface_Set LargerOfTwoTypeFaces(Ttypeface_Set a, Ttypeface_Set b);
TFontStyles LargerTypeFaceToFontStyles(Ttypeface_Set a, Ttypeface_Set b);
// Sets the canvas font's styles; a null canvas raises "error setting font style".
void TryToSetFontStyle(Canvas* canvas, TFontStyles styles);
std::int32_t ShiftUpLinePixels(std::int32_t x, const TWordChunk& chunk, bool backwards);
// Reverses in the list each run of three or more odd-direction chunks between first and
// last (a single space, or less, at the run's end stays where it is).
void ReorderAnyLTRSinRTLSequences(TWordChunkList& list, std::int32_t first, std::int32_t last);
// Draws text in R narrowed to `width`: a path (":\" or "\\" in it) shortened in its middle,
// anything else at its end.
void EllipsisOutputALine(Canvas& canvas, std::u16string_view text, TRect R, std::int32_t width);
// Where the items occur in text (word boundaries as flagged; upper-cased unless case
// sensitive), ascending.
std::vector<std::int64_t> FindBoundedSWPositionsInString(const TBaseSearchItems& items,
                                                         std::u16string_view text);
// A run of colours and typefaces for the characters start..start+length-1.
TExtraFontRec ExtraFontRun(std::int32_t start, std::int32_t length,
                           const TMyCanvasColourRecAndTypeface& colours,
                           TExtraFontCategory applies_to);
// The colour as a device takes it: a system colour (top byte 0xFF) resolved.
TColor DeviceColour(TColor colour);

// ---- The painter

class TMyTextDrawer : public TObject {
 public:
  TMyTextDrawer();
  ~TMyTextDrawer() override;
  TMyTextDrawer(const TMyTextDrawer&) = delete;
  TMyTextDrawer& operator=(const TMyTextDrawer&) = delete;

  // Paints one concordance line in the cell R; see the top of this file.
  TRect DrawConcText(Canvas& canvas, const TRect& R, std::u16string_view text,
                     std::int32_t hit_start, std::int32_t hit_length, std::uint32_t lcid,
                     TCVoutput output = pra_screen, bool margins = false, bool pad_hit = false);
  // Paints one plain line in R with the alignment, colouring the search words (fSearchlist,
  // or otherswlist when using_otherSWList) in search_colours_and_style and the runs of
  // defaultExtraFontList. With Word_wrapped, further lines follow while they fit in R (or
  // while measuring). Answers the number of lines laid out.
  std::int32_t ParseAndPaintOneLine(std::u16string_view text, Canvas& canvas, const TRect& R,
                                    TCVAlignment alignment, TCVoutput output, std::uint32_t lcid);
  // Paints the chunks from `first` as line number `line` of R.
  TNextWordFitPlusLastWordnumber PaintOneLine(std::int32_t first, std::int32_t line, const TRect& R,
                                              TWordChunkList& list, Canvas& canvas,
                                              unsigned options);
  TWordsWhichFit ComputedFitSpan(TWordChunkList& list, std::int32_t first, std::int32_t width);
  TNextWordFitting NextWordFitsOK(const TWordChunkList& list, std::int32_t next, std::int32_t x,
                                  const TRect& R) const;
  std::int32_t GetPlaceXNearMargin(const TRect& R) const;
  std::int32_t GetPlaceXForLineWidth(const TRect& R, std::int32_t width,
                                     TCVAlignment alignment) const;
  void SetColoursAndTypeForWord(Canvas& canvas, const TWordChunk& chunk);
  void SetupHighlightOutputColours(Canvas& canvas, bool selected, TCVoutput output, const TRect& R);
  void SetFontStyle(Canvas& canvas, Ttypeface_Set typeface);
  void SetMainColoursTo(const TMyCanvasColourRecAndTypeface& colours);
  void SetColoursToMonochrome();
  // The colours of a visual style: its standard colours for the text, its search-word
  // colours for search words.
  void SetStyleColours(TTMSStyle style);
  TExtraFontRec DefaultExtraFontRec() const;
  // concExtraFontList := list (not owned; null for none).
  void SetExtraFontList(TExtraFontList* list);
  TExtraFontList* GetAdditionalFontList() const { return concExtraFontList; }

  // ---- Search words
  std::int32_t AddASearch(const std::u16string& text);
  std::int32_t AddASearchRequest(const std::u16string& text, bool case_sensitive);
  void AddSearches(const std::vector<std::u16string>& texts);
  // otherswlist := items (not owned); using_otherSWList := items is not null.
  void AssignOtherSWList(TBaseSearchItems* items);
  void ClearAllSearches();
  void ClearOneSearch(std::int32_t i);
  void SetASearch(std::int32_t i, const std::u16string& text);
  std::int32_t IndexOfASearch(const std::u16string& text) const;
  bool LineContainsAnySearchWords(std::u16string_view text) const;
  // The list in use: otherswlist when using_otherSWList, else fSearchlist.
  TBaseSearchItems& Searchlist() const;
  std::vector<std::int64_t> GetSearchHits(std::u16string_view text) const;

  // ---- Typefaces
  Ttypeface_Set GetBaseTypefaces() const;
  void SetBaseTypefaces(Ttypeface_Set typefaces);
  void IncludeOrExcludeInDefaultTypeface(TTypefaceStyle style, bool include);
  // Paints as deleted: the default typeface gets strike-out and DeletedEntry is set.
  void SetMainFontFaceDeleted(bool deleted);

  // The fields, in their order.
  char16_t searchword_padding_character = u' ';
  bool fjust_measuring = false;
  std::int32_t line_height = 0;  // 0: the canvas's "yTTG" height
  std::int32_t interline_spacing = 2;
  TMyCanvasColourRecAndTypeface search_colours_and_style;
  TMyCanvasColourRecAndTypeface default_colours_and_typefaces;
  TBaseSearchItems* otherswlist = nullptr;
  std::unique_ptr<TSearchWordItems> fSearchlist;
  std::unique_ptr<TExtraFontList> defaultExtraFontList;
  TExtraFontList* concExtraFontList = nullptr;
  TBiDiMode BaseDirection = bdLeftToRight;
  bool DeletedEntry = false;
  bool text_fits_within_Rect = false;
  bool MonoChrome = false;
  std::int32_t HorizontalConcDisplacement = 0;
  std::int32_t edge_margin = 0;
  TCVAlignment Alignamento = default_aligned;
  bool Selecionado = false;
  bool VCentred = false;
  bool Word_wrapped = false;
  bool Transparent_Background = false;
  bool using_otherSWList = false;

 private:
  std::int32_t effective_line_height(Canvas& canvas);
  void draw_chunk(Canvas& canvas, const TWordChunk& chunk, std::int32_t left, std::int32_t y,
                  const TRect& R, unsigned options);
  void draw_shrunk_chunk(Canvas& canvas, const TWordChunk& chunk, std::int32_t x, std::int32_t y,
                         const TRect& R, TBiDiMode direction);
};

}  // namespace corvane
