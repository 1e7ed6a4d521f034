// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>
#include <QStringList>

class QFontMetrics;

namespace tavik {

// The width a label needs for one line of text, as it draws it.
int textWidth(const QFontMetrics& metrics, const QString& text);

// The prominent current value of a display group. Its smallest size is that
// of its widest possible text in the base font (the group's, larger and
// bold), so the window never grows when values arrive; the window lets every
// current value grow by one common factor (growCurrentValues), as far as the
// room of each group allows.
class CurrentValueLabel : public QLabel {
  Q_OBJECT

 public:
  // How far a growth factor steps back when a text does not fit after all.
  static constexpr double kShrinkStep = 0.05;

  explicit CurrentValueLabel(QWidget* parent = nullptr);

  // The widest texts the label may show.
  void setReservedTexts(const QStringList& texts);
  void setBaseFont(const QFont& font);
  // How far the font may grow in a group with `extraHeight` beyond its
  // smallest size and `width` for the value: by a third of the extra height,
  // and no further than the widest text fits the width.
  double growthFor(int extraHeight, int width) const;
  // The font becomes the base font times `factor` (at least 1).
  void setGrowth(double factor);
  double growth() const { return factor_; }
  // The width of the widest text in the present font.
  int widestWidth() const { return widestAdvance(font()); }

  // As wide as the widest text in the present font, so that the layout gives
  // the grown value its room whatever it shows now.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  int widestAdvance(const QFont& font) const;
  QFont grownFont(double factor) const;

  QStringList reserved_;
  QFont base_;
  double factor_ = 1.0;
};

}  // namespace tavik
