// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archive_writer.h"

#include <sqlite3.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <map>
#include <numbers>

#include "archive/archive_database.h"
#include "archive/archive_fields.h"
#include "archive/archive_history.h"
#include "archive/hour_summary.h"
#include "archive/row_rain.h"
#include "common/clock.h"

namespace tavik {

namespace {

// What a day's summary gains from the rows written since the last flush.
struct DayDelta {
  int64_t rows = 0;
  int64_t first = std::numeric_limits<int64_t>::max();
  int64_t last = std::numeric_limits<int64_t>::min();
  double rain = 0;
  double windRun = 0;  // km
  double windX = 0;
  double windY = 0;
  std::array<QuantityAggregate, kArchiveQuantityCount> quantities{};
};

// A neighbour of a row, as far as its rain needs it.
struct Neighbour {
  RainSample sample;
  std::optional<double> rain;
};

std::string insertSql() {
  std::string columns = "time, interval, console_time";
  std::string values = "?, ?, ?";
  for (const ArchiveField& f : kArchiveFields) {
    columns += ", ";
    columns += f.column;
    values += ", ?";
  }
  return "INSERT OR IGNORE INTO archive (" + columns + ", battery_low, rain) VALUES (" + values +
         ", ?, ?)";
}

void bindOptional(sqlite3_stmt* s, int index, const std::optional<int64_t>& v) {
  if (v)
    sqlite3_bind_int64(s, index, *v);
  else
    sqlite3_bind_null(s, index);
}

void bindOptional(sqlite3_stmt* s, int index, const std::optional<double>& v) {
  if (v)
    sqlite3_bind_double(s, index, *v);
  else
    sqlite3_bind_null(s, index);
}

std::optional<int32_t> columnInt(sqlite3_stmt* s, int index) {
  if (sqlite3_column_type(s, index) == SQLITE_NULL) return std::nullopt;
  return sqlite3_column_int(s, index);
}

RainSample sampleOf(const ArchiveRow& row) {
  return {row.time, row.interval, row.rainRate, row.rainTotal};
}

// The local day of a UTC time as localDateOf gives it, asking the system
// for the zone's offset once per UTC hour rather than once per row. An hour
// with the same offset at its first and its last second has it throughout;
// in any other hour each time is asked on its own.
class LocalDays {
 public:
  ArchiveDate operator()(int64_t utc) {
    const int64_t hour = hourOf(utc);
    if (hour != hour_) {
      hour_ = hour;
      const long start = offsetAt(hour);
      uniform_ = start == offsetAt(hour + 3599);
      offset_ = start;
    }
    if (!uniform_) return localDateOf(utc);
    const int64_t local = utc + offset_;
    ArchiveDate date;
    civilFromDays((local - ((local % 86400) + 86400) % 86400) / 86400, date.year, date.month,
                  date.day);
    return date;
  }

 private:
  static long offsetAt(int64_t utc) {
    const time_t t = static_cast<time_t>(utc);
    tm local{};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
  }

  int64_t hour_ = std::numeric_limits<int64_t>::min();
  long offset_ = 0;
  bool uniform_ = false;
};

}  // namespace

struct ArchiveWriter::State {
  std::unique_ptr<ArchiveDatabase> db;
  Statement insert;
  Statement before;
  Statement after;
  Statement near;
  Statement setRain;
  Statement upsertTotal;
  Statement upsertSummary;
  HourTables hours;
  std::map<std::string, DayDelta> pending;
  std::map<int64_t, HourDelta> pendingHours;
  // The day and the hour a row was last added to, so that the next row of
  // the same day and hour finds its summaries without a look-up.
  LocalDays localDays;
  ArchiveDate lastDate;
  DayDelta* lastDay = nullptr;
  int64_t lastHour = 0;
  HourDelta* lastHourDelta = nullptr;
  // The row stored last and the two rows after it in the archive (none when
  // it is the newest), known while this connection holds the write lock
  // since it was stored: a row between it and the next one needs no
  // look-up, so that rows written in time order (an import, before rows
  // the archive holds or after them) cost one statement each.
  struct Gap {
    Neighbour last;
    std::optional<Neighbour> after;
    std::optional<Neighbour> afterNext;
  };
  std::optional<Gap> gap;

  explicit State(std::unique_ptr<ArchiveDatabase> database)
      : db(std::move(database)), hours(db->handle()) {
    sqlite3* h = db->handle();
    insert = Statement(h, insertSql());
    before = Statement(h,
                       "SELECT time, interval, rain_rate, rain_total, rain FROM archive "
                       "WHERE time < ? ORDER BY time DESC LIMIT 1");
    after = Statement(h,
                      "SELECT time, interval, rain_rate, rain_total, rain FROM archive "
                      "WHERE time > ? ORDER BY time LIMIT 1");
    near = Statement(h, "SELECT 1 FROM archive WHERE time > ? AND time < ? LIMIT 1");
    setRain = Statement(h, "UPDATE archive SET rain = ? WHERE time = ?");
    upsertTotal = Statement(
        h,
        "INSERT INTO day_total (day, rows, first_time, last_time, rain, wind_run, wind_x, wind_y) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (day) DO UPDATE SET "
        "rows = rows + excluded.rows, first_time = min(first_time, excluded.first_time), "
        "last_time = max(last_time, excluded.last_time), rain = rain + excluded.rain, "
        "wind_run = wind_run + excluded.wind_run, wind_x = wind_x + excluded.wind_x, "
        "wind_y = wind_y + excluded.wind_y");
    // Ties keep the earlier time, so that the order rows arrive in does not
    // change the summary.
    upsertSummary = Statement(
        h,
        "INSERT INTO day_summary (day, quantity, min, min_time, max, max_time, sum, count) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (day, quantity) DO UPDATE SET "
        "min_time = CASE WHEN excluded.min < min OR (excluded.min = min AND "
        "excluded.min_time < min_time) THEN excluded.min_time ELSE min_time END, "
        "min = min(min, excluded.min), "
        "max_time = CASE WHEN excluded.max > max OR (excluded.max = max AND "
        "excluded.max_time < max_time) THEN excluded.max_time ELSE max_time END, "
        "max = max(max, excluded.max), "
        "sum = sum + excluded.sum, count = count + excluded.count");
  }

  bool prepared() const {
    return insert.valid() && before.valid() && after.valid() && near.valid() && setRain.valid() &&
           upsertTotal.valid() && upsertSummary.valid() && hours.prepared();
  }

  // The row next to `time` in the direction of `statement`, if any.
  std::optional<Neighbour> neighbour(Statement& statement, int64_t time, bool& ok) {
    sqlite3_stmt* s = statement.get();
    sqlite3_bind_int64(s, 1, time);
    const int rc = sqlite3_step(s);
    std::optional<Neighbour> found;
    if (rc == SQLITE_ROW) {
      Neighbour n;
      n.sample.time = sqlite3_column_int64(s, 0);
      n.sample.interval = sqlite3_column_int(s, 1);
      n.sample.rate = columnInt(s, 2);
      n.sample.total = columnInt(s, 3);
      if (sqlite3_column_type(s, 4) != SQLITE_NULL) n.rain = sqlite3_column_double(s, 4);
      found = n;
    } else if (rc != SQLITE_DONE) {
      ok = false;
    }
    statement.reset();
    return found;
  }

  bool hasRowNear(int64_t time, int32_t seconds, bool& ok) {
    sqlite3_stmt* s = near.get();
    sqlite3_bind_int64(s, 1, time - seconds);
    sqlite3_bind_int64(s, 2, time + seconds);
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) ok = false;
    near.reset();
    return rc == SQLITE_ROW;
  }

  // Gives the stored row at `n` the rain `rain`, moving its day's total.
  bool changeRain(const Neighbour& n, const std::optional<double>& rain) {
    if (rain == n.rain) return true;
    sqlite3_stmt* s = setRain.get();
    bindOptional(s, 1, rain);
    sqlite3_bind_int64(s, 2, n.sample.time);
    const bool done = sqlite3_step(s) == SQLITE_DONE;
    setRain.reset();
    const double change = rain.value_or(0) - n.rain.value_or(0);
    dayDelta(n.sample.time).rain += change;
    hourDelta(n.sample.time).rain += change;
    return done;
  }

  DayDelta& dayDelta(int64_t time) {
    const ArchiveDate date = localDays(time);
    if (!lastDay || date != lastDate) {
      lastDate = date;
      lastDay = &pending[dayText(date)];
    }
    return *lastDay;
  }

  HourDelta& hourDelta(int64_t time) {
    const int64_t hour = hourOf(time);
    if (!lastHourDelta || hour != lastHour) {
      lastHour = hour;
      lastHourDelta = &pendingHours[hour];
    }
    return *lastHourDelta;
  }

  bool insertRow(const ArchiveRow& row, bool& added) {
    sqlite3_stmt* s = insert.get();
    int i = 1;
    sqlite3_bind_int64(s, i++, row.time);
    sqlite3_bind_int(s, i++, row.interval);
    bindOptional(s, i++, row.consoleTime);
    for (const ArchiveField& f : kArchiveFields) {
      const std::optional<int32_t>& v = row.*f.member;
      bindOptional(s, i++, v ? std::optional<int64_t>(*v) : std::nullopt);
    }
    bindOptional(s, i++,
                 row.batteryLow ? std::optional<int64_t>(*row.batteryLow ? 1 : 0) : std::nullopt);
    bindOptional(s, i++, row.rain);
    const bool done = sqlite3_step(s) == SQLITE_DONE;
    added = done && sqlite3_changes(db->handle()) > 0;
    insert.reset();
    return done;
  }

  void addToSummaries(const ArchiveRow& row) {
    DayDelta& d = dayDelta(row.time);
    ++d.rows;
    d.first = std::min(d.first, row.time);
    d.last = std::max(d.last, row.time);
    d.rain += row.rain.value_or(0);
    if (row.windSpeed) {
      const double speed = *row.windSpeed / 10.0;
      d.windRun += speed * row.interval / 1000.0;
      if (row.windDir && speed > 0) {
        const double angle = *row.windDir * std::numbers::pi / 180.0;
        d.windX += speed * std::sin(angle);
        d.windY += speed * std::cos(angle);
      }
    }
    for (int q = 0; q < kArchiveQuantityCount; ++q) {
      if (const std::optional<double> v = quantityValue(row, static_cast<ArchiveQuantity>(q)))
        d.quantities[static_cast<size_t>(q)].add(*v, row.time);
    }
    hourDelta(row.time).add(row);
  }

  bool flush() {
    for (const auto& [day, d] : pending) {
      sqlite3_stmt* t = upsertTotal.get();
      sqlite3_bind_text(t, 1, day.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int64(t, 2, d.rows);
      sqlite3_bind_int64(t, 3, d.first);
      sqlite3_bind_int64(t, 4, d.last);
      sqlite3_bind_double(t, 5, d.rain);
      sqlite3_bind_double(t, 6, d.windRun);
      sqlite3_bind_double(t, 7, d.windX);
      sqlite3_bind_double(t, 8, d.windY);
      const bool done = sqlite3_step(t) == SQLITE_DONE;
      upsertTotal.reset();
      if (!done) return false;
      for (size_t q = 0; q < d.quantities.size(); ++q) {
        const QuantityAggregate& a = d.quantities[q];
        if (a.count == 0) continue;
        sqlite3_stmt* s = upsertSummary.get();
        sqlite3_bind_text(s, 1, day.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, fieldOf(static_cast<ArchiveQuantity>(q)).column, -1, SQLITE_STATIC);
        bindAggregate(s, 3, a);
        const bool ok = sqlite3_step(s) == SQLITE_DONE;
        upsertSummary.reset();
        if (!ok) return false;
      }
    }
    // Hours an older archive's renewal has not reached yet it works out
    // from the rows later.
    const int64_t complete = db->hourTablesFrom();
    for (const auto& [hour, d] : pendingHours)
      if (hour >= complete && !hours.add(hour, d)) return false;
    discard();
    return true;
  }

  // Forgets the summaries gathered since the last flush.
  void discard() {
    pending.clear();
    pendingHours.clear();
    lastDay = nullptr;
    lastHourDelta = nullptr;
  }

  // Stores one row inside the open transaction.
  bool store(ArchiveRow row, int32_t nearSeconds, Result& result) {
    bool ok = true;
    std::optional<Neighbour> before;
    std::optional<Neighbour> after;
    std::optional<Neighbour> afterNext;
    if (gap && row.time > gap->last.sample.time &&
        (!gap->after || row.time < gap->after->sample.time)) {
      if (row.time - gap->last.sample.time < nearSeconds ||
          (gap->after && gap->after->sample.time - row.time < nearSeconds)) {
        result = Result::Present;
        return true;
      }
      before = gap->last;
      after = gap->after;
      afterNext = gap->afterNext;
    } else {
      if (nearSeconds > 0 && hasRowNear(row.time, nearSeconds, ok)) {
        result = Result::Present;
        return true;
      }
      if (!ok) return false;
      before = neighbour(this->before, row.time, ok);
      after = neighbour(this->after, row.time, ok);
      if (after) afterNext = neighbour(this->after, after->sample.time, ok);
      if (!ok) return false;
    }
    const RainSample self = sampleOf(row);
    row.rain = rowRain(self, before ? &before->sample : nullptr, after ? &after->sample : nullptr);
    bool added = false;
    if (!insertRow(row, added)) return false;
    if (!added) {
      result = Result::Present;
      return true;
    }
    result = Result::Added;
    addToSummaries(row);
    // The row before is capped by the time to this one; the row after counts
    // the counter from this one.
    if (before && before->sample.rate && row.time - before->sample.time < before->sample.interval) {
      std::optional<Neighbour> first = neighbour(this->before, before->sample.time, ok);
      if (!ok ||
          !changeRain(*before, rowRain(before->sample, first ? &first->sample : nullptr, &self)))
        return false;
    }
    if (after) {
      const std::optional<double> rain =
          rowRain(after->sample, &self, afterNext ? &afterNext->sample : nullptr);
      if (!changeRain(*after, rain)) return false;
      after->rain = rain;
    }
    gap = Gap{Neighbour{self, row.rain}, after, afterNext};
    return true;
  }
};

ArchiveWriter::ArchiveWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}
ArchiveWriter::~ArchiveWriter() {
  if (inBatch_) commitBatch();
}

std::unique_ptr<ArchiveWriter> ArchiveWriter::open(const std::filesystem::path& path,
                                                   std::string& error) {
  auto db = ArchiveDatabase::open(path, ArchiveDatabase::Mode::Write, error);
  if (!db) return nullptr;
  auto state = std::make_unique<State>(std::move(db));
  if (!state->prepared()) {
    error = state->db->failure("öffnen");
    return nullptr;
  }
  return std::unique_ptr<ArchiveWriter>(new ArchiveWriter(std::move(state)));
}

ArchiveWriter::Result ArchiveWriter::write(const ArchiveRow& row, int32_t nearSeconds) {
  const bool own = !inBatch_;
  if (own && !state_->db->exec("BEGIN IMMEDIATE")) {
    lastError_ = state_->db->failure("schreiben");
    return Result::Failed;
  }
  Result result = Result::Failed;
  bool ok = state_->store(row, nearSeconds, result);
  if (ok && own) ok = state_->flush() && state_->db->exec("COMMIT");
  if (own || !ok) state_->gap.reset();
  if (!ok) {
    lastError_ = state_->db->failure("schreiben");
    state_->db->exec("ROLLBACK");
    state_->discard();
    inBatch_ = false;
    return Result::Failed;
  }
  lastError_.clear();
  return result;
}

bool ArchiveWriter::beginBatch() {
  if (inBatch_) return true;
  if (!state_->db->exec("BEGIN IMMEDIATE")) {
    lastError_ = state_->db->failure("schreiben");
    return false;
  }
  inBatch_ = true;
  return true;
}

bool ArchiveWriter::commitBatch() {
  if (!inBatch_) return true;
  inBatch_ = false;
  state_->gap.reset();
  if (state_->flush() && state_->db->exec("COMMIT")) return true;
  lastError_ = state_->db->failure("schreiben");
  state_->db->exec("ROLLBACK");
  state_->discard();
  return false;
}

const std::string& ArchiveWriter::lastError() const { return lastError_; }

const std::string& ArchiveWriter::notice() const { return state_->db->notice(); }

}  // namespace tavik
