// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_place.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace tavik {
namespace {

// The page's sun times are in the PC's local time: the test fixes the zone
// (central European winter time, one hour east) for this process.
class WebPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "CET-1", 1);
    tzset();
  }
  Settings settings;
  LocalDateTime day{2026, 12, 8, 12, 0, 0};
};

TEST_F(WebPlaceTest, TheLocatorsCentreItsHeightAndTodaysSunTimes) {
  settings.MyLocator = "JO62QM";  // Berlin
  settings.Hoehe = "34";
  const WebPlace p = webPlaceOf(settings, day);
  EXPECT_EQ(p.locator, "JO62QM");
  ASSERT_TRUE(p.latitude && p.longitude && p.heightM);
  EXPECT_NEAR(*p.latitude, 52.52, 0.03);
  EXPECT_NEAR(*p.longitude, 13.38, 0.05);
  EXPECT_EQ(*p.heightM, 34);
  // Berlin on 8 December: up about 8:05, down about 15:53, at the centre of
  // the locator's square.
  ASSERT_TRUE(p.sunrise && p.sunset);
  EXPECT_EQ(*p.sunrise, "8:06");
  EXPECT_EQ(*p.sunset, "15:51");
}

TEST_F(WebPlaceTest, WhatCannotBeReadStaysAbsent) {
  settings.MyLocator = "JO6";
  settings.Hoehe = "34 m";
  WebPlace p = webPlaceOf(settings, day);
  EXPECT_FALSE(p.latitude || p.longitude || p.heightM || p.sunrise || p.sunset);
  settings.MyLocator = "JQ79AA";  // beyond 79° north: the polar night
  settings.Hoehe = "";
  p = webPlaceOf(settings, day);
  EXPECT_TRUE(p.latitude.has_value());
  EXPECT_FALSE(p.sunrise || p.sunset || p.heightM);
}

}  // namespace
}  // namespace tavik
