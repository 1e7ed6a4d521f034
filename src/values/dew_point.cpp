// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/dew_point.h"

#include <cmath>

namespace tavik {

namespace {

constexpr double kMagnusA = 17.62;
constexpr double kMagnusB = 243.12;  // °C

std::optional<DewPoint> dewPoint(const StationState& s, const TemperatureBlock& dew,
                                 const TemperatureBlock& temp, const HumidityBlock& hum) {
  if (s.seenAF && !dew.OutOfRange) return DewPoint{dew.Current * 10, false};
  if (!s.seen9F || !s.seen8F || hum.OutOfRange) return std::nullopt;
  const std::optional<int> computed = magnusDewPointTenths(temp.Current, hum.Current);
  if (!computed) return std::nullopt;
  return DewPoint{*computed, true};
}

}  // namespace

std::optional<int> magnusDewPointTenths(int tenthsCelsius, int humidityPercent) {
  if (humidityPercent < 1 || humidityPercent > 100) return std::nullopt;
  const double t = tenthsCelsius / 10.0;
  const double g = std::log(humidityPercent / 100.0) + kMagnusA * t / (kMagnusB + t);
  return static_cast<int>(std::lround(kMagnusB * g / (kMagnusA - g) * 10.0));
}

std::optional<DewPoint> outdoorDewPoint(const WeatherRecord& w, const StationState& s) {
  return dewPoint(s, w.DewOut, w.TempOut, w.HumOut);
}

std::optional<DewPoint> indoorDewPoint(const WeatherRecord& w, const StationState& s) {
  return dewPoint(s, w.DewIn, w.TempIn, w.HumIn);
}

}  // namespace tavik
