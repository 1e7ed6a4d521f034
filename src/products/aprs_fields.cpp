// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/regional.h"
#include "common/zero_pad.h"

namespace tavik {

std::string aprsDigitsField(int width, double value) {
  const double largest = std::pow(10.0, width) - 1.0;
  return ZeroPadNumber(width, std::clamp(value, 0.0, largest));
}

// The conversion is done in single precision, as the receiving software's
// figures were always computed.
std::string aprsFahrenheitField(int tenthsCelsius) {
  const float fahrenheit = static_cast<float>(tenthsCelsius) / 10.0f * 9.0f / 5.0f + 32.0f;
  const long long rounded = roundHalfEven(fahrenheit);
  if (rounded < 0) return "-" + aprsDigitsField(2, static_cast<double>(std::llabs(rounded)));
  return aprsDigitsField(3, static_cast<double>(rounded));
}

std::string aprsHumidityField(int percent) {
  return percent >= 100 ? "00" : aprsDigitsField(2, percent);
}

}  // namespace tavik
