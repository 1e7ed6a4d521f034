// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/noaa_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "product_test_support.h"
#include "products/weather_log_tree.h"
#include "weather_log_rows.h"

namespace tavik {
namespace {

using test::baseTenths;

// A year of generated rows in two layouts: January to June as daily files in
// month folders, July to December as one file per month; the 10th of March
// has no rows.
class NoaaReport : public ::testing::Test {
 protected:
  void SetUp() override {
    const RegionalSettings& rs = RegionalSettings::german();
    for (int month = 1; month <= 12; ++month) {
      const int days = daysInMonth(2025, month);
      const std::string monthName = formatDateTime("mmmm yyyy", LocalDateTime{2025, month, 1}, rs);
      if (month <= 6) {
        for (int day = 1; day <= days; ++day) {
          if (month == 3 && day == 10) continue;
          test::writeBytes(folder.path() / monthName / ("t" + std::to_string(day) + ".txt"),
                           test::dayRows(2025, month, day, day));
        }
      } else {
        test::writeBytes(folder.path() / (monthName + ".txt"), test::dayRows(2025, month, 1, days));
      }
    }
    WeatherLog log;
    ASSERT_FALSE(addWeatherLogs(folder.path(), rs, log).has_value());
    sortWeatherLog(log);
    days = climateDays(log);
  }

  static std::vector<std::string> fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string f; in >> f;) out.push_back(f);
    return out;
  }
  static std::string lineStarting(const std::string& report, const std::string& start) {
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind(start, 0) == 0) return line;
    }
    return "";
  }
  static double number(const std::string& text) { return std::stod(text); }

  // Day means: the base plus the mean of the hour profile, -3.75 °C.
  static double dayMean(int day) { return baseTenths(day) / 10.0 - 3.75; }

  test::TempFolder folder;
  std::vector<ClimateDay> days;
};

TEST_F(NoaaReport, EveryDayOfTheMonthWithItsFiguresAndTheMissingDayEmpty) {
  ASSERT_EQ(days.size(), 364u);
  const std::string report = noaaMonthReport(days, 2025, 3, "Balkon <Süd>");
  EXPECT_NE(report.find("MONTHLY CLIMATOLOGICAL SUMMARY for MAR 2025"), std::string::npos);
  EXPECT_NE(report.find("NAME: Balkon <Süd>"), std::string::npos);

  const std::vector<std::string> d4 = fields(lineStarting(report, "  4 "));
  ASSERT_EQ(d4.size(), 13u) << report;
  EXPECT_NEAR(number(d4[1]), dayMean(4), 0.051);
  EXPECT_NEAR(number(d4[2]), baseTenths(4) / 10.0, 1e-9);  // high at 14:00
  EXPECT_EQ(d4[3], "14:00");
  EXPECT_NEAR(number(d4[4]), (baseTenths(4) - 84) / 10.0, 1e-9);  // low at midnight
  EXPECT_EQ(d4[5], "00:00");
  EXPECT_NEAR(number(d4[6]), 18.3 - dayMean(4), 0.051);  // heating degree days
  EXPECT_EQ(d4[7], "0.0");
  EXPECT_EQ(d4[8], "4.0");                                // 2 mm/h for two hours
  EXPECT_NEAR(number(d4[9]), (10 + 11.5) / 10.0, 0.051);  // mean of 1.0 .. 3.3 m/s
  EXPECT_EQ(d4[10], "3.3");
  EXPECT_EQ(d4[11], "23:00");
  EXPECT_EQ(d4[12], "W");

  EXPECT_EQ(fields(lineStarting(report, "  5 ")).at(8), "0.0");  // odd days stay dry
  EXPECT_EQ(lineStarting(report, " 10"), " 10");                 // no rows that day
  EXPECT_EQ(lineStarting(report, " 31").size() > 4, true);
}

TEST_F(NoaaReport, TheMonthsLastLineSumsAndPicksTheExtremes) {
  const std::string report = noaaMonthReport(days, 2025, 3, "X");
  std::istringstream in(report);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  size_t rule = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("-----", 0) == 0) rule = i;
  }
  const std::vector<std::string> total = fields(lines.at(rule + 1));
  ASSERT_EQ(total.size(), 12u) << report;
  double meanSum = 0, rain = 0, heat = 0;
  int warmest = 0;
  for (int day = 1; day <= 31; ++day) {
    if (day == 10) continue;
    meanSum += dayMean(day);
    heat += 18.3 - dayMean(day);
    rain += day % 2 == 0 ? 4 : 0;
    if (warmest == 0 || baseTenths(day) > baseTenths(warmest)) warmest = day;
  }
  EXPECT_NEAR(number(total[0]), meanSum / 30, 0.051);
  EXPECT_NEAR(number(total[1]), baseTenths(warmest) / 10.0, 1e-9);
  EXPECT_EQ(std::stoi(total[2]), warmest);  // the first day with the month's high
  EXPECT_NEAR(number(total[5]), heat, 0.051);
  EXPECT_NEAR(number(total[7]), rain, 1e-9);
  EXPECT_EQ(total[11], "W");
  EXPECT_NE(report.find("Min <=   0.0:   0"), std::string::npos);
}

TEST_F(NoaaReport, TheYearHasARowPerMonthFromBothLayouts) {
  const std::string report = noaaYearReport(days, 2025, "X");
  EXPECT_NE(report.find("ANNUAL CLIMATOLOGICAL SUMMARY for 2025"), std::string::npos);
  for (int month = 1; month <= 12; ++month) {
    char start[16];
    std::snprintf(start, sizeof start, "2025 %02d ", month);
    const std::vector<std::string> row = fields(lineStarting(report, start));
    ASSERT_EQ(row.size(), 16u) << start << "\n" << report;
    double rain = 0;
    for (int day = 1; day <= daysInMonth(2025, month); ++day) {
      if (!(month == 3 && day == 10) && day % 2 == 0) rain += 4;
    }
    EXPECT_NEAR(number(row[11]), rain, 1e-9) << start;
    EXPECT_EQ(row[15], "W") << start;
  }
  EXPECT_EQ(noaaMonthFileName(2025, 3), "NOAA-2025-03.txt");
  EXPECT_EQ(noaaYearFileName(2025), "NOAA-2025.txt");
}

TEST_F(NoaaReport, AMonthWithoutRowsListsItsDaysOnly) {
  const std::string report = noaaMonthReport(days, 2024, 2, "X");
  EXPECT_EQ(lineStarting(report, " 29"), " 29");  // a leap year's February
  EXPECT_EQ(report.find("Max >="), std::string::npos);
}

}  // namespace
}  // namespace tavik
