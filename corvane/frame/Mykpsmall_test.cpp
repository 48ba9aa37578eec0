#include "corvane/frame/Mykpsmall.hpp"

#include <gtest/gtest.h>

#include "testing/Test_support.hpp"

namespace corvane {
namespace {

using testing::ManualClock;
using testing::RecordingDialogHook;

// Counts the yields of a test and restores the package's state afterwards.
class WaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AYieldProcessProc = [this] {
      ++yields;
      if (on_yield) on_yield();
    };
  }
  void TearDown() override { AYieldProcessProc = nullptr; }
  int yields = 0;
  std::function<void()> on_yield;
};

TEST_F(WaitTest, ConditionNotHoldingReturnsAtOnceWithoutYieldingOrReadingTheClock) {
  ManualClock clock;
  EXPECT_FALSE(EspereFuncao([] { return false; }, 10));
  bool done = true, busy = false;
  EXPECT_FALSE(WaitTillDone(done, 10));
  EXPECT_FALSE(WaitedFor(busy, 10));
  EXPECT_EQ(yields, 0);
  EXPECT_EQ(clock.readings(), 0);
}

TEST_F(WaitTest, ZeroLimitTimesOutInTheFirstPassAtLeastOneWholeSecondAfterTheStart) {
  ManualClock clock(46000.5, 0.25);  // each reading moves time on by a quarter second
  EXPECT_TRUE(EspereFuncao([] { return true; }, 0));
  // Passes read 0.25, 0.5, 0.75 and 1.0 s after the start: four passes of four yields.
  EXPECT_EQ(yields, 16);
}

TEST_F(WaitTest, NegativeLimitGivesUpAfterTheFirstPass) {
  ManualClock clock;  // time stands still
  bool busy = true;
  EXPECT_TRUE(WaitedFor(busy, -1));
  EXPECT_EQ(yields, 4);
}

TEST_F(WaitTest, FlagSetInsideTheYieldProcedureEndsTheWait) {
  ManualClock clock;
  bool done = false;
  on_yield = [&] {
    if (yields == 6) done = true;
  };
  EXPECT_FALSE(WaitTillDone(done, 5));
  EXPECT_EQ(yields, 8);  // the pass in which it happened is finished
}

TEST_F(WaitTest, ConditionEndingInThePassWhereTimeRunsOutStillCountsAsTimedOut) {
  ManualClock clock(46000.5, 1.0);
  bool busy = true;
  on_yield = [&] { busy = false; };
  EXPECT_TRUE(WaitedFor(busy, 0));
  EXPECT_EQ(yields, 4);
}

TEST_F(WaitTest, LimitIsCountedInWholeSecondsTruncated) {
  ManualClock clock(46000.5, 0.5);
  EXPECT_TRUE(EspereFuncao([] { return true; }, 2));
  // Gives up at the first reading of 3 whole seconds: 6 passes of half a second.
  EXPECT_EQ(yields, 24);
}

TEST(MyYieldProcess, DoesNothingWithoutAYieldProcedure) {
  AYieldProcessProc = nullptr;
  MyYieldProcess();
  int calls = 0;
  AYieldProcessProc = [&] { ++calls; };
  MyYieldProcess();
  AYieldProcessProc = nullptr;
  EXPECT_EQ(calls, 1);
}

TEST(CheckExec, ReportsEachFailureCodeWithItsMessage) {
  struct Case {
    std::uint32_t code;
    std::u16string message;
  };
  const std::u16string name = u"/home/ana/corpus/notes.xyz";
  const Case cases[] = {
      {0, u"Not enough memory to run " + name},
      {8, u"Not enough memory to run " + name},
      {2, u"Can't access " + name},
      {3, u"Can't access " + name},
      {5, u"Can't access " + name},
      {16, name + u" already running"},
      {26, u"Sharing problem: " + name},
      {27, u"Can't handle files ending \".xyz\""},
      {31, u"Can't handle files ending \".xyz\""},
      {1, u"Can't communicate with " + name},
      {31 - 1, u"Can't communicate with " + name},
  };
  for (const Case& c : cases) {
    RecordingDialogHook hook;
    EXPECT_EQ(CheckExec(c.code, name), static_cast<int>(c.code));
    ASSERT_EQ(hook.requests().size(), 1u) << c.code;
    EXPECT_EQ(hook.requests()[0].text, c.message) << c.code;
    EXPECT_TRUE(hook.requests()[0].caption.empty());
  }
}

TEST(CheckExec, SuccessCodesShowNothing) {
  RecordingDialogHook hook;
  EXPECT_EQ(CheckExec(32, u"a.txt"), 32);
  EXPECT_EQ(CheckExec(42, u"a.txt"), 42);
  EXPECT_TRUE(hook.requests().empty());
}

TEST(CheckExec, ExtensionIsTakenFromTheFileNameOnly) {
  RecordingDialogHook hook;
  CheckExec(27, u"/data/v1.2/README");
  CheckExec(27, u"C:\\texts\\story.RTF");
  EXPECT_EQ(hook.texts(), (std::vector<std::u16string>{u"Can't handle files ending \"\"",
                                                       u"Can't handle files ending \".RTF\""}));
}

}  // namespace
}  // namespace corvane
