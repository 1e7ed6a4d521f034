// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/noaa_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace tavik {
namespace {

// A reader of fixed-column text, written from the column table of the
// monthly and annual summaries: each field by its first character and width.
struct Field {
  const char* name;
  size_t start;
  size_t width;
};

const std::vector<Field> kMonthColumns = {
    {"day", 0, 3},      {"mean", 3, 7},      {"high", 10, 7}, {"highTime", 17, 7}, {"low", 24, 7},
    {"lowTime", 31, 7}, {"heat", 38, 7},     {"cool", 45, 7}, {"rain", 52, 7},     {"wind", 59, 7},
    {"gust", 66, 7},    {"gustTime", 73, 7}, {"dir", 80, 7},
};
const std::vector<Field> kYearTemperatureColumns = {
    {"month", 0, 7},   {"meanMax", 7, 7}, {"meanMin", 14, 7}, {"mean", 21, 7},    {"dep", 28, 7},
    {"heat", 35, 7},   {"cool", 42, 7},   {"high", 49, 7},    {"highDay", 56, 5}, {"low", 61, 7},
    {"lowDay", 68, 5}, {"max30", 73, 6},  {"max0", 79, 6},    {"min0", 85, 6},    {"min18", 91, 6},
};
const std::vector<Field> kYearRainColumns = {
    {"month", 0, 7},   {"total", 7, 7},   {"dep", 14, 7},   {"max", 21, 7},
    {"maxDay", 28, 5}, {"over03", 33, 6}, {"over3", 39, 6}, {"over30", 45, 6},
};
const std::vector<Field> kYearWindColumns = {
    {"month", 0, 7}, {"avg", 7, 7}, {"high", 14, 7}, {"highDay", 21, 5}, {"dir", 26, 7},
};

using Row = std::map<std::string, std::string>;

// Every field is right-aligned in its columns, so a value that is too wide
// or shifted shows as a field not ending at its edge.
Row readRow(const std::string& line, const std::vector<Field>& columns) {
  Row row;
  const size_t width = columns.back().start + columns.back().width;
  EXPECT_LE(line.size(), width) << line;
  for (const Field& f : columns) {
    const std::string cell = f.start < line.size() ? line.substr(f.start, f.width) : "";
    const size_t first = cell.find_first_not_of(' ');
    row[f.name] = first == std::string::npos ? "" : cell.substr(first);
    // The field's last character is its own: right-aligned values end at the edge.
    if (!row[f.name].empty()) {
      EXPECT_NE(cell.back(), ' ') << f.name << " in \"" << line << "\"";
    }
  }
  return row;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// The lines after the heading rule that starts the table under `title`.
std::vector<std::string> tableAfter(const std::string& report, const std::string& title) {
  const std::vector<std::string> lines = linesOf(report);
  size_t i = 0;
  while (i < lines.size() && lines[i].find(title) == std::string::npos) ++i;
  while (i < lines.size() && lines[i].rfind("---", 0) != 0) ++i;
  std::vector<std::string> out;
  for (++i; i < lines.size() && !lines[i].empty(); ++i) out.push_back(lines[i]);
  return out;
}

NoaaDay emptyDay(int year, int month, int day, int count) {
  NoaaDay d;
  d.year = year;
  d.month = month;
  d.day = day;
  d.count = count;
  return d;
}

NoaaDay fullDay(int month, int day, double mean) {
  NoaaDay d = emptyDay(2025, month, day, 1440);
  d.meanTemp = mean;
  d.maxTemp = mean + 4;
  d.minTemp = mean - 4;
  d.maxTempTime = "14:10";
  d.minTempTime = "06:05";
  d.rainMm = day % 2 == 0 ? 4.0 : 0.0;
  d.meanWind = 1.5;
  d.maxWind = 3.0 + day / 10.0;
  d.maxWindTime = "23:00";
  d.prevailingDir = 270;
  return d;
}

const NoaaStation kStation{"Balkon <Süd>", 34.4, 52.5, 13.41};
const NoaaStation kSouthWest{"X", std::nullopt, -33.9, -151.2};

class NoaaReport : public ::testing::Test {
 protected:
  void SetUp() override {
    // March 2025 without the 10th, in reverse order; a day of February.
    for (int day = 31; day >= 1; --day) {
      if (day != 10) days.push_back(fullDay(3, day, 5.0 + day / 10.0));
    }
    days.push_back(fullDay(2, 14, -2.0));
    days.push_back(emptyDay(2025, 3, 10, 0));  // a day named but without rows
  }
  std::vector<NoaaDay> days;
};

TEST_F(NoaaReport, TheMonthsDayRowsReadBackByTheirColumns) {
  days[0] = fullDay(3, 31, 2.349);  // rounded once: 2.3, heat 15.951 -> 16.0
  days[0].maxWind = 12.25;          // half away from zero
  days[0].prevailingDir = 350;
  const std::string report = noaaMonthReport(days, 2025, 3, kStation);
  const std::vector<std::string> lines = linesOf(report);
  EXPECT_NE(lines[0].find("MONTHLY CLIMATOLOGICAL SUMMARY for MAR 2025"), std::string::npos);
  EXPECT_NE(report.find("\nNAME: Balkon <Süd>\n"), std::string::npos);
  EXPECT_NE(report.find("\nELEV: 34 meters    LAT: 52-30.00 N    LONG: 013-24.60 E\n"),
            std::string::npos);
  EXPECT_NE(report.find("\nDAY   TEMP   HIGH   TIME    LOW   TIME   DAYS   DAYS   RAIN  SPEED   "
                        "HIGH   TIME    DIR\n"),
            std::string::npos)
      << report;

  const std::vector<std::string> table = tableAfter(report, "DAY   TEMP");
  ASSERT_EQ(table.size(), 31u + 2) << report;  // the days, the rule and the totals
  const Row d4 = readRow(table[3], kMonthColumns);
  EXPECT_EQ(d4.at("day"), "04");
  EXPECT_EQ(d4.at("mean"), "5.4");
  EXPECT_EQ(d4.at("high"), "9.4");
  EXPECT_EQ(d4.at("highTime"), "14:10");
  EXPECT_EQ(d4.at("low"), "1.4");
  EXPECT_EQ(d4.at("lowTime"), "06:05");
  EXPECT_EQ(d4.at("heat"), "12.9");
  EXPECT_EQ(d4.at("cool"), "0.0");
  EXPECT_EQ(d4.at("rain"), "4.0");
  EXPECT_EQ(d4.at("wind"), "1.5");
  EXPECT_EQ(d4.at("gust"), "3.4");
  EXPECT_EQ(d4.at("gustTime"), "23:00");
  EXPECT_EQ(d4.at("dir"), "W");

  const Row d31 = readRow(table[30], kMonthColumns);
  EXPECT_EQ(d31.at("mean"), "2.3");
  EXPECT_EQ(d31.at("heat"), "16.0");
  EXPECT_EQ(d31.at("gust"), "12.3");
  EXPECT_EQ(d31.at("dir"), "N");

  EXPECT_EQ(table[9], " 10");  // no rows that day: its number alone
}

TEST_F(NoaaReport, TheMonthsTotalsComeFromTheUnroundedDays) {
  const std::string report = noaaMonthReport(days, 2025, 3, kStation);
  const std::vector<std::string> table = tableAfter(report, "DAY   TEMP");
  ASSERT_GE(table.size(), 33u);
  EXPECT_EQ(table[31].find_first_not_of('-'), std::string::npos);
  const Row total = readRow(table[32], kMonthColumns);
  double meanSum = 0, heat = 0, rain = 0;
  for (int day = 1; day <= 31; ++day) {
    if (day == 10) continue;
    meanSum += 5.0 + day / 10.0;
    heat += 18.3 - (5.0 + day / 10.0);
    rain += day % 2 == 0 ? 4 : 0;
  }
  EXPECT_EQ(total.at("day"), "");
  EXPECT_DOUBLE_EQ(std::stod(total.at("mean")), std::round(meanSum / 30 * 10) / 10);
  EXPECT_EQ(total.at("high"), "12.1");
  EXPECT_EQ(total.at("highTime"), "31");  // the day of the month's high
  EXPECT_EQ(total.at("low"), "1.1");
  EXPECT_EQ(total.at("lowTime"), "1");
  EXPECT_DOUBLE_EQ(std::stod(total.at("heat")), std::round(heat * 10) / 10);
  EXPECT_DOUBLE_EQ(std::stod(total.at("rain")), rain);
  EXPECT_EQ(total.at("gust"), "6.1");
  EXPECT_EQ(total.at("gustTime"), "31");
  EXPECT_EQ(total.at("dir"), "W");
  EXPECT_NE(report.find("\nMin <=   0.0:   0\n"), std::string::npos);
}

TEST_F(NoaaReport, NoNegativeZeroAndAbsentValuesLeaveTheirColumnsEmpty) {
  NoaaDay d = emptyDay(2025, 4, 2, 12);
  d.meanTemp = -0.04;
  d.maxTemp = 0.02;
  d.minTemp = -0.049;
  d.maxTempTime = "13:00";
  d.minTempTime = "05:00";
  NoaaStation station = kSouthWest;
  station.name = "Dach\r\nNord";
  const std::string report = noaaMonthReport({d}, 2025, 4, station);
  EXPECT_NE(report.find("\nNAME: Dach  Nord\n"), std::string::npos);
  EXPECT_EQ(report.find("-0.0"), std::string::npos) << report;
  EXPECT_NE(report.find("\nELEV:     LAT: 33-54.00 S    LONG: 151-12.00 W\n"), std::string::npos)
      << report;
  const Row r = readRow(tableAfter(report, "DAY   TEMP")[1], kMonthColumns);
  EXPECT_EQ(r.at("mean"), "0.0");
  EXPECT_EQ(r.at("low"), "0.0");
  EXPECT_EQ(r.at("rain"), "");  // no counter that day
  EXPECT_EQ(r.at("wind"), "");
  EXPECT_EQ(r.at("dir"), "");
}

TEST_F(NoaaReport, AMonthWithoutRowsListsItsDaysOnly) {
  const std::string report = noaaMonthReport(days, 2024, 2, kStation);
  const std::vector<std::string> table = tableAfter(report, "DAY   TEMP");
  ASSERT_EQ(table.size(), 30u);  // a leap year's February and the closing rule
  EXPECT_EQ(table[28], " 29");
  EXPECT_EQ(report.find("Max >="), std::string::npos);
  EXPECT_EQ(noaaMonthFileName(2025, 3), "NOAA-2025-03.txt");
  EXPECT_EQ(noaaYearFileName(2025), "NOAA-2025.txt");
}

TEST_F(NoaaReport, TheYearsThreeTablesReadBackByTheirColumns) {
  const std::string report = noaaYearReport(days, 2025, kStation);
  EXPECT_NE(report.find("ANNUAL CLIMATOLOGICAL SUMMARY for 2025"), std::string::npos);
  EXPECT_NE(report.find("\nELEV: 34 meters"), std::string::npos);

  const std::vector<std::string> temperature = tableAfter(report, "HEAT BASE 18.3");
  ASSERT_EQ(temperature.size(), 12u + 2) << report;
  EXPECT_EQ(temperature[0], "2025 01");
  const Row feb = readRow(temperature[1], kYearTemperatureColumns);
  EXPECT_EQ(feb.at("month"), "2025 02");
  EXPECT_EQ(feb.at("meanMax"), "2.0");
  EXPECT_EQ(feb.at("meanMin"), "-6.0");
  EXPECT_EQ(feb.at("heat"), "20.3");
  EXPECT_EQ(feb.at("highDay"), "14");
  EXPECT_EQ(feb.at("max0"), "0");
  EXPECT_EQ(feb.at("min0"), "1");
  const Row year = readRow(temperature[13], kYearTemperatureColumns);
  EXPECT_EQ(year.at("month"), "");
  EXPECT_EQ(year.at("high"), "12.1");
  EXPECT_EQ(year.at("highDay"), "3");  // the month of the year's high
  EXPECT_EQ(year.at("low"), "-6.0");
  EXPECT_EQ(year.at("lowDay"), "2");
  EXPECT_EQ(year.at("min0"), "1");

  const std::vector<std::string> rain = tableAfter(report, "PRECIPITATION (mm)");
  ASSERT_EQ(rain.size(), 14u) << report;
  const Row march = readRow(rain[2], kYearRainColumns);
  EXPECT_EQ(march.at("total"), "56.0");  // the even days but the 10th
  EXPECT_EQ(march.at("max"), "4.0");
  EXPECT_EQ(march.at("maxDay"), "2");
  EXPECT_EQ(march.at("over03"), "14");
  EXPECT_EQ(march.at("over30"), "0");
  EXPECT_EQ(readRow(rain[13], kYearRainColumns).at("total"), "60.0");

  const std::vector<std::string> wind = tableAfter(report, "WIND SPEED (m/s)");
  ASSERT_EQ(wind.size(), 14u) << report;
  const Row windMarch = readRow(wind[2], kYearWindColumns);
  EXPECT_EQ(windMarch.at("avg"), "1.5");
  EXPECT_EQ(windMarch.at("high"), "6.1");
  EXPECT_EQ(windMarch.at("highDay"), "31");
  EXPECT_EQ(windMarch.at("dir"), "W");
  EXPECT_EQ(wind[11], "2025 12");
}

}  // namespace
}  // namespace tavik
