// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/weather_record.h"

namespace tavik {

// The quantity the mercury thermometer shows.
enum class ThermometerSource { TempIn = 1, TempOut = 2, DewIn = 3, DewOut = 4, Chill = 5 };

// The window caption and menu text of a source ("Innentemperatur", ...).
const char* thermometerCaption(ThermometerSource source);

// The value of the source in degrees Celsius.
double thermometerValue(const WeatherRecord& record, ThermometerSource source);
// Whether the group that carries the source's value has arrived since start.
bool thermometerValueKnown(const StationState& state, ThermometerSource source);

// The scale picture spans 7200/77 degrees over its whole height, with -30 °C
// at 211/240 of its height from the top; the bar rises from there.
constexpr double kScaleDegreesSpan = 7200.0 / 77.0;
constexpr double kScaleBottomFraction = 211.0 / 240.0;
constexpr int kScaleBottomDegrees = -30;

// Pixels per degree for a scale picture of the given height.
double scalePixelsPerDegree(int scaleHeight);

struct MercuryBar {
  int top = 0;
  int height = 0;

  friend bool operator==(const MercuryBar&, const MercuryBar&) = default;
};

// The bar for a value over a scale picture of the given height that sits below
// a title bar of titleHeight. Values below -30 °C give an empty bar; values
// above the scale's top fill it to the top of the picture.
MercuryBar mercuryBar(int scaleHeight, int titleHeight, double degrees);

struct BarColumn {
  int left = 0;
  int width = 0;

  friend bool operator==(const BarColumn&, const BarColumn&) = default;
};

// Where the bar stands across a client of the given width: over the scale's
// tube, a little right of the middle.
BarColumn mercuryBarColumn(int clientWidth);

// The window keeps the thermometer's proportions: its width follows its height.
int thermometerWidthOnResize(int clientHeight, int titleHeight);

}  // namespace tavik
