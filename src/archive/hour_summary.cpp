// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/hour_summary.h"

#include <sqlite3.h>

#include "archive/archive_fields.h"

namespace tavik {

const char* const kHourTablesSql =
    "CREATE TABLE hour_total (\n"
    "  hour INTEGER PRIMARY KEY,\n"
    "  rows INTEGER NOT NULL, rain REAL NOT NULL\n"
    ");\n"
    "CREATE TABLE hour_summary (\n"
    "  quantity TEXT NOT NULL,\n"
    "  hour INTEGER NOT NULL,\n"
    "  min REAL, min_time INTEGER, max REAL, max_time INTEGER,\n"
    "  sum REAL NOT NULL, count INTEGER NOT NULL,\n"
    "  PRIMARY KEY (quantity, hour)\n"
    ") WITHOUT ROWID;\n";

const char* const kHourFillSql = "CREATE TABLE hour_fill (next INTEGER NOT NULL);\n";

int64_t hourOf(int64_t utc) { return utc - ((utc % 3600) + 3600) % 3600; }

void HourDelta::add(const ArchiveRow& row) {
  ++rows;
  rain += row.rain.value_or(0);
  for (int q = 0; q < kArchiveQuantityCount; ++q) {
    if (const std::optional<double> v = quantityValue(row, static_cast<ArchiveQuantity>(q)))
      quantities[static_cast<size_t>(q)].add(*v, row.time);
  }
}

HourTables::HourTables(sqlite3* db)
    : total_(db,
             "INSERT INTO hour_total (hour, rows, rain) VALUES (?, ?, ?) "
             "ON CONFLICT (hour) DO UPDATE SET rows = rows + excluded.rows, "
             "rain = rain + excluded.rain"),
      // Ties keep the earlier time, as in the daily summaries.
      summary_(
          db,
          "INSERT INTO hour_summary (quantity, hour, min, min_time, max, max_time, sum, count) "
          "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (quantity, hour) DO UPDATE SET "
          "min_time = CASE WHEN excluded.min < min OR (excluded.min = min AND "
          "excluded.min_time < min_time) THEN excluded.min_time ELSE min_time END, "
          "min = min(min, excluded.min), "
          "max_time = CASE WHEN excluded.max > max OR (excluded.max = max AND "
          "excluded.max_time < max_time) THEN excluded.max_time ELSE max_time END, "
          "max = max(max, excluded.max), "
          "sum = sum + excluded.sum, count = count + excluded.count") {}

bool HourTables::add(int64_t hour, const HourDelta& delta) {
  sqlite3_stmt* t = total_.get();
  sqlite3_bind_int64(t, 1, hour);
  sqlite3_bind_int64(t, 2, delta.rows);
  sqlite3_bind_double(t, 3, delta.rain);
  const bool done = sqlite3_step(t) == SQLITE_DONE;
  total_.reset();
  if (!done) return false;
  for (size_t q = 0; q < delta.quantities.size(); ++q) {
    const QuantityAggregate& a = delta.quantities[q];
    if (a.count == 0) continue;
    sqlite3_stmt* s = summary_.get();
    sqlite3_bind_text(s, 1, fieldOf(static_cast<ArchiveQuantity>(q)).column, -1, SQLITE_STATIC);
    sqlite3_bind_int64(s, 2, hour);
    bindAggregate(s, 3, a);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    summary_.reset();
    if (!ok) return false;
  }
  return true;
}

void bindAggregate(sqlite3_stmt* s, int first, const QuantityAggregate& a) {
  sqlite3_bind_double(s, first, *a.min);
  sqlite3_bind_int64(s, first + 1, a.minTime);
  sqlite3_bind_double(s, first + 2, *a.max);
  sqlite3_bind_int64(s, first + 3, a.maxTime);
  sqlite3_bind_double(s, first + 4, a.sum);
  sqlite3_bind_int64(s, first + 5, a.count);
}

int64_t fillHourTables(sqlite3* db, int64_t from, int64_t to) {
  std::string sql = "SELECT time, rain";
  for (int q = 0; q < kArchiveQuantityCount; ++q) {
    sql += ", ";
    sql += fieldOf(static_cast<ArchiveQuantity>(q)).column;
  }
  Statement rows(db, sql + " FROM archive WHERE time >= ? AND time < ? ORDER BY time");
  HourTables tables(db);
  if (!rows.valid() || !tables.prepared()) return -1;
  // The rows come in time order, so one hour is gathered at a time.
  int64_t hours = 0;
  int64_t hour = 0;
  HourDelta delta;
  sqlite3_stmt* s = rows.get();
  sqlite3_bind_int64(s, 1, from);
  sqlite3_bind_int64(s, 2, to);
  int rc;
  while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    ArchiveRow row;
    row.time = sqlite3_column_int64(s, 0);
    if (sqlite3_column_type(s, 1) != SQLITE_NULL) row.rain = sqlite3_column_double(s, 1);
    for (int q = 0; q < kArchiveQuantityCount; ++q) {
      if (sqlite3_column_type(s, q + 2) != SQLITE_NULL)
        row.*fieldOf(static_cast<ArchiveQuantity>(q)).member = sqlite3_column_int(s, q + 2);
    }
    if (delta.rows > 0 && hourOf(row.time) != hour) {
      if (!tables.add(hour, delta)) return -1;
      ++hours;
      delta = HourDelta{};
    }
    hour = hourOf(row.time);
    delta.add(row);
  }
  if (rc != SQLITE_DONE) return -1;
  if (delta.rows > 0) {
    if (!tables.add(hour, delta)) return -1;
    ++hours;
  }
  return hours;
}

}  // namespace tavik
