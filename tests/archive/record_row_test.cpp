// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/record_row.h"

#include <gtest/gtest.h>

#include "common/clock.h"

namespace tavik {
namespace {

TEST(RecordRow, KindsNotSeenFlaggedAndImpossibleValuesStayEmpty) {
  WeatherRecord w;
  w.TempOut.Current = 950;  // beyond anything measured on Earth
  w.TempIn.Current = 214;
  w.HumOut.Current = 55;
  w.HumIn.OutOfRange = true;
  w.DewOut.OutOfRange = true;
  w.Baro.SeaLevel = 10132;
  w.Baro.Local = 1000;
  w.Baro.Trend = 0;  // no trend word yet
  w.Baro.Forecast = 8;
  w.Wind.Speed = 42;
  w.Wind.GustFlag = true;
  w.BatteryLow = true;
  w.Clock = {30, 15, 9, 29, 2};  // 29 February in a year that has none
  StationState s;
  s.seen8F = s.seen9F = s.seenAF = s.seenCF = true;  // no rain group yet

  const ArchiveRow r = archiveRowOf(w, s, 1000, 60, 2027, IntervalGust{77, 200});
  EXPECT_EQ(r.time, 1000);
  EXPECT_EQ(r.interval, 60);
  EXPECT_FALSE(r.tempOut);
  EXPECT_EQ(r.tempIn, 214);
  EXPECT_EQ(r.humOut, 55);
  EXPECT_FALSE(r.humIn);
  EXPECT_FALSE(r.dewOut);
  EXPECT_EQ(r.baroSea, 10132);
  EXPECT_FALSE(r.trend);
  EXPECT_EQ(r.forecast, 8);
  EXPECT_FALSE(r.rainRate);
  EXPECT_FALSE(r.rainTotal);
  EXPECT_EQ(r.windSpeed, 42);
  EXPECT_EQ(r.gust, 77);
  EXPECT_EQ(r.gustDir, 200);
  EXPECT_EQ(r.batteryLow, true);
  EXPECT_EQ(r.outOfRange, kHumInOutOfRange | kDewOutOutOfRange | kGustFlag);
  EXPECT_FALSE(r.consoleTime);

  s.seenBF = true;
  w.Rain.Total = 812;
  w.Clock.Day = 28;
  const ArchiveRow later = archiveRowOf(w, s, 1060, 60, 2027, std::nullopt);
  EXPECT_EQ(later.rainTotal, 812);
  EXPECT_EQ(later.rainRate, 0);
  EXPECT_FALSE(later.gust);
  EXPECT_EQ(later.consoleTime, daysFromCivil(2027, 2, 28) * 86400 + 9 * 3600 + 15 * 60 + 30);

  const ArchiveRow nothing = archiveRowOf(WeatherRecord{}, StationState{}, 5, 60, 2027, {});
  ArchiveRow empty;
  empty.time = 5;
  EXPECT_EQ(nothing, empty);
}

}  // namespace
}  // namespace tavik
