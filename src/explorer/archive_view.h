// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <bitset>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "common/regional.h"
#include "explorer/plot_series.h"
#include "products/weather_log_columns.h"
#include "products/weather_log_reader.h"

namespace tavik {

// Daily summaries as the explorer's view hands them out: the days
// [begin, end) of a list that stays as it is while it is held, whatever
// the view reads later.
struct DaySpan {
  std::shared_ptr<const std::vector<DaySummary>> days;
  size_t begin = 0;
  size_t end = 0;

  size_t size() const { return end - begin; }
  const DaySummary& operator[](size_t i) const { return (*days)[begin + i]; }
};

// The explorer's view of a station archive: what the chart draws and the
// table shows of a stretch, read through the archive's time index each
// time, so that a step costs what the pixels need, not what the archive
// holds. A stretch of a few days comes from its rows, up to about a week
// from the hourly aggregates, a longer one from the daily summaries. The
// daily summaries of stretches longer than kLongestRead are kept: those of
// the whole archive, of each quantity once asked for, read anew from the
// last day on when rows were added at the end, and whole when older days
// changed. Times are seconds since 1 January 1970 of local time, as the
// explorer counts them. Used on one thread.
class ArchiveView {
 public:
  explicit ArchiveView(std::unique_ptr<ArchiveHistory> archive);

  // The local seconds of the first and the last row; empty for an empty
  // archive. Rows written since the last look are taken in.
  std::optional<long long> first() const;
  std::optional<long long> last() const;

  // The series of `column` over [from, to] on `width` pixel columns.
  PlotSeries series(LogColumn column, long long from, long long to, int width) const;
  // The days of [from, to) that have rows, for the daily table of `column`
  // (its own aggregates, wind speed and rain rate); none for a column the
  // archive does not aggregate.
  DaySpan tableDays(LogColumn column, long long from, long long to) const;

  // Reads ahead the daily summaries of the whole archive that the chart
  // and the table of `column` show of long stretches; the first such
  // stretch then reads none.
  void keepDays(LogColumn column) const;

  // Stretches up to this long are drawn from rows, up to kLongestHourly
  // from hours.
  static constexpr long long kLongestFromRows = 3 * 86400;
  static constexpr long long kLongestHourly = 8 * 86400;
  // Daily summaries of stretches up to this many days are read each time.
  static constexpr int kLongestRead = 400;

 private:
  DaySpan days(const std::vector<ArchiveQuantity>& quantities, const ArchiveDate& first,
               const ArchiveDate& last) const;
  void follow() const;
  void keep(const std::vector<ArchiveQuantity>& quantities) const;

  std::unique_ptr<ArchiveHistory> archive_;
  // What was last seen of the archive; kept up to date by follow().
  mutable int64_t dataVersion_ = -2;
  mutable std::optional<long long> first_;
  mutable std::optional<long long> last_;
  // The daily summaries of the whole archive, with the aggregates of
  // keptQuantities_; empty until a long stretch asks for them.
  mutable std::shared_ptr<const std::vector<DaySummary>> kept_;
  mutable std::bitset<kArchiveQuantityCount> keptQuantities_;
};

// The archive quantity the explorer shows for a Wetterlog column; empty for
// a column the archive does not aggregate (wind direction).
std::optional<ArchiveQuantity> archiveQuantityOf(LogColumn column);

// Opening for the explorer, which runs it away from its window's thread:
// an archive file is opened as it is; a Wetterlog file or folder is first
// read into a new archive at `scratch`, telling `progress` how many of how
// many files are done and stopping once `cancel` is set. Gives the path of
// the archive to show, or the German reason there is none; nothing when
// cancelled.
struct ArchiveOpening {
  std::optional<std::filesystem::path> archive;
  std::optional<std::string> error;
  std::vector<UnreadRow> unread;  // rows of the Wetterlog that could not be read
};
ArchiveOpening prepareArchive(const std::filesystem::path& path,
                              const std::filesystem::path& scratch, const RegionalSettings& rs,
                              const std::function<void(size_t done, size_t total)>& progress,
                              const std::atomic<bool>* cancel);

// True when the file at `path` begins as an SQLite database does.
bool isArchiveFile(const std::filesystem::path& path);

}  // namespace tavik
