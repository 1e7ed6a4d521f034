// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "common/regional.h"
#include "explorer/plot_scale.h"
#include "explorer/plot_series.h"

class QPainter;

namespace tavik {

// What the chart draws of a column over [from, to] on `width` pixel columns.
using SeriesSource =
    std::function<PlotSeries(LogColumn column, long long from, long long to, int width)>;

// The explorer's chart: one or more Wetterlog columns over a stretch of
// time, one value axis per unit (the first on the left, the second on the
// right, further ones outside them), date and time along the bottom. The
// mouse wheel asks to zoom around the pointer, dragging asks to pan; the
// window decides and hands back the new stretch.
class LogPlotWidget : public QWidget {
  Q_OBJECT

 public:
  explicit LogPlotWidget(const RegionalSettings& regional, QWidget* parent = nullptr);

  // Draws `columns` over [from, to], asking `source` for their series now
  // and whenever the width changes.
  void setView(SeriesSource source, std::vector<LogColumn> columns, long long from, long long to);

  // What is drawn, one entry per column, for the present width.
  const std::vector<PlotSeries>& series() const { return series_; }
  long long from() const { return from_; }
  long long to() const { return to_; }
  // The time and the values under the pointer, one line each, as drawn
  // beside it; empty while the pointer is not over the chart.
  QString hoverText() const { return hoverText_; }

 signals:
  // factor < 1 narrows the stretch; `at` is the pointer's place in it (0..1).
  void zoomRequested(double factor, double at);
  void panRequested(long long seconds);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct Axis;
  std::vector<Axis> axes() const;
  QRect plotArea(size_t axisCount) const;
  void rebuild();
  double xOf(const QRect& area, long long seconds) const;
  static double yOf(const QRect& area, const ValueScale& vs, double value);
  void drawLegend(QPainter& p, int left) const;
  void drawTimeAxis(QPainter& p, const QRect& area) const;
  void drawValueAxis(QPainter& p, const QRect& area, const Axis& axis, size_t k) const;
  void drawSeries(QPainter& p, const QRect& area, size_t series, const ValueScale& vs) const;
  void drawHover(QPainter& p, const QRect& area) const;
  void hoverAt(int x);

  const RegionalSettings& regional_;
  SeriesSource source_;
  std::vector<LogColumn> columns_;
  long long from_ = 0;
  long long to_ = 86400;
  std::vector<PlotSeries> series_;
  int dragX_ = 0;
  int hoverX_ = -1;  // the pointer's pixel column in the chart, -1 when away
  QString hoverText_;
  std::vector<size_t> hoverSeries_;  // the series of the text's value lines
};

}  // namespace tavik
