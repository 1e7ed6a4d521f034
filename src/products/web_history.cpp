// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_history.h"

#include <algorithm>

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

}  // namespace

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
