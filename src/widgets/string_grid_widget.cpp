// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/string_grid_widget.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>

namespace tavik {

namespace {
// Room above and below a row's text.
constexpr int kRowTextMargin = 4;
}  // namespace

StringGrid::StringGrid(int rows, int columns, int rowHeight, QWidget* parent)
    : QTableWidget(rows, columns, parent), designRowHeight_(rowHeight) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  fitRowHeight();
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
  }
  boldenHeading();
}

void StringGrid::boldenHeading() {
  QFont bold = font();
  bold.setBold(true);
  for (int column = 0; column < columnCount(); ++column) {
    if (QTableWidgetItem* heading = item(0, column)) heading->setFont(bold);
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

void StringGrid::fitRowHeight() {
  QFont bold = font();
  bold.setBold(true);
  const int text = std::max(fontMetrics().height(), QFontMetrics(bold).height());
  verticalHeader()->setDefaultSectionSize(std::max(designRowHeight_, text + kRowTextMargin));
}

void StringGrid::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  fitRowHeight();
  boldenHeading();  // in the new font
}

int StringGrid::columnWidthForTexts() const {
  // An item view keeps a margin on either side of a cell's text, and the grid
  // line takes one pixel of the column.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  int widest = 0;
  for (int row = 0; row < rowCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column) {
      const QTableWidgetItem* cellItem = item(row, column);
      if (!cellItem || cellItem->text().isEmpty()) continue;
      widest = std::max(widest, QFontMetrics(cellItem->font()).horizontalAdvance(cellItem->text()));
    }
  }
  return widest + 2 * margin + 1;
}

int StringGrid::widthForTexts() const {
  return columnCount() * columnWidthForTexts() + 2 * frameWidth();
}

int StringGrid::heightForAllRows() const {
  return rowCount() * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
}

}  // namespace tavik
