// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a year of Wetterlog history: 525,600 one-minute rows in 365 daily
// files, read, sorted and summarised per day.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "common/text_file.h"
#include "products/weather_log.h"
#include "products/weather_log_columns.h"
#include "products/weather_log_summary.h"
#include "products/weather_log_tree.h"

namespace tavik {
namespace {

// A record that changes from minute to minute.
WeatherRecord minuteWeather(long long i) {
  WeatherRecord w;
  w.HumOut.Current = static_cast<uint8_t>(40 + i % 50);
  w.HumIn.Current = static_cast<uint8_t>(35 + i % 20);
  w.TempIn.Current = static_cast<int32_t>(200 + i % 30);
  w.TempOut.Current = static_cast<int32_t>(i % 600 - 200);
  w.DewIn.Current = static_cast<int32_t>(i % 12);
  w.DewOut.Current = static_cast<int32_t>(i % 20 - 8);
  w.Baro.Local = static_cast<uint16_t>(970 + i % 40);
  w.Baro.SeaLevel = static_cast<uint16_t>(9800 + i % 600);
  w.Baro.Trend = static_cast<uint8_t>(i % 2 == 0 ? 1 : 4);
  w.Baro.Forecast = static_cast<uint8_t>(i % 3 == 0 ? 2 : 8);
  w.Rain.Rate = static_cast<uint16_t>(i % 97 == 0 ? 5 : 0);
  w.Wind.Speed = static_cast<uint16_t>(i % 200);
  w.Wind.Dir = static_cast<uint16_t>(i * 7 % 360);
  w.Chill.Current = static_cast<int32_t>(i % 60 - 20);
  return w;
}

// 365 daily files of 1440 rows, written once per run.
const std::filesystem::path& yearOfMinutes() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-bench-XXXXXX").string();
    std::filesystem::path dir = mkdtemp(pattern.data());
    const RegionalSettings& rs = RegionalSettings::german();
    long long i = 0;
    for (LocalDateTime day{2026, 1, 1}; day.year == 2026; day = addSeconds(day, 86400)) {
      TextFileWriter file;
      file.open(dir / ("t" + formatShortDate(day.year, day.month, day.day, rs) + ".txt"),
                TextFileWriter::Mode::Truncate);
      file.writeLine(kWeatherLogHeader);
      for (int minute = 0; minute < 1440; ++minute, ++i)
        file.writeLine(formatWeatherLogRow(minuteWeather(i), addSeconds(day, minute * 60), rs));
      file.close();
    }
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

}  // namespace
}  // namespace tavik
