// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "web/web_history.h"

namespace tavik {
namespace {

// Rows every `step` seconds over the 7th and 8th of December, raining
// `rate` mm/h in the rows at the given times of day.
WeatherLog rainyLog(long long step, std::vector<long long> rainyAt, int32_t rate) {
  WeatherLog log;
  const long long start = secondsOf({2026, 12, 7});
  for (long long t = 0; t < 2 * 86400; t += step) {
    WeatherLogRow r;
    r.seconds = start + t;
    for (const long long at : rainyAt) {
      if (t == at) r.stored[static_cast<size_t>(LogColumn::Regen)] = rate;
    }
    log.rows.push_back(r);
  }
  return log;
}

// Each row's rain rate counts until the next row, the day's last row
// included, at most for the interval the log was written with.
TEST(ClimateDaysTest, TheDaysLastRowCountsForItsWholeInterval) {
  // 60 mm/h at 23:50 with ten-minute rows is 10 mm, not a minute's worth.
  const std::vector<ClimateDay> days = climateDays(rainyLog(600, {23 * 3600 + 3000}, 60));
  ASSERT_EQ(days.size(), 2u);
  EXPECT_NEAR(days[0].rainMm, 10.0, 1e-9);
  EXPECT_NEAR(days[1].rainMm, 0.0, 1e-9);
  // The log's very last row stands for one interval too.
  const std::vector<ClimateDay> last = climateDays(rainyLog(600, {86400 + 23 * 3600 + 3000}, 60));
  EXPECT_NEAR(last[1].rainMm, 10.0, 1e-9);
  // Hourly rows: each hour's rate for its hour.
  EXPECT_NEAR(climateDays(rainyLog(3600, {6 * 3600, 23 * 3600}, 2))[0].rainMm, 4.0, 1e-9);
  // A gap in the log adds no rain: the station was off after 12:00.
  WeatherLog gap = rainyLog(600, {12 * 3600}, 60);
  gap.rows.erase(gap.rows.begin() + 73, gap.rows.begin() + 90);
  EXPECT_NEAR(climateDays(gap)[0].rainMm, 10.0, 1e-9);
}

}  // namespace
}  // namespace tavik
