// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wind5x_window.h"

#include <QShowEvent>
#include <QStyledItemDelegate>

#include <algorithm>

#include "widgets/string_grid_widget.h"

namespace tavik {

namespace {
constexpr int kRows = 6;
constexpr int kRowHeight = 15;
constexpr int kWidth = 104;
const QString kTitle = QStringLiteral("5x Wind");
const QString kUnit = QStringLiteral(" m/s");

// Shows a speed with its unit; the cell keeps the text as written, and a
// cell without a speed ("–") stays as it is.
class SpeedDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QString displayText(const QVariant& value, const QLocale& locale) const override {
    const QString text = QStyledItemDelegate::displayText(value, locale);
    return isSpeed(text) ? text + kUnit : text;
  }
  static bool isSpeed(const QString& text) { return !text.isEmpty() && text.front().isDigit(); }
};
}  // namespace

Twindx5::Twindx5(QWidget* parent)
    : ToolWindow(Placement::CentredOnParentFirstTime, parent),
      StringGrid1(new StringGrid(kRows, 1, kRowHeight, this)) {
  setObjectName("windx5");
  setWindowTitle(kTitle);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->hideVerticalScrollBar();
  for (int row = 1; row < kRows; ++row)
    StringGrid1->setItemDelegateForRow(row, new SpeedDelegate(this));
  fitToTexts();
}

void Twindx5::setRowText(int row, const QString& text) {
  if (row < 1 || row >= kRows) return;
  StringGrid1->setCell(row, 0, text);
  // Speeds stand right-aligned, their units one under the other.
  StringGrid1->item(row, 0)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (gridWidth() > width()) fitToTexts();
}

QString Twindx5::rowText(int row) const { return StringGrid1->cell(row, 0); }

void Twindx5::fitToTexts() {
  // The window is fixed: as wide as its title and its widest row need, and
  // as high as all six rows.
  const int width = std::max({kWidth, widthForTitle(kTitle), gridWidth()});
  const int height = StringGrid1->heightForAllRows();
  StringGrid1->setGeometry(0, 0, width, height);
  StringGrid1->setDefaultColumnWidth(width - 2 * StringGrid1->frameWidth());
  setFixedSize(width, height);
}

int Twindx5::gridWidth() const {
  return StringGrid1->widthForTexts() + StringGrid1->fontMetrics().horizontalAdvance(kUnit);
}

void Twindx5::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  StringGrid1->setCell(0, 0, kTitle);
  fitToTexts();
}

}  // namespace tavik
