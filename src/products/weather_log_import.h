// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "common/regional.h"
#include "products/weather_log_reader.h"

namespace tavik {

// What an import of Wetterlog files into the archive did.
struct WeatherLogImport {
  size_t files = 0;               // Wetterlog files read
  size_t rowsRead = 0;            // rows read from them
  size_t rowsAdded = 0;           // rows new to the archive
  size_t rowsPresent = 0;         // rows whose time the archive already held
  size_t valuesDropped = 0;       // values outside the plausible range, stored as empty
  std::vector<UnreadRow> unread;  // rows and files that could not be read
  bool cancelled = false;
  std::string error;  // German; set when the import stopped on a failure
};

// Tells how many of how many files are done; called before each file and
// once at the end.
using ImportProgress = std::function<void(size_t done, size_t total)>;

// Reads the Wetterlog files at `paths` (files, or folders searched with all
// their subfolders: daily, weekly and monthly files, month and week folders)
// into the archive. Files are taken in the order of the date their name
// gives, each file's rows in time order; rows the archive already holds are
// skipped. Every value outside the plausible range is stored as empty and
// counted. A row keeps the local time its file gives it. Whole files are
// committed together, 20,000 rows or more at a time; when the archive
// fails, the rows since the last commit are neither stored nor counted, and
// importing again adds them. `cancel`, when set, is read between files;
// what was imported before stays.
WeatherLogImport importWeatherLogs(ArchiveWriter& archive,
                                   const std::vector<std::filesystem::path>& paths,
                                   const RegionalSettings& rs, const ImportProgress& progress = {},
                                   const std::atomic<bool>* cancel = nullptr);

// The German summary of an import, a few lines, with every unread row listed
// by file and line.
std::string importSummaryText(const WeatherLogImport& import);

}  // namespace tavik
