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

// The dialog "Wunderground": the station ID, the key's file, the upload
// address and the interval, and "Jetzt senden" with the server's last
// answer. Created once and reused.
class Twuprop : public QDialog {
  Q_OBJECT

 public:
  explicit Twuprop(UploadOutlet& outlet, QWidget* parent = nullptr);
  void FormShow(const Settings& settings);
  WuFields fields() const;

 private:
  QCheckBox* ActiveCheck;
  QLineEdit* StationIdEdit;
  QLineEdit* KeyFileEdit;
  QLineEdit* ServerEdit;
  QLineEdit* IntervalEdit;
  SendNowRow* send_;
};

// The menu item "Wunderground...": shows the dialog modally and, on OK,
// takes its fields into the settings. False when it was cancelled or a field
// was refused.
bool editWuSettings(Twuprop& dialog, Settings& settings, Notifier& notifier);

}  // namespace tavik
