// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <ostream>

#include "mqtt/mosquitto_client.h"
#include "mqtt/mqtt_publisher.h"

namespace tavik {

// The MQTT publisher as both programs run it: on libmosquitto, ticked once a
// second by a timer of its own while MQTT is on.
class MqttOutlet {
 public:
  MqttOutlet(MqttStationView station, std::ostream& log);
  // Leaves the broker cleanly ("offline").
  ~MqttOutlet();
  MqttOutlet(const MqttOutlet&) = delete;
  MqttOutlet& operator=(const MqttOutlet&) = delete;

  // `speedUp` > 1 ticks as fast as an accelerated clock.
  void setTimeScale(int speedUp);
  void configure(const MqttConfig& config);
  void groupArrived() { publisher_.groupArrived(); }

  const MqttPublisher& publisher() const { return publisher_; }

 private:
  MosquittoClient client_;
  MqttPublisher publisher_;
  QTimer tick_;
};

}  // namespace tavik
