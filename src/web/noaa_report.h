// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavik {

// One climate day: what its rows gave. A value no row had is absent.
struct NoaaDay {
  int year = 0, month = 0, day = 0;
  int count = 0;                                     // rows; 0 = no data
  std::optional<double> meanTemp, maxTemp, minTemp;  // °C
  std::string maxTempTime, minTempTime;              // "HH:MM" local
  std::optional<double> rainMm;                      // from the counter
  std::optional<double> meanWind, maxWind;           // m/s; max = highest gust
  std::string maxWindTime;
  std::optional<int> prevailingDir;  // degrees
};

struct NoaaStation {
  std::string name;
  std::optional<double> elevationM, latitude, longitude;
};

// Monthly and yearly climatological summaries in the fixed-column text
// layout that weather sites exchange, in metric units (°C, mm, m/s). Degree
// days count against a base of 18.3 °C from each day's mean temperature.
// `days` may hold any days in any order; those of other months are passed
// over. A day without rows shows its number and nothing else.
std::string noaaMonthReport(const std::vector<NoaaDay>& days, int year, int month,
                            const NoaaStation& station);
std::string noaaYearReport(const std::vector<NoaaDay>& days, int year, const NoaaStation& station);

// "NOAA-2026-03.txt" and "NOAA-2026.txt".
std::string noaaMonthFileName(int year, int month);
std::string noaaYearFileName(int year);

}  // namespace tavik
