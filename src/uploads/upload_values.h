// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <optional>

#include "common/clock.h"
#include "settings/settings.h"
#include "station/weather_record.h"

namespace tavik {

// The quantities an upload sends, in SI units, each absent while the station
// has not reported it (its group kind not seen yet, or out of range).
struct UploadValues {
  std::optional<std::time_t> observedUtc;  // when the record's last good group came
  std::optional<double> temperatureC;
  std::optional<double> humidityPercent;
  std::optional<double> dewPointC;
  std::optional<double> pressureHpa;  // reduced to sea level
  std::optional<double> windSpeedMs;  // the console's average
  std::optional<double> windGustMs;   // the highest of the last five minutes
  std::optional<double> windDirection;
  std::optional<double> rainLastHourMm;
  std::optional<double> rain24hMm;
  std::optional<double> rainSinceMidnightMm;
  std::optional<double> indoorTemperatureC;
  std::optional<double> indoorHumidityPercent;
};

// The values of the record and the state beside it; `observed` is the local
// time of the last good group. The rain of the last hour is not kept beside
// the record and stays absent.
UploadValues uploadValues(const WeatherRecord& weather, const StationState& state,
                          const Settings& settings, const std::optional<LocalDateTime>& observed);

// Seconds since 1970 of a local wall time, in the process's time zone.
std::optional<std::time_t> utcSeconds(const LocalDateTime& local);

}  // namespace tavik
