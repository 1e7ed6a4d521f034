// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "products/weather_log_reader.h"
#include "products/weather_log_summary.h"

namespace tavik {

struct LogCommandLine {
  SummaryPeriod period = SummaryPeriod::Day;
  bool json = false;
  std::optional<LogDate> from;
  std::optional<LogDate> to;
  std::vector<std::string> paths;  // Wetterlog files or folders
  // `noaa`: the climatological summary of one month (--month) or year (--year).
  bool noaa = false;
  int noaaYear = 0;
  int noaaMonth = 0;  // 0 for the year's summary
  // --archive: the station archive to read (days, months, query) or to
  // import into (import); PATH is then not needed, except for import.
  std::string archive;
  bool query = false;
  bool import = false;
  bool help = false;
  bool version = false;
};

extern const char* const kLogUsage;

// Reads `tavik-log days|months [--json] [--from DATE] [--to DATE] PATH...`
// or `tavik-log noaa --month YYYY-MM | --year YYYY PATH...`
// or `tavik-log days|months|query --archive FILE [--json] [--from DATE] [--to DATE]`
// or `tavik-log import --archive FILE PATH...`
// (options as --opt=value or --opt value, anywhere on the line). Throws
// UsageError.
LogCommandLine parseLogCommandLine(int argc, char** argv);

// A date written YYYY-MM-DD, or nothing.
std::optional<LogDate> parseIsoDate(const std::string& text);

}  // namespace tavik
