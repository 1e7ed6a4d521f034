// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a year of Wetterlog history: 525,600 one-minute rows in 365 daily
// files, read, sorted and summarised per day, whole or day by day.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "minute_log_tree.h"
#include "products/weather_log_columns.h"
#include "products/weather_log_summary.h"
#include "products/weather_log_tree.h"

namespace tavik {
namespace {

// 365 daily files of 1440 rows, written once per run.
const std::filesystem::path& yearOfMinutes() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-bench-XXXXXX").string();
    std::filesystem::path dir = mkdtemp(pattern.data());
    bench::writeMinuteTree(dir, 2026, 1);
    std::atexit([] { std::filesystem::remove_all(yearOfMinutes()); });
    return dir;
  }();
  return folder;
}

void BM_ReadYearOfMinuteRows(benchmark::State& state) {
  const std::filesystem::path& folder = yearOfMinutes();
  for (auto _ : state) {
    WeatherLog log;
    addWeatherLogs(folder, RegionalSettings::german(), log);
    sortWeatherLog(log);
    if (log.rows.size() != 525600 || !log.unread.empty()) state.SkipWithError("rows lost");
    benchmark::DoNotOptimize(log.rows.data());
  }
  state.SetItemsProcessed(state.iterations() * 525600);
}
BENCHMARK(BM_ReadYearOfMinuteRows)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_SummariseYearPerDay(benchmark::State& state) {
  WeatherLog log;
  addWeatherLogs(yearOfMinutes(), RegionalSettings::german(), log);
  sortWeatherLog(log);
  for (auto _ : state) {
    const auto days = summarizeLog(log, SummaryPeriod::Day);
    benchmark::DoNotOptimize(days.data());
  }
}
BENCHMARK(BM_SummariseYearPerDay)->Unit(benchmark::kMillisecond);

// The same summaries read day by day, as tavik-log reads them: each file is
// read twice, and only one day's rows are held.
void BM_StreamYearPerDay(benchmark::State& state) {
  for (auto _ : state) {
    WeatherLogDays log(RegionalSettings::german());
    log.add(yearOfMinutes());
    size_t days = 0;
    summarizeLogDays(log, SummaryPeriod::Day, [&](const LogSummary&) { ++days; });
    if (days != 365) state.SkipWithError("days lost");
  }
}
BENCHMARK(BM_StreamYearPerDay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavik
