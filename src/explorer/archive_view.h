// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "common/regional.h"
#include "explorer/daily_table.h"
#include "explorer/plot_series.h"
#include "products/weather_log_columns.h"
#include "products/weather_log_reader.h"

namespace tavik {

// The explorer's view of a station archive: what the chart draws and the
// table shows of a stretch, read through the archive's time index each
// time, so that a step costs what the pixels need, not what the archive
// holds. A stretch of a few days comes from its rows, up to about a week
// from the hourly aggregates, a longer one from the daily summaries. Times
// are seconds since 1 January 1970 of local time, as the explorer counts
// them. Used on one thread.
class ArchiveView {
 public:
  explicit ArchiveView(std::unique_ptr<ArchiveHistory> archive);

  // The local seconds of the first and the last row; empty for an empty
  // archive.
  std::optional<long long> first() const { return first_; }
  std::optional<long long> last() const { return last_; }

  // The series of `column` over [from, to] on `width` pixel columns.
  PlotSeries series(LogColumn column, long long from, long long to, int width) const;
  // One table row per day of [from, to) that has rows.
  std::vector<DailyTableRow> table(LogColumn column, long long from, long long to,
                                   const RegionalSettings& rs) const;

  // Stretches up to this long are drawn from rows, up to kLongestHourly
  // from hours.
  static constexpr long long kLongestFromRows = 3 * 86400;
  static constexpr long long kLongestHourly = 8 * 86400;

 private:
  std::unique_ptr<ArchiveHistory> archive_;
  std::optional<long long> first_;
  std::optional<long long> last_;
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
