// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_days.h"

#include <gtest/gtest.h>

#include <fstream>

#include "products/weather_log_summary.h"
#include "products/weather_log_tree.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

bool sameSummary(const LogSummary& a, const LogSummary& b) {
  if (a.date != b.date || a.rows != b.rows || a.days != b.days || a.skipped != b.skipped ||
      a.windPoints != b.windPoints)
    return false;
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    const ColumnStats &x = a.columns[c], &y = b.columns[c];
    if (x.min != y.min || x.max != y.max || x.minAt != y.minAt || x.maxAt != y.maxAt ||
        x.sum != y.sum)
      return false;
  }
  return true;
}

// The summaries of the whole log held at once and of the log read day by
// day must agree in every field.
void expectSameSummaries(const std::filesystem::path& path, SummaryPeriod period,
                         std::optional<LogDate> from = std::nullopt,
                         std::optional<LogDate> to = std::nullopt) {
  WeatherLog whole;
  ASSERT_EQ(addWeatherLogs(path, de(), whole), std::nullopt);
  sortWeatherLog(whole);
  const std::vector<LogSummary> expected = summarizeLog(whole, period, from, to);
  WeatherLogDays days(de());
  ASSERT_EQ(days.add(path), std::nullopt);
  std::vector<LogSummary> streamed;
  summarizeLogDays(
      days, period, [&](const LogSummary& s) { streamed.push_back(s); }, from, to);
  ASSERT_EQ(streamed.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(sameSummary(streamed[i], expected[i]));
}

struct LogDaysTest : ::testing::TestWithParam<std::tuple<int, bool, bool>> {
  testing::TempFolder folder;
};

TEST_P(LogDaysTest, DayByDayGivesTheRowsAndSummariesOfTheWholeLog) {
  test::LogTreeWriter writer(folder.path());
  std::tie(writer.settings.LogUpdate, writer.settings.LogMonatsordner,
           writer.settings.LogWochenordner) = GetParam();
  // Across the turn of the year and a week running into February.
  const std::vector<WeatherLogRow> written =
      writer.write(LocalDateTime{2026, 12, 20, 1, 2, 3, 0}, 5 * 3600, 250);
  // A damaged row, and one file's rows copied once more under another name.
  std::ofstream(folder.path() / "kaputt.txt", std::ios::binary)
      << kWeatherLogHeader << "\r\n04.01.27   12:00:00  kaputt\r\n";

  WeatherLogDays days(de());
  ASSERT_EQ(days.add(folder.path()), std::nullopt);
  std::vector<WeatherLogRow> streamed;
  LogDate previous{};
  days.forEachDay([&](const LogDate& day, const std::vector<WeatherLogRow>& rows) {
    EXPECT_LT(previous, day);
    previous = day;
    for (const WeatherLogRow& r : rows) EXPECT_EQ(r.date(), day);
    streamed.insert(streamed.end(), rows.begin(), rows.end());
  });
  EXPECT_EQ(streamed, written);
  ASSERT_EQ(days.unread().size(), 1u);
  // A daily log holds one file at a time, a monthly one at most two.
  EXPECT_LE(days.mostFilesHeld(), 2u);

  expectSameSummaries(folder.path(), SummaryPeriod::Day);
  expectSameSummaries(folder.path(), SummaryPeriod::Month);
  expectSameSummaries(folder.path(), SummaryPeriod::Day, LogDate{2027, 1, 2}, LogDate{2027, 1, 9});
  expectSameSummaries(folder.path(), SummaryPeriod::Month, LogDate{2027, 1, 4});
}

INSTANTIATE_TEST_SUITE_P(Layouts, LogDaysTest,
                         ::testing::Values(std::tuple{0, false, false}, std::tuple{1, true, true},
                                           std::tuple{2, true, false}));

TEST(LogDaysFileTest, DuplicateFilesCountOnceAndTiesKeepTheFirstTime) {
  testing::TempFolder folder;
  test::LogTreeWriter writer(folder.path());
  writer.write(LocalDateTime{2026, 5, 1, 0, 0, 0, 0}, 600, 300);
  std::filesystem::copy_file(folder.path() / "t01.05.26.txt", folder.path() / "kopie.txt");
  expectSameSummaries(folder.path(), SummaryPeriod::Day);
  expectSameSummaries(folder.path(), SummaryPeriod::Month);
}

TEST(LogDaysFileTest, ReasonsAreThoseOfTheWholeReading) {
  testing::TempFolder folder;
  std::ofstream(folder.path() / "brief.txt") << "Hallo\r\n";
  WeatherLog log;
  for (const auto& path : {folder.path(), folder.path() / "brief.txt", folder.path() / "fehlt"}) {
    WeatherLogDays days(de());
    EXPECT_EQ(days.add(path), addWeatherLogs(path, de(), log));
    EXPECT_TRUE(days.add(path).has_value());
  }
}

}  // namespace
}  // namespace tavik
