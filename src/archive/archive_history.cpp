// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archive_history.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "archive/archive_database.h"
#include "archive/archive_fields.h"
#include "archive/hour_summary.h"

namespace tavik {

namespace {

std::string selectColumns() {
  std::string columns = "time, interval, console_time";
  for (const ArchiveField& f : kArchiveFields) {
    columns += ", ";
    columns += f.column;
  }
  return columns + ", battery_low, rain";
}

std::optional<int32_t> columnInt(sqlite3_stmt* s, int index) {
  if (sqlite3_column_type(s, index) == SQLITE_NULL) return std::nullopt;
  return sqlite3_column_int(s, index);
}

ArchiveRow rowOf(sqlite3_stmt* s) {
  ArchiveRow row;
  int i = 0;
  row.time = sqlite3_column_int64(s, i++);
  row.interval = sqlite3_column_int(s, i++);
  if (sqlite3_column_type(s, i) != SQLITE_NULL) row.consoleTime = sqlite3_column_int64(s, i);
  ++i;
  for (const ArchiveField& f : kArchiveFields) row.*f.member = columnInt(s, i++);
  if (const auto low = columnInt(s, i++)) row.batteryLow = *low != 0;
  if (sqlite3_column_type(s, i) != SQLITE_NULL) row.rain = sqlite3_column_double(s, i);
  return row;
}

// Times far beyond any row, brought into a range in which hours can be
// worked out without overflow.
int64_t bounded(int64_t t) { return std::clamp<int64_t>(t, -(int64_t{1} << 62), int64_t{1} << 62); }

std::optional<int> quantityIndex(const unsigned char* column) {
  if (!column) return std::nullopt;
  const std::string name(reinterpret_cast<const char*>(column));
  for (int q = 0; q < kArchiveQuantityCount; ++q)
    if (name == fieldOf(static_cast<ArchiveQuantity>(q)).column) return q;
  return std::nullopt;
}

// A day as the summary tables key it ("JJJJ-MM-TT"), from the text of
// column `index` of `s`.
std::optional<ArchiveDate> dateOf(sqlite3_stmt* s, int index) {
  const char* p = reinterpret_cast<const char*>(sqlite3_column_text(s, index));
  if (!p) return std::nullopt;
  const char* end = p + sqlite3_column_bytes(s, index);
  ArchiveDate d;
  for (int* part : {&d.year, &d.month, &d.day}) {
    if (part != &d.year && (p == end || *p++ != '-')) return std::nullopt;
    const auto [next, ec] = std::from_chars(p, end, *part);
    if (ec != std::errc()) return std::nullopt;
    p = next;
  }
  return d;
}

// Puts the aggregates that `values` yields (day, min, min_time, max,
// max_time, sum, count, in day order; then the quantity unless `q` says
// which it is) into the matching days; false when reading failed.
bool readAggregates(sqlite3_stmt* values, std::optional<int> q, std::vector<DaySummary>& days) {
  size_t at = 0;
  int rc;
  while ((rc = sqlite3_step(values)) == SQLITE_ROW) {
    const auto date = dateOf(values, 0);
    const auto which = q ? q : quantityIndex(sqlite3_column_text(values, 7));
    if (!date || !which) continue;
    while (at < days.size() && days[at].date < *date) ++at;
    if (at == days.size()) break;
    if (days[at].date != *date) continue;
    QuantityAggregate& a = days[at].quantities[static_cast<size_t>(*which)];
    a.min = sqlite3_column_double(values, 1);
    a.minTime = sqlite3_column_int64(values, 2);
    a.max = sqlite3_column_double(values, 3);
    a.maxTime = sqlite3_column_int64(values, 4);
    a.sum = sqlite3_column_double(values, 5);
    a.count = sqlite3_column_int64(values, 6);
  }
  return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

}  // namespace

ArchiveHistory::ArchiveHistory(std::unique_ptr<ArchiveDatabase> db) : db_(std::move(db)) {}
ArchiveHistory::~ArchiveHistory() = default;

std::unique_ptr<ArchiveHistory> ArchiveHistory::open(const std::filesystem::path& path,
                                                     std::string& error) {
  auto db = ArchiveDatabase::open(path, ArchiveDatabase::Mode::Read, error);
  if (!db) return nullptr;
  return std::unique_ptr<ArchiveHistory>(new ArchiveHistory(std::move(db)));
}

bool ArchiveHistory::rows(int64_t from, int64_t to,
                          const std::function<bool(const ArchiveRow&)>& row) const {
  Statement s(db_->handle(), "SELECT " + selectColumns() +
                                 " FROM archive WHERE time >= ? AND time < ? ORDER BY time");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return false;
  }
  sqlite3_bind_int64(s.get(), 1, from);
  sqlite3_bind_int64(s.get(), 2, to);
  int rc;
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
    if (!row(rowOf(s.get()))) return true;
  if (rc != SQLITE_DONE) {
    lastError_ = db_->failure("lesen");
    return false;
  }
  return true;
}

std::vector<HourAggregate> ArchiveHistory::hourly(ArchiveQuantity q, int64_t from,
                                                  int64_t to) const {
  from = bounded(from);
  // Hours the tables do not hold yet (an older archive being renewed) are
  // gathered from their rows.
  const int64_t tablesFrom = std::max(hourOf(from), db_->hourTablesFrom());
  std::vector<HourAggregate> hours;
  if (hourOf(from) < tablesFrom &&
      !hourlyOfRows(q, hourOf(from), std::min(tablesFrom, bounded(to)), hours))
    return hours;
  if (tablesFrom >= to) return hours;
  Statement s(db_->handle(),
              "SELECT hour, min, min_time, max, max_time, sum, count FROM hour_summary "
              "WHERE quantity = ? AND hour >= ? AND hour < ? ORDER BY hour");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return hours;
  }
  sqlite3_bind_text(s.get(), 1, fieldOf(q).column, -1, SQLITE_STATIC);
  sqlite3_bind_int64(s.get(), 2, tablesFrom);
  sqlite3_bind_int64(s.get(), 3, to);
  int rc;
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
    HourAggregate h;
    h.hourStart = sqlite3_column_int64(s.get(), 0);
    h.value.min = sqlite3_column_double(s.get(), 1);
    h.value.minTime = sqlite3_column_int64(s.get(), 2);
    h.value.max = sqlite3_column_double(s.get(), 3);
    h.value.maxTime = sqlite3_column_int64(s.get(), 4);
    h.value.sum = sqlite3_column_double(s.get(), 5);
    h.value.count = sqlite3_column_int64(s.get(), 6);
    hours.push_back(h);
  }
  if (rc != SQLITE_DONE) lastError_ = db_->failure("lesen");
  return hours;
}

// The hours starting in [from, to), each whole, from the rows.
bool ArchiveHistory::hourlyOfRows(ArchiveQuantity q, int64_t from, int64_t to,
                                  std::vector<HourAggregate>& hours) const {
  const int64_t end = to > hourOf(to) ? hourOf(to) + 3600 : to;
  return rows(from, end, [&](const ArchiveRow& row) {
    if (const std::optional<double> v = quantityValue(row, q)) {
      if (hours.empty() || hours.back().hourStart != hourOf(row.time))
        hours.push_back({hourOf(row.time), {}});
      hours.back().value.add(*v, row.time);
    }
    return true;
  });
}

std::vector<DaySummary> ArchiveHistory::days(const ArchiveDate& first,
                                             const ArchiveDate& last) const {
  return readDays(first, last, nullptr);
}

std::vector<DaySummary> ArchiveHistory::days(const ArchiveDate& first, const ArchiveDate& last,
                                             ArchiveQuantity q) const {
  const std::vector<ArchiveQuantity> only{q};
  return readDays(first, last, &only);
}

std::vector<DaySummary> ArchiveHistory::days(const ArchiveDate& first, const ArchiveDate& last,
                                             const std::vector<ArchiveQuantity>& only) const {
  return readDays(first, last, &only);
}

std::vector<DaySummary> ArchiveHistory::readDays(const ArchiveDate& first, const ArchiveDate& last,
                                                 const std::vector<ArchiveQuantity>* only) const {
  std::vector<DaySummary> days;
  Statement count(db_->handle(), "SELECT count(*) FROM day_total WHERE day >= ? AND day <= ?");
  Statement totals(db_->handle(),
                   "SELECT day, rows, first_time, last_time, rain, wind_run, wind_x, wind_y "
                   "FROM day_total WHERE day >= ? AND day <= ? ORDER BY day");
  if (!count.valid() || !totals.valid()) {
    lastError_ = db_->failure("lesen");
    return days;
  }
  const std::string from = dayText(first);
  const std::string to = dayText(last);
  for (sqlite3_stmt* s : {count.get(), totals.get()}) {
    sqlite3_bind_text(s, 1, from.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 2, to.c_str(), -1, SQLITE_TRANSIENT);
  }
  // Room for all days at once: a long span holds thousands of them.
  if (sqlite3_step(count.get()) == SQLITE_ROW)
    days.reserve(static_cast<size_t>(sqlite3_column_int64(count.get(), 0)));
  sqlite3_stmt* t = totals.get();
  int rc;
  while ((rc = sqlite3_step(t)) == SQLITE_ROW) {
    const auto date = dateOf(t, 0);
    if (!date) continue;
    DaySummary& d = days.emplace_back();
    d.date = *date;
    d.rows = sqlite3_column_int64(t, 1);
    d.firstTime = sqlite3_column_int64(t, 2);
    d.lastTime = sqlite3_column_int64(t, 3);
    // Sums of many small fractions: rounded to the tenth of a millimetre
    // the counter and the rate can give, so that 0.1 + 0.2 shows as 0.3.
    d.rain = std::round(sqlite3_column_double(t, 4) * 1e6) / 1e6;
    d.windRun = sqlite3_column_double(t, 5);
    const double x = sqlite3_column_double(t, 6);
    const double y = sqlite3_column_double(t, 7);
    d.windX = x;
    d.windY = y;
    if (std::hypot(x, y) > 1e-9) {
      int dir = static_cast<int>(std::lround(std::atan2(x, y) * 180.0 / std::numbers::pi));
      d.prevailingDir = (dir + 360) % 360;
    }
  }
  if (rc != SQLITE_DONE) lastError_ = db_->failure("lesen");
  if (only) {
    addAggregates(days, *only);
    return days;
  }
  Statement values(db_->handle(),
                   "SELECT day, min, min_time, max, max_time, sum, count, quantity "
                   "FROM day_summary WHERE day >= ? AND day <= ? ORDER BY day");
  if (!values.valid()) {
    lastError_ = db_->failure("lesen");
    return days;
  }
  sqlite3_bind_text(values.get(), 1, from.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(values.get(), 2, to.c_str(), -1, SQLITE_TRANSIENT);
  if (!readAggregates(values.get(), std::nullopt, days)) lastError_ = db_->failure("lesen");
  return days;
}

bool ArchiveHistory::addAggregates(std::vector<DaySummary>& days,
                                   const std::vector<ArchiveQuantity>& quantities) const {
  if (days.empty() || quantities.empty()) return true;
  // One quantity at a time: each comes in day order from its index, where
  // several at once would have to be sorted by day first.
  Statement values(db_->handle(),
                   "SELECT day, min, min_time, max, max_time, sum, count FROM day_summary "
                   "WHERE quantity = ? AND day >= ? AND day <= ? ORDER BY day");
  if (!values.valid()) {
    lastError_ = db_->failure("lesen");
    return false;
  }
  const std::string from = dayText(days.front().date);
  const std::string to = dayText(days.back().date);
  for (const ArchiveQuantity q : quantities) {
    values.reset();
    sqlite3_bind_text(values.get(), 1, fieldOf(q).column, -1, SQLITE_STATIC);
    sqlite3_bind_text(values.get(), 2, from.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(values.get(), 3, to.c_str(), -1, SQLITE_TRANSIENT);
    if (!readAggregates(values.get(), static_cast<int>(q), days)) {
      lastError_ = db_->failure("lesen");
      return false;
    }
  }
  return true;
}

QuantityAggregate ArchiveHistory::dailyExtremes(ArchiveQuantity q, const ArchiveDate& first,
                                                const ArchiveDate& last,
                                                std::optional<ArchiveQuantity> orElse) const {
  // One pass through the index by quantity, in date order, each day's
  // summary of `q` before the one of `orElse`.
  Statement s(db_->handle(),
              "SELECT day, min, min_time, max, max_time FROM day_summary "
              "WHERE quantity IN (?3, ?4) AND day >= ?1 AND day <= ?2 ORDER BY day, quantity = ?3 "
              "DESC");
  QuantityAggregate a;
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return a;
  }
  const std::string from = dayText(first), to = dayText(last);
  sqlite3_bind_text(s.get(), 1, from.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(s.get(), 2, to.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(s.get(), 3, fieldOf(q).column, -1, SQLITE_STATIC);
  if (orElse)
    sqlite3_bind_text(s.get(), 4, fieldOf(*orElse).column, -1, SQLITE_STATIC);
  else
    sqlite3_bind_null(s.get(), 4);
  std::string day;
  int rc;
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0));
    if (!text || day == text) continue;  // the day's stand-in after its own value
    day = text;
    // Strictly lower or higher: of equal extremes the earlier day's stays.
    const double low = sqlite3_column_double(s.get(), 1);
    const double high = sqlite3_column_double(s.get(), 3);
    if (!a.min || low < *a.min) {
      a.min = low;
      a.minTime = sqlite3_column_int64(s.get(), 2);
    }
    if (!a.max || high > *a.max) {
      a.max = high;
      a.maxTime = sqlite3_column_int64(s.get(), 4);
    }
  }
  if (rc != SQLITE_DONE) lastError_ = db_->failure("lesen");
  return a;
}

std::optional<double> ArchiveHistory::rainOfDays(const ArchiveDate& first,
                                                 const ArchiveDate& last) const {
  Statement s(db_->handle(),
              "SELECT rain FROM day_total WHERE day >= ? AND day <= ? AND rows > 0 ORDER BY day");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return std::nullopt;
  }
  const std::string from = dayText(first), to = dayText(last);
  sqlite3_bind_text(s.get(), 1, from.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(s.get(), 2, to.c_str(), -1, SQLITE_TRANSIENT);
  std::optional<double> rain;
  int rc;
  // Each day rounded as days() rounds it, so that the sum is the same.
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
    rain = rain.value_or(0) + std::round(sqlite3_column_double(s.get(), 0) * 1e6) / 1e6;
  if (rc != SQLITE_DONE) lastError_ = db_->failure("lesen");
  return rain;
}

double ArchiveHistory::rainBetween(int64_t from, int64_t to) const {
  // Whole hours from the hour table, the rows of the hours cut at either
  // end from the rows.
  from = bounded(from);
  to = bounded(to);
  const int64_t firstHour = from == hourOf(from) ? from : hourOf(from) + 3600;
  const int64_t lastHour = hourOf(to);
  if (firstHour >= lastHour) return std::round(rainOfRows(from, to) * 1e6) / 1e6;
  // Hours the tables do not hold yet (an older archive being renewed) are
  // read from the rows.
  const int64_t tablesFrom = std::clamp(db_->hourTablesFrom(), firstHour, lastHour);
  double rain = rainOfRows(from, tablesFrom) + rainOfRows(lastHour, to);
  if (tablesFrom == lastHour) return std::round(rain * 1e6) / 1e6;
  Statement s(db_->handle(), "SELECT total(rain) FROM hour_total WHERE hour >= ? AND hour < ?");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return 0;
  }
  sqlite3_bind_int64(s.get(), 1, tablesFrom);
  sqlite3_bind_int64(s.get(), 2, lastHour);
  if (sqlite3_step(s.get()) != SQLITE_ROW) {
    lastError_ = db_->failure("lesen");
    return 0;
  }
  rain += sqlite3_column_double(s.get(), 0);
  return std::round(rain * 1e6) / 1e6;
}

double ArchiveHistory::rainOfRows(int64_t from, int64_t to) const {
  if (from >= to) return 0;
  Statement s(db_->handle(), "SELECT total(rain) FROM archive WHERE time >= ? AND time < ?");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return 0;
  }
  sqlite3_bind_int64(s.get(), 1, from);
  sqlite3_bind_int64(s.get(), 2, to);
  if (sqlite3_step(s.get()) != SQLITE_ROW) {
    lastError_ = db_->failure("lesen");
    return 0;
  }
  return sqlite3_column_double(s.get(), 0);
}

namespace {

std::optional<int64_t> oneTime(ArchiveDatabase& db, const char* sql, std::string& error) {
  Statement s(db.handle(), sql);
  if (!s.valid()) {
    error = db.failure("lesen");
    return std::nullopt;
  }
  const int rc = sqlite3_step(s.get());
  if (rc == SQLITE_ROW && sqlite3_column_type(s.get(), 0) != SQLITE_NULL)
    return sqlite3_column_int64(s.get(), 0);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) error = db.failure("lesen");
  return std::nullopt;
}

}  // namespace

std::optional<int64_t> ArchiveHistory::firstTime() const {
  return oneTime(*db_, "SELECT time FROM archive ORDER BY time LIMIT 1", lastError_);
}

std::optional<int64_t> ArchiveHistory::lastTime() const {
  return oneTime(*db_, "SELECT time FROM archive ORDER BY time DESC LIMIT 1", lastError_);
}

std::vector<CounterSample> ArchiveHistory::counterSamples(int64_t since) const {
  std::vector<CounterSample> samples;
  Statement s(db_->handle(),
              "SELECT time, rain_total FROM archive WHERE time >= ? AND rain_total IS NOT NULL "
              "ORDER BY time");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return samples;
  }
  sqlite3_bind_int64(s.get(), 1, since);
  int rc;
  while ((rc = sqlite3_step(s.get())) == SQLITE_ROW)
    samples.push_back({sqlite3_column_int64(s.get(), 0), sqlite3_column_int(s.get(), 1)});
  if (rc != SQLITE_DONE) lastError_ = db_->failure("lesen");
  return samples;
}

int64_t ArchiveHistory::dataVersion() const {
  Statement s(db_->handle(), "PRAGMA data_version");
  if (!s.valid() || sqlite3_step(s.get()) != SQLITE_ROW) {
    lastError_ = db_->failure("lesen");
    return -1;
  }
  return sqlite3_column_int64(s.get(), 0);
}

int64_t ArchiveHistory::rowsBefore(const ArchiveDate& date) const {
  Statement s(db_->handle(), "SELECT total(rows) FROM day_total WHERE day < ?");
  if (!s.valid()) {
    lastError_ = db_->failure("lesen");
    return -1;
  }
  const std::string day = dayText(date);
  sqlite3_bind_text(s.get(), 1, day.c_str(), -1, SQLITE_TRANSIENT);
  if (sqlite3_step(s.get()) != SQLITE_ROW) {
    lastError_ = db_->failure("lesen");
    return -1;
  }
  return static_cast<int64_t>(sqlite3_column_double(s.get(), 0));
}

const std::string& ArchiveHistory::lastError() const { return lastError_; }

const std::string& ArchiveHistory::notice() const { return db_->notice(); }

}  // namespace tavik
