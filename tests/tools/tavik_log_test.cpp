// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-log run as a program on Wetterlog trees written by the program's
// own Wetterlog writer.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "common/version.h"
#include "log/summary_output.h"
#include "products/weather_log_tree.h"
#include "temp_folder.h"
#include "tool_process.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

using test::lines;
using test::runTool;

// The JSON line tavik-log should print for one day's rows, computed here
// with floating point and the textbook compass formula.
std::string expectedDay(const std::string& date, const std::vector<WeatherLogRow>& rows) {
  std::string out = "{\"date\":\"" + date + "\",\"rows\":" + std::to_string(rows.size());
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    const LogColumnLayout& layout = kLogColumns[c];
    out += ",\"" + std::string(layout.name) + "\":";
    if (layout.name == "WindR") {
      std::array<int, 16> counts{};
      for (const WeatherLogRow& r : rows)
        ++counts[static_cast<size_t>(std::floor((r.stored[c] + 11.25) / 22.5)) % 16];
      static const char* kNames[] = {"N", "NNO", "NO", "ONO", "O", "OSO", "SO", "SSO",
                                     "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
      out += std::string("\"") +
             kNames[std::max_element(counts.begin(), counts.end()) - counts.begin()] + "\"";
      continue;
    }
    const double scale = layout.decimals == 1 ? 10.0 : 1.0;
    double lo = 1e9, hi = -1e9, sum = 0;
    for (const WeatherLogRow& r : rows) {
      lo = std::min(lo, r.stored[c] / scale);
      hi = std::max(hi, r.stored[c] / scale);
      sum += r.stored[c];
    }
    const double mean = std::llround(sum / scale * 100.0 / rows.size()) / 100.0 + 0.0;
    char text[128];
    std::snprintf(
        text, sizeof text,
        layout.decimals == 1 ? R"({"min":%.1f,"max":%.1f,)" : R"({"min":%.0f,"max":%.0f,)", lo, hi);
    out += text;
    std::snprintf(text, sizeof text, R"("mean":%.2f})", mean);
    out += text;
  }
  return out + "}";
}

std::map<std::string, std::vector<WeatherLogRow>> byDay(const std::vector<WeatherLogRow>& rows) {
  std::map<std::string, std::vector<WeatherLogRow>> days;
  for (const WeatherLogRow& r : rows) {
    const LocalDateTime t = r.time();
    char key[16];
    std::snprintf(key, sizeof key, "%04d-%02d-%02d", t.year, t.month, t.day);
    days[key].push_back(r);
  }
  return days;
}

struct TavikLogTest : ::testing::Test {
  void SetUp() override {
    writer.settings.LogUpdate = 1;  // weekly files in month and week folders
    writer.settings.LogMonatsordner = true;
    writer.settings.LogWochenordner = true;
    // 30 December to 2 January every 10 minutes: 144 rows a day, two years.
    written = writer.write(LocalDateTime{2026, 12, 30, 0, 5, 0, 0}, 600, 576);
    ASSERT_TRUE(writer.notifier.messages.empty());
  }
  std::string tree() const { return folder.path().string(); }

  testing::TempFolder folder;
  test::LogTreeWriter writer{folder.path()};
  std::vector<WeatherLogRow> written;
};

TEST_F(TavikLogTest, DaysAsJsonSummariseEveryColumnExactly) {
  const test::ToolResult r = runTool({TAVIK_LOG_EXE, "days", "--json", tree()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  std::vector<std::string> expected;
  for (const auto& [date, rows] : byDay(written)) expected.push_back(expectedDay(date, rows));
  ASSERT_EQ(expected.size(), 4u);
  EXPECT_EQ(lines(r.out), expected);

  // The same tree twice and a range: duplicates count once, days outside go.
  const test::ToolResult range = runTool(
      {TAVIK_LOG_EXE, "--from=2026-12-31", "days", tree(), "--to", "2027-01-01", "--json", tree()});
  ASSERT_EQ(range.status, 0) << range.err;
  EXPECT_EQ(lines(range.out), std::vector<std::string>(expected.begin() + 1, expected.end() - 1));
}

TEST_F(TavikLogTest, MonthsCountDaysAndSkippedRowsAndListTheRowsOnStandardError) {
  const auto file = folder.path() / "Januar 2027" / "Woche 1" / "w1.2027.txt";
  std::ofstream(file, std::ios::app | std::ios::binary) << "02.01.27   23:59:59   kaputt\r\n";
  const test::ToolResult r = runTool({TAVIK_LOG_EXE, "months", "--json", tree()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> got = lines(r.out);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_TRUE(got[0].starts_with(R"({"month":"2026-12","days":2,"rows":288,"FeuchtO":{"min":)"))
      << got[0];
  EXPECT_TRUE(got[1].starts_with(R"({"month":"2027-01","days":2,"rows":288,"skipped":1,)"))
      << got[1];
  EXPECT_EQ(lines(r.err), (std::vector<std::string>{file.string() + ":290: zu wenige Felder",
                                                    "tavik-log: 1 Zeile nicht gelesen"}));
}

TEST_F(TavikLogTest, TheTableIsAlignedAndGerman) {
  const test::ToolResult r = runTool({TAVIK_LOG_EXE, "days", tree()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> got = lines(r.out);
  ASSERT_EQ(got.size(), 2u + 4u);
  for (const std::string& line : got) EXPECT_EQ(line.size(), got[1].size()) << line;
  EXPECT_NE(got[0].find("TempO"), std::string::npos);
  EXPECT_TRUE(got[1].starts_with("Tag         Zeilen  ausgel.")) << got[1];
  EXPECT_TRUE(got[2].starts_with("30.12.2026     144        0")) << got[2];
  // Each value ends under its heading; decimals have a comma.
  const size_t tempO = got[0].find("TempO") + 5;
  const size_t mean = got[1].find("Mittel", tempO - 20) + 6;
  EXPECT_EQ(mean, tempO);
  EXPECT_EQ(got[2][mean - 3], ',');
  EXPECT_EQ(got[2].find('.', 11), std::string::npos);
}

// What tavik-log printed when it held the whole log at once: every row read
// and sorted, then summarised.
std::vector<std::string> wholeLogOutput(const std::vector<std::string>& paths, SummaryPeriod period,
                                        bool json) {
  WeatherLog log;
  for (const std::string& path : paths) addWeatherLogs(path, RegionalSettings::german(), log);
  sortWeatherLog(log);
  const std::vector<LogSummary> summaries = summarizeLog(log, period);
  if (!json) return summaryTable(summaries, period);
  std::vector<std::string> out;
  for (const LogSummary& s : summaries) out.push_back(summaryJson(s, period));
  return out;
}

TEST_F(TavikLogTest, ReadingDayByDayPrintsWhatTheWholeLogGave) {
  // A second tree of daily files overlapping the weekly one, a copy of one
  // file, and a damaged row.
  testing::TempFolder daily;
  test::LogTreeWriter dailyWriter(daily.path());
  dailyWriter.write(LocalDateTime{2026, 12, 31, 12, 0, 0, 0}, 1800, 200);
  std::filesystem::copy_file(daily.path() / "t01.01.27.txt", daily.path() / "kopie.txt");
  std::ofstream(daily.path() / "t02.01.27.txt", std::ios::app | std::ios::binary)
      << "02.01.27   23:59:59   kaputt\r\n";
  const std::vector<std::string> paths = {tree(), daily.path().string()};
  for (const SummaryPeriod period : {SummaryPeriod::Day, SummaryPeriod::Month}) {
    for (const bool json : {false, true}) {
      std::vector<std::string> args = {TAVIK_LOG_EXE,
                                       period == SummaryPeriod::Day ? "days" : "months"};
      if (json) args.push_back("--json");
      args.insert(args.end(), paths.begin(), paths.end());
      const test::ToolResult r = runTool(args);
      ASSERT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(lines(r.out), wholeLogOutput(paths, period, json)) << args[1] << json;
      EXPECT_EQ(lines(r.err).back(), "tavik-log: 1 Zeile nicht gelesen");
    }
  }
}

TEST(TavikLogCommandLine, HelpVersionAndBadArgumentsWithStatusTwo) {
  testing::TempFolder folder;
  const test::ToolResult help = runTool({TAVIK_LOG_EXE, "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Aufruf: tavik-log days|months")) << help.out;
  for (const char* option : {"--version", "-V"}) {
    const test::ToolResult version = runTool({TAVIK_LOG_EXE, option});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tavik-log " TAVIK_VERSION "\n");
  }

  std::ofstream(folder.path() / "brief.txt") << "Lieber Hans,\r\n";
  const std::string dir = folder.path().string();
  const std::vector<std::vector<std::string>> cases = {
      {TAVIK_LOG_EXE},
      {TAVIK_LOG_EXE, "weeks", dir},
      {TAVIK_LOG_EXE, "days"},
      {TAVIK_LOG_EXE, "days", dir + "/fehlt"},
      {TAVIK_LOG_EXE, "days", dir},  // no Wetterlog in it
      {TAVIK_LOG_EXE, "days", dir + "/brief.txt"},
      {TAVIK_LOG_EXE, "days", "--from", "2026-13-01", dir},
      {TAVIK_LOG_EXE, "days", "--from=2027-02-29", dir},
      {TAVIK_LOG_EXE, "days", "--to", "2026-1-01", dir},
      {TAVIK_LOG_EXE, "days", "--from", "2026-05-02", "--to", "2026-05-01", dir},
      {TAVIK_LOG_EXE, "days", dir, "--to"},
      {TAVIK_LOG_EXE, "days", "--json=ja", dir},
      {TAVIK_LOG_EXE, "months", "--bunt", dir},
  };
  for (const auto& args : cases) {
    const test::ToolResult r = runTool(args);
    SCOPED_TRACE(args.size() > 2 ? args[2] : "");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("tavik-log: ")) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace tavik
