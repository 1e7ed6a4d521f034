// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend_chart_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tavik {

namespace {

// Samples further apart than this are not joined by the line.
constexpr long long kGapMinutes = 5;
// Below this height the chart is too small to read and stays empty.
constexpr int kSmallestDrawnHeight = 8;
constexpr int kMargin = 2;
// The labels' size against the group's font, and the smallest they get.
constexpr double kLabelScale = 0.85;
constexpr double kSmallestLabelPoints = 7;

QColor withAlpha(QColor c, double alpha) {
  c.setAlphaF(static_cast<float>(alpha));
  return c;
}

}  // namespace

TrendChart::TrendChart(const ChartQuantity& quantity, QWidget* parent)
    : QWidget(parent), quantity_(quantity) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrendChart::setSeries(std::vector<HistoryPoint> points, long long nowMinute,
                           long long spanMinutes) {
  // Most groups leave a chart's course as it was: it is not drawn again then.
  if (points == points_ && nowMinute == now_ && std::max(1LL, spanMinutes) == span_) return;
  points_ = std::move(points);
  now_ = nowMinute;
  span_ = std::max(1LL, spanMinutes);
  std::vector<double> values;
  values.reserve(points_.size());
  for (const HistoryPoint& p : points_) values.push_back(p.value);
  range_ = chartValueRange(values, quantity_);
  update();
}

QString TrendChart::hoverText(const HistoryPoint& p) const {
  return QString::fromStdString(chartHoverText(p.minute, p.value, quantity_));
}

// The chart may shrink to nothing before any text of its group is cut.
QSize TrendChart::minimumSizeHint() const { return {0, 0}; }
QSize TrendChart::sizeHint() const { return {120, 3 * fontMetrics().height()}; }

QFont TrendChart::labelFont() const {
  QFont f = font();
  f.setPointSizeF(std::max(kSmallestLabelPoints, f.pointSizeF() * kLabelScale));
  return f;
}

QRectF TrendChart::plotArea() const {
  const QFontMetrics metrics(labelFont());
  QRectF area(kMargin, kMargin, std::max(1, width() - 2 * kMargin),
              std::max(1, height() - 2 * kMargin));
  // Labels only where they leave the course room: the time axis below it,
  // the scale's ends at its left.
  if (height() < 3 * metrics.height() + kSmallestDrawnHeight) return area;
  area.setTop(metrics.height() / 2.0);
  area.setBottom(height() - metrics.height() - kMargin);
  if (range_) {
    const int labelWidth = std::max(
        metrics.horizontalAdvance(QString::fromStdString(chartValueText(range_->low, quantity_))),
        metrics.horizontalAdvance(QString::fromStdString(chartValueText(range_->high, quantity_))));
    if (width() > 4 * labelWidth) area.setLeft(labelWidth + 2 * kMargin);
  }
  return area;
}

double TrendChart::xOf(long long minute, const QRectF& area) const {
  return area.left() +
         area.width() * static_cast<double>(minute - (now_ - span_)) / static_cast<double>(span_);
}

const HistoryPoint* TrendChart::sampleAt(int x) const {
  const QRectF area = plotArea();
  const HistoryPoint* best = nullptr;
  double bestDistance = 0;
  for (const HistoryPoint& p : points_) {
    const double d = std::abs(xOf(p.minute, area) - x);
    if (!best || d < bestDistance) {
      best = &p;
      bestDistance = d;
    }
  }
  return best;
}

double TrendChart::yOf(double value, const QRectF& area) const {
  const double spread = std::max(range_->high - range_->low, 1e-9);
  return area.bottom() - area.height() * (value - range_->low) / spread;
}

// Everything is drawn in the group's text colour: its font colour setting, or
// the palette's, faded with the group's values when the data stop.
void TrendChart::paintEvent(QPaintEvent*) {
  if (height() < kSmallestDrawnHeight) return;
  const QRectF area = plotArea();
  const bool labelled = area.bottom() < height() - 2 * kMargin;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(labelFont());
  paintTimeAxis(painter, area, labelled);
  if (!range_ || points_.empty()) return;
  if (labelled && area.left() > kMargin) paintScaleEnds(painter, area);
  paintCourse(painter, area);
}

// The time axis: a light grid line and a label at every tick, a label left
// out where it would touch the one before or stand beyond the edge; the
// frame's top and bottom lines.
void TrendChart::paintTimeAxis(QPainter& painter, const QRectF& area, bool labelled) const {
  const QColor ink = palette().color(QPalette::WindowText);
  const QFontMetrics metrics(painter.font());
  double labelsEnd = -1;
  for (const TimeTick& tick : chartTimeTicks(now_ - span_, now_)) {
    const double x = xOf(tick.minute, area);
    painter.setPen(QPen(withAlpha(ink, tick.dayStart ? 0.45 : 0.2), 1));
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    if (!labelled) continue;
    const QString text = QString::fromStdString(tick.label);
    const double w = metrics.horizontalAdvance(text);
    const double left = std::clamp(x - w / 2, area.left(), width() - kMargin - w);
    if (left < labelsEnd + metrics.horizontalAdvance(QLatin1Char(' '))) continue;
    painter.setPen(ink);
    painter.drawText(QPointF(left, height() - kMargin - metrics.descent()), text);
    labelsEnd = left + w;
  }
  painter.setPen(QPen(withAlpha(ink, 0.25), 1));
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.topLeft(), area.topRight());
}

// The scale's highest and lowest value, left of the course.
void TrendChart::paintScaleEnds(QPainter& painter, const QRectF& area) const {
  const QFontMetrics metrics(painter.font());
  painter.setPen(palette().color(QPalette::WindowText));
  const double right = area.left() - kMargin;
  const QString high = QString::fromStdString(chartValueText(range_->high, quantity_));
  const QString low = QString::fromStdString(chartValueText(range_->low, quantity_));
  painter.drawText(
      QPointF(right - metrics.horizontalAdvance(high), area.top() + metrics.ascent() / 2.0), high);
  painter.drawText(QPointF(right - metrics.horizontalAdvance(low),
                           area.bottom() + metrics.ascent() / 2.0 - metrics.descent()),
                   low);
}

// The course, broken where samples lie far apart, and a dot on the latest.
void TrendChart::paintCourse(QPainter& painter, const QRectF& area) const {
  const QColor ink = palette().color(QPalette::WindowText);
  QPainterPath line;
  const HistoryPoint* previous = nullptr;
  for (const HistoryPoint& p : points_) {
    const QPointF at(xOf(p.minute, area), yOf(p.value, area));
    if (!previous || p.minute - previous->minute > kGapMinutes) {
      line.moveTo(at);
    } else {
      line.lineTo(at);
    }
    previous = &p;
  }
  painter.setClipRect(area.adjusted(-2, -2, 2, 2));
  painter.setPen(QPen(ink, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(line);
  const HistoryPoint& last = points_.back();
  painter.setBrush(ink);
  painter.drawEllipse(QPointF(xOf(last.minute, area), yOf(last.value, area)), 2, 2);
}

void TrendChart::mouseMoveEvent(QMouseEvent* event) {
  const HistoryPoint* p = sampleAt(event->position().toPoint().x());
  if (p) {
    QToolTip::showText(event->globalPosition().toPoint(), hoverText(*p), this);
  } else {
    QToolTip::hideText();
  }
}

}  // namespace tavik
