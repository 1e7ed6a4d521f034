// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace tavik {

// The width a line edit needs to show `sample` whole in its present font.
int widthForText(const QLineEdit& field, const QString& sample);

// Opens a window at its designed size, or larger where its layout needs more
// (a height of 0: as high as the layout wants); its smallest size stays what
// the layout needs, so larger fonts still fit.
void startAtSize(QWidget& window, int width, int height = 0);

}  // namespace tavik
