#pragma once
// TDateTime: a double counting days since 1899-12-30 00:00, its fraction the time of day.
// The clock behind Now() can be replaced, so that code which waits or stamps times can be
// tested without sleeping.

#include <functional>

namespace corvane {

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = SecsPerDay * 1000;

// The current local date and time, from the installed clock.
TDateTime Now();

// The clock Now() reads. An empty function restores the system clock (local time).
using TClockFunction = std::function<TDateTime()>;
void set_clock(TClockFunction clock);
TDateTime system_clock_now();

// Whole seconds between two date-times, truncated towards zero; the span is first
// rounded to whole milliseconds so that a span of exactly one second stored as
// 0.99999999 s still counts as one.
long long SecondsBetween(TDateTime a, TDateTime b);

}  // namespace corvane
