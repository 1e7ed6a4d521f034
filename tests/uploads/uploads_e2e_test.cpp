// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station and tavik upload the simulated station to an APRS-IS server
// and a Weather Underground server of the test; --check shows both sections;
// no key turns up in any output or file of the run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "../e2e/program_process.h"
#include "aprs_decoder.h"
#include "event_loop.h"
#include "upload_servers.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

constexpr int kScale = 60;
constexpr const char* kWuKey = "geheimer-wu-schluessel";

class UploadsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensureCoreApplication();
    aprsServer_ = std::make_unique<test::AprsIsServer>();
    wuServer_ = std::make_unique<test::WuServer>("IBERLIN99", kWuKey);
    char pattern[] = "/tmp/tavik-uploads-XXXXXX";
    dir_ = mkdtemp(pattern);
    link_ = dir_ / "console";
    sim_ = startSimulator(link_, dir_, kScale);
    ASSERT_NE(sim_, nullptr);
    passcode_ = std::to_string(test::expectedPasscode("DL1ABC"));
    writeRaw(dir_ / "cwop-passcode", passcode_ + "\n");
    writeRaw(dir_ / "wu-key", std::string(kWuKey) + "\n");
    writeRaw(dir_ / "tavout.ini",
             "[Alles]\r\nComport=" + link_.string() +
                 "\r\nMyLocator=JO30XN\r\n[CWOP]\r\nCWOPAktiv=1\r\nCWOPRufzeichen=DL1ABC-13\r\n"
                 "CWOPSchluesselDatei=cwop-passcode\r\nCWOPServer=" +
                 aprsServer_->address() +
                 "\r\nCWOPIntervall=5\r\n[Wunderground]\r\nWUAktiv=1\r\nWUStationID=IBERLIN99\r\n"
                 "WUSchluesselDatei=wu-key\r\nWUServer=" +
                 wuServer_->url() + "\r\nWUIntervall=1\r\n");
  }
  void TearDown() override {
    sim_.reset();
    fs::remove_all(dir_);
  }

  // Every packet arrived decoded with each of its fields; every request with
  // its values.
  void expectUploads() {
    ASSERT_FALSE(aprsServer_->packets.empty());
    EXPECT_TRUE(
        aprsServer_->logins[0].starts_with("user DL1ABC-13 pass " + passcode_ + " vers Tavik "));
    const std::regex shape(
        "DL1ABC-13>APRS,TCPIP\\*:@[0-3][0-9][0-2][0-9][0-5][0-9]z5033\\.75N/00757\\.50E_"
        "[0-9]{3}/[0-9]{3}g[0-9]{3}t(-[0-9]{2}|[0-9]{3})r[0-9]{3}p[0-9]{3}P[0-9]{3}h[0-9]{2}"
        "b[0-9]{5}Tavik .*");
    std::vector<std::string> weather;
    for (const std::string& p : aprsServer_->packets) {
      EXPECT_TRUE(std::regex_match(p, shape)) << p;
      weather.push_back(p.substr(p.find('_') + 1));
    }
    const auto decoded = testing::decodeAprsLines(dir_.string(), weather);
    ASSERT_EQ(decoded.size(), weather.size());
    for (const testing::DecodedAprs& d : decoded) {
      EXPECT_GE(d.direction, 0);
      EXPECT_GE(d.windMph, 0);
      EXPECT_GE(d.gustMph, 0);
      EXPECT_GT(d.fahrenheit, -60);
      EXPECT_LT(d.fahrenheit, 130);
      EXPECT_GT(d.humidity, 0);
      EXPECT_GT(d.inchesOfMercury, 26);
      EXPECT_LT(d.inchesOfMercury, 32);
      EXPECT_GE(d.rainLastHour, 0);
      EXPECT_GE(d.rainLast24h, 0);
      EXPECT_GE(d.rainSinceMidnight, 0);
    }
    ASSERT_FALSE(wuServer_->requests.empty());
    for (const test::WuRequest& r : wuServer_->requests) {
      for (const char* name :
           {"tempf", "humidity", "dewptf", "baromin", "windspeedmph", "windgustmph", "winddir",
            "rainin", "dailyrainin", "indoortempf", "indoorhumidity"}) {
        EXPECT_EQ(r.parameters.count(name), 1u) << name;
      }
      EXPECT_EQ(r.parameters.at("PASSWORD"), kWuKey);
      EXPECT_GT(std::stod(r.parameters.at("baromin")), 26);
    }
  }

  // No file of the run but the key files holds a key.
  void expectNoSecretInFiles() {
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      if (!entry.is_regular_file()) continue;
      const std::string name = entry.path().filename().string();
      // The key files themselves, the decoder's input, and the copied program.
      if (name == "wu-key" || name == "cwop-passcode" || name == "packets.txt" || name == "tavik") {
        continue;
      }
      const std::string text = rawFile(entry.path());
      EXPECT_EQ(text.find(kWuKey), std::string::npos) << entry.path();
      EXPECT_EQ(text.find("pass " + passcode_), std::string::npos) << entry.path();
    }
  }

  // The environment that makes `out` the program's journal: every line then
  // carries its priority.
  static std::string journalStream(const fs::path& out) {
    writeRaw(out, "");
    struct stat st {};
    if (::stat(out.c_str(), &st) != 0) return {};
    return "JOURNAL_STREAM=" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  }

  fs::path dir_;
  fs::path link_;
  std::unique_ptr<Child> sim_;
  // Created once the process has its QCoreApplication.
  std::unique_ptr<test::AprsIsServer> aprsServer_;
  std::unique_ptr<test::WuServer> wuServer_;
  std::string passcode_;
};

TEST_F(UploadsE2eTest, TheServiceUploadsBothAndItsCheckShowsNoKey) {
  {
    Child check({TAVIK_STATION_BINARY, "--folder", dir_.string(), "--check"}, {},
                dir_ / "check.out", dir_);
    ASSERT_EQ(check.wait(20s), 0);
  }
  const std::string shown = rawFile(dir_ / "check.out");
  EXPECT_NE(shown.find("CWOP:             ein\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("CWOP-Rufzeichen:  DL1ABC-13\n"), std::string::npos) << shown;
  EXPECT_NE(
      shown.find("CWOP-Passcode:    Datei " + (dir_ / "cwop-passcode").string() + " ist lesbar"),
      std::string::npos)
      << shown;
  EXPECT_NE(shown.find("Wunderground:     ein\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("WU-Intervall:     1 min\n"), std::string::npos) << shown;

  Child service({TAVIK_STATION_BINARY, "--folder", dir_.string()},
                {"TAVIK_TIME_SCALE=" + std::to_string(kScale), journalStream(dir_ / "station.out")},
                dir_ / "station.out", dir_);
  ASSERT_TRUE(service.started());
  ASSERT_TRUE(test::runUntil(
      [&] { return aprsServer_->packets.size() >= 2 && wuServer_->requests.size() >= 2; }, 120000))
      << rawFile(dir_ / "station.out");
  EXPECT_EQ(service.stop(), 0);
  expectUploads();
  const std::string out = rawFile(dir_ / "station.out");
  EXPECT_NE(out.find("<6>CWOP: gesendet: logresp DL1ABC-13 verified, server T2TEST\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("<6>WU: gesendet: success\n"), std::string::npos) << out;
  EXPECT_TRUE(fs::exists(dir_ / "aprs.txt"));  // the station's own files go on
  expectNoSecretInFiles();
}

TEST_F(UploadsE2eTest, TheWindowProgramUploadsToo) {
  std::string ini = rawFile(dir_ / "tavout.ini");
  ini.insert(ini.find("\r\n") + 2, "ActiveAtStratup=1\r\n");
  writeRaw(dir_ / "tavout.ini", ini);
  fs::copy_file(TAVIK_BINARY, dir_ / "tavik");
  Child program({(dir_ / "tavik").string()},
                {"QT_QPA_PLATFORM=offscreen", "TAVIK_TIME_SCALE=" + std::to_string(kScale),
                 journalStream(dir_ / "tavik.out")},
                dir_ / "tavik.out", dir_);
  ASSERT_TRUE(test::runUntil(
      [&] { return !aprsServer_->packets.empty() && !wuServer_->requests.empty(); }, 120000))
      << rawFile(dir_ / "tavik.out");
  EXPECT_EQ(program.stop(), 0);
  expectUploads();
  const std::string out = rawFile(dir_ / "tavik.out");
  EXPECT_NE(out.find("<6>CWOP: gesendet: "), std::string::npos) << out;
  EXPECT_NE(out.find("<6>WU: gesendet: success\n"), std::string::npos) << out;
  // The settings it saved keep both sections, and no key.
  const std::string saved = rawFile(dir_ / "tavout.ini");
  EXPECT_NE(saved.find("[CWOP]\r\nCWOPAktiv=1\r\nCWOPRufzeichen=DL1ABC-13\r\n"), std::string::npos)
      << saved;
  EXPECT_NE(saved.find("WUSchluesselDatei=wu-key\r\n"), std::string::npos) << saved;
  expectNoSecretInFiles();
}

}  // namespace
}  // namespace tavik
