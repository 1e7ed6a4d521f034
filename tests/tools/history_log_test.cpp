// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's history: Wetterlog rows of the hours before a live run that
// end where the live run begins.
#include "sim/history_log.h"

#include <gtest/gtest.h>

#include "common/command_line.h"
#include "common/regional.h"
#include "common/text_file.h"
#include "products/weather_log.h"
#include "products/weather_log_reader.h"
#include "tool_process.h"

namespace tavik {
namespace {

ConsoleSimulator simulatorAt(const LocalDateTime& start) {
  SimulatorOptions options;
  options.seed = 7;
  options.clockStart = WeatherModel::secondOfYear(start);
  return ConsoleSimulator(options);
}

TEST(HistoryLog, RowsAcrossMidnightEndWhereTheLiveRunBegins) {
  const test::TempDir dir;
  const std::string path = dir / "seed.txt";
  const LocalDateTime start{2026, 3, 1, 23, 0, 0};
  ConsoleSimulator simulator = simulatorAt(start);
  const Transmission first =
      writeHistoryLog(simulator, start, {.seconds = 7200, .rowEvery = 600}, path);

  const std::string bytes = test::readWholeFile(path);
  WeatherLog log;
  ASSERT_TRUE(parseWeatherLog(bytes, RegionalSettings::german(), path, log));
  EXPECT_TRUE(log.unread.empty());
  ASSERT_EQ(log.rows.size(), 12u);
  for (size_t i = 0; i < log.rows.size(); ++i)
    EXPECT_EQ(log.rows[i].time(), addSeconds(start, 600 * static_cast<long long>(i + 1)));
  EXPECT_EQ(log.rows.back().time(), (LocalDateTime{2026, 3, 2, 1, 0, 0}));
  // Every line ends in CR LF.
  size_t lineEnds = 0;
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_GT(at, 0u);
    EXPECT_EQ(bytes[at - 1], '\r');
    ++lineEnds;
  }
  EXPECT_EQ(lineEnds, 13u);

  // The live run starts within one cycle of the history's end, and its first
  // record is the one the last row shows: an imported history meets the
  // live values without a step.
  EXPECT_GE(first.at, 0);
  EXPECT_LT(first.at, 10);
  const std::string lastRow = bytes.substr(bytes.rfind('\n', bytes.size() - 3) + 1);
  EXPECT_EQ(lastRow, utf8ToCp1252(formatWeatherLogRow(simulator.record(), {2026, 3, 2, 1, 0, 0},
                                                      RegionalSettings::german())) +
                         "\r\n");
  // And the run goes on from there, not from a fresh start.
  EXPECT_GT(simulator.next().at, first.at + 7200);
}

TEST(HistoryLog, AFileThatCannotBeWrittenIsTold) {
  const test::TempDir dir;
  const std::string path = dir / "fehlt" / "seed.txt";
  ConsoleSimulator simulator = simulatorAt({2026, 6, 1, 12, 0, 0});
  try {
    writeHistoryLog(simulator, {2026, 6, 1, 12, 0, 0}, {}, path);
    ADD_FAILURE() << "no refusal";
  } catch (const UsageError& e) {
    EXPECT_NE(std::string(e.what()).find(path + " lässt sich nicht schreiben"), std::string::npos)
        << e.what();
  }
}

TEST(TavikSimProgram, WritesThreeHoursOfHistoryBeforeTheLine) {
  const test::TempDir dir;
  const std::string out = dir / "line.bin", history = dir / "seed.txt";
  const test::ToolResult r = test::runTool({TAVIK_SIM_EXE, "--out", out, "--count=10", "--history",
                                            history, "--clock=2026-12-09T14:30"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> rows = test::lines(test::readWholeFile(history));
  ASSERT_EQ(rows.size(), 37u);  // the header and one row every five minutes
  EXPECT_EQ(rows[1].substr(0, 19), "09.12.26   11:35:00");
  EXPECT_EQ(rows.back().substr(0, 19), "09.12.26   14:30:00");
  EXPECT_FALSE(test::readWholeFile(out).empty());
}

}  // namespace
}  // namespace tavik
