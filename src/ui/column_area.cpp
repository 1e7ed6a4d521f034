// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/column_area.h"

#include <QGroupBox>

#include <algorithm>

#include "ui/column_layout.h"

namespace tavik {
namespace {

QWidget* plainPanel(const char* name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

}  // namespace

ColumnArea::ColumnArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PanelMiddle"));
  PanelLinks = plainPanel("PanelLinks", this);
  PanelMitte = plainPanel("PanelMitte", this);
  PanelRechts = plainPanel("PanelRechts", this);
  PanelRechts2 = plainPanel("PanelRechts2", PanelRechts);
}

std::array<QWidget*, 10> ColumnArea::groupOwners() const {
  return {PanelLinks,   PanelLinks,   PanelMitte, PanelMitte,  PanelLinks,
          PanelRechts2, PanelRechts2, PanelMitte, PanelRechts, PanelRechts2};
}

void ColumnArea::arrange() {
  if (!groups_[0]) return;
  const ColumnLayout l = computeColumnLayout(width(), height());
  const int h = height();
  PanelLinks->setGeometry(0, 0, l.leftWidth, h);
  PanelMitte->setGeometry(l.leftWidth, 0, l.middleWidth, h);
  PanelRechts->setGeometry(l.leftWidth + l.middleWidth, 0, l.rightWidth, h);
  auto stack = [](QWidget* top, QWidget* fill, QWidget* bottom, int width, int height, int outer) {
    top->setGeometry(0, 0, width, outer);
    fill->setGeometry(0, outer, width, std::max(0, height - 2 * outer));
    bottom->setGeometry(0, std::max(outer, height - outer), width, outer);
  };
  stack(group(3), group(2), group(6), l.leftWidth, h, l.leftOuter);
  stack(group(5), group(4), group(9), l.middleWidth, h, l.middleOuter);
  PanelRechts2->setGeometry(0, 0, l.rightWidth, l.rightInner);
  group(10)->setGeometry(0, l.rightInner, l.rightWidth, l.windHeight);
  stack(group(8), group(7), group(11), l.rightWidth, l.rightInner, l.rightOuter);
}

QSize ColumnArea::minimumSizeHint() const {
  if (!groups_[0]) return {};
  std::array<AreaSize, 10> minimums;
  for (size_t i = 0; i < groups_.size(); ++i) {
    const QSize s = groups_[i]->minimumSizeHint();
    minimums[i] = {s.width(), s.height()};
  }
  const AreaSize area = smallestColumnArea(minimums);
  return {area.width, area.height};
}

void ColumnArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  arrange();
}

}  // namespace tavik
