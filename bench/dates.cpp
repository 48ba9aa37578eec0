// Dates: reading a million typed dates, and shifted Julian numbers to dates and back.
//
// BM_UserStrDateAndTimeParsed reads a million texts of mixed forms (years, year/month/day,
// dates BC, the unknown-date text, impossible days, words); BM_UserStrDateAndTimeParsed_ymd
// reads a million year/month/day texts, and BM_icu_SimpleDateFormat reads the same texts
// with ICU's SimpleDateFormat pattern "y/M/d" and turns each into a Julian day number.
// BM_julian_round_trip converts a million dates of -4499..5499 to shifted Julian numbers
// and back; BM_chrono_round_trip does the same with std::chrono::year_month_day and
// sys_days. items_per_second counts texts or dates.

#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

constexpr int kCount = 1'000'000;

std::u16string text(const std::string& s) {
  return corvane::utf8_to_utf16(s);
}

const std::vector<std::u16string>& mixed_dates() {
  static const std::vector<std::u16string> dates = [] {
    std::mt19937 random(17);
    std::vector<std::u16string> v;
    v.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
      const int y = static_cast<int>(random() % 6000) - 1000;
      const int m = static_cast<int>(random() % 12) + 1, d = static_cast<int>(random() % 31) + 1;
      switch (random() % 8) {
        case 0:
          v.push_back(text(std::to_string(y)));
          break;
        case 1:
          v.push_back(u"<no date found>");
          break;
        case 2:
          v.push_back(text(" " + std::to_string(y) + "/" + std::to_string(m) + "/" +
                           std::to_string(d) + " "));
          break;
        case 3:
          v.push_back(u"undated");
          break;
        default:
          v.push_back(text(std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d)));
          break;
      }
    }
    return v;
  }();
  return dates;
}

const std::vector<std::u16string>& ymd_dates() {
  static const std::vector<std::u16string> dates = [] {
    std::mt19937 random(29);
    std::vector<std::u16string> v;
    v.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
      const int y = static_cast<int>(random() % 2000) + 1;
      const int m = static_cast<int>(random() % 12) + 1, d = static_cast<int>(random() % 28) + 1;
      v.push_back(text(std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d)));
    }
    return v;
  }();
  return dates;
}

void BM_UserStrDateAndTimeParsed(benchmark::State& state) {
  const auto& dates = mixed_dates();
  for (auto _ : state) {
    double sum = 0;
    for (const std::u16string& s : dates) sum += corvane::UserStrDateAndTimeParsed(s);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCount);
}

void BM_UserStrDateAndTimeParsed_ymd(benchmark::State& state) {
  const auto& dates = ymd_dates();
  for (auto _ : state) {
    double sum = 0;
    for (const std::u16string& s : dates) sum += corvane::UserStrDateAndTimeParsed(s);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCount);
}

void BM_icu_SimpleDateFormat(benchmark::State& state) {
  const auto& dates = ymd_dates();
  UErrorCode status = U_ZERO_ERROR;
  icu::SimpleDateFormat format(icu::UnicodeString(u"y/M/d"), icu::Locale::getUS(), status);
  format.adoptTimeZone(icu::TimeZone::createTimeZone(u"UTC"));
  format.setLenient(false);
  if (U_FAILURE(status)) {
    state.SkipWithError("SimpleDateFormat failed");
    return;
  }
  for (auto _ : state) {
    double sum = 0;
    for (const std::u16string& s : dates) {
      UErrorCode e = U_ZERO_ERROR;
      const UDate ms =
          format.parse(icu::UnicodeString(s.data(), static_cast<int32_t>(s.size())), e);
      if (U_SUCCESS(e)) sum += std::floor(ms / 86400000.0) + 2440587.5;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCount);
}

struct Ymd {
  int y, m, d;
};

const std::vector<Ymd>& calendar_dates() {
  static const std::vector<Ymd> dates = [] {
    std::mt19937 random(41);
    std::vector<Ymd> v;
    v.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
      v.push_back({static_cast<int>(random() % 9999) - 4499, static_cast<int>(random() % 12) + 1,
                   static_cast<int>(random() % 28) + 1});
    }
    return v;
  }();
  return dates;
}

void BM_julian_round_trip(benchmark::State& state) {
  const auto& dates = calendar_dates();
  for (auto _ : state) {
    long sum = 0;
    for (const Ymd& d : dates) {
      const double j =
          corvane::YearMonthDayToJulianAddingConst(corvane::TYearMonthDay{d.y, d.m, d.d});
      const corvane::TYearMonthDay back = corvane::JulianDateToYearMonthDayRemovingConst(j);
      sum += back.year + back.month + back.day;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCount);
}

void BM_chrono_round_trip(benchmark::State& state) {
  using namespace std::chrono;
  const auto& dates = calendar_dates();
  for (auto _ : state) {
    long sum = 0;
    for (const Ymd& d : dates) {
      const year_month_day ymd{year{d.y + 4500}, month{static_cast<unsigned>(d.m)},
                               day{static_cast<unsigned>(d.d)}};
      const double j =
          ymd.ok() ? static_cast<double>(sys_days(ymd).time_since_epoch().count()) + 2440587.5
                   : 0.0;
      const year_month_day back{sys_days{days{static_cast<int>(std::floor(j - 2440587.5))}}};
      sum += static_cast<int>(back.year()) - 4500 + static_cast<unsigned>(back.month()) +
             static_cast<unsigned>(back.day());
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCount);
}

BENCHMARK(BM_UserStrDateAndTimeParsed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UserStrDateAndTimeParsed_ymd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_icu_SimpleDateFormat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_julian_round_trip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_chrono_round_trip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
