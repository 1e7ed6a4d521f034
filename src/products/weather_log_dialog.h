// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <optional>

#include "common/notifier.h"
#include "settings/settings.h"
#include "settings/takeover.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tavik {

class RadioGroup;
class Tordner;

// The Wetterlog settings dialog ("Wetterlog Einstellungen"): the log folder
// and its week and month folders, the period one file covers, the snapshot
// period in minutes and "Spitzenwerte festhalten".
class Tlogprop : public QDialog {
  Q_OBJECT

 public:
  // `chooser` serves "Durchsuchen...".
  explicit Tlogprop(Tordner& chooser, QWidget* parent = nullptr);

  // Shows the settings and the log timer period in whole minutes.
  void FormShow(const Settings& settings);
  // Takes the fields over (the main window's OK rule) and shows the minutes
  // as taken ("0" for an empty field).
  TimerRunning commit(Settings& settings, Notifier& notifier);

  // The week and month folder boxes can be changed only while
  // "Logdateien zusammenfasssen" is ticked; their ticks stay either way.
  void CheckBox3Click();
  void Button3Click();  // "Durchsuchen..."

 private:
  WeatherLogFields fields() const;

  Tordner& chooser_;
  QLabel* Label3;        // log folder
  QCheckBox* CheckBox1;  // "ein Ordner pro Woche"
  QCheckBox* CheckBox2;  // "ein Ordner pro Monat"
  QCheckBox* CheckBox3;  // "Logdateien zusammenfasssen"
  QCheckBox* CheckBox4;  // "Spitzenwerte festhalten"
  RadioGroup* RadioGroup1;
  QLineEdit* Edit1;  // snapshot minutes
};

// "Wetterlog...": shows the dialog filled from the settings, modally; on OK
// takes it over and tells how the log timer is to run. Nothing on
// "Abbrechen".
std::optional<TimerRunning> editWeatherLogSettings(Tlogprop& dialog, Settings& settings,
                                                   Notifier& notifier);

}  // namespace tavik
