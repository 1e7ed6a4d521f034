// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "common/regional.h"
#include "products/weather_log_columns.h"

namespace tavik {

// The table under the explorer's chart: for each day the shown stretch
// touches, the minimum and maximum of one quantity with the time each first
// occurred, its mean, and the day's highest wind speed and rain rate, all
// as texts in the regional formats ("–" where the day holds no value).
// The cells are formatted when shown, from the day's summary.
enum class DayCell { Day, Minimum, MinimumTime, Maximum, MaximumTime, Mean, WindMax, RainMax };
inline constexpr int kDayCellCount = 8;

// The archive quantities a row for `column` shows: the column's own, wind
// speed and rain rate, each once.
std::vector<ArchiveQuantity> dailyTableQuantities(ArchiveQuantity column);

// The text of `cell` in the row of `day` for the Wetterlog column `column`
// (one the archive aggregates): a short date, a value in the column's
// decimals, a time "hh:mm" (empty without a value), or the mean with two
// decimals.
std::string dayCellText(const DaySummary& day, DayCell cell, LogColumn column,
                        const RegionalSettings& rs);

}  // namespace tavik
