// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/setting_keys.h"

#include <algorithm>

namespace tavik {

namespace {

constexpr const char* kAlles = "Alles";
constexpr const char* kWetterlog = "Wetterlog";
constexpr const char* kAsynop = "ASYNOP";
constexpr const char* kWeb = "Web";
constexpr const char* kArchiv = "Archiv";
constexpr const char* kFarben = "Farben";
constexpr const char* kSchriften = "Schriften";
constexpr const char* kMqtt = "MQTT";
constexpr const char* kCwop = "CWOP";
constexpr const char* kWunderground = "Wunderground";
constexpr const char* kFenster = "Fenster";
constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000Fu);
constexpr int kFirstGroup = 2;  // the display groups are GroupBox2..GroupBox11

SettingKey key(const char* section, const char* name, int saveOrder, SettingField field,
               SettingDefault fallback = {}) {
  return {section, name, name, saveOrder, field, fallback};
}

// A key that had another name before; that name is still read.
SettingKey was(SettingKey k, const char* formerName) {
  k.formerName = formerName;
  return k;
}

SettingDefault number(int32_t n) { return {n, "", false}; }
SettingDefault text(const char* t) { return {0, t, false}; }
SettingDefault inProductDir(const char* t) { return {0, t, true}; }

// "Group2<suffix>" .. "Group11<suffix>", saved in the same order after
// `firstOrder` - 1 other keys of the section.
void addGroupKeys(std::vector<SettingKey>& keys, const char* section, const char* suffix,
                  std::array<int32_t, 10> Settings::*array, int32_t fallback, int firstOrder) {
  for (size_t i = 0; i < 10; ++i) {
    const std::string name = "Group" + std::to_string(static_cast<int>(i) + kFirstGroup) + suffix;
    keys.push_back({section, name, name, firstOrder + static_cast<int>(i), GroupElement{array, i},
                    number(fallback)});
  }
}

std::vector<SettingKey> buildKeys() {
  using S = Settings;
  std::vector<SettingKey> keys = {
      key(kAlles, "Comport", 1, &S::Comport, text("COM2")),
      key(kAlles, "WinGTImport", 2, &S::WinGTImport, inProductDir("")),
      key(kAlles, "WinGTRead", 3, &S::WinGTRead, inProductDir("")),
      key(kAlles, "MyLocator", 4, &S::MyLocator, text("JO30XN")),
      key(kAlles, "APRSDatei", 5, &S::APRSDatei, inProductDir("aprs.txt")),
      key(kAlles, "ReadInterval", 7, &S::ReadInterval, number(0)),
      key(kAlles, "ImportInterval", 6, &S::ImportInterval, number(0)),
      {kAlles, "maxprofil", "MaxProfil", 20, ProfileCount{}, number(0)},
      key(kAlles, "APRSIntervall", 8, &S::APRSIntervall, number(1)),
      key(kAlles, "Zeitzone", 9, &S::Zeitzone, number(1)),
      key(kAlles, "ZeitzoneIndex", 10, &S::ZeitzoneIndex, number(11)),
      key(kAlles, "CatchPeak", 11, &S::CatchPeak, number(0)),
      key(kAlles, "EOFKennung", 19, &S::EOFKennung, number(0)),
      key(kAlles, "NormalRegen", 13, &S::NormalRegen, number(1)),
      key(kAlles, "APRSRechnerZeit", 14, &S::APRSRechnerZeit, number(1)),
      key(kAlles, "autoImport", 15, &S::autoImport, number(1)),
      key(kAlles, "autoRead", 16, &S::autoRead, number(1)),
      key(kAlles, "autoLog", 17, &S::autoLog, number(1)),
      key(kAlles, "autoAPRS", 18, &S::autoAPRS, number(1)),
      key(kAlles, "ActiveAtStratup", 12, ActivationState{}, number(0)),
      key(kAlles, "APRSZeilenende", 21, &S::APRSZeilenende, text("CRLF")),

      key(kWetterlog, "LogMonatsordner", 3, &S::LogMonatsordner, number(0)),
      key(kWetterlog, "LogWochenordner", 2, &S::LogWochenordner, number(0)),
      key(kWetterlog, "LogUnterordner", 4, &S::LogUnterordner, number(0)),
      key(kWetterlog, "LogUpdate", 1, &S::LogUpdate, number(0)),
      key(kWetterlog, "LogOrdner", 6, &S::LogOrdner, inProductDir("")),
      key(kWetterlog, "LogInterval", 5, &S::LogInterval, number(0)),

      key(kAsynop, "ASYNOPArchiv", 1, &S::ASYNOPArchiv, number(0)),
      key(kAsynop, "ASYNOPErdquadrant", 5, &S::ASYNOPErdquadrant, number(1)),
      key(kAsynop, "ASYNOPIntervall", 2, &S::ASYNOPIntervall, number(0)),
      key(kAsynop, "ASYNOPAbsender", 7, &S::ASYNOPAbsender, text("ZZ9ZZ")),
      key(kAsynop, "ASYNOPEmpf", 8, &S::ASYNOPEmpf, text("ASYNOP@DL")),
      {kAsynop, "ASYNOPVor", "ASYNOPvor", 9, &S::ASYNOPVor, text("Wetterdaten WMR918")},
      {kAsynop, "ASYNOPNach", "ASYNOPnach", 10, &S::ASYNOPNach, text("")},
      key(kAsynop, "ASYNOPDatei", 6, &S::ASYNOPDatei, inProductDir("asynop.txt")),
      key(kAsynop, "ASYNOPLat", 11, &S::ASYNOPLat, text("505")),
      key(kAsynop, "ASYNOPLong", 12, &S::ASYNOPLong, text("080")),
      key(kAsynop, "ASYNOPMonatsordner", 3, &S::ASYNOPMonatsordner, number(0)),
      key(kAsynop, "ASYNOPWochenordner", 4, &S::ASYNOPWochenordner, number(0)),
  };
  keys.push_back(key(kFenster, "Links", 1, &S::WindowLeft, number(0)));
  keys.push_back(key(kFenster, "Oben", 2, &S::WindowTop, number(0)));
  keys.push_back(key(kFenster, "Breite", 3, &S::WindowWidth, number(0)));
  keys.push_back(key(kFenster, "Hoehe", 4, &S::WindowHeight, number(0)));
  keys.push_back(key(kFenster, "Verlauf", 5, &S::ChartHours, number(3)));
  keys.push_back(key(kFenster, "Maximiert", 6, &S::WindowMaximized, number(0)));
  addGroupKeys(keys, kFarben, "", &S::groupColor, kButtonFace, 1);
  addGroupKeys(keys, kSchriften, "Size", &S::groupFontSize, 8, 1);
  addGroupKeys(keys, kSchriften, "Color", &S::groupFontColor, 8, 11);
  keys.insert(keys.end(),
              {
                  key(kMqtt, "MQTTServer", 1, &S::MQTTServer, text("")),
                  key(kMqtt, "MQTTBenutzer", 2, &S::MQTTBenutzer, text("")),
                  key(kMqtt, "MQTTPasswortDatei", 3, &S::MQTTPasswortDatei, text("")),
                  key(kMqtt, "MQTTTLS", 4, &S::MQTTTLS, number(0)),
                  was(key(kMqtt, "MQTTCADatei", 5, &S::MQTTCADatei, text("")), "MQTTCAFile"),
                  key(kMqtt, "MQTTThema", 6, &S::MQTTThema, text("")),
                  key(kMqtt, "MQTTIntervall", 7, &S::MQTTIntervall, number(60)),
              });
  keys.insert(keys.end(),
              {
                  key(kCwop, "CWOPAktiv", 1, &S::CWOPAktiv, number(0)),
                  key(kCwop, "CWOPRufzeichen", 2, &S::CWOPRufzeichen, text("")),
                  key(kCwop, "CWOPPasscode", 3, &S::CWOPPasscode, number(-1)),
                  key(kCwop, "CWOPSchluesselDatei", 4, &S::CWOPSchluesselDatei, text("")),
                  key(kCwop, "CWOPServer", 5, &S::CWOPServer, text("cwop.aprs.net:14580")),
                  key(kCwop, "CWOPIntervall", 6, &S::CWOPIntervall, number(10)),
                  key(kCwop, "CWOPPosition", 7, &S::CWOPPosition, text("")),
                  key(kWunderground, "WUAktiv", 1, &S::WUAktiv, number(0)),
                  key(kWunderground, "WUStationID", 2, &S::WUStationID, text("")),
                  key(kWunderground, "WUSchluesselDatei", 3, &S::WUSchluesselDatei, text("")),
                  key(kWunderground, "WUServer", 4, &S::WUServer,
                      text("https://weatherstation.wunderground.com/weatherstation/"
                           "updateweatherstation.php")),
                  key(kWunderground, "WUIntervall", 5, &S::WUIntervall, number(5)),
              });
  keys.push_back(key(kWeb, "WebOrdner", 1, &S::WebOrdner, inProductDir("web")));
  keys.push_back(key(kWeb, "WebIntervall", 2, &S::WebIntervall, number(5)));
  keys.push_back(key(kWeb, "WebTitel", 3, &S::WebTitel, text("Wetterstation")));
  keys.push_back(key(kWeb, "Hoehe", 4, &S::Hoehe, text("")));
  keys.push_back(key(kArchiv, "ArchivDatei", 1, &S::ArchivDatei, inProductDir("archive.sqlite")));
  keys.push_back(key(kArchiv, "ArchivIntervall", 2, &S::ArchivIntervall, number(1)));
  keys.push_back(key(kArchiv, "ArchivAktiv", 3, &S::ArchivAktiv, number(1)));
  return keys;
}

}  // namespace

const std::vector<SettingKey>& settingKeys() {
  static const std::vector<SettingKey> keys = buildKeys();
  return keys;
}

std::vector<const char*> settingSections() {
  std::vector<const char*> sections;
  for (const SettingKey& k : settingKeys()) {
    const bool known = std::any_of(sections.begin(), sections.end(),
                                   [&](const char* s) { return std::string(s) == k.section; });
    if (!known) sections.push_back(k.section);
  }
  return sections;
}

const std::vector<ProfileKey>& profileKeys() {
  using P = ProfileEntry;
  static const std::vector<ProfileKey> keys = {
      {"Empfänger", &P::Empfaenger, text("")}, {"Absender", &P::Absender, text("")},
      {"Betreff", &P::Betreff, text("")},      {"VOR", &P::VOR, text("nix")},
      {"NACH", &P::NACH, text("nix")},         {"WieWinGT", &P::WieWinGT, number(1)},
      {"Uhrzeit", &P::Uhrzeit, text("16:57")},
  };
  return keys;
}

}  // namespace tavik
