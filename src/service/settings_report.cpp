// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/settings_report.h"

#include <algorithm>
#include <string>

#include "common/text_file.h"
#include "mqtt/mqtt_config.h"
#include "uploads/upload_config.h"

#include "station/serial_port.h"

namespace tavik {

namespace {

std::string period(int32_t ms) {
  if (ms <= 0) return "aus";
  return std::to_string(ms) + " ms (" + std::to_string(ms / 60000) + " min)";
}

std::string yesNo(bool b) { return b ? "ja" : "nein"; }

// The broker, the topic and whether the password file can be read; never the
// password itself.
void printMqtt(std::ostream& out, const StationFolder& folder, const Settings& s) {
  const MqttConfig c = mqttConfig(s, folder.settingsDir, credentialsDirectory());
  if (!c.enabled) {
    out << "MQTT:             "
        << (s.MQTTServer.empty() ? "aus" : "aus, kein gültiger Server: " + s.MQTTServer) << "\n";
    return;
  }
  out << "MQTT-Broker:      " << brokerText(c.broker)
      << (c.tls ? ", TLS" + (c.caFile.empty() ? std::string() : " mit " + c.caFile) : "") << "\n"
      << "MQTT-Thema:       " << c.prefix << " (Home Assistant: homeassistant/sensor/" << c.station
      << "/...)\n"
      << "MQTT-Benutzer:    " << (c.user.empty() ? "(keiner)" : c.user) << "\n"
      << "MQTT-Passwort:    ";
  if (c.passwordPath.empty()) {
    out << "keine Passwortdatei\n";
  } else {
    const Outcome<std::string> password = readMqttPassword(c.passwordPath);
    out << (password.ok() ? "Datei " + c.passwordPath + " ist lesbar" : password.error) << "\n";
  }
  out << "MQTT-Intervall:   "
      << (c.intervalSeconds == 0 ? std::string("bei jeder Gruppe, höchstens einmal je Sekunde")
                                 : std::to_string(c.intervalSeconds) + " s")
      << "\n";
}

// Whether a key file can be read; never what it holds.
std::string keyFileText(const std::string& path, const std::string& what) {
  if (path.empty()) return "keine Schlüsseldatei";
  const Outcome<std::string> key = readSecretLine(path, what);
  return key.ok() ? "Datei " + path + " ist lesbar" : key.error;
}

// The two uploads: on or off, the callsign or station, the server, the
// interval and whether the key file can be read.
void printUploads(std::ostream& out, const StationFolder& folder, const Settings& s) {
  const char* credentials = credentialsDirectory();
  const CwopConfig c = cwopConfig(s, folder.settingsDir, credentials);
  out << "CWOP:             " << (c.enabled ? "ein" : "aus")
      << (c.problem.empty() ? "" : ", " + c.problem) << "\n"
      << "CWOP-Rufzeichen:  " << (c.target.callsign.empty() ? "(keines)" : c.target.callsign)
      << "\n"
      << "CWOP-Server:      " << s.CWOPServer << "\n"
      << "CWOP-Position:    " << (c.target.position.empty() ? "(keine)" : c.target.position)
      << (s.CWOPPosition.empty() ? " (aus MyLocator)" : "") << "\n"
      << "CWOP-Passcode:    "
      << (c.target.passcodeFile.empty()
              ? std::string(s.CWOPPasscode < 0 ? "keiner (-1)" : "aus tavout.ini")
              : keyFileText(c.target.passcodeFile, "CWOP-Schlüsseldatei"))
      << "\n"
      << "CWOP-Intervall:   " << c.intervalMinutes << " min\n";
  const WuConfig w = wuConfig(s, folder.settingsDir, credentials);
  out << "Wunderground:     " << (w.enabled ? "ein" : "aus")
      << (w.problem.empty() ? "" : ", " + w.problem) << "\n"
      << "WU-Station:       " << (w.target.stationId.empty() ? "(keine)" : w.target.stationId)
      << "\n"
      << "WU-Server:        " << w.target.server << "\n"
      << "WU-Schlüssel:     " << keyFileText(w.target.keyFile, "WU-Schlüsseldatei") << "\n"
      << "WU-Intervall:     " << w.intervalMinutes << " min\n";
}

}  // namespace

void printSettingsReport(std::ostream& out, const StationFolder& folder, const Settings& s,
                         const ProfileTable& profiles) {
  out << "Einstellungen:    " << folder.settingsDir << "tavout.ini\n"
      << "Produktordner:    " << folder.productDir << "\n"
      << "Comport:          " << s.Comport << " (" << SerialPort::devicePath(s.Comport) << ")\n"
      << "Read-Ordner:      " << s.WinGTRead << "\n"
      << "Import-Ordner:    " << s.WinGTImport << "\n"
      << "APRS-Datei:       " << s.APRSDatei << "\n"
      << "Wetterlog-Ordner: " << s.LogOrdner << "\n"
      << "ASYNOP-Datei:     " << s.ASYNOPDatei << "\n"
      << "ReadInterval:     " << period(s.ReadInterval) << "\n"
      << "ImportInterval:   " << period(s.ImportInterval) << "\n"
      << "LogInterval:      " << period(s.LogInterval) << "\n"
      << "APRSIntervall:    "
      << (s.APRSIntervall == 0 ? std::string("aus") : std::to_string(s.APRSIntervall) + " min")
      << "\n"
      << "ASYNOP:           " << (s.ASYNOPIntervall ? "vier Meldungen am Tag" : "eine am Tag")
      << ", Archiv " << yesNo(s.ASYNOPArchiv) << "\n"
      << "Archiv:           " << (s.ArchivAktiv ? "aktiv" : "aus") << ", " << s.ArchivDatei << "\n"
      << "ArchivIntervall:  "
      << (s.ArchivIntervall <= 0 ? std::string("aus") : std::to_string(s.ArchivIntervall) + " min")
      << "\n"
      << "Profile:          " << static_cast<int>(profiles.maxprofil) << "\n";
  const int last = std::min<int>(profiles.maxprofil, kMaxProfiles);
  for (int n = 1; n <= last; ++n) {
    const ProfileEntry& p = profiles[n];
    out << "  Profil " << n << ": " << (p.name.empty() ? "(leer)" : p.name) << ", "
        << (n == 1       ? std::string(p.WieWinGT ? "Read, Import" : "Read")
            : p.WieWinGT ? std::string("Import")
                         : "täglich um " + p.Uhrzeit)
        << "\n";
  }
  out << "Web-Ordner:       " << s.WebOrdner << "\n"
      << "WebIntervall:     "
      << (s.WebIntervall <= 0 ? std::string("aus") : std::to_string(s.WebIntervall) + " min")
      << "\n"
      << "Web-Titel:        " << s.WebTitel << "\n";
  printMqtt(out, folder, s);
  printUploads(out, folder, s);
  out.flush();
}

}  // namespace tavik
