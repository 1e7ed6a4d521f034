// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableWidget>

namespace tavik {

// A read-only table of text cells whose first row is a fixed heading row,
// drawn like a button face. The auxiliary windows show their lists in it; its
// columns share its width, so it never scrolls sideways.
class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  StringGrid(int rows, int columns, int rowHeight, QWidget* parent = nullptr);

  void setCell(int row, int column, const QString& text);
  QString cell(int row, int column) const;
  // Every column gets this width.
  void setDefaultColumnWidth(int width);
  // The height the grid needs to show every row without scrolling.
  int heightForAllRows() const;
  // The width one column needs for the widest text of any cell.
  int columnWidthForTexts() const;
  // The width the grid needs for every column at columnWidthForTexts.
  int widthForTexts() const;
  // For a grid sized to show every row.
  void hideVerticalScrollBar();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // Rows are as high as designed, or higher when the font needs it.
  void fitRowHeight();
  // The heading row in the grid's font, bold.
  void boldenHeading();

  int designRowHeight_;
};

}  // namespace tavik
