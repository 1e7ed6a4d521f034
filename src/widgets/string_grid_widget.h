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
  // For a grid sized to show every row.
  void hideVerticalScrollBar();
};

}  // namespace tavik
