// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_row.h"
#include "common/clock.h"

namespace tavik {

class ArchiveDatabase;

// A local calendar day, as the daily summaries are kept.
struct ArchiveDate {
  int year = 1970;
  int month = 1;
  int day = 1;

  friend auto operator<=>(const ArchiveDate&, const ArchiveDate&) = default;
};

// Minimum and maximum with their times (UTC seconds), the sum and the count
// of one quantity over a span, in the quantity's natural unit.
struct QuantityAggregate {
  std::optional<double> min;
  int64_t minTime = 0;
  std::optional<double> max;
  int64_t maxTime = 0;
  double sum = 0;
  int64_t count = 0;

  // Adds the value `v` of a row at `time`; of equal extremes the earlier
  // time is kept, whatever order the rows come in.
  void add(double v, int64_t time) {
    if (!min || v < *min || (v == *min && time < minTime)) {
      min = v;
      minTime = time;
    }
    if (!max || v > *max || (v == *max && time < maxTime)) {
      max = v;
      maxTime = time;
    }
    sum += v;
    ++count;
  }

  // The mean, empty when no row held the quantity.
  std::optional<double> mean() const {
    return count > 0 ? std::optional<double>(sum / static_cast<double>(count)) : std::nullopt;
  }
};

// The aggregate of one quantity over one hour.
struct HourAggregate {
  int64_t hourStart = 0;  // UTC seconds, a multiple of 3600
  QuantityAggregate value;
};

// The summary of one local day, as kept beside the rows.
struct DaySummary {
  ArchiveDate date;
  int64_t rows = 0;
  int64_t firstTime = 0;  // UTC seconds of the day's first and last row
  int64_t lastTime = 0;
  std::array<QuantityAggregate, kArchiveQuantityCount> quantities{};
  double rain = 0;                   // mm, the sum of the rows' rain
  double windRun = 0;                // km, wind speed over the rows' intervals
  std::optional<int> prevailingDir;  // degrees, of the speed-weighted wind vector
  double windX = 0;                  // the speed-weighted wind vector's east and north
  double windY = 0;                  // parts, for the prevailing direction of a longer span

  const QuantityAggregate& of(ArchiveQuantity q) const {
    return quantities[static_cast<size_t>(q)];
  }
};

// One sample of the console's rain counter.
struct CounterSample {
  int64_t time = 0;   // UTC seconds
  int32_t total = 0;  // mm
};

// Reads the station archive. Every range goes through the time index and
// is streamed; nothing is read whole. Times are UTC seconds since 1970;
// days are local days of the process's time zone. Not shared between
// threads: each thread opens its own.
class ArchiveHistory {
 public:
  // Opens the archive at `path` for reading; it must exist. Returns nothing
  // and puts the German reason into `error` when it cannot be opened, is
  // not an archive, or was written by a newer version of the program.
  static std::unique_ptr<ArchiveHistory> open(const std::filesystem::path& path,
                                              std::string& error);
  ~ArchiveHistory();
  ArchiveHistory(const ArchiveHistory&) = delete;
  ArchiveHistory& operator=(const ArchiveHistory&) = delete;

  // Calls `row` for every row with from <= time < to, oldest first, until
  // it answers false. Returns false when reading failed (the reason is in
  // lastError()).
  bool rows(int64_t from, int64_t to, const std::function<bool(const ArchiveRow&)>& row) const;

  // The aggregate of `q` over each whole UTC hour that overlaps [from, to),
  // oldest first, from the hour table; hours without a value are left out.
  std::vector<HourAggregate> hourly(ArchiveQuantity q, int64_t from, int64_t to) const;

  // The daily summaries of the local days first..last (both included) that
  // have rows, oldest first.
  std::vector<DaySummary> days(const ArchiveDate& first, const ArchiveDate& last) const;

  // The same with only the aggregate of `q` read (the others stay empty),
  // for views of one quantity over long spans.
  std::vector<DaySummary> days(const ArchiveDate& first, const ArchiveDate& last,
                               ArchiveQuantity q) const;
  // The same with the aggregates of `only` read, for views of a few.
  std::vector<DaySummary> days(const ArchiveDate& first, const ArchiveDate& last,
                               const std::vector<ArchiveQuantity>& only) const;

  // Reads the daily aggregates of `quantities` into `days`, summaries in
  // date order as days() gives them, for the span they cover. False when
  // reading failed (the reason is in lastError()).
  bool addAggregates(std::vector<DaySummary>& days,
                     const std::vector<ArchiveQuantity>& quantities) const;
  // The lowest and the highest daily value of `q` over the local days
  // first..last, with their times, read through the summaries' index by
  // quantity; of equal extremes the earlier. Days without `q` take those of
  // `orElse` where given (a gust from the wind speed of imported rows). Sum
  // and count stay 0.
  QuantityAggregate dailyExtremes(ArchiveQuantity q, const ArchiveDate& first,
                                  const ArchiveDate& last,
                                  std::optional<ArchiveQuantity> orElse = std::nullopt) const;
  // The sum of the daily rain of the days first..last as days() gives it,
  // in date order; empty without a day.
  std::optional<double> rainOfDays(const ArchiveDate& first, const ArchiveDate& last) const;

  // The rain in mm of the rows with from <= time < to: the counter's rise
  // (a reset starts anew), or for rows without a counter the rate over the
  // time to the next row, at most the row's interval. Whole hours inside
  // the span are read from the hour table.
  double rainBetween(int64_t from, int64_t to) const;

  // Time of the first and of the last row; empty for an empty archive.
  std::optional<int64_t> firstTime() const;
  std::optional<int64_t> lastTime() const;

  // The rows' rain counter samples with time >= since, oldest first, for
  // seeding a rain ledger.
  std::vector<CounterSample> counterSamples(int64_t since) const;

  // A number that changes whenever another connection has written to the
  // archive since it was last asked; -1 when it could not be read.
  int64_t dataVersion() const;

  // The rows of the days before `date`, from the daily totals; -1 when
  // reading failed.
  int64_t rowsBefore(const ArchiveDate& date) const;

  // The German reason of the last failed read, empty when none failed.
  const std::string& lastError() const;

  // What opening did to the file beyond reading it (the tables renewed for
  // this version), in German; empty when nothing.
  const std::string& notice() const;

 private:
  explicit ArchiveHistory(std::unique_ptr<ArchiveDatabase> db);
  double rainOfRows(int64_t from, int64_t to) const;
  bool hourlyOfRows(ArchiveQuantity q, int64_t from, int64_t to,
                    std::vector<HourAggregate>& hours) const;
  std::vector<DaySummary> readDays(const ArchiveDate& first, const ArchiveDate& last,
                                   const std::vector<ArchiveQuantity>* only) const;
  std::unique_ptr<ArchiveDatabase> db_;
  mutable std::string lastError_;
};

// Local day of a UTC time, and the UTC time at which a local day starts, in
// the process's time zone.
ArchiveDate localDateOf(int64_t utc);
int64_t startOfLocalDay(const ArchiveDate& date);

// UTC seconds of a local wall time (the PC clock's reading).
int64_t utcOfLocal(const LocalDateTime& t);

// A day as the summary tables key it: "JJJJ-MM-TT" (ISO 8601).
std::string dayText(const ArchiveDate& date);

}  // namespace tavik
