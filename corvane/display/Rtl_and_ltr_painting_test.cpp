#include "corvane/display/Rtl_and_ltr_painting.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

constexpr std::uint32_t kEnglish = 0x0409;
constexpr std::uint32_t kHebrew = 0x040D;

std::vector<std::u16string> chunk_texts(const TWordChunkList& list) {
  std::vector<std::u16string> out;
  for (std::int32_t i = 0; i < list.Count(); ++i) out.push_back(list.GetAWordChunk(i).w);
  return out;
}

std::vector<std::u16string> load(std::u16string_view text, TBiDiMode dir = bdLeftToRight) {
  FixedAdvanceCanvas canvas;
  TWordChunkList list(TMyCanvasColourRecAndTypeface{}, u' ', false);
  list.LoadFrom(text, -1, 0, nullptr, canvas, 0, dir, false);
  return chunk_texts(list);
}

// The visible texts drawn, from the leftmost to the rightmost (one line).
std::vector<std::u16string> left_to_right(const FixedAdvanceCanvas& canvas) {
  std::vector<FixedAdvanceCanvas::Drawn> d = canvas.drawn();
  std::stable_sort(d.begin(), d.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
  std::vector<std::u16string> out;
  for (const auto& e : d) out.push_back(e.text);
  return out;
}

const FixedAdvanceCanvas::Drawn* find_drawn(const FixedAdvanceCanvas& canvas,
                                            std::u16string_view text) {
  for (const auto& d : canvas.drawn())
    if (d.text == text) return &d;
  return nullptr;
}

using V = std::vector<std::u16string>;

TEST(WordChunks, BreaksAtSpacesSeparatorsTagsAndDirection) {
  EXPECT_EQ(load(u"Hello, world 1,234 and 3.5"),
            (V{u"Hello", u",", u" ", u"world", u" ", u"1,234", u" ", u"and", u" ", u"3.5"}));
  EXPECT_EQ(load(u"a,b"), (V{u"a", u",", u"b"}));
  // Tags stay whole, and a word after a closed tag starts a chunk.
  EXPECT_EQ(load(u"say <w pos=\"x\">hi</w> now"),
            (V{u"say", u" ", u"<w pos=\"x\">", u"hi", u"</w>", u" ", u"now"}));
  // A lone "<" opens no tag.
  EXPECT_EQ(load(u"a < b"), (V{u"a", u" ", u"<", u" ", u"b"}));
  // White space: the first stands alone, more of it starts the next chunk.
  EXPECT_EQ(load(u"a   b"), (V{u"a", u" ", u"  b"}));
  // Leading blanks go; a change of direction ends a chunk.
  EXPECT_EQ(load(u"  abcשלום"), (V{u"abc", u"שלום"}));
  // Combining marks and joiners stay with their letters.
  EXPECT_EQ(load(u"ba\u0301d \u0628\u064E\u200D\u0628", bdRightToLeft),
            (V{u"ba\u0301d", u" ", u"\u0628\u064E\u200D\u0628"}));
  EXPECT_TRUE(load(u"").empty());
  EXPECT_TRUE(load(u"   ").empty());
}

TEST(WordChunks, OddDirectionsWidthsAndTheHitChunk) {
  FixedAdvanceCanvas canvas(8, 16);
  TWordChunkList list(TMyCanvasColourRecAndTypeface{}, u'#', true);
  const std::u16string text = u"שלום big world";
  EXPECT_EQ(list.LoadFrom(text, 9, 5, nullptr, canvas, kHebrew, bdRightToLeft, true), 4);
  EXPECT_TRUE(list.has_odd_directions);
  EXPECT_FALSE(list.GetAWordChunk(0).odd_direction);
  EXPECT_TRUE(list.GetAWordChunk(2).odd_direction);
  EXPECT_TRUE(list.GetAWordChunk(3).odd_direction);  // the space between English words
  EXPECT_EQ(list.GetAWordChunk(4).w, u"#world#");    // padded both sides
  EXPECT_EQ(list.GetAWordChunk(4).pixel_width, 56);
  EXPECT_EQ(list.GetAWordChunk(99), TWordChunk{});
  EXPECT_EQ(list.LineWidth({0, 2, 99}), 56);
  // Leading blanks are never skipped past the hit.
  EXPECT_EQ(list.LoadFrom(u"  ab", 1, 1, nullptr, canvas, kEnglish, bdLeftToRight, false), 0);
  EXPECT_EQ(chunk_texts(list), (V{u" ", u"ab"}));
  // A hit that no chunk holds answers the last chunk.
  EXPECT_EQ(list.LoadFrom(u"ab cd", 40, 1, nullptr, canvas, kEnglish, bdLeftToRight, false), 2);
}

TEST(WordChunks, ExtraFontRunsColourByMiddleCharacterLastRunWinning) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyCanvasColourRecAndTypeface red{}, blue{};
  red.colourset.colours[tct_text] = 0x0000FF;
  red.default_typeface.include(tf_bold);
  blue.colourset.colours[tct_text] = 0xFF0000;
  TExtraFontList runs;
  runs.AddOne(ExtraFontRun(0, 9, red, efc_sort1));   // "one two t"
  runs.AddOne(ExtraFontRun(4, 3, blue, efc_sort2));  // "two"
  TWordChunkList list(TMyCanvasColourRecAndTypeface{}, u' ', false);
  list.LoadFrom(u"one two three", -1, 0, &runs, canvas, kEnglish, bdLeftToRight, false);
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list.GetAWordChunk(0).colourAndFont.colour_rec.colours[tct_text], 0x0000FFu);
  EXPECT_EQ(list.GetAWordChunk(2).colourAndFont.colour_rec.colours[tct_text], 0xFF0000u);
  EXPECT_TRUE(list.GetAWordChunk(1).colourAndFont.default_colours);  // a single space
  // "three" has its middle (position 10) outside both runs.
  EXPECT_TRUE(list.GetAWordChunk(4).colourAndFont.default_colours);
  EXPECT_FALSE(canvas.font().bold);  // measuring restored the style
}

TEST(WordChunks, FittingTrimsSpacesAtEitherEnd) {
  FixedAdvanceCanvas canvas(8, 16);
  TWordChunkList list(TMyCanvasColourRecAndTypeface{}, u' ', false);
  list.LoadFrom(u"aa bb cc", -1, 0, nullptr, canvas, kEnglish, bdLeftToRight, false);
  EXPECT_EQ(list.WhichWordsFit(0, 47, false), (TWordsWhichFit{0, 2, 40, false}));
  EXPECT_EQ(list.WhichWordsFit(0, 48, true), (TWordsWhichFit{0, 2, 40, false}));
  EXPECT_EQ(list.WhichWordsFit(0, 48, false), (TWordsWhichFit{0, 3, 48, false}));
  EXPECT_EQ(list.WhichWordsFit(1, 100, true), (TWordsWhichFit{2, 4, 40, false}));
  EXPECT_EQ(list.WhichWordsFit(0, 10, false), (TWordsWhichFit{0, -1, 0, false}));
}

TEST(Reordering, EnglishPhraseInRightToLeftLineReadsInOrder) {
  FixedAdvanceCanvas canvas(8, 16);
  TWordChunkList list(TMyCanvasColourRecAndTypeface{}, u' ', false);
  list.LoadFrom(u"שלום big world עולם", -1, 0, nullptr, canvas, kHebrew, bdRightToLeft, false);
  ReorderAnyLTRSinRTLSequences(list, 0, list.Count() - 1);
  // The trailing space of the English run stays where it was.
  EXPECT_EQ(chunk_texts(list), (V{u"שלום", u" ", u"world", u" ", u"big", u" ", u"עולם"}));

  // One English word and its space are not moved.
  list.LoadFrom(u"שלום big עולם", -1, 0, nullptr, canvas, kHebrew, bdRightToLeft, false);
  ReorderAnyLTRSinRTLSequences(list, 0, list.Count() - 1);
  EXPECT_EQ(chunk_texts(list), (V{u"שלום", u" ", u"big", u" ", u"עולם"}));

  // Painted right to left, the phrase reads word 1, space, word 2.
  TMyTextDrawer drawer;
  drawer.ParseAndPaintOneLine(u"שלום big world עולם", canvas, TRect{0, 0, 400, 20}, default_aligned,
                              pra_screen, kHebrew);
  EXPECT_EQ(left_to_right(canvas), (V{u"עולם", u" ", u"big", u" ", u"world", u" ", u"שלום"}));
  EXPECT_EQ(canvas.drawn().front().x + 32, 400);  // from the right edge
  EXPECT_EQ(canvas.drawn().front().options, 132u);
}

TEST(Reordering, HebrewPhraseInLeftToRightLineReadsInOrder) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.ParseAndPaintOneLine(u"see אבג דהו now", canvas, TRect{0, 0, 400, 20}, default_aligned,
                              pra_screen, kEnglish);
  EXPECT_EQ(left_to_right(canvas), (V{u"see", u" ", u"דהו", u" ", u"אבג", u" ", u"now"}));
}

TEST(PaintOneLine, DefaultAlignedStopsAtTheRightMargin) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  TWordChunkList list(drawer.default_colours_and_typefaces, u' ', false);
  list.LoadFrom(u"aa bb cc dd", -1, 0, nullptr, canvas, kEnglish, bdLeftToRight, false);
  const TNextWordFitPlusLastWordnumber r =
      drawer.PaintOneLine(0, 0, TRect{0, 0, 80, 20}, list, canvas, kTextOutClipped);
  EXPECT_EQ(r.nextword_fit, nw_wont_fit);
  EXPECT_EQ(r.last_wordnumber_painted, 5);
  EXPECT_EQ(left_to_right(canvas), (V{u"aa", u" ", u"bb", u" ", u"cc", u" "}));
  EXPECT_EQ(canvas.drawn()[4].x, 48);

  // Centred and right-aligned lines place the fitted span (no trailing space).
  canvas.clear_drawn();
  drawer.Alignamento = centre_aligned;
  drawer.PaintOneLine(0, 0, TRect{0, 0, 80, 20}, list, canvas, kTextOutClipped);
  EXPECT_EQ(canvas.drawn().front().x, 0 + (80 - 64) / 2);
  canvas.clear_drawn();
  drawer.Alignamento = right_aligned;
  drawer.PaintOneLine(6, 0, TRect{0, 0, 80, 20}, list, canvas, kTextOutClipped);
  ASSERT_EQ(canvas.drawn().size(), 1u);
  EXPECT_EQ(canvas.drawn()[0].x, 80 - 16 - 1);
}

TEST(PaintOneLine, RightToLeftPlacesFromTheOtherSide) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.ParseAndPaintOneLine(u"אב גד", canvas, TRect{0, 0, 100, 20}, right_aligned, pra_screen,
                              kHebrew);
  // Right-aligned right to left: against the left edge, one pixel in.
  EXPECT_EQ(left_to_right(canvas), (V{u"גד", u" ", u"אב"}));
  EXPECT_EQ(canvas.drawn().front().x + 16, 0 + 40 + 1);
  canvas.clear_drawn();
  drawer.ParseAndPaintOneLine(u"אב גד", canvas, TRect{0, 0, 100, 20}, centre_aligned, pra_screen,
                              kHebrew);
  EXPECT_EQ(canvas.drawn().front().x + 16, 100 - (100 - 40) / 2);

  drawer.BaseDirection = bdRightToLeft;
  drawer.edge_margin = 5;
  const TRect R{0, 0, 100, 20};
  EXPECT_EQ(drawer.GetPlaceXForLineWidth(R, 40, centre_aligned), 70);
  EXPECT_EQ(drawer.GetPlaceXForLineWidth(R, 40, right_aligned), 95);
  EXPECT_EQ(drawer.GetPlaceXForLineWidth(R, 40, default_aligned), 45);
  drawer.BaseDirection = bdLeftToRight;
  EXPECT_EQ(drawer.GetPlaceXForLineWidth(R, 40, centre_aligned), 30);
  EXPECT_EQ(drawer.GetPlaceXForLineWidth(R, 40, right_aligned), 55);
  EXPECT_EQ(drawer.GetPlaceXForLineWidth(R, 40, default_aligned), 5);
}

TEST(PaintOneLine, ChunkWiderThanTheCellLosesItsMiddleThreeAtATime) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.ParseAndPaintOneLine(u"abcdefghijklmnopqrst", canvas, TRect{0, 0, 80, 20}, default_aligned,
                              pra_screen, kEnglish);
  ASSERT_EQ(canvas.drawn().size(), 1u);
  // 20 -> 17 -> 14 -> 11 -> 8 characters (64 px < 80 - 8), the ellipsis at the last cut.
  EXPECT_EQ(canvas.drawn()[0].text, u"abcde\u2026rst");
  EXPECT_EQ(canvas.drawn()[0].x, 80 - 72);  // right-aligned in the cell
}

TEST(PaintOneLine, WrapsAndMeasuresLines) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.Word_wrapped = true;
  const std::u16string text = u"aaaa bbb ccc dd eeee";
  EXPECT_EQ(drawer.ParseAndPaintOneLine(text, canvas, TRect{0, 0, 64, 40}, default_aligned,
                                        pra_screen, kEnglish),
            2);
  EXPECT_FALSE(drawer.text_fits_within_Rect);  // "eeee" would need a third line
  std::vector<std::u16string> second;
  for (const auto& d : canvas.drawn())
    if (d.y == 18) second.push_back(d.text);
  // The space that ended the first line does not start the second.
  EXPECT_EQ(second, (V{u"ccc", u" ", u"dd", u" "}));
  canvas.clear_drawn();
  drawer.fjust_measuring = true;
  EXPECT_EQ(drawer.ParseAndPaintOneLine(text, canvas, TRect{0, 0, 64, 40}, default_aligned,
                                        pra_screen, kEnglish),
            3);
  EXPECT_TRUE(drawer.text_fits_within_Rect);
  EXPECT_TRUE(canvas.drawn().empty());
}

TEST(ConcordanceLine, HitCentredWithContextOnBothSides) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"the cat sat", 4, 3, kEnglish);
  EXPECT_TRUE(drawer.text_fits_within_Rect);
  EXPECT_EQ(left_to_right(canvas), (V{u"the", u" ", u"cat", u" ", u"sat"}));
  EXPECT_EQ(find_drawn(canvas, u"cat")->x, 200 - 12);
  EXPECT_EQ(find_drawn(canvas, u"the")->x, 188 - 32);
  EXPECT_EQ(find_drawn(canvas, u"sat")->x, 212 + 8);
  // Moved by two widths of "n".
  canvas.clear_drawn();
  drawer.HorizontalConcDisplacement = -2;
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"the cat sat", 4, 3, kEnglish);
  EXPECT_EQ(find_drawn(canvas, u"cat")->x, 200 - 16 - 12);
}

TEST(ConcordanceLine, RightToLeftContextBeforeTheHitStandsOnItsRight) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"אבג דהו זחט", 4, 3, kHebrew);
  EXPECT_EQ(find_drawn(canvas, u"דהו")->x, 188);
  EXPECT_EQ(find_drawn(canvas, u"אבג")->x, 212 + 8);
  EXPECT_EQ(find_drawn(canvas, u"זחט")->x, 188 - 32);
  EXPECT_EQ(find_drawn(canvas, u"אבג")->options, 132u);

  // An English phrase after the hit still reads left to right.
  canvas.clear_drawn();
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"שלום big world עולם", 0, 4, kHebrew);
  EXPECT_EQ(left_to_right(canvas), (V{u"עולם", u" ", u"big", u" ", u"world", u" ", u"שלום"}));
  EXPECT_EQ(find_drawn(canvas, u"big")->options, kTextOutClipped);
}

TEST(ConcordanceLine, ColoursOfRunsDefaultsAndSelection) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  TMyCanvasColourRecAndTypeface hit{};
  hit.colourset.colours[tct_text] = 0x0000FF;  // red: the low byte
  hit.colourset.colours[tct_background] = 0x00FFFF;
  hit.colourset.colours[tct_selected_text] = 0x111111;
  hit.colourset.colours[tct_selected_background] = 0x222222;
  hit.default_typeface.include(tf_bold);
  TExtraFontList runs;
  runs.AddOne(ExtraFontRun(4, 3, hit, efc_centre_word));
  drawer.SetExtraFontList(&runs);
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"the cat sat", 4, 3, kEnglish);
  const auto* cat = find_drawn(canvas, u"cat");
  EXPECT_EQ(cat->font.colour, 0x0000FFu);
  EXPECT_EQ(cat->brush_colour, 0x00FFFFu);
  EXPECT_TRUE(cat->font.bold);
  const auto* the = find_drawn(canvas, u"the");
  EXPECT_EQ(the->font.colour, 0x000000u);
  EXPECT_EQ(the->brush_colour, 0xFFFFFFu);
  EXPECT_FALSE(the->font.bold);
  EXPECT_EQ(the->background_mode, BackgroundMode::opaque);

  // A selected line takes the selected colours, except on a printer.
  canvas.clear_drawn();
  drawer.Selecionado = true;
  drawer.Transparent_Background = true;
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"the cat sat", 4, 3, kEnglish);
  EXPECT_EQ(find_drawn(canvas, u"cat")->font.colour, 0x111111u);
  EXPECT_EQ(find_drawn(canvas, u"the")->brush_colour, 0x660000u);
  EXPECT_EQ(find_drawn(canvas, u"the")->background_mode, BackgroundMode::transparent);
  canvas.clear_drawn();
  drawer.DrawConcText(canvas, TRect{0, 0, 400, 20}, u"the cat sat", 4, 3, kEnglish, pra_printer);
  EXPECT_FALSE(drawer.Selecionado);
  EXPECT_EQ(find_drawn(canvas, u"cat")->font.colour, 0x0000FFu);
}

TEST(ConcordanceLine, NarrowCellCutsContextAndTallCellWraps) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  const TRect cell{0, 0, 80, 20};
  drawer.DrawConcText(canvas, cell, u"one two three four five", 8, 5, kEnglish);
  EXPECT_FALSE(drawer.text_fits_within_Rect);
  EXPECT_EQ(left_to_right(canvas), (V{u" ", u"three", u" "}));

  // Tall enough for a line above and one below.
  canvas.clear_drawn();
  const TRect tall{0, 0, 80, 60};  // the hit line at y 22, the others at 4 and 40
  drawer.DrawConcText(canvas, tall, u"one two three four five", 8, 5, kEnglish);
  EXPECT_TRUE(drawer.text_fits_within_Rect);
  std::vector<int> ys;
  for (const auto& d : canvas.drawn()) {
    EXPECT_GE(d.y, tall.Top);
    EXPECT_LE(d.y + 16, tall.Bottom);
    ys.push_back(d.y);
  }
  EXPECT_EQ(find_drawn(canvas, u"three")->y, 22);
  EXPECT_EQ(find_drawn(canvas, u"one")->y, 4);
  EXPECT_EQ(find_drawn(canvas, u"five")->y, 40);
  // The first and last lines sit at the left margin.
  EXPECT_EQ(find_drawn(canvas, u"one")->x, 0);
  EXPECT_EQ(find_drawn(canvas, u"four")->x, 0);

  // Measuring lays out lines beyond the cell and draws nothing.
  canvas.clear_drawn();
  drawer.fjust_measuring = true;
  const TRect need = drawer.DrawConcText(canvas, TRect{0, 0, 48, 20},
                                         u"one two three four five six seven", 8, 5, kEnglish);
  EXPECT_TRUE(canvas.drawn().empty());
  EXPECT_TRUE(drawer.text_fits_within_Rect);
  EXPECT_LT(need.Top, 0);
  EXPECT_GT(need.Bottom, 20);
}

TEST(ConcordanceLine, EmptyTextPaintsNothingAndHugeHitIsShortened) {
  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.DrawConcText(canvas, TRect{0, 0, 80, 20}, u"", 0, 0, kEnglish);
  EXPECT_TRUE(canvas.drawn().empty());
  drawer.DrawConcText(canvas, TRect{0, 0, 80, 20}, u"x abcdefghijklmnopqrst y", 2, 20, kEnglish);
  ASSERT_EQ(canvas.drawn().size(), 1u);
  EXPECT_EQ(canvas.drawn()[0].text, u"abcde\u2026rst");
  EXPECT_EQ(canvas.drawn()[0].x, 4);  // centred
}

TEST(LineEllipsis, PathsLoseTheirMiddleOtherTextItsEnd) {
  FixedAdvanceCanvas canvas(8, 16);
  EllipsisOutputALine(canvas, u"C:\\corpus\\texts\\novels\\emma.txt", TRect{0, 0, 400, 16}, 160);
  ASSERT_EQ(canvas.drawn().size(), 1u);
  const std::u16string& p = canvas.drawn()[0].text;
  EXPECT_TRUE(p.starts_with(u"C:\\")) << u8(p);
  EXPECT_NE(p.find(u"\u2026"), std::u16string::npos);
  EXPECT_TRUE(p.ends_with(u"\\emma.txt")) << u8(p);
  EXPECT_LE(p.size() * 8, 160u);
  EllipsisOutputALine(canvas, u"a rather long sentence of words", TRect{0, 0, 400, 16}, 80);
  EXPECT_EQ(canvas.drawn()[1].text, u"a rather \u2026");
}

TEST(FreeRoutines, FlagsPlacesAndTypefaces) {
  EXPECT_EQ(GetMyTextFlags(bdRightToLeft), 132u);
  EXPECT_EQ(GetMyTextFlags(bdLeftToRight), 4u);
  EXPECT_EQ(GetMyDisplayMargins(7, false), 0);
  EXPECT_EQ(ComputedRectDeadCentre(TRect{10, 10, 111, 50}, 16), (TPoint{60, 22}));
  EXPECT_EQ(ComputedRectDeadCentre(TRect{10, 10, 111, 41}, 16), (TPoint{60, 10}));
  FixedAdvanceCanvas canvas(8, 16);
  EXPECT_EQ(CanvasPixelWidthAndHeight(u"a b c", canvas, true), (TSize{42, 16}));
  EXPECT_EQ(ComputedTextDisplacement(canvas, -3), -24);
  Ttypeface_Set bold, italic;
  bold.include(tf_bold);
  italic.include(tf_italics);
  EXPECT_EQ(LargerOfTwoTypeFaces(Ttypeface_Set{}, italic), italic);
  EXPECT_EQ(LargerTypeFaceToFontStyles(bold, italic), (TFontStyles{true, false, false, false}));
  EXPECT_THROW(TryToSetFontStyle(nullptr, TFontStyles{}), std::exception);
  EXPECT_EQ(DeviceColour(0x123456), 0x123456u);
}

TEST(SearchWords, PositionsWithBoundariesAndCase) {
  TSearchWordItems items;
  items.AddedSearchWords(u"cat");
  // Positions in the high half, lengths in the low one.
  EXPECT_EQ(FindBoundedSWPositionsInString(items, u"The cat scatters CAT"),
            (std::vector<std::int64_t>{(4ll << 32) | 3, (17ll << 32) | 3}));
  TSearchWordItems exact;
  exact.AddedSearchWords(u"==cat==");
  exact.AddedSearchWords(u"*atter*");
  EXPECT_EQ(FindBoundedSWPositionsInString(exact, u"The cat scatters CAT"),
            (std::vector<std::int64_t>{(4ll << 32) | 3, (10ll << 32) | 5}));

  FixedAdvanceCanvas canvas(8, 16);
  TMyTextDrawer drawer;
  drawer.AddASearch(u"cat");
  EXPECT_TRUE(drawer.LineContainsAnySearchWords(u"a CAT"));
  drawer.ParseAndPaintOneLine(u"the cat", canvas, TRect{0, 0, 400, 20}, default_aligned, pra_screen,
                              kEnglish);
  EXPECT_EQ(find_drawn(canvas, u"cat")->font.colour, 0xFFFFFFu);
  EXPECT_EQ(find_drawn(canvas, u"cat")->brush_colour, 0x000080u);
  EXPECT_TRUE(find_drawn(canvas, u"cat")->font.bold);
  EXPECT_EQ(find_drawn(canvas, u"the")->font.colour, 0x000000u);
}

}  // namespace
}  // namespace corvane
