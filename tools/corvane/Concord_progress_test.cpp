#include "tools/corvane/Concord_progress.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane::cli {
namespace {

TEST(ConcordProgress, TimeToGoOnceATenthIsDone) {
  TDateTime now = EncodeDateTime(2026, 3, 1, 12, 0, 0, 0);
  set_clock([&now] { return now; });
  StartTiming();
  now += 20 / SecsPerDay;
  EXPECT_EQ(progress_meter::time_to_go(9, 100), "");  // under a tenth
  EXPECT_EQ(progress_meter::time_to_go(0, 0), "");
  EXPECT_EQ(progress_meter::time_to_go(10, 100), "~ 3m to go");  // 180 s
  EXPECT_EQ(progress_meter::time_to_go(1, 2), "~ 20s to go");
  EXPECT_EQ(progress_meter::time_to_go(2, 2), "");  // finished
  EXPECT_EQ(progress_meter::line(1, 2, 3e6, 1, progress_meter::time_to_go(1, 2)),
            "corvane concord: 1/2 texts, 3.0 MB/s, ~ 20s to go");
  EXPECT_EQ(progress_meter::line(1, 20, 0, 0), "corvane concord: 1/20 texts, 0.0 MB/s");
  set_clock(nullptr);
}

}  // namespace
}  // namespace corvane::cli
