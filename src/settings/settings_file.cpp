// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <type_traits>

#include "settings/ini_file.h"
#include "settings/setting_keys.h"

namespace tavik {

namespace {

constexpr const char* kFileName = "tavout.ini";

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

std::string profileKey(int n) { return "Profil" + std::to_string(n); }

std::string badNameMessage(int n, const std::string& name) {
  const std::string number = "Profil " + std::to_string(n);
  if (name.empty()) return number + " hat keinen Namen und bleibt leer.";
  return number + " heißt \"" + name +
         "\". Dieser Name taugt nicht als Dateiname und Abschnitt in tavout.ini, "
         "daher bleibt das Profil leer.";
}

std::string defaultText(const SettingDefault& d, const std::string& productDir) {
  return d.inProductDir ? productDir + d.text : std::string(d.text);
}

// The name a key is read under: its own, or its former one where the file
// has only that.
std::string_view nameIn(const IniFile& ini, const SettingKey& k) {
  if (k.formerName != nullptr && !ini.value(k.section, k.readName)) return k.formerName;
  return k.readName;
}

// Reads one key into its place. The integer types keep the low bits of the
// number read, as an 8- or 16-bit setting does.
void loadKey(const IniFile& ini, const SettingKey& k, const std::string& productDir, Settings& s,
             ProfileTable& profiles, const std::function<void()>& activateNow) {
  const std::string_view name = nameIn(ini, k);
  const auto integer = [&] { return ini.readInteger(k.section, name, k.fallback.number); };
  const auto flag = [&] { return ini.readFlag(k.section, name, k.fallback.number != 0); };
  std::visit(Overloaded{
                 [&](std::string Settings::*m) {
                   s.*m = ini.readString(k.section, name, defaultText(k.fallback, productDir));
                 },
                 [&](int32_t Settings::*m) { s.*m = integer(); },
                 [&](uint16_t Settings::*m) { s.*m = static_cast<uint16_t>(integer()); },
                 [&](uint8_t Settings::*m) { s.*m = static_cast<uint8_t>(integer()); },
                 [&](bool Settings::*m) { s.*m = flag(); },
                 [&](GroupElement g) { (s.*g.array)[g.index] = integer(); },
                 [&](ProfileCount) {
                   // An 8-bit count; more than the table holds is cut to its size.
                   profiles.maxprofil = static_cast<uint8_t>(integer());
                   clearUnusedSlots(profiles);
                 },
                 // The activation happens here, with the keys after it still unread.
                 [&](ActivationState) {
                   if (flag() && activateNow) activateNow();
                 },
             },
             k.field);
}

int savedProfileCount(const ProfileTable& profiles) {
  return std::min<int>(profiles.maxprofil, kMaxProfiles);
}

void saveKey(IniFile& ini, const SettingKey& k, const Settings& s, const ProfileTable& profiles,
             bool active) {
  if (k.formerName != nullptr) ini.renameKey(k.section, k.formerName, k.writeName);
  const auto integer = [&](int32_t v) { ini.writeInteger(k.section, k.writeName, v); };
  const auto flag = [&](bool v) { ini.writeFlag(k.section, k.writeName, v); };
  std::visit(Overloaded{
                 [&](std::string Settings::*m) { ini.writeString(k.section, k.writeName, s.*m); },
                 [&](int32_t Settings::*m) { integer(s.*m); },
                 [&](uint16_t Settings::*m) { integer(s.*m); },
                 [&](uint8_t Settings::*m) { integer(s.*m); },
                 [&](bool Settings::*m) { flag(s.*m); },
                 [&](GroupElement g) { integer((s.*g.array)[g.index]); },
                 [&](ProfileCount) { integer(savedProfileCount(profiles)); },
                 [&](ActivationState) { flag(active); },
             },
             k.field);
}

void loadProfile(const IniFile& ini, const std::string& name, ProfileEntry& entry) {
  entry.name = name;
  for (const ProfileKey& k : profileKeys()) {
    std::visit(Overloaded{
                   [&](std::string ProfileEntry::*m) {
                     entry.*m = ini.readString(name, k.name, k.fallback.text);
                   },
                   [&](bool ProfileEntry::*m) {
                     entry.*m = ini.readFlag(name, k.name, k.fallback.number != 0);
                   },
               },
               k.field);
  }
}

void saveProfile(IniFile& ini, const ProfileEntry& entry) {
  for (const ProfileKey& k : profileKeys()) {
    std::visit(
        Overloaded{
            [&](std::string ProfileEntry::*m) { ini.writeString(entry.name, k.name, entry.*m); },
            [&](bool ProfileEntry::*m) { ini.writeFlag(entry.name, k.name, entry.*m); },
        },
        k.field);
  }
}

void loadProfiles(const IniFile& ini, ProfileTable& profiles, Notifier& notifier) {
  // Without a single key in "Profile" the table stays as it is.
  if (!ini.hasKeys(kProfileSection)) return;
  for (int n = 1; n <= profiles.maxprofil; ++n) {
    const auto name = ini.value(kProfileSection, profileKey(n));
    if (!name) continue;
    if (!isPlainProfileName(*name)) {
      profiles[n] = ProfileEntry{};
      profiles.refusedName(n) = *name;
      notifier.notify(badNameMessage(n, *name), "Profile", MessageButtons::Ok);
      continue;
    }
    profiles.refusedName(n).clear();
    loadProfile(ini, *name, profiles[n]);
  }
}

// A profile in use gets its name and its section. A refused entry is written
// back as the file gave it (its line left untouched where it still stands at
// its number), and its section stays as the user wrote it.
void saveProfiles(IniFile& ini, const ProfileTable& profiles) {
  for (int n = 1; n <= savedProfileCount(profiles); ++n) {
    const ProfileEntry& entry = profiles[n];
    const std::string key = profileKey(n);
    if (isPlainProfileName(entry.name)) {
      ini.writeString(kProfileSection, key, entry.name);
      saveProfile(ini, entry);
    } else if (const std::string& refused = profiles.refusedName(n); !refused.empty()) {
      if (ini.value(kProfileSection, key) != refused)
        ini.writeString(kProfileSection, key, refused);
    } else {
      ini.writeString(kProfileSection, key, "");
    }
  }
}

// Whether the document holds at least one key the program reads, in its
// section: a settings file and not some other text.
bool holdsSettings(const IniFile& ini) {
  if (ini.hasKeys(kProfileSection)) return true;
  return std::any_of(settingKeys().begin(), settingKeys().end(), [&](const SettingKey& k) {
    return ini.value(k.section, nameIn(ini, k)).has_value();
  });
}

// Why `path` cannot be taken as a whole settings file; empty when it can,
// with the document read into `ini`.
std::string unsoundSettingsFile(const std::string& path, IniFile& ini) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int reason = errno;
    if (reason == ENOENT) return path + " gibt es nicht.";
    return path + " kann nicht gelesen werden (" + std::generic_category().message(reason) + ").";
  }
  if (S_ISDIR(st.st_mode)) return path + " ist ein Ordner, keine Datei.";
  // A pipe or a device would block the read or never end.
  if (!S_ISREG(st.st_mode)) return path + " ist keine gewöhnliche Datei.";
  std::string error;
  if (!ini.load(path, &error)) return path + " kann nicht gelesen werden (" + error + ").";
  if (st.st_size == 0) return path + " ist leer.";
  if (!holdsSettings(ini)) {
    return path +
           " enthält keinen einzigen Schlüssel der Einstellungen (kein Abschnitt wie "
           "[Alles] mit Schlüssel=Wert).";
  }
  return {};
}

}  // namespace

std::string loadSoundSettings(const std::string& settingsDir, Settings& s, ProfileTable& profiles,
                              Notifier& notifier, const std::string& productDir) {
  const std::string path = settingsDir + kFileName;
  IniFile::removeLeftovers(path);
  IniFile ini;
  if (std::string refusal = unsoundSettingsFile(path, ini); !refusal.empty()) return refusal;
  const std::string& products = productDir.empty() ? settingsDir : productDir;
  for (const SettingKey& k : settingKeys()) loadKey(ini, k, products, s, profiles, {});
  loadProfiles(ini, profiles, notifier);
  return {};
}

void loadSettings(const std::string& settingsDir, Settings& s, ProfileTable& profiles,
                  const std::function<void()>& activateNow, Notifier& notifier,
                  const std::string& productDir) {
  const std::string path = settingsDir + kFileName;
  IniFile::removeLeftovers(path);
  const std::string& products = productDir.empty() ? settingsDir : productDir;
  IniFile ini;
  std::string error;
  if (!ini.load(path, &error)) {
    notifier.notify(
        path + " kann nicht gelesen werden (" + error + "). Es gelten die Voreinstellungen.",
        "Tavik", MessageButtons::Ok);
  }
  for (const SettingKey& k : settingKeys()) loadKey(ini, k, products, s, profiles, activateNow);
  loadProfiles(ini, profiles, notifier);
}

bool saveSettings(const std::string& settingsDir, const Settings& s, const ProfileTable& profiles,
                  bool active, Notifier& notifier) {
  const std::string path = settingsDir + kFileName;
  const auto fail = [&] {
    notifier.notify("In " + path + " kann nicht geschrieben werden", "Tavik", MessageButtons::Ok);
    return false;
  };
  // The file's other lines are kept, so a file that cannot be read is not
  // overwritten. A symbolic link in the file's place is replaced, and what it
  // points at is neither read nor written.
  IniFile ini;
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec) && !ini.load(path)) return fail();

  std::vector<const SettingKey*> order;
  for (const SettingKey& k : settingKeys()) order.push_back(&k);
  const std::vector<const char*> sections = settingSections();
  const auto sectionIndex = [&](const SettingKey* k) {
    return std::find_if(sections.begin(), sections.end(),
                        [&](const char* s) { return std::string(s) == k->section; }) -
           sections.begin();
  };
  std::stable_sort(order.begin(), order.end(), [&](const SettingKey* a, const SettingKey* b) {
    const auto sa = sectionIndex(a);
    const auto sb = sectionIndex(b);
    return sa != sb ? sa < sb : a->saveOrder < b->saveOrder;
  });
  for (const SettingKey* k : order) saveKey(ini, *k, s, profiles, active);
  saveProfiles(ini, profiles);

  if (!ini.save(path, nullptr, FileReplacement::Durability::Synced)) return fail();
  return true;
}

}  // namespace tavik
