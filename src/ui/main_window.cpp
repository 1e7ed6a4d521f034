#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "core/clockwork.h"
#include "core/column_layout.h"
#include "core/display_update.h"
#include "core/product_writers.h"
#include "ui/alarm_window.h"
#include "ui/checksum_window.h"
#include "ui/colour_value.h"
#include "ui/pictures.h"
#include "ui/thermometer_window.h"
#include "ui/wind5x_window.h"
#include "ui/wind_rose_window.h"
#include "widgets/circle_shape_widget.h"
#include "widgets/help_page.h"
#include "widgets/print_file.h"

namespace tavik {
namespace {

constexpr int kClientWidth = 651;
constexpr int kClientHeight = 449;
constexpr int kLampLitMs = 120;
const QColor kBatteryGood(0, 255, 0);
const QColor kBatteryLow(0, 0, 255);

// One label of a display group: object name, design caption and its cell in
// the group's grid.
struct LabelLayout {
  const char* name;
  const char* caption;
  int row;
  int column;
  int columnSpan = 1;
};

struct GroupLayout {
  const char* name;
  const char* caption;
  int bar;  // index into the bars, -1 for none
  std::vector<LabelLayout> shown;
  std::vector<LabelLayout> alarms;  // hidden
};

const std::vector<GroupLayout>& groupLayouts() {
  static const std::vector<GroupLayout> layouts{
      {"GroupBox2",
       "Luftfeuchtigkeit innen",
       0,
       {{"Label8", "Aktuell", 0, 0, 2},
        {"Label9", "Hi", 1, 0},
        {"Label7", "ZeitHi", 1, 1},
        {"Label10", "Lo", 2, 0},
        {"Label13", "ZeitLo", 2, 1}},
       {{"Label11", "Alarm Hi", 0, 0}, {"Label12", "Alarm Lo", 0, 0}}},
      {"GroupBox3",
       "Luftfeuchtigkeit aussen",
       1,
       {{"Label5", "Aktuell", 0, 0, 2},
        {"Label14", "Hi", 1, 0},
        {"Label18", "ZeitHi", 1, 1},
        {"Label15", "Lo", 2, 0},
        {"Label19", "ZeitLo", 2, 1}},
       {{"Label16", "Alarm Hi", 0, 0}, {"Label17", "Alarm Lo", 0, 0}}},
      {"GroupBox4",
       "Temperatur innen",
       3,
       {{"Label22", "Aktuell", 0, 0, 2},
        {"Label23", "Hi", 1, 0},
        {"Label27", "ZeitHi", 1, 1},
        {"Label24", "Lo", 2, 0},
        {"Label28", "ZeitLo", 2, 1}},
       {{"Label25", "Alarm Hi", 0, 0}, {"Label26", "Alarm Lo", 0, 0}}},
      {"GroupBox5",
       "Temperatur aussen",
       2,
       {{"Label29", "Aktuell", 0, 0, 2},
        {"Label30", "Hi", 1, 0},
        {"Label34", "ZeitHi", 1, 1},
        {"Label31", "Lo", 2, 0},
        {"Label35", "ZeitLo", 2, 1}},
       {{"Label32", "Alarm Hi", 0, 0}, {"Label33", "Alarm Lo", 0, 0}}},
      {"GroupBox6",
       "Barometer",
       -1,
       {{"Label37", "Local", 0, 0},
        {"Label38", "Sealevel", 1, 0},
        {"Label39", "Trend", 2, 0},
        {"Label40", "Vorhersage", 3, 0, 2}},
       {{"Label41", "Alarm", 0, 0}}},
      {"GroupBox7",
       "Taupunkt innen",
       -1,
       {{"Label42", "Aktuell", 0, 0, 2},
        {"Label43", "Hi", 1, 0},
        {"Label47", "ZeitHi", 1, 1},
        {"Label44", "Lo", 2, 0},
        {"Label48", "ZeitLo", 2, 1}},
       {{"Label45", "Alarm Hi", 0, 0}}},
      {"GroupBox8",
       "Taupunkt aussen",
       -1,
       {{"Label46", "Aktuell", 0, 0, 2},
        {"Label49", "Hi", 1, 0},
        {"Label52", "ZeitHi", 1, 1},
        {"Label50", "Lo", 2, 0},
        {"Label53", "ZeitLo", 2, 1}},
       {{"Label51", "Alarm Hi", 0, 0}}},
      {"GroupBox9",
       "Regen",
       -1,
       {{"Label55", "Rate", 0, 0},
        {"Label56", "Gestern", 1, 0},
        {"Label57", "Total", 2, 0},
        {"Label58", "seit", 2, 1},
        {"Label79", "Seit 24h", 3, 0}},
       {{"Label64", "Alarm", 0, 0}}},
      {"GroupBox10",
       "Winde",
       4,
       {{"Label66", "Aktuell", 0, 0, 2},
        {"Label67", "Durchschnitt", 1, 0},
        {"Label68", "Böe", 2, 0},
        {"Label71", "ZeitBöe", 3, 0},
        {"Label78", "Maximum seitt 5min", 4, 0}},
       {{"Label69", "Alarm", 0, 0}}},
      {"GroupBox11",
       "Windchill",
       -1,
       {{"Label72", "Aktuell", 0, 0, 2}, {"Label73", "Lo", 1, 0}, {"Label74", "ZeitLo", 1, 1}},
       {{"Label75", "Alarm", 0, 0}}},
  };
  return layouts;
}

QFrame* separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QWidget* plainPanel(const char* name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

}  // namespace

TForm1::TForm1(MainWindowParts parts, QWidget* parent) : QMainWindow(parent), parts_(parts) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Tavik Output - Inactive"));
  for (int i = 0; i < kTrendPictureCount; ++i) PicTrend_[static_cast<size_t>(i)] = trendPicture(i);
  for (int i = 0; i < kForecastPictureCount; ++i) {
    PicVorhersage_[static_cast<size_t>(i)] = forecastPicture(i);
  }

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  buildBandBar(central);
  middle_ = plainPanel("PanelMiddle", central);
  middle_->installEventFilter(this);
  column->addWidget(middle_, 1);
  setCentralWidget(central);
  buildColumns(middle_);
  buildGroupContents();
  buildStatusBar();
  buildMenus();
  buildTimers();

  parts_.clockwork.onTimersChanged = [this] { syncTimers(); };
  parts_.clockwork.onTextsChanged = [this] { showStatusTexts(); };
  syncTimers();
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

TForm1::~TForm1() {
  parts_.clockwork.onTimersChanged = nullptr;
  parts_.clockwork.onTextsChanged = nullptr;
}

QLabel* TForm1::makeLabel(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  labels_[name] = l;
  return l;
}

QLabel* TForm1::label(const std::string& name) const { return labels_.at(name); }

void TForm1::buildBandBar(QWidget* parent) {
  auto* bar = new QFrame(parent);
  bar->setObjectName(QStringLiteral("CoolBar1"));
  bar->setFrameShape(QFrame::StyledPanel);
  // A narrow window cuts the bands off at the right instead of growing.
  bar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  QFont small = bar->font();
  small.setPointSize(8);
  bar->setFont(small);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(5);

  ToolButton1 = new QToolButton(bar);
  ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
  ToolButton1->setText(QStringLiteral("Aktiv"));
  ToolButton1->setCheckable(true);
  ToolButton1->setAutoRaise(true);
  ToolButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QIcon icon(activeButtonPicture(false));
  icon.addPixmap(activeButtonPicture(true), QIcon::Active);
  ToolButton1->setIcon(icon);
  connect(ToolButton1, &QToolButton::clicked, this, [this] {
    // The button does what the menu item does; its pressed state follows the
    // activation, not the click.
    ToolButton1->setChecked(parts_.clockwork.toolButtonDown());
    C1->trigger();
  });
  row->addWidget(ToolButton1);
  row->addWidget(separator(bar));
  ComLed2 = new QLabel(bar);
  ComLed2->setObjectName(QStringLiteral("ComLed2"));
  lampPictures_ = {receiveLampPicture(false), receiveLampPicture(true)};
  ComLed2->setPixmap(lampPictures_[0]);
  ComLed2->setToolTip(QStringLiteral("Empfang"));
  row->addWidget(ComLed2);
  lampOff_ = new QTimer(this);
  lampOff_->setSingleShot(true);
  connect(lampOff_, &QTimer::timeout, this, [this] {
    lampLit_ = false;
    ComLed2->setPixmap(lampPictures_[0]);
  });
  row->addWidget(separator(bar));

  row->addWidget(new QLabel(QStringLiteral("Letzte Abfrage"), bar));
  row->addWidget(makeLabel(bar, "Label1", QStringLiteral("12:30:00")));
  row->addWidget(makeLabel(bar, "Label2", QStringLiteral("06.06.01")));
  row->addWidget(makeLabel(bar, "Label6", QStringLiteral("Alarm")));
  row->addWidget(separator(bar));

  row->addWidget(new QLabel(QStringLiteral("Batterie:"), bar));
  Shape1 = new CircleShape(kBatteryGood, bar);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setToolTip(QStringLiteral("Batterie"));
  Shape1->setFixedSize(13, 13);
  row->addWidget(Shape1);
  row->addWidget(makeLabel(bar, "Label80", QStringLiteral("Label80")));
  row->addWidget(separator(bar));

  row->addWidget(new QLabel(QStringLiteral("Display:"), bar));
  row->addWidget(makeLabel(bar, "Label83", QStringLiteral("Label83")));
  row->addStretch(1);
  static_cast<QVBoxLayout*>(parent->layout())->addWidget(bar);
}

void TForm1::buildColumns(QWidget* parent) {
  PanelLinks = plainPanel("PanelLinks", parent);
  PanelMitte = plainPanel("PanelMitte", parent);
  PanelRechts = plainPanel("PanelRechts", parent);
  PanelRechts2 = plainPanel("PanelRechts2", PanelRechts);
  const auto& layouts = groupLayouts();
  QWidget* owners[10] = {PanelLinks,   PanelLinks,   PanelMitte, PanelMitte,  PanelLinks,
                         PanelRechts2, PanelRechts2, PanelMitte, PanelRechts, PanelRechts2};
  for (size_t i = 0; i < layouts.size(); ++i) {
    auto* box = new QGroupBox(QString::fromUtf8(layouts[i].caption), owners[i]);
    box->setObjectName(QString::fromLatin1(layouts[i].name));
    box->setAutoFillBackground(true);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this,
            [this, box](const QPoint& pos) { showPopup(box, box->mapToGlobal(pos)); });
    groups_[i] = box;
  }
  middle_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(middle_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { showPopup(nullptr, middle_->mapToGlobal(pos)); });
}

void TForm1::buildGroupContents() {
  const auto& layouts = groupLayouts();
  for (size_t i = 0; i < layouts.size(); ++i) {
    const GroupLayout& layout = layouts[i];
    QGroupBox* box = groups_[i];
    auto* outer = new QHBoxLayout(box);
    // The column layout sets the group's size; a small window cuts its labels off.
    outer->setSizeConstraint(QLayout::SetNoConstraint);
    outer->setContentsMargins(6, 2, 6, 4);
    outer->setSpacing(8);
    if (layout.bar >= 0) {
      auto* bar = new QProgressBar(box);
      const std::string name = "ProgressBar" + std::to_string(layout.bar + 1);
      bar->setObjectName(QString::fromStdString(name));
      bar->setOrientation(Qt::Vertical);
      bar->setRange(kBarRanges[static_cast<size_t>(layout.bar)].minimum,
                    kBarRanges[static_cast<size_t>(layout.bar)].maximum);
      bar->setValue(std::clamp(0, bar->minimum(), bar->maximum()));
      bar->setTextVisible(false);
      bar->setFixedWidth(12);
      bars_[static_cast<size_t>(layout.bar)] = bar;
      outer->addWidget(bar);
    }
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);
    for (const LabelLayout& l : layout.shown) {
      grid->addWidget(makeLabel(box, l.name, QString::fromUtf8(l.caption)), l.row, l.column, 1,
                      l.columnSpan);
    }
    for (const LabelLayout& l : layout.alarms) {
      makeLabel(box, l.name, QString::fromUtf8(l.caption))->hide();
    }
    if (std::string(layout.name) == "GroupBox6") {
      Image1 = new QLabel(box);
      Image1->setObjectName(QStringLiteral("Image1"));
      Image1->setFixedSize(32, 24);
      Image2 = new QLabel(box);
      Image2->setObjectName(QStringLiteral("Image2"));
      Image2->setFixedSize(55, 44);
      // The forecast picture beside the two pressures, the trend picture
      // beside its word; the forecast word may use the whole width.
      grid->addWidget(Image2, 0, 1, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
      grid->addWidget(Image1, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    grid->setColumnStretch(grid->columnCount(), 1);
    grid->setRowStretch(grid->rowCount(), 1);
    outer->addLayout(grid, 1);
  }
}

void TForm1::buildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  QFont small = bar->font();
  small.setPointSize(8);
  bar->setFont(small);
  const char* texts[6] = {"ASYNOP:",           "Import: 123min", "Read: 123min",
                          "Wetterlog: 123min", "APRS: 1min",     "Laufzeit: 12:34"};
  const int widths[6] = {100, 100, 100, 100, 100, 50};
  for (size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(QString::fromLatin1(texts[i]), bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setMinimumWidth(widths[i]);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    // The last panel takes whatever width is left.
    bar->addWidget(panel, i + 1 == panels_.size() ? 1 : 0);
    panels_[i] = panel;
  }
  setStatusBar(bar);
}

QAction* TForm1::addItem(QMenu* menu, const char* name, const QString& text,
                         const QKeySequence& shortcut) {
  QAction* a = menu->addAction(text);
  a->setObjectName(QString::fromLatin1(name));
  a->setShortcut(shortcut);
  return a;
}

void TForm1::buildMenus() {
  Clockwork& cw = parts_.clockwork;
  ProductWriters& pw = parts_.products;

  QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
  C1 = addItem(datei, "C1", QStringLiteral("Aktiv"), Qt::Key_F2);
  C1->setCheckable(true);
  connect(C1, &QAction::triggered, this, [this, &cw] {
    cw.C1Click();
    C1->setChecked(cw.isActive());
  });
  connect(addItem(datei, "JETZTImporterstellen1", QStringLiteral("JETZT Import erstellen!"),
                  Qt::CTRL | Qt::Key_I),
          &QAction::triggered, this, [&cw] { cw.importNow(); });
  connect(addItem(datei, "JETZTReaderstellen1", QStringLiteral("JETZT Read erstellen!"),
                  Qt::CTRL | Qt::Key_R),
          &QAction::triggered, this, [&pw] { pw.writeProfileReport(1); });
  connect(addItem(datei, "JETZTLogupdaten1", QStringLiteral("JETZT Log updaten!"),
                  Qt::CTRL | Qt::Key_L),
          &QAction::triggered, this, [&pw] { pw.writeWeatherLog(); });
  connect(addItem(datei, "JETZTAPRSerstellen1", QStringLiteral("JETZT APRS erstellen!"),
                  Qt::CTRL | Qt::Key_A),
          &QAction::triggered, this, [&pw] { pw.writeAprsFile(); });
  QMenu* asynop = datei->addMenu(QStringLiteral("JETZT ASYNOP erstellen!"));
  asynop->menuAction()->setObjectName(QStringLiteral("JETZTASYNOPerstellen1"));
  connect(addItem(asynop, "NeueDatei1", QStringLiteral("Neue Datei")), &QAction::triggered, this,
          [this, &pw] {
            pw.asynopNewFile();
            showStatusTexts();
          });
  connect(addItem(asynop, "Zeileanhngen1", QStringLiteral("Zeile anhängen")), &QAction::triggered,
          this, [this, &pw] {
            pw.asynopAppendLine();
            showStatusTexts();
          });
  connect(addItem(asynop, "Dateieende1", QStringLiteral("Dateieende")), &QAction::triggered, this,
          [this, &pw] {
            pw.asynopEndFile();
            showStatusTexts();
          });
  connect(addItem(datei, "Drucken1", QStringLiteral("&Drucken"), Qt::CTRL | Qt::Key_P),
          &QAction::triggered, this, [this] { printReadReport(); });
  datei->addSeparator();
  connect(addItem(datei, "Beenden1", QStringLiteral("&Beenden")), &QAction::triggered, this,
          &QWidget::close);

  QMenu* einst = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
  const std::pair<const char*, const char*> dialogs[] = {{"Allgemein1", "Allgemein..."},
                                                         {"APRS1", "APRS..."},
                                                         {"WinGT1", "WinGT..."},
                                                         {"Wetterlog1", "Wetterlog..."},
                                                         {"Profile1", "Profile..."},
                                                         {"COMPort1", "COM-Port..."},
                                                         {"Locator1", "Locator..."},
                                                         {"ASYNOP1", "ASYNOP..."},
                                                         {"ClientServer1", "Client/Server"}};
  for (const auto& [name, text] : dialogs) {
    addItem(einst, name, QString::fromUtf8(text))->setEnabled(false);
  }

  QMenu* ansicht = menuBar()->addMenu(QStringLiteral("&Ansicht"));
  Alarme1 = addItem(ansicht, "Alarme1", QStringLiteral("Alarme"));
  Windrose1 = addItem(ansicht, "Windrose1", QStringLiteral("Windrose"), Qt::Key_F3);
  addItem(ansicht, "Explorer1", QStringLiteral("Explorer"))->setEnabled(false);
  addItem(ansicht, "Sonne1", QStringLiteral("Sonne"))->setEnabled(false);
  // No moon data is computed anywhere, so the entry offers nothing.
  addItem(ansicht, "Mond1", QStringLiteral("Mond"))->setEnabled(false);
  QMenu* thermo = ansicht->addMenu(QStringLiteral("Thermometer"));
  thermo->menuAction()->setObjectName(QStringLiteral("Thermometer1"));
  Quecksilber1 = addItem(thermo, "Quecksilber1", QStringLiteral("Quecksilber"), Qt::Key_F4);
  addItem(thermo, "Digital1", QStringLiteral("Digital"))->setEnabled(false);
  QMenu* debug = ansicht->addMenu(QStringLiteral("Debug"));
  debug->menuAction()->setObjectName(QStringLiteral("Debug1"));
  ShowCOMData1 = addItem(debug, "ShowCOMData1", QStringLiteral("Show COM-Data"));
  DumpCOMData1 = addItem(debug, "DumpCOMDatatofile1", QStringLiteral("Dump COM-Data to file..."));
  addItem(debug, "UseFileasInputData1", QStringLiteral("Use File as Input-Data..."));
  ShowAllWeatherChkSums1 =
      addItem(debug, "ShowAllWeatherChkSums1", QStringLiteral("Show All Weather ChkSums"));
  N5xWind1 = addItem(debug, "N5xWind1", QStringLiteral("5x Wind"));
  for (QAction* a : {Alarme1, Windrose1, Quecksilber1, ShowAllWeatherChkSums1, N5xWind1}) {
    a->setCheckable(true);
  }
  for (QAction* a : {Alarme1, Windrose1, Quecksilber1, ShowCOMData1, DumpCOMData1,
                     ShowAllWeatherChkSums1, N5xWind1}) {
    a->setEnabled(false);
  }

  QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
  connect(
      addItem(hilfe, "ReadMe1", QStringLiteral("ReadMe...")), &QAction::triggered, this,
      [this] { openHelpPageOrSayWhy(defaultHelpPagePath(), parts_.products.context().notifier); });
  addItem(hilfe, "About1", QStringLiteral("About..."), Qt::Key_F1)->setEnabled(false);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  connect(addItem(PopupMenu1, "Zeichen1", QStringLiteral("Zeichen...")), &QAction::triggered, this,
          &TForm1::Zeichen1Click);
  connect(addItem(PopupMenu1, "Farben2", QStringLiteral("Farbe...")), &QAction::triggered, this,
          &TForm1::Farben2Click);
}

void TForm1::buildTimers() {
  Clockwork& cw = parts_.clockwork;
  auto make = [this](QTimer*& timer, const char* name, auto tick) {
    timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(name));
    connect(timer, &QTimer::timeout, this, tick);
  };
  make(importtimer, "importtimer", [&cw] { cw.importtimerTimer(); });
  make(readtimer, "readtimer", [&cw] { cw.readtimerTimer(); });
  make(logtimer, "logtimer", [&cw] { cw.logtimerTimer(); });
  make(minutencount, "minutencount", [&cw] { cw.minutencountTimer(); });
  make(tmrSekunden, "tmrSekunden", [&cw] { cw.tmrSekundenTimer(); });
}

void TForm1::syncTimers() {
  const TimerStates s = parts_.clockwork.timerStates();
  const std::pair<QTimer*, TimerState> timers[] = {{importtimer, s.importtimer},
                                                   {readtimer, s.readtimer},
                                                   {logtimer, s.logtimer},
                                                   {minutencount, s.minutencount},
                                                   {tmrSekunden, s.tmrSekunden}};
  for (const auto& [timer, state] : timers) {
    if (!state.fires()) {
      timer->stop();
      continue;
    }
    const int interval = std::max(1, state.periodMs / std::max(1, parts_.timerSpeedUp));
    // A timer whose period stays is left alone, so that its phase is kept.
    if (!timer->isActive() || timer->interval() != interval) {
      timer->start(interval);
    }
  }
}

void TForm1::showStatusTexts() {
  Clockwork& cw = parts_.clockwork;
  setWindowTitle(QString::fromStdString(cw.caption()));
  if (const std::string& asynop = parts_.products.asynopStatus(); !asynop.empty()) {
    panels_[0]->setText(QString::fromStdString(asynop));
  }
  for (int i = 1; i < static_cast<int>(panels_.size()); ++i) {
    const std::string& text = cw.panelText(i);
    if (!text.empty()) panels_[static_cast<size_t>(i)]->setText(QString::fromStdString(text));
  }
  C1->setChecked(cw.isActive());
  ToolButton1->setChecked(cw.toolButtonDown());
}

void TForm1::attachWindows(const AuxiliaryWindows& windows) {
  windows_ = windows;
  if (windows_.alarm) {
    windows_.alarm->setAlarmTextSource([this] {
      auto t = [this](const char* name) { return label(name)->text(); };
      return AlarmTexts{t("Label6"),  t("Label16"), t("Label17"), t("Label12"), t("Label11"),
                        t("Label33"), t("Label32"), t("Label26"), t("Label25"), t("Label51"),
                        t("Label45"), t("Label75"), t("Label41"), t("Label69"), t("Label64")};
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
    setCommand(QStringLiteral("About1"), [this] { windows_.about->exec(); });
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

void TForm1::setCommand(const QString& actionName, std::function<void()> command) {
  QAction* a = findChild<QAction*>(actionName);
  if (!a) return;
  a->setEnabled(true);
  connect(a, &QAction::triggered, this, [this, command = std::move(command)] {
    command();
    showStatusTexts();
  });
}

void TForm1::C1Click() { C1->trigger(); }

void TForm1::PacketDecoded() {
  if (windows_.checksums) windows_.checksums->refresh();
  RefreshMainWindow();
}

void TForm1::RefreshMainWindow() {
  const PictureLabels before{label("Label39")->text().toStdString(),
                             label("Label40")->text().toStdString()};
  const DisplayUpdate u = computeDisplayUpdate(parts_.station.weather, parts_.station.state,
                                               parts_.clock, parts_.regional, before);
  for (const auto& [name, text] : u.labels) {
    label(name)->setText(QString::fromStdString(text));
  }
  for (size_t i = 0; i < bars_.size(); ++i) {
    bars_[i]->setValue(u.bars[i]);
  }
  if (u.trend) {
    Image1->setPixmap(u.trend->picture >= 0 ? PicTrend_[static_cast<size_t>(u.trend->picture)]
                                            : QPixmap());
  }
  if (u.forecast) {
    Image2->setPixmap(u.forecast->picture >= 0
                          ? PicVorhersage_[static_cast<size_t>(u.forecast->picture)]
                          : QPixmap());
  }
  Shape1->setBrushColour(u.batteryLow ? kBatteryLow : kBatteryGood);
  if (windows_.wind5x) {
    for (size_t k = 0; k < u.windRows.size(); ++k) {
      windows_.wind5x->setRowText(static_cast<int>(k) + 1, QString::fromStdString(u.windRows[k]));
    }
  }
  if (windows_.windRose && windows_.windRose->isVisible()) {
    windows_.windRose->UpdateRose(parts_.station.weather.Wind.Speed);
  }
}

void TForm1::flashReceiveLamp() {
  if (!lampLit_) {
    lampLit_ = true;
    ComLed2->setPixmap(lampPictures_[1]);
  }
  lampOff_->start(kLampLitMs);
}

void TForm1::applyGroupAppearance() {
  for (int n = 2; n <= 11; ++n) applyGroupAppearance(n);
}

void TForm1::applyGroupAppearance(int n) {
  const auto i = static_cast<size_t>(n - 2);
  const QPalette system = QApplication::palette();
  QGroupBox* box = group(n);
  QPalette p = box->palette();
  p.setColor(QPalette::Window, colourFromValue(parts_.settings.groupColor[i], system));
  p.setColor(QPalette::WindowText, colourFromValue(parts_.settings.groupFontColor[i], system));
  box->setPalette(p);
  QFont f = box->font();
  const int size = parts_.settings.groupFontSize[i];
  if (size > 0) f.setPointSize(size);
  box->setFont(f);
}

int TForm1::groupNumber(const QGroupBox* box) const {
  const auto it = std::find(groups_.begin(), groups_.end(), box);
  return it == groups_.end() ? 0 : static_cast<int>(it - groups_.begin()) + 2;
}

void TForm1::showPopup(QGroupBox* on, const QPoint& globalPos) {
  popupTarget_ = on;
  PopupMenu1->popup(globalPos);
}

void TForm1::Zeichen1Click() {
  QGroupBox* target = popupTarget_;
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, target ? target->font() : font(), this);
  if (!ok || !target) return;
  // Face and style last until the program ends; the size goes to the settings.
  target->setFont(chosen);
  parts_.settings.groupFontSize[static_cast<size_t>(groupNumber(target) - 2)] =
      chosen.pointSize() > 0 ? chosen.pointSize() : 8;
}

void TForm1::Farben2Click() {
  QGroupBox* target = popupTarget_;
  const QColor chosen = QColorDialog::getColor(lastChosenColour_, this);
  if (!chosen.isValid()) return;
  lastChosenColour_ = chosen;
  if (!target) return;
  const int n = groupNumber(target);
  parts_.settings.groupColor[static_cast<size_t>(n - 2)] = valueFromColour(chosen);
  applyGroupAppearance(n);
}

void TForm1::printReadReport() {
  parts_.products.writeProfileReport(1);
  const std::string path = parts_.products.readReportPath();
  if (!path.empty()) printFileOrSayWhy(path, parts_.products.context().notifier);
}

void TForm1::FormResize() {
  const ColumnLayout l = computeColumnLayout(middle_->width(), middle_->height());
  const int h = middle_->height();
  PanelLinks->setGeometry(0, 0, l.leftWidth, h);
  PanelMitte->setGeometry(l.leftWidth, 0, l.middleWidth, h);
  PanelRechts->setGeometry(l.leftWidth + l.middleWidth, 0, l.rightWidth, h);
  auto stack = [](QWidget* top, QWidget* fill, QWidget* bottom, int width, int height, int outer) {
    top->setGeometry(0, 0, width, outer);
    fill->setGeometry(0, outer, width, std::max(0, height - 2 * outer));
    bottom->setGeometry(0, std::max(outer, height - outer), width, outer);
  };
  stack(group(3), group(2), group(6), l.leftWidth, h, l.leftOuter);
  stack(group(5), group(4), group(9), l.middleWidth, h, l.middleOuter);
  PanelRechts2->setGeometry(0, 0, l.rightWidth, l.rightInner);
  group(10)->setGeometry(0, l.rightInner, l.rightWidth, l.windHeight);
  stack(group(8), group(7), group(11), l.rightWidth, l.rightInner, l.rightOuter);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == middle_ && event->type() == QEvent::Resize) {
    FormResize();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  if (const QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
  if (onFirstShow) onFirstShow();
  applyGroupAppearance();
  syncTimers();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (onClose) onClose();
  QMainWindow::closeEvent(event);
}

}  // namespace tavik
