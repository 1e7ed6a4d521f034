// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as tavout.ini in a program folder, read by the settings
// loader. What was read, saved back into the file and read again, gives the
// same settings and the same profile table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/notifier.h"
#include "fuzz_input.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  const std::string settingsDir = fuzz::scratchFolder().string() + "/";
  fuzz::writeBytes(settingsDir + "tavout.ini", fuzz::asText(data, size));

  RecordingNotifier notifier;
  Settings first;
  ProfileTable firstProfiles;
  int activations = 0;
  loadSettings(
      settingsDir, first, firstProfiles, [&] { ++activations; }, notifier);
  fuzz::check(activations <= 1, "activated at most once");
  fuzz::check(saveSettings(settingsDir, first, firstProfiles, false, notifier), "the file saves");

  Settings second;
  ProfileTable secondProfiles;
  loadSettings(settingsDir, second, secondProfiles, nullptr, notifier);
  fuzz::check(second == first, "saved settings read back the same");
  fuzz::check(secondProfiles == firstProfiles, "saved profiles read back the same");
  return 0;
}
