// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <type_traits>

#include "core/clockwork.h"
#include "core/product_writers.h"
#include "ui/about_window.h"
#include "ui/alarm_window.h"
#include "ui/checksum_window.h"
#include "ui/colour_value.h"
#include "ui/group_font_dialog.h"
#include "ui/help_page.h"
#include "ui/main_window.h"
#include "ui/thermometer_window.h"
#include "ui/wind5x_window.h"
#include "ui/wind_rose_window.h"
#include "widgets/circle_shape_widget.h"
#include "widgets/message_box_notifier.h"

#include "main_window_fixture.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// The composition root must hand over every command: leaving one out does not compile.
static_assert(!std::is_default_constructible_v<MainWindowCommands>);
static_assert(!std::is_default_constructible_v<Command>);

TEST_F(MainWindowTest, StartsWithDashesUntilTheDataAndTheInactiveCaption) {
  EXPECT_EQ(form_.windowTitle(), "Tavik Output - Inactive");
  EXPECT_EQ(text("Label29"), "Aktuell –");
  EXPECT_EQ(text("Label34"), "–");
  EXPECT_EQ(text("Label39"), "Trend: –");
  EXPECT_EQ(text("Label1"), "");  // "Letzte Abfrage" waits for the first good group
  EXPECT_EQ(text("Label2"), "");
  EXPECT_EQ(text("Label80"), "–");
  EXPECT_EQ(text("Label83"), "–");
  EXPECT_EQ(find("StatusPanel1")->text(), "Import: –");
  EXPECT_EQ(find("StatusPanel5")->text(), "Laufzeit: –");
  EXPECT_EQ(find<QGroupBox>("GroupBox10")->title(), "Winde");
  EXPECT_FALSE(find("Label11")->isVisibleTo(&form_));  // alarm labels stay hidden
  // Before the wind group has told it, the battery lamp is grey, and every
  // bar is empty.
  EXPECT_EQ(find<CircleShape>("Shape1")->brushColour(), form_.palette().color(QPalette::Mid));
  for (const char* bar :
       {"ProgressBar1", "ProgressBar2", "ProgressBar3", "ProgressBar4", "ProgressBar5"}) {
    const auto* b = find<QProgressBar>(bar);
    EXPECT_EQ(b->value(), b->minimum()) << bar;
  }

  // No text a form designer left behind is visible anywhere, before or after
  // a bad group arrives.
  const QStringList designTexts{"Aktuell",
                                "Hi",
                                "Lo",
                                "ZeitHi",
                                "ZeitLo",
                                "Local",
                                "Sealevel",
                                "Trend",
                                "Rate",
                                "Gestern",
                                "Total",
                                "seit",
                                "Seit 24h",
                                "ZeitBöe",
                                "Alarm",
                                "12:30:00",
                                "06.06.01",
                                "Label80",
                                "Label83",
                                "Durchschnitt",
                                "Böe",
                                "Vorhersage",
                                "Maximum seitt 5min"};
  for (int refresh = 0; refresh < 2; ++refresh) {
    for (const QLabel* label : form_.findChildren<QLabel*>()) {
      if (label->objectName().isEmpty()) continue;  // fixed words such as "um"
      EXPECT_FALSE(designTexts.contains(label->text()))
          << label->objectName().toStdString() << " shows " << label->text().toStdString();
      EXPECT_FALSE(label->text().contains("123min") || label->text().contains("12:34"))
          << label->objectName().toStdString();
    }
    form_.PacketDecoded();
  }
}

TEST_F(MainWindowTest, RefreshWritesLabelsBarsPicturesAndTheLamp) {
  Twindx5 wind5x(&form_);
  form_.attachWindows({.wind5x = &wind5x});
  seeAllGroups();
  station_.weather.TempOut.Current = -123;
  station_.weather.TempOut.Hi = {5, 7, 14, 3, 40, false};
  station_.weather.Wind.Speed = 35;
  station_.weather.Wind.Dir = 116;
  station_.weather.Baro.Trend = 1;
  station_.weather.Baro.Forecast = 8;
  station_.weather.BatteryLow = true;
  station_.state.gustRing = {12, 30, 8, 0, 25};
  form_.PacketDecoded();

  EXPECT_EQ(text("Label29"), "Aktuell -12,3°C");
  EXPECT_EQ(text("Label34"), "07:05  14.03.26");
  EXPECT_EQ(find<QProgressBar>("ProgressBar3")->value(), -12);
  EXPECT_EQ(find<QProgressBar>("ProgressBar5")->value(), 4);
  EXPECT_EQ(text("Label66"), "Aktuell: 3,5 m/s - 116°");
  EXPECT_EQ(text("Kompass66"), "OSO");
  EXPECT_EQ(text("Label39"), "Trend: steigend");
  EXPECT_EQ(text("Label40"), "Vorhersage: regnerisch");
  EXPECT_FALSE(find("Image1")->pixmap().isNull());
  EXPECT_EQ(find("Image2")->pixmap().size(), QSize(55, 44));
  EXPECT_EQ(find<CircleShape>("Shape1")->brushColour(), QColor(0, 0, 255));
  EXPECT_EQ(text("Label78"), "Max seit 5min: 3 m/s");
  EXPECT_EQ(wind5x.rowText(1), "1,2");
  EXPECT_EQ(wind5x.rowText(5), "3");

  // A code beyond the word table clears the picture and shows no word.
  station_.weather.Baro.Trend = 7;
  station_.weather.BatteryLow = false;
  form_.RefreshMainWindow();
  EXPECT_EQ(text("Label39"), "Trend: ");
  EXPECT_TRUE(find("Image1")->pixmap().isNull());
  EXPECT_EQ(find<CircleShape>("Shape1")->brushColour(), QColor(0, 255, 0));
}

TEST_F(MainWindowTest, ReceiveLampLightsBrieflyOnReceivedBytes) {
  QLabel* lamp = find("ComLed2");
  const QImage dark = lamp->pixmap().toImage();
  const uint8_t bytes[] = {0xBF, 0x00};
  form_.receiveLampListener().receiveChunk(bytes);
  EXPECT_NE(lamp->pixmap().toImage(), dark);
  EXPECT_TRUE(QTest::qWaitFor([&] { return lamp->pixmap().toImage() == dark; }, 2000));
}

TEST_F(MainWindowTest, ActivationRunsTheTimersThatHaveAPeriod) {
  settings_.ImportInterval = 120000;
  settings_.ReadInterval = 0;
  settings_.LogInterval = 600000;
  form_.syncTimers();
  EXPECT_TRUE(timer("logtimer")->isActive());  // runs while inactive too
  EXPECT_FALSE(timer("importtimer")->isActive());

  action("C1")->trigger();
  EXPECT_EQ(form_.windowTitle(), "Tavik Output - Aktiv");
  EXPECT_TRUE(action("C1")->isChecked());
  EXPECT_TRUE(find<QToolButton>("ToolButton1")->isChecked());
  EXPECT_TRUE(port_.isOpen);
  EXPECT_TRUE(timer("importtimer")->isActive());
  EXPECT_EQ(timer("importtimer")->interval(), 120000);
  EXPECT_FALSE(timer("readtimer")->isActive());  // a period of 0 never fires
  EXPECT_TRUE(timer("tmrSekunden")->isActive());
  EXPECT_TRUE(timer("minutencount")->isActive());
  EXPECT_EQ(find("StatusPanel1")->text(), "Import: 2:00");
  EXPECT_EQ(find("StatusPanel2")->text(), "Kein Read");

  find<QToolButton>("ToolButton1")->click();  // does what the menu item does
  EXPECT_EQ(form_.windowTitle(), "Tavik Output - Inaktiv");
  EXPECT_FALSE(action("C1")->isChecked());
  EXPECT_FALSE(find<QToolButton>("ToolButton1")->isChecked());
  EXPECT_FALSE(port_.isOpen);
  EXPECT_FALSE(timer("importtimer")->isActive());
  EXPECT_TRUE(timer("logtimer")->isActive());
}

TEST_F(MainWindowTest, BusyPortShowsOneBoxAndStaysInactive) {
  port_.busy = true;
  action("C1")->trigger();
  EXPECT_EQ(form_.windowTitle(), "Tavik Output - Inaktiv");
  EXPECT_FALSE(action("C1")->isChecked());
  EXPECT_FALSE(timer("tmrSekunden")->isActive());
  ASSERT_EQ(notifier_.openBoxes(), 1);
  auto* box = form_.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), "Comport belegt");
  EXPECT_EQ(box->text(), "COM2 kann nich geöffnet werden.");
  EXPECT_TRUE(box->isVisible());
  // The countdowns never ran: no "APRS: -1:59".
  EXPECT_EQ(find("StatusPanel4")->text(), "APRS: –");
  // Trying again while the box is open opens no second one.
  action("C1")->trigger();
  EXPECT_EQ(notifier_.openBoxes(), 1);
}

TEST_F(MainWindowTest, PrintingAnEmptyOrStaleRecordSaysWhyAndWritesNothing) {
  form_.show();
  action("Drucken1")->trigger();
  auto* box = form_.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), "Drucken");
  EXPECT_TRUE(box->text().contains("Noch nicht jede Art von Datengruppe"))
      << box->text().toStdString();
  EXPECT_TRUE(box->text().endsWith("Es wird nichts gedruckt."));
  box->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // Every group came once, then the line fell silent.
  seeAllGroups();
  action("C1")->trigger();
  clock_.advanceSeconds(120);
  clockwork_.tmrSekundenTimer();
  action("Drucken1")->trigger();
  box = form_.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->text().contains("veraltet")) << box->text().toStdString();
}

TEST_F(MainWindowTest, RefusedPortIsExplainedInTheBandAndTriedAgain) {
  form_.show();
  port_.busy = true;
  port_.busyReason = "Ein anderes Programm (tavik-station, PID 4321) benutzt das Gerät /dev/ttyS1.";
  action("C1")->trigger();
  ASSERT_EQ(notifier_.openBoxes(), 1);
  EXPECT_TRUE(find("LabelComport")->isVisible());
  EXPECT_EQ(text("LabelComport"), QString::fromStdString(port_.busyReason));
  auto* offer = find<QToolButton>("ButtonComport");
  EXPECT_TRUE(offer->isVisible());
  QTimer* retry = timer("PortRetry");
  EXPECT_TRUE(retry->isActive());
  EXPECT_EQ(retry->interval(), 10000);

  // Still refused: no further box, the band stays.
  QMetaObject::invokeMethod(retry, "timeout");
  EXPECT_EQ(notifier_.openBoxes(), 1);
  EXPECT_FALSE(action("C1")->isChecked());
  EXPECT_TRUE(find("LabelComport")->isVisible());

  // The holder let go: the next try opens the port and the band clears.
  port_.busy = false;
  QMetaObject::invokeMethod(retry, "timeout");
  EXPECT_TRUE(port_.isOpen);
  EXPECT_TRUE(action("C1")->isChecked());
  EXPECT_FALSE(find("LabelComport")->isVisible());
  EXPECT_FALSE(offer->isVisible());
  EXPECT_FALSE(retry->isActive());

  // Switched off by hand: nothing is tried any more.
  action("C1")->trigger();
  EXPECT_FALSE(retry->isActive());
  EXPECT_FALSE(find("LabelComport")->isVisible());
}

TEST(MessageBoxNotifierTest, BoxesDoNotPileUpAndOpenAgainOnceClosed) {
  MessageBoxNotifier notifier;
  for (int tick = 0; tick < 50; ++tick) {
    notifier.notify("Fehler beim Erstellen der Read-Datei", "Read");
  }
  EXPECT_EQ(notifier.openBoxes(), 1);
  notifier.notify("Fehler beim Erstellen der APRS-Datei", "APRS");
  EXPECT_EQ(notifier.openBoxes(), 2);

  QMessageBox* readBox = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box && box->windowTitle() == "Read") readBox = box;
  }
  ASSERT_NE(readBox, nullptr);
  EXPECT_EQ(readBox->buttons().size(), 2);
  readBox->button(QMessageBox::Cancel)->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(notifier.openBoxes(), 1);
  notifier.notify("Fehler beim Erstellen der Read-Datei", "Read");
  EXPECT_EQ(notifier.openBoxes(), 2);
}

TEST_F(MainWindowTest, RoseAndThermometerStayEmptyUntilTheirGroupsArrive) {
  TWindrose rose(station_.weather, &form_, &station_.state);
  Tanalog thermometer(station_.weather, &form_, &station_.state);
  form_.attachWindows({nullptr, &rose, &thermometer, nullptr, nullptr, nullptr, nullptr});
  form_.show();
  rose.show();
  thermometer.show();
  QWidget* marker = rose.findChild<QWidget*>("Shape1");
  QWidget* column = thermometer.findChild<QWidget*>("balken");
  form_.PacketDecoded();
  EXPECT_FALSE(marker->isVisible());
  EXPECT_FALSE(column->isVisible());

  // Temperatures came, wind and dew points not yet.
  station_.state.seen9F = true;
  thermometer.Timer1Timer();
  form_.PacketDecoded();
  EXPECT_TRUE(column->isVisible());
  EXPECT_FALSE(marker->isVisible());
  thermometer.selectSource(ThermometerSource::DewOut);
  EXPECT_FALSE(column->isVisible());

  station_.state.seenAF = true;
  station_.state.seenCF = true;
  thermometer.Timer1Timer();
  form_.PacketDecoded();
  EXPECT_TRUE(column->isVisible());
  EXPECT_TRUE(marker->isVisible());
}

TEST_F(MainWindowTest, MenusToggleTheirWindowsAndCheckMarks) {
  Talarmfrm alarm(&form_);
  TWindrose rose(station_.weather, &form_);
  Tanalog thermometer(station_.weather, &form_);
  Tchksums checksums(station_.verdicts, &form_);
  Twindx5 wind5x(&form_);
  form_.attachWindows({&alarm, &rose, &thermometer, &checksums, &wind5x, nullptr, nullptr});
  form_.show();

  seeAllGroups();
  station_.weather.AlarmClock = {5, 7, true};
  form_.RefreshMainWindow();
  action("Alarme1")->trigger();
  EXPECT_TRUE(alarm.isVisible());
  EXPECT_TRUE(action("Alarme1")->isChecked());
  auto* grid = alarm.findChild<QTableWidget*>();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->item(1, 1)->text(), "Alarm um 7:5");
  action("Alarme1")->trigger();
  EXPECT_FALSE(alarm.isVisible());
  EXPECT_FALSE(action("Alarme1")->isChecked());

  action("Windrose1")->trigger();
  EXPECT_TRUE(rose.isVisible());
  EXPECT_TRUE(action("Windrose1")->isChecked());
  rose.close();  // its own close box clears the mark
  EXPECT_FALSE(action("Windrose1")->isChecked());

  action("N5xWind1")->trigger();
  EXPECT_TRUE(wind5x.isVisible());
  EXPECT_TRUE(action("N5xWind1")->isChecked());
  wind5x.hide();
  EXPECT_FALSE(action("N5xWind1")->isChecked());

  action("Quecksilber1")->trigger();
  EXPECT_TRUE(thermometer.isVisible());
  EXPECT_TRUE(action("Quecksilber1")->isChecked());
  thermometer.close();  // the thermometer keeps its mark
  EXPECT_TRUE(action("Quecksilber1")->isChecked());
  action("Quecksilber1")->trigger();  // the mark follows the new visibility
  EXPECT_TRUE(thermometer.isVisible());
  EXPECT_TRUE(action("Quecksilber1")->isChecked());

  action("ShowAllWeatherChkSums1")->trigger();
  EXPECT_TRUE(checksums.isVisible());
  EXPECT_FALSE(action("Digital1")->isEnabled());
  EXPECT_FALSE(action("ShowCOMData1")->isEnabled());  // no debug window attached
  EXPECT_EQ(action("Windrose1")->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(action("JETZTReaderstellen1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
}

TEST_F(MainWindowTest, MenuCommandsWriteTheProducts) {
  StationState& seen = station_.state;
  seen.seen8F = seen.seen9F = seen.seenAF = seen.seenBF = seen.seenCF = true;
  clockwork_.goodGroupArrived();
  action("JETZTReaderstellen1")->trigger();
  EXPECT_TRUE(std::filesystem::exists(dir_ + "Wetter.txt"));
  action("JETZTAPRSerstellen1")->trigger();
  EXPECT_TRUE(std::filesystem::exists(dir_ + "aprs.txt"));
  action("JETZTLogupdaten1")->trigger();
  EXPECT_TRUE(std::filesystem::exists(dir_ + "t14.03.26.txt"));
  EXPECT_EQ(notifier_.openBoxes(), 0);
}

// Before the first data the commands still write what the record holds, and
// say so (one box for the same words).
TEST_F(MainWindowTest, MenuCommandsBeforeAnyDataWriteAndSaySo) {
  action("JETZTReaderstellen1")->trigger();
  action("JETZTAPRSerstellen1")->trigger();
  action("JETZTLogupdaten1")->trigger();
  EXPECT_TRUE(std::filesystem::exists(dir_ + "Wetter.txt"));
  EXPECT_TRUE(std::filesystem::exists(dir_ + "aprs.txt"));
  EXPECT_TRUE(std::filesystem::exists(dir_ + "t14.03.26.txt"));
  EXPECT_EQ(notifier_.openBoxes(), 1);
}

TEST_F(MainWindowTest, ColumnsAndGroupsFollowTheSize) {
  resizeMiddle(100, 156);
  EXPECT_EQ(find<QWidget>("PanelLinks")->width(), 33);
  EXPECT_EQ(find<QWidget>("PanelRechts")->width(), 33);
  EXPECT_EQ(find<QWidget>("PanelMitte")->width(), 34);
  EXPECT_EQ(find<QWidget>("PanelRechts2")->height(), 104);
  EXPECT_EQ(form_.group(8)->height(), 35);  // 34.67 rounded
  EXPECT_EQ(form_.group(11)->height(), 35);
  EXPECT_EQ(form_.group(10)->height(), form_.group(9)->height());
  EXPECT_EQ(form_.group(3)->height(), 52);

  resizeMiddle(300, 150);
  EXPECT_EQ(form_.group(8)->height(), 33);

  resizeMiddle(300, 104);
  EXPECT_EQ(form_.group(3)->height(), 34);  // truncated
  EXPECT_EQ(form_.group(6)->height(), 34);
  EXPECT_EQ(form_.group(5)->height(), 34);
  EXPECT_EQ(form_.group(2)->geometry().bottom() + 1, form_.group(6)->y());
}

TEST_F(MainWindowTest, GroupColoursAndFontsComeFromTheSettings) {
  settings_.groupColor[0] = 0x000000FF;            // GroupBox2 red
  settings_.groupColor[1] = int32_t(0x8000000Fu);  // GroupBox3 button face
  settings_.groupFontSize[2] = 14;                 // GroupBox4
  settings_.groupFontColor[2] = 0x00FF0000;        // blue
  form_.applyGroupAppearance();
  EXPECT_EQ(form_.group(2)->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(form_.group(3)->palette().color(QPalette::Window),
            QApplication::palette().color(QPalette::Button));
  EXPECT_EQ(form_.group(4)->font().pointSize(), 14);
  EXPECT_EQ(find("Label23")->font().pointSize(), 14);  // the labels follow their group
  EXPECT_EQ(find("Label22")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  // The current value stands out: larger and bold.
  EXPECT_GT(find("Label22")->font().pointSizeF(), 14);
  EXPECT_TRUE(find("Label22")->font().bold());
  EXPECT_EQ(valueFromColour(QColor(1, 2, 3)), 0x00030201);
}

// Answers the colour dialog that the popup command opens with `colour`.
void chooseColourSoon(const QColor& colour) {
  QTimer::singleShot(0, [colour] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(colour);
    dialog->accept();
  });
}

TEST_F(MainWindowTest, PopupColourGoesToTheGroupItWasOpenedOn) {
  form_.show();
  QGroupBox* rain = form_.group(9);
  emit rain->customContextMenuRequested(QPoint(5, 5));
  find<QMenu>("PopupMenu1")->hide();
  chooseColourSoon(QColor(10, 20, 30));
  action("Farben2")->trigger();
  EXPECT_EQ(rain->palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_EQ(settings_.groupColor[7], 0x001E140A);

  // On the empty display area the dialog runs and nothing changes.
  const Settings before = settings_;
  emit find<QWidget>("PanelMiddle")->customContextMenuRequested(QPoint(1, 1));
  find<QMenu>("PopupMenu1")->hide();
  chooseColourSoon(QColor(200, 0, 0));
  action("Farben2")->trigger();
  EXPECT_EQ(settings_.groupColor, before.groupColor);
  EXPECT_EQ(rain->palette().color(QPalette::Window), QColor(10, 20, 30));
}

// Answers the group font dialog with a new size, and a new colour if given.
void chooseFontSoon(int pointSize, std::optional<QColor> colour) {
  QTimer::singleShot(0, [pointSize, colour] {
    auto* dialog = qobject_cast<GroupFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* pane = dialog->findChild<QFontDialog*>();
    QFont f = pane->currentFont();
    f.setPointSize(pointSize);
    pane->setCurrentFont(f);
    if (colour) chooseColourSoon(*colour);
    if (colour) dialog->colourButton()->click();
    dialog->accept();
  });
}

TEST_F(MainWindowTest, FontDialogKeepsTheDesktopColourUnlessOneIsChosen) {
  form_.show();
  QGroupBox* rain = form_.group(9);
  const int unchosen = settings_.groupFontColor[7];
  emit rain->customContextMenuRequested(QPoint(5, 5));
  find<QMenu>("PopupMenu1")->hide();
  chooseFontSoon(14, std::nullopt);
  action("Zeichen1")->trigger();
  EXPECT_EQ(settings_.groupFontSize[7], 14);
  EXPECT_EQ(settings_.groupFontColor[7], unchosen);
  EXPECT_EQ(rain->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::WindowText));

  emit rain->customContextMenuRequested(QPoint(5, 5));
  find<QMenu>("PopupMenu1")->hide();
  chooseFontSoon(12, QColor(0, 128, 0));
  action("Zeichen1")->trigger();
  EXPECT_EQ(settings_.groupFontSize[7], 12);
  EXPECT_EQ(settings_.groupFontColor[7], 0x00008000);
  EXPECT_EQ(rain->palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

TEST_F(MainWindowTest, HelpWindowClosesWithTheMainWindow) {
  testing::TempFolder folder;
  const std::string page = (folder.path() / "readme.htm").string();
  std::ofstream(page) << "<html><body>Hilfe</body></html>";
  form_.show();
  QPointer<QTextBrowser> help = showHelpWindow(page);
  ASSERT_TRUE(help && help->isVisible());
  // Alone it would not keep the program running.
  EXPECT_FALSE(help->testAttribute(Qt::WA_QuitOnClose));
  form_.close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(!help || !help->isVisible());
}

TEST(AboutBoxTest, VersionSitsEightPixelsFromTheRightEdge) {
  TAboutBox about;
  about.show();
  auto* version = about.findChild<QLabel*>("Version");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), "Version 0.1.9.8b");
  EXPECT_EQ(version->geometry().right() + 1, about.width() - 8);
  EXPECT_EQ(about.windowTitle(), "About");
  const auto* contact = about.findChild<QGroupBox*>("Contact");
  for (const char* link : {"Mail1", "Mail2", "Web1", "Web2"}) {
    EXPECT_NE(contact->findChild<QLabel*>(link), nullptr) << link;
  }
  about.hide();
}

}  // namespace
}  // namespace tavik
