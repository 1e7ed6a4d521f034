// SPDX-License-Identifier: GPL-3.0-or-later
// The station archive: writing one row (goal: under 1 ms), and reading
// spans of it through the index. The readers run on the archive named by
// TAVIK_BENCH_ARCHIVE (make-archive writes one of 20 years), otherwise on a
// year generated for the run.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "minute_archive.h"

namespace tavik::bench {
namespace {

const std::filesystem::path& readArchive() {
  static const std::filesystem::path path = [] {
    if (const char* given = std::getenv("TAVIK_BENCH_ARCHIVE")) return std::filesystem::path(given);
    const auto made = std::filesystem::temp_directory_path() / "tavik-bench-archive.sqlite";
    std::filesystem::remove(made);
    std::string error;
    if (writeMinuteArchive(made, 2020, 1, error) < 0) std::abort();
    return made;
  }();
  return path;
}

std::unique_ptr<ArchiveHistory> openHistory() {
  std::string error;
  auto h = ArchiveHistory::open(readArchive(), error);
  if (!h) std::abort();
  return h;
}

void BM_WriteRow(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / "tavik-bench-write.sqlite";
  std::filesystem::remove(path);
  std::string error;
  auto writer = ArchiveWriter::open(path, error);
  const int64_t start = startOfLocalDay({2026, 1, 1});
  long long i = 0;
  for (auto _ : state) {
    if (writer->write(minuteRow(start, i++)) != ArchiveWriter::Result::Added) {
      state.SkipWithError(writer->lastError().c_str());
      break;
    }
  }
  writer.reset();
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + "-wal");
  std::filesystem::remove(path.string() + "-shm");
}
BENCHMARK(BM_WriteRow)->Unit(benchmark::kMicrosecond);

void BM_OpenArchive(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(openHistory());
}
BENCHMARK(BM_OpenArchive)->Unit(benchmark::kMicrosecond);

// The rows of the last `span` seconds of the archive, streamed.
void BM_Rows(benchmark::State& state) {
  auto h = openHistory();
  const int64_t last = h->lastTime().value_or(0);
  const int64_t span = state.range(0);
  long long rows = 0;
  for (auto _ : state) {
    h->rows(last - span, last + 1, [&](const ArchiveRow& r) {
      benchmark::DoNotOptimize(r.tempOut);
      ++rows;
      return true;
    });
  }
  state.counters["rows"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Rows)->Arg(86400)->Arg(31 * 86400)->Arg(365 * 86400)->Unit(benchmark::kMillisecond);

void BM_HourlyWeek(benchmark::State& state) {
  auto h = openHistory();
  const int64_t last = h->lastTime().value_or(0);
  for (auto _ : state)
    benchmark::DoNotOptimize(h->hourly(ArchiveQuantity::TempOut, last - 7 * 86400, last + 1));
}
BENCHMARK(BM_HourlyWeek)->Unit(benchmark::kMillisecond);

// The hourly aggregates of the last `span` seconds, as long charts read them.
void BM_Hourly(benchmark::State& state) {
  auto h = openHistory();
  const int64_t last = h->lastTime().value_or(0);
  size_t hours = 0;
  for (auto _ : state)
    hours = h->hourly(ArchiveQuantity::TempOut, last - state.range(0), last + 1).size();
  state.counters["hours"] = static_cast<double>(hours);
}
BENCHMARK(BM_Hourly)->Arg(31 * 86400)->Arg(365 * 86400)->Unit(benchmark::kMillisecond);

// The rain of each of the last 31 days, one span each, as a chart's bars.
void BM_RainPerDayOfMonth(benchmark::State& state) {
  auto h = openHistory();
  const int64_t last = h->lastTime().value_or(0);
  for (auto _ : state) {
    for (int d = 31; d > 0; --d)
      benchmark::DoNotOptimize(h->rainBetween(last - d * 86400, last - (d - 1) * 86400));
  }
}
BENCHMARK(BM_RainPerDayOfMonth)->Unit(benchmark::kMillisecond);

// The daily summaries of the last year, and of every day in the archive.
void BM_Days(benchmark::State& state) {
  auto h = openHistory();
  const ArchiveDate last = localDateOf(h->lastTime().value_or(0));
  const ArchiveDate first =
      state.range(0) == 0 ? ArchiveDate{0, 1, 1} : ArchiveDate{last.year - 1, last.month, last.day};
  size_t days = 0;
  for (auto _ : state) days = h->days(first, last).size();
  state.counters["days"] = static_cast<double>(days);
}
BENCHMARK(BM_Days)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One quantity's daily summaries over the whole archive, as a chart of it.
void BM_DaysOfOneQuantity(benchmark::State& state) {
  auto h = openHistory();
  const ArchiveDate last = localDateOf(h->lastTime().value_or(0));
  for (auto _ : state) benchmark::DoNotOptimize(h->days({0, 1, 1}, last, ArchiveQuantity::TempOut));
}
BENCHMARK(BM_DaysOfOneQuantity)->Unit(benchmark::kMillisecond);

void BM_RainOfYear(benchmark::State& state) {
  auto h = openHistory();
  const int64_t last = h->lastTime().value_or(0);
  for (auto _ : state) benchmark::DoNotOptimize(h->rainBetween(last - 365 * 86400, last + 1));
}
BENCHMARK(BM_RainOfYear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavik::bench

BENCHMARK_MAIN();
