// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/weather_model.h"

#include <gtest/gtest.h>

#include <set>

namespace tavik {
namespace {

void expectValidTime(uint8_t minute, uint8_t hour, uint8_t day, uint8_t month) {
  EXPECT_LT(minute, 60);
  EXPECT_LT(hour, 24);
  EXPECT_GE(day, 1);
  EXPECT_LE(day, 31);
  EXPECT_GE(month, 1);
  EXPECT_LE(month, 12);
}

void expectExtremesAround(const MinMaxEntry& lo, int32_t current, const MinMaxEntry& hi) {
  EXPECT_LE(lo.Value, current);
  EXPECT_GE(hi.Value, current);
  expectValidTime(lo.Minute, lo.Hour, lo.Day, lo.Month);
  expectValidTime(hi.Minute, hi.Hour, hi.Day, hi.Month);
}

TEST(WeatherModel, SameSeedSameWeatherOtherSeedOtherWeather) {
  WeatherModel a(7), b(7), c(8);
  for (int i = 0; i < 100; ++i) {
    a.advance(60);
    b.advance(60);
    c.advance(60);
  }
  EXPECT_EQ(a.record().TempOut.Current, b.record().TempOut.Current);
  EXPECT_EQ(a.record().Wind.Dir, b.record().Wind.Dir);
  EXPECT_EQ(a.record().Baro.SeaLevel, b.record().Baro.SeaLevel);
  EXPECT_NE(a.record().Baro.SeaLevel, c.record().Baro.SeaLevel);
}

TEST(WeatherModel, ConsoleClockStartsAtTheGivenMoment) {
  WeatherModel model(7, WeatherModel::secondOfYear({2026, 12, 9, 14, 30, 5}));
  model.advance(10);
  const ClockBlock& t = model.record().Clock;
  EXPECT_EQ(t.Month, 12);
  EXPECT_EQ(t.Day, 9);
  EXPECT_EQ(t.Hour, 14);
  EXPECT_EQ(t.Minute, 30);
  EXPECT_EQ(t.Second, 15);
  // The year of the console has 365 days: the last second of December and
  // the first of January follow each other.
  EXPECT_EQ(WeatherModel::secondOfYear({2026, 12, 31, 23, 59, 59}), 365 * 86400.0 - 1);
  EXPECT_EQ(WeatherModel::secondOfYear({2027, 1, 1, 0, 0, 0}), 0.0);
  EXPECT_EQ(WeatherModel::secondOfYear({2028, 2, 29, 0, 0, 0}),
            WeatherModel::secondOfYear({2028, 3, 1, 0, 0, 0}));
}

// A month of weather, looked at every minute and a half: every value stays where the
// console can show it and the values fit together.
TEST(WeatherModel, StaysPlausibleForAMonth) {
  WeatherModel m(3);
  std::set<int> trends, forecasts, sections;
  bool rained = false, onBattery = false, onMains = false, newDay = false;
  uint16_t lastTotal = m.record().Rain.Total;
  const uint8_t firstDay = m.record().Clock.Day;
  for (int i = 0; i < 30 * 24 * 40; ++i) {
    m.advance(90);
    const WeatherRecord& w = m.record();
    SCOPED_TRACE("step " + std::to_string(i));
    expectValidTime(w.Clock.Minute, w.Clock.Hour, w.Clock.Day, w.Clock.Month);
    EXPECT_GE(w.HumOut.Current, 1);
    EXPECT_LE(w.HumOut.Current, 99);
    EXPECT_EQ(w.TempOut.Positive, w.TempOut.Current >= 0);
    EXPECT_EQ(w.TempOut.Lo.Flag, w.TempOut.Lo.Value >= 0);
    EXPECT_LE(std::abs(w.TempOut.Current), 799);
    expectExtremesAround(w.TempOut.Lo, w.TempOut.Current, w.TempOut.Hi);
    expectExtremesAround(w.TempIn.Lo, w.TempIn.Current, w.TempIn.Hi);
    expectExtremesAround(w.HumOut.Lo, w.HumOut.Current, w.HumOut.Hi);
    expectExtremesAround(w.DewOut.Lo, w.DewOut.Current, w.DewOut.Hi);
    EXPECT_LE(w.Chill.Lo.Value, w.Chill.Current);
    // The dew point never lies above the temperature (whole degrees against
    // tenths, hence the half degree).
    if (!w.DewOut.OutOfRange) {
      EXPECT_LE(w.DewOut.Current * 10, w.TempOut.Current + 5);
    }
    EXPECT_LE(w.Chill.Current * 10, w.TempOut.Current + 5);
    EXPECT_GE(w.Wind.GustSpeed, w.Wind.Speed);
    EXPECT_LT(w.Wind.Dir, 360);
    EXPECT_LT(w.Wind.AvgDir, 360);
    EXPECT_GT(w.Baro.SeaLevel, 9500);
    EXPECT_LT(w.Baro.SeaLevel, 10600);
    EXPECT_LE(w.Baro.Local * 10, w.Baro.SeaLevel + 5);
    if (testing::Test::HasFailure()) return;

    EXPECT_GE(w.Rain.Total, lastTotal);  // never reset within a month
    lastTotal = w.Rain.Total;
    rained |= w.Rain.Rate > 0;
    onBattery |= w.PowerDc;
    onMains |= !w.PowerDc;
    newDay |= w.Clock.Day != firstDay;
    trends.insert(w.Baro.Trend);
    forecasts.insert(w.Baro.Forecast);
    sections.insert(w.DisplaySection);
  }
  EXPECT_TRUE(rained);
  EXPECT_GT(m.record().Rain.Total, 0);
  EXPECT_TRUE(onBattery && onMains);
  EXPECT_TRUE(newDay);
  EXPECT_EQ(trends, (std::set<int>{1, 2, 4}));
  EXPECT_GE(forecasts.size(), 2u);
  EXPECT_EQ(sections.size(), 8u);
}

TEST(WeatherModel, AfternoonsAreWarmerThanNights) {
  WeatherModel m(11);
  long afternoon = 0, night = 0;
  int days = 0;
  for (int minute = 0; minute < 10 * 24 * 60; ++minute) {
    m.advance(60);
    const WeatherRecord& w = m.record();
    if (w.Clock.Minute != 0) continue;
    if (w.Clock.Hour == 15) afternoon += w.TempOut.Current, ++days;
    if (w.Clock.Hour == 4) night += w.TempOut.Current;
  }
  ASSERT_GE(days, 9);
  EXPECT_GT(afternoon / days - night / days, 30);  // more than 3 degrees
}

TEST(WeatherModel, MidnightStartsNewExtremesAndMovesRainToYesterday) {
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    WeatherModel m(seed);
    // Run to just after the second midnight, summing up the first full day.
    while (m.record().Clock.Hour != 0 || m.record().Clock.Minute != 0) m.advance(60);
    const uint16_t totalAtStart = m.record().Rain.Total;
    const uint8_t day = m.record().Clock.Day;
    do {
      m.advance(60);
    } while (m.record().Clock.Day == day);
    const WeatherRecord& w = m.record();
    EXPECT_EQ(w.TempOut.Lo.Day, w.Clock.Day);
    EXPECT_EQ(w.TempOut.Hi.Day, w.Clock.Day);
    EXPECT_EQ(w.Wind.GustTime.Day, w.Clock.Day);
    // Rain in the first minute of the new day is at most a fraction of a mm.
    EXPECT_NEAR(w.Rain.Yesterday, w.Rain.Total - totalAtStart, 1);
    if (w.Rain.Yesterday > 0) return;  // a day with rain has been seen
  }
  ADD_FAILURE() << "no seed gave a day with rain";
}

}  // namespace
}  // namespace tavik
