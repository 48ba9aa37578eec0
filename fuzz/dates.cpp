// Dates on arbitrary input: typed dates, fixed-position formats both ways, any double as a
// Julian number (NaN and infinities too), records with any fields, and hostile timeline
// rows. Nothing may crash, raise or loop; a record that converts must come back as itself
// (its year modulo 65536, its month and day clamped).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/dates/Timeline_builder.hpp"
#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/rtl/Exception.hpp"

using namespace corvane;

namespace {

struct Input {
  const std::uint8_t* p;
  std::size_t n;
  template <typename T>
  T take() {
    T v{};
    const std::size_t k = n < sizeof v ? n : sizeof v;
    std::memcpy(&v, p, k);
    p += k;
    n -= k;
    return v;
  }
  std::u16string text(std::size_t max) {
    std::u16string s;
    while (n >= 2 && s.size() < max) {
      const auto c = static_cast<char16_t>(p[0] | (p[1] << 8));
      p += 2;
      n -= 2;
      if (c == 0xFFFF) break;  // ends this text
      s.push_back(c);
    }
    return s;
  }
};

std::int32_t clamped(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  const auto basis = static_cast<TTimeLinePlotbase>(in.take<std::uint8_t>() % 13);

  // A record with any fields.
  TYearMonthDay rec{in.take<std::int32_t>(), in.take<std::int32_t>(), in.take<std::int32_t>()};
  const double j = YearMonthDayToJulianAddingConst(rec);
  if (j != 0.0) {
    const TYearMonthDay back = JulianDateToYearMonthDayRemovingConst(j);
    if (back.month != clamped(rec.month, 1, 12) || back.day != clamped(rec.day, 1, 31) ||
        (static_cast<std::int64_t>(back.year) - rec.year) % 65536 != 0) {
      std::abort();
    }
  }
  YearMonthDayToJulianDateSemConvertir(rec);
  YearMonthDayAsString(rec, basis);
  AbbreviatedYearMonthDayAsString(rec, basis);
  const TYearMonthDay other{in.take<std::int32_t>(), in.take<std::int32_t>(),
                            in.take<std::int32_t>()};
  StartOfPeriod(rec, basis);
  EndOfPeriod(rec, basis);
  PeriodsBetween(rec, other, basis);
  PeriodNumberFor(rec, other, basis);

  // Any double, as a Julian number and as a date-time.
  const double any = in.take<double>();
  JulianToStringRemovingConst(any, basis, false);
  JulianToStringRemovingConst(any, basis, true);
  JulianDateToYearMonthDayRemovingConst(any);
  DateToYearMonthDay(any, true);
  DateTimeToJulianAddingConst(any);
  LastModTimeAndDateToDateTime(in.take<std::uint16_t>(), in.take<std::uint16_t>());

  // A timeline row with any fields.
  TTimeLineDataRec row;
  row.basis = basis;
  row.start_date = in.take<double>();
  row.finish_date = in.take<double>();
  row.periods = in.take<std::uint32_t>();
  const std::int32_t k = in.take<std::int32_t>();
  JulianDateDetails(k, row);
  JulianDateStrFromTimelineData(k, row, true);

  // Typed dates and a format pair.
  const std::u16string typed = in.text(64);
  UserStrDateAndTimeParsed(typed);
  const std::u16string format = in.text(64);
  const TYrMmDyHrMn read = DatefromUsersString(typed, format);
  StringFromTYrMmDyHrMn(read, format);
  StringFromTYrMmDyHrMn(TYrMmDyHrMn{rec.year, rec.month, rec.day, other.year, other.month}, typed);

  // Dated counts: hostile dates raise, the rest build a row.
  std::vector<TDatedCount> counts;
  while (in.n >= 8 && counts.size() < 64) {
    TDatedCount c;
    c.julian = in.take<std::uint8_t>() % 4 == 0 ? in.take<double>()
                                                : 1721425.5 + in.take<std::uint32_t>() % 3652059;
    c.hits = in.take<std::uint32_t>();
    c.words = in.take<std::uint8_t>();
    counts.push_back(c);
  }
  try {
    const TTimeLineDataRec built = TimelineFromDatedCounts(counts, basis);
    if (built.hitsandWCounts.size() != built.periods) std::abort();
    for (std::uint32_t p = 1; p <= built.periods && p <= 4; ++p) {
      JulianDateStrFromTimelineData(static_cast<std::int32_t>(p), built, false);
    }
  } catch (const Exception&) {
  }
  return 0;
}
