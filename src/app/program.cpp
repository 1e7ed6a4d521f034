#include "app/program.h"

#include <QMessageBox>

#include "astro/locator_dialog.h"
#include "astro/sun_window.h"
#include "core/port_notifier.h"
#include "explorer/explorer_window.h"
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
#include "widgets/folder_chooser_dialog.h"

namespace tavik {

Program::Program(std::string programDir, const Clock& clock, int timerSpeedUp)
    : programDir_(std::move(programDir)),
      clock_(clock),
      products_(ProductContext{station_.weather, station_.state, settings_, profiles_, clock_,
                               regional_, notifier_, programDir_}),
      clockwork_(station_.weather, station_.state, settings_, profiles_, clock_, notifier_,
                 portControl_, products_, regional_) {
  // The main window first; creating it starts with the record empty, the
  // seen flags clear and the detectors waiting for their group bytes.
  form_ = std::make_unique<TForm1>(MainWindowParts{station_, settings_, profiles_, clock_,
                                                   regional_, clockwork_, products_, timerSpeedUp});
  notifier_.setParentWindow(form_.get());
  // The detectors listen first, then the debug window's terminal, then the lamp.
  stream_.setGroupHandler([this](GroupKind, bool) { form_->PacketDecoded(); });
  stream_.attach(port_);
  createWindows();
  port_.registerListener(&form_->receiveLampListener());
  portNotifier_ = std::make_unique<PortNotifier>(port_);
  form_->onFirstShow = [this] { FormShow(); };
  form_->onClose = [this] { FormHide(); };
}

Program::~Program() {
  port_.unregisterListener(&form_->receiveLampListener());
  portNotifier_.reset();
  port_.Close();
}

void Program::createWindows() {
  TForm1* form = form_.get();
  const ProductContext& context = products_.context();
  // The folder chooser serves several dialogs, so it exists before them.
  auto* chooser = new Tordner(form);
  AuxiliaryWindows w;
  w.about = new TAboutBox(form);
  w.alarm = new Talarmfrm(form);
  auto* general = new TAlgprop(form);
  w.thermometer = new Tanalog(station_.weather, form);
  auto* aprs = new Taprsprop(context, *chooser, form);
  w.checksums = new Tchksums(station_.verdicts, form);
  w.comInput = new TDebugComInput(port_, form);
  auto* explorer = new TfrmExplorer(regional_, form);
  auto* log = new Tlogprop(*chooser, form);
  auto* nameDialog = new TPasswordDlg(notifier_, form);
  auto* profiles = new Tmailprop(profiles_, *nameDialog, notifier_, form);
  w.windRose = new TWindrose(station_.weather, form);
  auto* wingt = new Twingtprop(*chooser, form);
  w.wind5x = new Twindx5(form);
  auto* locator = new TLocator(regional_, notifier_, form);
  auto* sun = new TfrmSonne(clock_, regional_, notifier_, form);
  auto* asynop = new Tasynopprop(
      context, *chooser, [this] { products_.asynopNewFile(); }, form);
  auto* clientServer = new Tclsersetting(form);
  form->attachWindows(w);

  // Each dialog changes the settings in memory only; the timers follow the
  // periods at once, the file gets them at exit.
  auto settingsCommand = [this](std::function<void()> edit) {
    return [this, edit = std::move(edit)] {
      edit();
      clockwork_.periodsChanged();
    };
  };
  auto showWindow = [](QWidget* window) {
    return [window] {
      window->show();
      window->raise();
    };
  };
  form->setCommands({
      .generalSettings =
          settingsCommand([this, general] { editGeneralSettings(*general, settings_); }),
      .aprsSettings =
          settingsCommand([this, aprs] { editAprsSettings(*aprs, settings_, notifier_); }),
      // WinGT and Wetterlog also set their timers running or stopped.
      .wingtSettings = settingsCommand([this, wingt] {
        if (const auto running = editWinGTSettings(*wingt, settings_, notifier_)) {
          clockwork_.takeOverTimers(*running);
        }
      }),
      .weatherLogSettings = settingsCommand([this, log] {
        if (const auto running = editWeatherLogSettings(*log, settings_, notifier_)) {
          clockwork_.takeOverTimers(*running);
        }
      }),
      .profiles = settingsCommand([profiles] { editProfiles(*profiles); }),
      .portSetup = [this] { portSetup(); },
      .locator = settingsCommand([this, locator] { Locator1Click(*locator, settings_); }),
      .asynopSettings =
          settingsCommand([this, asynop] { editAsynopSettings(*asynop, settings_, notifier_); }),
      .clientServer = [clientServer] { clientServer->exec(); },
      .explorer = showWindow(explorer),
      .sun = showWindow(sun),
  });
}

void Program::FormShow() {
  loadSettings(
      programDir_, settings_, profiles_,
      [this] {
        port_.setPortName(settings_.Comport);
        form_->C1Click();
      },
      notifier_);
  port_.setPortName(settings_.Comport);
  clockwork_.periodsChanged();
}

void Program::FormHide() {
  // The program ends right after this, so a failure is shown and waited for.
  RecordingNotifier failures;
  settings_.Comport = port_.portName();
  saveSettings(programDir_, settings_, profiles_, clockwork_.isActive(), failures);
  for (const auto& m : failures.messages) {
    QMessageBox::warning(form_.get(), QString::fromStdString(m.caption),
                         QString::fromStdString(m.text));
  }
}

void Program::portSetup() {
  PortSetupDialog dialog(currentPortSetup(port_), listSerialPorts(), form_.get());
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    applyPortSetup(port_, dialog.chosen());
    settings_.Comport = port_.portName();
  } catch (const PortError&) {
    clockwork_.portSetupFailed();
  }
}

}  // namespace tavik
