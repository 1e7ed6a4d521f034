// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/outcome.h"
#include "common/regional.h"

namespace tavik {

// What the sun calculator reads: the day of the year (1 = 1 January), the
// latitude and the longitude in degrees (north and east positive) and the
// zone time minus UTC in hours.
struct SunInputs {
  int day = 1;
  double latitude = 0;
  double longitude = 0;
  int utcOffset = 0;
};

// Reads the four fields in the order day, latitude, longitude, UTC
// difference; the first text that is not a number gives the conversion
// message.
Outcome<SunInputs> parseSunInputs(std::string_view dayText, std::string_view latitudeText,
                                  std::string_view longitudeText, std::string_view utcText,
                                  const RegionalSettings& rs);

struct SunTimes {
  double equationOfTime = 0;  // hours
  double declination = 0;     // radians
  double halfDay = 0;         // hours
  double riseLocal = 0;       // local mean time, hours
  double setLocal = 0;
  double riseZone = 0;  // zone time, hours
  double setZone = 0;
};

// The message when the sun does not cross the horizon that day.
inline constexpr const char* kInvalidFloatOperationMessage = "Ungültige Gleitkommaoperation";

// Equation of time, declination, half-day and the rise and set times; fails
// with kInvalidFloatOperationMessage when the sun neither rises nor sets.
Outcome<SunTimes> SunTimesCalc(const SunInputs& in);

// "7:51": hours and minutes without leading zeros, the minutes rounded (ties
// to even), brought into 0:00..23:59 by whole days.
std::string sunClockText(double hours);

// One row of the result list: its name and value columns.
struct SunResultRow {
  std::string name;
  std::string value;
};
// The nine rows of one run in the order they are inserted at the top of the
// list: the dashed line first, "Untergang Real" last (so it ends on top).
std::vector<SunResultRow> sunResultRows(const SunTimes& t, const RegionalSettings& rs);

// Day of the year, 1 for the first of January.
int dayOfYear(int year, int month, int day);

// The texts the sun window starts with: the centre of the station's own
// locator (four decimals), today's day of the year and the station's UTC
// difference. A locator that cannot be read gives the place the window was
// designed with, 13,4 east and 52,5 north.
struct SunStartTexts {
  std::string longitude;
  std::string latitude;
  std::string day;
  std::string utcDifference;
};
SunStartTexts sunStartTexts(std::string_view myLocator, const LocalDateTime& today,
                            int utcDifference, const RegionalSettings& rs);

}  // namespace tavik
