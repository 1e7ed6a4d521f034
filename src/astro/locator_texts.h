// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "astro/locator.h"
#include "common/outcome.h"
#include "common/regional.h"

namespace tavik {

// Degrees, minutes and seconds of the absolute longitude and latitude of a
// locator's centre, as "50.38.45": whole numbers without leading zeros.
struct DegMinSecTexts {
  std::string longitude;
  std::string latitude;
};
Outcome<DegMinSecTexts> LocatorToDegMinSec(std::string_view locator);

// The four coordinate fields of the locator dialog for a locator, each with a
// space and its hemisphere letter: decimal degrees ("50,6458333333333 N",
// "7,95833333333333 E") and degrees.minutes.seconds ("50.38.45 N").
struct CoordinateTexts {
  std::string latitudeDecimal;   // Edit6
  std::string longitudeDecimal;  // Edit7
  std::string latitudeDms;       // Edit4
  std::string longitudeDms;      // Edit5
};
Outcome<CoordinateTexts> locatorCoordinateTexts(std::string_view locator,
                                                const RegionalSettings& rs);

// "Distanz JO30XN - JO30XP: 9,2 km": the distance between the two centres,
// own point first, truncated to tenths of a kilometre.
Outcome<std::string> locatorDistanceMessage(std::string_view ownLocator,
                                            std::string_view targetLocator,
                                            const RegionalSettings& rs);

// The locator of coordinates typed into the dialog's fields, as decimal
// degrees ("50,6458 N") or as degrees.minutes.seconds ("50.38.45 N"). The
// hemisphere letter (N/S, E/W) is optional; S and W make the value negative.
enum class CoordinateForm { Decimal, DegMinSec };
Outcome<std::string> locatorFromCoordinateTexts(std::string_view latitudeText,
                                                std::string_view longitudeText, CoordinateForm form,
                                                const RegionalSettings& rs);

}  // namespace tavik
