// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavik {

// The table under the explorer's chart: for each day the shown stretch
// touches, the minimum and maximum of one quantity with the time each first
// occurred, its mean, and the day's highest wind speed and rain rate, all
// as texts in the regional formats ("–" where the day holds no value).
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

}  // namespace tavik
