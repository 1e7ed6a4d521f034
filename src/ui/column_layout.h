// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace tavik {

// Where the three columns of the main window and their display groups go for a
// middle area of the given size: the outer columns take a third of the width
// each, the top and bottom groups of the left and middle columns a third of
// the height (truncated), the wind group under the right column as much as the
// rain group, and the top and bottom groups of the rest of the right column a
// third of it, rounded half to even. The groups not named here fill what is
// left of their column.
struct ColumnLayout {
  int leftWidth = 0;    // PanelLinks
  int middleWidth = 0;  // PanelMitte
  int rightWidth = 0;   // PanelRechts
  int leftOuter = 0;    // GroupBox3 (top) and GroupBox6 (bottom)
  int middleOuter = 0;  // GroupBox5 (top) and GroupBox9 (bottom)
  int windHeight = 0;   // GroupBox10, under PanelRechts2
  int rightInner = 0;   // PanelRechts2
  int rightOuter = 0;   // GroupBox8 (top) and GroupBox11 (bottom) inside PanelRechts2
};

ColumnLayout computeColumnLayout(int width, int height);

struct AreaSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const AreaSize&, const AreaSize&) = default;
};

// The smallest middle area in which every display group gets at least its
// minimum size, given those of GroupBox2..GroupBox11 (index 0 is group 2),
// and in which every larger area does too.
AreaSize smallestColumnArea(const std::array<AreaSize, 10>& groupMinimums);

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

// The groups in one or two columns, for a screen too narrow for three: in the
// order of the three columns (GroupBox3, 2, 6, then 5, 4, 9, then 8, 7, 11,
// 10) down the first column and on in the second, split where the taller
// column is lowest. In a column every group gets its minimum height and an
// equal share of what is left; the columns are equally wide. The boxes of
// GroupBox2..GroupBox11 (index 0 is group 2), in the area.
std::array<Box, 10> computeFlowLayout(const std::array<AreaSize, 10>& groupMinimums, int columns,
                                      int width, int height);

// The smallest area of the groups in 3 columns (smallestColumnArea) or in
// fewer (the flow layout).
AreaSize smallestArea(const std::array<AreaSize, 10>& groupMinimums, int columns);

// How many columns the groups take on a screen that leaves `room` for the
// area, when the window is at least `narrowest` wide for its other parts:
// the most columns with which the window fits the room; when none fits, the
// arrangement that leaves the least of the window outside the room (the more
// columns of two that leave as much).
int fittingColumns(const std::array<AreaSize, 10>& groupMinimums, AreaSize room, int narrowest);

// The most columns whose smallest area fits into `size`; 0 when none does.
int columnsFor(const std::array<AreaSize, 10>& groupMinimums, AreaSize size);

}  // namespace tavik
