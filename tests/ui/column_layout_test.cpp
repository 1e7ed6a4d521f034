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

// Groups of every kind of height: the filling ones, tall ones, wind the widest.
const std::array<AreaSize, 10> kGroups{{{120, 90},
                                        {150, 60},
                                        {200, 70},
                                        {180, 70},
                                        {160, 110},
                                        {140, 60},
                                        {130, 50},
                                        {170, 95},
                                        {210, 100},
                                        {140, 55}}};

TEST(ColumnLayoutTest, FlowingGroupsGetTheirMinimumsWithoutOverlapInsideTheArea) {
  for (const int columns : {2, 1}) {
    const AreaSize s = smallestArea(kGroups, columns);
    EXPECT_EQ(s.width, columns * 210);
    for (const AreaSize area : {s, AreaSize{s.width + 37, s.height + 101}}) {
      const std::array<Box, 10> boxes =
          computeFlowLayout(kGroups, columns, area.width, area.height);
      int covered = 0;
      for (size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        EXPECT_GE(b.width, kGroups[i].width) << columns << " columns, group " << i + 2;
        EXPECT_GE(b.height, kGroups[i].height) << columns << " columns, group " << i + 2;
        EXPECT_GE(b.x, 0);
        EXPECT_GE(b.y, 0);
        EXPECT_LE(b.x + b.width, area.width);
        EXPECT_LE(b.y + b.height, area.height);
        covered += b.width * b.height;
        for (size_t j = 0; j < i; ++j) {
          const Box& o = boxes[j];
          const bool apart = b.x + b.width <= o.x || o.x + o.width <= b.x ||
                             b.y + b.height <= o.y || o.y + o.height <= b.y;
          EXPECT_TRUE(apart) << "groups " << i + 2 << " and " << j + 2;
        }
      }
      // Side by side and on top of each other, they fill the area.
      EXPECT_EQ(covered, area.width * area.height) << columns << " columns";
    }
  }
  // Two columns split in the reading order where the taller one is lowest:
  // 3, 2, 6, 5, 4 (400 px) beside 9, 8, 7, 11, 10 (360 px, each 8 px more).
  EXPECT_EQ(smallestArea(kGroups, 2).height, 400);
  const std::array<Box, 10> two = computeFlowLayout(kGroups, 2, 420, 400);
  EXPECT_EQ(two[3 - 2], (Box{0, 0, 210, 60}));
  EXPECT_EQ(two[4 - 2], (Box{0, 330, 210, 70}));
  EXPECT_EQ(two[9 - 2], (Box{210, 0, 210, 103}));
  EXPECT_EQ(two[10 - 2], (Box{210, 292, 210, 108}));
}

TEST(ColumnLayoutTest, ColumnsFollowTheRoomTheScreenLeaves) {
  const AreaSize three = smallestArea(kGroups, 3);
  const AreaSize two = smallestArea(kGroups, 2);
  EXPECT_EQ(fittingColumns(kGroups, three, 0), 3);
  EXPECT_EQ(fittingColumns(kGroups, {three.width - 1, 2000}, 0), 2);
  EXPECT_EQ(fittingColumns(kGroups, {two.width - 1, 2000}, 0), 1);
  // Nothing fits: the arrangement that leaves the least outside. Slightly too
  // low for two columns is better than far too wide for three.
  EXPECT_EQ(fittingColumns(kGroups, {two.width, two.height - 10}, 0), 2);
  EXPECT_EQ(fittingColumns(kGroups, {three.width - 5, three.height}, 0), 3);
  // When the window's other parts are wider than three columns anyway, fewer
  // columns only make it taller.
  EXPECT_EQ(fittingColumns(kGroups, {three.width / 2, three.height}, three.width + 50), 3);

  // The arrangement at a given size: the most columns that fit it.
  EXPECT_EQ(columnsFor(kGroups, three), 3);
  EXPECT_EQ(columnsFor(kGroups, {three.width - 1, 5000}), 2);
  EXPECT_EQ(columnsFor(kGroups, {10, 10}), 0);
}

}  // namespace
}  // namespace tavik
