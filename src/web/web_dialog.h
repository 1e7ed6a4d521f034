// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "web/web_takeover.h"

class QLineEdit;

namespace tavik {

class FolderGroup;
class Tordner;

// The dialog "Webseite", created once and reused: the folder the page goes
// to, its interval in minutes and its title.
class Twebprop : public QDialog {
  Q_OBJECT

 public:
  explicit Twebprop(Tordner& chooser, QWidget* parent = nullptr);

  // Fills the controls from the settings.
  void FormShow(const Settings& settings);
  // The controls as the take-over reads them.
  WebFields fields() const;

 private:
  FolderGroup* GroupBox1;
  QLineEdit* Edit1;  // interval
  QLineEdit* Edit2;  // title
  QLineEdit* Edit3;  // height in metres
};

// The menu item "Webseite...": shows the dialog modally and, on OK, takes its
// fields into the settings. False when it was cancelled.
bool editWebSettings(Twebprop& dialog, Settings& settings, Notifier& notifier);

}  // namespace tavik
