// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// The fixed-width fields of an APRS weather report, shared by the APRS file
// and the network upload.

// A field of `width` digits. A decoder reads a field by its width, so a number
// the width cannot hold is capped at the largest one it can (999 for three
// digits) rather than written longer, which would shift every later field;
// a negative one is 0.
std::string aprsDigitsField(int width, double value);

// Degrees Fahrenheit of a temperature in tenths of a degree Celsius: three
// digits, or "-" and two digits below zero (-4 °F is "-04"); the field holds
// -99 to 999.
std::string aprsFahrenheitField(int tenthsCelsius);

// Two digits of relative humidity; 100 % is "00", the field's own convention,
// and no humidity is more.
std::string aprsHumidityField(int percent);

}  // namespace tavik
