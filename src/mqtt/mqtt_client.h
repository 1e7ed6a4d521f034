// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "mqtt/mqtt_config.h"

namespace tavik {

// One connection to a broker as the publisher asks for it.
struct MqttConnection {
  BrokerAddress broker;
  std::string clientId;
  std::string user;                     // empty: none
  std::optional<std::string> password;  // only with a user
  bool tls = false;
  std::string caFile;     // empty: the system's certificates
  std::string willTopic;  // empty: no last will
  std::string willPayload;
};

// A connection to an MQTT broker that keeps itself up in the background. The
// callbacks run on the thread that created the client (the event loop), one
// at a time; none of the calls waits for the network.
class MqttClient {
 public:
  virtual ~MqttClient() = default;

  // The broker accepted the connection.
  std::function<void()> onConnected;
  // A connection was lost or an attempt failed, with the German reason;
  // `refusal` when the broker or TLS turned the program away (password,
  // certificate), which no retry mends by itself. Retries follow on their own.
  std::function<void(const std::string& reason, bool refusal)> onDisconnected;

  // Connects, and reconnects after every loss or failure with a growing
  // pause (1 s to 60 s), until stop().
  virtual void start(const MqttConnection& connection) = 0;
  // Sends a message while connected (at most once, in order).
  virtual void publish(const std::string& topic, const std::string& payload, bool retained) = 0;
  // Sends what was published, leaves the broker cleanly (no last will) and
  // ends the retries. Does nothing when not started.
  virtual void stop() = 0;
};

}  // namespace tavik
