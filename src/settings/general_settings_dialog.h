// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "settings/settings.h"
#include "settings/takeover.h"

class QCheckBox;
class QComboBox;

namespace tavik {

class RadioGroup;

// The general settings dialog ("Allgemein"): the products made at
// activation, the rain gauge, the end-of-file mark and the time zone.
class TAlgprop : public QDialog {
  Q_OBJECT

 public:
  explicit TAlgprop(QWidget* parent = nullptr);

  // Shows the settings in the controls.
  void FormShow(const Settings& settings);
  // The controls as they stand.
  GeneralFields fields() const;

 private:
  QCheckBox* CheckBox1;  // "Import (WinGT)"
  QCheckBox* CheckBox2;  // "Read (WinGT)"
  QCheckBox* CheckBox3;  // "LogUpdate"
  QCheckBox* CheckBox4;  // "APRS"
  QCheckBox* CheckBox5;  // "EOF Kennung anhängen"
  RadioGroup* RadioGroup1;
  QComboBox* UTCdelta;
};

// "Allgemein...": shows the dialog filled from the settings, modally, and on
// OK takes its values over. True on OK.
bool editGeneralSettings(TAlgprop& dialog, Settings& settings);

}  // namespace tavik
