#include "ui/wind5x_window.h"

#include <QShowEvent>

#include "widgets/string_grid_widget.h"

namespace tavik {

namespace {
constexpr int kRows = 6;
constexpr int kRowHeight = 18;
constexpr int kWidth = 104;
}  // namespace

Twindx5::Twindx5(QWidget* parent)
    : ToolWindow(Placement::CentredOnParentFirstTime, parent),
      StringGrid1(new StringGrid(kRows, 1, kRowHeight, this)) {
  setObjectName("windx5");
  setWindowTitle("5x Wind");
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->hideVerticalScrollBar();
  const int height = StringGrid1->heightForAllRows();
  StringGrid1->setGeometry(0, 0, kWidth, height);
  StringGrid1->setDefaultColumnWidth(kWidth - 2 * StringGrid1->frameWidth());
  setFixedSize(kWidth, height);
}

void Twindx5::setRowText(int row, const QString& text) {
  if (row >= 1 && row < kRows) StringGrid1->setCell(row, 0, text);
}

QString Twindx5::rowText(int row) const { return StringGrid1->cell(row, 0); }

void Twindx5::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  StringGrid1->setCell(0, 0, "5x Wind");
}

}  // namespace tavik
