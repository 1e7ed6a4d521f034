// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <vector>

#include "products/current_json.h"
#include "products/noaa_report.h"
#include "products/weather_log_reader.h"
#include "products/weather_log_summary.h"

namespace tavik {

// One day of the climate record: the summary of its Wetterlog columns and the
// rain it brought.
struct ClimateDay {
  LogSummary summary;
  double rainMm = 0;
};

// The Wetterlog carries the rain rate (mm/h), not an amount: a row stands for
// the time until the next row, at most an hour, so a gap in the log adds no
// invented rain. `nextSeconds` is 0 for the last row, which stands for a minute.
double rowRainMm(const WeatherLogRow& row, long long nextSeconds);

// The climate days of a sorted log, in date order.
std::vector<ClimateDay> climateDays(const WeatherLog& sorted);

// The climate days as the climate reports read them: means unrounded, the
// rain from the rate, times in local "HH:MM".
std::vector<NoaaDay> noaaDaysOf(const std::vector<ClimateDay>& days);

// The history behind the web page: read once from the Wetterlog tree and then
// extended row by row. It keeps one summary per finished day and the rows of
// the last 31 days, so its size hardly grows with the years of the log.
class WebHistory {
 public:
  static constexpr long long kRecentSeconds = 31LL * 86400;

  // Adds the rows of a log sorted by time (sortWeatherLog).
  void addRows(const WeatherLog& sorted);
  // Adds one row; a row not later than the last one is passed over.
  void addRow(const WeatherLogRow& row);

  const std::vector<ClimateDay>& finishedDays() const { return finished_; }
  // The day of the last row, summarised now; nothing before the first row.
  std::optional<ClimateDay> currentDay() const;
  const std::deque<WeatherLogRow>& recentRows() const { return recent_; }

  // The outdoor temperature, outdoor humidity and sea-level pressure extremes
  // of the rows of `today`.
  TodayExtremes extremesOf(const LogDate& today) const;

 private:
  void finishDay();

  std::vector<ClimateDay> finished_;
  WeatherLog day_;  // rows of the day of the last row
  std::deque<WeatherLogRow> recent_;
};

}  // namespace tavik
