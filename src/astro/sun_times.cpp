// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_times.h"

#include <cmath>

#include "astro/locator.h"
#include "common/clock.h"
#include "common/number_text.h"
#include "common/regional.h"

namespace tavik {

namespace {

constexpr long double kPi = 3.1415926535897932385L;
// Altitude of the sun's centre at rise and set: -50 minutes of arc.
constexpr long double kHorizonAltitude = -0.01454441043328608L;

std::string fourDecimals(double value, const char* unit, const RegionalSettings& rs) {
  return fixedDecimalText(value, 4, rs.decimalSeparator) + unit;
}

}  // namespace

Outcome<SunInputs> parseSunInputs(std::string_view dayText, std::string_view latitudeText,
                                  std::string_view longitudeText, std::string_view utcText,
                                  const RegionalSettings& rs) {
  const auto day = parseIntegerText(dayText);
  if (!day) return Outcome<SunInputs>::failure(notAnIntegerMessage(dayText));
  const auto latitude = parseDecimalText(latitudeText, rs.decimalSeparator);
  if (!latitude) return Outcome<SunInputs>::failure(notAFloatMessage(latitudeText));
  const auto longitude = parseDecimalText(longitudeText, rs.decimalSeparator);
  if (!longitude) return Outcome<SunInputs>::failure(notAFloatMessage(longitudeText));
  const auto utc = parseIntegerText(utcText);
  if (!utc) return Outcome<SunInputs>::failure(notAnIntegerMessage(utcText));
  return Outcome<SunInputs>::success({*day, *latitude, *longitude, *utc});
}

Outcome<SunTimes> SunTimesCalc(const SunInputs& in) {
  const long double T = in.day;
  const long double B = in.latitude * kPi / 180;
  const long double E =
      -0.1752L * std::sin(0.03343L * T + 0.5474L) - 0.134L * std::sin(0.018234L * T - 0.1939L);
  const long double delta = 0.40954L * std::sin(0.0172L * (T - 79.34974L));
  const long double x = (std::sin(kHorizonAltitude) - std::sin(B) * std::sin(delta)) /
                        (std::cos(B) * std::cos(delta));
  // arccos(x) = atan2(sqrt(1 - x²), x) exists only for -1 <= x <= 1: outside,
  // the sun stays above or below the horizon all day.
  if (!(x >= -1 && x <= 1)) return Outcome<SunTimes>::failure(kInvalidFloatOperationMessage);
  const long double halfDay = std::atan2(std::sqrt(1 - x * x), x) * 12 / kPi;
  const long double rise = 12 - halfDay - E;
  const long double set = 12 + halfDay - E;
  const long double zoneShift = -static_cast<long double>(in.longitude) / 15 + in.utcOffset;

  SunTimes t;
  t.equationOfTime = static_cast<double>(E);
  t.declination = static_cast<double>(delta);
  t.halfDay = static_cast<double>(halfDay);
  t.riseLocal = static_cast<double>(rise);
  t.setLocal = static_cast<double>(set);
  t.riseZone = static_cast<double>(rise + zoneShift);
  t.setZone = static_cast<double>(set + zoneShift);
  return Outcome<SunTimes>::success(t);
}

std::string sunClockText(double hours) {
  // Rounding the whole time to minutes carries a rounded 60th minute into the
  // hour ("8:0", not "7:60").
  constexpr long long kMinutesPerDay = 24 * 60;
  long long minutes = roundHalfEven(std::fmod(hours, 24.0) * 60) % kMinutesPerDay;
  if (minutes < 0) minutes += kMinutesPerDay;
  return std::to_string(minutes / 60) + ":" + std::to_string(minutes % 60);
}

std::vector<SunResultRow> sunResultRows(const SunTimes& t, const RegionalSettings& rs) {
  const double declinationDegrees = static_cast<double>(t.declination / kPi * 180);
  return {
      {"------------------", "------------------"},
      {"Zeitgleichung", fourDecimals(t.equationOfTime, " h", rs)},
      {"Zeitgleichung", fourDecimals(t.equationOfTime * 60, " m", rs)},
      {"Deklination", fourDecimals(declinationDegrees, " °", rs)},
      {"Zeitdifferenz", fourDecimals(t.halfDay, " h", rs)},
      {"Aufgang Ortszeit", fourDecimals(t.riseLocal, " h", rs)},
      {"Untergang Ortszeit", fourDecimals(t.setLocal, " h", rs)},
      {"Aufgang Real", sunClockText(t.riseZone)},
      {"Untergang Real", sunClockText(t.setZone)},
  };
}

int dayOfYear(int year, int month, int day) {
  return static_cast<int>(daysFromCivil(year, month, day) - daysFromCivil(year, 1, 1)) + 1;
}

SunStartTexts sunStartTexts(std::string_view myLocator, const LocalDateTime& today,
                            int utcDifference, const RegionalSettings& rs) {
  SunStartTexts texts{"13" + std::string(1, rs.decimalSeparator) + "4",
                      "52" + std::string(1, rs.decimalSeparator) + "5",
                      std::to_string(dayOfYear(today.year, today.month, today.day)),
                      std::to_string(utcDifference)};
  // Letters beyond R give places off the globe; those are not a start.
  const Outcome<GeoPoint> place = LocatorToCentre(myLocator);
  if (place.ok() && std::fabs(place.value->latitude) <= 90 &&
      std::fabs(place.value->longitude) <= 180) {
    texts.longitude = fixedDecimalText(place.value->longitude, 4, rs.decimalSeparator);
    texts.latitude = fixedDecimalText(place.value->latitude, 4, rs.decimalSeparator);
  }
  return texts;
}

}  // namespace tavik
