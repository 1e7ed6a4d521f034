// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/clock.h"

namespace tavik {

const std::array<ChartQuantity, 10> kChartQuantities{{
    {"%", 0, 10, 0.0, 100.0},  // humidity inside
    {"%", 0, 10, 0.0, 100.0},  // humidity outside
    {"°C", 1, 2},              // temperature inside
    {"°C", 1, 2},              // temperature outside
    {"mb", 1, 5},              // sea-level pressure
    {"°C", 0, 2},              // dew point inside
    {"°C", 0, 2},              // dew point outside
    {"mm/h", 0, 1, 0.0},       // rain rate
    {"m/s", 1, 2, 0.0},        // wind
    {"°C", 0, 2},              // wind chill
}};

namespace {

constexpr long long kMinutesPerDay = 1440;

std::string twoDigits(long long n) {
  char text[24];  // room for any long long, so that nothing is cut
  std::snprintf(text, sizeof text, "%02lld", n);
  return text;
}

long long floorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Day and month of a local minute: "10.12.".
std::string dayAndMonth(long long minute, int* year = nullptr) {
  int y = 0;
  int m = 0;
  int d = 0;
  civilFromDays(floorDiv(minute, kMinutesPerDay), y, m, d);
  if (year) *year = y;
  return twoDigits(d) + "." + twoDigits(m) + ".";
}

std::string timeOfDay(long long minute) {
  const long long ofDay = minute - floorDiv(minute, kMinutesPerDay) * kMinutesPerDay;
  return twoDigits(ofDay / 60) + ":" + twoDigits(ofDay % 60);
}

long long tickStepHours(long long spanMinutes) {
  if (spanMinutes <= 4 * 60) return 1;
  if (spanMinutes <= 8 * 60) return 2;
  if (spanMinutes <= 12 * 60) return 3;
  if (spanMinutes <= 36 * 60) return 6;
  return 24;
}

}  // namespace

std::optional<ValueRange> chartValueRange(const std::vector<double>& values,
                                          const ChartQuantity& q) {
  if (values.empty()) return std::nullopt;
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  double low = *lowest;
  double high = *highest;
  if (high - low < q.minimumSpan) {
    const double middle = (low + high) / 2;
    low = middle - q.minimumSpan / 2;
    high = middle + q.minimumSpan / 2;
    // Only the widened range is moved: values outside floor or ceiling are
    // still shown.
    if (q.floor && low < *q.floor && *lowest >= *q.floor) {
      high += *q.floor - low;
      low = *q.floor;
    }
    if (q.ceiling && high > *q.ceiling && *highest <= *q.ceiling) {
      low -= high - *q.ceiling;
      high = *q.ceiling;
    }
  }
  const double scale = std::pow(10.0, q.decimals);
  // A little slack keeps a value that is already round from being pushed on.
  return ValueRange{std::floor(low * scale + 1e-6) / scale, std::ceil(high * scale - 1e-6) / scale};
}

std::string chartValueText(double value, const ChartQuantity& q) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", q.decimals, value);
  std::string out = text;
  if (out == "-0" || out == "-0.0") out.erase(0, 1);
  std::replace(out.begin(), out.end(), '.', ',');
  return out + " " + q.unit;
}

std::vector<TimeTick> chartTimeTicks(long long startMinute, long long endMinute) {
  std::vector<TimeTick> ticks;
  if (endMinute <= startMinute) return ticks;
  const long long step = tickStepHours(endMinute - startMinute) * 60;
  for (long long m = floorDiv(startMinute + step - 1, step) * step; m <= endMinute; m += step) {
    const bool midnight = m % kMinutesPerDay == 0;
    ticks.push_back({m, midnight ? dayAndMonth(m) : timeOfDay(m), midnight});
  }
  return ticks;
}

std::string chartHoverText(long long minute, double value, const ChartQuantity& q) {
  int year = 0;
  const std::string day = dayAndMonth(minute, &year);
  return chartValueText(value, q) + " am " + day + twoDigits(((year % 100) + 100) % 100) + " um " +
         timeOfDay(minute);
}

}  // namespace tavik
