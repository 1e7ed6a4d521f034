// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/compass.h"

#include <array>

namespace tavik {
namespace {

constexpr std::array<std::string_view, kCompassPoints> kCompassNames = {
    "N", "NNO", "NO", "ONO", "O", "OSO", "SO", "SSO",
    "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};

}  // namespace

size_t compassPoint(int degrees) {
  // (degrees + 11.25) / 22.5 = (4 * degrees + 45) / 90, in whole numbers.
  const long long n = 4LL * degrees + 45;
  const long long k = n >= 0 ? n / 90 : -((-n + 89) / 90);
  return static_cast<size_t>(((k % 16) + 16) % 16);
}

std::string_view compassName(size_t point) { return kCompassNames[point % kCompassPoints]; }

}  // namespace tavik
