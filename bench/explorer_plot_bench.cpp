// SPDX-License-Identifier: GPL-3.0-or-later
// Redrawing the explorer's chart over a year of one-minute rows, the first
// picture of a station archive (goal: under 0.5 s) and a step of the
// explorer through it at every range (goal: under 16 ms, one frame). The
// archive is the one named by TAVIK_BENCH_ARCHIVE (make-archive writes one
// of 20 years), otherwise two years generated for the run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTableView>
#include <QThread>
#include <QToolButton>

#include <cstdlib>
#include <memory>

#include "common/clock.h"
#include "explorer/archive_view.h"
#include "explorer/explorer_window.h"
#include "explorer/log_plot_widget.h"
#include "minute_archive.h"
#include "products/utc_time.h"
#include "products/weather_log_reader.h"

namespace tavik {
namespace {

const std::vector<SeriesPoint>& yearOfMinutes() {
  static const std::vector<SeriesPoint> rows = [] {
    std::vector<SeriesPoint> r(525600);
    const long long start = secondsOf({2026, 1, 1});
    for (size_t i = 0; i < r.size(); ++i) {
      r[i] = {start + 60 * static_cast<long long>(i), static_cast<double>(i % 600) / 10 - 20};
    }
    return r;
  }();
  return rows;
}

void redrawYear(benchmark::State& state, std::vector<LogColumn> columns) {
  const std::vector<SeriesPoint>& rows = yearOfMinutes();
  LogPlotWidget plot(RegionalSettings::german());
  plot.resize(static_cast<int>(state.range(0)), 400);
  QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
  const SeriesSource source = [&](LogColumn c, long long from, long long to, int width) {
    return plotSeries(rows, c, from, to, width);
  };
  for (auto _ : state) {
    plot.setView(source, columns, rows.front().seconds, rows.back().seconds);
    plot.render(&image);
  }
}

void BM_RedrawYearOneQuantity(benchmark::State& state) { redrawYear(state, {LogColumn::TempO}); }
BENCHMARK(BM_RedrawYearOneQuantity)->Arg(640)->Arg(1600)->Unit(benchmark::kMillisecond);

void BM_RedrawYearThreeQuantities(benchmark::State& state) {
  redrawYear(state, {LogColumn::FeuchtO, LogColumn::TempO, LogColumn::TaupO});
}
BENCHMARK(BM_RedrawYearThreeQuantities)->Arg(640)->Arg(1600)->Unit(benchmark::kMillisecond);

std::string archivePath() {
  static const std::filesystem::path path = [] {
    if (const char* given = std::getenv("TAVIK_BENCH_ARCHIVE")) return std::filesystem::path(given);
    const auto made = std::filesystem::temp_directory_path() / "tavik-bench-explorer.sqlite";
    std::filesystem::remove(made);
    std::string error;
    if (bench::writeMinuteArchive(made, 2025, 2, error) < 0) std::abort();
    return made;
  }();
  return path.string();
}

void waitForReading(const TfrmExplorer& window) {
  do {
    QCoreApplication::processEvents();
    QThread::msleep(1);
  } while (window.reading());
  QCoreApplication::processEvents();
}

// From showing the window on the station's archive to its first picture:
// the archive opened on the window's thread of work, the last day drawn.
void BM_FirstPicture(benchmark::State& state) {
  Settings settings;
  settings.ArchivDatei = archivePath();
  ManualClock clock{LocalDateTime{2045, 1, 1}};
  for (auto _ : state) {
    TfrmExplorer window(settings, clock, RegionalSettings::german());
    window.resize(1200, 800);
    window.show();
    waitForReading(window);
    auto* plot = window.findChild<LogPlotWidget*>("LogPlot");
    QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
    plot->render(&image);
  }
}
BENCHMARK(BM_FirstPicture)->Unit(benchmark::kMillisecond)->Iterations(5);

// One press of "Zurück" in the explorer at 1200 x 800 on the archive: the
// range steps back, chart and daily table are read anew and the chart is
// painted. Arg: the range button (0 day, 1 week, 2 month, 3 year, 4 all).
void BM_Step(benchmark::State& state) {
  static constexpr const char* kButtons[] = {"DayButton", "WeekButton", "MonthButton", "YearButton",
                                             "AllButton"};
  Settings settings;
  settings.ArchivDatei = archivePath();
  ManualClock clock{LocalDateTime{2045, 1, 1}};
  TfrmExplorer window(settings, clock, RegionalSettings::german());
  window.resize(1200, 800);
  window.show();
  waitForReading(window);
  const auto toTheEnd = [&] {
    window.findChild<QToolButton*>("AllButton")->click();
    window.findChild<QToolButton*>(kButtons[state.range(0)])->click();
  };
  toTheEnd();
  auto* plot = window.findChild<LogPlotWidget*>("LogPlot");
  QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
  int steps = 0;
  for (auto _ : state) {
    if (state.range(0) == 4 || ++steps % 15 == 0) {  // fifteen steps back at most
      state.PauseTiming();
      toTheEnd();
      state.ResumeTiming();
    }
    if (state.range(0) == 4) {
      window.findChild<QToolButton*>("AllButton")->click();
    } else {
      window.previousClick();
    }
    plot->render(&image);
  }
  state.counters["table_rows"] = window.findChild<QTableView*>("DailyTable")->model()->rowCount();
}
BENCHMARK(BM_Step)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The first press of "Alles" after the archive was opened: the daily
// summaries it shows were read ahead once the first picture was up.
void BM_FirstStepAll(benchmark::State& state) {
  Settings settings;
  settings.ArchivDatei = archivePath();
  ManualClock clock{LocalDateTime{2045, 1, 1}};
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<TfrmExplorer>(settings, clock, RegionalSettings::german());
    window->resize(1200, 800);
    window->show();
    waitForReading(*window);
    // As long as someone looks at the first picture before pressing.
    QElapsedTimer looking;
    looking.start();
    while (looking.elapsed() < 300) {
      QCoreApplication::processEvents();
      QThread::msleep(5);
    }
    auto* plot = window->findChild<LogPlotWidget*>("LogPlot");
    QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
    state.ResumeTiming();
    window->findChild<QToolButton*>("AllButton")->click();
    plot->render(&image);
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstStepAll)->Unit(benchmark::kMillisecond)->Iterations(5);

// The explorer's reading ahead after the first picture: the daily
// summaries of the whole archive for the chart and the table of one
// quantity (a stretch of the window's event loop).
void BM_ReadAhead(benchmark::State& state) {
  for (auto _ : state) {
    std::string error;
    const ArchiveView view(ArchiveHistory::open(archivePath(), error));
    view.keepDays(LogColumn::TempO);
  }
}
BENCHMARK(BM_ReadAhead)->Unit(benchmark::kMillisecond)->Iterations(5);

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
