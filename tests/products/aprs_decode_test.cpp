// SPDX-License-Identifier: GPL-3.0-or-later
// The APRS file's weather line read by an independent APRS decoder
// (decode_aprs of the Debian package "direwolf"), field by field against the
// record it was made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "aprs_decoder.h"
#include "product_test_support.h"
#include "products/aprs_file.h"

namespace tavik {
namespace {

using testing::DecodedAprs;

DecodedAprs decode(const test::TempFolder& folder, const std::string& weatherLine) {
  const std::vector<DecodedAprs> d =
      testing::decodeAprsLines(folder.path().string(), {weatherLine});
  EXPECT_EQ(d.size(), 1u);
  return d.empty() ? DecodedAprs{} : d.front();
}

// The record's values in the units and bounds of the APRS fields.
double mph(int tenthsOfMetrePerSecond) { return tenthsOfMetrePerSecond / 10.0 * 2.23694; }
double capped(double value, double largest) { return std::clamp(std::round(value), 0.0, largest); }
double inches(int count) { return capped(count / 25.4 * 100.0, 999) / 100.0; }

struct AprsDecodeTest : ::testing::Test {
  void SetUp() override {
    if (!testing::onPath("decode_aprs"))
      GTEST_SKIP() << "decode_aprs (Debian package direwolf) missing";
  }

  void expectDecodedAsRecord() {
    const WeatherRecord& w = f.weather;
    const std::string line = aprsFrame(f.context()).weatherLine;
    SCOPED_TRACE(line);
    const DecodedAprs d = decode(folder, line);
    const int peak = *std::max_element(f.state.gustRing.begin(), f.state.gustRing.end());
    EXPECT_EQ(d.direction, capped(w.Wind.AvgDir, 999));
    // The decoder takes the speed after the direction for knots and shows
    // it in miles per hour.
    EXPECT_NEAR(d.windMph / 1.15078, capped(mph(w.Wind.AvgSpeed), 999), 0.1);
    EXPECT_EQ(d.gustMph, capped(mph(peak), 999));
    const double fahrenheit = std::round(w.TempOut.Current / 10.0 * 9 / 5 + 32);
    EXPECT_EQ(d.fahrenheit, std::clamp(fahrenheit, -99.0, 999.0));
    EXPECT_EQ(d.humidity, std::min<int>(w.HumOut.Current, 100));
    EXPECT_NEAR(d.inchesOfMercury * 338.639, w.Baro.SeaLevel, 2.0);
    EXPECT_DOUBLE_EQ(d.rainLastHour, inches(f.state.rainLastHour));
    EXPECT_DOUBLE_EQ(d.rainSinceMidnight, inches(f.state.rainSinceMidnight));
    EXPECT_DOUBLE_EQ(d.rainLast24h, inches(f.state.rain24h));
    EXPECT_EQ(d.comment, "m/" + forecast);
  }

  test::ProductFixture f;
  test::TempFolder folder;
  std::string forecast = "wolkig";
};

TEST_F(AprsDecodeTest, EveryFieldReadsAsTheRecord) {
  f.weather = {};
  f.weather.Wind.AvgDir = 180;
  f.weather.Wind.AvgSpeed = 23;
  f.state.gustRing = {10, 54, 20, 0, 31};
  f.weather.TempOut.Current = 80;
  f.weather.HumOut.Current = 72;
  f.weather.Baro.SeaLevel = 10132;
  f.weather.Rain.Rate = 20;  // a rate, which no field carries
  f.state.rainLastHour = 2;
  f.state.rainSinceMidnight = 1;
  f.state.rain24h = 3;
  f.weather.Baro.Forecast = 2;
  expectDecodedAsRecord();

  // Frost, full humidity, low pressure, rain out of range, "bewölkt".
  f.weather.TempOut.Current = -200;
  f.weather.HumOut.Current = 100;
  f.weather.Baro.SeaLevel = 9987;
  f.weather.Rain.RateOutOfRange = true;
  f.weather.Baro.Forecast = 4;
  forecast = "bewoelkt";
  expectDecodedAsRecord();
}

// Numbers too long for their fields: without the caps every field after the
// first long one is read wrong.
TEST_F(AprsDecodeTest, CappedFieldsKeepTheLaterFieldsRight) {
  f.weather.Wind.AvgDir = 270;
  f.weather.Wind.AvgSpeed = 5000;
  f.state.gustRing = {0, 0, 4900, 0, 0};
  f.weather.TempOut.Current = -800;
  f.weather.HumOut.Current = 55;
  f.weather.Baro.SeaLevel = 10250;
  f.weather.Rain.RateOutOfRange = false;
  f.weather.Rain.Rate = 0;
  f.state.rainLastHour = 120;
  f.state.rainSinceMidnight = 300;
  f.state.rain24h = 1307;  // 13.07 in since start: more than the field holds
  f.weather.Baro.Forecast = 8;
  forecast = "Regen";
  expectDecodedAsRecord();
}

}  // namespace
}  // namespace tavik
