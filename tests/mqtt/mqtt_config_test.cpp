// SPDX-License-Identifier: GPL-3.0-or-later
// The MQTT settings: the broker's address, the station's name in topics, the
// password file and the dialog's take-over rule.
#include "mqtt/mqtt_config.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

namespace tavik {
namespace {

TEST(MqttConfig, BrokerAddressesWithAndWithoutPort) {
  using A = BrokerAddress;
  EXPECT_EQ(parseBrokerAddress("broker.lan", false), (A{"broker.lan", 1883}));
  EXPECT_EQ(parseBrokerAddress("broker.lan", true), (A{"broker.lan", 8883}));
  EXPECT_EQ(parseBrokerAddress(" 192.168.1.5:1884 ", false), (A{"192.168.1.5", 1884}));
  EXPECT_EQ(parseBrokerAddress("[::1]:1885", false), (A{"::1", 1885}));
  EXPECT_EQ(parseBrokerAddress("[fe80::1]", true), (A{"fe80::1", 8883}));
  EXPECT_EQ(parseBrokerAddress("::1", false), (A{"::1", 1883}));
  EXPECT_EQ(parseBrokerAddress("h:65535", false), (A{"h", 65535}));
  for (const char* bad : {"", "  ", ":1883", "h:", "h:0", "h:65536", "h:12a", "h:-1", "[::1",
                          "[::1]x", "[::1]:", "a b", "mqtt://h", "h:99999999999"}) {
    EXPECT_FALSE(parseBrokerAddress(bad, false)) << bad;
  }
  EXPECT_EQ(brokerText({"::1", 1883}), "[::1]:1883");
  EXPECT_EQ(brokerText({"h", 1}), "h:1");
}

TEST(MqttConfig, TheStationIsTheSenderCallsignOrStation) {
  Settings s;
  EXPECT_EQ(mqttStationId(s), "station");  // the placeholder ZZ9ZZ
  s.ASYNOPAbsender = "DL1ABC ";            // as the bulletin pads it
  EXPECT_EQ(mqttStationId(s), "dl1abc");
  EXPECT_EQ(mqttTopicPrefix(s), "tavik/dl1abc");
  s.ASYNOPAbsender = "DL1ABC-13/p";
  EXPECT_EQ(mqttStationId(s), "dl1abc-13p");
  s.ASYNOPAbsender = "#+/ äö";
  EXPECT_EQ(mqttStationId(s), "station");
  s.MQTTThema = "haus/wetter/";
  EXPECT_EQ(mqttTopicPrefix(s), "haus/wetter");
  for (const char* bad : {"haus/#", "+/x", "/haus", "a//b", "/"}) {
    s.MQTTThema = bad;
    EXPECT_EQ(mqttTopicPrefix(s), "tavik/station") << bad;
  }
}

TEST(MqttConfig, ThePasswordFileLiesInTheCredentialsOrTheStationFolder) {
  const testing::TempFolder station, credentials;
  EXPECT_EQ(mqttPasswordPath("", station.dir(), nullptr), "");
  EXPECT_EQ(mqttPasswordPath("/etc/tavik/pw", station.dir(), credentials.dir().c_str()),
            "/etc/tavik/pw");
  EXPECT_EQ(mqttPasswordPath("mqtt", station.dir(), nullptr), station.dir() + "mqtt");
  EXPECT_EQ(mqttPasswordPath("mqtt", station.dir(), credentials.dir().c_str()),
            station.dir() + "mqtt");
  std::ofstream(credentials.path() / "mqtt") << "s3cret\r\nzweite Zeile\n";
  EXPECT_EQ(mqttPasswordPath("mqtt", station.dir(), credentials.dir().c_str()),
            (credentials.path() / "mqtt").string());

  const auto read = readMqttPassword((credentials.path() / "mqtt").string());
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read.value, "s3cret");
  const auto missing = readMqttPassword(station.dir() + "fehlt");
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.error, "Die MQTT-Passwortdatei " + station.dir() +
                               "fehlt kann nicht gelesen werden: die Datei gibt es nicht.");
}

TEST(MqttConfig, OnlyAValidServerSwitchesItOn) {
  Settings s;
  s.MQTTServer = "broker:1884";
  s.MQTTIntervall = -5;
  s.ASYNOPAbsender = "DL1ABC";
  MqttConfig c = mqttConfig(s, "/srv/station/", nullptr);
  EXPECT_TRUE(c.enabled);
  EXPECT_EQ(c.broker, (BrokerAddress{"broker", 1884}));
  EXPECT_EQ(c.prefix, "tavik/dl1abc");
  EXPECT_EQ(c.intervalSeconds, 60);
  s.MQTTServer = "broker:0";
  EXPECT_FALSE(mqttConfig(s, "/srv/station/", nullptr).enabled);
  s.MQTTServer = "";
  EXPECT_FALSE(mqttConfig(s, "/srv/station/", nullptr).enabled);
}

TEST(MqttConfig, TheTakeOverStopsAtTheFirstFieldItCannotTake) {
  Settings s;
  RecordingNotifier n;
  const MqttFields good{.server = " broker:1884 ",
                        .user = "wetter",
                        .passwordFile = "mqtt-pw",
                        .tls = true,
                        .caFile = "/etc/ca.pem",
                        .topic = "haus/wetter/",
                        .interval = "0"};
  EXPECT_TRUE(takeOverMqtt(good, s, n));
  EXPECT_TRUE(n.messages.empty());
  EXPECT_EQ(s.MQTTServer, "broker:1884");
  EXPECT_EQ(s.MQTTThema, "haus/wetter");
  EXPECT_TRUE(s.MQTTTLS);
  EXPECT_EQ(s.MQTTIntervall, 0);

  MqttFields f = good;
  f.server = "broker:70000";
  f.user = "anderer";
  EXPECT_FALSE(takeOverMqtt(f, s, n));
  EXPECT_EQ(s.MQTTBenutzer, "wetter");  // nothing after the server was taken
  ASSERT_EQ(n.messages.size(), 1u);
  EXPECT_EQ(n.messages[0].caption, "MQTT");

  f = good;
  f.topic = "haus/#";
  f.interval = "30";
  EXPECT_FALSE(takeOverMqtt(f, s, n));
  EXPECT_EQ(s.MQTTIntervall, 0);
  for (const char* bad : {"", "x", "-1", "86401", "1.5"}) {
    f = good;
    f.interval = bad;
    EXPECT_FALSE(takeOverMqtt(f, s, n)) << bad;
  }
  f = good;
  f.server = "";
  f.interval = "86400";
  EXPECT_TRUE(takeOverMqtt(f, s, n));
  EXPECT_EQ(s.MQTTServer, "");
  EXPECT_EQ(s.MQTTIntervall, 86400);
}

}  // namespace
}  // namespace tavik
