// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace tavik {

// The sixteen German compass points, clockwise from north.
inline constexpr size_t kCompassPoints = 16;

// The compass point (0 = N .. 15 = NNW) of a direction in degrees, 0 = north,
// clockwise; each point covers 22.5° centred on its direction:
// floor((degrees + 11.25) / 22.5) mod 16, for any whole number of degrees.
size_t compassPoint(int degrees);

// "N", "NNO", "NO", "ONO", "O", ... "NNW"; the point is taken modulo 16.
std::string_view compassName(size_t point);

}  // namespace tavik
