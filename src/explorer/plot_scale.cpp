// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/plot_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "products/weather_log_reader.h"

namespace tavik {

namespace {

constexpr long long kMinute = 60;
constexpr long long kHour = 60 * kMinute;
constexpr long long kDay = 24 * kHour;

// The first multiple of `step` at or above `value`.
long long ceilMultiple(long long value, long long step) {
  const long long q = value / step;
  return (q * step < value && value > 0 ? q + 1 : q) * step;
}

}  // namespace

ValueScale valueScale(double low, double high, int maxTicks) {
  ValueScale s;
  if (high < low) std::swap(low, high);
  if (high - low < 1e-9) {
    // A flat line sits in the middle of one unit.
    low -= 0.5;
    high += 0.5;
  }
  const double raw = (high - low) / std::max(1, maxTicks - 1);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power * 10;
  for (const double m : {1.0, 2.0, 5.0}) {
    if (power * m >= raw) {
      step = power * m;
      break;
    }
  }
  s.step = step;
  s.low = std::floor(low / step) * step;
  s.high = std::ceil(high / step) * step;
  for (double v = s.low; v <= s.high + step / 2; v += step) s.ticks.push_back(v);
  s.decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  return s;
}

TimeScale timeScale(long long first, long long last, int maxTicks) {
  TimeScale s;
  if (last < first) std::swap(first, last);
  if (last == first) {
    first -= 30 * kMinute;
    last += 30 * kMinute;
  }
  static constexpr std::array<long long, 16> kSteps = {
      kMinute,  2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
      kHour,    2 * kHour,   3 * kHour,   6 * kHour,    12 * kHour,   kDay,
      2 * kDay, 7 * kDay,    14 * kDay,   28 * kDay};
  const long long most = std::max(2, maxTicks);
  // Beyond the longest step, whole multiples of it.
  s.step = kSteps.back() * ((last - first) / kSteps.back() / most + 1);
  for (const long long step : kSteps) {
    if ((last - first) / step + 1 <= most) {
      s.step = step;
      break;
    }
  }
  s.low = first;
  s.high = last;
  for (long long t = ceilMultiple(first, s.step); t <= last; t += s.step) s.ticks.push_back(t);
  return s;
}

std::string timeTickText(long long seconds, const TimeScale& scale, bool first,
                         const RegionalSettings& rs) {
  const LocalDateTime t = timeOfSeconds(seconds);
  if (scale.step >= kDay) return formatShortDate(t.year, t.month, t.day, rs);
  std::string text = formatDateTime("hh:nn", t, rs);
  if (first || seconds % kDay == 0) text += " " + formatDateTime("dd/mm/", t, rs);
  return text;
}

}  // namespace tavik
