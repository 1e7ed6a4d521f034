// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <ostream>
#include <string>

#include "common/outlet.h"
#include "mqtt/mosquitto_client.h"
#include "mqtt/mqtt_publisher.h"
#include "settings/settings.h"

namespace tavik {

// The MQTT publisher as both programs run it: on libmosquitto, ticked once a
// second by a timer of its own while MQTT is on. It reads its section of
// `settings` (the password file is found in `settingsDir` or
// `credentialsDir`, empty for none) at start and at every change.
class MqttOutlet final : public Outlet {
 public:
  MqttOutlet(MqttStationView station, const Settings& settings, std::string settingsDir,
             std::string credentialsDir, std::ostream& log);
  // Leaves the broker cleanly ("offline").
  ~MqttOutlet() override;
  MqttOutlet(const MqttOutlet&) = delete;
  MqttOutlet& operator=(const MqttOutlet&) = delete;

  // `speedUp` > 1 ticks as fast as an accelerated clock.
  void setTimeScale(int speedUp);
  void configure(const MqttConfig& config);

  void start() override { settingsChanged(); }
  void settingsChanged() override;
  void recordChanged() override { publisher_.groupArrived(); }
  void stop() override;
  // The publisher reports to the log only; the panel shows nothing of it.
  std::string status() const override { return {}; }

  const MqttPublisher& publisher() const { return publisher_; }

 private:
  const Settings& settings_;
  const std::string settingsDir_;
  const std::string credentialsDir_;
  MosquittoClient client_;
  MqttPublisher publisher_;
  QTimer tick_;
};

}  // namespace tavik
