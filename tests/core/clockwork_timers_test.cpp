// SPDX-License-Identifier: GPL-3.0-or-later
// The clockwork's QTimers and the speed-up they run at: taken from the clock
// once, so that the timers and the clock never disagree.
#include "core/clockwork_timers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "core/scaled_clock.h"
#include "core/station_runtime.h"
#include "event_loop.h"
#include "temp_folder.h"

namespace tavik {
namespace {

class ClockworkTimersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }

  testing::TempFolder folder;
  RecordingNotifier notifier;
  std::ostringstream log;
};

TEST_F(ClockworkTimersTest, RunAtTheSpeedUpOfTheRuntimesClockAndFollowItsPeriods) {
  const ScaledClock clock(20, LocalDateTime{2026, 3, 14, 7, 5, 0});
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  ASSERT_EQ(runtime.timerSpeedUp(), 20);
  auto timers = std::make_unique<ClockworkTimers>(runtime.clockwork(), runtime.timerSpeedUp());
  const auto* logtimer = timers->findChild<QTimer*>(QStringLiteral("logtimer"));
  const auto* seconds = timers->findChild<QTimer*>(QStringLiteral("tmrSekunden"));
  ASSERT_NE(logtimer, nullptr);
  ASSERT_NE(seconds, nullptr);
  // Inactive, only the log timer runs, 20 times as fast as its period.
  EXPECT_TRUE(logtimer->isActive());
  EXPECT_EQ(logtimer->interval(), 600000 / 20);
  EXPECT_FALSE(seconds->isActive());
  EXPECT_EQ(timers->interval(10000), 500);
  EXPECT_EQ(timers->interval(10), 1);  // never below a millisecond

  runtime.settings().LogInterval = 60000;
  runtime.clockwork().periodsChanged();
  EXPECT_EQ(logtimer->interval(), 3000);
  runtime.settings().LogInterval = 0;
  runtime.clockwork().periodsChanged();
  EXPECT_FALSE(logtimer->isActive());

  // Gone, the timers leave the clockwork without a hook to them.
  timers.reset();
  runtime.settings().LogInterval = 60000;
  runtime.clockwork().periodsChanged();
}

TEST_F(ClockworkTimersTest, AClockOfTheRealSpeedRunsThePeriodsAsTheyAre) {
  const ManualClock clock(LocalDateTime{2026, 3, 14, 7, 5, 0});
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  EXPECT_EQ(runtime.timerSpeedUp(), 1);
  const ClockworkTimers timers(runtime.clockwork(), runtime.timerSpeedUp());
  EXPECT_EQ(timers.findChild<QTimer*>(QStringLiteral("logtimer"))->interval(), 600000);
}

// The scale is read where the clock is made, and the clock carries it.
TEST(MakeClockTest, TheTimeScaleOfTheEnvironmentIsTheClocksSpeedUp) {
  ::unsetenv("TAVIK_CLOCK_START");
  const struct {
    const char* text;
    int speedUp;
  } cases[] = {{"40", 40}, {"1", 1}, {"0", 1}, {"-5", 1}, {"schnell", 1}, {"99999999999", 1}};
  for (const auto& c : cases) {
    ::setenv("TAVIK_TIME_SCALE", c.text, 1);
    EXPECT_EQ(makeClock()->speedUp(), c.speedUp) << c.text;
  }
  ::unsetenv("TAVIK_TIME_SCALE");
  EXPECT_EQ(makeClock()->speedUp(), 1);
  // A chosen start alone runs at the real speed.
  ::setenv("TAVIK_CLOCK_START", "2026-03-14T07:05", 1);
  const std::unique_ptr<Clock> started = makeClock();
  EXPECT_EQ(started->speedUp(), 1);
  EXPECT_EQ(started->now().year, 2026);
  ::unsetenv("TAVIK_CLOCK_START");
}

}  // namespace
}  // namespace tavik
