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

namespace {

// Ticks every `step` seconds from `offset`, within [first, last].
void secondTicks(TimeScale& s, long long first, long long last, long long offset) {
  for (long long t = ceilMultiple(first - offset, s.step) + offset; t <= last; t += s.step)
    s.ticks.push_back(t);
}

// Ticks on the first of every `months`-th month counted from January.
void monthTicks(TimeScale& s, long long first, long long last) {
  const LocalDateTime start = timeOfSeconds(first);
  int index = start.year * 12 + start.month - 1;
  index = (index + s.months - 1) / s.months * s.months;  // the first at or after the start
  for (;; index += s.months) {
    const long long t = secondsOf(LocalDateTime{index / 12, index % 12 + 1, 1});
    if (t > last) break;
    if (t >= first) s.ticks.push_back(t);
  }
}

}  // namespace

TimeScale timeScale(long long first, long long last, int maxTicks) {
  TimeScale s;
  if (last < first) std::swap(first, last);
  if (last == first) {
    first -= 30 * kMinute;
    last += 30 * kMinute;
  }
  s.low = first;
  s.high = last;
  const long long most = std::max(2, maxTicks);
  static constexpr std::array<long long, 15> kSteps = {
      kMinute,      2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute,
      30 * kMinute, kHour,       2 * kHour,   3 * kHour,    6 * kHour,
      12 * kHour,   kDay,        2 * kDay,    7 * kDay,     14 * kDay};
  for (const long long step : kSteps) {
    if ((last - first) / step + 1 <= most) {
      s.step = step;
      // Weeks start on Mondays; 1 January 1970 was a Thursday.
      secondTicks(s, first, last, step >= 7 * kDay ? 4 * kDay : 0);
      return s;
    }
  }
  constexpr long long kMonth = 30 * kDay + 10 * kHour;  // a mean month, for counting only
  int months = 1;
  for (const int m : {1, 2, 3, 6, 12, 24, 60, 120, 240, 600}) {
    months = m;
    if ((last - first) / (m * kMonth) + 1 <= most) break;
  }
  while ((last - first) / (months * kMonth) + 1 > most) months *= 10;
  s.months = months;
  s.step = months * kMonth;
  monthTicks(s, first, last);
  return s;
}

std::string timeTickText(long long seconds, const TimeScale& scale, bool first,
                         const RegionalSettings& rs) {
  const LocalDateTime t = timeOfSeconds(seconds);
  if (scale.months >= 12) return formatDateTime("yyyy", t, rs);
  if (scale.months > 0) return formatDateTime("mmm yyyy", t, rs);
  if (scale.step >= kDay) return formatShortDate(t.year, t.month, t.day, rs);
  std::string text = formatDateTime("hh:nn", t, rs);
  if (first || seconds % kDay == 0) text += " " + formatDateTime("dd/mm/", t, rs);
  return text;
}

std::vector<std::optional<double>> tickTextLefts(const std::vector<double>& centres,
                                                 const std::vector<double>& widths, double length,
                                                 double gap) {
  std::vector<std::optional<double>> lefts(centres.size());
  std::optional<double> lastRight;
  for (size_t i = 0; i < centres.size() && i < widths.size(); ++i) {
    const double left =
        std::clamp(centres[i] - widths[i] / 2, 0.0, std::max(0.0, length - widths[i]));
    if (lastRight && left < *lastRight + gap) continue;
    lefts[i] = left;
    lastRight = left + widths[i];
  }
  return lefts;
}

}  // namespace tavik
