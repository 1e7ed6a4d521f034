// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/thermometer_scale.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(ThermometerScale, DegreeSpanAndBarOfTheWorkedExample) {
  EXPECT_NEAR(scalePixelsPerDegree(616), 6.588, 0.001);
  // 20,0 °C is 50 scale degrees above the bar's foot: 329 pixels high, its
  // foot at 616 * 211/240 below the 17-high title bar.
  const MercuryBar bar = mercuryBar(616, 17, 20.0);
  EXPECT_EQ(bar.height, 329);
  EXPECT_EQ(bar.top, 230);  // 541.57 - 329 + 17
}

TEST(ThermometerScale, BarFootStaysAtMinusThirty) {
  const MercuryBar empty = mercuryBar(616, 17, -30.0);
  EXPECT_EQ(empty.height, 0);
  EXPECT_EQ(empty.top, 559);  // 541.57 + 17
  for (double t : {-10.0, 0.0, 12.5, 37.0}) {
    const MercuryBar bar = mercuryBar(616, 17, t);
    EXPECT_NEAR(bar.top + bar.height, 559, 1) << t;
  }
}

TEST(ThermometerScale, ValuesOffTheScaleStayInsideThePicture) {
  EXPECT_EQ(mercuryBar(616, 17, -45.0), mercuryBar(616, 17, -30.0));
  const MercuryBar full = mercuryBar(616, 17, 80.0);
  EXPECT_EQ(full.top, 17);
  EXPECT_EQ(full.height, 542);
}

TEST(ThermometerScale, ColumnStandsOverTheTube) {
  EXPECT_EQ(mercuryBarColumn(230), (BarColumn{105, 19}));
  EXPECT_EQ(thermometerWidthOnResize(497, 17), 200);
}

TEST(ThermometerScale, SourcesReadTheirValuesInDegrees) {
  WeatherRecord wx;
  wx.TempIn.Current = 205;
  wx.TempOut.Current = -123;
  wx.DewIn.Current = 9;
  wx.DewOut.Current = -4;
  wx.Chill.Current = -11;
  EXPECT_DOUBLE_EQ(thermometerValue(wx, ThermometerSource::TempIn), 20.5);
  EXPECT_DOUBLE_EQ(thermometerValue(wx, ThermometerSource::TempOut), -12.3);
  EXPECT_DOUBLE_EQ(thermometerValue(wx, ThermometerSource::DewIn), 9.0);
  EXPECT_DOUBLE_EQ(thermometerValue(wx, ThermometerSource::DewOut), -4.0);
  EXPECT_DOUBLE_EQ(thermometerValue(wx, ThermometerSource::Chill), -11.0);
  EXPECT_STREQ(thermometerCaption(ThermometerSource::DewOut), "Aussentaupunkt");
  EXPECT_STREQ(thermometerCaption(ThermometerSource::Chill), "Windchill");
}

}  // namespace
}  // namespace tavik
