// SPDX-License-Identifier: GPL-3.0-or-later
// Redrawing the explorer's chart over a year of one-minute rows, and a step
// of the explorer through twenty years (goal: under 16 ms, one frame); the
// first picture of a long Wetterlog tree (goal: under 0.5 s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <QTableView>
#include <QToolButton>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "common/clock.h"
#include "explorer/explorer_window.h"
#include "explorer/log_history.h"
#include "explorer/log_plot_widget.h"
#include "minute_log_tree.h"
#include "products/weather_log_reader.h"

namespace tavik {
namespace {

const std::vector<WeatherLogRow>& yearOfMinutes() {
  static const std::vector<WeatherLogRow> rows = [] {
    std::vector<WeatherLogRow> r(525600);
    const long long start = secondsOf({2026, 1, 1});
    for (size_t i = 0; i < r.size(); ++i) {
      r[i].seconds = start + 60 * static_cast<long long>(i);
      r[i].stored[static_cast<size_t>(LogColumn::TempO)] = static_cast<int32_t>(i % 600) - 200;
      r[i].stored[static_cast<size_t>(LogColumn::TaupO)] = static_cast<int32_t>(i % 20) - 8;
      r[i].stored[static_cast<size_t>(LogColumn::FeuchtO)] = static_cast<int32_t>(40 + i % 50);
    }
    return r;
  }();
  return rows;
}

void redrawYear(benchmark::State& state, std::vector<LogColumn> columns) {
  const std::vector<WeatherLogRow>& rows = yearOfMinutes();
  LogPlotWidget plot(RegionalSettings::german());
  plot.resize(static_cast<int>(state.range(0)), 400);
  QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    plot.setView(&rows, columns, rows.front().seconds, rows.back().seconds);
    plot.render(&image);
  }
}

void BM_RedrawYearOneQuantity(benchmark::State& state) { redrawYear(state, {LogColumn::TempO}); }
BENCHMARK(BM_RedrawYearOneQuantity)->Arg(640)->Arg(1600)->Unit(benchmark::kMillisecond);

void BM_RedrawYearThreeQuantities(benchmark::State& state) {
  redrawYear(state, {LogColumn::FeuchtO, LogColumn::TempO, LogColumn::TaupO});
}
BENCHMARK(BM_RedrawYearThreeQuantities)->Arg(640)->Arg(1600)->Unit(benchmark::kMillisecond);

// Twenty years of one-minute rows, 10.5 million, summarised per day and
// per hour once, as a reading does.
std::shared_ptr<const LogHistory> twentyYears() {
  static const std::shared_ptr<const LogHistory> history = [] {
    auto h = std::make_shared<LogHistory>();
    const long long start = secondsOf({2007, 1, 1});
    const long long end = secondsOf({2027, 1, 1});
    h->log.rows.resize(static_cast<size_t>((end - start) / 60));
    for (size_t i = 0; i < h->log.rows.size(); ++i) {
      WeatherLogRow& r = h->log.rows[i];
      r.seconds = start + 60 * static_cast<long long>(i);
      r.stored[static_cast<size_t>(LogColumn::TempO)] = static_cast<int32_t>(i % 600) - 200;
      r.stored[static_cast<size_t>(LogColumn::WindS)] = static_cast<int32_t>(i % 200);
    }
    finishHistory(*h);
    return h;
  }();
  return history;
}

// One press of "Zurück" in the explorer at 1200 x 800 with twenty years
// loaded: the range steps back, chart and daily table are built anew and
// the chart is painted. Arg: the range button (0 day, 1 week, 2 month,
// 3 year).
void BM_StepThroughTwentyYears(benchmark::State& state) {
  static constexpr const char* kButtons[] = {"DayButton", "WeekButton", "MonthButton",
                                             "YearButton"};
  Settings settings;
  settings.LogOrdner.clear();  // nothing to read when shown
  ManualClock clock{LocalDateTime{2027, 1, 1}};
  TfrmExplorer window(settings, clock, RegionalSettings::german());
  window.resize(1200, 800);
  window.show();
  QCoreApplication::processEvents();
  window.showHistory(twentyYears(), QStringLiteral("zwanzig Jahre"));
  // Back to the end of the log: everything, then the range ending there.
  const auto toTheEnd = [&] {
    window.findChild<QToolButton*>("AllButton")->click();
    window.findChild<QToolButton*>(kButtons[state.range(0)])->click();
  };
  toTheEnd();
  auto* plot = window.findChild<LogPlotWidget*>("LogPlot");
  QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
  int steps = 0;
  for (auto _ : state) {
    if (++steps % 15 == 0) {  // fifteen years back at most
      state.PauseTiming();
      toTheEnd();
      state.ResumeTiming();
    }
    window.previousClick();
    plot->render(&image);
  }
  state.counters["table_rows"] = window.findChild<QTableView*>("DailyTable")->model()->rowCount();
}
BENCHMARK(BM_StepThroughTwentyYears)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// A Wetterlog tree to open: the one named by TAVIK_BENCH_LOG_TREE (for
// example twenty years from make-log-tree), otherwise two years written
// once per run.
std::filesystem::path logTree() {
  if (const char* given = std::getenv("TAVIK_BENCH_LOG_TREE")) return given;
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-bench-XXXXXX").string();
    std::filesystem::path dir = mkdtemp(pattern.data());
    bench::writeMinuteTree(dir, 2025, 2);
    std::atexit([] { std::filesystem::remove_all(logTree()); });
    return dir;
  }();
  return folder;
}

// From opening the tree to the first picture: the newest file is read and
// its last day drawn; the rest of the reading is then called off.
void BM_FirstPictureOfATree(benchmark::State& state) {
  const std::filesystem::path tree = logTree();
  LogPlotWidget plot(RegionalSettings::german());
  plot.resize(1000, 500);
  QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    std::atomic<bool> cancel = false;
    std::shared_ptr<const LogHistory> early;
    HistoryReading reading;
    reading.cancel = &cancel;
    reading.early = [&](std::shared_ptr<const LogHistory> h) {
      early = std::move(h);
      cancel = true;
    };
    readHistory(tree, RegionalSettings::german(), reading);
    if (!early) {
      state.SkipWithError("no early part");
      break;
    }
    const long long last = early->log.rows.back().seconds;
    plot.setView(&early->log.rows, {LogColumn::TempO}, last - 86400, last);
    plot.render(&image);
  }
}
BENCHMARK(BM_FirstPictureOfATree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavik

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
