#include "explorer/log_plot_widget.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "explorer/plot_scale.h"

namespace tavik {

namespace {

constexpr int kLeft = 64;
constexpr int kRight = 20;
constexpr int kTop = 28;
constexpr int kBottom = 36;
constexpr int kTickPixels = 80;  // about one time tick per 80 pixels

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

LogPlotWidget::LogPlotWidget(const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent), regional_(regional) {
  setObjectName("LogPlot");
  setMinimumSize(240, 160);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

void LogPlotWidget::setSeries(LogQuantity quantity, std::vector<SeriesPoint> points) {
  quantity_ = quantity;
  points_ = std::move(points);
  update();
}

void LogPlotWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect area(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
  if (points_.empty() || area.width() < 10 || area.height() < 10) return;

  const QuantityLabel label = quantityLabel(quantity_);
  p.drawText(QRect(0, 4, width(), kTop - 8), Qt::AlignHCenter | Qt::AlignVCenter,
             QString::fromUtf8(label.title));

  const auto [lowest, highest] = std::minmax_element(
      points_.begin(), points_.end(),
      [](const SeriesPoint& a, const SeriesPoint& b) { return a.value < b.value; });
  const ValueScale vs = valueScale(lowest->value, highest->value, std::max(2, area.height() / 30));
  const TimeScale ts = timeScale(points_.front().seconds, points_.back().seconds,
                                 std::max(2, area.width() / kTickPixels));
  auto x = [&](long long s) {
    return area.left() +
           static_cast<double>(s - ts.low) / static_cast<double>(ts.high - ts.low) * area.width();
  };
  auto y = [&](double v) {
    return area.bottom() - (v - vs.low) / (vs.high - vs.low) * area.height();
  };

  const QPen grid(palette().color(QPalette::Mid), 0, Qt::DotLine);
  const QPen axis(palette().color(QPalette::Text));
  const QFontMetrics fm = p.fontMetrics();
  for (const double v : vs.ticks) {
    const double py = y(v);
    p.setPen(grid);
    p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    p.setPen(axis);
    p.drawText(QRectF(0, py - fm.height() / 2.0, kLeft - 6, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter,
               qs(fixedDecimalText(v, vs.decimals, regional_.decimalSeparator)));
  }
  for (size_t i = 0; i < ts.ticks.size(); ++i) {
    const double px = x(ts.ticks[i]);
    p.setPen(grid);
    p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    p.setPen(axis);
    p.drawText(QRectF(px - kTickPixels, area.bottom() + 4, 2 * kTickPixels, fm.height()),
               Qt::AlignHCenter | Qt::AlignTop,
               qs(timeTickText(ts.ticks[i], ts, i == 0, regional_)));
  }
  p.setPen(axis);
  p.drawLine(area.bottomLeft(), area.topLeft());
  p.drawLine(area.bottomLeft(), area.bottomRight());
  p.drawText(QRect(4, 4, kLeft, kTop - 8), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8(label.unit));

  QPainterPath line;
  line.moveTo(x(points_.front().seconds), y(points_.front().value));
  for (const SeriesPoint& point : points_) line.lineTo(x(point.seconds), y(point.value));
  p.setPen(QPen(palette().color(QPalette::Highlight), 2));
  p.drawPath(line);
  if (points_.size() < 60) {
    p.setBrush(palette().color(QPalette::Highlight));
    for (const SeriesPoint& point : points_) {
      p.drawEllipse(QPointF(x(point.seconds), y(point.value)), 2.5, 2.5);
    }
  }
}

}  // namespace tavik
