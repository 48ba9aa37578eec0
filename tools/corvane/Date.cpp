// corvane date: typed dates and shifted Julian numbers, shown as the timeline labels show
// them; or texts read and written through fixed-position date formats.
#include <charconv>
#include <cmath>
#include <ostream>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Dates_cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

constexpr const char* kBasisNames[TimeLinePlotbaseCount] = {
    "unknown", "millennia", "centuries", "decades",   "years",  "months",
    "weeks",   "days",      "hours",     "datafield", "custom", "spare"};

// Julian numbers are read and written with "." whatever the locale: they are for machines.
const TFormatSettings& invariant() {
  static const TFormatSettings settings;
  return settings;
}

struct DateRow {
  std::string text;
  double julian;
  bool has_date;  // not 0.0
  TYearMonthDay date;
  std::string full, abbreviated;
};

void print_json_rows(std::ostream& out, const std::vector<DateRow>& rows) {
  out << "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const DateRow& r = rows[i];
    out << "  {\"text\": ";
    write_json_string(out, std::string_view(r.text));
    out << ", \"julian\": " << json_number(r.julian);
    if (r.has_date) {
      out << ", \"year\": " << r.date.year << ", \"month\": " << r.date.month
          << ", \"day\": " << r.date.day;
    } else {
      out << ", \"year\": null, \"month\": null, \"day\": null";
    }
    out << ", \"full\": ";
    write_json_string(out, std::string_view(r.full));
    out << ", \"short\": ";
    write_json_string(out, std::string_view(r.abbreviated));
    out << (i + 1 < rows.size() ? "},\n" : "}\n");
  }
  out << "]\n";
}

int command_date_format(const DateOptions& options, std::ostream& out, std::ostream& err) {
  if (options.julian || options.json || options.basis != "days") {
    err << "corvane date: --format reads texts through a format and takes no --julian, "
           "--json or --basis\n";
    return 2;
  }
  const std::u16string in = u16(*options.format), output = u16(options.output);
  int status = 0;
  for (const std::string& value : options.values) {
    const std::u16string text = u16(value);
    if (text.size() != in.size()) {
      err << "corvane date: \"" << value << "\" is " << text.size()
          << " characters long, the format \"" << *options.format << "\" " << in.size() << "\n";
      status = 1;
    }
    out << value << '\t' << u8(StringFromTYrMmDyHrMn(DatefromUsersString(text, in), output))
        << '\n';
  }
  return status;
}

}  // namespace

std::optional<TTimeLinePlotbase> basis_from_name(const std::string& name) {
  for (int i = 0; i < TimeLinePlotbaseCount; ++i) {
    if (name == kBasisNames[i]) return static_cast<TTimeLinePlotbase>(i);
  }
  return std::nullopt;
}

const char* basis_name(TTimeLinePlotbase basis) {
  return basis < TimeLinePlotbaseCount ? kBasisNames[basis] : "unknown";
}

std::string json_number(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string iso_date(const TYearMonthDay& date) {
  return u8(Format(u"%.4d-%.2d-%.2d", {date.year, date.month, date.day}, invariant()));
}

int command_date(const DateOptions& options, std::ostream& out, std::ostream& err) {
  if (options.values.empty()) {
    err << "corvane date: give at least one VALUE (values beginning with - follow --)\n";
    return 2;
  }
  if (options.format) return command_date_format(options, out, err);
  const std::optional<TTimeLinePlotbase> basis = basis_from_name(options.basis);
  if (!basis) {
    err << "corvane date: --basis " << options.basis
        << " is no basis (unknown millennia centuries decades years months weeks days hours "
           "datafield custom spare)\n";
    return 2;
  }
  TPackageScope package;  // the user's month names and separators
  std::vector<DateRow> rows;
  for (const std::string& value : options.values) {
    DateRow r{value, 0.0, false, {}, {}, {}};
    if (options.julian) {
      // A number that is no date-time at all (beyond a billion days) is refused as well.
      if (!TryStrToFloat(u16(value), r.julian, invariant()) ||
          !detail::date_time_to_time_stamp(r.julian - JulianDateOfDayZero).valid) {
        err << "corvane date: \"" << value << "\" is not a shifted Julian number\n";
        return 2;
      }
    } else {
      r.julian = UserStrDateAndTimeParsed(u16(value));
    }
    r.has_date = r.julian != 0.0;
    if (r.has_date) r.date = JulianDateToYearMonthDayRemovingConst(r.julian);
    r.full = u8(JulianToStringRemovingConst(r.julian, *basis, false));
    r.abbreviated = u8(JulianToStringRemovingConst(r.julian, *basis, true));
    rows.push_back(std::move(r));
  }

  int status = 0;
  for (const DateRow& r : rows) {
    if (!r.has_date || r.julian == ClearedJulianDate || r.full == "??") status = 1;
  }
  if (options.json) {
    print_json_rows(out, rows);
    return status;
  }
  for (const DateRow& r : rows) {
    out << r.text << '\t' << u8(Format(u"%.1f", {r.julian}, invariant())) << '\t'
        << (r.has_date ? iso_date(r.date) : "none") << '\t' << r.full << '\t' << r.abbreviated
        << '\n';
  }
  return status;
}

}  // namespace corvane::cli
