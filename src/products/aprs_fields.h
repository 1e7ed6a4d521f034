// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// The fixed-width fields of an APRS weather report and the conversions into
// their units, shared by the APRS file and the network upload. The
// conversions are done in single precision, as the receiving software's
// figures were always computed.

// A field of `width` digits. A decoder reads a field by its width, so a number
// the width cannot hold is capped at the largest one it can (999 for three
// digits) rather than written longer, which would shift every later field;
// a negative one is 0.
std::string aprsDigitsField(int width, double value);

// Degrees Fahrenheit of a temperature in tenths of a degree Celsius: three
// digits, or "-" and two digits below zero (-4 °F is "-04"); the field holds
// -99 to 999.
std::string aprsFahrenheitField(int tenthsCelsius);

// Miles per hour of a speed in tenths of a metre per second.
float aprsMph(int tenthsOfMetrePerSecond);

// Hundredths of an inch (25.4 mm to the inch) of a rain count of the console:
// millimetres with a normal gauge, else counts of the rebuilt one.
float aprsRainHundredths(int count, bool normalGauge);

// Two digits of relative humidity; 100 % is "00", the field's own convention,
// and no humidity is more.
std::string aprsHumidityField(int percent);

}  // namespace tavik
