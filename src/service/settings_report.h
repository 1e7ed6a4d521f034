// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "core/station_folder.h"
#include "settings/profiles.h"
#include "settings/settings.h"

namespace tavik {

// What `tavik-station --check` prints: the station folder, the port, the
// product folders and files, the timer periods and the profiles, as the
// service would run them.
void printSettingsReport(std::ostream& out, const StationFolder& folder, const Settings& settings,
                         const ProfileTable& profiles);

}  // namespace tavik
