// SPDX-License-Identifier: GPL-3.0-or-later
// The APRS file's weather line read by an independent APRS decoder
// (decode_aprs of the Debian package "direwolf"), field by field against the
// record it was made from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "product_test_support.h"
#include "products/aprs_file.h"

namespace tavik {
namespace {

bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// What the decoder makes of one weather line behind a fixed position with the
// weather-station symbol.
struct Decoded {
  double windMph = -1;
  int direction = -1;
  int gustMph = -1;
  int fahrenheit = -1000;
  int humidity = -1;
  double inchesOfMercury = -1;
  double rainLastHour = -1;
  double rainSinceMidnight = -1;
  double rainLast24h = -1;
  std::string comment;
};

double number(const std::string& text, const std::string& pattern) {
  std::smatch m;
  if (!std::regex_search(text, m, std::regex(pattern))) return -1000;
  return std::stod(m[1]);
}

Decoded decode(const test::TempFolder& folder, const std::string& weatherLine) {
  const std::string in = folder / "packet.txt";
  const std::string out = folder / "decoded.txt";
  std::ofstream(in, std::ios::binary) << "TAVIK>APRS:!5030.00N/00800.00E_" << weatherLine << "\n";
  EXPECT_EQ(std::system(("decode_aprs '" + in + "' > '" + out + "' 2>&1").c_str()), 0);
  // Without its colour escapes.
  const std::string text =
      std::regex_replace(test::fileBytes(out), std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
  Decoded d;
  d.windMph = number(text, R"(wind ([0-9.]+) mph)");
  d.direction = static_cast<int>(number(text, R"(direction ([0-9]+))"));
  d.gustMph = static_cast<int>(number(text, R"(gust ([0-9]+))"));
  d.fahrenheit = static_cast<int>(number(text, R"(temperature (-?[0-9]+))"));
  d.humidity = static_cast<int>(number(text, R"(humidity ([0-9]+))"));
  d.inchesOfMercury = number(text, R"(barometer ([0-9.]+))");
  d.rainLastHour = number(text, R"(rain ([0-9.]+) in last hour)");
  d.rainSinceMidnight = number(text, R"(rain ([0-9.]+) since midnight)");
  d.rainLast24h = number(text, R"(rain ([0-9.]+) in last 24 hours)");
  std::smatch m;
  if (std::regex_search(text, m, std::regex("24 hours, \"([^\"]*)\""))) d.comment = m[1];
  return d;
}

// The record's values in the units and bounds of the APRS fields.
double mph(int tenthsOfMetrePerSecond) { return tenthsOfMetrePerSecond / 10.0 * 2.23694; }
double capped(double value, double largest) { return std::clamp(std::round(value), 0.0, largest); }
double inches(int count) { return capped(count * 0.04 * 100.0, 999) / 100.0; }

struct AprsDecodeTest : ::testing::Test {
  void SetUp() override {
    if (!onPath("decode_aprs")) GTEST_SKIP() << "decode_aprs (Debian package direwolf) missing";
  }

  void expectDecodedAsRecord() {
    const WeatherRecord& w = f.weather;
    const std::string line = aprsFrame(f.context()).weatherLine;
    SCOPED_TRACE(line);
    const Decoded d = decode(folder, line);
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
    EXPECT_DOUBLE_EQ(d.rainLastHour, w.Rain.RateOutOfRange ? 0 : inches(w.Rain.Rate));
    EXPECT_DOUBLE_EQ(d.rainSinceMidnight, inches(w.Rain.Yesterday));
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
  f.weather.Rain.Rate = 2;
  f.weather.Rain.Yesterday = 1;
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
  f.weather.Rain.Yesterday = 300;
  f.state.rain24h = 1307;  // 13.07 in since start: more than the field holds
  f.weather.Baro.Forecast = 8;
  forecast = "Regen";
  expectDecodedAsRecord();
}

}  // namespace
}  // namespace tavik
