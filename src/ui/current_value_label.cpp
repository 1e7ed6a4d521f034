// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/current_value_label.h"

#include <QFontMetrics>

#include <algorithm>

namespace tavik {

namespace {

// The font grows at most to this multiple of the base font.
constexpr double kMostGrowth = 4.0;

}  // namespace

int textWidth(const QFontMetrics& metrics, const QString& text) {
  return metrics.boundingRect(QRect(0, 0, 100000, 100000), 0, text).width();
}

CurrentValueLabel::CurrentValueLabel(QWidget* parent) : QLabel(parent) {}

void CurrentValueLabel::setReservedTexts(const QStringList& texts) {
  reserved_ = texts;
  updateGeometry();
}

void CurrentValueLabel::setBaseFont(const QFont& font) {
  base_ = font;
  factor_ = 1.0;
  setFont(font);
  updateGeometry();
}

int CurrentValueLabel::widestAdvance(const QFont& font) const {
  const QFontMetrics metrics(font);
  int widest = textWidth(metrics, text());
  for (const QString& t : reserved_) widest = std::max(widest, textWidth(metrics, t));
  return widest;
}

QFont CurrentValueLabel::grownFont(double factor) const {
  QFont grown = base_;
  grown.setPointSizeF(base_.pointSizeF() * factor);
  return grown;
}

double CurrentValueLabel::growthFor(int extraHeight, int width) const {
  const QFontMetrics baseMetrics(base_);
  const double byHeight = 1.0 + std::max(0, extraHeight) / 3.0 / std::max(1, baseMetrics.height());
  const double byWidth = static_cast<double>(width) / std::max(1, widestAdvance(base_));
  double factor = std::clamp(std::min(byHeight, byWidth), 1.0, kMostGrowth);
  // Rounding in the font's metrics may still overshoot; step back until the
  // widest text fits.
  while (factor > 1.0 && widestAdvance(grownFont(factor)) > width) {
    factor = std::max(1.0, factor - kShrinkStep);
  }
  return factor;
}

void CurrentValueLabel::setGrowth(double factor) {
  factor_ = std::max(1.0, factor);
  const QFont grown = grownFont(factor_);
  if (grown != font()) setFont(grown);
}

QSize CurrentValueLabel::sizeHint() const {
  const QSize hint = QLabel::sizeHint();
  const QMargins m = contentsMargins();
  return {std::max(hint.width(), widestWidth() + m.left() + m.right() + 2 * margin()),
          hint.height()};
}

QSize CurrentValueLabel::minimumSizeHint() const {
  const QFontMetrics metrics(base_);
  const QMargins m = contentsMargins();
  return {widestAdvance(base_) + m.left() + m.right() + 2 * margin(),
          metrics.height() + m.top() + m.bottom() + 2 * margin()};
}

}  // namespace tavik
