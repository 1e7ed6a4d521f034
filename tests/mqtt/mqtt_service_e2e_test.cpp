// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station with MQTT against the simulator and a real broker: the state
// and the sensors appear, the last will says "offline" when the program is
// killed, a clean stop says it too; --check shows the broker and whether the
// password file can be read, never the password.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "../e2e/program_process.h"
#include "broker.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

constexpr int kScale = 60;

class MqttServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavik-mqtt-XXXXXX";
    dir_ = mkdtemp(pattern);
    broker_ = std::make_unique<test::Broker>(dir_ / "broker");
    link_ = dir_ / "console";
    sim_ = startSimulator(link_, dir_, kScale);
    ASSERT_NE(sim_, nullptr);
    fs::copy_file(broker_->passwordFile(), dir_ / "mqtt-passwort");
    writeRaw(
        dir_ / "tavout.ini",
        "[Alles]\r\nComport=" + link_.string() +
            "\r\n[ASYNOP]\r\nASYNOPAbsender=DL1ABC\r\n[MQTT]\r\nMQTTServer=" + broker_->address() +
            "\r\nMQTTBenutzer=wetter\r\nMQTTPasswortDatei=mqtt-passwort\r\n"
            "MQTTIntervall=0\r\n");
  }
  void TearDown() override {
    service_.reset();
    sim_.reset();
    broker_.reset();
    fs::remove_all(dir_);
  }
  Child& startService() {
    service_ = std::make_unique<Child>(
        std::vector<std::string>{TAVIK_STATION_BINARY, "--folder", dir_.string()},
        std::vector<std::string>{"TAVIK_TIME_SCALE=" + std::to_string(kScale)},
        dir_ / "station.out", dir_);
    EXPECT_TRUE(service_->started());
    return *service_;
  }
  static std::string payload(const test::Subscriber& s, const std::string& topic) {
    const auto m = s.last(topic);
    return m ? m->payload : "(none)";
  }
  // Started, with the station's data on the broker.
  void runUntilOnline(const test::Subscriber& s) {
    startService();
    ASSERT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "online"; }, 20s))
        << rawFile(dir_ / "station.out");
  }

  fs::path dir_;
  fs::path link_;
  std::unique_ptr<test::Broker> broker_;
  std::unique_ptr<Child> sim_;
  std::unique_ptr<Child> service_;
};

TEST_F(MqttServiceTest, TheSimulatedStationAppearsAndItsLastWillSaysOfflineOnKill) {
  test::Subscriber s(*broker_);
  runUntilOnline(s);
  const QJsonObject state =
      QJsonDocument::fromJson(QByteArray::fromStdString(payload(s, "tavik/dl1abc/state"))).object();
  EXPECT_FALSE(state["stale"].toBool(true));
  EXPECT_TRUE(state["temperature"].toObject()["outdoor"].isDouble());
  EXPECT_TRUE(state["pressure"].toObject()["seaLevel"].isDouble());
  EXPECT_NE(payload(s, "homeassistant/sensor/dl1abc/temperature_outdoor/config").find("WM-918"),
            std::string::npos);

  service_->signal(SIGKILL);
  EXPECT_EQ(service_->wait(5s), 128 + SIGKILL);
  EXPECT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "offline"; }, 5s));
  // The sensors stay known, waiting for the station.
  EXPECT_FALSE(payload(s, "homeassistant/sensor/dl1abc/rain_total/config").empty());
}

TEST_F(MqttServiceTest, ACleanStopSaysOfflineAndTheLogHasOneLinePerEvent) {
  test::Subscriber s(*broker_);
  runUntilOnline(s);
  EXPECT_EQ(service_->stop(), 0);
  EXPECT_EQ(payload(s, "tavik/dl1abc/availability"), "offline");
  const std::string out = rawFile(dir_ / "station.out");
  EXPECT_EQ(countOf(out, "MQTT: verbunden mit " + broker_->address() + ", Thema tavik/dl1abc"), 1)
      << out;
  EXPECT_EQ(countOf(out, "MQTT:"), 1) << out;
  EXPECT_EQ(out.find(test::Broker::kPassword), std::string::npos);
}

TEST_F(MqttServiceTest, CheckShowsBrokerTopicAndThePasswordFileButNeverThePassword) {
  Child check({TAVIK_STATION_BINARY, "--check", "--folder", dir_.string()}, {}, dir_ / "check.out",
              dir_);
  EXPECT_EQ(check.wait(10s), 0);
  std::string shown = readFile(dir_ / "check.out");
  EXPECT_NE(shown.find("MQTT-Broker:      " + broker_->address() + "\n"), std::string::npos)
      << shown;
  EXPECT_NE(shown.find("MQTT-Thema:       tavik/dl1abc (Home Assistant: "
                       "homeassistant/sensor/dl1abc/...)\n"),
            std::string::npos)
      << shown;
  EXPECT_NE(
      shown.find("MQTT-Passwort:    Datei " + (dir_ / "mqtt-passwort").string() + " ist lesbar\n"),
      std::string::npos)
      << shown;
  EXPECT_EQ(shown.find(test::Broker::kPassword), std::string::npos);

  fs::remove(dir_ / "mqtt-passwort");
  Child again({TAVIK_STATION_BINARY, "--check", "--folder", dir_.string()}, {}, dir_ / "again.out",
              dir_);
  EXPECT_EQ(again.wait(10s), 0);
  shown = readFile(dir_ / "again.out");
  EXPECT_NE(
      shown.find("MQTT-Passwort:    Die MQTT-Passwortdatei " + (dir_ / "mqtt-passwort").string() +
                 " kann nicht gelesen werden: die Datei gibt es nicht."),
      std::string::npos)
      << shown;
}

// The window program publishes the same way: started active, offscreen.
TEST_F(MqttServiceTest, TheWindowProgramPublishesTooAndSaysOfflineWhenClosed) {
  test::Subscriber s(*broker_);
  std::string ini = rawFile(dir_ / "tavout.ini");
  ini.insert(ini.find("\r\n") + 2, "ActiveAtStratup=1\r\n");
  writeRaw(dir_ / "tavout.ini", ini);
  fs::copy_file(TAVIK_BINARY, dir_ / "tavik");
  Child program({(dir_ / "tavik").string()},
                {"QT_QPA_PLATFORM=offscreen", "TAVIK_TIME_SCALE=" + std::to_string(kScale)},
                dir_ / "tavik.out", dir_);
  ASSERT_TRUE(waitFor([&] { return payload(s, "tavik/dl1abc/availability") == "online"; }, 30s))
      << rawFile(dir_ / "tavik.out");
  EXPECT_NE(payload(s, "tavik/dl1abc/state").find("\"stale\":false"), std::string::npos);
  EXPECT_EQ(program.stop(), 0);
  EXPECT_EQ(payload(s, "tavik/dl1abc/availability"), "offline");
  // The settings it saved keep the MQTT section.
  EXPECT_NE(rawFile(dir_ / "tavout.ini").find("[MQTT]\r\nMQTTServer=" + broker_->address()),
            std::string::npos);
}

}  // namespace
}  // namespace tavik
