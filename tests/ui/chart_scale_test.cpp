// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_scale.h"

#include <gtest/gtest.h>

#include "common/clock.h"

namespace tavik {
namespace {

const ChartQuantity& temperature() { return kChartQuantities[3]; }
const ChartQuantity& humidity() { return kChartQuantities[1]; }
const ChartQuantity& pressure() { return kChartQuantities[4]; }
const ChartQuantity& wind() { return kChartQuantities[8]; }

long long minuteAt(int y, int mo, int d, int h, int mi) {
  return daysFromCivil(y, mo, d) * 1440 + h * 60 + mi;
}

TEST(ChartScale, SmallChangesAreShownOnTheQuantitysMinimumSpan) {
  // 0,2 °C of change does not fill the chart: 2 °C around it do.
  EXPECT_EQ(chartValueRange({6.4, 6.6}, temperature()), (ValueRange{5.5, 7.5}));
  EXPECT_EQ(chartValueRange({1013.2}, pressure()), (ValueRange{1010.7, 1015.7}));
  // A wide course keeps its own ends, rounded outwards to the decimals.
  EXPECT_EQ(chartValueRange({-3.04, 8.01}, temperature()), (ValueRange{-3.1, 8.1}));
  EXPECT_FALSE(chartValueRange({}, temperature()));
}

TEST(ChartScale, WidenedRangeStaysWithinWhatTheQuantityCanBe) {
  // Calm wind: 0 to 2 m/s, not -1 to 1.
  EXPECT_EQ(chartValueRange({0.0, 0.0}, wind()), (ValueRange{0, 2}));
  // Saturated air: 90 to 100 %.
  EXPECT_EQ(chartValueRange({99, 100}, humidity()), (ValueRange{90, 100}));
  EXPECT_EQ(chartValueRange({50}, humidity()), (ValueRange{45, 55}));
}

TEST(ChartScale, ValueTextsCarryTheUnitAndADecimalComma) {
  EXPECT_EQ(chartValueText(21.5, temperature()), "21,5 °C");
  EXPECT_EQ(chartValueText(-0.04, temperature()), "0,0 °C");
  EXPECT_EQ(chartValueText(-3.0, temperature()), "-3,0 °C");
  EXPECT_EQ(chartValueText(55, humidity()), "55 %");
}

TEST(ChartScale, ThreeHoursHaveHourTicksAndMidnightIsMarkedAsTheDay) {
  const long long now = minuteAt(2026, 12, 10, 1, 30);
  const std::vector<TimeTick> ticks = chartTimeTicks(now - 180, now);
  ASSERT_EQ(ticks.size(), 3u);
  EXPECT_EQ(ticks[0], (TimeTick{minuteAt(2026, 12, 9, 23, 0), "23:00", false}));
  EXPECT_EQ(ticks[1], (TimeTick{minuteAt(2026, 12, 10, 0, 0), "10.12.", true}));
  EXPECT_EQ(ticks[2].label, "01:00");
}

TEST(ChartScale, LongerSpansHaveFewerTicks) {
  const long long now = minuteAt(2026, 12, 10, 14, 10);
  const std::vector<TimeTick> twelve = chartTimeTicks(now - 720, now);
  ASSERT_EQ(twelve.size(), 4u);  // 03:00, 06:00, 09:00, 12:00
  EXPECT_EQ(twelve.front().label, "03:00");
  const std::vector<TimeTick> day = chartTimeTicks(now - 1440, now);
  ASSERT_EQ(day.size(), 4u);  // 18:00, 10.12., 06:00, 12:00
  EXPECT_EQ(day[1].label, "10.12.");
  const std::vector<TimeTick> week = chartTimeTicks(now - 7 * 1440, now);
  ASSERT_EQ(week.size(), 7u);
  for (const TimeTick& t : week) EXPECT_TRUE(t.dayStart) << t.label;
  EXPECT_TRUE(chartTimeTicks(now, now).empty());
}

TEST(ChartScale, HoverNamesDateAndTime) {
  EXPECT_EQ(chartHoverText(minuteAt(2026, 12, 9, 16, 44), 6.5, temperature()),
            "6,5 °C am 09.12.26 um 16:44");
  EXPECT_EQ(chartHoverText(minuteAt(2027, 1, 1, 0, 5), 3, wind()), "3,0 m/s am 01.01.27 um 00:05");
}

}  // namespace
}  // namespace tavik
