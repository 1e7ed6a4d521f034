// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop_bulletin.h"

#include <gtest/gtest.h>

#include <optional>

#include "asynop_test_record.h"
#include "synop_decoder.h"

namespace tavik {
namespace {

// A record and settings with known values; the clock at 08.12.2026 07:00 local.
struct AsynopLineTest : ::testing::Test {
  void SetUp() override {
    test::setAsynopTestRecord(f);
    f.settings.Zeitzone = 1;
    f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
    f.clock.set({2026, 12, 8, 7, 0, 0, 0});
  }
  std::string line(std::optional<RainAmount> rain = std::nullopt) {
    return asynopReportLine(f.context(), rain);
  }
  test::ProductFixture f;
};

TEST_F(AsynopLineTest, ReportLineOfKnownValues) {
  EXPECT_EQ(line(), "ZZ9ZZ  08061 99505 10079 46/// /2505 11053 29072 40132 52///=");
  EXPECT_EQ(line(RainAmount{0, 6}),
            "ZZ9ZZ  08061 99505 10079 36/// /2505 11053 29072 40132 52///=");
}

TEST_F(AsynopLineTest, TemperaturePressureAndTendency) {
  f.weather.TempOut = {};
  f.weather.TempOut.Positive = true;
  f.weather.Baro.SeaLevel = 9987;
  EXPECT_EQ(line(), "ZZ9ZZ  08061 99505 10079 46/// /2505 10000 29072 49987 52///=");
  // The station's trend, never its forecast code, gives the characteristic.
  f.weather.Baro.Forecast = 12;
  f.weather.Baro.Trend = 2;
  EXPECT_EQ(line().substr(55), "54///=");
  f.weather.Baro.Trend = 4;
  EXPECT_EQ(line().substr(55), "57///=");
  f.weather.Baro.Trend = 0;  // no trend yet: no group 5
  EXPECT_EQ(line().substr(49), "49987=");
}

// The amount with the digit of its period; the rain rate plays no part.
TEST_F(AsynopLineTest, RainGroupHoldsTheAmountOfItsPeriod) {
  f.weather.Rain.Rate = 7;
  EXPECT_EQ(line(RainAmount{3, 6}).substr(25), "16/// /2505 11053 29072 40132 52/// 60031=");
  EXPECT_EQ(line(RainAmount{0, 6}).substr(25, 5), "36///");
  const auto group6 = [&](RainAmount rain) {
    const std::string l = line(rain);
    return l.substr(l.size() - 6, 5);
  };
  EXPECT_EQ(group6({12, 12}), "60122");
  EXPECT_EQ(group6({30, 24}), "60304");
  EXPECT_EQ(group6({1, 18}), "60013");
  EXPECT_EQ(group6({1200, 6}), "69891");  // 989 mm or more
  // Periods the code has no digit for, and a negative amount: not known.
  EXPECT_EQ(line(RainAmount{3, 30}).substr(25, 5), "46///");
  EXPECT_EQ(line(RainAmount{3, 4}).substr(25, 5), "46///");
  EXPECT_EQ(line(RainAmount{-1, 6}).substr(25, 5), "46///");
  // The converted gauge: counts divided by 5.5225, tenths below 1 mm.
  f.settings.NormalRegen = false;
  EXPECT_EQ(group6({1, 6}), "69921");   // 0.18 mm
  EXPECT_EQ(group6({11, 6}), "60021");  // 1.99 mm
  f.settings.NormalRegen = true;
  EXPECT_EQ(group6({2, 1}), "60025");
}

TEST_F(AsynopLineTest, SenderPaddingAndShortPositionTexts) {
  f.settings.ASYNOPAbsender = "DL1ABCD";
  f.settings.ASYNOPLong = "080";
  f.settings.ASYNOPLat = "55";
  f.settings.ASYNOPErdquadrant = 7;
  EXPECT_EQ(line().substr(0, 26), "DL1ABCD 08061 99055 70080 ");
  f.settings.ASYNOPLong = "1799x";  // not all digits: as stored
  EXPECT_EQ(line().substr(0, 27), "DL1ABCD 08061 99055 71799x ");
}

TEST_F(AsynopLineTest, DayAndHourAreUtcAcrossMidnightAndZones) {
  f.clock.set({2026, 12, 8, 0, 30, 0, 0});  // just after local midnight, UTC+1
  EXPECT_EQ(line().substr(7, 5), "07231");
  f.settings.Zeitzone = -5;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone *
                              60);  // west of UTC: the evening is already tomorrow
  f.clock.set({2026, 12, 31, 19, 0, 0, 0});
  EXPECT_EQ(line().substr(7, 5), "01001");
  f.settings.Zeitzone = 0;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.clock.set({2026, 12, 8, 15, 0, 0, 0});
  EXPECT_EQ(line().substr(7, 5), "08151");
}

// The wind group as an FM-12 reader takes it: code table 0877 for dd, ff
// rounded, calm only as 00 00.
TEST_F(AsynopLineTest, WindGroupReadsAsTheWindThatBlew) {
  struct Case {
    int speedTenths, dir;
    const char* group;
    int readDir, readSpeed;
  };
  const Case cases[] = {
      {50, 0, "/3605", 360, 5},
      {50, 360, "/3605", 360, 5},  // north is 36, not 00
      {47, 358, "/3605", 360, 5},
      {47, 4, "/3605", 360, 5},  // near north
      {20, 5, "/0102", 10, 2},
      {96, 180, "/1810", 180, 10},  // rounded, not cut
      {4, 247, "/0000", 0, 0},
      {0, 90, "/0000", 0, 0},  // calm: 00 00 whatever the vane
      {5, 247, "/2501", 250, 1},
      {985, 200, "/2099 00099", 200, 99},  // 99 m/s and more: 00fff
      {1234, 270, "/2799 00123", 270, 123},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.group);
    EXPECT_EQ(synopWindGroup(c.speedTenths, c.dir), c.group);
    f.weather.Wind.AvgSpeed = static_cast<uint16_t>(c.speedTenths);
    f.weather.Wind.AvgDir = static_cast<uint16_t>(c.dir);
    const test::SynopReport r = test::decodeSynop(line());
    EXPECT_TRUE(r.errors.empty()) << ::testing::PrintToString(r.errors);
    EXPECT_EQ(r.windDirection, c.readDir);
    EXPECT_EQ(r.windSpeed, c.readSpeed);
  }
}

// Where ten minutes of wind groups are known, their mean is reported, not the
// console's average or the instantaneous wind.
TEST_F(AsynopLineTest, TheTenMinuteMeanWindWinsOverTheConsolesAverage) {
  f.state.wind10min = StationState::MeanWind{62, 93};
  EXPECT_EQ(line().substr(31, 5), "/0906");
}

// The hour is the true UTC hour: the zone's offset at that moment, summer or
// winter, and Zeitzone only where the system has no zone.
TEST_F(AsynopLineTest, HourIsUtcOnBothSidesOfADaylightSavingChange) {
  f.clock.set({2026, 3, 29, 1, 0, 0, 0});  // 00 UTC, winter time
  EXPECT_EQ(line().substr(7, 5), "29001");
  f.clock.setUtcOffsetMinutes(120);  // summer time from 01 UTC
  f.clock.set({2026, 3, 29, 7, 0, 0, 0});
  EXPECT_EQ(line().substr(7, 5), "29051");
  EXPECT_EQ(asynopUtc(f.clock, f.clock.now(), 1).hour, 5);

  struct NoZoneClock final : Clock {
    LocalDateTime now() const override { return {2026, 7, 1, 7, 0, 0, 0}; }
    std::optional<int> utcOffsetMinutes(const LocalDateTime&) const override {
      return std::nullopt;
    }
  } noZone;
  EXPECT_EQ(asynopUtc(noZone, noZone.now(), 1).hour, 6);
  EXPECT_EQ(asynopUtc(noZone, noZone.now(), -5).hour, 12);
}

TEST_F(AsynopLineTest, OpeningAndClosingLines) {
  f.settings.Zeitzone = -5;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.clock.set({2026, 12, 31, 19, 0, 5, 0});
  const auto opening = asynopOpeningLines(f.context());
  const std::vector<std::string> expected = {
      "ASYNOP@DL        de:ZZ9ZZ 31.12.26 19:00:05   10        0 Bytes",
      "ASYNOP ZZ9ZZ 01.01.27",
      "",
      "Wetterdaten WMR918",
      "",
      "ASYNOP 270101",
      "SXSX"};
  EXPECT_EQ(opening, expected);
  f.settings.ASYNOPNach = "73";
  EXPECT_EQ(asynopClosingLines(f.context()), (std::vector<std::string>{"/QAM/", "", "73"}));
}

}  // namespace
}  // namespace tavik
