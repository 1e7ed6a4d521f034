// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tavik {

// The web page's style sheet, light and dark.
const char* webPageStyle();

// Inline SVG pictures: the pressure trend (code 1 rising, 2 steady, 4
// falling), the forecast (1 sunny, 2 cloudy, 4 overcast, 8 rainy) and an arrow
// showing where a wind from `degrees` blows to. Empty for codes without one.
std::string trendPicture(uint8_t code);
std::string forecastPicture(uint8_t code);
std::string windArrow(int degrees);

}  // namespace tavik
