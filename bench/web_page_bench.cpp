// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding the web page from the station archive, as every tick of the
// web timer does after the first: today's extremes, the charts of the four
// periods, index.html, current.json and the climate reports of the current
// month and year (goal: under 30 ms of CPU; index.html under 400 kB). Runs
// on the archive named by TAVIK_BENCH_ARCHIVE (make-archive writes one of 20
// years), otherwise on a year generated for the run.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "minute_archive.h"
#include "products/utc_time.h"
#include "web/noaa_days.h"
#include "web/noaa_report.h"
#include "web/web_charts.h"
#include "web/web_page.h"

namespace tavik::bench {
namespace {

std::unique_ptr<ArchiveHistory> openArchive() {
  static const std::filesystem::path path = [] {
    if (const char* given = std::getenv("TAVIK_BENCH_ARCHIVE")) return std::filesystem::path(given);
    const auto made = std::filesystem::temp_directory_path() / "tavik-bench-web.sqlite";
    std::filesystem::remove(made);
    std::string error;
    if (writeMinuteArchive(made, 2026, 1, error) < 0) std::abort();
    return made;
  }();
  std::string error;
  auto h = ArchiveHistory::open(path, error);
  if (!h) std::abort();
  return h;
}

void BM_RebuildPage(benchmark::State& state) {
  const std::unique_ptr<ArchiveHistory> archive = openArchive();
  const LocalDateTime end = localOfUtc(archive->lastTime().value_or(0));
  const RegionalSettings& rs = RegionalSettings::german();
  WeatherRecord w;
  StationState s;
  s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  size_t pageBytes = 0;
  for (auto _ : state) {
    TodayExtremes today;
    // The page's extremes read the days of the year (the all-time ones
    // once a day).
    for (const DaySummary& d : archive->days({end.year, 1, 1}, {end.year, end.month, end.day})) {
      benchmark::DoNotOptimize(d.rows);
    }
    const CurrentJsonInput current{w, s, "Wetterstation", end, end, false, 60, today};
    WebPageData data;
    data.periods = buildChartPeriods(*archive, end);
    const NoaaStation station{"W", {}, {}, {}};
    const std::string month =
        noaaMonthReport(noaaDaysOf(*archive, end.year, end.month), end.year, end.month, station);
    const std::string year = noaaYearReport(noaaDaysOf(*archive, end.year, 0), end.year, station);
    const std::string json = currentJson(current);
    const std::string page = webPage({current, data, 5, rs});
    pageBytes = page.size();
    benchmark::DoNotOptimize(page.data());
    benchmark::DoNotOptimize(month.data());
    benchmark::DoNotOptimize(year.data());
  }
  state.counters["index.html kB"] = static_cast<double>(pageBytes) / 1024.0;
}
BENCHMARK(BM_RebuildPage)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace tavik::bench

BENCHMARK_MAIN();
