// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/noaa_days.h"

#include <gtest/gtest.h>

#include <sstream>

#include "archive_rows.h"
#include "product_test_support.h"
#include "web/noaa_report.h"

namespace tavik {
namespace {

class NoaaDaysTest : public ::testing::Test {
 protected:
  std::vector<NoaaDay> daysOf(int year, int month) {
    std::string error;
    const std::unique_ptr<ArchiveHistory> history = ArchiveHistory::open(archive, error);
    EXPECT_TRUE(history) << error;
    return history ? noaaDaysOf(*history, year, month) : std::vector<NoaaDay>{};
  }

  test::TempFolder folder;
  std::filesystem::path archive = folder.path() / "archive.sqlite";
};

// The day's figures as the summary keeps them: temperature extremes with
// their local times, the highest gust as the day's highest wind, and the
// rain the console's counter rose by, over a reset of the counter.
TEST_F(NoaaDaysTest, ADayIsItsSummaryWithTheRainOfTheCounter) {
  std::vector<ArchiveRow> rows = test::archiveRows({2026, 3, 14, 0, 30, 0}, 3600, 24);
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i].tempOut = 50 + static_cast<int>(i);
    rows[i].windSpeed = 20;
    rows[i].gust = 30;
    rows[i].rainRate = 0;
    rows[i].rainTotal = i < 10 ? 100 + static_cast<int>(i) : static_cast<int>(i) - 10;
  }
  rows[5].tempOut = -31;  // 05:30
  rows[17].gust = 182;    // 17:30
  rows[20].tempOut.reset();
  test::writeArchive(archive, rows);
  // A second day with a single row.
  test::writeArchive(archive, test::archiveRows({2026, 3, 16, 12, 0, 0}, 60, 1));

  const std::vector<NoaaDay> days = daysOf(2026, 3);
  ASSERT_EQ(days.size(), 2u);
  const NoaaDay& d = days[0];
  EXPECT_EQ(d.year, 2026);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 14);
  EXPECT_EQ(d.count, 24);
  EXPECT_DOUBLE_EQ(*d.minTemp, -3.1);
  EXPECT_EQ(d.minTempTime, "05:30");
  EXPECT_DOUBLE_EQ(*d.maxTemp, 7.3);  // 23:30; 20:30 holds no temperature
  EXPECT_EQ(d.maxTempTime, "23:30");
  double sum = 0;
  for (const ArchiveRow& r : rows) sum += r.tempOut ? *r.tempOut / 10.0 : 0;
  EXPECT_NEAR(*d.meanTemp, sum / 23, 1e-9);
  EXPECT_DOUBLE_EQ(*d.maxWind, 18.2);
  EXPECT_EQ(d.maxWindTime, "17:30");
  EXPECT_DOUBLE_EQ(*d.meanWind, 2.0);
  // 100..109 is 9 mm, the reset to 0 starts anew, 0..13 is 13 mm.
  EXPECT_DOUBLE_EQ(*d.rainMm, 22.0);
  EXPECT_EQ(days[1].day, 16);
  EXPECT_EQ(days[1].count, 1);
  EXPECT_TRUE(daysOf(2026, 4).empty());
  EXPECT_EQ(daysOf(2026, 0).size(), 2u);  // the whole year
}

// The reports take the days as they are: the day's figures in its row, a day
// without rows only its number.
TEST_F(NoaaDaysTest, TheMonthReportShowsTheArchivedDays) {
  test::writeArchive(archive, test::archiveRows({2026, 3, 14, 0, 30, 0}, 3600, 21));
  const std::string report =
      noaaMonthReport(daysOf(2026, 3), 2026, 3, {"Wetterstation", {}, {}, {}});
  EXPECT_NE(report.find("for MAR 2026"), std::string::npos);
  // The words of the line that starts with the day's number.
  const auto wordsOfDay = [&](int day) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream in(line);
      std::vector<std::string> words;
      for (std::string w; in >> w;) words.push_back(w);
      if (!words.empty() && words[0] == std::to_string(day)) return words;
    }
    return std::vector<std::string>{};
  };
  const std::vector<std::string> day14 = wordsOfDay(14);
  ASSERT_GE(day14.size(), 12u) << report;
  EXPECT_EQ(day14[1], "2.0");  // the mean of -5.0, -4.3 .. 9.0
  EXPECT_EQ(wordsOfDay(15), std::vector<std::string>{"15"});
}

}  // namespace
}  // namespace tavik
