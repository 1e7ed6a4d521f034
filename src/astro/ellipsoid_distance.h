// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavik {

// Distance in kilometres between two points given in degrees, by Andoyer's
// approximation on the ellipsoid (a = 6378.14 km, f = 1/298.257). Identical
// points give 0 and antipodal points a finite distance; the result is never
// NaN for finite input.
double EllipsoidDistanceKm(double latitude1, double longitude1, double latitude2,
                           double longitude2);

}  // namespace tavik
