// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "common/notifier.h"
#include "settings/settings.h"
#include "uploads/upload_config.h"
#include "uploads/upload_outlet.h"

class QCheckBox;
class QLineEdit;

namespace tavik {

class SendNowRow;

// The dialog "CWOP": the callsign, its passcode or the passcode's file, the
// server, the interval and the position, and "Jetzt senden" with the
// server's last answer. Created once and reused.
class Tcwopprop : public QDialog {
  Q_OBJECT

 public:
  explicit Tcwopprop(UploadOutlet& outlet, QWidget* parent = nullptr);
  void FormShow(const Settings& settings);
  CwopFields fields() const;

 private:
  QCheckBox* ActiveCheck;
  QLineEdit* CallsignEdit;
  QLineEdit* PasscodeEdit;
  QLineEdit* KeyFileEdit;
  QLineEdit* ServerEdit;
  QLineEdit* IntervalEdit;
  QLineEdit* PositionEdit;
  SendNowRow* send_;
};

// The menu item "CWOP...": shows the dialog modally and, on OK, takes its
// fields into the settings. False when it was cancelled or a field was refused.
bool editCwopSettings(Tcwopprop& dialog, Settings& settings, Notifier& notifier);

}  // namespace tavik
