#include "widgets/string_grid_widget.h"

#include <QHeaderView>

namespace tavik {

StringGrid::StringGrid(int rows, int columns, int rowHeight, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(rowHeight);
  verticalHeader()->setMinimumSectionSize(1);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setWordWrap(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideRight);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) setItem(row, column, new QTableWidgetItem);
  }
  for (int column = 0; column < columns; ++column) {
    QTableWidgetItem* heading = item(0, column);
    heading->setBackground(palette().button());
    heading->setForeground(palette().buttonText());
    QFont bold = font();
    bold.setBold(true);
    heading->setFont(bold);
  }
}

void StringGrid::setCell(int row, int column, const QString& text) {
  if (QTableWidgetItem* cellItem = item(row, column)) cellItem->setText(text);
}

QString StringGrid::cell(int row, int column) const {
  const QTableWidgetItem* cellItem = item(row, column);
  return cellItem ? cellItem->text() : QString();
}

void StringGrid::setDefaultColumnWidth(int width) {
  horizontalHeader()->setDefaultSectionSize(width);
  for (int column = 0; column < columnCount(); ++column) setColumnWidth(column, width);
}

void StringGrid::hideVerticalScrollBar() { setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff); }

int StringGrid::heightForAllRows() const {
  return rowCount() * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
}

}  // namespace tavik
