// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/plot_scale.h"

#include <gtest/gtest.h>

#include "products/weather_log_reader.h"

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

TEST(ValueScaleTest, TicksAtRoundStepsCoveringTheValues) {
  const ValueScale s = valueScale(-3.5, 21.5, 6);
  EXPECT_DOUBLE_EQ(s.step, 5);
  EXPECT_DOUBLE_EQ(s.low, -5);
  EXPECT_DOUBLE_EQ(s.high, 25);
  EXPECT_EQ(s.ticks.size(), 7u);
  EXPECT_EQ(s.decimals, 0);

  const ValueScale baro = valueScale(1013.2, 1014.1, 5);
  EXPECT_DOUBLE_EQ(baro.step, 0.5);
  EXPECT_EQ(baro.decimals, 1);
  EXPECT_LE(baro.low, 1013.2);
  EXPECT_GE(baro.high, 1014.1);

  // One value all along still gets an axis around it.
  const ValueScale flat = valueScale(87, 87, 5);
  EXPECT_LT(flat.low, 87);
  EXPECT_GT(flat.high, 87);
  EXPECT_GE(flat.ticks.size(), 2u);
}

TEST(TimeScaleTest, StepsOfMinutesHoursOrDays) {
  const long long day = secondsOf(LocalDateTime{2026, 12, 8, 0, 0, 0, 0});
  const TimeScale hour = timeScale(day + 9 * 3600 + 120, day + 15 * 3600, 8);
  EXPECT_EQ(hour.step, 3600);
  ASSERT_FALSE(hour.ticks.empty());
  EXPECT_EQ(hour.ticks.front(), day + 10 * 3600);
  EXPECT_LE(hour.ticks.size(), 8u);
  EXPECT_EQ(timeTickText(hour.ticks[0], hour, true, de()), "10:00 08.12.");
  EXPECT_EQ(timeTickText(hour.ticks[1], hour, false, de()), "11:00");

  const TimeScale month = timeScale(day, day + 30 * 86400, 6);
  EXPECT_EQ(month.step, 7 * 86400);
  EXPECT_EQ(timeTickText(month.ticks[0], month, true, de()).size(), 8u);  // dd.mm.yy

  const TimeScale years = timeScale(day, day + 3000LL * 86400, 6);
  EXPECT_LE(years.ticks.size(), 6u);
  EXPECT_FALSE(years.ticks.empty());

  const TimeScale one = timeScale(day, day, 5);
  EXPECT_LT(one.low, day);
  EXPECT_GT(one.high, day);
}

}  // namespace
}  // namespace tavik
