// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "core/chart_history.h"

namespace tavik {

// A small chart of one display group's main value over the last hours, drawn
// in the group's own text colour on its background; hovering shows the value
// and the time of the sample under the mouse. A minute without a sample for
// longer than a few minutes leaves a gap in the line.
class TrendChart : public QWidget {
  Q_OBJECT

 public:
  // `unit` follows the value in the hover text ("°C"); `decimals` is 0 or 1.
  TrendChart(const QString& unit, int decimals, QWidget* parent = nullptr);

  // The samples to draw, oldest first, on a time axis of `spanMinutes` ending
  // at `nowMinute`.
  void setSeries(std::vector<HistoryPoint> points, long long nowMinute, long long spanMinutes);
  const std::vector<HistoryPoint>& plottedPoints() const { return points_; }
  long long spanMinutes() const { return span_; }
  // What hovering over the sample shows: "21,5 °C um 09:41".
  QString hoverText(const HistoryPoint& point) const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // The sample nearest to x, or none.
  const HistoryPoint* sampleAt(int x) const;
  double xOf(long long minute) const;

  QString unit_;
  int decimals_;
  std::vector<HistoryPoint> points_;
  long long now_ = 0;
  long long span_ = 180;
};

}  // namespace tavik
