// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/clock.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

LocalDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.hour = h;
  t.minute = mi;
  t.second = s;
  return t;
}

TEST(Calendar, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_EQ(daysInMonth(2023, 2), 28);
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(2024, 13), 0);
  EXPECT_FALSE(isValidDate(2023, 2, 29));
  EXPECT_TRUE(isValidDate(2024, 2, 29));
  EXPECT_FALSE(isValidDate(2024, 4, 31));
  EXPECT_FALSE(isValidDate(2024, 0, 1));
}

TEST(Calendar, DayNumbersRoundTripAcrossEras) {
  EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(daysFromCivil(2000, 3, 1), 11017);
  EXPECT_EQ(daysFromCivil(1969, 12, 31), -1);
  for (long long d = -800000; d <= 800000; d += 997) {
    int y = 0, m = 0, day = 0;
    civilFromDays(d, y, m, day);
    ASSERT_TRUE(isValidDate(y, m, day) || y < 1) << d;
    ASSERT_EQ(daysFromCivil(y, m, day), d);
  }
}

TEST(Calendar, AddSecondsCarriesThroughTheCalendar) {
  EXPECT_EQ(addSeconds(at(2023, 12, 31, 23, 59, 59), 1), at(2024, 1, 1));
  EXPECT_EQ(addSeconds(at(2024, 2, 28, 12), 86400), at(2024, 2, 29, 12));
  EXPECT_EQ(addSeconds(at(2024, 3, 1), -1), at(2024, 2, 29, 23, 59, 59));
  EXPECT_EQ(addSeconds(at(2024, 1, 1), 366LL * 86400), at(2025, 1, 1));
}

TEST(ManualClockTest, StandsStillUntilAdvanced) {
  LocalDateTime start = at(2026, 3, 14, 7, 5, 0);
  start.millisecond = 250;
  ManualClock clock(start);
  EXPECT_EQ(clock.now(), start);
  clock.advanceSeconds(24 * 3600 + 60);
  LocalDateTime expected = at(2026, 3, 15, 7, 6, 0);
  expected.millisecond = 250;
  EXPECT_EQ(clock.now(), expected);
}

TEST(ClockZoneTest, TheClocksZoneWinsAndTheUsersZoneStandsInWhereThereIsNone) {
  ManualClock zoned(at(2026, 7, 1, 12));
  zoned.setUtcOffsetMinutes(120);
  EXPECT_EQ(zoned.zoneOffsetMinutes(zoned.now(), -5), 120);

  struct NoZoneClock final : Clock {
    LocalDateTime now() const override { return at(2026, 7, 1, 12); }
    std::optional<int> utcOffsetMinutes(const LocalDateTime&) const override {
      return std::nullopt;
    }
  } noZone;
  EXPECT_EQ(noZone.zoneOffsetMinutes(noZone.now(), 1), 60);
  EXPECT_EQ(noZone.zoneOffsetMinutes(noZone.now(), -5), -300);
  EXPECT_EQ(noZone.zoneOffsetMinutes(noZone.now(), 0), 0);
}

TEST(SystemClockTest, GivesAPlausibleLocalTime) {
  const LocalDateTime t = SystemClock().now();
  EXPECT_GE(t.year, 2020);
  EXPECT_TRUE(isValidDate(t.year, t.month, t.day));
  EXPECT_LT(t.hour, 24);
  EXPECT_LT(t.minute, 60);
  EXPECT_LT(t.second, 60);
  EXPECT_LT(t.millisecond, 1000);
}

}  // namespace
}  // namespace tavik
