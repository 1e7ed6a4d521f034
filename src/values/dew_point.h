// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "station/weather_record.h"

namespace tavik {

// The dew point, in tenths of a degree Celsius, of air at `tenthsCelsius`
// with `humidityPercent` relative humidity, by the Magnus formula over water
// with a = 17.62 and b = 243.12 °C (good to about 0.1 K from -45 to 60 °C):
// g = ln(RH/100) + a·T/(b+T), Td = b·g/(a−g). Nothing for a humidity outside
// 1..100 %.
std::optional<int> magnusDewPointTenths(int tenthsCelsius, int humidityPercent);

// A dew point as the outlets publish it: the console's, or computed from
// temperature and humidity where the console gives none (it sends no outdoor
// dew point below 0 °C).
struct DewPoint {
  int tenths = 0;  // tenths of a degree Celsius
  bool computed = false;
};

// The outdoor and indoor dew points of the record; nothing while neither the
// console's nor the groups to compute one from have arrived.
std::optional<DewPoint> outdoorDewPoint(const WeatherRecord& w, const StationState& s);
std::optional<DewPoint> indoorDewPoint(const WeatherRecord& w, const StationState& s);

}  // namespace tavik
