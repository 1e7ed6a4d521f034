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

// The fixed table of 100 profiles, numbered 1..100, and the count in use.
// Invariant: every slot above maxprofil is empty.
struct ProfileTable {
  std::array<ProfileEntry, kMaxProfiles> slots{};
  uint8_t maxprofil = 0;

  // Profile n, 1-based.
  ProfileEntry& operator[](int n) { return slots.at(static_cast<size_t>(n - 1)); }
  const ProfileEntry& operator[](int n) const { return slots.at(static_cast<size_t>(n - 1)); }
};

}  // namespace tavik
