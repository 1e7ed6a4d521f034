// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/log_history.h"

#include <algorithm>
#include <system_error>
#include <variant>

#include "products/weather_log_tree.h"

namespace tavik {

namespace {

namespace fs = std::filesystem;

constexpr long long kDay = 86400;

long long dayStart(long long seconds) {
  return (seconds >= 0 ? seconds / kDay : (seconds - kDay + 1) / kDay) * kDay;
}

long long dayStart(const LogDate& d) { return secondsOf(LocalDateTime{d.year, d.month, d.day}); }

// The file under `path` changed last, when there are several.
std::optional<fs::path> newestOfSeveral(const fs::path& path) {
  auto listed = weatherLogFiles(path);
  const auto* files = std::get_if<std::vector<fs::path>>(&listed);
  if (files == nullptr || files->size() < 2) return std::nullopt;
  std::optional<fs::path> newest;
  fs::file_time_type newestTime{};
  for (const fs::path& file : *files) {
    std::error_code ec;
    const fs::file_time_type t = fs::last_write_time(file, ec);
    if (!ec && (!newest || t > newestTime)) {
      newest = file;
      newestTime = t;
    }
  }
  return newest;
}

}  // namespace

void finishHistory(LogHistory& history) {
  sortWeatherLog(history.log);
  history.days = summarizeLog(history.log, SummaryPeriod::Day);
  history.hours = hourBlocks(history.log.rows);
}

std::span<const WeatherLogRow> rowsBetween(const std::vector<WeatherLogRow>& rows, long long from,
                                           long long to) {
  const auto before = [](const WeatherLogRow& r, long long t) { return r.seconds < t; };
  const auto first = std::lower_bound(rows.begin(), rows.end(), from, before);
  const auto last = std::lower_bound(first, rows.end(), to + 1, before);
  return {first, last};
}

std::span<const LogSummary> daysBetween(const std::vector<LogSummary>& days, long long from,
                                        long long to) {
  const long long first = dayStart(from), last = dayStart(std::max(from, to - 1));
  const auto before = [](const LogSummary& s, long long t) { return dayStart(s.date) < t; };
  const auto begin = std::lower_bound(days.begin(), days.end(), first, before);
  const auto end = std::lower_bound(begin, days.end(), last + 1, before);
  return {begin, end};
}

HistoryResult readHistory(const fs::path& path, const RegionalSettings& rs,
                          const HistoryReading& reading) {
  const auto cancelled = [&] { return reading.cancel != nullptr && reading.cancel->load(); };
  if (const std::optional<fs::path> newest = newestOfSeveral(path); newest && reading.early) {
    auto early = std::make_shared<LogHistory>();
    std::string error;
    if (addWeatherLogFile(*newest, rs, early->log, error) == LogFileResult::Read &&
        !early->log.rows.empty()) {
      finishHistory(*early);
      if (cancelled()) return {};
      reading.early(std::move(early));
    }
  }
  auto history = std::make_shared<LogHistory>();
  const std::optional<std::string> error =
      addWeatherLogs(path, rs, history->log, [&](size_t done, size_t total) {
        if (reading.progress) reading.progress(done, total);
        return !cancelled();
      });
  if (cancelled()) return {};
  if (error) return {nullptr, error};
  finishHistory(*history);
  return {std::move(history), std::nullopt};
}

}  // namespace tavik
