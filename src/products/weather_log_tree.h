// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/regional.h"
#include "products/weather_log_reader.h"

namespace tavik {

// Reads a Wetterlog file, or every Wetterlog file under a folder and all its
// subfolders (daily, weekly and monthly files in any mix, month and week
// folders, several years), and adds their rows to `log`. Other files in the
// folders (every file that does not start with the Wetterlog header) are
// passed over; a file that cannot be read is listed in log.unread.
// Returns the German reason when the path gives no Wetterlog at all: it does
// not exist, it is a file that is not a Wetterlog, or a folder without one.
// The rows are left in reading order; sortWeatherLog puts them in order.
std::optional<std::string> addWeatherLogs(const std::filesystem::path& path,
                                          const RegionalSettings& rs, WeatherLog& log);

}  // namespace tavik
