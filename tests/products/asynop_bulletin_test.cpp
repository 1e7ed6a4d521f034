// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop_bulletin.h"

#include <gtest/gtest.h>

#include <optional>

#include "asynop_test_record.h"

namespace tavik {
namespace {

// A record and settings with known values; the clock at 08.12.2026 07:00 local.
struct AsynopLineTest : ::testing::Test {
  void SetUp() override {
    test::setAsynopTestRecord(f);
    f.settings.Zeitzone = 1;
    f.clock.set({2026, 12, 8, 7, 0, 0, 0});
  }
  std::string line(std::optional<RainAmount> rain = std::nullopt) {
    return asynopReportLine(f.context(), rain);
  }
  test::ProductFixture f;
};

TEST_F(AsynopLineTest, ReportLineOfKnownValues) {
  EXPECT_EQ(line(), "ZZ9ZZ  08061 99505 10079 46/// /2404 11053 29072 40132 52///=");
  EXPECT_EQ(line(RainAmount{0, 6}),
            "ZZ9ZZ  08061 99505 10079 36/// /2404 11053 29072 40132 52///=");
}

TEST_F(AsynopLineTest, TemperaturePressureAndTendency) {
  f.weather.TempOut = {};
  f.weather.TempOut.Positive = true;
  f.weather.Baro.SeaLevel = 9987;
  EXPECT_EQ(line(), "ZZ9ZZ  08061 99505 10079 46/// /2404 10000 29072 49987 52///=");
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
  EXPECT_EQ(line(RainAmount{3, 6}).substr(25), "16/// /2404 11053 29072 40132 52/// 60031=");
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
  f.settings.Zeitzone = -5;  // west of UTC: the evening is already tomorrow
  f.clock.set({2026, 12, 31, 19, 0, 0, 0});
  EXPECT_EQ(line().substr(7, 5), "01001");
  f.settings.Zeitzone = 0;
  f.clock.set({2026, 12, 8, 15, 0, 0, 0});
  EXPECT_EQ(line().substr(7, 5), "08151");
}

TEST_F(AsynopLineTest, OpeningAndClosingLines) {
  f.settings.Zeitzone = -5;
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
