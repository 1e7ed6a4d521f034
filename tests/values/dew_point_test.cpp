// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/dew_point.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(DewPoint, TheMagnusFormulaMatchesTableValues) {
  // Saturated air has its own temperature as dew point.
  EXPECT_EQ(magnusDewPointTenths(200, 100), 200);
  EXPECT_EQ(magnusDewPointTenths(-50, 100), -50);
  // Values of the psychrometric tables, to a tenth of a degree.
  EXPECT_NEAR(*magnusDewPointTenths(200, 50), 93, 1);
  EXPECT_NEAR(*magnusDewPointTenths(0, 80), -30, 1);
  EXPECT_NEAR(*magnusDewPointTenths(-100, 70), -144, 2);
  EXPECT_FALSE(magnusDewPointTenths(200, 0));
  EXPECT_FALSE(magnusDewPointTenths(200, 101));
}

TEST(DewPoint, ComputedWhereTheConsoleGivesNone) {
  WeatherRecord w;
  StationState s;
  EXPECT_FALSE(outdoorDewPoint(w, s));
  s.seen8F = s.seen9F = s.seenAF = true;
  // Winter: no dew point from the console below 0 °C.
  w.DewOut.OutOfRange = true;
  w.TempOut.Current = -35;
  w.HumOut.Current = 87;
  const auto cold = outdoorDewPoint(w, s);
  ASSERT_TRUE(cold);
  EXPECT_TRUE(cold->computed);
  EXPECT_NEAR(cold->tenths, -53, 1);
  // The console's own value wins where it has one.
  w.DewOut.OutOfRange = false;
  w.DewOut.Current = 4;
  EXPECT_EQ(outdoorDewPoint(w, s)->tenths, 40);
  EXPECT_FALSE(outdoorDewPoint(w, s)->computed);
  // Without a humidity there is nothing to compute from.
  w.DewIn.OutOfRange = true;
  w.HumIn.OutOfRange = true;
  EXPECT_FALSE(indoorDewPoint(w, s));
}

}  // namespace
}  // namespace tavik
