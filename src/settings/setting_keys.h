// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "settings/profiles.h"
#include "settings/settings.h"

namespace tavik {

// Where the value of a key of tavout.ini lives. Most keys hold a member of
// Settings; the numbered display-group keys hold one element of an array;
// two keys are not settings of their own: the profile count belongs to the
// profile table, and "ActiveAtStratup" is the activation state (read: activate
// now; written: whether the window is active).
struct GroupElement {
  std::array<int32_t, 10> Settings::*array;
  size_t index;
};
struct ProfileCount {};
struct ActivationState {};
using SettingField = std::variant<std::string Settings::*, int32_t Settings::*,
                                  uint16_t Settings::*, uint8_t Settings::*, bool Settings::*,
                                  GroupElement, ProfileCount, ActivationState>;

// The value a missing key gives: a number (integers, flags as 0 or 1) or a
// text, which for folder and file keys lies in the program's folder.
struct SettingDefault {
  int32_t number = 0;
  const char* text = "";
  bool inProductDir = false;
};

// One key of tavout.ini. Names are found without regard to case, so the two
// spellings reach the same line; the written one replaces the other.
struct SettingKey {
  const char* section;
  std::string readName;   // the spelling used when reading
  std::string writeName;  // the spelling used when writing
  int saveOrder;          // place among the keys of its section when saving
  SettingField field;
  SettingDefault fallback;
  // An older name of the key: read where the file has only that one, and
  // replaced by writeName in its place on saving. nullptr for most keys.
  const char* formerName = nullptr;
};

// Every key outside the profile sections, in the order the loader reads them.
// The sections are saved in the order they first appear here, each section's
// keys by saveOrder.
const std::vector<SettingKey>& settingKeys();

// The sections of settingKeys() in the order they are saved.
std::vector<const char*> settingSections();

// One key of a profile's own section, in the order they are saved.
struct ProfileKey {
  const char* name;
  std::variant<std::string ProfileEntry::*, bool ProfileEntry::*> field;
  SettingDefault fallback;
};
const std::vector<ProfileKey>& profileKeys();

inline constexpr const char* kProfileSection = "Profile";

}  // namespace tavik
