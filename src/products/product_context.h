// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/regional.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "station/weather_record.h"

namespace tavik {

// What every product writer reads: the record and the values derived beside
// it, the settings and profiles, the clock and regional settings, and where it
// reports its failures. Writers never change the record.
struct ProductContext {
  const WeatherRecord& weather;
  const StationState& state;
  const Settings& settings;
  const ProfileTable& profiles;
  const Clock& clock;
  const RegionalSettings& regional;
  Notifier& notifier;
  std::string productDir;  // the station's product folder, ending in "/"
};

}  // namespace tavik
