// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/column_layout.h"

#include <algorithm>

#include "common/regional.h"

namespace tavik {

ColumnLayout computeColumnLayout(int width, int height) {
  ColumnLayout l;
  l.leftWidth = width / 3;
  l.rightWidth = width / 3;
  l.middleWidth = width - l.leftWidth - l.rightWidth;
  l.leftOuter = height / 3;
  l.middleOuter = height / 3;
  l.windHeight = l.middleOuter;
  l.rightInner = height - l.windHeight;
  l.rightOuter = static_cast<int>(roundHalfEven(l.rightInner / 3.0));
  return l;
}

AreaSize smallestColumnArea(const std::array<AreaSize, 10>& groups) {
  auto group = [&groups](int n) { return groups[static_cast<size_t>(n - 2)]; };
  int widest = 0;
  for (const AreaSize& g : groups) widest = std::max(widest, g.width);
  // Every column is at least a third of the width wide.
  AreaSize area{3 * widest, 0};
  // The filling groups get at least what the outer groups of their column
  // get, less one pixel of rounding in the right column; the bounds below
  // rise with the height, so every larger height fits as well.
  const int thirds = std::max({group(2).height, group(3).height, group(6).height, group(4).height,
                               group(5).height, group(9).height, group(10).height});
  const int rightThirds = std::max({group(8).height, group(11).height, group(7).height + 1});
  int h = 3 * thirds;
  while (computeColumnLayout(area.width, h).rightOuter < rightThirds) ++h;
  area.height = h;
  return area;
}

}  // namespace tavik
