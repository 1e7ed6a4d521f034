// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/weather_history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

using Q = HistoryQuantity;

class WeatherHistoryTest : public ::testing::Test {
 protected:
  long long minute(int hour, int min) const { return minuteOf({2026, 3, 14, hour, min, 0}); }

  ManualClock clock{LocalDateTime{2026, 3, 14, 10, 0, 5}};
  WeatherHistory history{clock};
  WeatherRecord weather;
  StationState state{
      .seen8F = true, .seen9F = true, .seenAF = true, .seenBF = true, .seenCF = true};
};

TEST_F(WeatherHistoryTest, OneSampleAMinuteTheLastValueOfTheMinute) {
  weather.TempOut.Current = -123;
  history.record(weather, state);
  weather.TempOut.Current = -120;
  clock.advanceSeconds(50);  // 10:00:55, the same minute
  history.record(weather, state);
  clock.advanceSeconds(10);  // 10:01:05
  weather.TempOut.Current = 5;
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::TempOut, 180),
            (std::vector<HistoryPoint>{{minute(10, 0), -12.0}, {minute(10, 1), 0.5}}));
  // Each quantity in its own unit.
  weather.Baro.SeaLevel = 10132;
  weather.Wind.Speed = 43;
  weather.HumIn.Current = 55;
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::SeaLevel, 1).at(0).value, 1013.2);
  EXPECT_EQ(history.points(Q::Wind, 1).at(0).value, 4.3);
  EXPECT_EQ(history.points(Q::HumIn, 1).at(0).value, 55);
}

TEST_F(WeatherHistoryTest, GroupsNotYetComeAndOutOfRangeValuesAreLeftOut) {
  state.seenCF = false;
  weather.HumIn.OutOfRange = true;
  weather.Rain.RateOutOfRange = true;
  history.record(weather, state);
  EXPECT_TRUE(history.points(Q::Wind, 180).empty());
  EXPECT_TRUE(history.points(Q::Chill, 180).empty());
  EXPECT_TRUE(history.points(Q::HumIn, 180).empty());
  EXPECT_TRUE(history.points(Q::RainRate, 180).empty());
  EXPECT_EQ(history.points(Q::HumOut, 180).size(), 1u);
}

TEST_F(WeatherHistoryTest, KeepsADayAndShowsOnlyTheSpanAsked) {
  for (int i = 0; i < 26 * 60; ++i) {
    weather.HumOut.Current = static_cast<uint8_t>(i % 100);
    history.record(weather, state);
    clock.advanceSeconds(60);
  }
  clock.advanceSeconds(-60);  // at the last sample
  const std::vector<HistoryPoint> day = history.points(Q::HumOut, 24 * 60);
  ASSERT_EQ(day.size(), 24u * 60u);
  EXPECT_EQ(day.back().value, (26 * 60 - 1) % 100);
  EXPECT_EQ(day.back().minute - day.front().minute, 24 * 60 - 1);
  EXPECT_EQ(history.points(Q::HumOut, 180).size(), 180u);
  EXPECT_EQ(history.points(Q::HumOut, 180).front().minute, day.back().minute - 179);

  // The clock set back: samples after the new now are not shown, and a new
  // one replaces them.
  clock.advanceSeconds(-3600);
  EXPECT_EQ(history.points(Q::HumOut, 60).back().minute, minuteOf(clock.now()));
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::HumOut, 24 * 60).back().minute, minuteOf(clock.now()));
}

TEST_F(WeatherHistoryTest, FilledFromTheWetterlogRowsOfTheLastDay) {
  testing::TempFolder folder;
  test::LogTreeWriter writer(folder.path());
  // Rows every ten minutes from 06:00 to 10:50 the day before and today.
  writer.write({2026, 3, 13, 6, 0, 0}, 600, 30);
  const std::vector<WeatherLogRow> today = writer.write({2026, 3, 14, 6, 0, 0}, 600, 30);
  fillHistoryFromWeatherLog(history, folder.path(), RegionalSettings::german());

  const std::vector<HistoryPoint> shown = history.points(Q::TempOut, 180);
  // 07:10 .. 10:00 (the rows after now are not taken).
  ASSERT_EQ(shown.size(), 18u);
  EXPECT_EQ(shown.front().minute, minute(7, 10));
  EXPECT_EQ(shown.front().value, today[7].value(LogColumn::TempO));
  EXPECT_EQ(shown.back().minute, minute(10, 0));
  EXPECT_EQ(history.points(Q::HumIn, 180).back().value, today[24].value(LogColumn::FeuchtI));
  EXPECT_EQ(history.points(Q::SeaLevel, 180).back().value, today[24].value(LogColumn::BaroS));
  // A day back reaches into yesterday after 10:00, no further.
  const std::vector<HistoryPoint> day = history.points(Q::TempOut, 24 * 60);
  EXPECT_EQ(day.front().minute, minuteOf({2026, 3, 13, 10, 10, 0}));

  WeatherHistory empty{clock};
  fillHistoryFromWeatherLog(empty, folder.path() / "missing", RegionalSettings::german());
  fillHistoryFromWeatherLog(empty, "", RegionalSettings::german());
  EXPECT_TRUE(empty.points(Q::TempOut, 24 * 60).empty());
}

}  // namespace
}  // namespace tavik
