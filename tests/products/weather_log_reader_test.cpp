// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "products/weather_log_tree.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

const std::string kHeader(kWeatherLogHeader);

// Rows as the Wetterlog writes them: both words, no words, one word.
constexpr const char* kRows[] = {
    "08.12.26   14:30:45       87       45   21.5   -3.5      9      2    987  1013.2  steigend  "
    "      bew\xF6lkt          11    5.3    270     -6",
    "08.12.26   14:40:45      100        5   22.0   -0.5     10     -2    990   998.7            "
    "                     0    0.0      0      0",
    "08.12.26   15:00:00       50       40   19.9    0.1      8      1    985  1020.0            "
    "  regnerisch         3   12.5     90      5",
};

std::string logText(std::initializer_list<std::string> rows) {
  std::string text = kHeader + "\r\n";
  for (const std::string& row : rows) text += row + "\r\n";
  return text;
}

TEST(WeatherLogReaderTest, ReadsEveryColumnAndWordAsTheFileShowsIt) {
  WeatherLog log;
  ASSERT_TRUE(parseWeatherLog(logText({kRows[0], kRows[1], kRows[2]}), de(), "t.txt", log));
  ASSERT_EQ(log.rows.size(), 3u);
  EXPECT_TRUE(log.unread.empty());
  const WeatherLogRow& r = log.rows[0];
  EXPECT_EQ(r.time(), (LocalDateTime{2026, 12, 8, 14, 30, 45, 0}));
  EXPECT_EQ(r.stored, (std::array<int32_t, kLogColumnCount>{87, 45, 215, -35, 9, 2, 987, 10132, 11,
                                                            53, 270, -6}));
  EXPECT_EQ(r.trend, 1);
  EXPECT_EQ(r.forecast, 2);
  EXPECT_DOUBLE_EQ(r.value(LogColumn::BaroS), 1013.2);
  EXPECT_EQ(r.value(LogColumn::WindR), 270);
  EXPECT_EQ(log.rows[1].storedValue(LogColumn::TempO), -5);  // "-0.5"
  EXPECT_EQ(log.rows[1].trend + log.rows[1].forecast, 0);
  // A single word is told apart by the word tables.
  EXPECT_EQ(log.rows[2].trend, 0);
  EXPECT_EQ(log.rows[2].forecast, 8);
  EXPECT_EQ(log.rows[2].date(), (LogDate{2026, 12, 8}));
}

TEST(WeatherLogReaderTest, OtherTextsAreNoWetterlogAndAddNothing) {
  WeatherLog log;
  ASSERT_TRUE(parseWeatherLog(logText({kRows[0]}), de(), "a", log));
  for (const std::string& text :
       {std::string(), std::string("\r\n  \r\n"), "Hallo Welt\r\n" + logText({kRows[1]}),
        std::string(kRows[0]), std::string("Dez 08 2026 14:05\r\n180/005g012t046h72b10132\r\n"),
        kHeader.substr(0, 60) + "\r\n" + kRows[1]}) {
    EXPECT_FALSE(parseWeatherLog(text, de(), "b", log)) << text;
  }
  EXPECT_EQ(log.rows.size(), 1u);
  EXPECT_TRUE(log.unread.empty());
  // A header alone is a Wetterlog without rows.
  EXPECT_TRUE(parseWeatherLog(kHeader + "\r\n", de(), "c", log));
}

TEST(WeatherLogReaderTest, UnreadRowsSayFileLineAndWhyAndTheRestIsRead) {
  const std::string row1 = kRows[1];
  const std::string text = logText(
      {kRows[0], "08.12.26   14:30:45       87",  // cut short
       "31.02.26" + row1.substr(8),               // no such day
       "08.12.26   25:00:00" + row1.substr(19), std::string(row1).replace(40, 4, "21,5"),
       std::string(row1).replace(47, 4, " -05"),  // TempO without its decimal
       std::string(kRows[0]).replace(82, 8, "fest    "), row1 + "  7  8  9", kHeader, kRows[2]});
  WeatherLog log;
  ASSERT_TRUE(parseWeatherLog(text, de(), "w5.2027.txt", log));
  EXPECT_EQ(log.rows.size(), 2u);
  ASSERT_EQ(log.unread.size(), 7u);
  std::vector<int> lines;
  for (const UnreadRow& u : log.unread) {
    EXPECT_EQ(u.file, "w5.2027.txt");
    lines.push_back(u.line);
  }
  EXPECT_EQ(lines, (std::vector<int>{3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(log.unread[0].why, "zu wenige Felder");
  EXPECT_EQ(log.unread[1].why, "ungültiges Datum „31.02.26“");
  EXPECT_FALSE(log.unread[1].date.has_value());
  EXPECT_EQ(log.unread[2].why, "ungültige Uhrzeit „25:00:00“");
  EXPECT_EQ(log.unread[2].date, (LogDate{2026, 12, 8}));  // the day is still known
  EXPECT_EQ(log.unread[3].why, "TempI „21,5“ ist keine Zahl mit einer Nachkommastelle");
  EXPECT_EQ(log.unread[4].why, "TempO „-05“ ist keine Zahl mit einer Nachkommastelle");
  EXPECT_EQ(log.unread[5].why, "unbekannter Trend „fest“");
  EXPECT_EQ(log.unread[6].why, "zu viele Felder");
}

TEST(WeatherLogReaderTest, SortingPutsRowsInTimeOrderAndDropsExactDuplicates) {
  const std::string nextYear = "09.01.27" + std::string(kRows[1]).substr(8);
  WeatherLog log;
  ASSERT_TRUE(parseWeatherLog(logText({kRows[2], nextYear, kRows[0], kRows[2]}), de(), "a", log));
  // The same moment with other values is no duplicate.
  const std::string changed = std::string(kRows[0]).replace(35, 2, "46");
  ASSERT_TRUE(parseWeatherLog(logText({kRows[0], changed}), de(), "b", log));
  sortWeatherLog(log);
  ASSERT_EQ(log.rows.size(), 4u);
  EXPECT_EQ(log.rows[0].time(), (LocalDateTime{2026, 12, 8, 14, 30, 45, 0}));
  EXPECT_EQ(log.rows[1].time(), log.rows[0].time());
  EXPECT_NE(log.rows[1].stored, log.rows[0].stored);
  EXPECT_EQ(log.rows[2].time(), (LocalDateTime{2026, 12, 8, 15, 0, 0, 0}));
  EXPECT_EQ(log.rows[3].time(), (LocalDateTime{2027, 1, 9, 14, 40, 45, 0}));
  EXPECT_EQ(secondsOf(LocalDateTime{1970, 1, 2, 0, 0, 1, 0}), 86401);
}

// Whole trees as the writer leaves them, read back and compared with the
// rows it was given.
struct LogTreeTest : ::testing::TestWithParam<std::tuple<int, bool, bool>> {
  testing::TempFolder folder;
};

TEST_P(LogTreeTest, ReadsEveryRowOfATreeAcrossMonthsWeeksAndTheTurnOfTheYear) {
  test::LogTreeWriter writer(folder.path());
  std::tie(writer.settings.LogUpdate, writer.settings.LogMonatsordner,
           writer.settings.LogWochenordner) = GetParam();
  // 27 December to 3 February every 5 hours: two years, and week 5 runs
  // from January into February.
  const std::vector<WeatherLogRow> written =
      writer.write(LocalDateTime{2026, 12, 27, 1, 2, 3, 0}, 5 * 3600, 190);
  ASSERT_TRUE(writer.notifier.messages.empty());
  std::ofstream(folder.path() / "aprs.txt") << "Dez 08 2026 14:05\r\n";  // not a Wetterlog

  WeatherLog log;
  EXPECT_EQ(addWeatherLogs(folder.path(), de(), log), std::nullopt);
  sortWeatherLog(log);
  EXPECT_TRUE(log.unread.empty());
  EXPECT_EQ(log.rows, written);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LogTreeTest,
                         ::testing::Values(std::tuple{0, false, false}, std::tuple{1, true, true},
                                           std::tuple{1, false, true}, std::tuple{2, true, false}));

TEST(LogTreeFileTest, AWeekFileSpanningTwoMonthsIsOneFile) {
  testing::TempFolder folder;
  test::LogTreeWriter writer(folder.path());
  writer.settings.LogUpdate = 1;
  const auto written = writer.write(LocalDateTime{2027, 1, 30, 12, 0, 0, 0}, 86400, 4);
  ASSERT_TRUE(std::filesystem::exists(folder.path() / "w5.2027.txt"));
  WeatherLog log;
  EXPECT_EQ(addWeatherLogs(folder.path() / "w5.2027.txt", de(), log), std::nullopt);
  EXPECT_EQ(log.rows, written);
}

TEST(LogTreeFileTest, DamagedRowsAreListedAndDuplicateTreesCountOnce) {
  testing::TempFolder folder;
  test::LogTreeWriter writer(folder.path());
  const auto written = writer.write(LocalDateTime{2026, 5, 1, 0, 0, 0, 0}, 600, 20);
  const auto file = folder.path() / "t01.05.26.txt";
  std::ofstream(file, std::ios::app | std::ios::binary) << "01.05.26   12:00:00  kaputt\r\n";
  WeatherLog log;
  EXPECT_EQ(addWeatherLogs(folder.path(), de(), log), std::nullopt);
  EXPECT_EQ(addWeatherLogs(file, de(), log), std::nullopt);  // the same rows again
  sortWeatherLog(log);
  EXPECT_EQ(log.rows, written);
  ASSERT_EQ(log.unread.size(), 2u);
  EXPECT_EQ(log.unread[0].file, file.string());
  EXPECT_EQ(log.unread[0].line, 22);
  EXPECT_EQ(log.unread[0].date, (LogDate{2026, 5, 1}));
}

TEST(LogTreeFileTest, PathsWithoutAWetterlogSayWhy) {
  testing::TempFolder folder;
  WeatherLog log;
  const auto empty = addWeatherLogs(folder.path(), de(), log);
  EXPECT_EQ(empty, "Im Ordner „" + folder.path().string() + "“ liegt keine Wetterlog-Datei.");
  std::ofstream(folder.path() / "brief.txt") << "Lieber Hans,\r\n";
  EXPECT_EQ(addWeatherLogs(folder.path(), de(), log), empty);
  EXPECT_EQ(addWeatherLogs(folder.path() / "brief.txt", de(), log),
            "Die Datei „brief.txt“ ist keine Wetterlog-Datei: ihr fehlt die Kopfzeile des "
            "Wetterlogs.");
  EXPECT_EQ(addWeatherLogs(folder.path() / "fehlt", de(), log),
            "„" + (folder.path() / "fehlt").string() + "“ gibt es nicht.");
  EXPECT_TRUE(log.rows.empty());
  EXPECT_TRUE(log.unread.empty());
}

}  // namespace
}  // namespace tavik
