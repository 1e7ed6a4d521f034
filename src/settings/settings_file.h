// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "common/notifier.h"
#include "settings/profiles.h"
#include "settings/settings.h"

namespace tavik {

// The settings file "tavout.ini" in the station's settings folder
// `settingsDir`, which ends in "/".

// Reads every setting and the profile table from the file, in the program's
// fixed order. A missing file, section or key gives the key's default; a
// value that is not a number gives the default of an integer or a flag.
// When "ActiveAtStratup" is set, `activateNow` runs right after the keys of
// "Alles" are read, before the rest of the file. A profile name that cannot
// serve as a section and file name leaves its entry empty, with a message.
// The default product paths lie in `productDir`, or in `settingsDir` when it is
// empty.
void loadSettings(const std::string& settingsDir, Settings& s, ProfileTable& profiles,
                  const std::function<void()>& activateNow, Notifier& notifier,
                  const std::string& productDir = {});

// Reads the settings like loadSettings (without the activation), but only
// from a file that can stand for the user's whole settings: one that exists,
// is a regular file that can be read, is not empty and holds at least one key
// the program reads in its section (such as "Comport" in "[Alles]" or a
// profile in "[Profile]"). Missing keys in such a file take their defaults as
// always. A file that is gone, a folder, a pipe, unreadable, empty or text in
// which not one such key can be found tells nothing about what the user
// wants; then `s` and `profiles` are left untouched and the reason, one
// German sentence naming the file, is returned. Empty when the file was read.
std::string loadSoundSettings(const std::string& settingsDir, Settings& s, ProfileTable& profiles,
                              Notifier& notifier, const std::string& productDir = {});

// Writes every setting, the activation state `active` and the profiles back
// into the file; the file's other lines are kept. A symbolic link at the
// file's place is replaced by the file, never followed. Either the whole new
// content reaches the file or the file stays as it was: then the message
// "In <path> kann nicht geschrieben werden" is shown and the result is false.
bool saveSettings(const std::string& settingsDir, const Settings& s, const ProfileTable& profiles,
                  bool active, Notifier& notifier);

}  // namespace tavik
