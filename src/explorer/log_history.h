// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/regional.h"
#include "explorer/plot_series.h"
#include "products/weather_log_reader.h"
#include "products/weather_log_summary.h"

namespace tavik {

// The Wetterlog the explorer shows: its rows sorted by time and a summary
// of each day, computed once when it is read, so that showing a stretch of
// it costs what the stretch holds, not what the whole log holds.
struct LogHistory {
  WeatherLog log;
  std::vector<LogSummary> days;
  std::vector<HourBlock> hours;
};

// Sorts the rows and summarises the days and hours.
void finishHistory(LogHistory& history);

// The rows from `from` to `to` (both included), found by binary search.
std::span<const WeatherLogRow> rowsBetween(const std::vector<WeatherLogRow>& rows, long long from,
                                           long long to);

// The summaries of the days from the one holding `from` to the one holding
// the last second before `to`, found by binary search.
std::span<const LogSummary> daysBetween(const std::vector<LogSummary>& days, long long from,
                                        long long to);

// Reads a Wetterlog file or tree for the explorer, which runs it away from
// its window's thread. When a folder holds more than one file, the file
// changed last (where the station writes now) is read first and handed to
// `early`, so that the last day can be shown while the rest is read;
// `progress` hears before each file how many of how many are read. Reading
// stops, handing nothing more, once `cancel` is set.
struct HistoryReading {
  std::function<void(std::shared_ptr<const LogHistory>)> early;
  std::function<void(size_t done, size_t total)> progress;
  const std::atomic<bool>* cancel = nullptr;
};
// The whole history, or the German reason there is none; nullptr when
// cancelled.
struct HistoryResult {
  std::shared_ptr<const LogHistory> history;
  std::optional<std::string> error;
};
HistoryResult readHistory(const std::filesystem::path& path, const RegionalSettings& rs,
                          const HistoryReading& reading);

}  // namespace tavik
