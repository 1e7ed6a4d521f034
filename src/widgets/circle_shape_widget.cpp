// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/circle_shape_widget.h"

#include <QPainter>

namespace tavik {

CircleShape::CircleShape(QColor brush, QWidget* parent) : QWidget(parent), brush_(brush) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void CircleShape::setBrushColour(QColor colour) {
  if (colour == brush_) return;
  brush_ = colour;
  update();
}

void CircleShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(brush_.darker(170), 1.0));
  painter.setBrush(brush_);
  painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace tavik
