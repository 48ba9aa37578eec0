// Random lines (a mix of Latin, Hebrew, Arabic, digits, separators, tags, marks, joiners,
// surrogates), hits and cells through TWordChunkList::LoadFrom, DrawConcText and
// ParseAndPaintOneLine on the fixed-advance canvas. Nothing may crash; the chunks put
// together give back the text (less its leading blanks); nothing visible is drawn outside
// the cell.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "corvane/display/Rtl_and_ltr_painting.hpp"

using namespace corvane;

namespace {

constexpr char16_t kAlphabet[] = {
    u'a',   u'b',   u'Z',   u' ',   u' ',   u' ',   u',',   u'.',   u':',   u';',   u'1',   u'2',
    u'0',   u'<',   u'>',   u'/',   u'\\',  u'"',   u'(',   u')',   u'-',   u'+',   u'$',   u'%',
    u'#',   u'\t',  u'\n',  u'\r',  0x05D0, 0x05D1, 0x05E9, 0x0627, 0x0644, 0x0628, 0x064E, 0x0661,
    0x0662, 0x066B, 0x200C, 0x200D, 0x0301, 0x00A0, 0x2026, 0x20AC, 0x00E9, 0x0000, 0x001F, 0x202E,
    0x202C, 0xFEFF, 0xD83D, 0xDE00, 0xDC00, 0x05BC, u'\'',  u'=',   u'*',   0x3042, 0x0915, 0x093F,
};
constexpr std::size_t kAlphabetSize = sizeof kAlphabet / sizeof kAlphabet[0];

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  std::uint8_t byte() { return at < size ? data[at++] : 0; }
  int number(int lo, int hi) { return lo + (byte() | (byte() << 8)) % (hi - lo + 1); }
};

int visible_width(const std::u16string& text, int advance) {
  int w = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool trail = i > 0 && text[i] >= 0xDC00 && text[i] <= 0xDFFF && text[i - 1] >= 0xD800 &&
                       text[i - 1] <= 0xDBFF;
    if (!trail) w += advance;
  }
  return w;
}

void check_inside(const FixedAdvanceCanvas& canvas, const TRect& R) {
  for (const FixedAdvanceCanvas::Drawn& d : canvas.drawn()) {
    if (d.text.empty()) continue;
    if (d.x < R.Left || d.x + visible_width(d.text, canvas.advance()) > R.Right) std::abort();
    if (d.y < R.Top || d.y + canvas.height() > R.Bottom) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in{data, size};
  const int advance = in.number(1, 16);
  const int height = in.number(1, 24);
  TRect R;
  R.Left = in.number(-300, 300);
  R.Top = in.number(-300, 300);
  R.Right = R.Left + in.number(advance, 600);
  R.Bottom = R.Top + in.number(height, 200);
  const std::uint8_t flags = in.byte();
  const std::uint8_t more = in.byte();
  const int displacement = in.number(-40, 40);
  const int hit_start_raw = in.number(-2, 300);
  const int hit_length = in.number(-1, 40);
  const auto alignment = static_cast<TCVAlignment>(in.byte() % 8);

  std::u16string text;
  while (in.at < in.size && text.size() < 2000) {
    const std::uint8_t b = in.byte();
    if (b < 0xF0)
      text.push_back(kAlphabet[b % kAlphabetSize]);
    else
      text.push_back(static_cast<char16_t>(in.byte() | (in.byte() << 8)));
  }
  const std::int32_t hit_start = text.empty() ? hit_start_raw : hit_start_raw % (text.size() + 2);
  const std::uint32_t lcid = (flags & 1) ? 0x040D : 0x0409;
  const TBiDiMode direction = (flags & 1) ? bdRightToLeft : bdLeftToRight;

  FixedAdvanceCanvas canvas(advance, height);
  // The chunks give back the text from its first non-blank (or the hit, when earlier).
  {
    TWordChunkList list(TMyCanvasColourRecAndTypeface{}, u'#', true);
    const std::int32_t hit =
        list.LoadFrom(text, hit_start, hit_length, nullptr, canvas, lcid, direction, false);
    std::u16string joined;
    for (std::int32_t i = 0; i < list.Count(); ++i) joined += list.GetAWordChunk(i).w;
    std::size_t start = 0;
    while (start < text.size() && text[start] <= 32 &&
           (hit_start < 0 || start < static_cast<std::size_t>(hit_start)))
      ++start;
    if (joined != text.substr(std::min(start, text.size()))) std::abort();
    if ((list.Count() == 0) != (hit < 0) || hit >= list.Count()) std::abort();
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      const TWordChunk c = list.GetAWordChunk(i);
      if (c.w.empty() || c.pixel_width != visible_width(c.w, advance)) std::abort();
    }
    ReorderAnyLTRSinRTLSequences(list, 0, list.Count() - 1);
  }

  TExtraFontList runs;
  TMyCanvasColourRecAndTypeface colours{};
  colours.default_typeface.include(tf_bold);
  if (hit_start >= 0) runs.AddOne(ExtraFontRun(hit_start, hit_length, colours, efc_centre_word));
  runs.AddOne(ExtraFontRun(in.number(0, 100), in.number(0, 100), colours, efc_sort1));

  TMyTextDrawer drawer;
  drawer.SetExtraFontList(&runs);
  drawer.HorizontalConcDisplacement = displacement;
  drawer.Selecionado = flags & 2;
  drawer.Transparent_Background = flags & 4;
  drawer.MonoChrome = flags & 8;
  drawer.interline_spacing = more % 5;
  drawer.DrawConcText(canvas, R, text, hit_start, hit_length, lcid,
                      static_cast<TCVoutput>((more >> 3) % 5), flags & 16, flags & 32);
  check_inside(canvas, R);
  canvas.clear_drawn();

  drawer.AddASearch(u"ab");
  drawer.AddASearch(u"\u05D0\u05D1");
  drawer.Word_wrapped = flags & 64;
  drawer.edge_margin = (flags & 128) ? advance : 0;
  drawer.ParseAndPaintOneLine(text, canvas, R, alignment, pra_screen, lcid);
  check_inside(canvas, R);
  canvas.clear_drawn();

  drawer.fjust_measuring = true;
  drawer.DrawConcText(canvas, R, text, hit_start, hit_length, lcid);
  drawer.ParseAndPaintOneLine(text, canvas, R, alignment, pra_screen, lcid);
  if (!canvas.drawn().empty()) std::abort();

  EllipsisOutputALine(canvas, text, R, R.Width());
  check_inside(canvas, R);
  return 0;
}
