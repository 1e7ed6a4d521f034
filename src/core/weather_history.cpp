// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/weather_history.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "products/weather_log_tree.h"

namespace tavik {

namespace {

using Q = HistoryQuantity;

size_t indexOf(Q q) { return static_cast<size_t>(q); }

// The Wetterlog column of each quantity.
constexpr std::array<LogColumn, kHistoryQuantities> kLogColumnOf{
    LogColumn::FeuchtI, LogColumn::FeuchtO, LogColumn::TempI, LogColumn::TempO, LogColumn::BaroS,
    LogColumn::TaupI,   LogColumn::TaupO,   LogColumn::Regen, LogColumn::WindS, LogColumn::Chill};

}  // namespace

long long minuteOf(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

long long WeatherHistory::nowMinute() const { return minuteOf(clock_.now()); }

void WeatherHistory::record(const WeatherRecord& w, const StationState& s) {
  const long long now = nowMinute();
  const auto take = [&](Q q, bool seen, double value) {
    if (!seen) return;
    std::deque<HistoryPoint>& samples = samples_[indexOf(q)];
    // The clock went back: what lies after now no longer fits the order.
    while (!samples.empty() && samples.back().minute > now) samples.pop_back();
    if (!samples.empty() && samples.back().minute == now) {
      samples.back().value = value;
    } else {
      samples.push_back({now, value});
    }
    forgetOld(samples, now);
  };
  take(Q::HumIn, s.seen8F && !w.HumIn.OutOfRange, w.HumIn.Current);
  take(Q::HumOut, s.seen8F && !w.HumOut.OutOfRange, w.HumOut.Current);
  take(Q::TempIn, s.seen9F, w.TempIn.Current / 10.0);
  take(Q::TempOut, s.seen9F, w.TempOut.Current / 10.0);
  take(Q::SeaLevel, s.seenAF, w.Baro.SeaLevel / 10.0);
  take(Q::DewIn, s.seenAF && !w.DewIn.OutOfRange, w.DewIn.Current);
  take(Q::DewOut, s.seenAF && !w.DewOut.OutOfRange, w.DewOut.Current);
  take(Q::RainRate, s.seenBF && !w.Rain.RateOutOfRange, w.Rain.Rate);
  take(Q::Wind, s.seenCF, w.Wind.Speed / 10.0);
  take(Q::Chill, s.seenCF, w.Chill.Current);
}

void WeatherHistory::add(Q q, long long minute, double value) {
  const long long now = nowMinute();
  if (minute > now || minute <= now - kKeptMinutes) return;
  std::deque<HistoryPoint>& samples = samples_[indexOf(q)];
  const auto at = std::lower_bound(samples.begin(), samples.end(), minute,
                                   [](const HistoryPoint& p, long long m) { return p.minute < m; });
  if (at != samples.end() && at->minute == minute) {
    at->value = value;
  } else {
    samples.insert(at, {minute, value});
  }
}

std::vector<HistoryPoint> WeatherHistory::points(Q q, long long minutes) const {
  const long long now = nowMinute();
  std::vector<HistoryPoint> out;
  for (const HistoryPoint& p : samples_[indexOf(q)]) {
    if (p.minute > now - minutes && p.minute <= now) out.push_back(p);
  }
  return out;
}

void WeatherHistory::forgetOld(std::deque<HistoryPoint>& samples, long long now) const {
  while (!samples.empty() && samples.front().minute <= now - kKeptMinutes) samples.pop_front();
}

void fillHistoryFromWeatherLog(WeatherHistory& history, const std::filesystem::path& folder,
                               const RegionalSettings& regional) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return;
  const auto recent = fs::file_time_type::clock::now() - std::chrono::hours(25);
  WeatherLog log;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error) || it->last_write_time(error) < recent) continue;
    addWeatherLogs(it->path(), regional, log);
  }
  for (const WeatherLogRow& row : log.rows) {
    const long long minute = minuteOf(row.time());
    for (size_t i = 0; i < kHistoryQuantities; ++i) {
      history.add(static_cast<Q>(i), minute, row.value(kLogColumnOf[i]));
    }
  }
}

}  // namespace tavik
