// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding the web page from its history, as every tick of the web timer
// does after the first: today's extremes, the charts of the four periods,
// index.html, current.json and the climate reports of the current month and
// year, over one and over twenty years of one-minute rows (goals: under 30 ms
// and under 100 ms of CPU; index.html under 400 kB).
#include <benchmark/benchmark.h>

#include "products/noaa_report.h"
#include "products/web_page.h"
#include "products/web_product.h"

namespace tavik {
namespace {

constexpr LocalDateTime kEnd{2026, 12, 8, 14, 30, 0};

WeatherLogRow minuteRow(long long seconds, long long i) {
  WeatherLogRow r;
  r.seconds = seconds;
  auto set = [&r](LogColumn c, long long v) {
    r.stored[static_cast<size_t>(c)] = static_cast<int32_t>(v);
  };
  set(LogColumn::FeuchtO, 40 + i % 50);
  set(LogColumn::FeuchtI, 35 + i % 20);
  set(LogColumn::TempI, 200 + i % 30);
  set(LogColumn::TempO, i % 600 - 200);
  set(LogColumn::TaupI, i % 12);
  set(LogColumn::TaupO, i % 20 - 8);
  set(LogColumn::BaroL, 970 + i % 40);
  set(LogColumn::BaroS, 9800 + i % 600);
  set(LogColumn::Regen, i % 97 == 0 ? 5 : 0);
  set(LogColumn::WindS, i % 200);
  set(LogColumn::WindR, i * 7 % 360);
  set(LogColumn::Chill, i % 60 - 20);
  return r;
}

// `years` of one-minute rows up to kEnd, kept for the whole run.
const WebHistory& historyOf(int years) {
  static std::map<int, WebHistory> histories;
  auto [it, added] = histories.try_emplace(years);
  if (added) {
    const long long end = secondsOf(kEnd);
    const long long start = end - years * 365LL * 86400;
    long long i = 0;
    for (long long s = start; s < end; s += 60) it->second.addRow(minuteRow(s, i++));
  }
  return it->second;
}

std::string rebuild(const WebHistory& h, const WeatherRecord& w, const StationState& s) {
  const RegionalSettings& rs = RegionalSettings::german();
  const CurrentJsonInput current{w,
                                 s,
                                 "Wetterstation",
                                 kEnd,
                                 kEnd,
                                 false,
                                 60,
                                 h.extremesOf({kEnd.year, kEnd.month, kEnd.day})};
  WebPageData data;
  data.periods = buildChartPeriods(h, kEnd);
  std::vector<ClimateDay> days = h.finishedDays();
  days.push_back(*h.currentDay());
  const std::vector<NoaaDay> noaaDays = noaaDaysOf(days);
  NoaaStation station;
  station.name = "Wetterstation";
  const std::string month = noaaMonthReport(noaaDays, kEnd.year, kEnd.month, station);
  const std::string year = noaaYearReport(noaaDays, kEnd.year, station);
  const std::string json = currentJson(current);
  return webPage({current, data, 5, rs});
}

void rebuildOver(benchmark::State& state) {
  const WebHistory& h = historyOf(static_cast<int>(state.range(0)));
  WeatherRecord w;
  StationState s;
  s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  size_t pageBytes = 0;
  for (auto _ : state) {
    const std::string page = rebuild(h, w, s);
    pageBytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["index.html kB"] = static_cast<double>(pageBytes) / 1024.0;
  state.counters["days"] = static_cast<double>(h.finishedDays().size());
}
BENCHMARK(rebuildOver)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace tavik
