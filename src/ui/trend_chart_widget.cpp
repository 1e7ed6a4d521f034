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

QString twoDigits(long long n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

TrendChart::TrendChart(const QString& unit, int decimals, QWidget* parent)
    : QWidget(parent), unit_(unit), decimals_(decimals) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrendChart::setSeries(std::vector<HistoryPoint> points, long long nowMinute,
                           long long spanMinutes) {
  points_ = std::move(points);
  now_ = nowMinute;
  span_ = std::max(1LL, spanMinutes);
  update();
}

QString TrendChart::hoverText(const HistoryPoint& p) const {
  const long long ofDay = ((p.minute % 1440) + 1440) % 1440;
  QString value = QString::number(p.value, 'f', decimals_);
  value.replace(QLatin1Char('.'), QLatin1Char(','));
  return value + QLatin1Char(' ') + unit_ + QStringLiteral(" um ") + twoDigits(ofDay / 60) +
         QLatin1Char(':') + twoDigits(ofDay % 60);
}

// The chart may shrink to nothing before any text of its group is cut.
QSize TrendChart::minimumSizeHint() const { return {0, 0}; }
QSize TrendChart::sizeHint() const { return {120, 3 * fontMetrics().height()}; }

double TrendChart::xOf(long long minute) const {
  const double left = kMargin;
  const double width = std::max(1, this->width() - 2 * kMargin);
  return left + width * static_cast<double>(minute - (now_ - span_)) / static_cast<double>(span_);
}

const HistoryPoint* TrendChart::sampleAt(int x) const {
  const HistoryPoint* best = nullptr;
  double bestDistance = 0;
  for (const HistoryPoint& p : points_) {
    const double d = std::abs(xOf(p.minute) - x);
    if (!best || d < bestDistance) {
      best = &p;
      bestDistance = d;
    }
  }
  return best;
}

void TrendChart::paintEvent(QPaintEvent*) {
  if (points_.empty() || height() < kSmallestDrawnHeight) return;
  const auto [low, high] = std::minmax_element(
      points_.begin(), points_.end(),
      [](const HistoryPoint& a, const HistoryPoint& b) { return a.value < b.value; });
  // A flat course sits in the middle.
  const double spread = std::max(high->value - low->value, 1e-9);
  const double top = kMargin;
  const double bottom = height() - kMargin;
  const auto yOf = [&](double v) {
    return high->value == low->value ? (top + bottom) / 2
                                     : bottom - (bottom - top) * (v - low->value) / spread;
  };

  QPainterPath line;
  const HistoryPoint* previous = nullptr;
  for (const HistoryPoint& p : points_) {
    const QPointF at(xOf(p.minute), yOf(p.value));
    if (!previous || p.minute - previous->minute > kGapMinutes) {
      line.moveTo(at);
    } else {
      line.lineTo(at);
    }
    previous = &p;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // The group's text colour: its font colour setting, or the palette's.
  QColor ink = palette().color(QPalette::WindowText);
  QColor faint = ink;
  faint.setAlphaF(0.25);
  painter.setPen(QPen(faint, 1, Qt::DotLine));
  painter.drawLine(QPointF(kMargin, bottom), QPointF(width() - kMargin, bottom));
  painter.setPen(QPen(ink, 1.5));
  painter.drawPath(line);
  const HistoryPoint& last = points_.back();
  painter.setBrush(ink);
  painter.drawEllipse(QPointF(xOf(last.minute), yOf(last.value)), 2, 2);
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
