// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_publisher.h"

#include <unistd.h>

#include "mqtt/mqtt_discovery.h"

namespace tavik {

MqttConnection mqttConnection(const MqttConfig& config, const std::string& role,
                              std::string& problem) {
  MqttConnection c{.broker = config.broker,
                   .clientId = "tavik-" + config.station + role + "-" + std::to_string(getpid()),
                   .user = config.user,
                   .password = std::nullopt,
                   .tls = config.tls,
                   .caFile = config.caFile,
                   .willTopic = config.prefix + "/availability",
                   .willPayload = "offline"};
  if (!c.user.empty() && !config.passwordPath.empty()) {
    const Outcome<std::string> password = readMqttPassword(config.passwordPath);
    if (password.ok()) {
      c.password = *password.value;
    } else {
      problem = password.error;
    }
  }
  return c;
}

MqttPublisher::MqttPublisher(MqttClient& client, MqttStationView station, std::ostream& log,
                             std::string version)
    : client_(client), station_(std::move(station)), log_(log), version_(std::move(version)) {
  client_.onConnected = [this] { connectedNow(); };
  client_.onDisconnected = [this](const std::string& reason, bool refusal) {
    disconnected(reason, refusal);
  };
}

void MqttPublisher::configure(const MqttConfig& config) {
  // The same settings with a new password in the file (a reload after the
  // file was edited) reconnect too.
  std::string problem;
  if (config == config_ &&
      (!config.enabled || mqttConnection(config, "", problem).password == password_))
    return;
  if (config_.enabled) {
    if (connected_) {
      // Sensors of a station that is gone would stay in home automation.
      if (!config.enabled || config.station != config_.station) {
        for (const MqttQuantity& q : mqttQuantities())
          client_.publish(discoveryTopic(config_.station, q), "", true);
      }
      client_.publish(topic("availability"), "offline", true);
    }
    client_.stop();
    connected_ = false;
    if (!config.enabled) log_ << "MQTT: ausgeschaltet" << std::endl;
  }
  config_ = config;
  if (config_.enabled) start();
}

void MqttPublisher::start() {
  std::string problem;
  const MqttConnection c = mqttConnection(config_, "", problem);
  if (!problem.empty()) log_ << "MQTT: " << problem << std::endl;
  password_ = c.password;
  everConnected_ = false;
  lossReported_ = false;
  lastReason_.clear();
  client_.start(c);
}

void MqttPublisher::connectedNow() {
  connected_ = true;
  const std::string broker = brokerText(config_.broker);
  if (!everConnected_) {
    log_ << "MQTT: verbunden mit " << broker << ", Thema " << config_.prefix << std::endl;
  } else if (lossReported_) {
    log_ << "MQTT: Verbindung zu " << broker << " wieder hergestellt" << std::endl;
  }
  everConnected_ = true;
  lossReported_ = false;
  lastReason_.clear();
  publishAll();
}

void MqttPublisher::disconnected(const std::string& reason, bool refusal) {
  const std::string broker = brokerText(config_.broker);
  if (connected_) {
    connected_ = false;
    log_ << "MQTT: Verbindung zu " << broker << " verloren: " << reason << std::endl;
  } else if (!lossReported_ || (refusal && reason != lastReason_)) {
    log_ << "MQTT: keine Verbindung zu " << broker << ": " << reason << std::endl;
  } else {
    return;
  }
  lossReported_ = true;
  lastReason_ = reason;
}

void MqttPublisher::secondTick() {
  if (!config_.enabled) return;
  ++secondsSincePublish_;
  if (!connected_ || !station_.allSeen()) return;
  const bool stale = !station_.fresh();
  // The state before the availability, so that whoever sees "online" finds
  // the state that goes with it.
  if (!gateWasOpen_ || stale != wasStale_) {
    publishState();
    publishAvailability();
    return;
  }
  const bool due = config_.intervalSeconds == 0 ? groupSincePublish_
                                                : secondsSincePublish_ >= config_.intervalSeconds;
  if (due) publishState();
}

void MqttPublisher::shutdown() {
  if (connected_) client_.publish(topic("availability"), "offline", true);
  client_.stop();
  connected_ = false;
  config_ = MqttConfig{};
}

void MqttPublisher::publishAll() {
  for (const MqttQuantity& q : mqttQuantities()) {
    client_.publish(discoveryTopic(config_.station, q),
                    discoveryConfig(q, config_.station, config_.prefix, version_), true);
  }
  publishState();
  publishAvailability();
}

void MqttPublisher::publishState() {
  if (!station_.allSeen()) return;
  client_.publish(topic("state"), station_.stateJson(!station_.fresh()), true);
  secondsSincePublish_ = 0;
  groupSincePublish_ = false;
}

void MqttPublisher::publishAvailability() {
  gateWasOpen_ = station_.allSeen();
  wasStale_ = !station_.fresh();
  client_.publish(topic("availability"), gateWasOpen_ && !wasStale_ ? "online" : "offline", true);
}

}  // namespace tavik
