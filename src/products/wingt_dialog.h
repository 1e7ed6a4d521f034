// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <optional>

#include "common/notifier.h"
#include "settings/settings.h"
#include "settings/takeover.h"

class QLabel;
class QLineEdit;

namespace tavik {

class Tordner;

// The WinGT settings dialog ("WinGT Einstellungen"): the periods of the
// Import and Read reports in minutes and their folders.
class Twingtprop : public QDialog {
  Q_OBJECT

 public:
  // `chooser` serves both "Durchsuchen..." buttons.
  explicit Twingtprop(Tordner& chooser, QWidget* parent = nullptr);

  // Shows the timer periods in whole minutes and the two folders.
  void FormShow(const Settings& settings);
  // Takes the fields over (the main window's OK rule) and shows the minutes
  // as taken ("0" for an empty field).
  TimerRunning commit(Settings& settings, Notifier& notifier);

  void Button1Click();  // "Durchsuchen..." of the import folder
  void Button2Click();  // "Durchsuchen..." of the read folder

 private:
  WinGTFields fields() const;

  Tordner& chooser_;
  QLineEdit* Edit1;  // import minutes
  QLineEdit* Edit2;  // read minutes
  QLabel* Label4;    // import folder
  QLabel* Label6;    // read folder
};

// "WinGT...": shows the dialog filled from the settings, modally; on OK takes
// it over and tells how the import and read timers are to run. Nothing on
// "Abbrechen".
std::optional<TimerRunning> editWinGTSettings(Twingtprop& dialog, Settings& settings,
                                              Notifier& notifier);

}  // namespace tavik
