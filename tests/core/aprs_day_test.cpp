// SPDX-License-Identifier: GPL-3.0-or-later
// A day and a half of the APRS file as an independent APRS decoder reads it
// (decode_aprs of the Debian package "direwolf"): rain across two local
// midnights and a reset of the console's counter, with both gauges, the
// fields r, p and P against the rain that fell.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "aprs_decoder.h"
#include "clockwork_fixture.h"
#include "products/aprs_file.h"
#include "products/rain_gauge.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using tavik::testing::ClockworkTest;

constexpr int kOffset = 60;  // the station's zone, minutes ahead of UTC

class AprsDayTest : public ClockworkTest, public ::testing::WithParamInterface<bool> {};

// The rain that fell in the minute of `t`, in counts of the gauge.
int rainAt(const LocalDateTime& t) {
  if (t.second != 0) return 0;
  const bool shower = t.hour >= 20 || t.hour < 2;
  if (shower && (t.minute == 15 || t.minute == 45)) return 3;
  if (t.day == 15 && t.hour == 15 && t.minute == 0) return 20;
  if (t.day == 15 && t.hour == 23 && t.minute == 58) return 4;
  return 0;
}

TEST_P(AprsDayTest, RainOfTheLastHourDayAndSinceMidnightReadsRight) {
  if (!testing::onPath("decode_aprs")) GTEST_SKIP() << "decode_aprs (package direwolf) missing";
  const bool normalGauge = GetParam();
  settings.NormalRegen = normalGauge;
  settings.APRSIntervall = 1;
  weather.Rain.Total = 500;
  weather.Rain.Yesterday = 40;  // the console's own day, which no field shows
  clock.setUtcOffsetMinutes(kOffset);
  create({2026, 3, 14, 18, 0, 10});
  cw->toggleActive();
  setAllSeen();

  const ProductContext ctx{weather,  station,    settings,
                           profiles, clock,      RegionalSettings::german(),
                           notifier, "/nowhere/"};
  std::vector<std::pair<long long, int>> fallen;  // UTC second of the group, counts
  struct Sample {
    std::string when;
    std::string line;
    double lastHour, last24h, sinceMidnight;  // inches
  };
  std::vector<Sample> samples;
  const auto inches = [&](int counts) {
    return (normalGauge ? counts : counts / kConvertedGaugeFactor) / 25.4;
  };
  const auto fallenSince = [&](long long from) {
    int sum = 0;
    for (const auto& [t, counts] : fallen) sum += t > from ? counts : 0;
    return sum;
  };
  runSeconds(36 * 3600, [&] {
    const LocalDateTime t = clock.now();
    const long long utc = utcSeconds(t, kOffset);
    // A rain group every 30 s; the console's total is reset at 10:30 on the
    // second day, between two groups and without rain lost.
    if (t.day == 15 && t.hour == 10 && t.minute == 30 && t.second == 15) weather.Rain.Total = 0;
    if (t.second % 30 == 0) {
      if (const int r = rainAt(t)) {
        weather.Rain.Total = static_cast<uint16_t>(weather.Rain.Total + r);
        fallen.emplace_back(utc, r);
      }
      cw->rainGroupAccepted();
    }
    if (t.second == 10 && t.minute % 20 == 0) {
      const LocalDateTime midnight{t.year, t.month, t.day, 0, 0, 0, 0};
      samples.push_back({formatDateTime("d hh:nn", t, RegionalSettings::german()),
                         aprsFrame(ctx).weatherLine, inches(fallenSince(utc - 3600)),
                         inches(fallenSince(utc - 86400)),
                         inches(fallenSince(utcSeconds(midnight, kOffset)))});
    }
  });

  std::vector<std::string> lines;
  for (const Sample& s : samples) lines.push_back(s.line);
  testing::TempFolder folder;
  const std::vector<testing::DecodedAprs> decoded =
      testing::decodeAprsLines(folder.path().string(), lines);
  ASSERT_EQ(decoded.size(), samples.size());
  int withRain = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    SCOPED_TRACE(samples[i].when + " " + samples[i].line);
    EXPECT_NEAR(decoded[i].rainLastHour, samples[i].lastHour, 0.01);
    EXPECT_NEAR(decoded[i].rainLast24h, samples[i].last24h, 0.01);
    EXPECT_NEAR(decoded[i].rainSinceMidnight, samples[i].sinceMidnight, 0.01);
    withRain += samples[i].lastHour > 0 && samples[i].sinceMidnight > 0;
  }
  EXPECT_GT(withRain, 5);  // the run did cross rain in every field
}

INSTANTIATE_TEST_SUITE_P(BothGauges, AprsDayTest, ::testing::Bool());

}  // namespace
}  // namespace tavik
