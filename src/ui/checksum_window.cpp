// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/checksum_window.h"

#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>

#include "widgets/string_grid_widget.h"

namespace tavik {

namespace {
constexpr int kRows = 6;
constexpr int kRowHeight = 15;
constexpr int kWidth = 242;
}  // namespace

Tchksums::Tchksums(const ChecksumVerdicts& verdicts, QWidget* parent)
    : ToolWindow(Placement::CentredOnParentFirstTime, parent),
      verdicts_(verdicts),
      StringGrid1(new StringGrid(kRows, 3, kRowHeight, this)) {
  setObjectName("chksums");
  setWindowTitle("CheckSums");
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->hideVerticalScrollBar();
  StringGrid1->setCell(0, 0, "Block");
  StringGrid1->setCell(0, 1, "Wert");
  StringGrid1->setCell(0, 2, "Verworfen");
  const auto& names = ChecksumVerdicts::rowNames();
  for (int row = 1; row < kRows; ++row) {
    StringGrid1->setCell(row, 0, QString::fromStdString(names[row - 1]));
    // The verdicts stand centred under their heading.
    StringGrid1->item(row, 1)->setTextAlignment(Qt::AlignCenter);
  }
  StringGrid1->item(0, 1)->setTextAlignment(Qt::AlignCenter);
  // The window is fixed: sized for the names, the longer verdict, "False!",
  // and a count of six digits.
  StringGrid1->setCell(1, 1, QStringLiteral("False!"));
  StringGrid1->setCell(1, 2, QStringLiteral("999999"));
  const int width = std::max({kWidth, widthForTitle(windowTitle()), StringGrid1->widthForTexts()});
  setFixedSize(width, StringGrid1->heightForAllRows());
  refresh();
}

void Tchksums::refresh() {
  for (int row = 1; row < kRows; ++row) {
    StringGrid1->setCell(row, 1, QString::fromStdString(verdicts_.text(kGroupKinds[row - 1])));
    StringGrid1->setCell(row, 2, QString::number(verdicts_.refused[row - 1]));
  }
}

void Tchksums::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  refresh();
}

void Tchksums::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  StringGrid1->setGeometry(rect());
  StringGrid1->setDefaultColumnWidth(width() / 3);
}

}  // namespace tavik
