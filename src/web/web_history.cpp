// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_history.h"

#include <algorithm>
#include <cmath>

namespace tavik {
namespace {

constexpr long long kShortestRowSeconds = 60;
constexpr long long kLongestRowSeconds = 3600;

// The interval the log was written with at row i: the time since the row
// before (for the first row, until the next), between a minute and an hour.
long long intervalAt(const std::vector<WeatherLogRow>& rows, size_t i) {
  long long gap = kShortestRowSeconds;
  if (i > 0) {
    gap = rows[i].seconds - rows[i - 1].seconds;
  } else if (i + 1 < rows.size()) {
    gap = rows[i + 1].seconds - rows[i].seconds;
  }
  return std::clamp(gap, kShortestRowSeconds, kLongestRowSeconds);
}

// The rain of rows [first, end) of a day; the day's last row stands until
// the next day's first, as every other row until its next.
double dayRainMm(const std::vector<WeatherLogRow>& rows, size_t first, size_t end) {
  double mm = 0;
  for (size_t i = first; i < end; ++i) {
    mm += rowRainMm(rows[i], i + 1 < rows.size() ? rows[i + 1].seconds : 0, intervalAt(rows, i));
  }
  return mm;
}

double scaleOf(LogColumn c) { return layoutOf(c).decimals == 1 ? 10.0 : 1.0; }

std::string clockOf(long long seconds) {
  const LocalDateTime t = timeOfSeconds(seconds);
  return twoDigits(t.hour) + ":" + twoDigits(t.minute);
}

}  // namespace

std::vector<NoaaDay> noaaDaysOf(const std::vector<ClimateDay>& days) {
  std::vector<NoaaDay> out;
  out.reserve(days.size());
  for (const ClimateDay& d : days) {
    const LogSummary& s = d.summary;
    NoaaDay n;
    n.year = s.date.year;
    n.month = s.date.month;
    n.day = s.date.day;
    n.count = s.rows;
    if (s.rows > 0) {
      const ColumnStats& t = s.stats(LogColumn::TempO);
      const ColumnStats& w = s.stats(LogColumn::WindS);
      const double ts = scaleOf(LogColumn::TempO), ws = scaleOf(LogColumn::WindS);
      n.meanTemp = static_cast<double>(t.sum) / s.rows / ts;
      n.maxTemp = t.max / ts;
      n.minTemp = t.min / ts;
      n.maxTempTime = clockOf(t.maxAt);
      n.minTempTime = clockOf(t.minAt);
      n.rainMm = d.rainMm;
      n.meanWind = static_cast<double>(w.sum) / s.rows / ws;
      n.maxWind = w.max / ws;
      n.maxWindTime = clockOf(w.maxAt);
      n.prevailingDir = static_cast<int>(std::lround(s.prevailingPoint() * 22.5)) % 360;
    }
    out.push_back(std::move(n));
  }
  return out;
}

double rowRainMm(const WeatherLogRow& row, long long nextSeconds, long long intervalSeconds) {
  const long long span = nextSeconds > row.seconds
                             ? std::min(nextSeconds - row.seconds, intervalSeconds)
                             : intervalSeconds;
  return row.value(LogColumn::Regen) * static_cast<double>(span) / 3600.0;
}

std::vector<ClimateDay> climateDays(const WeatherLog& sorted) {
  std::vector<ClimateDay> days;
  const std::vector<LogSummary> summaries = summarizeLog(sorted, SummaryPeriod::Day);
  size_t row = 0;
  for (const LogSummary& s : summaries) {
    while (row < sorted.rows.size() && sorted.rows[row].date() < s.date) ++row;
    size_t end = row;
    while (end < sorted.rows.size() && sorted.rows[end].date() == s.date) ++end;
    days.push_back({s, dayRainMm(sorted.rows, row, end)});
    row = end;
  }
  return days;
}

}  // namespace tavik
