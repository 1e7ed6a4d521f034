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

}  // namespace tavik
