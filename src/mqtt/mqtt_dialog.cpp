// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/station_folder.h"
#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_groups_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

Tmqttprop::Tmqttprop(std::string settingsDir, QWidget* parent)
    : QDialog(parent), settingsDir_(std::move(settingsDir)) {
  setObjectName("Tmqttprop");
  setWindowTitle(QStringLiteral("MQTT"));

  QGroupBox* broker = titledGroup("GroupBox1", "Broker");
  auto* brokerForm = new QFormLayout(broker);
  ServerEdit = formField(*brokerForm, "ServerEdit", "Server (Rechner:Port):");
  ServerEdit->setPlaceholderText(QStringLiteral("leer: MQTT aus"));
  UserEdit = formField(*brokerForm, "UserEdit", "Benutzer:");
  PasswordFileEdit = formField(*brokerForm, "PasswordFileEdit", "Passwortdatei:");
  TlsCheck = new QCheckBox(QStringLiteral("TLS verwenden"));
  TlsCheck->setObjectName("TlsCheck");
  brokerForm->addRow(QString(), TlsCheck);
  CaFileEdit = formField(*brokerForm, "CaFileEdit", "CA-Datei:");
  CaFileEdit->setPlaceholderText(QStringLiteral("leer: Zertifikate des Systems"));

  QGroupBox* publish = titledGroup("GroupBox2", "Veröffentlichen");
  auto* publishForm = new QFormLayout(publish);
  TopicEdit = formField(*publishForm, "TopicEdit", "Thema:");
  IntervalEdit = formField(*publishForm, "IntervalEdit", "Intervall in Sekunden:");
  IntervalEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), this));
  publishForm->addRow(QString(), new QLabel(QStringLiteral("0 = bei jeder Datengruppe")));

  auto* test = new QHBoxLayout;
  TestButton = new QPushButton(QStringLiteral("Verbindung testen"));
  TestButton->setObjectName("TestButton");
  TestResult = new QLabel;
  TestResult->setObjectName("TestResult");
  TestResult->setWordWrap(true);
  test->addWidget(TestButton);
  test->addWidget(TestResult, 1);
  connect(TestButton, &QPushButton::clicked, this, &Tmqttprop::testConnection);
  probe_.onResult = [this](bool, const std::string& result) {
    TestResult->setText(qText(result));
    TestButton->setEnabled(true);
  };

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(broker);
  layout->addWidget(publish);
  layout->addLayout(test);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 460);
}

void Tmqttprop::FormShow(const Settings& s) {
  shown_ = s;
  ServerEdit->setText(qText(s.MQTTServer));
  UserEdit->setText(qText(s.MQTTBenutzer));
  PasswordFileEdit->setText(qText(s.MQTTPasswortDatei));
  TlsCheck->setChecked(s.MQTTTLS);
  CaFileEdit->setText(qText(s.MQTTCADatei));
  TopicEdit->setText(qText(s.MQTTThema));
  TopicEdit->setPlaceholderText(qText("leer: tavik/" + mqttStationId(s)));
  IntervalEdit->setText(QString::number(s.MQTTIntervall));
  TestResult->clear();
  TestButton->setEnabled(true);
}

MqttFields Tmqttprop::fields() const {
  return {.server = ServerEdit->text().toStdString(),
          .user = UserEdit->text().toStdString(),
          .passwordFile = PasswordFileEdit->text().toStdString(),
          .tls = TlsCheck->isChecked(),
          .caFile = CaFileEdit->text().toStdString(),
          .topic = TopicEdit->text().toStdString(),
          .interval = IntervalEdit->text().toStdString()};
}

QString Tmqttprop::testResult() const { return TestResult->text(); }

void Tmqttprop::testConnection() {
  // The fields as they stand, checked by the same rule as OK.
  Settings trial = shown_;
  RecordingNotifier refusals;
  if (!takeOverMqtt(fields(), trial, refusals)) {
    TestResult->setText(qText(refusals.messages.front().text));
    return;
  }
  if (trial.MQTTServer.empty()) {
    TestResult->setText(QStringLiteral("Kein Server angegeben: MQTT ist aus."));
    return;
  }
  TestResult->setText(QStringLiteral("Verbindung wird getestet..."));
  TestButton->setEnabled(false);
  probe_.start(mqttConfig(trial, settingsDir_, credentialsDirectory()));
}

bool editMqttSettings(Tmqttprop& dialog, Settings& settings, Notifier& notifier) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  return takeOverMqtt(dialog.fields(), settings, notifier);
}

}  // namespace tavik
