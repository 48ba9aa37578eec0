// Concordance lines laid out with real fonts: 100,000 lines of the English corpus (hits of
// "the", 80 characters of context a side) put into 1000-pixel cells by the line drawer on
// the cairo canvas, whose widths are cached per font and chunk, against pango laying out
// each line whole (the least a program that draws lines with pango does). Neither draws
// pixels: the canvas has no image, so what is timed is cutting, measuring and placing.
//
//   BM_drawer_on_cairo_canvas   DrawConcText for every line, a new canvas each iteration
//                               (so its cache starts empty)
//   BM_pango_whole_lines        pango_layout_set_text and the layout's size, every line
#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <filesystem>

#include "Bench_corpus.hpp"
#include "corvane/display/CairoCanvas.hpp"
#include "corvane/display/Rtl_and_ltr_painting.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Corpus_search.hpp"

namespace {

constexpr std::size_t kLines = 100000;

struct line {
  std::u16string text;
  std::int32_t hit_start = 0, hit_length = 0;
};

class collecting_sink final : public corvane::corpus_search_sink {
 public:
  std::vector<line> lines;
  bool hit(const corvane::corpus_text&, const corvane::corpus_hit& h) override {
    line l;
    l.text.append(h.left).append(h.hit).append(h.right);
    for (char16_t& c : l.text)
      if (c < 0x20) c = u' ';
    l.hit_start = static_cast<std::int32_t>(h.left.size());
    l.hit_length = static_cast<std::int32_t>(h.hit.size());
    lines.push_back(std::move(l));
    return lines.size() < kLines;
  }
};

const std::vector<line>* corpus_lines(std::string& error) {
  static std::vector<line> lines;
  static std::string why;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    const std::string path = corvane::bench::corpus_path("en_all.txt");
    if (!std::filesystem::exists(path)) {
      why = "missing " + path + " (run scripts/make-bench-corpus)";
    } else {
      corvane::corpus_search_options o;
      o.context = 80;
      o.workers = 1;
      collecting_sink sink;
      corvane::search_corpus({path}, corvane::parsed_search_line(u"the", true), o, sink);
      lines = std::move(sink.lines);
      if (lines.size() < kLines) why = "fewer than 100,000 hits in " + path;
    }
  }
  error = why;
  return error.empty() ? &lines : nullptr;
}

void BM_drawer_on_cairo_canvas(benchmark::State& state) {
  std::string error;
  const std::vector<line>* lines = corpus_lines(error);
  if (lines == nullptr) {
    state.SkipWithError(error.c_str());
    return;
  }
  corvane::TMyTextDrawer drawer;
  const corvane::TRect cell{0, 0, 1000, 20};
  for (auto _ : state) {
    corvane::CairoCanvas canvas;  // measures only
    canvas.font().size = 11;
    for (const line& l : *lines) {
      const corvane::TRect used =
          drawer.DrawConcText(canvas, cell, l.text, l.hit_start, l.hit_length, 0x0409);
      benchmark::DoNotOptimize(used);
    }
    state.counters["cached_texts"] = static_cast<double>(canvas.cached_texts());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines->size()));
}

void BM_pango_whole_lines(benchmark::State& state) {
  std::string error;
  const std::vector<line>* lines = corpus_lines(error);
  if (lines == nullptr) {
    state.SkipWithError(error.c_str());
    return;
  }
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  pango_cairo_context_set_resolution(context, 96.0);
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* desc = pango_font_description_from_string("DejaVu Sans 11");
  pango_layout_set_font_description(layout, desc);
  pango_layout_set_single_paragraph_mode(layout, TRUE);
  for (auto _ : state) {
    for (const line& l : *lines) {
      const std::string utf8 = corvane::utf16_to_utf8(l.text);
      pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
      int w = 0, h = 0;
      pango_layout_get_pixel_size(layout, &w, &h);
      benchmark::DoNotOptimize(w);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines->size()));
  pango_font_description_free(desc);
  g_object_unref(layout);
  g_object_unref(context);
}

}  // namespace

BENCHMARK(BM_drawer_on_cairo_canvas)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_pango_whole_lines)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
