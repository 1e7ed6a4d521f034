// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QString>

class QLabel;
class QPushButton;

namespace tavik {

class Tordner;

// The group boxes of the APRS and ASYNOP dialogs.

// A titled group with an object name; the title is UTF-8.
QGroupBox* titledGroup(const char* name, const char* title);

// The target folder group of the APRS and ASYNOP dialogs: the chosen folder
// in `Label3` and "Durchsuchen..." (`Button3`), which opens the shared folder
// chooser at that folder.
class FolderGroup : public QGroupBox {
 public:
  FolderGroup(const QString& title, Tordner& chooser, QWidget* parent);

  QString folder() const;
  void setFolder(const QString& folder);

 private:
  QLabel* Label3;
  QPushButton* Button3;
};

}  // namespace tavik
