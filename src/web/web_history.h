// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "products/weather_log_reader.h"
#include "products/weather_log_summary.h"
#include "web/noaa_report.h"

namespace tavik {

// One day of the climate record: the summary of its Wetterlog columns and the
// rain it brought.
struct ClimateDay {
  LogSummary summary;
  double rainMm = 0;
};

// The Wetterlog carries the rain rate (mm/h), not an amount: a row stands for
// the time until the next row, at most the interval the log was written
// with, so a gap in the log adds no invented rain; `nextSeconds` is 0 for
// the log's last row, which stands for one interval.
double rowRainMm(const WeatherLogRow& row, long long nextSeconds, long long intervalSeconds);

// The climate days of a sorted log, in date order.
std::vector<ClimateDay> climateDays(const WeatherLog& sorted);

// The climate days as the climate reports read them: means unrounded, the
// rain from the rate, times in local "HH:MM".
std::vector<NoaaDay> noaaDaysOf(const std::vector<ClimateDay>& days);

}  // namespace tavik
