#include "core/column_layout.h"

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

}  // namespace tavik
