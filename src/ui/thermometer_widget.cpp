// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/thermometer_widget.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

#include "ui/thermometer_scale.h"

namespace tavik {

namespace {

const QColor kMercuryDark(150, 10, 20);
const QColor kMercuryLight(240, 80, 80);

// Mercury shading across a column from x0 to x1: dark at the edges, bright
// just left of the middle, as a lit round tube.
QLinearGradient mercuryShade(double x0, double x1) {
  QLinearGradient g(x0, 0, x1, 0);
  g.setColorAt(0.0, kMercuryDark);
  g.setColorAt(0.35, kMercuryLight);
  g.setColorAt(1.0, kMercuryDark);
  return g;
}

// The Celsius ticks left of the tube, the Fahrenheit ticks right of it, and
// the two units beside the bulb at the height `unitY`; `w` is the width.
void drawScales(QPainter& p, const QColor& ink, double w, const std::function<double(double)>& yOf,
                double tickLeft, double tickRight, double unitY) {
  QFont font = p.font();
  font.setPixelSize(std::max(7, static_cast<int>(w / 17.0)));
  p.setFont(font);
  for (int c = kScaleBottomDegrees; c <= 50; ++c) {
    const double y = yOf(c);
    const double length = c % 10 == 0 ? w * 0.12 : (c % 5 == 0 ? w * 0.08 : w * 0.045);
    p.setPen(QPen(ink, c % 10 == 0 ? 1.4 : 0.8));
    p.drawLine(QPointF(tickLeft - length, y), QPointF(tickLeft, y));
    if (c % 10 == 0) {
      const QRectF label(0, y - w / 12.0, tickLeft - w * 0.13, w / 6.0);
      p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(c));
    }
  }
  // Fahrenheit on the right, every 2 °F, labelled every 20 °F.
  for (int f = -20; f <= 120; f += 2) {
    const double y = yOf((f - 32) * 5.0 / 9.0);
    const double length = f % 20 == 0 ? w * 0.12 : (f % 10 == 0 ? w * 0.08 : w * 0.045);
    p.setPen(QPen(ink, f % 20 == 0 ? 1.4 : 0.8));
    p.drawLine(QPointF(tickRight, y), QPointF(tickRight + length, y));
    if (f % 20 == 0) {
      const QRectF label(tickRight + w * 0.13, y - w / 12.0, w - tickRight - w * 0.13, w / 6.0);
      p.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, QString::number(f));
    }
  }
  // The units stand beside the bulb, below their scales.
  font.setBold(true);
  p.setFont(font);
  p.setPen(ink);
  const QRectF unitRow(0, unitY - w / 12.0, w, w / 6.0);
  p.drawText(unitRow.adjusted(0, 0, -(w - tickLeft) - w * 0.06, 0),
             Qt::AlignRight | Qt::AlignVCenter, "°C");
  p.drawText(unitRow.adjusted(tickRight + w * 0.06, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
             "°F");
}

}  // namespace

ThermometerScale::ThermometerScale(QWidget* parent) : QWidget(parent) {}

void ThermometerScale::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = width();
  const double h = height();
  const double perDegree = scalePixelsPerDegree(height());
  auto yOf = [&](double celsius) {
    return h * kScaleBottomFraction - (celsius - kScaleBottomDegrees) * perDegree;
  };

  // The board, glass and scales in the desktop's colours, light or dark; the
  // mercury keeps its own red.
  const QPalette& colours = palette();
  QLinearGradient board(0, 0, w, 0);
  board.setColorAt(0.0, colours.color(QPalette::Window));
  board.setColorAt(0.5, colours.color(QPalette::Base));
  board.setColorAt(1.0, colours.color(QPalette::Window));
  p.fillRect(rect(), board);

  // The tube is a little wider than the mercury column that is laid over it.
  const BarColumn column = mercuryBarColumn(width());
  const double tubeLeft = column.left - column.width * 0.3;
  const double tubeWidth = column.width * 1.6;
  const double tubeCentre = tubeLeft + tubeWidth / 2.0;
  const double top = yOf(50.0) - tubeWidth;
  const double bulbRadius = std::min(tubeWidth * 1.05, (h - yOf(kScaleBottomDegrees)) * 0.42);
  const double bulbCentreY = yOf(kScaleBottomDegrees) + bulbRadius * 0.9;

  QPainterPath glass;
  glass.addRoundedRect(QRectF(tubeLeft, top, tubeWidth, bulbCentreY - top), tubeWidth / 2,
                       tubeWidth / 2);
  glass.addEllipse(QPointF(tubeCentre, bulbCentreY), bulbRadius, bulbRadius);
  glass.setFillRule(Qt::WindingFill);
  QColor glassFill = colours.color(QPalette::Base);
  glassFill.setAlpha(220);
  p.setPen(QPen(colours.color(QPalette::Mid), 1.2));
  p.setBrush(glassFill);
  p.drawPath(glass.simplified());

  // The bulb holds the mercury below the scale's lowest degree.
  const double inner = bulbRadius - tubeWidth * 0.2;
  p.setPen(Qt::NoPen);
  p.setBrush(mercuryShade(tubeCentre - inner, tubeCentre + inner));
  p.drawEllipse(QPointF(tubeCentre, bulbCentreY), inner, inner);
  p.fillRect(QRectF(column.left, yOf(kScaleBottomDegrees), column.width,
                    bulbCentreY - yOf(kScaleBottomDegrees)),
             mercuryShade(column.left, column.left + column.width));

  drawScales(p, colours.color(QPalette::WindowText), w, yOf, tubeLeft - 4.0,
             tubeLeft + tubeWidth + 4.0, bulbCentreY);
}

MercuryColumn::MercuryColumn(QWidget* parent) : QWidget(parent) {}

void MercuryColumn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), mercuryShade(0, width()));
}

}  // namespace tavik
