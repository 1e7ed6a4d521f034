// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <functional>
#include <string>

#include "mqtt/mosquitto_client.h"
#include "mqtt/mqtt_config.h"

namespace tavik {

// "Verbindung testen": one connection to the broker, in the background, that
// reports once whether the broker took it and ends.
class MqttProbe {
 public:
  static constexpr int kTimeoutMs = 10000;

  MqttProbe();

  // Called once per start with the outcome and a German sentence.
  std::function<void(bool ok, const std::string& text)> onResult;

  void start(const MqttConfig& config);
  bool running() const { return running_; }

 private:
  void finish(bool ok, const std::string& text);

  MosquittoClient client_;
  QTimer timeout_;
  std::string broker_;
  bool running_ = false;
};

}  // namespace tavik
