// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "products/web_history.h"

namespace tavik {

// One day of the climate reports, as the archive's daily summary gives it.
struct NoaaDay {
  int year = 0, month = 0, day = 0;
  int count = 0;  // rows; 0 = no data
  std::optional<double> meanTemp, maxTemp, minTemp;
  std::string maxTempTime, minTempTime;  // °C, "HH:MM" local
  std::optional<double> rainMm;          // from the counter
  std::optional<double> meanWind, maxWind;
  std::string maxWindTime;           // m/s; max = highest gust
  std::optional<int> prevailingDir;  // degrees
};

// The station as the reports' header names it.
struct NoaaStation {
  std::string name;
  std::optional<double> elevationM, latitude, longitude;
};

// The report days of the archive's daily summaries, in date order. The
// highest wind is the day's highest gust, or its highest speed where the
// rows hold no gust (imported ones).
std::vector<NoaaDay> noaaDays(const std::vector<DaySummary>& days);

// The days of a month (month 1..12) or of a whole year (month 0).
std::vector<NoaaDay> noaaDaysOf(const ArchiveHistory& archive, int year, int month);

// The same days as the climate reports take them: each quantity as its
// Wetterlog column would hold it (tenths of °C and m/s), its times as local
// seconds of the day.
std::vector<ClimateDay> climateDaysOf(const std::vector<NoaaDay>& days);

}  // namespace tavik
