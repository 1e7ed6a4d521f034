// SPDX-License-Identifier: GPL-3.0-or-later
// The accelerated clock of the unattended runs and the moment it may start at.
#include "core/scaled_clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace tavik {
namespace {

TEST(ScaledClockTest, StartTextsAreReadStrictly) {
  EXPECT_EQ(parseClockStart("2026-12-31T23:59:30"), (LocalDateTime{2026, 12, 31, 23, 59, 30}));
  EXPECT_EQ(parseClockStart("2028-02-29 05:54"), (LocalDateTime{2028, 2, 29, 5, 54, 0}));
  for (const char* bad :
       {"", "2026-12-31", "2026-12-31T24:00", "2027-02-29T00:00", "2026-13-01T00:00",
        "2026-12-31T23:60", "2026-12-31T23:59:60", "2026-12-31T-1:00", "2026/12/31T23:59",
        "2026-12-31T23:59:5x", "2026-12-31T23:59:30Z"}) {
    EXPECT_EQ(parseClockStart(bad), std::nullopt) << bad;
  }
}

TEST(ScaledClockTest, RunsFastFromTheGivenMomentOverTheTurnOfTheYear) {
  const ScaledClock clock(600, LocalDateTime{2026, 12, 31, 23, 59, 0});
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // two minutes at 600 times
  // Within the first hour of the new year for any run shorter than six seconds.
  const LocalDateTime later = clock.now();
  EXPECT_EQ(later.year, 2027);
  EXPECT_EQ(later.month, 1);
  EXPECT_EQ(later.day, 1);
  EXPECT_EQ(later.hour, 0);
}

}  // namespace
}  // namespace tavik
