// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/cwop_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "uploads/aprs_is.h"
#include "uploads/upload_dialog_parts.h"
#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_groups_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

Tcwopprop::Tcwopprop(UploadOutlet& outlet, QWidget* parent) : QDialog(parent) {
  setObjectName("Tcwopprop");
  setWindowTitle(QStringLiteral("CWOP"));

  QGroupBox* station = titledGroup("GroupBox1", "Station");
  auto* form = new QFormLayout(station);
  ActiveCheck = new QCheckBox(QStringLiteral("Wetterdaten an CWOP senden"));
  ActiveCheck->setObjectName("ActiveCheck");
  form->addRow(QString(), ActiveCheck);
  CallsignEdit = formField(*form, "CallsignEdit", "Rufzeichen oder CW-Nummer:");
  PasscodeEdit = formField(*form, "PasscodeEdit", "Passcode:");
  PasscodeEdit->setPlaceholderText(QStringLiteral("-1 für CW-Nummern"));
  KeyFileEdit = formField(*form, "KeyFileEdit", "Passcode-Datei:");
  KeyFileEdit->setPlaceholderText(QStringLiteral("leer: Passcode von oben"));
  PositionEdit = formField(*form, "PositionEdit", "Position:");
  QGroupBox* server = titledGroup("GroupBox2", "Server");
  auto* serverForm = new QFormLayout(server);
  ServerEdit = formField(*serverForm, "ServerEdit", "Server (Rechner:Port):");
  IntervalEdit = formField(*serverForm, "IntervalEdit", "Intervall in Minuten:");

  send_ = new SendNowRow(outlet, *this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(station);
  layout->addWidget(server);
  layout->addLayout(send_);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 480);
}

void Tcwopprop::FormShow(const Settings& s) {
  ActiveCheck->setChecked(s.CWOPAktiv);
  CallsignEdit->setText(qText(s.CWOPRufzeichen));
  PasscodeEdit->setText(QString::number(s.CWOPPasscode));
  KeyFileEdit->setText(qText(s.CWOPSchluesselDatei));
  ServerEdit->setText(qText(s.CWOPServer));
  IntervalEdit->setText(QString::number(s.CWOPIntervall));
  PositionEdit->setText(qText(s.CWOPPosition));
  const auto centre = stationPosition("", s.MyLocator);
  PositionEdit->setPlaceholderText(
      qText("leer: Mitte von " + s.MyLocator + (centre ? " (" + *centre + ")" : std::string())));
  send_->refresh();
}

CwopFields Tcwopprop::fields() const {
  return {.enabled = ActiveCheck->isChecked(),
          .callsign = CallsignEdit->text().toStdString(),
          .passcode = PasscodeEdit->text().toStdString(),
          .keyFile = KeyFileEdit->text().toStdString(),
          .server = ServerEdit->text().toStdString(),
          .interval = IntervalEdit->text().toStdString(),
          .position = PositionEdit->text().toStdString()};
}

bool editCwopSettings(Tcwopprop& dialog, Settings& settings, Notifier& notifier) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  return takeOverCwop(dialog.fields(), settings, notifier);
}

}  // namespace tavik
