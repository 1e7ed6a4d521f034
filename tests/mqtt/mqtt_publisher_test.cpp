// SPDX-License-Identifier: GPL-3.0-or-later
// The publisher's rules over a recording client: when it publishes what, the
// interval, the gate, stale records, and one log line per change of the
// connection rather than one per try.
#include "mqtt/mqtt_publisher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "mqtt/mqtt_discovery.h"
#include "temp_folder.h"

namespace tavik {
namespace {

class RecordingClient final : public MqttClient {
 public:
  struct Sent {
    std::string topic, payload;
    bool retained;
  };
  void start(const MqttConnection& c) override {
    started = c;
    ++starts;
  }
  void publish(const std::string& topic, const std::string& payload, bool retained) override {
    sent.push_back({topic, payload, retained});
  }
  void stop() override { ++stops; }
  int count(const std::string& topic) const {
    int n = 0;
    for (const Sent& s : sent) n += s.topic == topic;
    return n;
  }
  std::string last(const std::string& topic) const {
    for (auto s = sent.rbegin(); s != sent.rend(); ++s)
      if (s->topic == topic) return s->payload;
    return "(none)";
  }
  MqttConnection started;
  int starts = 0, stops = 0;
  std::vector<Sent> sent;
};

class MqttPublisherTest : public ::testing::Test {
 protected:
  MqttConfig config(int interval) const {
    MqttConfig c;
    c.enabled = true;
    c.broker = {"broker", 1883};
    c.prefix = "tavik/dl1abc";
    c.station = "dl1abc";
    c.intervalSeconds = interval;
    return c;
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) publisher.secondTick();
  }
  int lines() const {
    const std::string s = log.str();
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
  }

  RecordingClient client;
  std::ostringstream log;
  bool allSeen = false, fresh = true;
  int built = 0;
  MqttPublisher publisher{
      client,
      {.allSeen = [this] { return allSeen; },
       .fresh = [this] { return fresh; },
       .stateJson =
           [this](bool stale) { return std::to_string(++built) + (stale ? " stale" : ""); }},
      log,
      "1.0"};
  const std::string state = "tavik/dl1abc/state", availability = "tavik/dl1abc/availability";
};

TEST_F(MqttPublisherTest, ConnectsWithTheLastWillAndPublishesOnlyOnceEveryKindArrived) {
  publisher.configure(config(3));
  ASSERT_EQ(client.starts, 1);
  EXPECT_EQ(client.started.willTopic, availability);
  EXPECT_EQ(client.started.willPayload, "offline");
  EXPECT_EQ(client.started.broker, (BrokerAddress{"broker", 1883}));
  client.onConnected();
  EXPECT_EQ(client.count("homeassistant/sensor/dl1abc/wind_speed/config"), 1);
  EXPECT_EQ(client.last(availability), "offline");
  ticks(10);
  EXPECT_EQ(client.count(state), 0);
  for (const auto& s : client.sent) EXPECT_TRUE(s.retained) << s.topic;

  allSeen = true;
  ticks(1);
  EXPECT_EQ(client.last(availability), "online");
  EXPECT_EQ(client.count(state), 1);
  ticks(2);
  EXPECT_EQ(client.count(state), 1);
  ticks(1);
  EXPECT_EQ(client.count(state), 2);
}

TEST_F(MqttPublisherTest, IntervalZeroPublishesAfterGroupsAtMostOnceASecond) {
  allSeen = true;
  publisher.configure(config(0));
  client.onConnected();
  ASSERT_EQ(client.count(state), 1);
  ticks(5);
  EXPECT_EQ(client.count(state), 1);  // no group, nothing new
  for (int i = 0; i < 7; ++i) publisher.groupArrived();
  ticks(1);
  EXPECT_EQ(client.count(state), 2);
  ticks(3);
  EXPECT_EQ(client.count(state), 2);
}

TEST_F(MqttPublisherTest, AStaleRecordIsOfflineAtOnceAndOnlineWhenDataReturn) {
  allSeen = true;
  publisher.configure(config(60));
  client.onConnected();
  fresh = false;
  ticks(1);
  EXPECT_EQ(client.last(availability), "offline");
  EXPECT_EQ(client.last(state), "2 stale");
  ticks(30);
  EXPECT_EQ(client.count(state), 2);
  fresh = true;
  ticks(1);
  EXPECT_EQ(client.last(availability), "online");
  EXPECT_EQ(client.last(state), "3");
}

TEST_F(MqttPublisherTest, OneLineWhenLostAndOneWhenBackAndTheStateAgainAtOnce) {
  allSeen = true;
  publisher.configure(config(3600));
  client.onDisconnected("Verbindung abgelehnt (läuft der Broker?)", false);
  client.onDisconnected("Verbindung abgelehnt (läuft der Broker?)", false);
  client.onDisconnected("Zeitüberschreitung", false);
  EXPECT_EQ(lines(), 1) << log.str();
  client.onConnected();
  EXPECT_EQ(lines(), 2);
  EXPECT_NE(log.str().find("MQTT: verbunden mit broker:1883, Thema tavik/dl1abc\n"),
            std::string::npos)
      << log.str();
  client.onDisconnected("Verbindung unterbrochen", false);
  client.onDisconnected("Verbindung abgelehnt (läuft der Broker?)", false);
  const int before = client.count(state);
  client.onConnected();
  EXPECT_EQ(client.count(state), before + 1);
  EXPECT_EQ(lines(), 4) << log.str();
  EXPECT_NE(log.str().find("MQTT: Verbindung zu broker:1883 verloren: Verbindung unterbrochen\n"
                           "MQTT: Verbindung zu broker:1883 wieder hergestellt\n"),
            std::string::npos)
      << log.str();
  // A refusal is worth a line when it is news, not at every try.
  client.onDisconnected("Verbindung unterbrochen", false);
  client.onDisconnected("Anmeldung abgelehnt: Benutzername oder Passwort falsch", true);
  client.onDisconnected("Anmeldung abgelehnt: Benutzername oder Passwort falsch", true);
  EXPECT_EQ(lines(), 6) << log.str();
  // Nothing is sent while away.
  const size_t sent = client.sent.size();
  ticks(4000);
  EXPECT_EQ(client.sent.size(), sent);
}

TEST_F(MqttPublisherTest, ANewPasswordInTheSameFileReconnectsOnTheNextLoad) {
  const testing::TempFolder folder;
  MqttConfig c = config(60);
  c.user = "wetter";
  c.passwordPath = folder.dir() + "pw";
  std::ofstream(c.passwordPath) << "alt\n";
  publisher.configure(c);
  EXPECT_EQ(client.started.password, "alt");
  publisher.configure(c);
  EXPECT_EQ(client.starts, 1);
  std::ofstream(c.passwordPath) << "neu\n";
  publisher.configure(c);
  EXPECT_EQ(client.starts, 2);
  EXPECT_EQ(client.started.password, "neu");
  EXPECT_EQ(client.started.user, "wetter");
}

TEST_F(MqttPublisherTest, SwitchedOffOrRenamedItTakesItsSensorsAlong) {
  allSeen = true;
  publisher.configure(config(60));
  client.onConnected();
  MqttConfig renamed = config(60);
  renamed.station = "dk2xy";
  renamed.prefix = "tavik/dk2xy";
  publisher.configure(renamed);
  EXPECT_EQ(client.last("homeassistant/sensor/dl1abc/rain_rate/config"), "");
  EXPECT_EQ(client.last(availability), "offline");
  EXPECT_EQ(client.stops, 1);
  EXPECT_EQ(client.starts, 2);
  client.onConnected();
  publisher.configure(renamed);  // the same again: nothing happens
  EXPECT_EQ(client.starts, 2);
  publisher.configure(MqttConfig{});
  for (const MqttQuantity& q : mqttQuantities())
    EXPECT_EQ(client.last(discoveryTopic("dk2xy", q)), "") << q.id;
  EXPECT_EQ(client.last("tavik/dk2xy/availability"), "offline");
  EXPECT_EQ(client.stops, 2);
  ticks(100);
  EXPECT_EQ(client.last("tavik/dk2xy/availability"), "offline");
}

}  // namespace
}  // namespace tavik
