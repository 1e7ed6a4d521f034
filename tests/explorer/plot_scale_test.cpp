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
  EXPECT_EQ(years.months, 24);

  const TimeScale one = timeScale(day, day, 5);
  EXPECT_LT(one.low, day);
  EXPECT_GT(one.high, day);
}

// Every tick of a range falls on a natural boundary: the test names the
// boundary each range must use and checks each tick against it.
struct NaturalTicks {
  const char* what;
  LocalDateTime from;
  long long length;
  int maxTicks;
  bool (*onBoundary)(const LocalDateTime&);
  const char* firstText;
};

bool wholeHour(const LocalDateTime& t) { return t.minute == 0 && t.second == 0; }
bool midnight(const LocalDateTime& t) { return wholeHour(t) && t.hour == 0; }
bool monday(const LocalDateTime& t) {
  return midnight(t) && (daysFromCivil(t.year, t.month, t.day) + 3) % 7 == 0;
}
bool monthStart(const LocalDateTime& t) { return midnight(t) && t.day == 1; }
bool yearStart(const LocalDateTime& t) { return monthStart(t) && t.month == 1; }

TEST(TimeScaleTest, TicksFallOnNaturalBoundariesForEachRange) {
  constexpr long long kDay = 86400;
  const NaturalTicks cases[] = {
      {"day", {2026, 12, 7, 14, 7}, kDay, 8, wholeHour, "18:00 07.12."},
      {"week", {2026, 12, 1, 14, 7}, 7 * kDay, 8, midnight, "02.12.26"},
      {"month", {2026, 11, 8, 14, 0}, 31 * kDay, 6, monday, "09.11.26"},
      {"year", {2025, 12, 8, 14, 0}, 365 * kDay, 8, monthStart, "Jan 2026"},
      {"year, many ticks", {2025, 12, 8, 14, 0}, 365 * kDay, 14, monthStart, "Jan 2026"},
      {"five years", {2021, 3, 5, 0, 0}, 5 * 365 * kDay, 8, yearStart, "2022"},
      {"twenty years", {2006, 3, 5, 0, 0}, 20 * 365 * kDay, 8, yearStart, "2010"},
  };
  for (const NaturalTicks& c : cases) {
    SCOPED_TRACE(c.what);
    const long long from = secondsOf(c.from);
    const TimeScale s = timeScale(from, from + c.length, c.maxTicks);
    ASSERT_GE(s.ticks.size(), 2u);
    EXPECT_LE(s.ticks.size(), static_cast<size_t>(c.maxTicks));
    for (const long long t : s.ticks) {
      EXPECT_GE(t, from);
      EXPECT_LE(t, from + c.length);
      EXPECT_TRUE(c.onBoundary(timeOfSeconds(t)))
          << formatDateTime("dd/mm/yyyy hh:nn", timeOfSeconds(t), de());
    }
    EXPECT_EQ(timeTickText(s.ticks[0], s, true, de()), c.firstText);
  }
}

TEST(TimeScaleTest, MonthStepsCountFromJanuary) {
  const long long from = secondsOf(LocalDateTime{2026, 2, 10});
  const TimeScale quarters = timeScale(from, from + 2 * 365 * 86400LL, 10);
  EXPECT_EQ(quarters.months, 3);
  for (const long long t : quarters.ticks) EXPECT_EQ((timeOfSeconds(t).month - 1) % 3, 0);
  EXPECT_EQ(timeOfSeconds(quarters.ticks.front()).month, 4);
}

}  // namespace
}  // namespace tavik
