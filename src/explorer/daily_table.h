// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <vector>

#include "common/regional.h"
#include "products/weather_log_summary.h"

namespace tavik {

// The table under the explorer's chart: for each day the shown stretch
// touches, the minimum and maximum of one column with the time each first
// occurred, its mean, and the day's highest wind speed and rain rate, all
// as texts in the regional formats.
struct DailyTableRow {
  std::string day;  // short date
  std::string minimum;
  std::string minimumTime;  // hh:mm
  std::string maximum;
  std::string maximumTime;
  std::string mean;  // two decimals
  std::string windMax;
  std::string rainMax;
};

// One row per day summary (daysBetween gives those of the shown stretch).
std::vector<DailyTableRow> dailyTable(std::span<const LogSummary> days, LogColumn column,
                                      const RegionalSettings& rs);

}  // namespace tavik
