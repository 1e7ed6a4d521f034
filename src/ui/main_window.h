// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPixmap>

#include <array>
#include <concepts>
#include <functional>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "station/decoders.h"
#include "station/port_listener.h"
#include "ui/chart_history.h"
#include "ui/display_groups.h"
#include "ui/display_update.h"

class QAction;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class QWidget;

namespace tavik {

// The spans the groups' charts offer, in hours ("Ansicht" > "Verlauf").
inline constexpr std::array<int, 3> kChartSpanHours{3, 12, 24};

class Clockwork;
class ClockworkTimers;
class ColumnArea;
class ProductWriters;
class Tchksums;
class Talarmfrm;
class Tanalog;
class ToolWindow;
class TWindrose;
class Twindx5;

// What the main window shows and drives; all of it lives as long as the window.
struct MainWindowParts {
  StationData& station;
  Settings& settings;
  const ProfileTable& profiles;
  const Clock& clock;
  const RegionalSettings& regional;
  Clockwork& clockwork;
  ProductWriters& products;
  // The QTimers run this many times faster than their periods: the
  // runtime's timer speed-up (1 but under an accelerated clock).
  int timerSpeedUp = 1;
};

// The auxiliary windows the menus toggle; a menu item whose window is missing
// stays disabled.
struct AuxiliaryWindows {
  Talarmfrm* alarm = nullptr;
  TWindrose* windRose = nullptr;
  Tanalog* thermometer = nullptr;
  Tchksums* checksums = nullptr;
  Twindx5* wind5x = nullptr;
  QWidget* comInput = nullptr;  // the "Comport Input" debug window
  QDialog* about = nullptr;
};

// A menu command that the composition root must supply: it has no default,
// so a MainWindowCommands that leaves one out does not compile.
class Command {
 public:
  template <typename F>
  requires std::invocable<F&> &&(!std::same_as<std::decay_t<F>, Command>)Command(F run)
      : run_(std::move(run)) {}  // NOLINT: lambdas convert implicitly
  Command() = delete;

  void operator()() const { run_(); }

 private:
  std::function<void()> run_;
};

// The dialogs and windows of the menus "&Einstellungen" and "&Ansicht" that
// the main window does not own.
struct MainWindowCommands {
  Command generalSettings;     // "Allgemein..."
  Command aprsSettings;        // "APRS..."
  Command wingtSettings;       // "WinGT..."
  Command weatherLogSettings;  // "Wetterlog..."
  Command profiles;            // "Profile..."
  Command portSetup;           // "COM-Port..."
  Command locator;             // "Locator..."
  Command asynopSettings;      // "ASYNOP..."
  Command webSettings;         // "Webseite..."
  Command clientServer;        // "Client/Server"
  Command explorer;            // "Explorer"
  Command sun;                 // "Sonne"
  Command mqttSettings;        // "MQTT..."
  Command cwopSettings;        // "CWOP..."
  Command wuSettings;          // "Wunderground..."
};

// The main window: the ten display groups, the band bar with the activation
// button and the receive lamp, the status bar, the menus and the five timers,
// which it runs as the clockwork says.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(MainWindowParts parts, QWidget* parent = nullptr);
  ~TForm1() override;

  void attachWindows(const AuxiliaryWindows& windows);
  // Wires the menu items of the dialogs and windows to their commands and
  // enables them; until then they stay disabled.
  void setCommands(MainWindowCommands commands);

  // Run once when the window is first shown (loading the settings) and when
  // it is closed (saving them).
  std::function<void()> onFirstShow;
  std::function<void()> onClose;
  // The uploads' status for their panel; the panel is hidden while it is empty.
  std::function<std::string()> uploadStatus;

  // After every delivered group, good or bad: the checksum view and the display.
  void PacketDecoded();
  // The activation toggle, as the menu item "Aktiv" runs it.
  void C1Click();
  // Rewrites every label, bar and picture from the record.
  void RefreshMainWindow();
  // Lights the receive lamp for a moment.
  void flashReceiveLamp();
  // Applies the group colours and fonts of the settings.
  void applyGroupAppearance();
  // Makes the QTimers follow the clockwork's timer states.
  void syncTimers();
  // Copies the clockwork's caption and status texts and the ASYNOP status.
  void showStatusTexts();

  // The display groups GroupBox2..GroupBox11.
  QGroupBox* group(int n) const { return display_.groups.at(static_cast<size_t>(n - 2)); }
  // The course of the groups' main values the charts show.
  ChartHistory& history() { return history_; }
  // Redraws every chart from the history for the chosen span.
  void updateCharts();
  // The chosen chart span: 3, 12 or 24 hours (3 for any other stored value).
  int chartSpanHours() const;
  // The listener that lights the receive lamp on every chunk of bytes.
  PortListener& receiveLampListener() { return lampListener_; }

  // Font (with its colour) and background colour of the group the popup menu
  // was opened on (none: the dialogs still run and change nothing).
  void Zeichen1Click();
  void Farben2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  class LampListener final : public PortListener {
   public:
    explicit LampListener(TForm1& form) : form_(form) {}
    void receiveChunk(std::span<const uint8_t>) override { form_.flashReceiveLamp(); }

   private:
    TForm1& form_;
  };

  void buildBandBar(QWidget* parent);
  void addBandLabels(QWidget* bar, QHBoxLayout* row);
  void buildStatusBar();
  void buildMenus();
  void buildFileMenu();
  void buildViewMenu();
  void buildChartSpanMenu(QMenu* ansicht);
  // The stored place and size, when there is one that fits a screen;
  // otherwise the window keeps its own size, centred.
  void placeAsStored();
  // Moves the frame to `framePlace` once the window manager has framed the
  // window (at once where there is no frame to wait for).
  void placeOnceFramed(const QPoint& framePlace);
  void storePlace();
  // Notes the frame's place and the size while the window is neither
  // maximised nor full screen: a maximised window stores them.
  void noteNormalPlace();
  // Values no longer fresh are drawn faded until new data come.
  void showStale(bool stale);
  // The band's word on a port that could not be opened, and the retry.
  void showPortFailure(const std::string& failure);
  void buildTimers();
  void applyGroupAppearance(int n);
  // Tells the groups' area how much room the screen leaves it, so that a
  // large group font reflows the groups rather than widening the window
  // beyond the screen.
  void fitGroupsToScreen();
  // 2..11 for a display group, 0 for anything else.
  int groupNumber(const QGroupBox* box) const;
  void showPopup(QGroupBox* on, const QPoint& globalPos);
  void printReadReport();
  void wireToolWindow(ToolWindow* window, QAction* item, bool clearOnClose, bool clearOnHide);
  // Runs the command, then shows what it changed in the caption and status bar.
  void wireCommand(QAction* item, Command command);

  MainWindowParts parts_;
  AuxiliaryWindows windows_;
  LampListener lampListener_{*this};
  bool shownOnce_ = false;
  bool stale_ = false;
  QRect normalPlace_;
  ChartHistory history_;
  std::vector<QAction*> chartSpanItems_;  // "3 Stunden", "12 Stunden", "24 Stunden"

  QWidget* band_ = nullptr;  // CoolBar1
  ColumnArea* columns_ = nullptr;
  QTimer* growValues_ = nullptr;
  DisplayWidgets display_;
  DisplayPictures pictures_;
  // What the last refresh showed: the alarm overview reads its texts, and the
  // next refresh compares the trend and forecast words with it.
  DisplayUpdate lastUpdate_;
  PictureLabels shownPictures_;
  QToolButton* ToolButton1 = nullptr;
  QLabel* ComLed2 = nullptr;
  QTimer* lampOff_ = nullptr;
  bool lampLit_ = false;
  std::array<QPixmap, 2> lampPictures_;  // dark, lit
  std::array<QLabel*, 6> panels_{};      // StatusPanel0..StatusPanel5
  QLabel* webPanel_ = nullptr;           // StatusPanelWeb, before the run time
  QLabel* uploadPanel_ = nullptr;        // StatusPanelUpload, after the web page's
  // After a failed activation: why, the way to the port dialog, and the
  // timer that tries the port again.
  QLabel* portFailure_ = nullptr;      // LabelComport
  QToolButton* portButton_ = nullptr;  // ButtonComport
  QTimer* portRetry_ = nullptr;

  // "&Datei"
  QAction* C1 = nullptr;
  QAction* JETZTImporterstellen1 = nullptr;
  QAction* JETZTReaderstellen1 = nullptr;
  QAction* JETZTLogupdaten1 = nullptr;
  QAction* JETZTAPRSerstellen1 = nullptr;
  QAction* JETZTWebseiteerstellen1 = nullptr;
  QAction* NeueDatei1 = nullptr;
  QAction* Zeileanhngen1 = nullptr;
  QAction* Dateieende1 = nullptr;
  QAction* Drucken1 = nullptr;
  QAction* Beenden1 = nullptr;
  // "&Einstellungen"
  QAction* Allgemein1 = nullptr;
  QAction* APRS1 = nullptr;
  QAction* WinGT1 = nullptr;
  QAction* Wetterlog1 = nullptr;
  QAction* Profile1 = nullptr;
  QAction* COMPort1 = nullptr;
  QAction* Locator1 = nullptr;
  QAction* ASYNOP1 = nullptr;
  QAction* Webseite1 = nullptr;
  QAction* ClientServer1 = nullptr;
  QAction* MQTT1 = nullptr;
  QAction* CWOP1 = nullptr;
  QAction* Wunderground1 = nullptr;
  // "&Ansicht"
  QAction* Alarme1 = nullptr;
  QAction* Windrose1 = nullptr;
  QAction* Explorer1 = nullptr;
  QAction* Sonne1 = nullptr;
  QAction* Mond1 = nullptr;
  QAction* Quecksilber1 = nullptr;
  QAction* Digital1 = nullptr;
  QAction* ShowCOMData1 = nullptr;
  QAction* DumpCOMData1 = nullptr;
  QAction* UseFileasInputData1 = nullptr;
  QAction* ShowAllWeatherChkSums1 = nullptr;
  QAction* N5xWind1 = nullptr;
  // "Hilfe"
  QAction* ReadMe1 = nullptr;
  QAction* About1 = nullptr;
  // The display groups' popup menu.
  QMenu* PopupMenu1 = nullptr;
  QAction* Zeichen1 = nullptr;
  QAction* Farben2 = nullptr;
  QGroupBox* popupTarget_ = nullptr;
  QColor lastChosenColour_ = Qt::black;

  ClockworkTimers* timers_ = nullptr;
};

}  // namespace tavik
