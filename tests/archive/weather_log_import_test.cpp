// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "common/text_file.h"
#include "file_size_limit.h"
#include "products/weather_log_import.h"
#include "products/weather_log_tree.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

struct Layout {
  int update;  // LogUpdate: 0 daily, 1 weekly, 2 monthly
  bool monthFolder;
  bool weekFolder;
};

class WeatherLogImportTest : public ::testing::TestWithParam<Layout> {
 protected:
  std::unique_ptr<ArchiveWriter> writer() {
    std::string error;
    auto w = ArchiveWriter::open(folder.path() / "archive.sqlite", error);
    EXPECT_TRUE(w) << error;
    return w;
  }
  std::vector<ArchiveRow> rows() {
    std::string error;
    auto h = ArchiveHistory::open(folder.path() / "archive.sqlite", error);
    EXPECT_TRUE(h) << error;
    std::vector<ArchiveRow> all;
    if (h)
      h->rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow& r) {
        all.push_back(r);
        return true;
      });
    return all;
  }

  testing::TempFolder folder;
};

// Every layout the Wetterlog writer makes, over the end of a month (the
// 28th to the 6th share a week file and folder) and two years.
TEST_P(WeatherLogImportTest, EveryRowOnceWithItsValuesAndAgainNothing) {
  const Layout layout = GetParam();
  const auto logs = folder.path() / "logs";
  test::LogTreeWriter tree(logs);
  tree.settings.LogUpdate = layout.update;
  tree.settings.LogMonatsordner = layout.monthFolder;
  tree.settings.LogWochenordner = layout.weekFolder;
  std::vector<WeatherLogRow> written = tree.write({2025, 12, 31, 22, 0, 0}, 1800, 10);
  const auto more = tree.write({2026, 1, 30, 20, 0, 0}, 3600, 10);
  written.insert(written.end(), more.begin(), more.end());

  auto w = writer();
  const WeatherLogImport first = importWeatherLogs(*w, {logs}, RegionalSettings::german());
  EXPECT_EQ(first.rowsAdded, written.size()) << importSummaryText(first);
  EXPECT_EQ(first.rowsPresent, 0u);
  EXPECT_TRUE(first.unread.empty()) << importSummaryText(first);
  EXPECT_TRUE(first.error.empty());

  const std::vector<ArchiveRow> stored = rows();
  ASSERT_EQ(stored.size(), written.size());
  size_t negativeDew = 0;
  for (size_t i = 0; i < written.size(); ++i) {
    const WeatherLogRow& e = written[i];
    const ArchiveRow& r = stored[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(r.time, utcOfLocal(timeOfSeconds(e.seconds)));
    EXPECT_EQ(r.tempOut, e.storedValue(LogColumn::TempO));
    EXPECT_EQ(r.tempIn, e.storedValue(LogColumn::TempI));
    EXPECT_EQ(r.humOut, e.storedValue(LogColumn::FeuchtO));
    EXPECT_EQ(r.baroSea, e.storedValue(LogColumn::BaroS));
    EXPECT_EQ(r.windSpeed, e.storedValue(LogColumn::WindS));
    EXPECT_EQ(r.windDir, e.storedValue(LogColumn::WindR));
    EXPECT_EQ(r.chill, e.storedValue(LogColumn::Chill));
    EXPECT_EQ(r.rainRate, e.storedValue(LogColumn::Regen));
    EXPECT_EQ(r.trend, e.trend ? std::optional<int32_t>(e.trend) : std::nullopt);
    EXPECT_FALSE(r.rainTotal);
    EXPECT_FALSE(r.consoleTime);
    // The console never sends a dew point below 0 °C: such a value is no
    // measurement and stays empty.
    const int32_t dew = e.storedValue(LogColumn::TaupO);
    if (dew < 0) ++negativeDew;
    EXPECT_EQ(r.dewOut, dew >= 0 ? std::optional<int32_t>(dew) : std::nullopt);
  }
  EXPECT_EQ(first.valuesDropped, negativeDew);

  const WeatherLogImport again = importWeatherLogs(*w, {logs}, RegionalSettings::german());
  EXPECT_EQ(again.rowsAdded, 0u);
  EXPECT_EQ(again.rowsPresent, written.size());
  EXPECT_EQ(rows().size(), written.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, WeatherLogImportTest,
                         ::testing::Values(Layout{0, false, false}, Layout{1, false, false},
                                           Layout{2, false, false}, Layout{0, true, false},
                                           Layout{1, true, true}, Layout{2, false, true}));

TEST(WeatherLogImport, DamagedRowsAreListedImpossibleValuesEmptiedAndRainCappedAtTheInterval) {
  testing::TempFolder folder;
  test::LogTreeWriter tree(folder.path());
  tree.write({2026, 3, 10, 23, 30, 0}, 600, 3);  // 23:30, 23:40, 23:50
  const auto files = std::get<std::vector<std::filesystem::path>>(weatherLogFiles(folder.path()));
  ASSERT_EQ(files.size(), 1u);
  const auto file = files[0];
  {
    std::ofstream out(file, std::ios::app | std::ios::binary);
    out << "das ist keine Zeile\r\n";
    // An impossible row: 150 %, 999.9 °C, 99999 hPa.
    out << "10.03.2026"
        << "   23:55:00"
        << "      150"
        << "       45"
        << "  999.9"
        << "   12.3"
        << "  "
        << "    5"
        << "      3"
        << "    980"
        << " 99999.9"
        << "  "
        << "steigend      "
        << "  "
        << "sonnig    "
        << "     60"
        << "    1.0"
        << "     90"
        << "      5\r\n";
  }
  std::string error;
  auto w = ArchiveWriter::open(folder.path() / "a.sqlite", error);
  ASSERT_TRUE(w) << error;
  const WeatherLogImport result = importWeatherLogs(*w, {file}, RegionalSettings::german());
  ASSERT_EQ(result.unread.size(), 1u) << importSummaryText(result);
  EXPECT_EQ(result.unread[0].file, file.string());
  EXPECT_EQ(result.unread[0].line, 5);
  EXPECT_EQ(result.rowsAdded, 4u);
  // The three of the impossible row, and the dew points below 0 °C of the
  // three rows before it.
  EXPECT_EQ(result.valuesDropped, 6u);
  const std::string text = importSummaryText(result);
  EXPECT_NE(text.find(file.string() + ":5: "), std::string::npos) << text;
  EXPECT_NE(text.find("6 Werte"), std::string::npos) << text;

  auto h = ArchiveHistory::open(folder.path() / "a.sqlite", error);
  ASSERT_TRUE(h) << error;
  const int64_t last = utcOfLocal({2026, 3, 10, 23, 55, 0});
  bool seen = false;
  h->rows(last, last + 1, [&](const ArchiveRow& r) {
    seen = true;
    EXPECT_FALSE(r.humOut);
    EXPECT_FALSE(r.tempIn);
    EXPECT_FALSE(r.baroSea);
    EXPECT_EQ(r.tempOut, 123);
    return true;
  });
  EXPECT_TRUE(seen);
  // The 23:50 row's rate counts until 23:55, not for its whole interval;
  // the day's last row counts for its interval.
  h->rows(utcOfLocal({2026, 3, 10, 23, 50, 0}), last + 1, [&](const ArchiveRow& r) {
    const double seconds = r.time == last ? 600 : 300;
    EXPECT_NEAR(r.rain.value_or(-1), r.rainRate.value_or(0) * seconds / 3600.0, 1e-9);
    return true;
  });
  EXPECT_NEAR(h->rainBetween(last, last + 1), 10.0, 1e-9);
}

// The station's rows lie a little off the minutes of the log (its clock and
// the log's differ): an imported row less than half the log's interval from
// one of them, on either side, is the same moment and stays out.
TEST(WeatherLogImport, RowsNearTheStationsRowsOnEitherSideStayOut) {
  testing::TempFolder folder;
  test::LogTreeWriter tree(folder.path() / "logs");
  tree.write({2026, 6, 10, 11, 0, 0}, 600, 24);  // 11:00 .. 14:50
  std::string error;
  auto w = ArchiveWriter::open(folder.path() / "a.sqlite", error);
  ASSERT_TRUE(w) << error;
  for (const LocalDateTime& t : {LocalDateTime{2026, 6, 10, 12, 2, 0}, {2026, 6, 10, 13, 58, 0}}) {
    ArchiveRow row;
    row.time = utcOfLocal(t);
    ASSERT_EQ(w->write(row), ArchiveWriter::Result::Added) << w->lastError();
  }
  const WeatherLogImport result =
      importWeatherLogs(*w, {folder.path() / "logs"}, RegionalSettings::german());
  EXPECT_EQ(result.rowsAdded, 22u) << importSummaryText(result);
  EXPECT_EQ(result.rowsPresent, 2u);

  auto h = ArchiveHistory::open(folder.path() / "a.sqlite", error);
  ASSERT_TRUE(h) << error;
  std::vector<int64_t> around;
  h->rows(utcOfLocal({2026, 6, 10, 11, 50, 0}), utcOfLocal({2026, 6, 10, 14, 11, 0}),
          [&](const ArchiveRow& r) {
            around.push_back(r.time - utcOfLocal({2026, 6, 10, 11, 50, 0}));
            return true;
          });
  const std::vector<int64_t> expected = {0,        12 * 60,  20 * 60,  30 * 60,  40 * 60,
                                         50 * 60,  60 * 60,  70 * 60,  80 * 60,  90 * 60,
                                         100 * 60, 110 * 60, 120 * 60, 128 * 60, 140 * 60};
  EXPECT_EQ(around, expected);
}

// Daily files of one-minute rows from 1 May 2026, written whole.
void writeMinuteDays(const std::filesystem::path& folder, int days) {
  const RegionalSettings& rs = RegionalSettings::german();
  std::filesystem::create_directories(folder);
  for (int d = 0; d < days; ++d) {
    const LocalDateTime day = addSeconds({2026, 5, 1}, d * 86400LL);
    std::string text = std::string(kWeatherLogHeader) + "\r\n";
    for (int m = 0; m < 1440; ++m)
      text += formatWeatherLogRow(test::varyingWeather(d * 1440 + m), addSeconds(day, m * 60), rs) +
              "\r\n";
    TextFileWriter file;
    ASSERT_TRUE(
        file.open(folder / ("t" + formatShortDate(day.year, day.month, day.day, rs) + ".txt"),
                  TextFileWriter::Mode::Truncate));
    ASSERT_TRUE(file.write(text) && file.close());
  }
}

int64_t storedRows(const std::filesystem::path& archive) {
  std::string error;
  auto h = ArchiveHistory::open(archive, error);
  int64_t rows = 0;
  if (h)
    h->rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow&) {
      ++rows;
      return true;
    });
  return rows;
}

// The disk fills while the second of the import's transactions is written
// (the first, 14 days of some 20,000 rows, takes 1.3 MB of the 1.5 MB a
// file may take):
// the import stops with the archive's reason and counts exactly the rows
// the archive kept, and importing again adds the rest.
TEST(WeatherLogImport, AFullDiskStopsTheImportCountingOnlyTheRowsStored) {
  testing::TempFolder folder;
  const auto logs = folder.path() / "logs";
  writeMinuteDays(logs, 20);
  const auto archive = folder.path() / "a.sqlite";
  const int child = testing::runWithFileSizeLimit(1536 << 10, [&] {
    std::string error;
    auto w = ArchiveWriter::open(archive, error);
    if (!w) return 10;
    const WeatherLogImport result = importWeatherLogs(*w, {logs}, RegionalSettings::german());
    if (importSummaryText(result).find("abgebrochen: ") == std::string::npos) return 11;
    if (static_cast<int64_t>(result.rowsAdded) != storedRows(archive)) return 12;
    return 0;
  });
  ASSERT_EQ(child, 0);
  const int64_t kept = storedRows(archive);
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, 20 * 1440);

  std::string error;
  auto w = ArchiveWriter::open(archive, error);
  ASSERT_TRUE(w) << error;
  const WeatherLogImport again = importWeatherLogs(*w, {logs}, RegionalSettings::german());
  EXPECT_TRUE(again.error.empty()) << importSummaryText(again);
  EXPECT_EQ(again.rowsPresent, static_cast<size_t>(kept));
  EXPECT_EQ(storedRows(archive), 20 * 1440);
}

TEST(WeatherLogImport, CancelStopsBeforeTheNextFileAndAMissingPathIsListed) {
  testing::TempFolder folder;
  test::LogTreeWriter tree(folder.path() / "logs");
  tree.write({2026, 5, 1, 12, 0, 0}, 86400, 3);  // three daily files
  std::string error;
  auto w = ArchiveWriter::open(folder.path() / "a.sqlite", error);
  ASSERT_TRUE(w) << error;
  std::atomic<bool> cancel = false;
  std::vector<std::pair<size_t, size_t>> steps;
  const WeatherLogImport result = importWeatherLogs(
      *w, {folder.path() / "logs", folder.path() / "fehlt"}, RegionalSettings::german(),
      [&](size_t done, size_t total) {
        steps.emplace_back(done, total);
        if (done == 1) cancel = true;
      },
      &cancel);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.rowsAdded, 1u);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[1], std::make_pair(size_t{1}, size_t{3}));
  ASSERT_EQ(result.unread.size(), 1u);
  EXPECT_EQ(result.unread[0].file, (folder.path() / "fehlt").string());
  EXPECT_NE(importSummaryText(result).find("abgebrochen"), std::string::npos);
}

}  // namespace
}  // namespace tavik
