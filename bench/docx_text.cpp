// The text of a large word-processor document: DOCXFileText on a document holding the
// English corpus (en_all.txt, one paragraph per line) against extracting its body part
// alone (TZipForge::ExtractToStream into a TMemoryStream). The goal is at most 1.5 times the
// extraction's time: the walk over the paragraphs should cost less than the inflate.
// Also: the walk alone over the body part in memory, and a 50 MB body part holding 100,000
// alternate-content blocks (goal: well under a second). Times are CPU time.
//
// The document is $CORVANE_CORPUS/en_all.docx (default /tmp/corvane-corpus), written at
// start when missing; bench/peer/docx_vs_docx2txt.sh writes the same document.

#include <benchmark/benchmark.h>
#include <zip.h>

#include <filesystem>
#include <string>

#include "Bench_corpus.hpp"
#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

constexpr const char* kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\"><w:body>";
constexpr const char* kTail =
    "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr></w:body></w:document>";

// Each line of the text as a paragraph of one run, as a producer writes it.
std::string body_of_lines(const std::string& text) {
  std::string xml = kHead;
  xml.reserve(text.size() * 3 / 2);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    xml +=
        "<w:p w:rsidR=\"00A1B2C3\" w:rsidRDefault=\"00A1B2C3\"><w:r><w:t xml:space=\"preserve\">";
    for (std::size_t i = start; i < stop; ++i) {
      const char c = text[i];
      if (c == '&')
        xml += "&amp;";
      else if (c == '<')
        xml += "&lt;";
      else if (c == '>')
        xml += "&gt;";
      else
        xml += c;
    }
    xml += "</w:t></w:r></w:p>";
    start = end + 1;
  }
  return xml + kTail;
}

struct document {
  std::string path, error;
  std::int64_t body_bytes = 0;
};

const document& the_document() {
  static const document d = [] {
    document result;
    result.path = corvane::bench::corpus_path("en_all.docx");
    std::error_code ec;
    if (!std::filesystem::exists(result.path, ec)) {
      std::string text;
      if (!corvane::bench::read_corpus_file("en_all.txt", text, result.error)) return result;
      const std::string body = body_of_lines(text);
      const std::string temp = result.path + ".part";
      int error = 0;
      zip_t* za = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
      zip_source_t* s =
          za == nullptr ? nullptr : zip_source_buffer(za, body.data(), body.size(), 0);
      if (s == nullptr || zip_file_add(za, "word/document.xml", s, ZIP_FL_ENC_UTF_8) < 0 ||
          zip_close(za) != 0) {
        result.error = "cannot write " + temp;
        if (za != nullptr) zip_discard(za);
        return result;
      }
      std::filesystem::rename(temp, result.path, ec);
    }
    corvane::TZipForge zip;
    zip.FileName = corvane::u16(result.path);
    zip.OpenArchive();
    std::int32_t size = 0, attributes = 0;
    zip.GetAZipFileSubProperty(0, size, attributes);
    result.body_bytes = size;
    return result;
  }();
  return d;
}

void BM_DOCXFileText(benchmark::State& state) {
  const document& d = the_document();
  if (!d.error.empty()) return state.SkipWithError(d.error.c_str());
  const std::u16string path = corvane::u16(d.path);
  std::size_t length = 0;
  for (auto _ : state) {
    const std::u16string text = corvane::DOCXFileText(path);
    length = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["text_units"] = static_cast<double>(length);
  state.SetBytesProcessed(state.iterations() * d.body_bytes);
}
BENCHMARK(BM_DOCXFileText)->Unit(benchmark::kMillisecond);

void BM_ExtractBodyPart(benchmark::State& state) {
  const document& d = the_document();
  if (!d.error.empty()) return state.SkipWithError(d.error.c_str());
  for (auto _ : state) {
    corvane::TZipForge zip;
    zip.FileName = corvane::u16(d.path);
    zip.OpenArchive();
    corvane::TMemoryStream stream;
    if (!zip.ExtractToStream(0, stream)) state.SkipWithError("extraction failed");
    benchmark::DoNotOptimize(stream.Memory());
  }
  state.SetBytesProcessed(state.iterations() * d.body_bytes);
}
BENCHMARK(BM_ExtractBodyPart)->Unit(benchmark::kMillisecond);

void BM_BodyWalkOnly(benchmark::State& state) {
  const document& d = the_document();
  if (!d.error.empty()) return state.SkipWithError(d.error.c_str());
  corvane::TZipForge zip;
  zip.FileName = corvane::u16(d.path);
  zip.OpenArchive();
  std::string body;
  zip.ExtractToBytes(0, body, corvane::kDocxBodyLimit);
  for (auto _ : state) benchmark::DoNotOptimize(corvane::docx_body_text(body).data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(body.size()));
}
BENCHMARK(BM_BodyWalkOnly)->Unit(benchmark::kMillisecond);

// 100,000 blocks, each a drawing's choice and its text-box fallback, with ordinary
// paragraphs between them, filled out to 50 MB.
void BM_AlternateContent50MB(benchmark::State& state) {
  constexpr int kBlocks = 100000;
  constexpr std::size_t kSize = 50u << 20;
  const std::string block =
      "<w:p><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wps:txbx>"
      "<w:txbxContent><w:p><w:r><w:t>boxed text</w:t></w:r></w:p></w:txbxContent></wps:txbx>"
      "</w:drawing></mc:Choice><mc:Fallback><w:pict><v:textbox><w:txbxContent><w:p><w:r>"
      "<w:t>boxed text</w:t></w:r></w:p></w:txbxContent></v:textbox></w:pict></mc:Fallback>"
      "</mc:AlternateContent></w:r></w:p>";
  const std::size_t filler = (kSize - kBlocks * block.size()) / kBlocks;
  std::string paragraph = "<w:p><w:r><w:t xml:space=\"preserve\">";
  while (paragraph.size() + 18 < filler) paragraph += "words of a line ";
  paragraph += "</w:t></w:r></w:p>";
  std::string body = kHead;
  body.reserve(kSize + 1024);
  for (int i = 0; i < kBlocks; ++i) body += block + paragraph;
  body += kTail;
  for (auto _ : state) benchmark::DoNotOptimize(corvane::docx_body_text(body).data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(body.size()));
}
BENCHMARK(BM_AlternateContent50MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
