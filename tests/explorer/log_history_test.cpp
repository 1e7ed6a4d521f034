// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/log_history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "explorer/daily_table.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

constexpr long long kDay = 86400;

const RegionalSettings& de() { return RegionalSettings::german(); }

// Three years of hourly rows, held in memory.
const LogHistory& threeYears() {
  static const LogHistory history = [] {
    LogHistory h;
    const long long start = secondsOf({2024, 1, 1});
    h.log.rows.resize(3 * 365 * 24);
    for (size_t i = 0; i < h.log.rows.size(); ++i) {
      h.log.rows[i].seconds = start + 3600 * static_cast<long long>(i);
      h.log.rows[i].stored[static_cast<size_t>(LogColumn::TempO)] = static_cast<int32_t>(i % 500);
    }
    finishHistory(h);
    return h;
  }();
  return history;
}

TEST(LogHistoryTest, AStretchTouchesOnlyItsOwnRowsAndDays) {
  const LogHistory& h = threeYears();
  ASSERT_EQ(h.days.size(), 3u * 365);
  const long long day = secondsOf({2025, 6, 1});
  // Both ends count, as the chart draws them.
  const auto oneDay = rowsBetween(h.log.rows, day, day + kDay);
  EXPECT_EQ(oneDay.size(), 25u);
  EXPECT_EQ(oneDay.front().seconds, day);
  EXPECT_EQ(rowsBetween(h.log.rows, day, day + 7 * kDay).size(), 7u * 24 + 1);
  EXPECT_EQ(rowsBetween(h.log.rows, day + 1800, day + 5400).size(), 1u);
  EXPECT_TRUE(rowsBetween(h.log.rows, 0, 1000).empty());

  // The table's days: from the day of `from` to the day of the last second
  // before `to`.
  const auto days = daysBetween(h.days, day, day + kDay);
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].date, (LogDate{2025, 6, 1}));
  EXPECT_EQ(days[0].rows, 24);
  EXPECT_EQ(daysBetween(h.days, day + 3600, day + kDay + 3600).size(), 2u);
  EXPECT_EQ(daysBetween(h.days, day - 365 * kDay, day).size(), 365u);
  EXPECT_TRUE(daysBetween(h.days, secondsOf({2030, 1, 1}), secondsOf({2030, 1, 2})).empty());
  EXPECT_EQ(daysBetween(h.days, 0, secondsOf({2024, 1, 2})).size(), 1u);
}

TEST(LogHistoryTest, TheDaySummariesAreThoseOfTheRows) {
  const LogHistory& h = threeYears();
  const auto days = daysBetween(h.days, secondsOf({2026, 3, 4}), secondsOf({2026, 3, 6}));
  WeatherLog two;
  const auto rows = rowsBetween(h.log.rows, secondsOf({2026, 3, 4}), secondsOf({2026, 3, 6}) - 1);
  two.rows.assign(rows.begin(), rows.end());
  const std::vector<LogSummary> expected = summarizeLog(two, SummaryPeriod::Day);
  ASSERT_EQ(days.size(), expected.size());
  const auto table = dailyTable(days, LogColumn::TempO, de());
  const auto direct = dailyTable(expected, LogColumn::TempO, de());
  ASSERT_EQ(table.size(), 2u);
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].day, direct[i].day);
    EXPECT_EQ(table[i].minimum, direct[i].minimum);
    EXPECT_EQ(table[i].maximumTime, direct[i].maximumTime);
    EXPECT_EQ(table[i].mean, direct[i].mean);
  }
  EXPECT_EQ(table[0].day, "04.03.26");
}

struct HistoryReadingTest : ::testing::Test {
  HistoryReadingTest() {
    test::LogTreeWriter writer(folder.path());
    written = writer.write(LocalDateTime{2026, 12, 1, 0, 0, 0, 0}, 3600, 5 * 24);
    // The newest file is the one the station writes now: the last day's.
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      std::filesystem::last_write_time(entry.path(), old);
    std::filesystem::last_write_time(folder.path() / "t05.12.26.txt",
                                     std::filesystem::file_time_type::clock::now());
  }
  testing::TempFolder folder;
  std::vector<WeatherLogRow> written;
};

TEST_F(HistoryReadingTest, TheNewestFileComesFirstThenEverythingWithProgress) {
  std::shared_ptr<const LogHistory> early;
  std::vector<std::pair<size_t, size_t>> steps;
  HistoryReading reading;
  reading.early = [&](std::shared_ptr<const LogHistory> h) { early = std::move(h); };
  reading.progress = [&](size_t done, size_t total) { steps.emplace_back(done, total); };
  const HistoryResult result = readHistory(folder.path(), de(), reading);
  ASSERT_TRUE(early);
  ASSERT_EQ(early->log.rows.size(), 24u);
  EXPECT_EQ(early->log.rows.front().date(), (LogDate{2026, 12, 5}));
  ASSERT_EQ(early->days.size(), 1u);
  ASSERT_TRUE(result.history);
  EXPECT_FALSE(result.error);
  EXPECT_EQ(result.history->log.rows, written);
  EXPECT_EQ(result.history->days.size(), 5u);
  EXPECT_EQ(steps,
            (std::vector<std::pair<size_t, size_t>>{{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}}));
}

TEST_F(HistoryReadingTest, CancellingStopsAtTheNextFileAndHandsNothing) {
  std::atomic<bool> cancel = false;
  HistoryReading reading;
  reading.cancel = &cancel;
  size_t files = 0;
  reading.progress = [&](size_t, size_t) { cancel = ++files == 2; };
  const HistoryResult result = readHistory(folder.path(), de(), reading);
  EXPECT_FALSE(result.history);
  EXPECT_FALSE(result.error);
  EXPECT_EQ(files, 2u);
}

TEST(HistoryReadingErrorTest, ASingleFileOrAMissingPathGivesNoEarlyPart) {
  testing::TempFolder folder;
  bool early = false;
  HistoryReading reading;
  reading.early = [&](std::shared_ptr<const LogHistory>) { early = true; };
  const HistoryResult missing = readHistory(folder.path() / "fehlt", de(), reading);
  EXPECT_FALSE(missing.history);
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(*missing.error, "„" + (folder.path() / "fehlt").string() + "“ gibt es nicht.");
  test::LogTreeWriter writer(folder.path());
  writer.write(LocalDateTime{2026, 12, 1, 0, 0, 0, 0}, 3600, 3);
  const HistoryResult one = readHistory(folder.path(), de(), reading);
  ASSERT_TRUE(one.history);
  EXPECT_EQ(one.history->log.rows.size(), 3u);
  EXPECT_FALSE(early);
}

}  // namespace
}  // namespace tavik
