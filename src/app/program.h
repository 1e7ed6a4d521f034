// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "common/clock.h"
#include "core/station_folder.h"
#include "core/station_runtime.h"
#include "widgets/message_box_notifier.h"

class QTimer;

namespace tavik {

class TForm1;
class TAlgprop;
class Taprsprop;
class Tasynopprop;
class Tclsersetting;
class TfrmExplorer;
class TfrmSonne;
class TLocator;
class Tlogprop;
class Tmailprop;
class Tmqttprop;
class Twebprop;
class Tcwopprop;
class Twuprop;
class Twingtprop;

// The dialogs and windows behind the main window's commands.
struct CommandWindows {
  TAlgprop* general;
  Taprsprop* aprs;
  Twingtprop* wingt;
  Tlogprop* log;
  Tmailprop* profiles;
  TLocator* locator;
  Tasynopprop* asynop;
  Tclsersetting* clientServer;
  TfrmExplorer* explorer;
  TfrmSonne* sun;
  Tmqttprop* mqtt;
  Twebprop* web;
  Tcwopprop* cwop;
  Twuprop* wu;
};

// The whole running program: the station without windows (the record, the
// settings, the serial line, the products and the clockwork) and every
// window, created once in the program's order and living until it ends.
class Program {
 public:
  // The timers run as fast as `clock` (see Clock::speedUp).
  Program(StationFolder folder, const Clock& clock);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  TForm1& mainWindow() { return *form_; }

  // SIGTERM or SIGINT: closes the main window as its close box does, but a
  // failure to save the settings then goes to standard error only, since
  // nobody may be there to close a box.
  void stopBySignal();

 private:
  void createWindows();
  void wireCommands(const CommandWindows& d);
  void FormShow();
  void FormHide();
  void portSetup();

  const Clock& clock_;
  MessageBoxNotifier notifier_;
  StationRuntime runtime_;
  std::unique_ptr<TForm1> form_;
  // Redraws the window once the line's waiting bytes have been read.
  QTimer* windowRefresh_ = nullptr;
  bool stoppedBySignal_ = false;
  bool closing_ = false;
};

}  // namespace tavik
