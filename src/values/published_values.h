// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "common/clock.h"
#include "station/weather_record.h"
#include "values/dew_point.h"

namespace tavik {

// Every quantity the outlets publish (current.json, the web page, MQTT), in
// the record's units, decided once: absent while its group has not arrived
// since the start or where the console marks the value out of range.
// Temperatures and speeds in tenths (°C, m/s), pressures as the record has
// them, rain in the counter's unit.
struct PublishedValues {
  std::optional<int> tempOut, tempIn;  // tenths of °C
  std::optional<int> humOut, humIn;    // %
  std::optional<DewPoint> dewOut, dewIn;
  std::optional<int> windChill;      // whole °C
  std::optional<int> pressureLocal;  // hPa
  std::optional<int> seaLevel;       // tenths of hPa
  std::optional<std::string> trend, forecast;
  std::optional<int> windSpeed, windAvgSpeed, gustSpeed;  // tenths of m/s
  // The highest wind speed of the last five whole minutes, tenths of m/s.
  std::optional<int> gust5min;
  std::optional<int> windDir, windAvgDir, gustDir;  // degrees
  std::optional<std::string> compassPoint;          // of windDir
  std::optional<int> rainRate, rainYesterday, rainTotal;
  std::optional<int> rainLastHour, rain24h, rainToday;
  // While the program has not seen the last 24 hours: the moment the rain
  // spans count from.
  std::optional<LocalDateTime> rainSince;
};

PublishedValues publishedValues(const WeatherRecord& w, const StationState& s);

// A word of the record's tables, absent where the code has none.
std::optional<std::string> presentWord(bool present, const std::string& word);

}  // namespace tavik
