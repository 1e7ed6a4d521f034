// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStyledItemDelegate>
#include <QTest>

#include "ui/alarm_window.h"
#include "ui/checksum_window.h"
#include "ui/wind5x_window.h"
#include "widgets/string_grid_widget.h"

namespace tavik {
namespace {

StringGrid* gridOf(QWidget& window) { return window.findChild<StringGrid*>("StringGrid1"); }

void showAndWait(QWidget& window) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

TEST(Wind5xView, HeadingAndRowsAsWritten) {
  Twindx5 window;
  showAndWait(window);
  EXPECT_EQ(window.objectName(), "windx5");
  EXPECT_EQ(window.windowTitle(), "5x Wind");
  StringGrid* grid = gridOf(window);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 6);
  EXPECT_EQ(grid->columnCount(), 1);
  EXPECT_EQ(grid->cell(0, 0), "5x Wind");
  const QStringList values = {"1,2", "3", "3", "3", "12,5"};
  for (int k = 1; k <= 5; ++k) window.setRowText(k, values[k - 1]);
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(grid->cell(k, 0), values[k - 1]) << k;
  // The heading and rows outside the list are not the writer's.
  window.setRowText(0, "x");
  window.setRowText(6, "x");
  EXPECT_EQ(grid->cell(0, 0), "5x Wind");
  // All six rows fit without scrolling.
  EXPECT_GE(grid->viewport()->height(), 6 * grid->rowHeight(0));
}

TEST(Wind5xView, SpeedsShowTheirUnitAndStandRightAligned) {
  Twindx5 window;
  showAndWait(window);
  window.setRowText(1, "12,5");
  window.setRowText(2, QString::fromUtf8("–"));
  StringGrid* grid = gridOf(window);
  auto shown = [&](int row) {
    auto* delegate = dynamic_cast<QStyledItemDelegate*>(grid->itemDelegateForRow(row));
    return delegate ? delegate->displayText(grid->item(row, 0)->data(Qt::DisplayRole), QLocale())
                    : grid->cell(row, 0);
  };
  EXPECT_EQ(shown(1), "12,5 m/s");
  EXPECT_EQ(grid->cell(1, 0), "12,5");  // the text as written
  EXPECT_EQ(shown(2), QString::fromUtf8("–"));
  EXPECT_EQ(shown(0), "5x Wind");
  EXPECT_EQ(grid->item(1, 0)->textAlignment(), Qt::AlignRight | Qt::AlignVCenter);
  // The speed and its unit fit the column.
  EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance("12,5 m/s") + 4);
}

AlarmTexts sampleAlarms() {
  AlarmTexts t;
  t.alarmClock = "Alarm um 7:5";
  t.humOutHi = "Alarm bei 90%";
  t.humOutLo = "Alarm: n/a";
  t.humInLo = "Alarm bei 30%";
  t.humInHi = "Alarm bei 70%";
  t.tempOutLo = "Alarm bei 14°F";
  t.tempOutHi = "Alarm bei 95°F";
  t.tempInLo = "Alarm bei 50°F";
  t.tempInHi = "Alarm bei 86°F";
  t.dewOut = "Alarm bei 3°C";
  t.dewIn = "Alarm: n/a";
  t.chill = "Alarm bei -20inches/h";
  t.baro = "Alarm bei 5 mb";
  t.wind = "Alarm bei 20inches/h";
  t.rain = "Alarm bei 8inches/h";
  return t;
}

TEST(AlarmView, ListsEveryAlarmInItsRow) {
  Talarmfrm window;
  window.setAlarmTextSource(sampleAlarms);
  showAndWait(window);
  EXPECT_EQ(window.objectName(), "alarmfrm");
  EXPECT_EQ(window.windowTitle(), "Alarme");
  StringGrid* grid = gridOf(window);
  ASSERT_EQ(grid->rowCount(), 20);
  const std::vector<std::pair<QString, QString>> expected = {
      {"Alarm", "Wert"},
      {"Wecker", "Alarm um 7:5"},
      {"Luftfeuchte aussen", ""},
      {" Max", "Alarm bei 90%"},
      {" Min", "Alarm: n/a"},
      {"Luftfeuchte innen", ""},
      {" Min", "Alarm bei 30%"},
      {" Max", "Alarm bei 70%"},
      {"Temperatur aussen", ""},
      {" Min", "Alarm bei 14°F"},
      {" Max", "Alarm bei 95°F"},
      {"Temperatur innen", ""},
      {" Min", "Alarm bei 50°F"},
      {" Max", "Alarm bei 86°F"},
      {"Taupunkt aussen", "Alarm bei 3°C"},
      {"Taupnkt innen", "Alarm: n/a"},
      {"Windchill", "Alarm bei -20inches/h"},
      {"Luftdruck", "Alarm bei 5 mb"},
      {"Windgeschwindigkeit", "Alarm bei 20inches/h"},
      {"Regenrate", "Alarm bei 8inches/h"},
  };
  for (int row = 0; row < 20; ++row) {
    EXPECT_EQ(grid->cell(row, 0), expected[row].first) << row;
    EXPECT_EQ(grid->cell(row, 1), expected[row].second) << row;
  }
  // The last row is on screen at the window's first size, and the columns
  // share the width.
  EXPECT_LE(grid->visualItemRect(grid->item(19, 0)).bottom(), grid->viewport()->height());
  EXPECT_EQ(grid->columnWidth(0), grid->viewport()->width() / 2);
}

TEST(AlarmView, IsASnapshotTakenWhenShown) {
  AlarmTexts texts = sampleAlarms();
  Talarmfrm window;
  window.setAlarmTextSource([&] { return texts; });
  showAndWait(window);
  texts.rain = "Alarm: n/a";
  EXPECT_EQ(gridOf(window)->cell(19, 1), "Alarm bei 8inches/h");
  window.hide();
  showAndWait(window);
  EXPECT_EQ(gridOf(window)->cell(19, 1), "Alarm: n/a");
}

TEST(AlarmView, ColumnsShareTheWidthAfterResizing) {
  Talarmfrm window;
  showAndWait(window);
  window.resize(420, 200);
  QTRY_COMPARE(window.width(), 420);
  StringGrid* grid = gridOf(window);
  EXPECT_EQ(grid->columnWidth(1), grid->viewport()->width() / 2);
}

TEST(ChecksumView, NamesTheGroupsAndShowsTheirVerdictsAndRefusals) {
  ChecksumVerdicts verdicts;
  verdicts.cells = {"False", "OK!", "", "OK!", "False!"};
  verdicts.refused = {0, 3, 0, 0, 123456};
  Tchksums window(verdicts);
  showAndWait(window);
  EXPECT_EQ(window.objectName(), "chksums");
  EXPECT_EQ(window.windowTitle(), "CheckSums");
  StringGrid* grid = gridOf(window);
  ASSERT_EQ(grid->rowCount(), 6);
  EXPECT_EQ(grid->cell(0, 0), "Block");
  EXPECT_EQ(grid->cell(0, 1), "Wert");
  EXPECT_EQ(grid->cell(0, 2), "Verworfen");
  const QStringList names = {"8F Time&Humidty", "9F Temperature ", "AF Barometer, Dewpoint",
                             "BF Rain", "CF Wind, Windchill"};
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(grid->cell(row, 0), names[row - 1]) << row;
    EXPECT_EQ(grid->cell(row, 1), QString::fromStdString(verdicts.cells[row - 1])) << row;
    EXPECT_EQ(grid->cell(row, 2), QString::number(verdicts.refused[row - 1])) << row;
  }
  EXPECT_EQ(grid->columnWidth(0), window.width() / 3);
  // The verdicts stand centred under their heading, the names to the left.
  EXPECT_EQ(grid->item(0, 1)->textAlignment(), Qt::AlignCenter);
  EXPECT_EQ(grid->item(3, 1)->textAlignment(), Qt::AlignCenter);

  verdicts.cells[4] = "OK!";
  ++verdicts.refused[1];
  window.refresh();
  EXPECT_EQ(grid->cell(5, 1), "OK!");
  EXPECT_EQ(grid->cell(2, 2), "4");
}

TEST(ChecksumView, ClosingIsReportedForTheCheckMark) {
  ChecksumVerdicts verdicts;
  Tchksums window(verdicts);
  showAndWait(window);
  bool closed = false;
  QObject::connect(&window, &ToolWindow::closedByUser, [&] { closed = true; });
  window.close();
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace tavik
