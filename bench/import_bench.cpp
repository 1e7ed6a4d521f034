// SPDX-License-Identifier: GPL-3.0-or-later
// Importing Wetterlog files into the archive: a month of one-minute rows
// (44,640 rows) in daily files and in one monthly file, into a new archive
// and again into one that holds them. Twenty years is 240 such months (goal:
// under 2 minutes): make-log-tree writes such a tree for `tavik-log import`.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "minute_log_tree.h"
#include "products/weather_log_import.h"

namespace tavik::bench {
namespace {

constexpr size_t kMonthRows = 31 * 1440;

// A January of one-minute rows in `layout`, written once per run.
std::filesystem::path monthTree(const LogLayout& layout) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tavik-bench-XXXXXX").string();
  const std::filesystem::path dir = mkdtemp(pattern.data());
  // A whole year is written and all but January removed: the tree writer
  // counts in years.
  writeMinuteTree(dir, 2026, 1, layout);
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".01.26") == std::string::npos && name.find("Januar") == std::string::npos)
      std::filesystem::remove_all(entry.path());
  }
  return dir;
}

void removeArchive(const std::filesystem::path& path) {
  for (const char* end : {"", "-wal", "-shm"}) std::filesystem::remove(path.string() + end);
}

void importMonth(benchmark::State& state, const LogLayout& layout, bool again) {
  const std::filesystem::path tree = monthTree(layout);
  const std::filesystem::path archive = tree / "archive.sqlite";
  for (auto _ : state) {
    if (!again) {
      state.PauseTiming();
      removeArchive(archive);
      state.ResumeTiming();
    }
    std::string error;
    auto writer = ArchiveWriter::open(archive, error);
    const WeatherLogImport result = importWeatherLogs(*writer, {tree}, RegionalSettings::german());
    if (result.rowsRead != kMonthRows || !result.error.empty()) state.SkipWithError("rows lost");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kMonthRows));
  std::filesystem::remove_all(tree);
}

void BM_ImportMonthOfDailyFiles(benchmark::State& state) { importMonth(state, {}, false); }
BENCHMARK(BM_ImportMonthOfDailyFiles)->Unit(benchmark::kMillisecond);

void BM_ImportMonthlyFile(benchmark::State& state) { importMonth(state, {2, true}, false); }
BENCHMARK(BM_ImportMonthlyFile)->Unit(benchmark::kMillisecond);

// Every row is already in the archive.
void BM_ImportMonthAgain(benchmark::State& state) { importMonth(state, {}, true); }
BENCHMARK(BM_ImportMonthAgain)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavik::bench
