// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tavik {

struct RgbColour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

struct RosePoint {
  int x = 0;
  int y = 0;

  friend bool operator==(const RosePoint&, const RosePoint&) = default;
};

struct MarkerRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const MarkerRect&, const MarkerRect&) = default;
};

// The point on the rose's ring for a wind direction in degrees (0 = north,
// clockwise) in a client area of the given size. The ring's radius is the half
// width less the width divided by 6.5, so the marker runs just inside the
// compass lettering.
RosePoint windRosePoint(uint16_t directionDeg, int clientWidth, int clientHeight);

// The marker's size follows the window's outer size, a fifteenth of each.
MarkerRect windRoseMarkerSize(int outerWidth, int outerHeight);

// The marker moved so that its centre lies on the ring point of the direction.
MarkerRect windRoseMarker(uint16_t directionDeg, int clientWidth, int clientHeight, int markerWidth,
                          int markerHeight);

// Marker colour by wind speed (tenths of m/s): blue through cyan, green and
// yellow to red in four bands of 14 m/s. Calm shows blue, anything beyond
// 56 m/s stays red.
RgbColour WindSpeedColour(uint16_t speedTenths);

}  // namespace tavik
