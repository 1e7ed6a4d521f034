// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/notifier.h"
#include "common/outcome.h"
#include "settings/settings.h"

namespace tavik {

// Where the broker listens: MQTTServer as "host" or "host:port"; an IPv6
// address with a port is written in brackets ("[::1]:1883").
struct BrokerAddress {
  std::string host;
  int port = 0;
  friend bool operator==(const BrokerAddress&, const BrokerAddress&) = default;
};

inline constexpr int kMqttPort = 1883;
inline constexpr int kMqttTlsPort = 8883;
inline constexpr int kMqttDefaultInterval = 60;

// The address, or nothing when the text names no host or a port outside
// 1..65535. Without a port, the standard one of plain or TLS connections.
std::optional<BrokerAddress> parseBrokerAddress(std::string_view text, bool tls);
std::string brokerText(const BrokerAddress& broker);

// The station's name in topics and entity ids: the sender callsign
// (ASYNOPAbsender) in lower case, letters, digits, "-" and "_" only; "station"
// while the callsign is empty or still the program's placeholder.
std::string mqttStationId(const Settings& settings);
// MQTTThema, or "tavik/<station>" when it is empty. Trailing "/" dropped.
std::string mqttTopicPrefix(const Settings& settings);

// The password file as the program opens it: an absolute path as it stands;
// a relative one in the systemd credentials folder when the service runs with
// one and the file is there, else in the station folder (`settingsDir`, with
// its trailing "/").
std::string mqttPasswordPath(const std::string& setting, const std::string& settingsDir,
                             const char* credentialsDir);
// The first line of the password file, or the German reason it cannot be read.
Outcome<std::string> readMqttPassword(const std::string& path);

// Everything the publisher needs from the settings.
struct MqttConfig {
  bool enabled = false;
  BrokerAddress broker;
  std::string user;
  std::string passwordPath;  // empty: no password
  bool tls = false;
  std::string caFile;
  std::string prefix;
  std::string station;
  int intervalSeconds = kMqttDefaultInterval;
  friend bool operator==(const MqttConfig&, const MqttConfig&) = default;
};

// Disabled when MQTTServer is empty or no address.
MqttConfig mqttConfig(const Settings& settings, const std::string& settingsDir,
                      const char* credentialsDir);

// What the dialog "MQTT..." hands over on OK.
struct MqttFields {
  std::string server;
  std::string user;
  std::string passwordFile;
  bool tls = false;
  std::string caFile;
  std::string topic;
  std::string interval;
};

// Takes the fields in this order: the server (empty switches MQTT off; else
// it must be a host with an optional port 1..65535), user, password file, TLS
// and its CA file, the topic (no "#", "+" or empty levels), the interval in
// whole seconds 0..86400. A field that cannot be taken stops the rule with a
// message; those before it keep their new values. True when all were taken.
bool takeOverMqtt(const MqttFields& fields, Settings& settings, Notifier& notifier);

}  // namespace tavik
