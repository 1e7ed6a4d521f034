// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tavik {

// How a display group's chart shows its main value.
struct ChartQuantity {
  const char* unit;    // "°C"
  int decimals;        // of the scale labels and the hover text
  double minimumSpan;  // the smallest range of values the chart's height covers
  std::optional<double> floor = std::nullopt;    // the value never goes below (0 m/s)
  std::optional<double> ceiling = std::nullopt;  // nor above (100 %)
};

// The quantities of the charts of GroupBox2..GroupBox11 (index 0 is group 2).
extern const std::array<ChartQuantity, 10> kChartQuantities;

// The values at the chart's bottom and top edge.
struct ValueRange {
  double low = 0;
  double high = 0;

  friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

// The range that holds every value and covers at least the quantity's
// minimum span, centred on the values (moved inside floor and ceiling), its
// ends rounded outwards to the quantity's decimals. None without values.
std::optional<ValueRange> chartValueRange(const std::vector<double>& values,
                                          const ChartQuantity& quantity);

// A value with its unit as the scale shows it: "21,5 °C", "1013 mb".
std::string chartValueText(double value, const ChartQuantity& quantity);

// A mark on the time axis: at a full hour "14:00", at midnight the date of
// the day that begins ("10.12.").
struct TimeTick {
  long long minute = 0;  // local minutes since 1970-01-01 00:00
  std::string label;
  bool dayStart = false;

  friend bool operator==(const TimeTick&, const TimeTick&) = default;
};

// The ticks from `startMinute` to `endMinute`: every hour for spans up to
// 4 hours, every 2, 3 or 6 hours up to 8, 12 and 36 hours, only midnights
// beyond; midnight is always marked as the day it begins.
std::vector<TimeTick> chartTimeTicks(long long startMinute, long long endMinute);

// What hovering over a sample shows: "6,5 °C am 09.12.26 um 16:44".
std::string chartHoverText(long long minute, double value, const ChartQuantity& quantity);

}  // namespace tavik
