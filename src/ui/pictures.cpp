// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tavik {
namespace {

// A transparent picture of w x h device-independent pixels, sharp on a
// scaled screen too.
QPixmap blank(int w, int h) {
  const qreal ratio = QGuiApplication::instance() ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pm(QSize(w, h) * ratio);
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  return pm;
}

// A thick arrow from `from` to `to` with a filled head.
void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  const QLineF line(from, to);
  const double angle = std::atan2(-line.dy(), line.dx());
  const double head = 9.0;
  const QPointF left =
      to - QPointF(std::cos(angle - M_PI / 6) * head, -std::sin(angle - M_PI / 6) * head);
  const QPointF right =
      to - QPointF(std::cos(angle + M_PI / 6) * head, -std::sin(angle + M_PI / 6) * head);
  p.setPen(QPen(colour, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QLineF(from, to - (to - from) / line.length() * 4.0));
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({to, left, right}));
}

void drawSun(QPainter& p, QPointF centre, double radius) {
  p.setPen(QPen(QColor(240, 160, 0), 2.0, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    const QPointF dir(std::cos(a), std::sin(a));
    p.drawLine(centre + dir * (radius + 2.5), centre + dir * (radius + 6.5));
  }
  QRadialGradient g(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
  g.setColorAt(0, QColor(255, 240, 120));
  g.setColorAt(1, QColor(250, 180, 0));
  p.setPen(QPen(QColor(225, 140, 0), 1.0));
  p.setBrush(g);
  p.drawEllipse(centre, radius, radius);
}

// A cloud of three puffs over a flat base, its bounding box at `box`.
void drawCloud(QPainter& p, QRectF box, const QColor& light, const QColor& dark) {
  QPainterPath path;
  // Winding fill merges the overlapping puffs into one outline.
  path.setFillRule(Qt::WindingFill);
  const double h = box.height();
  const double w = box.width();
  path.addRoundedRect(QRectF(box.left(), box.top() + h * 0.45, w, h * 0.55), h * 0.27, h * 0.27);
  path.addEllipse(QRectF(box.left() + w * 0.12, box.top() + h * 0.22, w * 0.38, h * 0.62));
  path.addEllipse(QRectF(box.left() + w * 0.36, box.top(), w * 0.46, h * 0.8));
  path = path.simplified();
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, light);
  g.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(130), 1.0));
  p.setBrush(g);
  p.drawPath(path);
}

void drawRain(QPainter& p, QRectF below) {
  p.setPen(QPen(QColor(30, 110, 230), 2.0, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 4; ++i) {
    const double x = below.left() + 6 + i * (below.width() - 12) / 3.0;
    p.drawLine(QPointF(x, below.top() + 1), QPointF(x - 3, below.bottom() - 1));
  }
}

}  // namespace

QPixmap trendPicture(int code) {
  QPixmap pm = blank(32, 24);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (code) {
    case 1:
      drawArrow(p, {5, 20}, {27, 4}, QColor(0, 140, 40));
      break;
    case 2:
      drawArrow(p, {3, 12}, {29, 12}, QColor(40, 90, 200));
      break;
    case 4:
      drawArrow(p, {5, 4}, {27, 20}, QColor(200, 40, 30));
      break;
    default:
      break;
  }
  return pm;
}

QPixmap forecastPicture(int code) {
  QPixmap pm = blank(55, 44);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (code) {
    case 1:
      drawSun(p, {27.5, 22}, 11);
      break;
    case 2:
      drawSun(p, {20, 16}, 9);
      drawCloud(p, {17, 17, 34, 22}, QColor(255, 255, 255), QColor(190, 200, 215));
      break;
    case 4:
      drawCloud(p, {3, 6, 32, 20}, QColor(200, 205, 215), QColor(140, 148, 160));
      drawCloud(p, {15, 14, 37, 24}, QColor(175, 180, 192), QColor(115, 122, 135));
      break;
    case 8:
      drawCloud(p, {8, 2, 40, 24}, QColor(160, 168, 182), QColor(100, 108, 122));
      drawRain(p, {10, 28, 36, 14});
      break;
    default:
      break;
  }
  return pm;
}

QPixmap activeButtonPicture(bool hover) {
  QPixmap pm = blank(16, 16);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // A power symbol: an open ring with a bar through its gap.
  const QColor colour = hover ? QColor(0, 170, 60) : QColor(70, 80, 90);
  p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(2.5, 3, 11, 11), 120 * 16, 300 * 16);
  p.drawLine(QPointF(8, 1.5), QPointF(8, 8));
  return pm;
}

QPixmap receiveLampPicture(bool lit) {
  QPixmap pm = blank(14, 14);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(5, 5), 8);
  g.setColorAt(0, lit ? QColor(255, 180, 170) : QColor(150, 60, 60));
  g.setColorAt(1, lit ? QColor(240, 0, 0) : QColor(90, 0, 0));
  p.setPen(QPen(QColor(60, 0, 0), 1.0));
  p.setBrush(g);
  p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
  return pm;
}

QPixmap applicationPicture(int size) {
  QPixmap pm = blank(size, size);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  drawSun(p, {40, 22}, 13);
  // Thermometer: a glass tube with a red column and a bulb.
  p.setPen(QPen(QColor(60, 70, 80), 2.0));
  p.setBrush(QColor(245, 248, 252));
  p.drawRoundedRect(QRectF(12, 6, 12, 42), 6, 6);
  p.drawEllipse(QPointF(18, 50), 9, 9);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 30, 30));
  p.drawRoundedRect(QRectF(15.5, 22, 5, 28), 2.5, 2.5);
  p.drawEllipse(QPointF(18, 50), 6.5, 6.5);
  return pm;
}

QIcon applicationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    icon.addPixmap(applicationPicture(size));
  }
  return icon;
}

}  // namespace tavik
