// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorer_window.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>

#include <algorithm>
#include <fstream>

#include "explorer/log_plot_widget.h"
#include "explorer/plot_scale.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

constexpr long long kDay = 86400;

struct ExplorerTest : ::testing::Test {
  ExplorerTest() { settings.LogOrdner = folder.dir(); }

  QTreeWidget* tree() { return window.findChild<QTreeWidget*>("TreeView1"); }
  LogPlotWidget* plot() { return window.findChild<LogPlotWidget*>("LogPlot"); }
  QTableView* table() { return window.findChild<QTableView*>("DailyTable"); }
  int tableRows() { return table()->model()->rowCount(); }
  std::string tableCell(int r, int c) {
    return table()->model()->index(r, c).data().toString().toStdString();
  }
  QString tableHeading(int c) { return table()->model()->headerData(c, Qt::Horizontal).toString(); }
  QToolButton* button(const char* name) { return window.findChild<QToolButton*>(name); }
  QString message() { return window.findChild<QLabel*>("ContentMessage")->text(); }
  bool historyShown() { return window.findChild<QStackedWidget*>("Bevel1")->currentIndex() == 1; }
  QTreeWidgetItem* node(const char* group, const char* name) {
    QTreeWidgetItem* root = tree()->topLevelItem(0);
    for (int g = 0; g < root->childCount(); ++g) {
      QTreeWidgetItem* groupItem = root->child(g);
      if (groupItem->text(0) != group) continue;
      for (int i = 0; i < groupItem->childCount(); ++i) {
        if (groupItem->child(i)->text(0) == QString::fromUtf8(name)) return groupItem->child(i);
      }
    }
    return nullptr;
  }
  // Three days of rows every ten minutes, 6 to 8 December 2026.
  void writeThreeDays() {
    test::LogTreeWriter writer(folder.path());
    written = writer.write(LocalDateTime{2026, 12, 6, 0, 5, 0, 0}, 600, 3 * 144);
  }
  std::vector<SeriesPoint> writtenPoints(LogColumn c, long long from, long long to) {
    std::vector<SeriesPoint> points;
    for (const WeatherLogRow& r : written) {
      if (r.seconds >= from && r.seconds <= to) points.push_back({r.seconds, r.value(c)});
    }
    return points;
  }
  // The same times and, to the last bit of a tenth, the same values.
  static void expectSamePoints(const std::vector<SeriesPoint>& shown,
                               const std::vector<SeriesPoint>& expected) {
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].seconds, expected[i].seconds) << i;
      EXPECT_NEAR(shown[i].value, expected[i].value, 1e-9) << i;
    }
  }
  // The log is read on a thread of its own; its results come as events.
  void waitForReading() {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }, 20000));
    QCoreApplication::processEvents();
  }
  void showWindow() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    waitForReading();
  }

  testing::TempFolder folder;
  Settings settings;
  ManualClock clock{LocalDateTime{2026, 12, 8, 14, 0, 0, 0}};
  std::vector<WeatherLogRow> written;
  TfrmExplorer window{settings, clock, RegionalSettings::german()};
};

TEST_F(ExplorerTest, HasTheFixedTree) {
  EXPECT_EQ(window.windowTitle(), "Weather Explorer");
  ASSERT_EQ(tree()->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree()->topLevelItem(0);
  EXPECT_EQ(root->text(0), "WM918/Tavik");
  ASSERT_EQ(root->childCount(), 2);
  auto children = [](QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i) names << item->child(i)->text(0);
    return names;
  };
  EXPECT_EQ(root->child(0)->text(0), "Aussen");
  EXPECT_EQ(children(root->child(0)), (QStringList{"Luftfeuchtigkeit", "Temperatur", "Taupunkt",
                                                   "Barometer", "Regen", "Wind"}));
  EXPECT_EQ(root->child(1)->text(0), "Innen");
  EXPECT_EQ(children(root->child(1)), (QStringList{"Luftfeuchtigkeit", "Temperatut", "Taupunkt"}));
  EXPECT_EQ(tree()->indentation(), 19);
}

TEST_F(ExplorerTest, OpensOnTheLogFolderWithTheLastTwentyFourHours) {
  writeThreeDays();
  showWindow();
  ASSERT_TRUE(historyShown()) << message().toStdString();
  const long long now = secondsOf(clock.now());
  EXPECT_EQ(plot()->from(), now - kDay);
  EXPECT_EQ(plot()->to(), now);
  EXPECT_TRUE(button("DayButton")->isChecked());
  ASSERT_EQ(plot()->series().size(), 1u);
  const PlotSeries& temp = plot()->series()[0];
  EXPECT_EQ(temp.column, LogColumn::TempO);
  ASSERT_FALSE(temp.banded);
  expectSamePoints(temp.points, writtenPoints(LogColumn::TempO, now - kDay, now));
  EXPECT_EQ(window.findChild<QLabel*>("RangeLabel")->text(), "07.12.26 14:00 – 08.12.26 14:00");

  // Rows written since are there when the window is shown again.
  test::LogTreeWriter later(folder.path());
  later.write(LocalDateTime{2026, 12, 9, 0, 30, 0, 0}, 60, 1);
  clock.set(LocalDateTime{2026, 12, 9, 1, 0, 0, 0});
  window.hide();
  window.show();
  waitForReading();
  EXPECT_EQ(plot()->series()[0].points.back().seconds, secondsOf({2026, 12, 9, 0, 30, 0, 0}));
}

TEST_F(ExplorerTest, SeveralQuantitiesArePlottedTogether) {
  writeThreeDays();
  showWindow();
  node("Aussen", "Taupunkt")->setSelected(true);
  node("Innen", "Luftfeuchtigkeit")->setSelected(true);
  ASSERT_EQ(plot()->series().size(), 3u);
  EXPECT_EQ(plot()->series()[0].column, LogColumn::TempO);
  EXPECT_EQ(plot()->series()[1].column, LogColumn::TaupO);
  EXPECT_EQ(plot()->series()[2].column, LogColumn::FeuchtI);
  const long long now = secondsOf(clock.now());
  expectSamePoints(plot()->series()[2].points, writtenPoints(LogColumn::FeuchtI, now - kDay, now));
  // A group node alone plots nothing.
  tree()->setCurrentItem(tree()->topLevelItem(0)->child(1));
  EXPECT_TRUE(plot()->series().empty());
  EXPECT_FALSE(plot()->grab().isNull());
}

TEST_F(ExplorerTest, RangeButtonsStepAndJump) {
  writeThreeDays();
  showWindow();
  const long long now = secondsOf(clock.now());
  QTest::mouseClick(button("WeekButton"), Qt::LeftButton);
  EXPECT_EQ(plot()->to() - plot()->from(), 7 * kDay);
  QTest::mouseClick(button("MonthButton"), Qt::LeftButton);
  EXPECT_EQ(plot()->from(), secondsOf({2026, 11, 8, 14, 0, 0, 0}));
  QTest::mouseClick(button("PreviousButton"), Qt::LeftButton);
  EXPECT_EQ(plot()->from(), secondsOf({2026, 10, 8, 14, 0, 0, 0}));
  EXPECT_EQ(plot()->to(), secondsOf({2026, 11, 8, 14, 0, 0, 0}));
  EXPECT_TRUE(plot()->series()[0].empty());
  QTest::mouseClick(button("NextButton"), Qt::LeftButton);
  EXPECT_EQ(plot()->to(), now);
  QTest::mouseClick(button("AllButton"), Qt::LeftButton);
  EXPECT_EQ(plot()->from(), written.front().seconds);
  EXPECT_EQ(plot()->to(), written.back().seconds);
  EXPECT_FALSE(button("PreviousButton")->isEnabled());
  QTest::mouseClick(button("YearButton"), Qt::LeftButton);
  EXPECT_EQ(plot()->from(), secondsOf({2025, 12, 8, 23, 55, 0, 0}));  // a year before the last row

  // A date to jump to shows that day.
  QTest::mouseClick(button("DayButton"), Qt::LeftButton);
  window.findChild<QDateEdit*>("JumpDate")->setDate(QDate(2026, 12, 6));
  const long long sixth = secondsOf({2026, 12, 6, 0, 0, 0, 0});
  EXPECT_EQ(plot()->from(), sixth);
  EXPECT_EQ(plot()->to(), sixth + kDay);
  expectSamePoints(plot()->series()[0].points,
                   writtenPoints(LogColumn::TempO, sixth, sixth + kDay));
}

TEST_F(ExplorerTest, WheelZoomsAndDraggingPans) {
  writeThreeDays();
  showWindow();
  const long long from = plot()->from(), to = plot()->to();
  const QPointF middle(plot()->width() / 2.0, plot()->height() / 2.0);
  QWheelEvent wheel(middle, plot()->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(plot(), &wheel);
  EXPECT_NEAR(static_cast<double>(plot()->to() - plot()->from()), 0.8 * (to - from), 2);
  EXPECT_GT(plot()->from(), from);
  EXPECT_LT(plot()->to(), to);
  EXPECT_FALSE(button("DayButton")->isChecked());

  const long long zoomedFrom = plot()->from();
  QTest::mousePress(plot(), Qt::LeftButton, {}, middle.toPoint());
  QTest::mouseMove(plot(), middle.toPoint() + QPoint(100, 0));
  QTest::mouseRelease(plot(), Qt::LeftButton, {}, middle.toPoint() + QPoint(100, 0));
  EXPECT_LT(plot()->from(), zoomedFrom);  // dragging right shows earlier rows
}

TEST_F(ExplorerTest, TheDailyTableSummarisesEachDayShown) {
  writeThreeDays();
  showWindow();
  node("Aussen", "Temperatur")->setSelected(true);
  ASSERT_EQ(tableRows(), 2);  // 7 and 8 December
  auto cell = [&](int r, int c) { return tableCell(r, c); };
  EXPECT_EQ(cell(0, 0), "07.12.26");
  // The 7th computed here from the rows written.
  std::vector<WeatherLogRow> day;
  std::copy_if(written.begin(), written.end(), std::back_inserter(day), [](const WeatherLogRow& r) {
    return r.date() == LogDate{2026, 12, 7};
  });
  ASSERT_EQ(day.size(), 144u);
  auto byTemp = [](const WeatherLogRow& a, const WeatherLogRow& b) {
    return a.storedValue(LogColumn::TempO) < b.storedValue(LogColumn::TempO);
  };
  const WeatherLogRow& lowest = *std::min_element(day.begin(), day.end(), byTemp);
  const WeatherLogRow& highest = *std::max_element(day.begin(), day.end(), byTemp);
  double sum = 0, wind = 0, rain = 0;
  for (const WeatherLogRow& r : day) {
    sum += r.value(LogColumn::TempO);
    wind = std::max(wind, r.value(LogColumn::WindS));
    rain = std::max(rain, r.value(LogColumn::Regen));
  }
  auto german = [](double v, int decimals) {
    return QString::number(v, 'f', decimals).replace('.', ',').toStdString();
  };
  EXPECT_EQ(cell(0, 1), german(lowest.value(LogColumn::TempO), 1));
  EXPECT_EQ(cell(0, 2),
            QString::asprintf("%02d:%02d", lowest.time().hour, lowest.time().minute).toStdString());
  EXPECT_EQ(cell(0, 3), german(highest.value(LogColumn::TempO), 1));
  EXPECT_EQ(
      cell(0, 4),
      QString::asprintf("%02d:%02d", highest.time().hour, highest.time().minute).toStdString());
  EXPECT_EQ(cell(0, 5), german(std::round(sum / 144 * 100) / 100, 2));
  EXPECT_EQ(cell(0, 6), german(wind, 1));
  EXPECT_EQ(cell(0, 7), german(rain, 0));
  EXPECT_EQ(tableHeading(1), QString::fromUtf8("Minimum (°C)"));

  // The current quantity chooses the table's column.
  tree()->setCurrentItem(node("Aussen", "Barometer"));
  EXPECT_EQ(tableHeading(1), "Minimum (hPa)");
}

TEST_F(ExplorerTest, FoldersAndFilesWithoutAWetterlogSaySoInGerman) {
  showWindow();
  EXPECT_FALSE(historyShown());
  EXPECT_EQ(message().toStdString(),
            "Im Ordner „" + folder.dir() + "“ liegt keine Wetterlog-Datei.");
  std::ofstream(folder.path() / "aprs.txt") << "Dez 08 2026 14:05\r\n180/005g012\r\n";
  window.openLogPath(QString::fromStdString((folder.path() / "aprs.txt").string()));
  waitForReading();
  EXPECT_EQ(message(), QString::fromUtf8("Die Datei „aprs.txt“ ist keine Wetterlog-Datei: ihr "
                                         "fehlt die Kopfzeile des Wetterlogs."));
  settings.LogOrdner.clear();
  window.hide();
  window.show();
  waitForReading();
  EXPECT_TRUE(message().startsWith(QString::fromUtf8("Es ist kein Ordner für den Wetterlog")));
}

TEST_F(ExplorerTest, TheToolButtonOpensThePickedFile) {
  writeThreeDays();
  showWindow();
  const QString path = QString::fromStdString((folder.path() / "t06.12.26.txt").string());
  QTimer::singleShot(0, [&] {
    auto* chooser = window.findChild<QFileDialog*>("OpenDialog1");
    ASSERT_TRUE(chooser->isVisible());
    chooser->selectFile(path);
    QMetaObject::invokeMethod(chooser, &QDialog::accept);
  });
  QTest::mouseClick(button("ToolButton1"), Qt::LeftButton);
  waitForReading();
  ASSERT_TRUE(historyShown());
  EXPECT_EQ(window.findChild<QLabel*>("FileLabel")->text(), "t06.12.26.txt");
  // That day's file ends before the last 24 hours: its own last day is shown.
  EXPECT_EQ(plot()->to(), written[143].seconds + 1);
  EXPECT_EQ(plot()->series()[0].points.size(), 144u);
  // The file stays chosen when the window is shown again.
  window.hide();
  window.show();
  waitForReading();
  EXPECT_EQ(plot()->series()[0].points.size(), 144u);
}

TEST_F(ExplorerTest, NoTextIsCutAtTheDefaultSize) {
  writeThreeDays();
  showWindow();
  // Within a small 800 x 480 screen, the chart at least half the window high.
  EXPECT_EQ(window.width(), 765);
  EXPECT_LE(window.height(), 440);
  EXPECT_GE(plot()->height(), window.height() / 2);
  tree()->resizeColumnToContents(0);
  EXPECT_GE(tree()->viewport()->width(), tree()->columnWidth(0));  // no node text cut
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisible() || w->objectName() == "FileLabel") continue;
    if (qobject_cast<QToolButton*>(w) == nullptr && qobject_cast<QLabel*>(w) == nullptr) continue;
    if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->wordWrap()) continue;
    EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
    EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
  }
  // The progress bar holds its text with the largest counts.
  auto* bar = window.findChild<QProgressBar*>("ReadProgress");
  bar->setRange(0, 12000);
  bar->setValue(11999);
  EXPECT_GE(bar->width(), bar->fontMetrics().horizontalAdvance(bar->text()) + 8);
}

// Every tick text lies inside the axis and clear of its neighbours: one at
// either end moves in, one that would overlap the text before it is left out.
TEST(TickTextTest, TextsStayInsideAndApart) {
  const std::vector<double> centres = {10, 100, 130, 395};
  const std::vector<double> widths = {50, 50, 50, 50};
  const std::vector<std::optional<double>> lefts = tickTextLefts(centres, widths, 400, 4);
  ASSERT_EQ(lefts.size(), 4u);
  EXPECT_EQ(lefts[0], 0.0);    // moved right to the edge
  EXPECT_EQ(lefts[1], 75.0);   // centred
  EXPECT_FALSE(lefts[2]);      // would overlap the one before
  EXPECT_EQ(lefts[3], 350.0);  // moved left, not cut at the right
  // A text wider than the axis starts at its left end.
  EXPECT_EQ(tickTextLefts({20}, {80}, 60, 4).front(), 0.0);
}

TEST_F(ExplorerTest, TheTreeIsNarrowAndTheTableShowsAWeekInALargeWindow) {
  writeThreeDays();
  window.resize(1200, 800);
  showWindow();
  auto* splitter = window.findChild<QSplitter*>("Splitter1");
  EXPECT_LE(tree()->width(), window.width() / 4);
  EXPECT_GT(plot()->width(), window.width() / 2);
  // The splitter moves the border.
  splitter->setSizes({400, window.width() - 408});
  EXPECT_EQ(tree()->width(), 400);
  // Seven rows of the table are in sight; a week shows every day.
  QTest::mouseClick(button("WeekButton"), Qt::LeftButton);
  ASSERT_GE(tableRows(), 3);
  const int rowHeight = table()->rowHeight(0);
  EXPECT_GE(table()->viewport()->height(), 7 * rowHeight);
  // A small window keeps three rows in sight.
  window.resize(765, 392);
  QCoreApplication::processEvents();
  EXPECT_GE(table()->viewport()->height(), 3 * rowHeight);
}

// A long stretch is drawn as bands: the pixel columns of an hour without
// rows stay clear, and only they differ from the picture of rows that go on.
TEST(LogPlotBandTest, AGapInTheRowsLeavesItsColumnsClear) {
  const long long start = secondsOf({2026, 12, 8});
  const auto picture = [&](bool gap, int& bandedColumns) {
    std::vector<SeriesPoint> rows;
    for (long long t = 0; t < 5 * 3600; t += 10) {
      if (gap && t >= 2 * 3600 && t < 3 * 3600) continue;
      rows.push_back({start + t, t % 20 == 0 ? 10.0 : 20.0});
    }
    LogPlotWidget plot(RegionalSettings::german());
    plot.resize(400, 300);
    plot.setView([&](LogColumn c, long long from, long long to,
                     int width) { return plotSeries(rows, c, from, to, width); },
                 {LogColumn::TempO}, start, start + 5 * 3600);
    EXPECT_TRUE(plot.series().front().banded);
    bandedColumns = static_cast<int>(plot.series().front().bands.size());
    QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
    plot.render(&image);
    return image;
  };
  int withGap = 0, without = 0;
  const QImage gapped = picture(true, withGap), full = picture(false, without);
  int differing = 0;
  for (int x = 0; x < full.width(); ++x) {
    for (int y = 0; y < full.height(); ++y) {
      if (gapped.pixel(x, y) != full.pixel(x, y)) {
        ++differing;
        break;
      }
    }
  }
  // A fifth of the columns, give or take the two at the gap's edges.
  EXPECT_NEAR(differing, without / 5, 2);
  EXPECT_NEAR(without - withGap, without / 5, 2);
}

TEST_F(ExplorerTest, ThePointerShowsTheTimeAndTheValues) {
  writeThreeDays();
  showWindow();
  node("Innen", "Luftfeuchtigkeit")->setSelected(true);
  // The row at 8 December 12:05 lies 22:05 into the stretch from 7 December 14:00.
  const WeatherLogRow* row = nullptr;
  for (const WeatherLogRow& r : written) {
    if (r.seconds == secondsOf({2026, 12, 8, 12, 5, 0, 0})) row = &r;
  }
  ASSERT_NE(row, nullptr);
  const QRect chart = plot()->rect().adjusted(58, 30, -58, -36);  // two axes, one each side
  const double x = chart.left() + (22 * 60 + 5) / (24.0 * 60) * chart.width();
  QTest::mouseMove(plot(), QPoint(qRound(x), chart.center().y()));
  const QStringList lines = plot()->hoverText().split('\n');
  ASSERT_EQ(lines.size(), 3) << plot()->hoverText().toStdString();
  EXPECT_TRUE(lines[0].startsWith("08.12.26 12:0")) << lines[0].toStdString();
  auto german = [](double v, int d) { return QString::number(v, 'f', d).replace('.', ','); };
  EXPECT_EQ(lines[1], "Temperatur aussen: " + german(row->value(LogColumn::TempO), 1) +
                          QString::fromUtf8(" °C"));
  EXPECT_EQ(lines[2],
            "Luftfeuchtigkeit innen: " + german(row->value(LogColumn::FeuchtI), 0) + " %");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(plot(), &leave);
  EXPECT_TRUE(plot()->hoverText().isEmpty());
}

TEST_F(ExplorerTest, TheChoosersStartInTheLogFolder) {
  writeThreeDays();
  showWindow();
  QString fileStart, folderStart;
  QTimer::singleShot(0, [&] {
    auto* chooser = window.findChild<QFileDialog*>("OpenDialog1");
    fileStart = chooser->directory().absolutePath();
    chooser->reject();
  });
  window.ToolButton1Click();
  QTimer::singleShot(0, [&] {
    auto* chooser = window.findChild<QFileDialog*>("OpenFolderDialog");
    folderStart = chooser->directory().absolutePath();
    chooser->reject();
  });
  window.openFolderClick();
  const QString logFolder = QDir(QString::fromStdString(folder.dir())).absolutePath();
  EXPECT_EQ(fileStart, logFolder);
  EXPECT_EQ(folderStart, logFolder);
}

TEST_F(ExplorerTest, ABarAndACancelButtonShowWhileAWetterlogIsRead) {
  writeThreeDays();
  window.show();
  auto* bar = window.findChild<QProgressBar*>("ReadProgress");
  auto* cancel = window.findChild<QPushButton*>("CancelButton");
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(cancel->isVisible());
  EXPECT_EQ(bar->format(), QString::fromUtf8("Lese %v von %m Dateien"));
  waitForReading();
  EXPECT_TRUE(historyShown());
  EXPECT_FALSE(bar->isVisible());
  EXPECT_FALSE(cancel->isVisible());
  EXPECT_EQ(plot()->to(), secondsOf(clock.now()));
}

// "Datei › Wetterlog importieren…" reads a Wetterlog into the station's
// archive, says what it did, and the explorer shows that archive; a second
// import of the same files adds nothing.
TEST_F(ExplorerTest, AWetterlogIsImportedIntoTheStationsArchive) {
  writeThreeDays();
  testing::TempFolder station;
  settings.ArchivDatei = (station.path() / "archive.sqlite").string();
  window.importLogPath(QString::fromStdString(folder.dir()));
  waitForReading();  // the import
  waitForReading();  // the archive it opens
  ASSERT_TRUE(std::filesystem::exists(settings.ArchivDatei));
  auto* summary = window.findChild<QLabel*>("ImportSummary");
  EXPECT_TRUE(summary->text().contains(QString::fromUtf8("432 neu im Archiv")))
      << summary->text().toStdString();
  ASSERT_TRUE(historyShown()) << message().toStdString();
  EXPECT_EQ(window.findChild<QLabel*>("FileLabel")->text(), "archive.sqlite");
  const long long now = secondsOf(clock.now());
  expectSamePoints(plot()->series()[0].points, writtenPoints(LogColumn::TempO, now - kDay, now));
  window.importLogPath(QString::fromStdString(folder.dir()));
  waitForReading();
  waitForReading();
  EXPECT_TRUE(summary->text().contains(QString::fromUtf8("0 neu im Archiv, 432 waren schon darin")))
      << summary->text().toStdString();
  // Shown again, the window opens the station's archive, not the Wetterlog.
  window.hide();
  window.show();
  waitForReading();
  EXPECT_EQ(window.findChild<QLabel*>("FileLabel")->text(), "archive.sqlite");
}

}  // namespace
}  // namespace tavik
