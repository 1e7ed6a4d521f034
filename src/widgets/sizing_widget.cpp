// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/sizing_widget.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

#include <algorithm>

namespace tavik {

namespace {
// A line edit keeps this much free on either side of its text.
constexpr int kLineEditTextMargin = 2;
}  // namespace

int widthForText(const QLineEdit& field, const QString& sample) {
  QStyleOptionFrame option;
  option.initFrom(&field);
  option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
  const QMargins margins = field.textMargins();
  const QSize text(field.fontMetrics().horizontalAdvance(sample) + 2 * kLineEditTextMargin +
                       margins.left() + margins.right(),
                   field.sizeHint().height());
  return field.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &field).width();
}

void startAtSize(QWidget& window, int width, int height) {
  const QSize hint = window.sizeHint();
  window.resize(std::max(width, hint.width()), std::max(height, hint.height()));
}

}  // namespace tavik
