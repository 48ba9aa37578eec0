// corvane concord: the suite's typical request from the command line. Gather the texts,
// parse the typed search words, have the library's corpus search search them, and print
// its hits as concordance lines, counts or records.
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <charconv>
#include <deque>
#include <memory>
#include <ostream>
#include <sstream>
#include <thread>
#include <unordered_set>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Concordance_sort.hpp"
#include "corvane/search/Corpus_search.hpp"
#include "corvane/search/Search_engines.hpp"
#include "corvane/search/Search_parsing.hpp"
#include "corvane/text/Display_columns.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Concord_pictures.hpp"
#include "tools/corvane/Concord_progress.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

// Appends the text as UTF-8 on one line: line breaks, tabs and other control characters
// become spaces (and, for JSON, '"' and '\\' are escaped). A lone surrogate becomes U+FFFD.
void append_flat(std::string& out, std::u16string_view s, bool json = false) {
  // Three bytes a unit at most (an escaped ASCII character takes two, a pair four).
  const std::size_t old = out.size();
  out.resize(old + 3 * s.size());
  char* d = out.data() + old;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Eight ASCII units at a time: control characters become spaces as the maximum with one.
  const __m128i space = _mm_set1_epi16(0x20), high = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i quote = _mm_set1_epi16('"'), backslash = _mm_set1_epi16('\\');
  for (; i + 8 <= s.size(); i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
    __m128i plain = _mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128());
    if (json)
      plain = _mm_andnot_si128(
          _mm_or_si128(_mm_cmpeq_epi16(v, quote), _mm_cmpeq_epi16(v, backslash)), plain);
    if (_mm_movemask_epi8(plain) != 0xFFFF) break;
    const __m128i bytes = _mm_packus_epi16(_mm_max_epi16(v, space), v);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), bytes);
    d += 8;
  }
#endif
  for (; i < s.size(); ++i) {
    std::uint32_t c = s[i];
    if (c < 0x80) {
      if (c < 0x20) c = ' ';
      if (json && (c == '"' || c == '\\')) *d++ = '\\';
      *d++ = static_cast<char>(c);
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    }
    if (c < 0x800) {
      *d++ = static_cast<char>(0xC0 | c >> 6);
    } else if (c < 0x10000) {
      *d++ = static_cast<char>(0xE0 | c >> 12);
      *d++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      *d++ = static_cast<char>(0xF0 | c >> 18);
      *d++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *d++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *d++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  out.resize(static_cast<std::size_t>(d - out.data()));
}

// A file name as one TSV field: tabs, line breaks and backslashes escaped (\t, \n, \r, \\).
std::string tsv_field(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (const char c : s) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void append_number(std::string& out, std::int64_t n) {
  char buf[24];
  const auto end = std::to_chars(buf, buf + sizeof buf, n).ptr;
  out.append(buf, end);
}

const char* const kTsvHeader =
    "file\thit_number\toffset\thit\tleft\tright\tword\tsentence\tword_in_sentence\t"
    "paragraph\theading\tsection\n";

// What corvane concord prints, as the search reports it: lines, records or counts; with
// --sort, every line is kept (with its sort keys) and printed at the end.
class concord_printer final : public corpus_search_sink {
 public:
  concord_printer(const ConcordOptions& o, std::ostream& out, std::ostream& err, bool names,
                  bool colour, const std::vector<ConcordSortKey>& keys,
                  concordance_pictures* pictures)
      : o_(o),
        out_(out),
        err_(err),
        names_(names),
        colour_(colour),
        sorter_(keys),
        pictures_(pictures) {
    sorting_ = !keys.empty();
  }

  bool text_begins(const corpus_text& text) override {
    path_ = &paths_.emplace_back(text.path);
    tsv_path_ = tsv_field(text.path);
    return true;
  }

  bool hit(const corpus_text&, const corpus_hit& h) override {
    if (pictures_ != nullptr) {
      if (!sorting_) {
        pictures_->add(h.left, h.hit, h.right);
      } else {
        kept_pictures_.push_back(
            {kept_picture_text_.size(), h.left.size(), h.hit.size(), h.right.size()});
        kept_picture_text_.append(h.left).append(h.hit).append(h.right);
      }
    }
    line_.clear();
    if (o_.tsv || o_.json)
      record(h);
    else
      concordance_line(h);
    if (!sorting_) {
      if (o_.json) out_ << (first_record_ ? "  " : ",\n  ");
      out_ << line_;
      first_record_ = false;
      return output_ok(out_);  // output that cannot be written stops the search
    }
    sorter_.add(h.sort_keys.data(), h.sort_keys.size(), path_);
    kept_starts_.push_back(kept_.size());
    kept_ += line_;
    return true;
  }

  bool text_ends(const corpus_text& text, const corpus_text_end& end) override {
    if (!end.error.empty()) {
      err_ << "corvane concord: " << text.path << ": " << end.error << '\n';
      failed_ = true;
      ++skipped_;
      return true;
    }
    report_reading("concord", text.path, text.reading, err_);
    ++texts_;
    hits_ += end.hits;
    words_ += end.words;
    if (o_.count) out_ << end.hits << '\t' << tsv_path_ << '\n';
    return output_ok(out_);
  }

  // The kept lines, sorted.
  void print_sorted() {
    if (!sorting_) return;
    kept_starts_.push_back(kept_.size());
    for (const std::size_t i : sorter_.order()) {
      if (pictures_ != nullptr) {
        const kept_picture_line& p = kept_pictures_[i];
        const std::u16string_view all(kept_picture_text_);
        pictures_->add(all.substr(p.start, p.left), all.substr(p.start + p.left, p.hit),
                       all.substr(p.start + p.left + p.hit, p.right));
      }
      if (o_.json) out_ << (first_record_ ? "  " : ",\n  ");
      out_.write(kept_.data() + kept_starts_[i],
                 static_cast<std::streamsize>(kept_starts_[i + 1] - kept_starts_[i]));
      first_record_ = false;
    }
  }

  bool first_record() const { return first_record_; }
  bool failed() const { return failed_; }
  std::int64_t hits() const { return hits_; }
  std::int64_t words() const { return words_; }
  std::int64_t texts() const { return texts_; }
  std::int64_t skipped() const { return skipped_; }

 private:
  // The hit starts in the same column on every line: the contexts are cut and the left one
  // padded by what a terminal shows.
  void concordance_line(const corpus_hit& h) {
    const auto width = static_cast<std::size_t>(o_.width);
    std::size_t used = 0;
    if (names_) {
      line_ += *path_;
      line_ += ':';
    }
    const std::u16string_view left = display_tail(h.left, width, used);
    line_.append(width - used, ' ');
    append_flat(line_, left);
    if (colour_) line_ += "\x1b[1;31m";
    append_flat(line_, h.hit);
    if (colour_) line_ += "\x1b[0m";
    append_flat(line_, display_head(h.right, width, used));
    line_ += '\n';
  }

  void record(const corpus_hit& h) {
    const TSearchStatsRec& c = h.counts;
    const std::int64_t fields[6] = {c.number[stats_word],           c.number[stats_sentence],
                                    c.position[stats_sentence] - 1, c.number[stats_paragraph],
                                    c.number[stats_heading],        c.number[stats_section]};
    if (!o_.json) {
      line_ += tsv_path_;
      for (const std::int64_t n : {h.number, h.position}) {
        line_ += '\t';
        append_number(line_, n);
      }
      for (const std::u16string_view text : {h.hit, h.left, h.right}) {
        line_ += '\t';
        append_flat(line_, text);
      }
      for (const std::int64_t n : fields) {
        line_ += '\t';
        append_number(line_, n);
      }
      line_ += '\n';
      return;
    }
    static const char* const kNames[6] = {"word",      "sentence", "word_in_sentence",
                                          "paragraph", "heading",  "section"};
    line_ += "{\"file\": ";
    std::ostringstream path;
    write_json_string(path, *path_);
    line_ += path.str();
    line_ += ", \"hit_number\": ";
    append_number(line_, h.number);
    line_ += ", \"offset\": ";
    append_number(line_, h.position);
    const std::pair<const char*, std::u16string_view> texts[3] = {
        {"hit", h.hit}, {"left", h.left}, {"right", h.right}};
    for (const auto& [name, text] : texts) {
      line_ += ", \"";
      line_ += name;
      line_ += "\": \"";
      append_flat(line_, text, true);
      line_ += '"';
    }
    for (int k = 0; k < 6; ++k) {
      line_ += ", \"";
      line_ += kNames[k];
      line_ += "\": ";
      append_number(line_, fields[k]);
    }
    line_ += '}';
  }

  const ConcordOptions& o_;
  std::ostream& out_;
  std::ostream& err_;
  bool names_, colour_, sorting_ = false;
  std::deque<std::string> paths_;
  const std::string* path_ = nullptr;
  std::string tsv_path_;  // the current text's name as a TSV field
  std::string line_;
  concordance_sorter sorter_;
  // The lines kept for the sort, one after another.
  std::string kept_;
  std::vector<std::size_t> kept_starts_;
  // With pictures and a sort, the lines' texts too, one after another.
  concordance_pictures* pictures_;
  struct kept_picture_line {
    std::size_t start, left, hit, right;
  };
  std::u16string kept_picture_text_;
  std::vector<kept_picture_line> kept_pictures_;
  bool first_record_ = true, failed_ = false;
  std::int64_t hits_ = 0, words_ = 0, texts_ = 0, skipped_ = 0;
};

}  // namespace

int command_concord(const ConcordOptions& o, std::ostream& out, std::ostream& err) {
  TLCID lcid = default_lcid();
  const std::string& lang = o.lang.empty() ? reading_settings().lang : o.lang;
  if (!lang.empty() && !lcid_from_argument(lang, lcid)) {
    err << "corvane concord: --lang " << lang << " names no locale\n";
    return 2;
  }
  if (o.width < 0 || o.width > 10000) {
    err << "corvane concord: --width must be between 0 and 10000\n";
    return 2;
  }
  // The typed search line, split into alternatives and parsed as the tools do.
  std::vector<TSearch_word_format_rec> words = parsed_search_line(u16(o.search), !o.no_split);
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
  // The pictures' options are checked and their files opened before anything is searched.
  std::unique_ptr<concordance_pictures> pictures;
  if (wants_pictures(o)) {
    concordance_picture_options picture_options;
    std::string why;
    if (!concord_picture_options(o, lcid, sort_keys, picture_options, why)) {
      err << "corvane concord: " << why << '\n';
      return 2;
    }
    pictures = std::make_unique<concordance_pictures>(
        concordance_picture_files{o.png, o.svg, o.html}, picture_options);
    pictures->on_warning([&err](const std::string& w) { err << "corvane concord: " << w << '\n'; });
    if (!pictures->begin(why)) {
      err << "corvane concord: " << why << '\n';
      return 2;
    }
  }
  std::vector<gathered_text> texts;
  std::unordered_set<std::string> distinct;
  std::size_t gathering_problems = 0;
  bool failed = !gather_paths(
      "concord", o.paths, o.gather, err,
      [&](const gathered_text& t) {
        texts.push_back(t);
        distinct.insert(t.path);
        return true;
      },
      &gathering_problems);
  const std::size_t n_texts = distinct.size();
  std::unordered_set<std::string>().swap(distinct);

  corpus_search_options options;
  std::string why;
  if (!text_encoding_setting(o.lang, options.encoding, why)) {
    err << "corvane concord: " << why << '\n';
    return 2;
  }
  options.allow = u16(o.allow);
  options.lcid = lcid;
  options.max_per_word = o.max_per_word;
  options.count_only = o.count;
  options.counts = o.tsv || o.json ? corpus_counts::structure : corpus_counts::words;
  // Lines are cut by display columns, which combining marks can make wider in code units.
  options.context = o.tsv || o.json ? o.width : 2 * o.width + 8;
  // A picture's cell holds more context than a terminal line: enough to fill it.
  if (pictures && !o.tsv && !o.json) options.context = std::max(options.context, o.cell_width / 5);
  options.sort_keys = sort_keys;
  options.workers = o.threads > 0 ? static_cast<unsigned>(std::min(o.threads, kMostThreads)) : 0;

  const bool names = o.with_filename || (!o.no_filename && n_texts > 1);
  const bool colour = o.colour && isatty(STDOUT_FILENO);
  concord_printer printer(o, out, err, names, colour, sort_keys, pictures.get());
  progress_meter progress(n_texts, o.progress && isatty(STDERR_FILENO), err);
  if (o.tsv) out << kTsvHeader;
  if (o.json) out << "[\n";
  search_corpus(texts, words, options, printer,
                [&](std::uint64_t bytes, std::size_t texts) { progress.update(bytes, texts); });
  progress.finish();
  printer.print_sorted();
  if (printer.failed()) failed = true;
  if (pictures) {
    std::string why;
    if (!pictures->finish(why)) {
      err << "corvane concord: " << why << '\n';
      failed = true;
    }
    if (pictures->png_lines_left_out() > 0)
      err << "corvane concord: " << o.png << ": the picture holds the first "
          << pictures->lines() - pictures->png_lines_left_out() << " of " << pictures->lines()
          << " lines\n";
  }
  const std::int64_t total_hits = printer.hits(), files_searched = printer.texts();
  if (o.json) out << (printer.first_record() ? "]\n" : "\n]\n");
  if (o.count) out << total_hits << "\ttotal\n";
  if (!o.tsv && !o.json) {
    out << total_hits << (total_hits == 1 ? " hit" : " hits") << " in " << files_searched
        << (files_searched == 1 ? " file" : " files") << ", " << printer.words()
        << " words searched";
    const std::int64_t skipped = printer.skipped() + static_cast<std::int64_t>(gathering_problems);
    if (skipped > 0) out << ", " << skipped << (skipped == 1 ? " file" : " files") << " skipped";
    out << '\n';
  }
  if (failed) return 2;
  return total_hits > 0 ? 0 : 1;
}

}  // namespace corvane::cli
