// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/log_plot_widget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "explorer/log_quantity.h"
#include "explorer/plot_scale.h"
#include "products/weather_log_reader.h"

namespace tavik {

namespace {

constexpr int kAxisWidth = 58;
constexpr int kSide = 14;
constexpr int kTop = 30;
constexpr int kBottom = 36;
constexpr int kTickPixels = 90;  // about one time tick per 90 pixels

constexpr std::array<QRgb, 9> kColours = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                          0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f};

QColor colourOf(size_t series) { return QColor(kColours[series % kColours.size()]); }

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// A value axis: one unit, the series drawn against it and its scale.
struct LogPlotWidget::Axis {
  std::string unit;
  std::vector<size_t> series;
  ValueScale scale;
};

LogPlotWidget::LogPlotWidget(const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent), regional_(regional) {
  setObjectName("LogPlot");
  setMinimumSize(240, 160);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setCursor(Qt::OpenHandCursor);
  setMouseTracking(true);
}

void LogPlotWidget::setView(SeriesSource source, std::vector<LogColumn> columns, long long from,
                            long long to) {
  source_ = std::move(source);
  columns_ = std::move(columns);
  from_ = from;
  to_ = std::max(to, from + 1);
  rebuild();
  if (hoverX_ >= 0) hoverAt(hoverX_);
  update();
}

std::vector<LogPlotWidget::Axis> LogPlotWidget::axes() const {
  std::vector<Axis> result;
  for (size_t i = 0; i < series_.size(); ++i) {
    const std::string unit = quantityLabel(series_[i].column).unit;
    auto axis =
        std::find_if(result.begin(), result.end(), [&](const Axis& a) { return a.unit == unit; });
    if (axis == result.end()) axis = result.insert(result.end(), Axis{unit, {}, {}});
    axis->series.push_back(i);
  }
  return result;
}

QRect LogPlotWidget::plotArea(size_t axisCount) const {
  const int left = static_cast<int>((axisCount + 1) / 2);
  const int right = static_cast<int>(axisCount / 2);
  const int l = std::max(1, left) * kAxisWidth;
  const int r = right > 0 ? right * kAxisWidth : kSide;
  return QRect(l, kTop, width() - l - r, height() - kTop - kBottom);
}

void LogPlotWidget::rebuild() {
  series_.clear();
  if (!source_) return;
  std::vector<std::string> units;
  for (const LogColumn c : columns_) {
    const std::string unit = quantityLabel(c).unit;
    if (std::find(units.begin(), units.end(), unit) == units.end()) units.push_back(unit);
  }
  const int pixels = std::max(1, plotArea(units.size()).width());
  for (const LogColumn c : columns_) series_.push_back(source_(c, from_, to_, pixels));
}

void LogPlotWidget::resizeEvent(QResizeEvent*) { rebuild(); }

void LogPlotWidget::wheelEvent(QWheelEvent* event) {
  const QRect area = plotArea(axes().size());
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0 || area.width() <= 0) return;
  const double at = (event->position().x() - area.left()) / area.width();
  emit zoomRequested(std::pow(0.8, steps), at);
  event->accept();
}

void LogPlotWidget::mousePressEvent(QMouseEvent* event) {
  dragX_ = qRound(event->position().x());
  setCursor(Qt::ClosedHandCursor);
}

void LogPlotWidget::mouseMoveEvent(QMouseEvent* event) {
  const QRect area = plotArea(axes().size());
  if (!(event->buttons() & Qt::LeftButton)) {
    setCursor(Qt::OpenHandCursor);
    hoverAt(qRound(event->position().x()) - area.left());
    return update();
  }
  const int x = qRound(event->position().x());
  if (x == dragX_ || area.width() <= 0) return;
  const long long seconds = (dragX_ - x) * (to_ - from_) / area.width();
  dragX_ = x;
  if (seconds != 0) emit panRequested(seconds);
}

void LogPlotWidget::leaveEvent(QEvent*) {
  hoverX_ = -1;
  hoverText_.clear();
  update();
}

// The time at pixel column x of the chart and each series' value there; a
// point counts when it lies within two pixels.
void LogPlotWidget::hoverAt(int x) {
  const QRect area = plotArea(axes().size());
  hoverText_.clear();
  hoverSeries_.clear();
  hoverX_ = -1;
  if (x < 0 || x >= area.width() || area.width() <= 0) return;
  hoverX_ = x;
  const double perPixel = static_cast<double>(to_ - from_) / area.width();
  const long long seconds = from_ + std::llround((x + 0.5) * perPixel);
  hoverText_ = qs(formatDateTime("dd/mm/yy hh:nn", timeOfSeconds(seconds), regional_));
  for (size_t i = 0; i < series_.size(); ++i) {
    const PlotSeries& s = series_[i];
    const std::optional<ValueAt> v = valueAt(s, seconds, x, std::llround(2 * perPixel));
    if (!v) continue;
    hoverSeries_.push_back(i);
    const QuantityLabel label = quantityLabel(s.column);
    const int decimals = layoutOf(s.column).decimals;
    QString value = qs(fixedDecimalText(v->low, decimals, regional_.decimalSeparator));
    if (v->high != v->low) {
      value += QString::fromUtf8(" … ") +
               qs(fixedDecimalText(v->high, decimals, regional_.decimalSeparator));
    }
    hoverText_ +=
        "\n" + QString::fromUtf8(label.title) + ": " + value + " " + QString::fromUtf8(label.unit);
  }
}

void LogPlotWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  std::vector<Axis> axisList = axes();
  const QRect area = plotArea(axisList.size());
  if (area.width() < 10 || area.height() < 10) return;
  drawLegend(p, area.left());
  for (Axis& a : axisList) {
    double low = series_[a.series.front()].low, high = series_[a.series.front()].high;
    for (const size_t i : a.series) {
      if (series_[i].empty()) continue;
      low = std::min(low, series_[i].low);
      high = std::max(high, series_[i].high);
    }
    a.scale = valueScale(low, high, std::max(2, area.height() / 30));
  }
  drawTimeAxis(p, area);
  for (size_t k = 0; k < axisList.size(); ++k) {
    drawValueAxis(p, area, axisList[k], k);
    for (const size_t i : axisList[k].series) drawSeries(p, area, i, axisList[k].scale);
  }
  drawHover(p, area);
  const bool nothing =
      std::all_of(series_.begin(), series_.end(), [](const PlotSeries& s) { return s.empty(); });
  if (nothing) {
    p.setPen(palette().color(QPalette::Text));
    p.drawText(area, Qt::AlignCenter,
               columns_.empty() ? QString::fromUtf8("Bitte eine Messgröße im Baum wählen.")
                                : QString::fromUtf8("Keine Messwerte in diesem Zeitraum."));
  }
}

void LogPlotWidget::drawLegend(QPainter& p, int left) const {
  for (size_t i = 0; i < series_.size(); ++i) {
    const QuantityLabel label = quantityLabel(series_[i].column);
    const QString text =
        QString::fromUtf8(label.title) + " (" + QString::fromUtf8(label.unit) + ")";
    p.setPen(colourOf(i));
    p.drawText(QPoint(left, kTop - 10), text);
    left += p.fontMetrics().horizontalAdvance(text) + 16;
  }
}

double LogPlotWidget::xOf(const QRect& area, long long seconds) const {
  return area.left() +
         static_cast<double>(seconds - from_) / static_cast<double>(to_ - from_) * area.width();
}

void LogPlotWidget::drawTimeAxis(QPainter& p, const QRect& area) const {
  const QFontMetrics fm = p.fontMetrics();
  const TimeScale ts = timeScale(from_, to_, std::max(2, area.width() / kTickPixels));
  std::vector<double> centres, widths;
  QStringList texts;
  for (size_t i = 0; i < ts.ticks.size(); ++i) {
    const double px = xOf(area, ts.ticks[i]);
    p.setPen(QPen(palette().color(QPalette::Mid), 0, Qt::DotLine));
    p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    texts << qs(timeTickText(ts.ticks[i], ts, i == 0, regional_));
    centres.push_back(px);
    widths.push_back(fm.horizontalAdvance(texts.back()) + 2);
  }
  // The texts stay inside the widget: one at the very edge moves in.
  const std::vector<std::optional<double>> lefts =
      tickTextLefts(centres, widths, width(), fm.horizontalAdvance(QChar(' ')));
  p.setPen(palette().color(QPalette::Text));
  for (size_t i = 0; i < lefts.size(); ++i) {
    if (!lefts[i]) continue;
    p.drawText(QRectF(*lefts[i], area.bottom() + 4, widths[i], fm.height()),
               Qt::AlignHCenter | Qt::AlignTop, texts[static_cast<qsizetype>(i)]);
  }
  p.drawRect(area.adjusted(0, 0, -1, -1));
}

// The k-th axis: alternately left and right of the area, further out for
// the third and fourth; the first one also draws the value grid.
void LogPlotWidget::drawValueAxis(QPainter& p, const QRect& area, const Axis& a, size_t k) const {
  const QFontMetrics fm = p.fontMetrics();
  const bool left = k % 2 == 0;
  const int out = static_cast<int>(k / 2) * kAxisWidth;
  const int edge = left ? area.left() - out : area.right() + out;
  const QColor text =
      a.series.size() == 1 ? colourOf(a.series.front()) : palette().color(QPalette::Text);
  p.setPen(palette().color(QPalette::Text));
  p.drawLine(QPoint(edge, area.top()), QPoint(edge, area.bottom()));
  for (const double v : a.scale.ticks) {
    const double py = yOf(area, a.scale, v);
    if (k == 0) {
      p.setPen(QPen(palette().color(QPalette::Mid), 0, Qt::DotLine));
      p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    }
    p.setPen(text);
    const double boxLeft = left ? edge - kAxisWidth + 2 : edge + 4;
    p.drawText(QRectF(boxLeft, py - fm.height() / 2.0, kAxisWidth - 6, fm.height()),
               (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
               qs(fixedDecimalText(v, a.scale.decimals, regional_.decimalSeparator)));
  }
  p.drawText(QRect(left ? edge - kAxisWidth : edge + 4, 2, kAxisWidth - 4, kTop - 16),
             (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, qs(a.unit));
}

double LogPlotWidget::yOf(const QRect& area, const ValueScale& vs, double v) {
  return area.bottom() - (v - vs.low) / (vs.high - vs.low) * area.height();
}

void LogPlotWidget::drawSeries(QPainter& p, const QRect& area, size_t i,
                               const ValueScale& vs) const {
  const PlotSeries& s = series_[i];
  if (s.banded) {
    // Each pixel column filled from its low to its high, reaching over to
    // its neighbour so that the band has no holes; see-through, so that
    // bands of other quantities show where they overlap. The pixels are set
    // in an image of the area and blended at once: a stroke per column
    // costs the painter far more than the pixels themselves.
    QColor colour = colourOf(i);
    colour.setAlpha(110);
    QImage band(area.size(), QImage::Format_ARGB32_Premultiplied);
    band.fill(Qt::transparent);
    const QRgb pixel = qPremultiply(colour.rgba());
    for (size_t b = 0; b < s.bands.size(); ++b) {
      double low = s.bands[b].low, high = s.bands[b].high;
      if (b > 0 && s.bands[b - 1].x == s.bands[b].x - 1) {
        low = std::min(low, s.bands[b - 1].high);
        high = std::max(high, s.bands[b - 1].low);
      }
      const int x = s.bands[b].x;
      const int top =
          std::clamp(static_cast<int>(yOf(area, vs, high)) - area.top(), 0, area.height() - 1);
      const int bottom =
          std::clamp(static_cast<int>(yOf(area, vs, low)) - area.top(), top, area.height() - 1);
      if (x < 0 || x >= area.width()) continue;
      for (int y = top; y <= bottom; ++y) reinterpret_cast<QRgb*>(band.scanLine(y))[x] = pixel;
    }
    p.drawImage(area.topLeft(), band);
    return;
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(colourOf(i), 2));
  QPainterPath line;
  auto nextStart = s.lineStarts.begin();
  for (size_t j = 0; j < s.points.size(); ++j) {
    const QPointF point(xOf(area, s.points[j].seconds), yOf(area, vs, s.points[j].value));
    if (j == 0 || (nextStart != s.lineStarts.end() && *nextStart == j)) {
      if (j > 0) ++nextStart;
      line.moveTo(point);
    } else {
      line.lineTo(point);
    }
  }
  p.drawPath(line);
  if (s.points.size() < 80) {
    p.setBrush(colourOf(i));
    for (const SeriesPoint& point : s.points)
      p.drawEllipse(QPointF(xOf(area, point.seconds), yOf(area, vs, point.value)), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
}

// A vertical line at the pointer and, beside it, the time and the values.
void LogPlotWidget::drawHover(QPainter& p, const QRect& area) const {
  if (hoverX_ < 0 || hoverText_.isEmpty()) return;
  const int x = area.left() + hoverX_;
  p.setPen(QPen(palette().color(QPalette::Text), 0, Qt::DashLine));
  p.drawLine(x, area.top(), x, area.bottom());
  const QStringList lines = hoverText_.split('\n');
  const QFontMetrics fm = p.fontMetrics();
  int width = 0;
  for (const QString& line : lines) width = std::max(width, fm.horizontalAdvance(line));
  QRect box(0, area.top() + 4, width + 12, static_cast<int>(lines.size()) * fm.height() + 8);
  box.moveLeft(x + 8 + box.width() <= area.right() ? x + 8 : x - 8 - box.width());
  p.setPen(palette().color(QPalette::Mid));
  p.setBrush(palette().color(QPalette::ToolTipBase));
  p.drawRect(box);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < lines.size(); ++i) {
    p.setPen(i == 0 ? palette().color(QPalette::ToolTipText)
                    : colourOf(hoverSeries_[static_cast<size_t>(i - 1)]));
    p.drawText(box.left() + 6, box.top() + 4 + fm.ascent() + i * fm.height(), lines[i]);
  }
}

}  // namespace tavik
