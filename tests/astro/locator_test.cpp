// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/locator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/ellipsoid_distance.h"
#include "astro/locator_texts.h"

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

TEST(LocatorToCentre, CentreOfTheSubSquare) {
  EXPECT_EQ(LocatorLetterIndex(U'z'), 25);
  EXPECT_EQ(LocatorLetterIndex(U'Ä'), 26);
  const auto p = LocatorToCentre("JO30XP");
  ASSERT_TRUE(p.ok());
  EXPECT_NEAR(p.value->latitude, 50.6458333333, 1e-9);
  EXPECT_NEAR(p.value->longitude, 7.9583333333, 1e-9);
  const auto corner = LocatorToCentre("aa00aa");
  ASSERT_TRUE(corner.ok());
  EXPECT_NEAR(corner.value->latitude, -89.9791666667, 1e-9);
  EXPECT_NEAR(corner.value->longitude, -179.9583333333, 1e-9);
}

TEST(LocatorToCentre, RefusesWrongLengthAndNonDigitSquares) {
  EXPECT_EQ(LocatorToCentre("JO30X").error, "Ungültige Eingabe");
  EXPECT_EQ(LocatorToCentre("JO30XNN").error, "Ungültige Eingabe");
  EXPECT_EQ(LocatorToCentre("").error, "Ungültige Eingabe");
  EXPECT_EQ(LocatorToCentre("JOX0XN").error, "'X' ist kein gültiger Integerwert");
  EXPECT_EQ(LocatorToCentre("JO3-XN").error, "'-' ist kein gültiger Integerwert");
  // An umlaut is one character: six characters, and the bad digit is named whole.
  EXPECT_EQ(LocatorToCentre("JOÄ0XN").error, "'Ä' ist kein gültiger Integerwert");
  // A non-letter in a letter position only counts as 26.
  const auto odd = LocatorToCentre("JO30X!");
  ASSERT_TRUE(odd.ok());
  EXPECT_NEAR(odd.value->latitude, 50 + 26.5 / 24, 1e-9);
}

TEST(LocatorTexts, CoordinateFieldsOfTheDialog) {
  const auto t = locatorCoordinateTexts("JO30XP", de());
  ASSERT_TRUE(t.ok());
  EXPECT_EQ(t.value->latitudeDecimal, "50,6458333333333 N");
  EXPECT_EQ(t.value->longitudeDecimal, "7,95833333333333 E");
  EXPECT_EQ(t.value->latitudeDms, "50.38.45 N");
  EXPECT_EQ(t.value->longitudeDms, "7.57.30 E");
  const auto sw = locatorCoordinateTexts("AA00AA", de());
  ASSERT_TRUE(sw.ok());
  EXPECT_EQ(sw.value->latitudeDecimal, "89,9791666666667 S");
  EXPECT_EQ(sw.value->longitudeDms, "179.57.30 W");
}

TEST(LocatorDistance, MessagesOfTheExamples) {
  EXPECT_EQ(locatorDistanceMessage("JO30XN", "JO30XP", de()).value,
            "Distanz JO30XN - JO30XP: 9,2 km");
  EXPECT_EQ(locatorDistanceMessage("JO30XN", "JO62QM", de()).value,
            "Distanz JO30XN - JO62QM: 434,2 km");
  EXPECT_EQ(locatorDistanceMessage("JO30XN", "JO30XN", de()).value,
            "Distanz JO30XN - JO30XN: 0 km");
}

TEST(LocatorDistance, WrongLengthBeforeBadDigitOwnBeforeTarget) {
  EXPECT_EQ(locatorDistanceMessage("JOX0XN", "JO30X", de()).error, "Ungültige Eingabe");
  EXPECT_EQ(locatorDistanceMessage("JOX0XN", "JOY0XN", de()).error,
            "'X' ist kein gültiger Integerwert");
}

TEST(EllipsoidDistance, SymmetricAndFiniteAtTheDegenerateCases) {
  const double a = EllipsoidDistanceKm(50.5625, 7.9583, 52.5208, 13.375);
  EXPECT_DOUBLE_EQ(a, EllipsoidDistanceKm(52.5208, 13.375, 50.5625, 7.9583));
  EXPECT_EQ(EllipsoidDistanceKm(10, 20, 10, 20), 0.0);
  // Antipodes on the equator: half the equator; pole to pole: half a meridian.
  EXPECT_NEAR(EllipsoidDistanceKm(0, 0, 0, 180), 20037.5, 0.5);
  EXPECT_NEAR(EllipsoidDistanceKm(90, 0, -90, 0), 20003.9, 0.5);
  const double nearAntipode = EllipsoidDistanceKm(30, 10, -30, -170);
  EXPECT_TRUE(std::isfinite(nearAntipode));
  EXPECT_NEAR(nearAntipode, 20000, 50);
  // Two antipodal sub-square centres, through the dialog's message.
  const auto msg = locatorDistanceMessage("JJ00AA", "AI09AX", de());
  ASSERT_TRUE(msg.ok());
  EXPECT_EQ(msg.value->find("nan"), std::string::npos);
  EXPECT_NE(msg.value->find(": 200"), std::string::npos) << *msg.value << msg.error;
}

TEST(AsynopPosition, FieldsFromTheLocator) {
  const auto jo = asynopPositionFromLocator("JO30XN");
  ASSERT_TRUE(jo.ok());
  EXPECT_EQ(jo.value->latitude, "505");
  EXPECT_EQ(jo.value->longitude, "0079");
  EXPECT_EQ(jo.value->quadrant, 1);
  EXPECT_EQ(asynopPositionFromLocator("JO30XP").value->latitude, "506");
  const auto aa = asynopPositionFromLocator("AA00AA");
  EXPECT_EQ(aa.value->latitude, "899");
  EXPECT_EQ(aa.value->longitude, "1799");
  EXPECT_EQ(aa.value->quadrant, 5);
  EXPECT_EQ(asynopPositionFromLocator("JE00AA").value->quadrant, 3);
  EXPECT_EQ(asynopPositionFromLocator("FN20XR").value->quadrant, 7);
  // Lower case as read from the settings file gets the capitals' quadrant.
  EXPECT_EQ(asynopPositionFromLocator("fn20xr").value->quadrant, 7);
  EXPECT_EQ(asynopPositionFromLocator("JO3XN").error, "Ungültige Eingabe");
}

TEST(coordinatesToLocator, RoundTripsEveryFieldAndEdges) {
  for (const char* loc : {"JO30XN", "AA00AA", "RR99XX", "FN20XR", "JJ00AA", "AI99XX", "QE37LL"}) {
    const auto centre = LocatorToCentre(loc);
    ASSERT_TRUE(centre.ok());
    EXPECT_EQ(coordinatesToLocator(*centre.value).value, loc);
  }
  EXPECT_EQ(coordinatesToLocator({180, 90}).value, "RR99XX");
  EXPECT_EQ(coordinatesToLocator({-180, -90}).value, "AA00AA");
  EXPECT_EQ(coordinatesToLocator({180.01, 0}).error, "Ungültige Eingabe");
  EXPECT_EQ(coordinatesToLocator({0, std::nan("")}).error, "Ungültige Eingabe");
}

TEST(coordinatesToLocator, FromTheDialogsTexts) {
  EXPECT_EQ(locatorFromCoordinateTexts("50,6458333333333 N", "7,95833333333333 E",
                                       CoordinateForm::Decimal, de())
                .value,
            "JO30XP");
  EXPECT_EQ(
      locatorFromCoordinateTexts("50.38.45 N", "7.57.30 E", CoordinateForm::DegMinSec, de()).value,
      "JO30XP");
  EXPECT_EQ(
      locatorFromCoordinateTexts("40.42 n", "74.0.0 w", CoordinateForm::DegMinSec, de()).value,
      "FN30AQ");
  EXPECT_EQ(locatorFromCoordinateTexts("50,6 E", "7", CoordinateForm::Decimal, de()).error,
            "'50,6 E' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(locatorFromCoordinateTexts("50.61.0", "7", CoordinateForm::DegMinSec, de()).error,
            "'50.61.0' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(locatorFromCoordinateTexts("95", "7", CoordinateForm::Decimal, de()).error,
            "Ungültige Eingabe");
}

}  // namespace
}  // namespace tavik
