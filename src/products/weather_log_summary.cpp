// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_summary.h"

#include <algorithm>

namespace tavik {

namespace {

LogDate periodOf(const LogDate& d, SummaryPeriod period) {
  return period == SummaryPeriod::Day ? d : LogDate{d.year, d.month, 1};
}

void addRow(LogSummary& s, const WeatherLogRow& row) {
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    ColumnStats& st = s.columns[c];
    const int32_t v = row.stored[c];
    if (s.rows == 0 || v < st.min) {
      st.min = v;
      st.minAt = row.seconds;
    }
    if (s.rows == 0 || v > st.max) {
      st.max = v;
      st.maxAt = row.seconds;
    }
    st.sum += v;
  }
  ++s.windPoints[compassPoint(row.storedValue(LogColumn::WindR))];
  ++s.rows;
}

// Adds each unread row with a known date to the summary of its period.
void countSkipped(std::vector<LogSummary>& summaries, const WeatherLog& log, SummaryPeriod period,
                  const std::optional<LogDate>& from, const std::optional<LogDate>& to) {
  for (const UnreadRow& u : log.unread) {
    if (!u.date || (from && *u.date < *from) || (to && *to < *u.date)) continue;
    const LogDate key = periodOf(*u.date, period);
    const auto it =
        std::lower_bound(summaries.begin(), summaries.end(), key,
                         [](const LogSummary& s, const LogDate& d) { return s.date < d; });
    if (it != summaries.end() && it->date == key) ++it->skipped;
  }
}

}  // namespace

long long LogSummary::meanHundredths(LogColumn c) const {
  if (rows == 0) return 0;
  // The mean of the stored values times 100 / 10^decimals, rounded exactly.
  const int64_t scaled = stats(c).sum * (layoutOf(c).decimals == 1 ? 10 : 100);
  const int64_t whole = scaled / rows;
  const int64_t rest = scaled % rows;
  if (2 * (rest < 0 ? -rest : rest) >= rows) return whole + (scaled < 0 ? -1 : 1);
  return whole;
}

size_t LogSummary::prevailingPoint() const {
  return static_cast<size_t>(std::max_element(windPoints.begin(), windPoints.end()) -
                             windPoints.begin());
}

std::vector<LogSummary> summarizeLog(const WeatherLog& log, SummaryPeriod period,
                                     std::optional<LogDate> from, std::optional<LogDate> to) {
  std::vector<LogSummary> summaries;
  LogDate lastDay;
  for (const WeatherLogRow& row : log.rows) {
    const LogDate day = row.date();
    if ((from && day < *from) || (to && *to < day)) continue;
    const LogDate key = periodOf(day, period);
    if (summaries.empty() || summaries.back().date != key) {
      summaries.push_back({});
      summaries.back().date = key;
    }
    LogSummary& s = summaries.back();
    if (s.rows == 0 || day != lastDay) ++s.days;
    lastDay = day;
    addRow(s, row);
  }
  countSkipped(summaries, log, period, from, to);
  return summaries;
}

}  // namespace tavik
