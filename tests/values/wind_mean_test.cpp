// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/wind_mean.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(WindMean, TenMinutesAroundNorthAverageToNorth) {
  WindMean wind;
  for (long long t = 0; t <= 600; t += 10) wind.add(t, 50, t % 20 == 0 ? 350 : 10);
  const auto mean = wind.mean(600);
  ASSERT_TRUE(mean);
  EXPECT_EQ(mean->dirDegrees, 360);
  EXPECT_EQ(mean->speedTenths, 50);
}

TEST(WindMean, NothingUntilTenMinutesAreKnown) {
  WindMean wind;
  for (long long t = 0; t < 600; t += 10) wind.add(t, 40, 90);
  EXPECT_FALSE(wind.mean(599));
  wind.add(600, 40, 90);
  ASSERT_TRUE(wind.mean(600));
  EXPECT_EQ(wind.mean(600)->dirDegrees, 90);
  // No group for ten minutes: no mean.
  EXPECT_FALSE(wind.mean(1300));
}

TEST(WindMean, OnlyTheLastTenMinutesCountAndCalmHasNoDirection) {
  WindMean wind;
  for (long long t = 0; t <= 1200; t += 10) wind.add(t, t < 600 ? 100 : 0, 247);
  const auto calm = wind.mean(1200);
  ASSERT_TRUE(calm);
  EXPECT_EQ(calm->speedTenths, 0);
  EXPECT_EQ(calm->dirDegrees, 0);
}

}  // namespace
}  // namespace tavik
