// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavik {

// One addressee of the report pages.
struct ProfileEntry {
  std::string name;        // list name, Import file name (name + ".txt"), settings section
  std::string Empfaenger;  // recipient (settings key "Empfänger")
  std::string Absender;    // sender
  std::string Betreff;     // subject
  std::string VOR;         // comma text: lines before the weather values
  std::string Uhrzeit;     // "hh:nn": time of day of the daily write
  std::string NACH;        // comma text: lines after the weather values
  bool WieWinGT = false;   // written with the Import files rather than daily

  friend bool operator==(const ProfileEntry&, const ProfileEntry&) = default;
};

inline constexpr int kMaxProfiles = 100;

// Qt defines "slots" as a macro; keep it away from the member below so that
// window code can include this header after Qt's.
#pragma push_macro("slots")
#undef slots

// The fixed table of 100 profiles, numbered 1..100, and the count in use.
// A profile whose name the settings file gave but the program refused stays
// unused (an empty slot) while its name is kept beside it, so that saving the
// settings writes the user's entry back as it was.
// Invariant: every slot above maxprofil is empty and keeps no refused name.
struct ProfileTable {
  std::array<ProfileEntry, kMaxProfiles> slots{};
  std::array<std::string, kMaxProfiles> refusedNames{};
  uint8_t maxprofil = 0;

  // Profile n, 1-based.
  ProfileEntry& operator[](int n) { return slots.at(static_cast<size_t>(n - 1)); }
  const ProfileEntry& operator[](int n) const { return slots.at(static_cast<size_t>(n - 1)); }
  // The refused name of slot n, 1-based; empty for a slot in use or unnamed.
  std::string& refusedName(int n) { return refusedNames.at(static_cast<size_t>(n - 1)); }
  const std::string& refusedName(int n) const {
    return refusedNames.at(static_cast<size_t>(n - 1));
  }

  friend bool operator==(const ProfileTable&, const ProfileTable&) = default;
};

#pragma pop_macro("slots")

// Whether a name can serve as a profile name: it names the profile's settings
// section and its Import file (name + ".txt"), so it must be non-empty, free
// of "]", "/", "\" and control characters, not "." or "..", without blanks at
// either end (the settings file does not keep them) and made only of
// characters that the Windows-1252 settings file can store.
bool isPlainProfileName(const std::string& name);

// Fills slot maxprofil + 1 with a fresh profile of that name and counts it.
// False, changing nothing, when all slots are in use.
bool addProfile(ProfileTable& table, const std::string& name);

// Removes profile n (1..maxprofil): the later profiles (and refused names)
// move down one slot and the slot maxprofil becomes empty. False, changing
// nothing, for any other n.
bool deleteProfile(ProfileTable& table, int n);

// Empties every slot above maxprofil (and caps maxprofil at the table size),
// so that a slot filled later starts empty.
void clearUnusedSlots(ProfileTable& table);

}  // namespace tavik
