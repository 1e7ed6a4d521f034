#pragma once

#include <QMainWindow>
#include <QPixmap>

#include <array>
#include <functional>
#include <map>
#include <string>

#include "common/clock.h"
#include "common/regional.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "station/decoders.h"
#include "station/port_listener.h"

class QAction;
class QDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolButton;
class QWidget;

namespace tavik {

class CircleShape;
class Clockwork;
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
  // The QTimers run this many times faster than their periods (1 in the
  // program; larger only for the soak benchmark's accelerated clock).
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

// The main window: the ten display groups, the band bar with the activation
// button and the receive lamp, the status bar, the menus and the five timers,
// which it runs as the clockwork says.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(MainWindowParts parts, QWidget* parent = nullptr);
  ~TForm1() override;

  void attachWindows(const AuxiliaryWindows& windows);
  // Wires a menu item (by object name, for example "Allgemein1") to the
  // dialog that serves it and enables it.
  void setCommand(const QString& actionName, std::function<void()> command);

  // Run once when the window is first shown (loading the settings) and when
  // it is closed (saving them).
  std::function<void()> onFirstShow;
  std::function<void()> onClose;

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
  QGroupBox* group(int n) const { return groups_.at(static_cast<size_t>(n - 2)); }
  // The listener that lights the receive lamp on every chunk of bytes.
  PortListener& receiveLampListener() { return lampListener_; }

  // Font and colour of the group the popup menu was opened on (none: the
  // dialogs still run and change nothing).
  void Zeichen1Click();
  void Farben2Click();
  void FormResize();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class LampListener final : public PortListener {
   public:
    explicit LampListener(TForm1& form) : form_(form) {}
    void receiveChunk(std::span<const uint8_t>) override { form_.flashReceiveLamp(); }

   private:
    TForm1& form_;
  };

  void buildBandBar(QWidget* parent);
  void buildColumns(QWidget* parent);
  void buildGroupContents();
  void buildStatusBar();
  void buildMenus();
  void buildTimers();
  QAction* addItem(QMenu* menu, const char* name, const QString& text,
                   const QKeySequence& shortcut = {});
  QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption);
  QLabel* label(const std::string& name) const;
  void applyGroupAppearance(int n);
  // 2..11 for a display group, 0 for anything else.
  int groupNumber(const QGroupBox* box) const;
  void showPopup(QGroupBox* on, const QPoint& globalPos);
  void printReadReport();
  void wireToolWindow(ToolWindow* window, QAction* item, bool clearOnClose, bool clearOnHide);

  MainWindowParts parts_;
  AuxiliaryWindows windows_;
  LampListener lampListener_{*this};
  bool shownOnce_ = false;

  QWidget* middle_ = nullptr;
  QWidget* PanelLinks = nullptr;
  QWidget* PanelMitte = nullptr;
  QWidget* PanelRechts = nullptr;
  QWidget* PanelRechts2 = nullptr;
  std::array<QGroupBox*, 10> groups_{};
  std::map<std::string, QLabel*> labels_;
  std::array<QProgressBar*, 5> bars_{};
  std::array<QPixmap, 5> PicTrend_;
  std::array<QPixmap, 9> PicVorhersage_;
  QLabel* Image1 = nullptr;
  QLabel* Image2 = nullptr;
  CircleShape* Shape1 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QLabel* ComLed2 = nullptr;
  QTimer* lampOff_ = nullptr;
  bool lampLit_ = false;
  std::array<QPixmap, 2> lampPictures_;  // dark, lit
  std::array<QLabel*, 6> panels_{};

  QAction* C1 = nullptr;
  QAction* Alarme1 = nullptr;
  QAction* Windrose1 = nullptr;
  QAction* Quecksilber1 = nullptr;
  QAction* ShowCOMData1 = nullptr;
  QAction* DumpCOMData1 = nullptr;
  QAction* ShowAllWeatherChkSums1 = nullptr;
  QAction* N5xWind1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QGroupBox* popupTarget_ = nullptr;
  QColor lastChosenColour_ = Qt::black;

  QTimer* importtimer = nullptr;
  QTimer* readtimer = nullptr;
  QTimer* logtimer = nullptr;
  QTimer* minutencount = nullptr;
  QTimer* tmrSekunden = nullptr;
};

}  // namespace tavik
