// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/regional.h"

namespace tavik {

// The scales of the explorer's plot: where the ticks of the value axis and
// of the time axis go and what they say.

// A value axis from `low` to `high` (widened around a single value) with
// ticks at 1, 2 or 5 times a power of ten, at most `maxTicks` of them.
struct ValueScale {
  double low = 0;
  double high = 1;
  double step = 1;
  std::vector<double> ticks;
  int decimals = 0;  // decimals that the tick step needs
};
ValueScale valueScale(double low, double high, int maxTicks);

// A time axis over [first, last] seconds with ticks on natural boundaries,
// at most `maxTicks` of them: whole minutes or hours of the day, midnights,
// Mondays, the first of a month (every 1, 2, 3 or 6 months from January) or
// of a year (every 1, 2, 5, 10... years).
struct TimeScale {
  long long low = 0;
  long long high = 1;
  long long step = 60;  // seconds between ticks; for calendar steps about a month
  int months = 0;       // months between ticks, 0 when the step is in seconds
  std::vector<long long> ticks;
};
TimeScale timeScale(long long first, long long last, int maxTicks);

// A tick's text: "14:30" for steps below a day ("14:30 08.12." at midnight
// and at the first tick, so that the day is always known), "08.12.26" for
// whole days, "Dez 2026" for months, "2026" for years.
std::string timeTickText(long long seconds, const TimeScale& scale, bool first,
                         const RegionalSettings& rs);

// Where the tick texts go along an axis `length` pixels long: each centred
// under its tick at `centres[i]`, `widths[i]` wide, but moved inside
// [0, length] where it would stick out at either end; a text that would come
// closer than `gap` to the one drawn before it is left out (nullopt), so
// that no text is cut or drawn over another.
std::vector<std::optional<double>> tickTextLefts(const std::vector<double>& centres,
                                                 const std::vector<double>& widths, double length,
                                                 double gap);

}  // namespace tavik
