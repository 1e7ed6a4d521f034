// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/column_area.h"

#include <QEvent>
#include <QGroupBox>
#include <QLayout>

#include <algorithm>

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

void ColumnArea::setRoom(QSize room, int narrowest) {
  if (room == room_ && narrowest == narrowest_) return;
  room_ = room;
  narrowest_ = narrowest;
  updateGeometry();
}

std::array<AreaSize, 10> ColumnArea::groupMinimums() const {
  std::array<AreaSize, 10> minimums;
  for (size_t i = 0; i < groups_.size(); ++i) {
    const QSize s = groups_[i]->minimumSizeHint();
    minimums[i] = {s.width(), s.height()};
  }
  return minimums;
}

int ColumnArea::columnCount() const {
  if (!groups_[0]) return 3;
  const std::array<AreaSize, 10> minimums = groupMinimums();
  if (const int fitting = columnsFor(minimums, {width(), height()}); fitting > 0) return fitting;
  // Smaller than any arrangement needs (only while the window is being
  // built): the one its screen allows.
  return room_.isValid() ? fittingColumns(minimums, {room_.width(), room_.height()}, narrowest_)
                         : 3;
}

void ColumnArea::arrange() {
  if (!groups_[0]) return;
  const int columns = columnCount();
  holdGroupsIn(columns >= 3);
  if (columns >= 3) {
    arrangeInColumns();
  } else {
    arrangeFlowing(columns);
  }
}

void ColumnArea::arrangeInColumns() {
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

void ColumnArea::arrangeFlowing(int columns) {
  const std::array<Box, 10> boxes = computeFlowLayout(groupMinimums(), columns, width(), height());
  for (size_t i = 0; i < groups_.size(); ++i) {
    groups_[i]->setGeometry(boxes[i].x, boxes[i].y, boxes[i].width, boxes[i].height);
  }
}

// Flowing groups leave their column panels for the area itself and come back
// to them when three columns fit again.
void ColumnArea::holdGroupsIn(bool panels) {
  const std::array<QWidget*, 10> owners = groupOwners();
  for (size_t i = 0; i < groups_.size(); ++i) {
    QWidget* holder = panels ? owners[i] : this;
    if (groups_[i]->parentWidget() == holder) continue;
    groups_[i]->setParent(holder);
    groups_[i]->show();
  }
  for (QWidget* panel : {PanelLinks, PanelMitte, PanelRechts}) panel->setVisible(panels);
}

QSize ColumnArea::minimumSizeHint() const {
  if (!groups_[0]) return {};
  const std::array<AreaSize, 10> minimums = groupMinimums();
  const int columns =
      room_.isValid() ? fittingColumns(minimums, {room_.width(), room_.height()}, narrowest_) : 3;
  const AreaSize area = smallestArea(minimums, columns);
  return {area.width, area.height};
}

void ColumnArea::setGroups(const std::array<QGroupBox*, 10>& groups) {
  groups_ = groups;
  for (QGroupBox* g : groups_) g->installEventFilter(this);
}

// The groups are placed by hand, outside any layout, so a change of their
// smallest size (a font, a longer reserved text) reaches no layout by itself.
// Their layouts settle first; then the window learns the area's new smallest
// size.
bool ColumnArea::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::LayoutRequest) {
    if (QLayout* inner = static_cast<QWidget*>(watched)->layout()) inner->activate();
    updateGeometry();
  }
  return QWidget::eventFilter(watched, event);
}

void ColumnArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  arrange();
}

}  // namespace tavik
