// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_summary.h"

#include <gtest/gtest.h>

#include <numeric>

#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

WeatherLogRow rowAt(LocalDateTime t, int32_t tempO, int windDir) {
  WeatherLogRow r = test::expectedRow(test::varyingWeather(0), t);
  r.stored[static_cast<size_t>(LogColumn::TempO)] = tempO;
  r.stored[static_cast<size_t>(LogColumn::WindR)] = windDir;
  return r;
}

TEST(SummaryTest, DaysGiveMinimumMaximumWithTheirTimesAndTheRoundedMean) {
  WeatherLog log;
  log.rows = {rowAt({2026, 11, 3, 0, 10}, -12, 250), rowAt({2026, 11, 3, 6, 0}, 84, 250),
              rowAt({2026, 11, 3, 9, 0}, -12, 90),   rowAt({2026, 11, 3, 12, 0}, 84, 90),
              rowAt({2026, 11, 4, 1, 0}, -5, 0),     rowAt({2026, 11, 4, 2, 0}, -10, 0)};
  const auto days = summarizeLog(log, SummaryPeriod::Day);
  ASSERT_EQ(days.size(), 2u);
  const ColumnStats& t = days[0].stats(LogColumn::TempO);
  EXPECT_EQ(days[0].date, (LogDate{2026, 11, 3}));
  EXPECT_EQ(days[0].rows, 4);
  EXPECT_EQ(t.min, -12);
  EXPECT_EQ(t.max, 84);
  EXPECT_EQ(t.minAt, secondsOf({2026, 11, 3, 0, 10}));  // the first time it occurred
  EXPECT_EQ(t.maxAt, secondsOf({2026, 11, 3, 6, 0}));
  EXPECT_EQ(days[0].meanHundredths(LogColumn::TempO), 360);  // 14.4 / 4 = 3.6
  // -15 / 2 = -0.75: half away from zero; whole columns in hundredths too.
  EXPECT_EQ(days[1].meanHundredths(LogColumn::TempO), -75);
  EXPECT_EQ(days[1].meanHundredths(LogColumn::WindR), 0);
  // Two rows WSW, two rows O: a tie goes to the first in compass order.
  EXPECT_EQ(compassName(days[0].prevailingPoint()), "O");
}

TEST(SummaryTest, MeansRoundExactlyToTwoDecimals) {
  WeatherLog log;
  for (int32_t v : {1, 1, 2}) log.rows.push_back(rowAt({2026, 1, 1, 0, v}, v, 0));
  const LogSummary s = summarizeLog(log, SummaryPeriod::Day).at(0);
  EXPECT_EQ(s.meanHundredths(LogColumn::TempO), 13);  // 0.4 / 3 = 0.1333
  log.rows.push_back(rowAt({2026, 1, 1, 0, 9}, 1, 0));
  log.rows.push_back(rowAt({2026, 1, 1, 0, 10}, -3, 0));
  log.rows.push_back(rowAt({2026, 1, 1, 0, 11}, -3, 0));
  log.rows.push_back(rowAt({2026, 1, 1, 0, 12}, -3, 0));
  log.rows.push_back(rowAt({2026, 1, 1, 0, 13}, -3, 0));
  // -0.7 / 8 = -0.0875 -> -0.09
  EXPECT_EQ(summarizeLog(log, SummaryPeriod::Day).at(0).meanHundredths(LogColumn::TempO), -9);
}

TEST(SummaryTest, MonthsCountTheirDaysAndRangesAndSkippedRowsApply) {
  testing::TempFolder folder;
  test::LogTreeWriter writer(folder.path());
  WeatherLog log;
  log.rows = writer.write(LocalDateTime{2026, 12, 30, 0, 0, 0, 0}, 4 * 3600, 6 * 5);  // 5 days
  log.unread = {{"t.txt", 3, "kaputt", LogDate{2026, 12, 31}},
                {"t.txt", 4, "kaputt", LogDate{2027, 1, 9}},  // a day without rows
                {"t.txt", 5, "kaputt", std::nullopt}};
  const auto months = summarizeLog(log, SummaryPeriod::Month);
  ASSERT_EQ(months.size(), 2u);
  EXPECT_EQ(months[0].date, (LogDate{2026, 12, 1}));
  EXPECT_EQ(months[0].days, 2);
  EXPECT_EQ(months[0].rows, 12);
  EXPECT_EQ(months[0].skipped, 1);
  EXPECT_EQ(months[1].days, 3);
  EXPECT_EQ(months[1].skipped, 1);
  int64_t sum = 0;
  for (size_t i = 12; i < 30; ++i) sum += log.rows[i].storedValue(LogColumn::BaroS);
  EXPECT_EQ(months[1].stats(LogColumn::BaroS).sum, sum);

  const auto days =
      summarizeLog(log, SummaryPeriod::Day, LogDate{2026, 12, 31}, LogDate{2027, 1, 1});
  ASSERT_EQ(days.size(), 2u);
  EXPECT_EQ(days[0].skipped, 1);
  EXPECT_EQ(days[1].date, (LogDate{2027, 1, 1}));
  const auto january = summarizeLog(log, SummaryPeriod::Month, LogDate{2027, 1, 2});
  ASSERT_EQ(january.size(), 1u);
  EXPECT_EQ(january[0].days, 2);
  EXPECT_EQ(january[0].skipped, 1);
}

}  // namespace
}  // namespace tavik
