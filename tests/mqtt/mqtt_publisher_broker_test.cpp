// SPDX-License-Identifier: GPL-3.0-or-later
// The publisher on libmosquitto against a real Mosquitto broker: what it
// publishes and keeps, a stale record, a wrong password, TLS, a broker that
// goes away and comes back, and switching it off.
#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QJsonObject>

#include <sstream>

#include "broker.h"
#include "event_loop.h"
#include "mqtt/mqtt_discovery.h"
#include "mqtt/mqtt_outlet.h"
#include "temp_folder.h"

namespace tavik {
namespace {

class MqttBrokerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }

  MqttConfig config(const test::Broker& broker) const {
    MqttConfig c;
    c.enabled = true;
    c.broker = {"127.0.0.1", broker.port()};
    c.user = test::Broker::kUser;
    c.passwordPath = broker.passwordFile().string();
    c.prefix = "tavik/dl1abc";
    c.station = "dl1abc";
    c.intervalSeconds = 1;
    return c;
  }
  // A publisher over the test's station: ticks every 20 ms.
  std::unique_ptr<MqttOutlet> outlet() {
    auto o = std::make_unique<MqttOutlet>(
        MqttStationView{.allSeen = [this] { return allSeen; },
                        .fresh = [this] { return fresh; },
                        .stateJson =
                            [this](bool stale) {
                              return "{\"n\":" + std::to_string(++states) +
                                     ",\"stale\":" + (stale ? "true" : "false") + "}";
                            }},
        settings, folder.dir(), "", log);
    o->setTimeScale(50);
    return o;
  }
  static bool waitFor(const std::function<bool()>& done, int ms = 8000) {
    return test::runUntil(done, ms);
  }
  static std::string payload(const test::Subscriber& s, const std::string& topic) {
    const auto m = s.last(topic);
    return m ? m->payload : "(none)";
  }
  int linesWith(const std::string& part) const {
    std::istringstream in(log.str());
    int n = 0;
    for (std::string line; std::getline(in, line);) n += line.find(part) != std::string::npos;
    return n;
  }

  testing::TempFolder folder;
  Settings settings;  // the tests configure the outlets directly
  std::ostringstream log;
  bool allSeen = false;
  bool fresh = true;
  int states = 0;
};

TEST_F(MqttBrokerTest, NothingButOfflineBeforeEveryKindThenStateAndOnlineRetained) {
  test::Broker broker(folder.path() / "broker");
  auto o = outlet();
  MqttConfig c = config(broker);
  c.intervalSeconds = 3600;  // the state only when the data begin
  o->configure(c);
  test::Subscriber early(broker);
  ASSERT_TRUE(waitFor([&] { return o->publisher().connected(); })) << log.str();
  ASSERT_TRUE(waitFor([&] { return early.count("tavik/dl1abc/availability") > 0; }));
  EXPECT_EQ(payload(early, "tavik/dl1abc/availability"), "offline");
  test::runUntil([] { return false; }, 200);
  EXPECT_EQ(early.count("tavik/dl1abc/state"), 0);

  allSeen = true;
  ASSERT_TRUE(waitFor([&] { return early.count("tavik/dl1abc/state") == 1; }));
  EXPECT_EQ(payload(early, "tavik/dl1abc/availability"), "online");
  EXPECT_NE(payload(early, "tavik/dl1abc/state").find("\"stale\":false"), std::string::npos);

  // A client that comes later gets the retained state, availability and one
  // discovery message per quantity.
  test::Subscriber late(broker);
  ASSERT_TRUE(waitFor([&] {
    return late.count("tavik/dl1abc/state") == 1 &&
           late.count(discoveryTopic("dl1abc", mqttQuantities().back())) == 1;
  }));
  for (const test::Message& m : late.messages()) EXPECT_TRUE(m.retained) << m.topic;
  for (const MqttQuantity& q : mqttQuantities()) {
    const auto m = late.last(discoveryTopic("dl1abc", q));
    ASSERT_TRUE(m) << q.id;
    EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(m->payload)).isObject());
  }
  EXPECT_EQ(linesWith("MQTT: verbunden mit 127.0.0.1:"), 1) << log.str();
}

TEST_F(MqttBrokerTest, AStaleRecordIsOfflineAndSaysStaleUntilDataReturn) {
  test::Broker broker(folder.path() / "broker");
  allSeen = true;
  auto o = outlet();
  o->configure(config(broker));
  test::Subscriber s(broker);
  ASSERT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "online"; }));

  fresh = false;
  ASSERT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "offline"; }));
  EXPECT_NE(payload(s, "tavik/dl1abc/state").find("\"stale\":true"), std::string::npos);

  fresh = true;
  ASSERT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "online"; }));
  EXPECT_NE(payload(s, "tavik/dl1abc/state").find("\"stale\":false"), std::string::npos);
}

TEST_F(MqttBrokerTest, AWrongPasswordIsSaidOnceInGermanWhateverTheRetries) {
  test::Broker broker(folder.path() / "broker");
  auto o = outlet();
  MqttConfig c = config(broker);
  c.passwordPath = broker.passwordFile("falsch").string();
  o->configure(c);
  ASSERT_TRUE(waitFor([&] { return linesWith("Passwort falsch") == 1; })) << log.str();
  // Three more tries (after 1 s and 2 s) say nothing new.
  test::runUntil([] { return false; }, 3500);
  EXPECT_EQ(linesWith("MQTT:"), 1) << log.str();
  EXPECT_FALSE(o->publisher().connected());
  EXPECT_EQ(log.str().find("geheim"), std::string::npos);
}

TEST_F(MqttBrokerTest, AnUnreadablePasswordFileIsNamedWithItsReason) {
  test::Broker broker(folder.path() / "broker");
  auto o = outlet();
  MqttConfig c = config(broker);
  c.passwordPath = (folder.path() / "fehlt").string();
  o->configure(c);
  ASSERT_TRUE(waitFor([&] { return linesWith("Passwort falsch") + linesWith("nicht berechtigt"); }))
      << log.str();
  EXPECT_EQ(linesWith("MQTT-Passwortdatei " + c.passwordPath +
                      " kann nicht gelesen werden: die Datei gibt es nicht"),
            1)
      << log.str();
}

TEST_F(MqttBrokerTest, ABrokerThatGoesAndComesBackGetsTheStateAgainWithOneLineEachWay) {
  test::Broker broker(folder.path() / "broker");
  allSeen = true;
  auto o = outlet();
  MqttConfig c = config(broker);
  c.intervalSeconds = 3600;  // only the reconnection publishes
  o->configure(c);
  ASSERT_TRUE(waitFor([&] { return o->publisher().connected(); })) << log.str();

  broker.stop();
  ASSERT_TRUE(waitFor([&] { return !o->publisher().connected(); }));
  // Several failed tries while it is away (after 1, 2 and 4 s).
  test::runUntil([] { return false; }, 4000);
  broker.start();  // without persistence: nothing retained
  test::Subscriber s(broker);
  ASSERT_TRUE(waitFor([&] { return s.count("tavik/dl1abc/state") > 0; }, 15000)) << log.str();
  EXPECT_EQ(payload(s, "tavik/dl1abc/availability"), "online");
  EXPECT_EQ(linesWith("verloren: Verbindung"), 1) << log.str();
  EXPECT_EQ(linesWith("wieder hergestellt"), 1) << log.str();
  EXPECT_EQ(linesWith("MQTT:"), 3) << log.str();
}

TEST_F(MqttBrokerTest, TlsWithTheBrokersCertificateAndARefusalWithout) {
  test::Broker broker(folder.path() / "broker", true);
  allSeen = true;
  auto o = outlet();
  MqttConfig c = config(broker);
  c.tls = true;
  c.caFile = broker.certificate().string();
  o->configure(c);
  test::Subscriber s(broker, broker.certificate().string());
  ASSERT_TRUE(waitFor([&] { return s.count("tavik/dl1abc/state") > 0; })) << log.str();

  // The system's certificates do not vouch for the test's own.
  std::ostringstream otherLog;
  MqttOutlet other(MqttStationView{[] { return true; }, [] { return true; },
                                   [](bool) { return std::string("{}"); }},
                   settings, folder.dir(), "", otherLog);
  c.caFile.clear();
  c.prefix = "tavik/zweite";
  other.configure(c);
  ASSERT_TRUE(waitFor([&] {
    return otherLog.str().find(
               "TLS-Fehler: das Zertifikat des Brokers ist nicht "
               "vertrauenswürdig") != std::string::npos;
  })) << otherLog.str();
  EXPECT_FALSE(other.publisher().connected());
}

TEST_F(MqttBrokerTest, SwitchedOffItRemovesItsSensorsAndSaysOffline) {
  test::Broker broker(folder.path() / "broker");
  allSeen = true;
  auto o = outlet();
  o->configure(config(broker));
  test::Subscriber s(broker);
  ASSERT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "online"; }));

  o->configure(MqttConfig{});
  const std::string last = discoveryTopic("dl1abc", mqttQuantities().back());
  ASSERT_TRUE(waitFor([&] { return payload(s, last).empty(); }));
  EXPECT_EQ(payload(s, "tavik/dl1abc/availability"), "offline");
  EXPECT_EQ(linesWith("MQTT: ausgeschaltet"), 1);

  test::Subscriber late(broker);
  ASSERT_TRUE(waitFor([&] { return late.count("tavik/dl1abc/availability") == 1; }));
  test::runUntil([] { return false; }, 300);
  for (const MqttQuantity& q : mqttQuantities())
    EXPECT_EQ(late.count(discoveryTopic("dl1abc", q)), 0) << q.id;
}

}  // namespace
}  // namespace tavik
