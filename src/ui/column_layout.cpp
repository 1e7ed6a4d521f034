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

namespace {

// The groups in the order of the three columns, top to bottom.
constexpr std::array<int, 10> kFlowOrder{3, 2, 6, 5, 4, 9, 8, 7, 11, 10};

int minimumHeight(const std::array<AreaSize, 10>& groups, size_t position) {
  return groups[static_cast<size_t>(kFlowOrder[position] - 2)].height;
}

// Where the second column starts in kFlowOrder (10: one column): the split
// whose taller column is lowest.
size_t flowSplit(const std::array<AreaSize, 10>& groups, int columns) {
  if (columns <= 1) return kFlowOrder.size();
  int total = 0;
  for (size_t i = 0; i < kFlowOrder.size(); ++i) total += minimumHeight(groups, i);
  size_t best = 1;
  int bestHeight = total;
  int first = 0;
  for (size_t split = 1; split < kFlowOrder.size(); ++split) {
    first += minimumHeight(groups, split - 1);
    if (const int taller = std::max(first, total - first); taller < bestHeight) {
      best = split;
      bestHeight = taller;
    }
  }
  return best;
}

}  // namespace

std::array<Box, 10> computeFlowLayout(const std::array<AreaSize, 10>& groups, int columns,
                                      int width, int height) {
  std::array<Box, 10> boxes;
  const size_t split = flowSplit(groups, columns);
  const int count = split < kFlowOrder.size() ? 2 : 1;
  for (int c = 0; c < count; ++c) {
    const size_t begin = c == 0 ? 0 : split;
    const size_t end = c == 0 ? split : kFlowOrder.size();
    const int x = c * (width / count);
    const int w = c + 1 == count ? width - x : width / count;
    int need = 0;
    for (size_t i = begin; i < end; ++i) need += minimumHeight(groups, i);
    const int members = static_cast<int>(end - begin);
    const int extra = std::max(0, height - need);
    int y = 0;
    for (size_t i = begin; i < end; ++i) {
      // The last group of the column takes what the division leaves.
      const int share = i + 1 == end ? extra - (members - 1) * (extra / members) : extra / members;
      Box& b = boxes[static_cast<size_t>(kFlowOrder[i] - 2)];
      b = {x, y, w, minimumHeight(groups, i) + share};
      y += b.height;
    }
  }
  return boxes;
}

AreaSize smallestArea(const std::array<AreaSize, 10>& groups, int columns) {
  if (columns >= 3) return smallestColumnArea(groups);
  int widest = 0;
  for (const AreaSize& g : groups) widest = std::max(widest, g.width);
  const size_t split = flowSplit(groups, columns);
  int first = 0;
  int second = 0;
  for (size_t i = 0; i < kFlowOrder.size(); ++i) {
    (i < split ? first : second) += minimumHeight(groups, i);
  }
  return {(split < kFlowOrder.size() ? 2 : 1) * widest, std::max(first, second)};
}

int fittingColumns(const std::array<AreaSize, 10>& groups, AreaSize room, int narrowest) {
  int best = 3;
  long long leastOutside = -1;
  for (int columns = 3; columns >= 1; --columns) {
    const AreaSize a = smallestArea(groups, columns);
    const long long w = std::max(a.width, narrowest);
    const long long h = a.height;
    const long long outside = w * h - std::min<long long>(w, std::max(0, room.width)) *
                                          std::min<long long>(h, std::max(0, room.height));
    if (outside == 0) return columns;
    if (leastOutside < 0 || outside < leastOutside) {
      best = columns;
      leastOutside = outside;
    }
  }
  return best;
}

int columnsFor(const std::array<AreaSize, 10>& groups, AreaSize size) {
  for (int columns = 3; columns >= 1; --columns) {
    const AreaSize a = smallestArea(groups, columns);
    if (a.width <= size.width && a.height <= size.height) return columns;
  }
  return 0;
}

}  // namespace tavik
