// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/wu_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "uploads/upload_dialog_parts.h"
#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_groups_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

Twuprop::Twuprop(UploadOutlet& outlet, QWidget* parent) : QDialog(parent) {
  setObjectName("Twuprop");
  setWindowTitle(QStringLiteral("Wunderground"));

  QGroupBox* station = titledGroup("GroupBox1", "Station");
  auto* form = new QFormLayout(station);
  ActiveCheck = new QCheckBox(QStringLiteral("Wetterdaten an Weather Underground senden"));
  ActiveCheck->setObjectName("ActiveCheck");
  form->addRow(QString(), ActiveCheck);
  StationIdEdit = formField(*form, "StationIdEdit", "Stations-ID:");
  KeyFileEdit = formField(*form, "KeyFileEdit", "Schlüsseldatei:");
  KeyFileEdit->setPlaceholderText(QStringLiteral("Datei mit dem Stationsschlüssel"));
  QGroupBox* server = titledGroup("GroupBox2", "Server");
  auto* serverForm = new QFormLayout(server);
  ServerEdit = formField(*serverForm, "ServerEdit", "Adresse:");
  IntervalEdit = formField(*serverForm, "IntervalEdit", "Intervall in Minuten:");

  send_ = new SendNowRow(outlet, *this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(station);
  layout->addWidget(server);
  layout->addLayout(send_);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 560);
}

void Twuprop::FormShow(const Settings& s) {
  ActiveCheck->setChecked(s.WUAktiv);
  StationIdEdit->setText(qText(s.WUStationID));
  KeyFileEdit->setText(qText(s.WUSchluesselDatei));
  ServerEdit->setText(qText(s.WUServer));
  IntervalEdit->setText(QString::number(s.WUIntervall));
  send_->refresh();
}

WuFields Twuprop::fields() const {
  return {.enabled = ActiveCheck->isChecked(),
          .stationId = StationIdEdit->text().toStdString(),
          .keyFile = KeyFileEdit->text().toStdString(),
          .server = ServerEdit->text().toStdString(),
          .interval = IntervalEdit->text().toStdString()};
}

bool editWuSettings(Twuprop& dialog, Settings& settings, Notifier& notifier) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  return takeOverWu(dialog.fields(), settings, notifier);
}

}  // namespace tavik
