// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated day of the APRS file as an independent APRS decoder reads it
// (decode_aprs of the Debian package "direwolf"): rain before and after local
// midnight, a daily mark at the start time, and every other field.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "aprs_decoder.h"
#include "clockwork_fixture.h"
#include "products/aprs_file.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using tavik::testing::ClockworkTest;

struct Expected {
  const char* when;  // "d hh:nn" of the minute tick
  double sinceMidnight;
  double last24h;
};

TEST_F(ClockworkTest, AprsRainSinceMidnightOverADayReadsRight) {
  if (!testing::onPath("decode_aprs")) GTEST_SKIP() << "decode_aprs (package direwolf) missing";
  settings.APRSIntervall = 1;
  weather.Wind.AvgDir = 225;
  weather.Wind.AvgSpeed = 45;  // 10.1 mph
  weather.TempOut.Current = 125;
  weather.HumOut.Current = 81;
  weather.Baro.SeaLevel = 10087;
  weather.Baro.Forecast = 8;
  weather.Rain.Total = 500;
  weather.Rain.Yesterday = 40;  // the console's previous day, which "P" must not show
  create({2026, 3, 14, 18, 0, 10});
  cw->toggleActive();
  setAllSeen();

  const ProductContext ctx{weather,  station,    settings,
                           profiles, clock,      RegionalSettings::german(),
                           notifier, "/nowhere/"};
  std::map<std::string, std::string> lines;  // "d hh:nn" -> weather line
  runSeconds(25 * 3600, [&] {
    const LocalDateTime t = clock.now();
    if (t.second == 10) {
      lines[formatDateTime("d hh:nn", t, RegionalSettings::german())] = aprsFrame(ctx).weatherLine;
    }
    if (t.second != 0) return;
    // 1 mm at a quarter past and a quarter to the hour from 20:00 to 02:00,
    // 2 mm at 15:00 on the next day.
    const bool shower = t.hour >= 20 || t.hour < 2;
    if (shower && (t.minute == 15 || t.minute == 45)) ++weather.Rain.Total;
    if (t.day == 15 && t.hour == 15 && t.minute == 0) weather.Rain.Total += 2;
    if (t.hour == 0 && t.minute == 0) weather.Rain.Yesterday = 8;  // the console's day change
  });

  const std::vector<Expected> expected = {
      {"14 19:00", 0.00, 0.00},                            // the first rain group counts from start
      {"14 23:59", 0.32, 0.32},                            // 8 mm before midnight
      {"15 00:00", 0.00, 0.32}, {"15 02:00", 0.16, 0.48},  // 4 mm after midnight
      {"15 17:59", 0.24, 0.56}, {"15 18:00", 0.24, 0.00},  // the daily mark at the start time
  };
  std::vector<std::string> sent;
  for (const Expected& e : expected) sent.push_back(lines.at(e.when));
  testing::TempFolder folder;
  const std::vector<testing::DecodedAprs> decoded =
      testing::decodeAprsLines(folder.path().string(), sent);
  ASSERT_EQ(decoded.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(std::string(expected[i].when) + " " + sent[i]);
    const testing::DecodedAprs& d = decoded[i];
    EXPECT_DOUBLE_EQ(d.rainSinceMidnight, expected[i].sinceMidnight);
    EXPECT_DOUBLE_EQ(d.rainLast24h, expected[i].last24h);
    EXPECT_DOUBLE_EQ(d.rainLastHour, 0.0);
    EXPECT_EQ(d.direction, 225);
    EXPECT_NEAR(d.windMph / 1.15078, 10, 0.1);  // read as knots, shown in mph
    EXPECT_EQ(d.gustMph, 0);
    EXPECT_EQ(d.fahrenheit, 54);  // 54.5 °F, to the even integer
    EXPECT_EQ(d.humidity, 81);
    EXPECT_NEAR(d.inchesOfMercury * 338.639, 10087, 2.0);
    EXPECT_EQ(d.comment, "m/Regen");
  }
}

}  // namespace
}  // namespace tavik
