// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menus: every item a member, wired by typed connects where
// the menu is built, or where the windows and commands are handed over.
#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "core/clockwork.h"
#include "core/product_writers.h"
#include "ui/alarm_window.h"
#include "ui/checksum_window.h"
#include "ui/help_page.h"
#include "ui/main_window.h"
#include "ui/thermometer_window.h"
#include "ui/wind5x_window.h"
#include "ui/wind_rose_window.h"

namespace tavik {
namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& text,
                 const QKeySequence& shortcut = {}) {
  QAction* a = menu->addAction(text);
  a->setObjectName(QString::fromLatin1(name));
  a->setShortcut(shortcut);
  return a;
}

QMenu* addSubmenu(QMenu* menu, const char* name, const QString& text) {
  QMenu* sub = menu->addMenu(text);
  sub->menuAction()->setObjectName(QString::fromLatin1(name));
  return sub;
}

}  // namespace

void TForm1::buildMenus() {
  buildFileMenu();

  QMenu* einst = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
  Allgemein1 = addItem(einst, "Allgemein1", QStringLiteral("Allgemein..."));
  APRS1 = addItem(einst, "APRS1", QStringLiteral("APRS..."));
  WinGT1 = addItem(einst, "WinGT1", QStringLiteral("WinGT..."));
  Wetterlog1 = addItem(einst, "Wetterlog1", QStringLiteral("Wetterlog..."));
  Profile1 = addItem(einst, "Profile1", QStringLiteral("Profile..."));
  COMPort1 = addItem(einst, "COMPort1", QStringLiteral("COM-Port..."));
  Locator1 = addItem(einst, "Locator1", QStringLiteral("Locator..."));
  ASYNOP1 = addItem(einst, "ASYNOP1", QStringLiteral("ASYNOP..."));
  Webseite1 = addItem(einst, "Webseite1", QStringLiteral("Webseite..."));
  ClientServer1 = addItem(einst, "ClientServer1", QStringLiteral("Client/Server"));
  MQTT1 = addItem(einst, "MQTT1", QStringLiteral("MQTT..."));
  CWOP1 = addItem(einst, "CWOP1", QStringLiteral("CWOP..."));
  Wunderground1 = addItem(einst, "Wunderground1", QStringLiteral("Wunderground..."));
  for (QAction* a : einst->actions()) a->setEnabled(false);

  buildViewMenu();

  QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
  ReadMe1 = addItem(hilfe, "ReadMe1", QStringLiteral("ReadMe..."));
  connect(ReadMe1, &QAction::triggered, this, [this] {
    openHelpPageOrSayWhy(defaultHelpPagePath(), parts_.products.context().notifier);
  });
  About1 = addItem(hilfe, "About1", QStringLiteral("About..."), Qt::Key_F1);
  About1->setEnabled(false);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Zeichen1 = addItem(PopupMenu1, "Zeichen1", QStringLiteral("Zeichen..."));
  connect(Zeichen1, &QAction::triggered, this, &TForm1::Zeichen1Click);
  Farben2 = addItem(PopupMenu1, "Farben2", QStringLiteral("Farbe..."));
  connect(Farben2, &QAction::triggered, this, &TForm1::Farben2Click);
}

void TForm1::buildFileMenu() {
  Clockwork& cw = parts_.clockwork;
  ProductWriters& pw = parts_.products;
  QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
  C1 = addItem(datei, "C1", QStringLiteral("Aktiv"), Qt::Key_F2);
  C1->setCheckable(true);
  connect(C1, &QAction::triggered, this, [this, &cw] {
    cw.toggleActive();
    C1->setChecked(cw.isActive());
  });
  JETZTImporterstellen1 = addItem(datei, "JETZTImporterstellen1",
                                  QStringLiteral("JETZT Import erstellen!"), Qt::CTRL | Qt::Key_I);
  connect(JETZTImporterstellen1, &QAction::triggered, this,
          [&cw, &pw] { pw.command([&cw] { cw.importNow(); }); });
  JETZTReaderstellen1 = addItem(datei, "JETZTReaderstellen1",
                                QStringLiteral("JETZT Read erstellen!"), Qt::CTRL | Qt::Key_R);
  connect(JETZTReaderstellen1, &QAction::triggered, this,
          [&pw] { pw.command([&pw] { pw.writeProfileReport(1); }); });
  JETZTLogupdaten1 = addItem(datei, "JETZTLogupdaten1", QStringLiteral("JETZT Log updaten!"),
                             Qt::CTRL | Qt::Key_L);
  connect(JETZTLogupdaten1, &QAction::triggered, this,
          [&pw] { pw.command([&pw] { pw.writeWeatherLog(); }); });
  JETZTAPRSerstellen1 = addItem(datei, "JETZTAPRSerstellen1",
                                QStringLiteral("JETZT APRS erstellen!"), Qt::CTRL | Qt::Key_A);
  connect(JETZTAPRSerstellen1, &QAction::triggered, this,
          [&pw] { pw.command([&pw] { pw.writeAprsFile(); }); });
  JETZTWebseiteerstellen1 =
      addItem(datei, "JETZTWebseiteerstellen1", QStringLiteral("JETZT Webseite erstellen!"));
  wireCommand(JETZTWebseiteerstellen1, [&cw, &pw] { pw.command([&cw] { cw.webNow(); }); });
  QMenu* asynop =
      addSubmenu(datei, "JETZTASYNOPerstellen1", QStringLiteral("JETZT ASYNOP erstellen!"));
  NeueDatei1 = addItem(asynop, "NeueDatei1", QStringLiteral("Neue Datei"));
  wireCommand(NeueDatei1, [&pw] { pw.asynopNewFile(); });
  Zeileanhngen1 = addItem(asynop, "Zeileanhngen1", QStringLiteral("Zeile anhängen"));
  wireCommand(Zeileanhngen1, [&pw] { pw.command([&pw] { pw.asynopAppendLine(); }); });
  Dateieende1 = addItem(asynop, "Dateieende1", QStringLiteral("Dateieende"));
  wireCommand(Dateieende1, [&pw] { pw.asynopEndFile(); });
  Drucken1 = addItem(datei, "Drucken1", QStringLiteral("&Drucken"), Qt::CTRL | Qt::Key_P);
  connect(Drucken1, &QAction::triggered, this, [this] { printReadReport(); });
  datei->addSeparator();
  Beenden1 = addItem(datei, "Beenden1", QStringLiteral("&Beenden"));
  connect(Beenden1, &QAction::triggered, this, &QWidget::close);
}

void TForm1::buildViewMenu() {
  QMenu* ansicht = menuBar()->addMenu(QStringLiteral("&Ansicht"));
  Alarme1 = addItem(ansicht, "Alarme1", QStringLiteral("Alarme"));
  Windrose1 = addItem(ansicht, "Windrose1", QStringLiteral("Windrose"), Qt::Key_F3);
  Explorer1 = addItem(ansicht, "Explorer1", QStringLiteral("Explorer"));
  Sonne1 = addItem(ansicht, "Sonne1", QStringLiteral("Sonne"));
  // No moon data is computed anywhere, so the entry offers nothing.
  Mond1 = addItem(ansicht, "Mond1", QStringLiteral("Mond"));
  QMenu* thermo = addSubmenu(ansicht, "Thermometer1", QStringLiteral("Thermometer"));
  Quecksilber1 = addItem(thermo, "Quecksilber1", QStringLiteral("Quecksilber"), Qt::Key_F4);
  Digital1 = addItem(thermo, "Digital1", QStringLiteral("Digital"));
  QMenu* debug = addSubmenu(ansicht, "Debug1", QStringLiteral("Debug"));
  ShowCOMData1 = addItem(debug, "ShowCOMData1", QStringLiteral("Show COM-Data"));
  DumpCOMData1 = addItem(debug, "DumpCOMDatatofile1", QStringLiteral("Dump COM-Data to file..."));
  UseFileasInputData1 =
      addItem(debug, "UseFileasInputData1", QStringLiteral("Use File as Input-Data..."));
  ShowAllWeatherChkSums1 =
      addItem(debug, "ShowAllWeatherChkSums1", QStringLiteral("Show All Weather ChkSums"));
  N5xWind1 = addItem(debug, "N5xWind1", QStringLiteral("5x Wind"));
  for (QAction* a : {Alarme1, Windrose1, Quecksilber1, ShowAllWeatherChkSums1, N5xWind1}) {
    a->setCheckable(true);
  }
  buildChartSpanMenu(ansicht);
  for (QAction* a : {Alarme1, Windrose1, Explorer1, Sonne1, Mond1, Quecksilber1, Digital1,
                     ShowCOMData1, DumpCOMData1, ShowAllWeatherChkSums1, N5xWind1}) {
    a->setEnabled(false);
  }
}

// "Verlauf": the hours the groups' charts span.
void TForm1::buildChartSpanMenu(QMenu* ansicht) {
  QMenu* span = addSubmenu(ansicht, "Verlauf1", QStringLiteral("Verlauf"));
  auto* choices = new QActionGroup(this);
  for (const int hours : kChartSpanHours) {
    QAction* a = addItem(span, QStringLiteral("Verlauf%1h").arg(hours).toLatin1().constData(),
                         QStringLiteral("%1 Stunden").arg(hours));
    a->setCheckable(true);
    a->setActionGroup(choices);
    connect(a, &QAction::triggered, this, [this, hours] {
      parts_.settings.ChartHours = static_cast<uint8_t>(hours);
      updateCharts();
    });
    chartSpanItems_.push_back(a);
  }
}

void TForm1::wireCommand(QAction* item, Command command) {
  item->setEnabled(true);
  connect(item, &QAction::triggered, this, [this, command = std::move(command)] {
    command();
    showStatusTexts();
  });
}

void TForm1::setCommands(MainWindowCommands c) {
  wireCommand(Allgemein1, std::move(c.generalSettings));
  wireCommand(APRS1, std::move(c.aprsSettings));
  wireCommand(WinGT1, std::move(c.wingtSettings));
  wireCommand(Wetterlog1, std::move(c.weatherLogSettings));
  wireCommand(Profile1, std::move(c.profiles));
  wireCommand(COMPort1, std::move(c.portSetup));
  wireCommand(Locator1, std::move(c.locator));
  wireCommand(ASYNOP1, std::move(c.asynopSettings));
  wireCommand(Webseite1, std::move(c.webSettings));
  wireCommand(ClientServer1, std::move(c.clientServer));
  wireCommand(Explorer1, std::move(c.explorer));
  wireCommand(Sonne1, std::move(c.sun));
  wireCommand(MQTT1, std::move(c.mqttSettings));
  wireCommand(CWOP1, std::move(c.cwopSettings));
  wireCommand(Wunderground1, std::move(c.wuSettings));
}

void TForm1::attachWindows(const AuxiliaryWindows& windows) {
  windows_ = windows;
  if (windows_.alarm) {
    windows_.alarm->setAlarmTextSource([this] {
      const DisplayUpdate& u = lastUpdate_;
      auto t = [](const std::string& text) { return QString::fromStdString(text); };
      return AlarmTexts{t(u.alarmClock),      t(u.humOut.alarmHi), t(u.humOut.alarmLo),
                        t(u.humIn.alarmLo),   t(u.humIn.alarmHi),  t(u.tempOut.alarmLo),
                        t(u.tempOut.alarmHi), t(u.tempIn.alarmLo), t(u.tempIn.alarmHi),
                        t(u.dewOut.alarm),    t(u.dewIn.alarm),    t(u.chill.alarm),
                        t(u.baro.alarm),      t(u.wind.alarm),     t(u.rain.alarm)};
    });
  }
  wireToolWindow(windows_.alarm, Alarme1, true, false);
  wireToolWindow(windows_.windRose, Windrose1, true, false);
  wireToolWindow(windows_.checksums, ShowAllWeatherChkSums1, true, false);
  wireToolWindow(windows_.wind5x, N5xWind1, false, true);
  if (windows_.thermometer) {
    Quecksilber1->setEnabled(true);
    connect(Quecksilber1, &QAction::triggered, this, [this] {
      windows_.thermometer->setVisible(!windows_.thermometer->isVisible());
      Quecksilber1->setChecked(windows_.thermometer->isVisible());
    });
  }
  if (windows_.comInput) {
    for (QAction* a : {ShowCOMData1, DumpCOMData1}) {
      a->setEnabled(true);
      connect(a, &QAction::triggered, this,
              [this] { windows_.comInput->setVisible(!windows_.comInput->isVisible()); });
    }
  }
  if (windows_.about) {
    wireCommand(About1, [this] { windows_.about->exec(); });
  }
}

void TForm1::wireToolWindow(ToolWindow* window, QAction* item, bool clearOnClose,
                            bool clearOnHide) {
  if (!window) return;
  item->setEnabled(true);
  // The item's check mark flips with the click; the window follows.
  connect(item, &QAction::triggered, this, [window] { window->setVisible(!window->isVisible()); });
  if (clearOnClose) {
    connect(window, &ToolWindow::closedByUser, item, [item] { item->setChecked(false); });
  }
  if (clearOnHide) {
    connect(window, &ToolWindow::hidden, item, [item] { item->setChecked(false); });
  }
}

}  // namespace tavik
