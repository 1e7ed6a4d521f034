// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

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

// The same, telling `progress` before each file of a folder how many of how
// many files are read; when it answers false the reading stops there.
using LogReadProgress = std::function<bool(size_t done, size_t total)>;
std::optional<std::string> addWeatherLogs(const std::filesystem::path& path,
                                          const RegionalSettings& rs, WeatherLog& log,
                                          const LogReadProgress& progress);

// The pieces addWeatherLogs is made of, for readers that take the files one
// at a time.

// The files to read at `path`: the path itself when it is a file, the .txt
// files under it in name order when it is a folder; the German reason when
// it does not exist.
std::variant<std::vector<std::filesystem::path>, std::string> weatherLogFiles(
    const std::filesystem::path& path);

enum class LogFileResult { Read, NotAWetterlog, Unreadable };

// Adds the rows of one file to `log`; `error` gets the system's reason when
// it cannot be read.
LogFileResult addWeatherLogFile(const std::filesystem::path& file, const RegionalSettings& rs,
                                WeatherLog& log, std::string& error);

// The German reasons addWeatherLogs gives for a single file that gave no
// rows and for a folder without any Wetterlog file.
std::string singleFileError(const std::filesystem::path& file, LogFileResult result,
                            const std::string& error);
std::string noWetterlogInFolder(const std::filesystem::path& folder);

}  // namespace tavik
