// SPDX-License-Identifier: GPL-3.0-or-later
// Two days of ASYNOP bulletins, written by the minute ticks on a new station
// folder, read back by a SYNOP decoder group by group.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "asynop_test_record.h"
#include "products/asynop.h"
#include "synop_decoder.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// The weather of a UTC moment: 1 mm of rain at half past 02, 03 and 04 and at
// half past 13 to 16 UTC; wind, temperature, humidity, pressure and trend
// changing with the hour.
void setWeather(WeatherRecord& w, const LocalDateTime& utc, int rainBefore) {
  static const uint8_t kTrends[] = {1, 2, 4};
  w.Rain.Total = static_cast<uint16_t>(100 + rainBefore);
  w.Wind.AvgDir = static_cast<uint16_t>(utc.hour * 15);
  w.Wind.AvgSpeed = static_cast<uint16_t>(utc.hour * 7);
  w.TempOut.Current = static_cast<int16_t>((utc.hour - 8) * 13);
  w.TempOut.Positive = utc.hour >= 8;
  w.HumOut.Current = static_cast<uint8_t>(60 + utc.hour);
  w.Baro.SeaLevel = static_cast<uint16_t>(9950 + utc.hour * 9);
  w.Baro.Trend = kTrends[utc.hour % 3];
}

bool rainsAt(const LocalDateTime& utc) {
  const bool night = utc.hour >= 2 && utc.hour <= 4;
  const bool afternoon = utc.hour >= 13 && utc.hour <= 16;
  return utc.minute == 30 && (night || afternoon);
}

struct Expected {
  WeatherRecord weather;
  LocalDateTime utc;
  std::optional<double> rain;
  std::optional<int> rainHours;
  int rainIndicator;
};

std::vector<std::string> bulletinLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    EXPECT_TRUE(!line.empty() && line.back() == '\r') << "no CR LF: " << line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void expectReadAs(const std::string& line, const Expected& e) {
  SCOPED_TRACE(line);
  const test::SynopReport r = test::decodeSynop(line);
  EXPECT_TRUE(r.errors.empty()) << ::testing::PrintToString(r.errors);
  const WeatherRecord& w = e.weather;
  static const std::map<int, int> kTendency = {{1, 2}, {2, 4}, {4, 7}};
  EXPECT_EQ(r.station, "ZZ9ZZ");
  EXPECT_EQ(r.day, e.utc.day);
  EXPECT_EQ(r.hour, e.utc.hour);
  EXPECT_EQ(r.windIndicator, 1);
  EXPECT_DOUBLE_EQ(r.latitude, 50.5);
  EXPECT_EQ(r.quadrant, 1);
  EXPECT_DOUBLE_EQ(r.longitude, 7.9);
  EXPECT_EQ(r.rainIndicator, e.rainIndicator);
  EXPECT_EQ(r.stationType, 6);
  // Code table 0877: tens of degrees rounded, north 36, 00 only for calm.
  const int speed = static_cast<int>(std::lround(w.Wind.AvgSpeed / 10.0));
  const int dd = static_cast<int>(std::lround(w.Wind.AvgDir / 10.0)) % 36;
  EXPECT_EQ(r.windSpeed, speed);
  EXPECT_EQ(r.windDirection, speed == 0 ? 0 : (dd == 0 ? 360 : dd * 10));
  EXPECT_EQ(r.temperature, (w.TempOut.Positive ? 1 : -1) * std::abs(w.TempOut.Current) / 10.0);
  EXPECT_EQ(r.humidity, w.HumOut.Current);
  EXPECT_EQ(r.seaLevelPressure, w.Baro.SeaLevel / 10.0);
  EXPECT_EQ(r.tendency, kTendency.at(w.Baro.Trend));
  EXPECT_EQ(r.tendencyAmount, std::nullopt);
  EXPECT_EQ(r.rain, e.rain);
  EXPECT_EQ(r.rainHours, e.rainHours);
}

TEST(AsynopSynopTest, TwoDaysOfBulletinsReadGroupByGroup) {
  testing::TempFolder folder;
  test::ProductFixture f;
  test::setAsynopTestRecord(f);
  f.state.seenBF = true;
  f.settings.Zeitzone = 1;
  f.clock.setUtcOffsetMinutes(f.settings.Zeitzone * 60);
  f.settings.ASYNOPDatei = folder.dir() + "asynop.txt";
  ProductContext ctx = f.context();
  ctx.productDir = folder.dir();
  Asynop asynop;

  // From 02:00 local (01 UTC) on 07.12.2026, with no work file yet.
  f.clock.set({2026, 12, 7, 2, 0, 10, 0});
  int rain = 0;
  int rainAtLastReport = -1;
  std::vector<Expected> expected;
  std::vector<std::string> published;
  for (int minute = 0; minute < 42 * 60; ++minute) {
    const LocalDateTime utc = asynopUtc(f.clock, f.clock.now(), f.settings.Zeitzone);
    if (rainsAt(utc)) ++rain;
    setWeather(f.weather, utc, rain);
    if (utc.minute == 0 && utc.hour % 6 == 0) {
      Expected e{f.weather, utc, std::nullopt, std::nullopt, 4};
      if (rainAtLastReport >= 0) {
        e.rainIndicator = rain == rainAtLastReport ? 3 : 1;
        if (e.rainIndicator == 1) e.rain = rain - rainAtLastReport, e.rainHours = 6;
      }
      expected.push_back(e);
      rainAtLastReport = rain;
    }
    asynop.asynopMinuteTick(ctx);
    if (utc.minute == 0 && utc.hour == 18)
      published.push_back(test::fileBytes(f.settings.ASYNOPDatei));
    f.clock.advanceSeconds(60);
  }
  ASSERT_EQ(expected.size(), 7u);
  ASSERT_EQ(published.size(), 2u);
  EXPECT_TRUE(f.notifier.messages.empty());

  // The first day's bulletin starts with its header though no 00 UTC came;
  // the second is a whole day.
  const std::vector<std::vector<int>> reportsOf = {{0, 1, 2}, {3, 4, 5, 6}};
  const char* dateGroups[] = {"ASYNOP 261207", "ASYNOP 261208"};
  for (size_t b = 0; b < 2; ++b) {
    SCOPED_TRACE("bulletin " + std::to_string(b + 1));
    const std::vector<std::string> lines = bulletinLines(published[b]);
    const size_t reports = reportsOf[b].size();
    ASSERT_EQ(lines.size(), 7 + reports + 3);
    EXPECT_EQ(lines[0].substr(0, 20), "ASYNOP@DL        de:");
    EXPECT_EQ(lines[5], dateGroups[b]);
    EXPECT_EQ(lines[6], "SXSX");
    for (size_t k = 0; k < reports; ++k) expectReadAs(lines[7 + k], expected[reportsOf[b][k]]);
    EXPECT_EQ(lines[7 + reports], "/QAM/");
  }
}

}  // namespace
}  // namespace tavik
