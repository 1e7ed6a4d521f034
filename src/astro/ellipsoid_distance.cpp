// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/ellipsoid_distance.h"

#include <cmath>

namespace tavik {

namespace {

constexpr long double kEquatorRadiusKm = 6378.14L;
constexpr long double kFlattening = 0.0033528131778969143L;
constexpr long double kDegreesPerRadian = 57.295779513082320877L;

long double square(long double x) { return x * x; }

}  // namespace

double EllipsoidDistanceKm(double latitude1, double longitude1, double latitude2,
                           double longitude2) {
  const long double F = (latitude1 + latitude2) / 2.0L / kDegreesPerRadian;
  const long double G = (latitude1 - latitude2) / 2.0L / kDegreesPerRadian;
  const long double lambda = (longitude1 - longitude2) / 2.0L / kDegreesPerRadian;

  const long double sinF2 = square(std::sin(F)), cosF2 = square(std::cos(F));
  const long double sinG2 = square(std::sin(G)), cosG2 = square(std::cos(G));
  const long double sinL2 = square(std::sin(lambda)), cosL2 = square(std::cos(lambda));

  const long double S = sinG2 * cosL2 + cosF2 * sinL2;
  const long double C = cosG2 * cosL2 + sinF2 * sinL2;
  if (S <= 0) return 0;  // the same point

  // atan2 instead of atan(sqrt(S / C)): the same angle, and pi/2 for C = 0.
  const long double omega = std::atan2(std::sqrt(S), std::sqrt(C));
  const long double R = std::sqrt(S * C) / omega;
  const long double D = 2 * omega * kEquatorRadiusKm;
  // The two corrections divide by C and S; each numerator carries a factor
  // that vanishes with its divisor (sin²F·cos²G <= 2C, cos²F·sin²G <= 2S), so
  // the quotients stay bounded. At C = 0 (antipodal points) the first is 0.
  const long double firstCorrection = C > 0 ? (3 * R - 1) * sinF2 * cosG2 / (2 * C) : 0;
  const long double secondCorrection = (3 * R + 1) * cosF2 * sinG2 / (2 * S);
  return static_cast<double>(D *
                             (1 + kFlattening * firstCorrection - kFlattening * secondCorrection));
}

}  // namespace tavik
