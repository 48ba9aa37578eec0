// corvane concord: the suite's typical request from the command line. Gather the texts,
// parse the typed search words, load each text whatever its encoding, search it with one
// engine per worker, and print the hits as concordance lines, counts or records.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <thread>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Search_engines.hpp"
#include "corvane/search/Search_parsing.hpp"
#include "corvane/search/Widemasks.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Concord_internal.hpp"
#include "tools/corvane/Concord_sort.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

// Texts in name order, folders walked depth first; the masks filter file names.
void gather(const std::string& path, const std::vector<std::u16string>& masks,
            std::vector<std::string>& files, std::vector<FileResult>& failures) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) {
    failures.push_back({path, "no such file or folder", {}, {}, 0});
    return;
  }
  if (!fs::is_directory(st)) {
    files.push_back(path);
    return;
  }
  std::vector<fs::path> entries;
  for (const fs::directory_entry& e : fs::directory_iterator(path, ec)) entries.push_back(e.path());
  std::sort(entries.begin(), entries.end());
  for (const fs::path& p : entries) {
    if (fs::is_directory(p, ec)) {
      gather(p.string(), masks, files, failures);
    } else if (masks.empty() || WhereInAMask(u16(p.filename().string()), masks) >= 0) {
      files.push_back(p.string());
    }
  }
}

// Context as one line: line breaks, tabs and other control characters become spaces.
std::string flat(std::u16string_view s) {
  std::u16string t(s);
  for (char16_t& c : t)
    if (c < 32) c = u' ';
  return u8(t);
}

std::u16string_view clip(const std::u16string& text, std::int64_t from, std::int64_t to) {
  from = std::clamp<std::int64_t>(from, 0, static_cast<std::int64_t>(text.size()));
  to = std::clamp<std::int64_t>(to, from, static_cast<std::int64_t>(text.size()));
  // Context never starts or ends inside a surrogate pair.
  auto low = [&](std::int64_t i) {
    return text[static_cast<std::size_t>(i)] >= 0xDC00 &&
           text[static_cast<std::size_t>(i)] <= 0xDFFF;
  };
  if (from < to && from > 0 && low(from)) ++from;
  if (to > from && to < static_cast<std::int64_t>(text.size()) && low(to)) --to;
  return std::u16string_view(text).substr(from, to - from);
}

void print_line(std::ostream& out, const FileResult& r, const Hit& h, int width, bool colour) {
  const std::u16string_view left = clip(r.text, h.position - width, h.position);
  const std::u16string_view hit = clip(r.text, h.position, h.position + h.length);
  const std::u16string_view right =
      clip(r.text, h.position + h.length, h.position + h.length + width);
  // The hit starts in the same column on every line.
  out << std::string(width - left.size(), ' ') << flat(left);
  if (colour) out << "\x1b[1;31m";
  out << flat(hit);
  if (colour) out << "\x1b[0m";
  out << flat(right) << '\n';
}

void print_record(std::ostream& out, const FileResult& r, const Hit& h, int number, int width,
                  bool json, bool first) {
  const std::string hit = flat(clip(r.text, h.position, h.position + h.length));
  const std::string left = flat(clip(r.text, h.position - width, h.position));
  const std::string right =
      flat(clip(r.text, h.position + h.length, h.position + h.length + width));
  const TSearchStatsRec& c = h.counts;
  if (!json) {
    out << r.path << '\t' << number << '\t' << h.position << '\t' << hit << '\t' << left << '\t'
        << right << '\t' << c.number[stats_word] << '\t' << c.number[stats_sentence] << '\t'
        << c.position[stats_sentence] - 1 << '\t' << c.number[stats_paragraph] << '\t'
        << c.number[stats_heading] << '\t' << c.number[stats_section] << '\n';
    return;
  }
  out << (first ? "  " : ",\n  ") << "{\"file\": ";
  write_json_string(out, r.path);
  out << ", \"hit_number\": " << number << ", \"offset\": " << h.position << ", \"hit\": ";
  write_json_string(out, hit);
  out << ", \"left\": ";
  write_json_string(out, left);
  out << ", \"right\": ";
  write_json_string(out, right);
  out << ", \"word\": " << c.number[stats_word] << ", \"sentence\": " << c.number[stats_sentence]
      << ", \"word_in_sentence\": " << c.position[stats_sentence] - 1
      << ", \"paragraph\": " << c.number[stats_paragraph]
      << ", \"heading\": " << c.number[stats_heading]
      << ", \"section\": " << c.number[stats_section] << '}';
}

}  // namespace

int command_concord(const ConcordOptions& o, std::ostream& out, std::ostream& err) {
  TLCID lcid = default_lcid();
  if (!o.lang.empty() && !lcid_from_argument(o.lang, lcid)) {
    err << "corvane concord: --lang " << o.lang << " names no locale\n";
    return 2;
  }
  if (o.width < 0 || o.width > 10000) {
    err << "corvane concord: --width must be between 0 and 10000\n";
    return 2;
  }
  // The typed search line, split into alternatives and parsed as the tools do.
  std::u16string line = StrippedDoubleSpaces(u16(o.search));
  const std::unique_ptr<TStringList> alternatives = SplitSWList(line, !o.no_split);
  std::vector<TSearch_word_format_rec> words;
  for (int i = 0; i < alternatives->Count(); ++i) {
    std::u16string s = alternatives->Get(i);
    TSearch_word_format_rec rec;
    Parsed_SearchWord(TIgnore_tag_type{}, s, rec);
    if (!rec.search_text.empty()) words.push_back(rec);
  }
  if (words.empty()) {
    err << "corvane concord: nothing to search for in \"" << o.search << "\"\n";
    return 2;
  }
  std::vector<ConcordSortKey> sort_keys;
  if (!o.sort.empty()) {
    std::string why;
    if (!parse_sort_keys(o.sort, sort_keys, why)) {
      err << "corvane concord: --sort: " << why << '\n';
      return 2;
    }
  }
  std::vector<std::u16string> masks;
  if (!o.mask.empty()) BuildAMask(masks, u16(o.mask));

  std::vector<std::string> files;
  std::vector<FileResult> failures;
  for (const std::string& p : o.paths) gather(p, masks, files, failures);
  std::vector<FileResult> results(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) results[i].path = files[i];

  SearchPlan plan;
  plan.words = std::move(words);
  plan.allow = u16(o.allow);
  plan.max_per_word = o.max_per_word;
  plan.lcid = lcid;
  plan.keep_text = !o.count;
  plan.count_only = o.count;
  plan.markers = o.tsv || o.json;

  // One searcher per worker; results come back in path order whatever the finishing order.
  unsigned threads = o.threads > 0 ? static_cast<unsigned>(o.threads)
                                   : std::max(1u, std::thread::hardware_concurrency());
  progress_meter progress(results.size(), threads, o.progress && isatty(STDERR_FILENO), err);
  search_texts(results, plan, threads, progress);
  progress.finish();

  bool failed = false;
  for (const FileResult& f : failures) {
    err << "corvane concord: " << f.path << ": " << f.error << '\n';
    failed = true;
  }
  const bool colour = o.colour && isatty(STDOUT_FILENO);
  std::int64_t total_hits = 0, total_words = 0, files_searched = 0;
  // Every hit to print: its text's result, the hit, its number in its text.
  struct Line {
    const FileResult* r;
    const Hit* h;
    int number;
  };
  std::vector<Line> lines;
  for (const FileResult& r : results) {
    if (!r.error.empty()) {
      err << "corvane concord: " << r.path << ": " << r.error << '\n';
      failed = true;
      continue;
    }
    ++files_searched;
    total_hits += r.hit_count;
    total_words += r.words;
    if (o.count) {
      out << r.hit_count << '\t' << r.path << '\n';
      continue;
    }
    int number = 0;
    for (const Hit& h : r.hits) lines.push_back({&r, &h, ++number});
  }
  if (!sort_keys.empty() && lines.size() > 1) {
    std::vector<SortableHit> sortable;
    sortable.reserve(lines.size());
    for (const Line& l : lines)
      sortable.push_back({l.r->text, &l.r->path, l.h->position, l.h->length});
    const std::vector<std::size_t> order = sorted_hit_order(sortable, sort_keys, lcid, plan.allow);
    std::vector<Line> sorted;
    sorted.reserve(lines.size());
    for (const std::size_t i : order) sorted.push_back(lines[i]);
    lines.swap(sorted);
  }
  bool first_record = true;
  if (o.json) out << "[\n";
  for (const Line& l : lines) {
    if (o.tsv || o.json)
      print_record(out, *l.r, *l.h, l.number, o.width, o.json, first_record);
    else
      print_line(out, *l.r, *l.h, o.width, colour);
    first_record = false;
  }
  if (o.json) out << (first_record ? "]\n" : "\n]\n");
  if (o.count) out << total_hits << "\ttotal\n";
  if (!o.tsv && !o.json)
    out << total_hits << (total_hits == 1 ? " hit" : " hits") << " in " << files_searched
        << (files_searched == 1 ? " file" : " files") << ", " << total_words << " words searched\n";
  if (failed) return 2;
  return total_hits > 0 ? 0 : 1;
}

}  // namespace corvane::cli
