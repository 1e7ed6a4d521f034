// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_config.h"

#include <algorithm>
#include <optional>

#include "common/text_file.h"
#include "uploads/aprs_is.h"

namespace tavik {

namespace {

constexpr int kMaxInterval = 1440;

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<int> wholeNumber(const std::string& text, int min, int max) {
  const std::string t = trimmed(text);
  const bool negative = t.starts_with("-");
  const std::string digits = negative ? t.substr(1) : t;
  if (digits.empty() || digits.size() > 6 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int n = (negative ? -1 : 1) * std::stoi(digits);
  if (n < min || n > max) return std::nullopt;
  return n;
}

bool httpAddress(const std::string& url) {
  return (url.starts_with("https://") || url.starts_with("http://")) &&
         url.find_first_of(" \t?#") == std::string::npos && url.find("://") + 3 < url.size();
}

}  // namespace

bool parseServer(const std::string& text, std::string& host, int& port) {
  const std::string t = trimmed(text);
  const size_t colon = t.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  std::string h = t.substr(0, colon);
  if (h.starts_with("[") && h.ends_with("]")) h = h.substr(1, h.size() - 2);
  const auto p = wholeNumber(t.substr(colon + 1), 1, 65535);
  if (h.empty() || !p || h.find_first_of(" \t/") != std::string::npos) return false;
  host = h;
  port = *p;
  return true;
}

CwopConfig cwopConfig(const Settings& s, const std::string& settingsDir,
                      const char* credentialsDir) {
  CwopConfig c;
  c.enabled = s.CWOPAktiv;
  c.intervalMinutes = std::clamp<int>(s.CWOPIntervall, kCwopMinInterval, kMaxInterval);
  c.target.passcode = s.CWOPPasscode;
  c.target.passcodeFile =
      secretFilePath(trimmed(s.CWOPSchluesselDatei), settingsDir, credentialsDir);
  const auto call = aprsCallsign(trimmed(s.CWOPRufzeichen));
  const auto position = stationPosition(s.CWOPPosition, s.MyLocator);
  if (!call) {
    c.problem = "kein gültiges Rufzeichen (CWOPRufzeichen)";
  } else if (!position) {
    c.problem = "keine gültige Position (CWOPPosition oder MyLocator)";
  } else if (!parseServer(s.CWOPServer, c.target.host, c.target.port)) {
    c.problem = "kein gültiger Server (CWOPServer, Rechner:Port)";
  } else if (!isObserverNumber(*call) && c.target.passcodeFile.empty() && s.CWOPPasscode < 0) {
    c.problem = "kein Passcode für " + *call + " (CWOPPasscode oder CWOPSchluesselDatei)";
  }
  if (call) c.target.callsign = *call;
  if (position) c.target.position = *position;
  return c;
}

WuConfig wuConfig(const Settings& s, const std::string& settingsDir, const char* credentialsDir) {
  WuConfig c;
  c.enabled = s.WUAktiv;
  c.intervalMinutes = std::clamp<int>(s.WUIntervall, 1, kMaxInterval);
  c.target.server = trimmed(s.WUServer);
  c.target.stationId = trimmed(s.WUStationID);
  c.target.keyFile = secretFilePath(trimmed(s.WUSchluesselDatei), settingsDir, credentialsDir);
  if (c.target.stationId.empty()) {
    c.problem = "keine Stations-ID (WUStationID)";
  } else if (c.target.keyFile.empty()) {
    c.problem = "keine Schlüsseldatei (WUSchluesselDatei)";
  } else if (!httpAddress(c.target.server)) {
    c.problem = "keine gültige Adresse (WUServer, https://…)";
  }
  return c;
}

bool takeOverCwop(const CwopFields& f, Settings& s, Notifier& notifier) {
  const auto refuse = [&notifier](const std::string& text) {
    notifier.notify(text, "CWOP", MessageButtons::Ok);
    return false;
  };
  s.CWOPAktiv = f.enabled;
  const std::string call = trimmed(f.callsign);
  if (!call.empty() && !aprsCallsign(call)) {
    return refuse(
        "Das Rufzeichen muss ein Amateurfunk-Rufzeichen (wahlweise mit -SSID) oder eine "
        "CW-, DW- oder EW-Nummer sein.");
  }
  s.CWOPRufzeichen = call.empty() ? call : *aprsCallsign(call);
  const auto passcode = wholeNumber(f.passcode, -1, 32767);
  if (!passcode) return refuse("Der Passcode muss eine Zahl von 0 bis 32767 sein, oder -1.");
  s.CWOPPasscode = *passcode;
  s.CWOPSchluesselDatei = trimmed(f.keyFile);
  std::string host;
  int port = 0;
  if (!parseServer(f.server, host, port)) {
    return refuse("Der Server muss als Rechner:Port angegeben werden (Port 1 bis 65535).");
  }
  s.CWOPServer = trimmed(f.server);
  const auto interval = wholeNumber(f.interval, kCwopMinInterval, kMaxInterval);
  if (!interval) {
    return refuse("Das CWOP-Intervall muss eine ganze Zahl von 5 bis 1440 Minuten sein.");
  }
  s.CWOPIntervall = *interval;
  const std::string position = trimmed(f.position);
  if (!position.empty() && !aprsPosition(position)) {
    return refuse("Die Position muss als DDMM.mmN/DDDMM.mmE angegeben werden, oder leer bleiben.");
  }
  s.CWOPPosition = position.empty() ? position : *aprsPosition(position);
  return true;
}

bool takeOverWu(const WuFields& f, Settings& s, Notifier& notifier) {
  const auto refuse = [&notifier](const std::string& text) {
    notifier.notify(text, "Wunderground", MessageButtons::Ok);
    return false;
  };
  s.WUAktiv = f.enabled;
  const std::string id = trimmed(f.stationId);
  if (id.find_first_of("&?#=% ") != std::string::npos) {
    return refuse(
        "Die Stations-ID darf keine Leerzeichen und keines der Zeichen & ? # = % enthalten.");
  }
  s.WUStationID = id;
  s.WUSchluesselDatei = trimmed(f.keyFile);
  const std::string server = trimmed(f.server);
  if (!httpAddress(server)) {
    return refuse("Der Server muss eine Adresse mit https:// (oder http://) ohne \"?\" sein.");
  }
  s.WUServer = server;
  const auto interval = wholeNumber(f.interval, 1, kMaxInterval);
  if (!interval)
    return refuse("Das WU-Intervall muss eine ganze Zahl von 1 bis 1440 Minuten sein.");
  s.WUIntervall = *interval;
  return true;
}

}  // namespace tavik
