// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wind_rose_geometry.h"

#include <cmath>
#include <numbers>

#include "common/regional.h"

namespace tavik {

namespace {

constexpr int kBand = 140;  // tenths of m/s per colour band

uint8_t bandShare(int speedIntoBand) {
  return static_cast<uint8_t>(roundHalfEven(255.0 * speedIntoBand / kBand));
}

}  // namespace

RosePoint windRosePoint(uint16_t directionDeg, int clientWidth, int clientHeight) {
  // Screen angles run clockwise from east; the rose's zero is north.
  const double theta = (directionDeg + 270) * std::numbers::pi / 180.0;
  const int cx = clientWidth / 2;
  const int cy = clientHeight / 2;
  const long long radius = cx - roundHalfEven(clientWidth / 6.5);
  return {static_cast<int>(roundHalfEven(std::cos(theta) * radius + cx)),
          static_cast<int>(roundHalfEven(std::sin(theta) * radius + cy))};
}

MarkerRect windRoseMarkerSize(int outerWidth, int outerHeight) {
  return {0, 0, outerWidth / 15, outerHeight / 15};
}

MarkerRect windRoseMarker(uint16_t directionDeg, int clientWidth, int clientHeight, int markerWidth,
                          int markerHeight) {
  const RosePoint p = windRosePoint(directionDeg, clientWidth, clientHeight);
  return {p.x - markerWidth / 2, p.y - markerHeight / 2, markerWidth, markerHeight};
}

RgbColour WindSpeedColour(uint16_t speedTenths) {
  const int s = speedTenths;
  if (s <= kBand) return {0, bandShare(s), 255};
  if (s <= 2 * kBand) return {0, 255, bandShare(2 * kBand - s)};
  if (s <= 3 * kBand) return {bandShare(s - 2 * kBand), 255, 0};
  if (s <= 4 * kBand) return {255, bandShare(4 * kBand - s), 0};
  return {255, 0, 0};
}

}  // namespace tavik
