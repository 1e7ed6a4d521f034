// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/compass_rose_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace tavik {

namespace {

// A point at a compass bearing (0 = north, clockwise) and radius from the centre.
QPointF atBearing(QPointF centre, double bearingDeg, double radius) {
  const double a = (bearingDeg - 90.0) * std::numbers::pi / 180.0;
  return centre + QPointF(std::cos(a) * radius, std::sin(a) * radius);
}

// One point of the star: two triangles, one light and one dark, so that the
// point looks ridged.
void drawStarPoint(QPainter& p, QPointF c, double bearing, double length, double waist,
                   QColor light, QColor dark) {
  const QPointF tip = atBearing(c, bearing, length);
  const QPointF left = atBearing(c, bearing - 45.0, waist);
  const QPointF right = atBearing(c, bearing + 45.0, waist);
  QPainterPath lightHalf;
  lightHalf.moveTo(c);
  lightHalf.lineTo(left);
  lightHalf.lineTo(tip);
  lightHalf.closeSubpath();
  QPainterPath darkHalf;
  darkHalf.moveTo(c);
  darkHalf.lineTo(tip);
  darkHalf.lineTo(right);
  darkHalf.closeSubpath();
  p.fillPath(lightHalf, light);
  p.fillPath(darkHalf, dark);
}

}  // namespace

CompassRose::CompassRose(QWidget* parent) : QWidget(parent) {}

void CompassRose::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = width();
  const double h = height();
  const QPointF c(w / 2.0, h / 2.0);
  const double half = std::min(w, h) / 2.0;
  // The marker runs on this ring (the same radius the marker geometry uses).
  const double ring = half - w / 6.5;

  // The desktop's colours, light or dark; only north keeps its red.
  const QPalette& colours = palette();
  const QColor ink = colours.color(QPalette::WindowText);
  const QColor base = colours.color(QPalette::Base);
  const QColor mid = colours.color(QPalette::Mid);
  QRadialGradient sky(c, half);
  sky.setColorAt(0.0, base);
  sky.setColorAt(1.0, colours.color(QPalette::Window));
  p.fillRect(rect(), sky);

  QColor face = base;
  face.setAlpha(150);
  p.setPen(QPen(mid, 1.5));
  p.setBrush(face);
  p.drawEllipse(c, ring, ring);

  for (int deg = 0; deg < 360; deg += 10) {
    const bool major = deg % 30 == 0;
    p.setPen(QPen(mid, major ? 1.6 : 0.8));
    p.drawLine(atBearing(c, deg, ring - (major ? 7.0 : 4.0)), atBearing(c, deg, ring));
  }

  const double star = ring * 0.8;
  const QColor north = QColor(170, 30, 30);
  for (int bearing = 45; bearing < 360; bearing += 90) {
    drawStarPoint(p, c, bearing, star * 0.62, star * 0.16, base, mid);
  }
  for (int bearing = 0; bearing < 360; bearing += 90) {
    drawStarPoint(p, c, bearing, star, star * 0.2, colours.color(QPalette::Window), ink);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawEllipse(c, star * 0.06, star * 0.06);

  static const std::array<const char*, 8> kNames = {"N", "NO", "O", "SO", "S", "SW", "W", "NW"};
  const double labelRadius = half - w / 13.0;
  for (int i = 0; i < 8; ++i) {
    const bool cardinal = i % 2 == 0;
    QFont font = p.font();
    font.setPixelSize(std::max(6, static_cast<int>(w / (cardinal ? 14.0 : 22.0))));
    font.setBold(cardinal);
    p.setFont(font);
    p.setPen(i == 0 ? north : ink);
    const QPointF at = atBearing(c, i * 45.0, labelRadius);
    const QRectF box(at.x() - w / 8.0, at.y() - w / 16.0, w / 4.0, w / 8.0);
    p.drawText(box, Qt::AlignCenter, kNames[i]);
  }
}

}  // namespace tavik
