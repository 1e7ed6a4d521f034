// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "products/web_history.h"

namespace tavik {

// Monthly and yearly climatological summaries in the plain-text layout that
// weather sites exchange, in metric units (°C, mm, m/s). Degree days count
// against a base of 18.3 °C from each day's mean temperature. `days` are the
// climate days of the log in date order; a day without rows shows its number
// and nothing else.
std::string noaaMonthReport(const std::vector<ClimateDay>& days, int year, int month,
                            const std::string& station);
std::string noaaYearReport(const std::vector<ClimateDay>& days, int year,
                           const std::string& station);

// "NOAA-2026-03.txt" and "NOAA-2026.txt".
std::string noaaMonthFileName(int year, int month);
std::string noaaYearFileName(int year);

}  // namespace tavik
