// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <set>
#include <variant>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "products/weather_log_import.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

// Sets the process's time zone for one test and puts the old one back.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    const char* old = std::getenv("TZ");
    if (old) saved_ = old;
    hadZone_ = old != nullptr;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (hadZone_)
      setenv("TZ", saved_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  ZoneGuard(const ZoneGuard&) = delete;
  ZoneGuard& operator=(const ZoneGuard&) = delete;

 private:
  std::string saved_;
  bool hadZone_ = false;
};

using Cell = std::variant<std::monostate, int64_t, double, std::string>;
using Table = std::vector<std::vector<Cell>>;

// Every row of `table`, in the order of its key.
Table readTable(const std::filesystem::path& path, const std::string& table) {
  Table rows;
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* s = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, ("SELECT * FROM " + table + " ORDER BY 1, 2").c_str(), -1, &s,
                               nullptr),
            SQLITE_OK)
      << sqlite3_errmsg(db);
  while (s && sqlite3_step(s) == SQLITE_ROW) {
    std::vector<Cell> row;
    for (int c = 0; c < sqlite3_column_count(s); ++c) {
      switch (sqlite3_column_type(s, c)) {
        case SQLITE_INTEGER:
          row.emplace_back(static_cast<int64_t>(sqlite3_column_int64(s, c)));
          break;
        case SQLITE_FLOAT:
          row.emplace_back(sqlite3_column_double(s, c));
          break;
        case SQLITE_TEXT:
          row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, c)));
          break;
        default:
          row.emplace_back(std::monostate{});
      }
    }
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
  return rows;
}

// Sums of many rows may differ in their last bits with the order they were
// added in; everything else must be the same.
bool sameCell(const Cell& a, const Cell& b) {
  if (const double* x = std::get_if<double>(&a)) {
    const double* y = std::get_if<double>(&b);
    return y && std::abs(*x - *y) <= 1e-9 * std::max(1.0, std::abs(*x));
  }
  return a == b;
}

void expectSameTables(const std::filesystem::path& a, const std::filesystem::path& b) {
  for (const char* table : {"archive", "day_summary", "day_total", "hour_total", "hour_summary"}) {
    SCOPED_TRACE(table);
    const Table x = readTable(a, table);
    const Table y = readTable(b, table);
    ASSERT_EQ(x.size(), y.size());
    EXPECT_FALSE(x.empty());
    for (size_t r = 0; r < x.size(); ++r) {
      ASSERT_EQ(x[r].size(), y[r].size());
      for (size_t c = 0; c < x[r].size(); ++c)
        EXPECT_TRUE(sameCell(x[r][c], y[r][c])) << "row " << r << ", column " << c;
    }
  }
}

std::vector<ArchiveRow> allRows(const std::filesystem::path& path) {
  std::string error;
  auto h = ArchiveHistory::open(path, error);
  EXPECT_TRUE(h) << error;
  std::vector<ArchiveRow> rows;
  if (h)
    h->rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow& r) {
      rows.push_back(r);
      return true;
    });
  return rows;
}

class WeatherLogImportTables : public ::testing::TestWithParam<const char*> {};

// Over both clock changes of the year (daily files of 10-minute rows across
// the spring one, weekly files of hourly rows across the autumn one), in a
// zone with summer time and in one half an hour off whole hours: the
// archive an import fills, partly before and partly after rows it already
// holds and around rows of the station, equals table by table the archive
// of the same rows each written in a transaction of its own, as the station
// writes them.
TEST_P(WeatherLogImportTables, EqualThoseOfRowByRowWrites) {
  const ZoneGuard zone(GetParam());
  testing::TempFolder folder;
  const auto logs = folder.path() / "logs";
  test::LogTreeWriter tree(logs);
  tree.settings.LogMonatsordner = false;
  tree.settings.LogWochenordner = false;
  std::vector<WeatherLogRow> written = tree.write({2026, 3, 27, 0, 0, 0}, 600, 5 * 144);
  tree.settings.LogUpdate = 1;
  const auto autumn = tree.write({2026, 10, 20, 0, 0, 0}, 3600, 8 * 24);
  written.insert(written.end(), autumn.begin(), autumn.end());

  // Two rows the station wrote with its rain counter, a few minutes off the
  // log's: the imported rows between them take the counter's rain from the
  // later one, and those at 11:30 and 12:00 are the same moments as theirs.
  std::vector<ArchiveRow> station(2);
  station[0].time = utcOfLocal({2026, 3, 28, 11, 33, 0});
  station[1].time = utcOfLocal({2026, 3, 28, 12, 2, 0});
  station[0].rainTotal = 100;
  station[1].rainTotal = 101;
  station[0].rainRate = station[1].rainRate = 6;

  const auto imported = folder.path() / "imported.sqlite";
  std::string error;
  {
    auto w = ArchiveWriter::open(imported, error);
    ASSERT_TRUE(w) << error;
    for (const ArchiveRow& r : station)
      ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added) << w->lastError();
    // The last two days of March first, so that the rest goes in before
    // rows that are already there.
    const WeatherLogImport first = importWeatherLogs(
        *w, {logs / "t30.03.26.txt", logs / "t31.03.26.txt"}, RegionalSettings::german());
    ASSERT_EQ(first.rowsAdded, 288u) << importSummaryText(first);
    const WeatherLogImport all = importWeatherLogs(*w, {logs}, RegionalSettings::german());
    EXPECT_TRUE(all.error.empty()) << importSummaryText(all);
    EXPECT_TRUE(all.unread.empty()) << importSummaryText(all);
    EXPECT_EQ(all.rowsRead, written.size());
    EXPECT_EQ(all.rowsAdded + all.rowsPresent, all.rowsRead);
    EXPECT_GE(all.rowsPresent, first.rowsAdded);
  }

  // Every row at the UTC time the system gives its local time, once (the
  // local times the spring change skips may fall on others).
  const std::vector<ArchiveRow> rows = allRows(imported);
  std::set<int64_t> expected;
  for (const WeatherLogRow& r : written) expected.insert(utcOfLocal(timeOfSeconds(r.seconds)));
  expected.erase(utcOfLocal({2026, 3, 28, 11, 30, 0}));
  expected.erase(utcOfLocal({2026, 3, 28, 12, 0, 0}));
  for (const ArchiveRow& r : station) expected.insert(r.time);
  std::set<int64_t> times;
  for (const ArchiveRow& r : rows) times.insert(r.time);
  EXPECT_EQ(times, expected);

  // Each row counts in the local day the system gives its time.
  std::map<std::string, int64_t> perDay;
  for (const ArchiveRow& r : rows) ++perDay[dayText(localDateOf(r.time))];
  std::map<std::string, int64_t> counted;
  for (const auto& day : readTable(imported, "day_total"))
    counted[std::get<std::string>(day[0])] = std::get<int64_t>(day[1]);
  EXPECT_EQ(counted, perDay);

  const auto oneByOne = folder.path() / "rows.sqlite";
  {
    auto w = ArchiveWriter::open(oneByOne, error);
    ASSERT_TRUE(w) << error;
    for (const ArchiveRow& r : rows)
      ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added) << w->lastError();
  }
  expectSameTables(imported, oneByOne);
}

INSTANTIATE_TEST_SUITE_P(Zones, WeatherLogImportTables,
                         ::testing::Values("Europe/Berlin", "Asia/Kolkata"));

}  // namespace
}  // namespace tavik
