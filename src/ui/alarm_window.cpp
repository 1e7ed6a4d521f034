// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/alarm_window.h"

#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>

#include <array>
#include <utility>

#include "widgets/string_grid_widget.h"

namespace tavik {

namespace {
constexpr int kRows = 20;
constexpr int kRowHeight = 15;
}  // namespace

Talarmfrm::Talarmfrm(QWidget* parent)
    : ToolWindow(Placement::CentredOnParentFirstTime, parent),
      StringGrid1(new StringGrid(kRows, 2, kRowHeight, this)) {
  setObjectName("alarmfrm");
  setWindowTitle("Alarme");
  StringGrid1->setObjectName("StringGrid1");
  fill(AlarmTexts{});
  fitToTexts();
  // Tall enough for all twenty rows; the grid scrolls when the user makes it smaller.
  resize(minimumWidth(), StringGrid1->heightForAllRows());
}

void Talarmfrm::fill(const AlarmTexts& t) {
  const std::array<std::pair<QString, QString>, kRows> rows = {{
      {"Alarm", "Wert"},
      {"Wecker", t.alarmClock},
      {"Luftfeuchte aussen", {}},
      {" Max", t.humOutHi},
      {" Min", t.humOutLo},
      {"Luftfeuchte innen", {}},
      {" Min", t.humInLo},
      {" Max", t.humInHi},
      {"Temperatur aussen", {}},
      {" Min", t.tempOutLo},
      {" Max", t.tempOutHi},
      {"Temperatur innen", {}},
      {" Min", t.tempInLo},
      {" Max", t.tempInHi},
      {"Taupunkt aussen", t.dewOut},
      {"Taupnkt innen", t.dewIn},
      {"Windchill", t.chill},
      {"Luftdruck", t.baro},
      {"Windgeschwindigkeit", t.wind},
      {"Regenrate", t.rain},
  }};
  for (int row = 0; row < kRows; ++row) {
    StringGrid1->setCell(row, 0, rows[row].first);
    StringGrid1->setCell(row, 1, rows[row].second);
  }
}

void Talarmfrm::fitToTexts() {
  // The columns share the width, each as wide as the widest text; the grid
  // may scroll up and down, so its scroll bar is counted in.
  const int grid = StringGrid1->widthForTexts() +
                   StringGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  setMinimumSize(std::max(grid, widthForTitle(windowTitle())), 4 * StringGrid1->rowHeight(0));
}

void Talarmfrm::fitColumns() {
  StringGrid1->setDefaultColumnWidth(StringGrid1->viewport()->width() / 2);
}

void Talarmfrm::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  if (event->spontaneous()) return;
  fill(source_ ? source_() : AlarmTexts{});
  fitToTexts();
  fitColumns();
}

void Talarmfrm::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  StringGrid1->setGeometry(rect());
  fitColumns();
}

}  // namespace tavik
