// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

#include "common/notifier.h"
#include "mqtt/mqtt_config.h"
#include "mqtt/mqtt_probe.h"
#include "settings/settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavik {

// The MQTT settings dialog ("MQTT"), created once and reused: the broker, the
// login, TLS, the topic and the interval, and "Verbindung testen", which
// tries the fields as they stand and shows the outcome in the dialog.
class Tmqttprop : public QDialog {
  Q_OBJECT

 public:
  // `settingsDir`: the station folder, where a relative password file lies.
  explicit Tmqttprop(std::string settingsDir, QWidget* parent = nullptr);

  void FormShow(const Settings& settings);
  MqttFields fields() const;
  // What the test line shows.
  QString testResult() const;

 private:
  void testConnection();

  std::string settingsDir_;
  Settings shown_;
  MqttProbe probe_;
  QLineEdit* ServerEdit;
  QLineEdit* UserEdit;
  QLineEdit* PasswordFileEdit;
  QCheckBox* TlsCheck;
  QLineEdit* CaFileEdit;
  QLineEdit* TopicEdit;
  QLineEdit* IntervalEdit;
  QPushButton* TestButton;
  QLabel* TestResult;
};

// The menu item "MQTT...": shows the dialog modally and, on OK, takes its
// fields into the settings. False when it was cancelled or a field was refused.
bool editMqttSettings(Tmqttprop& dialog, Settings& settings, Notifier& notifier);

}  // namespace tavik
