// SPDX-License-Identifier: GPL-3.0-or-later
// Both uploads against servers of the test on 127.0.0.1: what goes over the
// wire, refusals, a server that is down and one that never answers, and no
// secret in anything the station says.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/version.h"
#include "event_loop.h"
#include "free_port.h"
#include "temp_folder.h"
#include "upload_servers.h"
#include "uploads/station_uploads.h"

namespace tavik {
namespace {

constexpr const char* kWuKey = "Wx&Key=42";
constexpr int kPasscode = 1234;

UploadRecord someRecord() {
  UploadRecord r;
  r.observedUtc = 1796825100;  // 2026-12-09 14:05:00 UTC
  PublishedValues& v = r.values;
  v.tempOut = 78;
  v.humOut = 72;
  v.dewOut = DewPoint{30, false};
  v.seaLevel = 10132;
  v.windAvgSpeed = 23;
  v.gust5min = 54;
  v.windAvgDir = 180;
  v.rain24h = 1;
  v.rainToday = 3;
  v.tempIn = 214;
  v.humIn = 45;
  return r;
}

class NetworkUploadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensureCoreApplication();
    std::ofstream(folder_.dir() + "wu-key") << kWuKey << "\n";
    std::ofstream(folder_.dir() + "cwop-passcode") << kPasscode << "\n";
  }

  // The uploads with the settings, as the runtime would run them.
  StationUploads& start(const Settings& s) {
    settings_ = s;
    uploads_ =
        std::make_unique<StationUploads>(UploadStation{.sendable = [this] { return sendable_; },
                                                       .record = [] { return someRecord(); }},
                                         settings_, folder_.dir(), "", log_);
    uploads_->setTimeScale(100);  // a second in 10 ms
    uploads_->start();
    return *uploads_;
  }
  Settings cwopSettings(const std::string& server, const std::string& call = "CW1234") {
    Settings s;
    s.CWOPAktiv = true;
    s.CWOPRufzeichen = call;
    s.CWOPServer = server;
    s.CWOPIntervall = 5;
    s.MyLocator = "JO30XN";
    return s;
  }
  Settings wuSettings(const std::string& url, const std::string& keyFile = "wu-key") {
    Settings s;
    s.WUAktiv = true;
    s.WUStationID = "IBERLIN99";
    s.WUSchluesselDatei = keyFile;
    s.WUServer = url;
    s.WUIntervall = 5;
    return s;
  }
  void expectNoSecret() const {
    const std::string log = log_.str();
    EXPECT_EQ(log.find(kWuKey), std::string::npos) << log;
    EXPECT_EQ(log.find("Wx%26Key"), std::string::npos) << log;
    EXPECT_EQ(log.find(std::to_string(kPasscode)), std::string::npos) << log;
    for (UploadOutlet* o : {&uploads_->cwop(), &uploads_->wu()}) {
      EXPECT_EQ(o->lastAnswer().find(kWuKey), std::string::npos);
      EXPECT_EQ(o->status().find(std::to_string(kPasscode)), std::string::npos);
    }
  }

  testing::TempFolder folder_;
  std::ostringstream log_;
  bool sendable_ = true;
  Settings settings_;
  std::unique_ptr<StationUploads> uploads_;
};

TEST_F(NetworkUploadTest, CwopLogsInSendsOnePacketAndLeaves) {
  test::AprsIsServer server;
  Settings s = cwopSettings(server.address(), "DL1ABC-13");
  s.CWOPSchluesselDatei = "cwop-passcode";
  std::ofstream(folder_.dir() + "cwop-passcode") << test::expectedPasscode("DL1ABC") << "\n";
  StationUploads& u = start(s);
  ASSERT_TRUE(test::runUntil([&] { return !server.packets.empty(); }, 5000)) << log_.str();
  ASSERT_TRUE(test::runUntil([&] { return u.cwop().schedule().secondsToNext() > 0; }, 5000));
  ASSERT_EQ(server.logins.size(), 1u);
  EXPECT_TRUE(server.logins[0].starts_with(
      "user DL1ABC-13 pass " + std::to_string(test::expectedPasscode("DL1ABC")) + " vers Tavik "));
  EXPECT_EQ(server.answers[0], "# logresp DL1ABC-13 verified, server T2TEST");
  ASSERT_EQ(server.packets.size(), 1u);
  EXPECT_EQ(server.packets[0],
            "DL1ABC-13>APRS,TCPIP*:@091405z5033.75N/00757.50E_180/005g012t046r...p004P012h72"
            "b10132Tavik " +
                std::string(programVersion));
  EXPECT_EQ(u.cwop().lastAnswer(), "angenommen: logresp DL1ABC-13 verified, server T2TEST");
  EXPECT_NE(log_.str().find("CWOP: gesendet"), std::string::npos);
  EXPECT_TRUE(u.status().starts_with("CWOP: 4:") || u.status().starts_with("CWOP: 5:"))
      << u.status();
}

TEST_F(NetworkUploadTest, CwopRefusedLoginIsReportedWithTheServersWordsAndSendsNothing) {
  test::AprsIsServer server;
  Settings s = cwopSettings(server.address(), "DL1ABC");
  s.CWOPPasscode = kPasscode;  // not the callsign's
  StationUploads& u = start(s);
  ASSERT_TRUE(
      test::runUntil([&] { return u.cwop().lastAnswer().starts_with("fehlgeschlagen"); }, 5000));
  EXPECT_EQ(u.cwop().lastAnswer(),
            "fehlgeschlagen: Anmeldung abgelehnt, der Server sagt: logresp DL1ABC unverified, "
            "server T2TEST");
  EXPECT_TRUE(server.packets.empty());
  EXPECT_NE(log_.str().find("CWOP: Senden fehlgeschlagen: Anmeldung abgelehnt"), std::string::npos);
  expectNoSecret();
}

TEST_F(NetworkUploadTest, ADownServerIsOneLineInTheLogWhileTheAttemptsBackOff) {
  const int port = test::freeLoopbackPort();
  ASSERT_GT(port, 0);
  StationUploads& u = start(cwopSettings("127.0.0.1:" + std::to_string(port)));
  test::runUntil([] { return false; }, 400);  // attempts after 1, 2 and 4 s and more
  EXPECT_EQ(log_.str(), "CWOP: Senden fehlgeschlagen: Verbindung abgelehnt\n");
  EXPECT_TRUE(u.cwop().status().starts_with("CWOP: Verbindung abgelehnt (neuer Versuch in "))
      << u.cwop().status();
  // The server comes up: the next attempt gets through, and says so.
  test::AprsIsServer late;
  u.configure(cwopSettings(late.address()), folder_.dir(), nullptr);
  ASSERT_TRUE(test::runUntil([&] { return !late.packets.empty(); }, 5000)) << log_.str();
}

TEST_F(NetworkUploadTest, AServerThatNeverAnswersTimesOutAndIsTriedAgainAfterTheBackOff) {
  test::AprsIsServer silent(test::ServerMood::NeverAnswers);
  StationUploads& u = start(cwopSettings(silent.address()));
  u.cwop().setTimeoutMs(150);
  int ticks = 0;
  QTimer other;  // the station's own timers go on meanwhile
  QObject::connect(&other, &QTimer::timeout, [&ticks] { ++ticks; });
  other.start(10);
  // The server counts a connection when it accepts it and a login when the
  // line has arrived: wait for the second login, not the second connection.
  ASSERT_TRUE(test::runUntil([&] { return silent.logins.size() >= 2; }, 10000));
  EXPECT_GT(ticks, 10);
  EXPECT_GE(silent.connections, 2);
  EXPECT_TRUE(silent.packets.empty());
  EXPECT_NE(log_.str().find("CWOP: Senden fehlgeschlagen: keine Antwort des Servers innerhalb von "
                            "150 ms"),
            std::string::npos)
      << log_.str();
}

TEST_F(NetworkUploadTest, NothingIsSentFromARecordThatMayNotBeSent) {
  test::AprsIsServer server;
  test::WuServer wu("IBERLIN99", kWuKey);
  sendable_ = false;
  Settings s = cwopSettings(server.address());
  const Settings w = wuSettings(wu.url());
  s.WUAktiv = w.WUAktiv;
  s.WUStationID = w.WUStationID;
  s.WUSchluesselDatei = w.WUSchluesselDatei;
  s.WUServer = w.WUServer;
  StationUploads& u = start(s);
  test::runUntil([] { return false; }, 200);
  u.cwop().sendNow();
  EXPECT_EQ(u.cwop().lastAnswer(), "nicht gesendet: noch keine vollständigen, aktuellen Daten");
  EXPECT_EQ(server.connections, 0);
  EXPECT_TRUE(wu.requests.empty());
  EXPECT_EQ(u.status(), "CWOP: wartet auf Daten  WU: wartet auf Daten");
  sendable_ = true;
  ASSERT_TRUE(
      test::runUntil([&] { return !server.packets.empty() && !wu.requests.empty(); }, 5000));
}

TEST_F(NetworkUploadTest, WundergroundGetsEveryParameterInItsUnit) {
  test::WuServer server("IBERLIN99", kWuKey);
  StationUploads& u = start(wuSettings(server.url()));
  ASSERT_TRUE(test::runUntil([&] { return u.wu().lastAnswer() == "angenommen: success"; }, 5000))
      << log_.str() << u.wu().lastAnswer();
  ASSERT_EQ(server.requests.size(), 1u);
  const test::WuRequest& r = server.requests[0];
  EXPECT_EQ(r.path, "/weatherstation/updateweatherstation.php");
  EXPECT_EQ(r.order, (std::vector<std::string>{"ID", "PASSWORD", "dateutc", "tempf", "humidity",
                                               "dewptf", "baromin", "windspeedmph", "windgustmph",
                                               "winddir", "dailyrainin", "indoortempf",
                                               "indoorhumidity", "action", "softwaretype"}));
  const std::map<std::string, std::string> expected = {
      {"ID", "IBERLIN99"},
      {"PASSWORD", kWuKey},
      {"dateutc", "2026-12-09 14:05:00"},
      {"tempf", "46.0"},
      {"humidity", "72"},
      {"dewptf", "37.4"},
      {"baromin", "29.920"},
      {"windspeedmph", "5.1"},
      {"windgustmph", "12.1"},
      {"winddir", "180"},
      {"dailyrainin", "0.12"},
      {"indoortempf", "70.5"},
      {"indoorhumidity", "45"},
      {"action", "updateraw"},
      {"softwaretype", "Tavik " + std::string(programVersion)}};
  EXPECT_EQ(r.parameters, expected);
  EXPECT_NE(log_.str().find("WU: gesendet: success"), std::string::npos);
  expectNoSecret();
}

TEST_F(NetworkUploadTest, WundergroundWrongKeyIsAFailureWithTheServersText) {
  test::WuServer server("IBERLIN99", "the right key");
  StationUploads& u = start(wuSettings(server.url()));
  ASSERT_TRUE(test::runUntil(
      [&] {
        return server.requests.size() >= 2 && u.wu().lastAnswer().starts_with("fehlgeschlagen");
      },
      5000));
  EXPECT_EQ(u.wu().lastAnswer(),
            "fehlgeschlagen: INVALIDPASSWORDID|Password or key and/or id are incorrect");
  EXPECT_EQ(log_.str(),
            "WU: Senden fehlgeschlagen: INVALIDPASSWORDID|Password or key and/or id are "
            "incorrect\n");
  expectNoSecret();
}

TEST_F(NetworkUploadTest, WundergroundWithoutAnswerOrKeyFails) {
  test::WuServer silent("IBERLIN99", kWuKey, test::ServerMood::NeverAnswers);
  StationUploads& u = start(wuSettings(silent.url()));
  u.wu().setTimeoutMs(150);
  ASSERT_TRUE(test::runUntil([&] { return silent.requests.size() >= 2; }, 5000));
  EXPECT_NE(log_.str().find("WU: Senden fehlgeschlagen: keine Antwort des Servers innerhalb von "
                            "150 ms"),
            std::string::npos)
      << log_.str();
  expectNoSecret();

  const int port = test::freeLoopbackPort();
  u.configure(wuSettings("http://127.0.0.1:" + std::to_string(port) + "/x", "fehlt"), folder_.dir(),
              nullptr);
  ASSERT_TRUE(
      test::runUntil([&] { return u.wu().lastAnswer().find("fehlt") != std::string::npos; }, 5000));
  EXPECT_EQ(u.wu().lastAnswer(), "fehlgeschlagen: Die WU-Schlüsseldatei " + folder_.dir() +
                                     "fehlt kann nicht gelesen werden: die Datei gibt es nicht.");
}

}  // namespace
}  // namespace tavik
