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
// bold), so the window never grows when values arrive; in a larger group the
// font grows with the group's height, as far as the widest text still fits.
class CurrentValueLabel : public QLabel {
  Q_OBJECT

 public:
  explicit CurrentValueLabel(QWidget* parent = nullptr);

  // The widest texts the label may show.
  void setReservedTexts(const QStringList& texts);
  void setBaseFont(const QFont& font);
  // Grows the font by the room the group has beyond its smallest size: a
  // third of the extra height, limited so the widest text fits `width`.
  void growFor(int extraHeight, int width);
  bool isGrown() const { return factor_ > 1.0; }
  // Makes the grown font a little smaller again.
  void shrinkStep();
  // The width of the widest text in the present font.
  int widestWidth() const { return widestAdvance(font()); }

  QSize minimumSizeHint() const override;

 private:
  int widestAdvance(const QFont& font) const;
  void setFactor(double factor);

  QStringList reserved_;
  QFont base_;
  double factor_ = 1.0;
};

}  // namespace tavik
