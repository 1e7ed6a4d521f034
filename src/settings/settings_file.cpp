#include "settings/settings_file.h"

#include <algorithm>

#include "settings/ini_file.h"

namespace tavik {

namespace {

constexpr const char* kFileName = "tavout.ini";
constexpr const char* kAlles = "Alles";
constexpr const char* kWetterlog = "Wetterlog";
constexpr const char* kAsynop = "ASYNOP";
constexpr const char* kFarben = "Farben";
constexpr const char* kSchriften = "Schriften";
constexpr const char* kProfile = "Profile";
constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000Fu);
constexpr int kFirstGroup = 2;  // the display groups are GroupBox2..GroupBox11

std::string groupKey(size_t index, const char* suffix) {
  return "Group" + std::to_string(static_cast<int>(index) + kFirstGroup) + suffix;
}

std::string profileKey(int n) { return "Profil" + std::to_string(n); }

std::string badNameMessage(int n, const std::string& name) {
  const std::string number = "Profil " + std::to_string(n);
  if (name.empty()) return number + " hat keinen Namen und bleibt leer.";
  return number + " heißt \"" + name +
         "\". Dieser Name taugt nicht als Dateiname und Abschnitt in tavout.ini, "
         "daher bleibt das Profil leer.";
}

void loadProfile(const IniFile& ini, const std::string& name, ProfileEntry& entry) {
  entry.name = name;
  entry.Empfaenger = ini.readString(name, "Empfänger", "");
  entry.Absender = ini.readString(name, "Absender", "");
  entry.Betreff = ini.readString(name, "Betreff", "");
  entry.VOR = ini.readString(name, "VOR", "nix");
  entry.NACH = ini.readString(name, "NACH", "nix");
  entry.WieWinGT = ini.readFlag(name, "WieWinGT", true);
  entry.Uhrzeit = ini.readString(name, "Uhrzeit", "16:57");
}

void loadProfiles(const IniFile& ini, ProfileTable& profiles, Notifier& notifier) {
  // Without a single key in "Profile" the table stays as it is.
  if (!ini.hasKeys(kProfile)) return;
  for (int n = 1; n <= profiles.maxprofil; ++n) {
    const auto name = ini.value(kProfile, profileKey(n));
    if (!name) continue;
    if (!isPlainProfileName(*name)) {
      profiles[n] = ProfileEntry{};
      notifier.notify(badNameMessage(n, *name), "Profile", MessageButtons::Ok);
      continue;
    }
    loadProfile(ini, *name, profiles[n]);
  }
}

void saveProfile(IniFile& ini, const ProfileEntry& entry) {
  const std::string& section = entry.name;
  ini.writeString(section, "Empfänger", entry.Empfaenger);
  ini.writeString(section, "Absender", entry.Absender);
  ini.writeString(section, "Betreff", entry.Betreff);
  ini.writeString(section, "VOR", entry.VOR);
  ini.writeString(section, "NACH", entry.NACH);
  ini.writeFlag(section, "WieWinGT", entry.WieWinGT);
  ini.writeString(section, "Uhrzeit", entry.Uhrzeit);
}

}  // namespace

void loadSettings(const std::string& programDir, Settings& s, ProfileTable& profiles,
                  const std::function<void()>& activateNow, Notifier& notifier,
                  const std::string& productDir) {
  const std::string path = programDir + kFileName;
  const std::string& products = productDir.empty() ? programDir : productDir;
  IniFile ini;
  std::string error;
  if (!ini.load(path, &error)) {
    notifier.notify(
        path + " kann nicht gelesen werden (" + error + "). Es gelten die Voreinstellungen.",
        "Tavik", MessageButtons::Ok);
  }

  s.Comport = ini.readString(kAlles, "Comport", "COM2");
  s.WinGTImport = ini.readString(kAlles, "WinGTImport", products);
  s.WinGTRead = ini.readString(kAlles, "WinGTRead", products);
  s.MyLocator = ini.readString(kAlles, "MyLocator", "JO30XN");
  s.APRSDatei = ini.readString(kAlles, "APRSDatei", products + "aprs.txt");
  s.ReadInterval = ini.readInteger(kAlles, "ReadInterval", 0);
  s.ImportInterval = ini.readInteger(kAlles, "ImportInterval", 0);
  // An 8-bit count; more than the table holds is cut to its size.
  profiles.maxprofil = static_cast<uint8_t>(ini.readInteger(kAlles, "maxprofil", 0));
  clearUnusedSlots(profiles);
  s.APRSIntervall = static_cast<uint16_t>(ini.readInteger(kAlles, "APRSIntervall", 1));
  s.Zeitzone = ini.readInteger(kAlles, "Zeitzone", 1);
  s.ZeitzoneIndex = static_cast<uint8_t>(ini.readInteger(kAlles, "ZeitzoneIndex", 11));
  s.CatchPeak = ini.readFlag(kAlles, "CatchPeak", false);
  s.EOFKennung = ini.readFlag(kAlles, "EOFKennung", false);
  s.NormalRegen = ini.readFlag(kAlles, "NormalRegen", true);
  s.APRSRechnerZeit = ini.readFlag(kAlles, "APRSRechnerZeit", true);
  s.autoImport = ini.readFlag(kAlles, "autoImport", true);
  s.autoRead = ini.readFlag(kAlles, "autoRead", true);
  s.autoLog = ini.readFlag(kAlles, "autoLog", true);
  s.autoAPRS = ini.readFlag(kAlles, "autoAPRS", true);

  // The activation happens here, with the rest of the file still unread.
  if (ini.readFlag(kAlles, "ActiveAtStratup", false) && activateNow) activateNow();

  s.LogMonatsordner = ini.readFlag(kWetterlog, "LogMonatsordner", false);
  s.LogWochenordner = ini.readFlag(kWetterlog, "LogWochenordner", false);
  s.LogUnterordner = ini.readFlag(kWetterlog, "LogUnterordner", false);
  s.LogUpdate = static_cast<uint8_t>(ini.readInteger(kWetterlog, "LogUpdate", 0));
  s.LogOrdner = ini.readString(kWetterlog, "LogOrdner", products);
  s.LogInterval = ini.readInteger(kWetterlog, "LogInterval", 0);

  s.ASYNOPArchiv = ini.readFlag(kAsynop, "ASYNOPArchiv", false);
  s.ASYNOPErdquadrant = static_cast<uint8_t>(ini.readInteger(kAsynop, "ASYNOPErdquadrant", 1));
  s.ASYNOPIntervall = ini.readFlag(kAsynop, "ASYNOPIntervall", false);
  s.ASYNOPAbsender = ini.readString(kAsynop, "ASYNOPAbsender", "ZZ9ZZ");
  s.ASYNOPEmpf = ini.readString(kAsynop, "ASYNOPEmpf", "ASYNOP@DL");
  s.ASYNOPVor = ini.readString(kAsynop, "ASYNOPVor", "Wetterdaten WMR918");
  s.ASYNOPNach = ini.readString(kAsynop, "ASYNOPNach", "");
  s.ASYNOPDatei = ini.readString(kAsynop, "ASYNOPDatei", products + "asynop.txt");
  s.ASYNOPLat = ini.readString(kAsynop, "ASYNOPLat", "505");
  s.ASYNOPLong = ini.readString(kAsynop, "ASYNOPLong", "080");
  s.ASYNOPMonatsordner = ini.readFlag(kAsynop, "ASYNOPMonatsordner", false);
  s.ASYNOPWochenordner = ini.readFlag(kAsynop, "ASYNOPWochenordner", false);

  for (size_t i = 0; i < s.groupColor.size(); ++i) {
    s.groupColor[i] = ini.readInteger(kFarben, groupKey(i, ""), kButtonFace);
  }
  for (size_t i = 0; i < s.groupFontSize.size(); ++i) {
    s.groupFontSize[i] = ini.readInteger(kSchriften, groupKey(i, "Size"), 8);
  }
  for (size_t i = 0; i < s.groupFontColor.size(); ++i) {
    s.groupFontColor[i] = ini.readInteger(kSchriften, groupKey(i, "Color"), 8);
  }

  loadProfiles(ini, profiles, notifier);
}

bool saveSettings(const std::string& programDir, const Settings& s, const ProfileTable& profiles,
                  bool active, Notifier& notifier) {
  const std::string path = programDir + kFileName;
  const auto fail = [&] {
    notifier.notify("In " + path + " kann nicht geschrieben werden", "Tavik", MessageButtons::Ok);
    return false;
  };
  // The file's other lines are kept, so a file that cannot be read is not
  // overwritten.
  IniFile ini;
  if (!ini.load(path)) return fail();

  ini.writeString(kAlles, "Comport", s.Comport);
  ini.writeString(kAlles, "WinGTImport", s.WinGTImport);
  ini.writeString(kAlles, "WinGTRead", s.WinGTRead);
  ini.writeString(kAlles, "MyLocator", s.MyLocator);
  ini.writeString(kAlles, "APRSDatei", s.APRSDatei);
  ini.writeInteger(kAlles, "ImportInterval", s.ImportInterval);
  ini.writeInteger(kAlles, "ReadInterval", s.ReadInterval);
  ini.writeInteger(kAlles, "APRSIntervall", s.APRSIntervall);
  ini.writeInteger(kAlles, "Zeitzone", s.Zeitzone);
  ini.writeInteger(kAlles, "ZeitzoneIndex", s.ZeitzoneIndex);
  ini.writeFlag(kAlles, "CatchPeak", s.CatchPeak);
  ini.writeFlag(kAlles, "ActiveAtStratup", active);
  ini.writeFlag(kAlles, "NormalRegen", s.NormalRegen);
  ini.writeFlag(kAlles, "APRSRechnerZeit", s.APRSRechnerZeit);
  ini.writeFlag(kAlles, "autoImport", s.autoImport);
  ini.writeFlag(kAlles, "autoRead", s.autoRead);
  ini.writeFlag(kAlles, "autoLog", s.autoLog);
  ini.writeFlag(kAlles, "autoAPRS", s.autoAPRS);
  ini.writeFlag(kAlles, "EOFKennung", s.EOFKennung);
  const int count = std::min<int>(profiles.maxprofil, kMaxProfiles);
  ini.writeInteger(kAlles, "MaxProfil", count);

  ini.writeInteger(kWetterlog, "LogUpdate", s.LogUpdate);
  ini.writeFlag(kWetterlog, "LogWochenordner", s.LogWochenordner);
  ini.writeFlag(kWetterlog, "LogMonatsordner", s.LogMonatsordner);
  ini.writeFlag(kWetterlog, "LogUnterordner", s.LogUnterordner);
  ini.writeInteger(kWetterlog, "LogInterval", s.LogInterval);
  ini.writeString(kWetterlog, "LogOrdner", s.LogOrdner);

  ini.writeFlag(kAsynop, "ASYNOPArchiv", s.ASYNOPArchiv);
  ini.writeFlag(kAsynop, "ASYNOPIntervall", s.ASYNOPIntervall);
  ini.writeFlag(kAsynop, "ASYNOPMonatsordner", s.ASYNOPMonatsordner);
  ini.writeFlag(kAsynop, "ASYNOPWochenordner", s.ASYNOPWochenordner);
  ini.writeInteger(kAsynop, "ASYNOPErdquadrant", s.ASYNOPErdquadrant);
  ini.writeString(kAsynop, "ASYNOPDatei", s.ASYNOPDatei);
  ini.writeString(kAsynop, "ASYNOPAbsender", s.ASYNOPAbsender);
  ini.writeString(kAsynop, "ASYNOPEmpf", s.ASYNOPEmpf);
  ini.writeString(kAsynop, "ASYNOPvor", s.ASYNOPVor);
  ini.writeString(kAsynop, "ASYNOPnach", s.ASYNOPNach);
  ini.writeString(kAsynop, "ASYNOPLat", s.ASYNOPLat);
  ini.writeString(kAsynop, "ASYNOPLong", s.ASYNOPLong);

  for (size_t i = 0; i < s.groupColor.size(); ++i) {
    ini.writeInteger(kFarben, groupKey(i, ""), s.groupColor[i]);
  }
  for (size_t i = 0; i < s.groupFontSize.size(); ++i) {
    ini.writeInteger(kSchriften, groupKey(i, "Size"), s.groupFontSize[i]);
  }
  for (size_t i = 0; i < s.groupFontColor.size(); ++i) {
    ini.writeInteger(kSchriften, groupKey(i, "Color"), s.groupFontColor[i]);
  }

  // A name that cannot be a section is stored empty and gets no section.
  for (int n = 1; n <= count; ++n) {
    const ProfileEntry& entry = profiles[n];
    const bool plain = isPlainProfileName(entry.name);
    ini.writeString(kProfile, profileKey(n), plain ? entry.name : "");
    if (plain) saveProfile(ini, entry);
  }

  if (!ini.save(path)) return fail();
  return true;
}

}  // namespace tavik
