// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "common/outcome.h"

namespace tavik {

// A point on the globe in degrees, east and north positive.
struct GeoPoint {
  double longitude = 0;
  double latitude = 0;
};

// The message for a locator that is not six characters long (and for
// coordinates that lie outside the locator grid).
inline constexpr const char* kInvalidInputMessage = "Ungültige Eingabe";

// Value of a locator letter: 0 for "A" .. 25 for "Z" (a..z count as A..Z);
// any other character is 26.
int LocatorLetterIndex(char32_t c);

// Centre of the sub-square of a six-character locator. Any letter is accepted
// in every letter position (so letters beyond R or X give points beyond the
// globe's range); a non-digit in position 3 or 4 fails with the integer
// conversion message, a text of another length with kInvalidInputMessage.
Outcome<GeoPoint> LocatorToCentre(std::string_view locator);

// The six-character locator of the sub-square holding the point. Longitudes
// from -180 to 180 and latitudes from -90 to 90 (the edges 180 and 90 count to
// the last sub-square); other points fail with kInvalidInputMessage.
Outcome<std::string> coordinatesToLocator(const GeoPoint& point);

// The position fields of the ASYNOP report derived from a locator: latitude
// and longitude in tenths of a degree, truncated, at least 3 and 4 digits,
// and the quadrant of the globe (1 north-east, 3 south-east, 5 south-west,
// 7 north-west).
struct AsynopPosition {
  std::string latitude;
  std::string longitude;
  int quadrant = 1;
};
Outcome<AsynopPosition> asynopPositionFromLocator(std::string_view locator);

}  // namespace tavik
