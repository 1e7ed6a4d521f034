// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavik {

// Words for the console's pressure-trend code (Baro.Trend) and forecast code
// (Baro.Forecast). Codes without a word of their own map to "".
extern const std::array<std::string, 5> TrendTexts;
extern const std::array<std::string, 9> ForecastTexts;

// The word of a code. The console's fields can carry codes beyond the tables
// (trend 5..7, forecast 9..15); those give "" instead of reading past the end.
const std::string& trendText(uint8_t code);
const std::string& forecastText(uint8_t code);

}  // namespace tavik
