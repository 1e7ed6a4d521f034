// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/compass.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

std::string_view pointOf(int degrees) { return compassName(compassPoint(degrees)); }

TEST(CompassTest, SixteenGermanPointsWithTheirBoundaries) {
  EXPECT_EQ(pointOf(0), "N");
  EXPECT_EQ(pointOf(11), "N");  // 11.25 is the border
  EXPECT_EQ(pointOf(12), "NNO");
  EXPECT_EQ(pointOf(90), "O");
  EXPECT_EQ(pointOf(101), "O");
  EXPECT_EQ(pointOf(102), "OSO");
  EXPECT_EQ(pointOf(180), "S");
  EXPECT_EQ(pointOf(247), "WSW");
  EXPECT_EQ(pointOf(281), "W");
  EXPECT_EQ(pointOf(348), "NNW");
  EXPECT_EQ(pointOf(349), "N");
}

TEST(CompassTest, AnyWholeNumberOfDegreesIsTakenModulo360) {
  EXPECT_EQ(pointOf(360), "N");
  EXPECT_EQ(pointOf(360 + 45), "NO");
  EXPECT_EQ(pointOf(-12), "NNW");
  EXPECT_EQ(pointOf(-90), "W");
  EXPECT_EQ(compassName(16 + 4), "O");
}

}  // namespace
}  // namespace tavik
