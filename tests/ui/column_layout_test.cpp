// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/column_layout.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

// Whether every group gets at least its minimum in an area of this size.
bool fits(const std::array<AreaSize, 10>& groups, int width, int height) {
  const ColumnLayout l = computeColumnLayout(width, height);
  auto g = [&groups](int n) { return groups[static_cast<size_t>(n - 2)]; };
  auto column = [](const AreaSize& m, int w, int h) { return m.width <= w && m.height <= h; };
  const int leftFill = height - 2 * l.leftOuter;
  const int middleFill = height - 2 * l.middleOuter;
  const int rightFill = l.rightInner - 2 * l.rightOuter;
  return column(g(3), l.leftWidth, l.leftOuter) && column(g(6), l.leftWidth, l.leftOuter) &&
         column(g(2), l.leftWidth, leftFill) && column(g(5), l.middleWidth, l.middleOuter) &&
         column(g(9), l.middleWidth, l.middleOuter) && column(g(4), l.middleWidth, middleFill) &&
         column(g(10), l.rightWidth, l.windHeight) && column(g(8), l.rightWidth, l.rightOuter) &&
         column(g(11), l.rightWidth, l.rightOuter) && column(g(7), l.rightWidth, rightFill);
}

TEST(ColumnLayoutTest, ThirdsTruncatedLeftAndMiddleRoundedRight) {
  ColumnLayout l = computeColumnLayout(100, 156);
  EXPECT_EQ(l.leftWidth, 33);
  EXPECT_EQ(l.middleWidth, 34);
  EXPECT_EQ(l.rightInner, 104);
  EXPECT_EQ(l.rightOuter, 35);  // 34.67 rounded
  EXPECT_EQ(l.leftOuter, 52);
  l = computeColumnLayout(300, 104);
  EXPECT_EQ(l.leftOuter, 34);  // truncated
}

TEST(ColumnLayoutTest, SmallestAreaFitsEveryGroupAndSoDoesEveryLargerOne) {
  const std::array<std::array<AreaSize, 10>, 3> cases{{
      {{{120, 90},
        {150, 60},
        {200, 70},
        {180, 70},
        {160, 110},
        {140, 60},
        {130, 50},
        {170, 95},
        {210, 100},
        {140, 55}}},
      {{{10, 10},
        {10, 10},
        {10, 10},
        {10, 10},
        {10, 10},
        {10, 200},
        {10, 10},
        {10, 10},
        {10, 10},
        {10, 10}}},  // a tall filling group in the right column
      {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
  }};
  for (const auto& groups : cases) {
    const AreaSize s = smallestColumnArea(groups);
    for (int dw = 0; dw < 40; dw += 3) {
      for (int dh = 0; dh < 40; ++dh) {
        EXPECT_TRUE(fits(groups, s.width + dw, s.height + dh))
            << s.width + dw << " x " << s.height + dh;
      }
    }
  }
  // Not wastefully large: one pixel less in height no longer fits the first case.
  const AreaSize s = smallestColumnArea(cases[0]);
  EXPECT_FALSE(fits(cases[0], s.width, s.height - 1));
}

}  // namespace
}  // namespace tavik
