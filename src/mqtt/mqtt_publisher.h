// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "mqtt/mqtt_client.h"
#include "mqtt/mqtt_config.h"

namespace tavik {

// The connection for `config`, with the password from its file. A file that
// cannot be read leaves the password out and says why in `problem`. `role`
// tells connections of one program apart ("" for the publisher).
MqttConnection mqttConnection(const MqttConfig& config, const std::string& role,
                              std::string& problem);

// What the publisher reads from the running station.
struct MqttStationView {
  // Every group kind has arrived since start: before that nothing is published.
  std::function<bool()> allSeen;
  // The last good group is less than a minute old.
  std::function<bool()> fresh;
  // The state object (current.json) as it stands, with its "stale" flag.
  std::function<std::string(bool stale)> stateJson;
};

// Publishes the station to an MQTT broker: `<prefix>/state` (retained, the
// state object), `<prefix>/availability` (retained: "online" while the record
// is fresh, "offline" before the first data, while stale, on a clean stop and
// as the last will) and one retained Home Assistant discovery message per
// quantity. Plain logic over an MqttClient; the owner calls secondTick() once
// a second of the station's clock and groupArrived() on every good group.
class MqttPublisher {
 public:
  MqttPublisher(MqttClient& client, MqttStationView station, std::ostream& log,
                std::string version);

  // The settings (first read or changed; the password file is read again).
  // Switched off, it removes its discovery messages from a connected broker
  // and leaves it.
  void configure(const MqttConfig& config);
  void groupArrived() { groupSincePublish_ = true; }
  void secondTick();
  // The program ends: "offline", then a clean disconnect.
  void shutdown();

  bool connected() const { return connected_; }
  const MqttConfig& config() const { return config_; }

 private:
  void start();
  void connectedNow();
  void disconnected(const std::string& reason, bool refusal);
  void publishAll();
  void publishState();
  void publishAvailability();
  std::string topic(const char* leaf) const { return config_.prefix + "/" + leaf; }

  MqttClient& client_;
  MqttStationView station_;
  std::ostream& log_;
  std::string version_;
  MqttConfig config_;
  std::optional<std::string> password_;  // as the running connection uses it
  bool connected_ = false;
  bool everConnected_ = false;
  bool lossReported_ = false;
  std::string lastReason_;
  bool gateWasOpen_ = false;
  bool wasStale_ = false;
  bool groupSincePublish_ = false;
  int secondsSincePublish_ = 0;
};

}  // namespace tavik
