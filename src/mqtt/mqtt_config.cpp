// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_config.h"

#include "common/text_file.h"

namespace tavik {

namespace {

constexpr const char* kPlaceholderCallsign = "zz9zz";
constexpr int kMaxInterval = 86400;
constexpr const char* kCaption = "MQTT";

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<int> wholeNumber(std::string_view text, int min, int max) {
  text = trimmed(text);
  if (text.empty() || text.size() > 9) return std::nullopt;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < min || n > max) return std::nullopt;
  return n;
}

bool validTopic(std::string_view topic) {
  if (topic.empty() || topic.find_first_of("#+") != std::string_view::npos) return false;
  if (topic.front() == '/' || topic.find("//") != std::string_view::npos) return false;
  return true;
}

}  // namespace

std::optional<BrokerAddress> parseBrokerAddress(std::string_view text, bool tls) {
  text = trimmed(text);
  BrokerAddress a{std::string(text), tls ? kMqttTlsPort : kMqttPort};
  std::string_view portText;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    a.host = std::string(text.substr(1, close - 1));
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return std::nullopt;
    if (!rest.empty()) portText = rest.substr(1);
    if (rest == ":") return std::nullopt;
  } else if (const auto colon = text.rfind(':');
             colon != std::string_view::npos && text.find(':') == colon) {
    a.host = std::string(text.substr(0, colon));
    portText = text.substr(colon + 1);
    if (portText.empty()) return std::nullopt;
  }
  if (a.host.empty() || a.host.find_first_of(" \t/") != std::string::npos) return std::nullopt;
  if (!portText.empty()) {
    const auto port = wholeNumber(portText, 1, 65535);
    if (!port) return std::nullopt;
    a.port = *port;
  }
  return a;
}

std::string brokerText(const BrokerAddress& broker) {
  const bool v6 = broker.host.find(':') != std::string::npos;
  return (v6 ? "[" + broker.host + "]" : broker.host) + ":" + std::to_string(broker.port);
}

std::string mqttStationId(const Settings& settings) {
  std::string id;
  for (char c : settings.ASYNOPAbsender) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') id += c;
  }
  if (id.empty() || id == kPlaceholderCallsign) return "station";
  return id;
}

std::string mqttTopicPrefix(const Settings& settings) {
  std::string prefix(trimmed(settings.MQTTThema));
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
  if (!validTopic(prefix)) return "tavik/" + mqttStationId(settings);
  return prefix;
}

std::string mqttPasswordPath(const std::string& setting, const std::string& settingsDir,
                             const char* credentialsDir) {
  return secretFilePath(setting, settingsDir, credentialsDir);
}

Outcome<std::string> readMqttPassword(const std::string& path) {
  return readSecretLine(path, "MQTT-Passwortdatei");
}

MqttConfig mqttConfig(const Settings& s, const std::string& settingsDir,
                      const char* credentialsDir) {
  MqttConfig c;
  const auto broker = parseBrokerAddress(s.MQTTServer, s.MQTTTLS);
  c.enabled = broker.has_value();
  if (broker) c.broker = *broker;
  c.user = s.MQTTBenutzer;
  c.passwordPath = mqttPasswordPath(s.MQTTPasswortDatei, settingsDir, credentialsDir);
  c.tls = s.MQTTTLS;
  c.caFile = s.MQTTCADatei;
  c.prefix = mqttTopicPrefix(s);
  c.station = mqttStationId(s);
  c.intervalSeconds = s.MQTTIntervall >= 0 ? s.MQTTIntervall : kMqttDefaultInterval;
  return c;
}

bool takeOverMqtt(const MqttFields& f, Settings& s, Notifier& notifier) {
  const std::string_view server = trimmed(f.server);
  if (!server.empty() && !parseBrokerAddress(server, f.tls)) {
    notifier.notify(
        "Der MQTT-Server muss ein Rechnername oder eine Adresse sein, "
        "wahlweise mit :Port (1 bis 65535).",
        kCaption, MessageButtons::Ok);
    return false;
  }
  s.MQTTServer = std::string(server);
  s.MQTTBenutzer = std::string(trimmed(f.user));
  s.MQTTPasswortDatei = std::string(trimmed(f.passwordFile));
  s.MQTTTLS = f.tls;
  s.MQTTCADatei = std::string(trimmed(f.caFile));
  std::string topic(trimmed(f.topic));
  while (!topic.empty() && topic.back() == '/') topic.pop_back();
  if (!topic.empty() && !validTopic(topic)) {
    notifier.notify("Das MQTT-Thema darf weder \"#\" noch \"+\" noch leere Ebenen enthalten.",
                    kCaption, MessageButtons::Ok);
    return false;
  }
  s.MQTTThema = topic;
  const auto interval = wholeNumber(f.interval, 0, kMaxInterval);
  if (!interval) {
    notifier.notify("Das MQTT-Intervall muss eine ganze Zahl von 0 bis 86400 Sekunden sein.",
                    kCaption, MessageButtons::Ok);
    return false;
  }
  s.MQTTIntervall = *interval;
  return true;
}

}  // namespace tavik
