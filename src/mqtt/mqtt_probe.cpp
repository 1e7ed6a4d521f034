// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_probe.h"

#include "mqtt/mqtt_publisher.h"

namespace tavik {

MqttProbe::MqttProbe() {
  timeout_.setSingleShot(true);
  timeout_.setInterval(kTimeoutMs);
  QObject::connect(&timeout_, &QTimer::timeout, [this] {
    finish(false, "Keine Antwort von " + broker_ + " innerhalb von 10 Sekunden.");
  });
  client_.onConnected = [this] { finish(true, "Verbindung zu " + broker_ + " hergestellt."); };
  client_.onDisconnected = [this](const std::string& reason, bool) {
    finish(false, "Keine Verbindung zu " + broker_ + ": " + reason + ".");
  };
}

void MqttProbe::start(const MqttConfig& config) {
  client_.stop();
  broker_ = brokerText(config.broker);
  std::string problem;
  MqttConnection connection = mqttConnection(config, "-test", problem);
  connection.willTopic.clear();
  if (!problem.empty()) {
    running_ = true;
    finish(false, problem);
    return;
  }
  running_ = true;
  timeout_.start();
  client_.start(connection);
}

void MqttProbe::finish(bool ok, const std::string& text) {
  if (!running_) return;
  running_ = false;
  timeout_.stop();
  client_.stop();
  if (onResult) onResult(ok, text);
}

}  // namespace tavik
