// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_summary.h"

#include <algorithm>
#include <map>

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

// Adds a later day's summary to its period's; ties keep the earlier time,
// as adding its rows one by one would.
void mergeDay(LogSummary& s, const LogSummary& day) {
  for (size_t c = 0; c < kLogColumnCount; ++c) {
    ColumnStats& st = s.columns[c];
    const ColumnStats& d = day.columns[c];
    if (s.rows == 0 || d.min < st.min) {
      st.min = d.min;
      st.minAt = d.minAt;
    }
    if (s.rows == 0 || d.max > st.max) {
      st.max = d.max;
      st.maxAt = d.maxAt;
    }
    st.sum += d.sum;
  }
  for (size_t p = 0; p < kCompassPoints; ++p) s.windPoints[p] += day.windPoints[p];
  s.rows += day.rows;
  ++s.days;
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

void summarizeLogDays(const WeatherLogDays& log, SummaryPeriod period,
                      const std::function<void(const LogSummary&)>& emit,
                      std::optional<LogDate> from, std::optional<LogDate> to) {
  std::map<LogDate, int> skipped;
  for (const UnreadRow& u : log.unread()) {
    if (u.date && !(from && *u.date < *from) && !(to && *to < *u.date))
      ++skipped[periodOf(*u.date, period)];
  }
  std::optional<LogSummary> current;
  const auto finish = [&] {
    if (!current) return;
    const auto it = skipped.find(current->date);
    current->skipped = it == skipped.end() ? 0 : it->second;
    emit(*current);
  };
  log.forEachDay(
      [&](const LogDate& day, const std::vector<WeatherLogRow>& rows) {
        LogSummary daySummary;
        for (const WeatherLogRow& row : rows) addRow(daySummary, row);
        const LogDate key = periodOf(day, period);
        if (current && current->date != key) {
          finish();
          current.reset();
        }
        if (!current) {
          current.emplace();
          current->date = key;
        }
        mergeDay(*current, daySummary);
      },
      from, to);
  finish();
}

}  // namespace tavik
