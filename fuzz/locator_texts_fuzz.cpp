// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary texts in the locator dialog: the own locator, a target locator
// and a latitude and a longitude, one per line. No crash, a message for every
// failure, no "nan" or "inf" in any text, and the coordinates shown for a
// locator on the grid lead back to that locator.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "astro/locator.h"
#include "astro/locator_texts.h"
#include "fuzz_input.h"

namespace {

using namespace tavik;

template <typename T>
void checkOutcome(const Outcome<T>& outcome) {
  fuzz::check(outcome.ok() == outcome.error.empty(), "a value or a message");
}

void checkText(const Outcome<std::string>& outcome) {
  checkOutcome(outcome);
  if (outcome.ok()) fuzz::check(!fuzz::showsBadNumber(*outcome.value), "no broken number");
}

// Whether a text is a locator inside the grid: two field letters A..R, two
// digits and two sub-square letters A..X, in either case.
bool onGrid(std::string_view s) {
  const auto letter = [](char c, char last) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u >= 'A' && u <= last;
  };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return s.size() == 6 && letter(s[0], 'R') && letter(s[1], 'R') && digit(s[2]) && digit(s[3]) &&
         letter(s[4], 'X') && letter(s[5], 'X');
}

bool sameLocator(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

void checkLocator(std::string_view locator, const RegionalSettings& rs) {
  const auto centre = LocatorToCentre(locator);
  checkOutcome(centre);
  if (centre.ok()) checkText(coordinatesToLocator(*centre.value));
  checkOutcome(asynopPositionFromLocator(locator));
  const auto dms = LocatorToDegMinSec(locator);
  checkOutcome(dms);
  if (dms.ok()) {
    fuzz::check(!fuzz::showsBadNumber(dms.value->latitude + dms.value->longitude),
                "no broken number");
  }
  const auto texts = locatorCoordinateTexts(locator, rs);
  checkOutcome(texts);
  if (!texts.ok()) return;
  const CoordinateTexts& t = *texts.value;
  fuzz::check(!fuzz::showsBadNumber(t.latitudeDecimal + t.longitudeDecimal + t.latitudeDms +
                                    t.longitudeDms),
              "no broken number");
  if (!onGrid(locator)) return;
  const auto fromDecimal = locatorFromCoordinateTexts(t.latitudeDecimal, t.longitudeDecimal,
                                                      CoordinateForm::Decimal, rs);
  fuzz::check(fromDecimal.ok() && sameLocator(*fromDecimal.value, locator),
              "decimal degrees lead back to the locator");
  const auto fromDms =
      locatorFromCoordinateTexts(t.latitudeDms, t.longitudeDms, CoordinateForm::DegMinSec, rs);
  fuzz::check(fromDms.ok() && sameLocator(*fromDms.value, locator),
              "degrees, minutes and seconds lead back to the locator");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = fuzz::fields(data, size, 4);
  const RegionalSettings& rs = RegionalSettings::german();
  checkLocator(f[0], rs);
  checkLocator(f[1], rs);
  checkText(locatorDistanceMessage(f[0], f[1], rs));
  for (const CoordinateForm form : {CoordinateForm::Decimal, CoordinateForm::DegMinSec}) {
    checkText(locatorFromCoordinateTexts(f[2], f[3], form, rs));
  }
  return 0;
}
