// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

#include <iostream>

#include "astro/locator_dialog.h"
#include "astro/sun_window.h"
#include "common/journal_lines.h"
#include "core/port_setup.h"
#include "explorer/explorer_window.h"
#include "mqtt/mqtt_dialog.h"
#include "mqtt/mqtt_outlet.h"
#include "products/aprs_dialog.h"
#include "products/asynop_dialog.h"
#include "products/profiles_dialog.h"
#include "products/weather_log_dialog.h"
#include "products/wingt_dialog.h"
#include "settings/client_server_dialog.h"
#include "settings/general_settings_dialog.h"
#include "settings/profile_name_dialog.h"
#include "settings/settings_file.h"
#include "station/port_list.h"
#include "ui/about_window.h"
#include "ui/alarm_window.h"
#include "ui/checksum_window.h"
#include "ui/debug_input_window.h"
#include "ui/main_window.h"
#include "ui/port_setup_dialog.h"
#include "ui/thermometer_window.h"
#include "ui/wind5x_window.h"
#include "ui/wind_rose_window.h"
#include "uploads/cwop_dialog.h"
#include "uploads/station_uploads.h"
#include "uploads/wu_dialog.h"
#include "web/web_dialog.h"
#include "widgets/folder_chooser_dialog.h"

namespace tavik {

Program::Program(StationFolder folder, const Clock& clock)
    : clock_(clock), runtime_(std::move(folder), clock_, notifier_) {
  // The main window first; creating it starts with the record empty, the
  // seen flags clear and the framer waiting for a start byte.
  form_ = std::make_unique<TForm1>(MainWindowParts{
      runtime_.station(), runtime_.settings(), runtime_.profiles(), clock_, runtime_.regional(),
      runtime_.clockwork(), runtime_.products(), runtime_.timerSpeedUp()});
  notifier_.setParentWindow(form_.get());
  form_->uploadStatus = [this] { return runtime_.outletStatus(); };
  // One redraw for all the groups of a read, not one for each: on a line of
  // noise every start byte makes a candidate, and a redraw per candidate
  // falls behind the line, so that the window answers nothing, not even its
  // close, until the kernel's backlog of bytes has been worked off.
  windowRefresh_ = new QTimer(form_.get());
  windowRefresh_->setSingleShot(true);
  windowRefresh_->setInterval(0);
  QObject::connect(windowRefresh_, &QTimer::timeout, form_.get(),
                   [this] { form_->PacketDecoded(); });
  runtime_.onGroup = [this](GroupKind, bool) {
    if (!windowRefresh_->isActive()) windowRefresh_->start();
  };
  // The framer listens first, then the debug window's terminal, then the lamp.
  createWindows();
  runtime_.port().registerListener(&form_->receiveLampListener());
  form_->onFirstShow = [this] { FormShow(); };
  form_->onClose = [this] { FormHide(); };
}

Program::~Program() {
  runtime_.port().unregisterListener(&form_->receiveLampListener());
  runtime_.port().Close();
}

void Program::stopBySignal() {
  stoppedBySignal_ = true;
  // While a box of the exit waits for a person, leaving every event loop
  // ends it and the exit goes on without further boxes.
  if (closing_) {
    QCoreApplication::exit(0);
  } else {
    form_->close();
  }
}

void Program::createWindows() {
  TForm1* form = form_.get();
  const ProductContext& context = runtime_.products().context();
  StationData& station = runtime_.station();
  Settings& settings = runtime_.settings();
  const RegionalSettings& regional = runtime_.regional();
  // The folder chooser serves several dialogs, so it exists before them.
  auto* chooser = new Tordner(form);
  AuxiliaryWindows w;
  w.about = new TAboutBox(form);
  w.alarm = new Talarmfrm(form);
  auto* general = new TAlgprop(form);
  w.thermometer = new Tanalog(station.weather, form, &station.state);
  auto* aprs = new Taprsprop(
      context, *chooser, [this] { return runtime_.products().writeAprsFileForDialog(); }, form);
  w.checksums = new Tchksums(station.verdicts, form);
  w.comInput = new TDebugComInput(runtime_.port(), form);
  auto* explorer = new TfrmExplorer(settings, clock_, regional, form);
  auto* log = new Tlogprop(*chooser, form);
  auto* nameDialog = new TPasswordDlg(notifier_, form);
  auto* profiles = new Tmailprop(runtime_.profiles(), *nameDialog, notifier_, form);
  w.windRose = new TWindrose(station.weather, form, &station.state);
  auto* wingt = new Twingtprop(*chooser, form);
  w.wind5x = new Twindx5(form);
  auto* locator = new TLocator(regional, notifier_, form);
  auto* sun = new TfrmSonne(settings, clock_, regional, notifier_, form);
  auto* asynop = new Tasynopprop(
      context, *chooser, [this] { runtime_.products().asynopNewFile(); }, form);
  auto* clientServer = new Tclsersetting(form);
  auto* mqtt = new Tmqttprop(runtime_.folder().settingsDir, form);
  auto* web = new Twebprop(*chooser, form);
  auto* cwop = new Tcwopprop(runtime_.uploads().cwop(), form);
  auto* wu = new Twuprop(runtime_.uploads().wu(), form);
  form->attachWindows(w);

  wireCommands({general, aprs, wingt, log, profiles, locator, asynop, clientServer, explorer, sun,
                mqtt, web, cwop, wu});
}

void Program::wireCommands(const CommandWindows& d) {
  Settings& settings = runtime_.settings();
  Clockwork& clockwork = runtime_.clockwork();
  // Each dialog changes the settings in memory only; the timers follow the
  // periods at once, the file gets them at exit.
  auto settingsCommand = [&clockwork](std::function<void()> edit) {
    return [&clockwork, edit = std::move(edit)] {
      edit();
      clockwork.periodsChanged();
    };
  };
  auto showWindow = [](QWidget* window) {
    return [window] {
      window->show();
      window->raise();
    };
  };
  form_->setCommands({
      .generalSettings =
          settingsCommand([&settings, d] { editGeneralSettings(*d.general, settings); }),
      .aprsSettings =
          settingsCommand([this, &settings, d] { editAprsSettings(*d.aprs, settings, notifier_); }),
      // WinGT and Wetterlog also set their timers running or stopped.
      .wingtSettings = settingsCommand([this, &settings, &clockwork, d] {
        if (const auto running = editWinGTSettings(*d.wingt, settings, notifier_)) {
          clockwork.takeOverTimers(*running);
        }
      }),
      .weatherLogSettings = settingsCommand([this, &settings, &clockwork, d] {
        if (const auto running = editWeatherLogSettings(*d.log, settings, notifier_)) {
          clockwork.takeOverTimers(*running);
        }
      }),
      .profiles = settingsCommand([d] { editProfiles(*d.profiles); }),
      .portSetup = [this] { portSetup(); },
      .locator = settingsCommand([&settings, d] { Locator1Click(*d.locator, settings); }),
      .asynopSettings = settingsCommand(
          [this, &settings, d] { editAsynopSettings(*d.asynop, settings, notifier_); }),
      .webSettings =
          settingsCommand([this, &settings, d] { editWebSettings(*d.web, settings, notifier_); }),
      .clientServer = [d] { d.clientServer->exec(); },
      .explorer = showWindow(d.explorer),
      .sun = showWindow(d.sun),
      // The publisher follows the new settings at once.
      .mqttSettings =
          [this, &settings, d] {
            if (editMqttSettings(*d.mqtt, settings, notifier_)) runtime_.mqtt().settingsChanged();
          },
      // The uploads too; "Jetzt senden" in the dialogs sends with the
      // settings in force.
      .cwopSettings =
          [this, &settings, d] {
            if (editCwopSettings(*d.cwop, settings, notifier_))
              runtime_.uploads().settingsChanged();
          },
      .wuSettings =
          [this, &settings, d] {
            if (editWuSettings(*d.wu, settings, notifier_)) runtime_.uploads().settingsChanged();
          },
  });
}

void Program::FormShow() {
  runtime_.loadSettings([this] { form_->C1Click(); }, notifier_);
}

// The program ends right after this. A failed save goes to standard error in
// any case; its box is shown and waited for only when a person closed the
// window, never when a signal asked the program to end.
void Program::FormHide() {
  closing_ = true;
  RecordingNotifier failures;
  runtime_.saveSettings(failures);
  for (const auto& m : failures.messages) {
    std::cerr << messageLine(m.caption, m.text) << std::flush;
    if (stoppedBySignal_) continue;
    QMessageBox::warning(form_.get(), QString::fromStdString(m.caption),
                         QString::fromStdString(m.text));
  }
}

void Program::portSetup() {
  SerialPort& port = runtime_.port();
  PortSetupDialog dialog(currentPortSetup(port), listSerialPorts(), form_.get());
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    applyPortSetup(port, dialog.chosen());
    runtime_.settings().Comport = port.portName();
  } catch (const PortError& e) {
    runtime_.clockwork().portSetupFailed(e.what());
  }
}

}  // namespace tavik
