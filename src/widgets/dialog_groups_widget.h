// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QString>

#include <string>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavik {

class Tordner;

// The parts the settings dialogs share.

// A titled group with an object name; the title is UTF-8.
QGroupBox* titledGroup(const char* name, const char* title);

// A line edit with an object name, added to `form` under its UTF-8 caption.
QLineEdit* formField(QFormLayout& form, const char* name, const char* caption);

// A UTF-8 text for a control.
inline QString qText(const std::string& s) { return QString::fromStdString(s); }

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
