// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "common/notifier.h"
#include "settings/profiles.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tavik {

class RadioGroup;
class TPasswordDlg;

// The profiles dialog ("Profile"). It edits the profile table itself: "&Neu..."
// and "&Löschen" change it at once, "&Speichern" and "OK" store the fields
// into the selected profile; "Abbrechen" only drops unsaved fields.
class Tmailprop : public QDialog {
  Q_OBJECT

 public:
  // `nameDialog` asks for the name of a new profile.
  Tmailprop(ProfileTable& profiles, TPasswordDlg& nameDialog, Notifier& notifier,
            QWidget* parent = nullptr);

  // Asks a yes/no question (OK / Cancel); true for OK. A message box unless
  // replaced.
  std::function<bool(const QString& question)> confirm;

  // Fills the list with the profile names, selects the first and shows it.
  void FormShow();
  // Shows the selected profile in the fields.
  void UpdateText();
  void RadioGroup1Click(int index);
  // "&Neu...": a new profile, named in the name dialog, at the end.
  void Button3Click();
  // "&Löschen": removes the selected profile, after asking.
  void Button4Click();
  // "&Speichern": stores the fields into the selected profile.
  void Button5Click();

  // "OK" stores the fields, then closes.
  void accept() override;

 private:
  // Why a name cannot be given to a new profile; empty when it can.
  std::string refusalOfName(const std::string& name) const;

  ProfileTable& profiles_;
  TPasswordDlg& nameDialog_;
  Notifier& notifier_;

  QComboBox* ComboBox1;
  QLineEdit* Edit1;  // "Empfänger"
  QLineEdit* Edit2;  // "Absender"
  QLineEdit* Edit3;  // "Betreff"
  QLineEdit* Edit4;  // time of the daily write
  QPlainTextEdit* memo1;
  QPlainTextEdit* memo2;
  RadioGroup* RadioGroup1;
};

// "Profile...": shows the dialog modally; it changes the table itself.
void editProfiles(Tmailprop& dialog);

}  // namespace tavik
