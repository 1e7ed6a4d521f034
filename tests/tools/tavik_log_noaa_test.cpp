// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-log noaa: the climate reports of a Wetterlog tree on standard output.
#include <gtest/gtest.h>

#include <sstream>

#include "products/weather_log_tree.h"
#include "temp_folder.h"
#include "tool_process.h"
#include "weather_log_tree.h"
#include "web/noaa_report.h"
#include "web/web_history.h"

namespace tavik {
namespace {

using test::runTool;

struct TavikLogNoaaTest : ::testing::Test {
  void SetUp() override {
    writer.settings.LogUpdate = 0;  // daily files
    // 30 December to 2 January every 10 minutes, across two years.
    writer.write(LocalDateTime{2026, 12, 30, 0, 5, 0, 0}, 600, 576);
    ASSERT_TRUE(writer.notifier.messages.empty());
    WeatherLog log;
    ASSERT_FALSE(addWeatherLogs(folder.path(), RegionalSettings::german(), log).has_value());
    sortWeatherLog(log);
    days = climateDays(log);
  }
  std::string tree() const { return folder.path().string(); }

  testing::TempFolder folder;
  test::LogTreeWriter writer{folder.path()};
  std::vector<ClimateDay> days;
};

TEST_F(TavikLogNoaaTest, PrintsTheMonthAndTheYearOfTheTree) {
  NoaaStation station;
  station.name = "Wetterstation";
  const test::ToolResult month = runTool({TAVIK_LOG_EXE, "noaa", "--month", "2026-12", tree()});
  EXPECT_EQ(month.status, 0) << month.err;
  EXPECT_EQ(month.out, noaaMonthReport(noaaDaysOf(days), 2026, 12, station));
  EXPECT_NE(month.out.find(" 31 "), std::string::npos);
  const test::ToolResult year = runTool({TAVIK_LOG_EXE, "noaa", tree(), "--year=2027"});
  EXPECT_EQ(year.status, 0) << year.err;
  EXPECT_EQ(year.out, noaaYearReport(noaaDaysOf(days), 2027, station));
  EXPECT_NE(year.out.find("2027 01 "), std::string::npos);
}

// The tree read into an archive gives the same days from its summaries:
// the same temperatures at the same times, a month or a year at a time.
TEST_F(TavikLogNoaaTest, TheArchiveGivesTheSameDaysAsTheTree) {
  const std::string archive = (folder.path() / "archive.sqlite").string();
  const test::ToolResult import = runTool({TAVIK_LOG_EXE, "import", "--archive", archive, tree()});
  ASSERT_EQ(import.status, 0) << import.err;
  const test::ToolResult fromTree = runTool({TAVIK_LOG_EXE, "noaa", "--month", "2026-12", tree()});
  const test::ToolResult fromArchive =
      runTool({TAVIK_LOG_EXE, "noaa", "--month", "2026-12", "--archive", archive});
  ASSERT_EQ(fromArchive.status, 0) << fromArchive.err;
  // The words of a day's line up to the low's time (day, mean, high, time,
  // low, time).
  const auto dayStart = [](const std::string& report, const std::string& day) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream in(line);
      std::vector<std::string> words;
      for (std::string w; in >> w && words.size() < 6;) words.push_back(w);
      if (!words.empty() && words[0] == day) return words;
    }
    return std::vector<std::string>{};
  };
  for (const char* day : {"30", "31"}) {
    SCOPED_TRACE(day);
    EXPECT_EQ(dayStart(fromArchive.out, day).size(), 6u) << fromArchive.out;
    EXPECT_EQ(dayStart(fromArchive.out, day), dayStart(fromTree.out, day));
  }
  EXPECT_EQ(dayStart(fromArchive.out, "01"), std::vector<std::string>{"01"});
  const test::ToolResult year =
      runTool({TAVIK_LOG_EXE, "noaa", "--year=2027", "--archive", archive});
  EXPECT_EQ(year.status, 0) << year.err;
  EXPECT_NE(year.out.find("for 2027"), std::string::npos);
  const test::ToolResult none = runTool({TAVIK_LOG_EXE, "noaa", "--archive", archive});
  EXPECT_EQ(none.status, 2);
}

TEST_F(TavikLogNoaaTest, APeriodIsNeededAndOnlyForNoaa) {
  const std::vector<std::vector<std::string>> cases = {
      {TAVIK_LOG_EXE, "noaa", tree()},
      {TAVIK_LOG_EXE, "days", "--year", "2026", tree()},
      {TAVIK_LOG_EXE, "noaa", "--month", "2026-13", tree()},
      {TAVIK_LOG_EXE, "noaa", "--month", "2026-1", tree()},
      {TAVIK_LOG_EXE, "noaa", "--year", "26", tree()},
      {TAVIK_LOG_EXE, "noaa", "--year", "0000", tree()},
  };
  for (const auto& args : cases) {
    const test::ToolResult r = runTool(args);
    SCOPED_TRACE(args.size() > 3 ? args[3] : args[2]);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("tavik-log: ")) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace tavik
