// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "ui/chart_history.h"
#include "ui/chart_scale.h"

class QPainter;

namespace tavik {

// A small chart of one display group's main value over the chosen span, drawn
// in the group's own text colour on its background: a time axis with its
// ticks below, the lowest and highest value of the scale at the left, the
// whole span even when the course began later. Hovering shows the value with
// the date and time of the sample under the mouse. Samples more than a few
// minutes apart are not joined.
class TrendChart : public QWidget {
  Q_OBJECT

 public:
  explicit TrendChart(const ChartQuantity& quantity, QWidget* parent = nullptr);

  // The samples to draw, oldest first, on a time axis of `spanMinutes` ending
  // at `nowMinute`.
  void setSeries(std::vector<HistoryPoint> points, long long nowMinute, long long spanMinutes);
  const std::vector<HistoryPoint>& plottedPoints() const { return points_; }
  long long spanMinutes() const { return span_; }
  // The values at the bottom and top of the scale; none without samples.
  std::optional<ValueRange> valueRange() const { return range_; }
  // What hovering over the sample shows: "21,5 °C am 09.12.26 um 09:41".
  QString hoverText(const HistoryPoint& point) const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // The rectangle the course is drawn in, inside the labels.
  QRectF plotArea() const;
  QFont labelFont() const;
  // The sample nearest to x, or none.
  const HistoryPoint* sampleAt(int x) const;
  double xOf(long long minute, const QRectF& area) const;
  double yOf(double value, const QRectF& area) const;
  // The parts of a paint, in the painter's label font and the text colour.
  void paintTimeAxis(QPainter& painter, const QRectF& area, bool labelled) const;
  void paintScaleEnds(QPainter& painter, const QRectF& area) const;
  void paintCourse(QPainter& painter, const QRectF& area) const;

  ChartQuantity quantity_;
  std::vector<HistoryPoint> points_;
  std::optional<ValueRange> range_;
  long long now_ = 0;
  long long span_ = 180;
};

}  // namespace tavik
