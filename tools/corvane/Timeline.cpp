// corvane timeline: counts of dated lines gathered into the periods of a timeline row, as
// the tools plot a word's frequency per decade or month.
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <sstream>

#include "corvane/dates/Timeline_builder.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Dates_cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

// A count: blanks around digits, at most 4294967295.
bool read_count(std::u16string_view text, std::uint32_t& count) {
  const std::u16string s = Trim(text);
  if (s.empty()) return false;
  std::uint64_t v = 0;
  for (const char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > UINT32_MAX) return false;
  }
  count = static_cast<std::uint32_t>(v);
  return true;
}

void print_json(std::ostream& out, const TTimeLineDataRec& row, bool abbreviated) {
  out << "{\n  \"basis\": \"" << basis_name(row.basis) << "\",\n"
      << "  \"start_date\": " << json_number(row.start_date) << ",\n"
      << "  \"finish_date\": " << json_number(row.finish_date) << ",\n"
      << "  \"wordcount_total\": " << row.wordcount_total << ",\n"
      << "  \"hits_total\": " << row.hits_total << ",\n"
      << "  \"periods\": " << row.periods << ",\n"
      << "  \"max_hits\": " << row.max_hits << ",\n"
      << "  \"max_wordcount\": " << row.max_wordcount << ",\n"
      << "  \"hitsper1000\": " << json_number(row.hitsper1000) << ",\n"
      << "  \"dispersion_value\": " << json_number(row.dispersion_value) << ",\n"
      << "  \"IsOverallOrLine1Data\": " << (row.IsOverallOrLine1Data ? "true" : "false")
      << ",\n  \"searchword\": ";
  write_json_string(out, row.searchword);
  out << ",\n  \"hitsandWCounts\": [";
  for (std::uint32_t k = 1; k <= row.periods; ++k) {
    const TDateTimeDetailsRec d = JulianDateDetails(static_cast<std::int32_t>(k), row);
    const THitAndWordCountRec& c = row.hitsandWCounts[k - 1];
    out << (k == 1 ? "\n" : ",\n") << "    {\"period\": " << k << ", \"label\": ";
    write_json_string(
        out, JulianDateStrFromTimelineData(static_cast<std::int32_t>(k), row, abbreviated));
    out << ", \"period_start\": \"" << iso_date(d.period_start) << "\", \"period_mid\": \""
        << iso_date(d.period_mid) << "\", \"period_end\": \"" << iso_date(d.period_end)
        << "\", \"hits\": " << c.hits << ", \"words\": " << c.wordcount << "}";
  }
  out << (row.periods ? "\n  ]\n}\n" : "]\n}\n");
}

}  // namespace

bool load_text_lines(const std::string& file, std::istream& in, TStringList& lines,
                     std::string& error) {
  TPossiblyDodgyTextStringlist text;
  try {
    if (file.empty() || file == "-") {
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      TMemoryStream stream;
      for (std::size_t at = 0; at < bytes.size();) {  // WriteBuffer takes 32-bit counts
        const std::size_t part = std::min<std::size_t>(bytes.size() - at, 1u << 30);
        stream.WriteBuffer(bytes.data() + at, static_cast<std::int32_t>(part));
        at += part;
      }
      stream.SetPosition(0);
      text.LoadFromStream(stream);
    } else {
      std::error_code ec;
      if (std::filesystem::is_directory(file, ec)) {
        error = file + ": is a folder, not a file";
        return false;
      }
      if (!std::filesystem::exists(file, ec)) {
        error = file + ": no such file";
        return false;
      }
      text.LoadFromFile(u16(file));
    }
  } catch (const std::exception& e) {
    error = (file.empty() ? std::string("standard input") : file) + ": " + e.what();
    return false;
  }
  lines.Clear();
  for (int i = 0; i < text.Count(); ++i) lines.Add(text.Get(i));
  return true;
}

int command_timeline(const TimelineOptions& options, std::istream& in, std::ostream& out,
                     std::ostream& err) {
  const std::optional<TTimeLinePlotbase> basis = basis_from_name(options.basis);
  if (!basis) {
    err << "corvane timeline: --basis " << options.basis
        << " is no basis (unknown millennia centuries decades years months weeks days hours "
           "datafield custom spare)\n";
    return 2;
  }
  TStringList lines;
  std::string error;
  if (!load_text_lines(options.file, in, lines, error)) {
    err << "corvane timeline: " << error << '\n';
    return 2;
  }
  TPackageScope package;  // the user's month names and separators

  std::vector<TDatedCount> counts;
  int undated = 0;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::u16string& line = lines.Get(i);
    if (Trim(line).empty()) continue;
    std::vector<std::u16string_view> fields;
    std::size_t start = 0;
    for (;;) {
      const std::size_t tab = line.find(u'\t', start);
      fields.push_back(std::u16string_view(line).substr(start, tab - start));
      if (tab == std::u16string::npos) break;
      start = tab + 1;
    }
    if (fields.size() > 3) {
      err << "corvane timeline: line " << i + 1
          << ": more than three fields (DATE<TAB>HITS<TAB>WORDS)\n";
      return 2;
    }
    TDatedCount count;
    const char* names[] = {"", "hits", "words"};
    for (std::size_t f = 1; f < fields.size(); ++f) {
      std::uint32_t& target = f == 1 ? count.hits : count.words;
      if (!read_count(fields[f], target)) {
        err << "corvane timeline: line " << i + 1 << ": the " << names[f] << " \"" << u8(fields[f])
            << "\" are not a whole number from 0 to 4294967295\n";
        return 2;
      }
    }
    count.julian = UserStrDateAndTimeParsed(fields[0]);
    if (count.julian == 0.0 || count.julian == ClearedJulianDate) {
      ++undated;
      continue;
    }
    counts.push_back(count);
  }
  if (undated > 0) {
    err << "corvane timeline: " << undated << (undated == 1 ? " line" : " lines")
        << " without a date skipped\n";
  }
  if (counts.empty()) {
    err << "corvane timeline: no line has a date\n";
    return 1;
  }

  TTimeLineDataRec row;
  try {
    row = TimelineFromDatedCounts(counts, *basis);
  } catch (const Exception& e) {
    err << "corvane timeline: " << e.what() << '\n';
    return 2;
  }
  if (options.json) {
    print_json(out, row, options.abbreviated);
    return 0;
  }
  std::ostringstream text;
  for (std::uint32_t k = 1; k <= row.periods; ++k) {
    const THitAndWordCountRec& c = row.hitsandWCounts[k - 1];
    text << k << '\t'
         << u8(JulianDateStrFromTimelineData(static_cast<std::int32_t>(k), row,
                                             options.abbreviated))
         << '\t' << c.hits << '\t' << c.wordcount << '\n';
  }
  out << text.str();
  return 0;
}

}  // namespace corvane::cli
