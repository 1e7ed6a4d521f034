// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/locator_texts.h"

#include <cmath>

#include "astro/ellipsoid_distance.h"
#include "common/number_text.h"

namespace tavik {

namespace {

// "50.38.45" for 50.6458333: the absolute value rounded to whole seconds.
std::string degMinSecText(double degrees) {
  const long long seconds = roundHalfEven(std::fabs(degrees) * 3600);
  return std::to_string(seconds / 3600) + "." + std::to_string(seconds / 60 % 60) + "." +
         std::to_string(seconds % 60);
}

std::string withHemisphere(std::string text, double value, char positive, char negative) {
  return text + " " + (value >= 0 ? positive : negative);
}

// The number part of a coordinate text and its sign from a trailing
// hemisphere letter; false when the letter belongs to the other axis.
bool splitHemisphere(std::string_view text, char positive, char negative, std::string_view& number,
                     int& sign) {
  number = text;
  sign = 1;
  while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
  if (number.empty()) return true;
  const char last = number.back();
  const char upper = (last >= 'a' && last <= 'z') ? static_cast<char>(last - 'a' + 'A') : last;
  if (upper >= 'A' && upper <= 'Z') {
    if (upper != positive && upper != negative) return false;
    sign = upper == negative ? -1 : 1;
    number.remove_suffix(1);
  }
  return true;
}

// Degrees from "50.38.45" (minutes and seconds may be left out, seconds may
// carry a fraction).
std::optional<double> parseDegMinSec(std::string_view text, char decimalSeparator) {
  double parts[3] = {0, 0, 0};
  int count = 0;
  size_t start = 0;
  while (true) {
    if (count == 3) return std::nullopt;
    const size_t dot = text.find('.', start);
    const std::string_view piece = text.substr(start, dot - start);
    std::optional<double> value;
    if (count < 2 && dot != std::string_view::npos) {
      const auto whole = parseIntegerText(piece);
      if (whole && *whole >= 0) value = *whole;
    } else {
      value = parseDecimalText(piece, decimalSeparator);
    }
    if (!value || *value < 0 || (count > 0 && *value >= 60)) return std::nullopt;
    parts[count++] = *value;
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return parts[0] + parts[1] / 60 + parts[2] / 3600;
}

std::optional<double> parseCoordinate(std::string_view text, char positive, char negative,
                                      CoordinateForm form, const RegionalSettings& rs) {
  std::string_view number;
  int sign = 1;
  if (!splitHemisphere(text, positive, negative, number, sign)) return std::nullopt;
  const auto value = form == CoordinateForm::Decimal ? parseDecimalText(number, rs.decimalSeparator)
                                                     : parseDegMinSec(number, rs.decimalSeparator);
  if (!value) return std::nullopt;
  return sign * *value;
}

}  // namespace

Outcome<DegMinSecTexts> LocatorToDegMinSec(std::string_view locator) {
  const auto centre = LocatorToCentre(locator);
  if (!centre.ok()) return Outcome<DegMinSecTexts>::failure(centre.error);
  return Outcome<DegMinSecTexts>::success(
      {degMinSecText(centre.value->longitude), degMinSecText(centre.value->latitude)});
}

Outcome<CoordinateTexts> locatorCoordinateTexts(std::string_view locator,
                                                const RegionalSettings& rs) {
  const auto centre = LocatorToCentre(locator);
  const auto dms = LocatorToDegMinSec(locator);
  if (!centre.ok()) return Outcome<CoordinateTexts>::failure(centre.error);
  const double lon = centre.value->longitude;
  const double lat = centre.value->latitude;
  CoordinateTexts texts;
  texts.latitudeDecimal = withHemisphere(shortestDecimalText(std::fabs(lat), rs), lat, 'N', 'S');
  texts.longitudeDecimal = withHemisphere(shortestDecimalText(std::fabs(lon), rs), lon, 'E', 'W');
  texts.latitudeDms = withHemisphere(dms.value->latitude, lat, 'N', 'S');
  texts.longitudeDms = withHemisphere(dms.value->longitude, lon, 'E', 'W');
  return Outcome<CoordinateTexts>::success(texts);
}

Outcome<std::string> locatorDistanceMessage(std::string_view ownLocator,
                                            std::string_view targetLocator,
                                            const RegionalSettings& rs) {
  const auto own = LocatorToCentre(ownLocator);
  const auto target = LocatorToCentre(targetLocator);
  // A text of the wrong length is reported before a bad square digit.
  for (const auto* bad : {&target, &own}) {
    if (bad->error == kInvalidInputMessage) return Outcome<std::string>::failure(bad->error);
  }
  for (const auto* bad : {&own, &target}) {
    if (!bad->ok()) return Outcome<std::string>::failure(bad->error);
  }
  const double km = EllipsoidDistanceKm(own.value->latitude, own.value->longitude,
                                        target.value->latitude, target.value->longitude);
  const long long tenths = truncateTowardZero(km * 10);
  return Outcome<std::string>::success("Distanz " + std::string(ownLocator) + " - " +
                                       std::string(targetLocator) + ": " + tenthsText(tenths, rs) +
                                       " km");
}

Outcome<std::string> locatorFromCoordinateTexts(std::string_view latitudeText,
                                                std::string_view longitudeText, CoordinateForm form,
                                                const RegionalSettings& rs) {
  const auto latitude = parseCoordinate(latitudeText, 'N', 'S', form, rs);
  if (!latitude) return Outcome<std::string>::failure(notAFloatMessage(latitudeText));
  const auto longitude = parseCoordinate(longitudeText, 'E', 'W', form, rs);
  if (!longitude) return Outcome<std::string>::failure(notAFloatMessage(longitudeText));
  return coordinatesToLocator({*longitude, *latitude});
}

}  // namespace tavik
