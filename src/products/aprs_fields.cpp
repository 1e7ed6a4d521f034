// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/regional.h"
#include "common/zero_pad.h"
#include "products/rain_gauge.h"

namespace tavik {

namespace {

constexpr float kMphPerMetrePerSecond = 2.23694f;
constexpr float kInchesPerMillimetre = 1.0f / 25.4f;
constexpr float kGaugeFactor = static_cast<float>(kConvertedGaugeFactor);

}  // namespace

float aprsMph(int tenthsOfMetrePerSecond) {
  return static_cast<float>(tenthsOfMetrePerSecond) / 10.0f * kMphPerMetrePerSecond;
}

float aprsRainHundredths(int count, bool normalGauge) {
  float mm = static_cast<float>(count);
  if (!normalGauge) mm /= kGaugeFactor;
  return mm * kInchesPerMillimetre * 100.0f;
}

std::string aprsDigitsField(int width, double value) {
  const double largest = std::pow(10.0, width) - 1.0;
  return ZeroPadNumber(width, std::clamp(value, 0.0, largest));
}

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
