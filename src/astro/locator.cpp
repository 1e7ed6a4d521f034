// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/locator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/number_text.h"
#include "common/zero_pad.h"

namespace tavik {

namespace {

constexpr int kLocatorLength = 6;
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The characters of a UTF-8 text, each as its own UTF-8 piece, so that a
// locator typed with an umlaut still counts six characters. A byte that does
// not start a valid sequence is a character of its own.
std::vector<std::string_view> utf8Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  size_t pos = 0;
  while (pos < text.size()) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = 1;
    if (lead >= 0xF0 && lead < 0xF8) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = lead < 0xF0 ? 3 : 1;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    if (pos + length > text.size()) length = 1;
    for (size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) length = 1;
    }
    chars.push_back(text.substr(pos, length));
    pos += length;
  }
  return chars;
}

// Letter value of a one-character UTF-8 piece; only a single byte can be a letter.
int letterValue(std::string_view piece) {
  return piece.size() == 1 ? LocatorLetterIndex(static_cast<unsigned char>(piece[0]))
                           : LocatorLetterIndex(U'\uFFFD');
}

}  // namespace

int LocatorLetterIndex(char32_t c) {
  if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
  for (int i = 0; i < 26; ++i) {
    if (c == static_cast<char32_t>(kAlphabet[i])) return i;
  }
  return 26;
}

Outcome<GeoPoint> LocatorToCentre(std::string_view locator) {
  const auto chars = utf8Characters(locator);
  if (chars.size() != kLocatorLength) return Outcome<GeoPoint>::failure(kInvalidInputMessage);
  int digits[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    const std::string_view piece = chars[2 + i];
    if (piece.size() != 1 || piece[0] < '0' || piece[0] > '9') {
      return Outcome<GeoPoint>::failure(notAnIntegerMessage(piece));
    }
    digits[i] = piece[0] - '0';
  }
  const long double fieldLon = letterValue(chars[0]);
  const long double fieldLat = letterValue(chars[1]);
  const long double subLon = letterValue(chars[4]);
  const long double subLat = letterValue(chars[5]);
  GeoPoint p;
  p.longitude = static_cast<double>((20 * fieldLon + 2 * digits[0]) + (subLon + 0.5L) / 12 - 180);
  p.latitude = static_cast<double>((10 * fieldLat + digits[1]) + (subLat + 0.5L) / 24 - 90);
  return Outcome<GeoPoint>::success(p);
}

Outcome<std::string> coordinatesToLocator(const GeoPoint& point) {
  if (!(point.longitude >= -180 && point.longitude <= 180 && point.latitude >= -90 &&
        point.latitude <= 90)) {
    return Outcome<std::string>::failure(kInvalidInputMessage);
  }
  // Whole sub-squares east of 180° W and north of 90° S; the far edges fall
  // into the last one.
  const int lonSteps = std::min(static_cast<int>(std::floor((point.longitude + 180) * 12)), 4319);
  const int latSteps = std::min(static_cast<int>(std::floor((point.latitude + 90) * 24)), 4319);
  std::string locator;
  locator += kAlphabet[lonSteps / 240];
  locator += kAlphabet[latSteps / 240];
  locator += static_cast<char>('0' + lonSteps % 240 / 24);
  locator += static_cast<char>('0' + latSteps % 240 / 24);
  locator += kAlphabet[lonSteps % 24];
  locator += kAlphabet[latSteps % 24];
  return Outcome<std::string>::success(locator);
}

Outcome<AsynopPosition> asynopPositionFromLocator(std::string_view locator) {
  const auto centre = LocatorToCentre(locator);
  if (!centre.ok()) return Outcome<AsynopPosition>::failure(centre.error);
  const GeoPoint& p = *centre.value;
  AsynopPosition position;
  position.latitude = ZeroPadNumber(3, std::trunc(std::fabs(p.latitude) * 10));
  position.longitude = ZeroPadNumber(4, std::trunc(std::fabs(p.longitude) * 10));
  // The quadrant follows the hemispheres of the centre, so that a locator read
  // in lower case from the settings file gets the same quadrant as in capitals.
  const bool east = p.longitude >= 0;
  const bool north = p.latitude >= 0;
  position.quadrant = north ? (east ? 1 : 7) : (east ? 3 : 5);
  return Outcome<AsynopPosition>::success(position);
}

}  // namespace tavik
