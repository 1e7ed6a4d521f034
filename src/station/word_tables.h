#pragma once

#include <cstdint>
#include <string>

namespace tavik {

// The words for the console's pressure-trend code (Baro.Trend) and forecast
// code (Baro.Forecast). Codes without a word of their own map to "", also
// codes beyond the tables that the console's fields can carry (trend 5..7,
// forecast 9..15).
const std::string& trendText(uint8_t code);
const std::string& forecastText(uint8_t code);

}  // namespace tavik
