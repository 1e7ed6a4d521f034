// SPDX-License-Identifier: GPL-3.0-or-later
// Redrawing the explorer's chart over a year of one-minute rows (goal: under
// 16 ms, one frame): the bands are computed and painted anew each time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

#include "explorer/log_plot_widget.h"
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
