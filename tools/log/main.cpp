// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-log: day and month summaries of Wetterlog files and trees.
#include <iostream>

#include "cli/command_line.h"
#include "log_command_line.h"
#include "products/noaa_report.h"
#include "products/weather_log_days.h"
#include "products/weather_log_tree.h"
#include "products/web_history.h"
#include "summary_output.h"

namespace tavik {
namespace {

constexpr int kUsageStatus = 2;

// Every row that could not be read, with its file and line.
void reportUnread(const std::vector<UnreadRow>& unread) {
  for (const UnreadRow& u : unread) {
    std::cerr << u.file;
    if (u.line > 0) std::cerr << ':' << u.line;
    std::cerr << ": " << u.why << '\n';
  }
  if (!unread.empty()) {
    std::cerr << "tavik-log: " << unread.size() << (unread.size() == 1 ? " Zeile" : " Zeilen")
              << " nicht gelesen\n";
  }
}

// A climate report needs the days of its month or year together: the paths
// given are read whole.
int climateReport(const LogCommandLine& c) {
  WeatherLog log;
  for (const std::string& path : c.paths) {
    if (const auto error = addWeatherLogs(path, RegionalSettings::german(), log)) {
      throw UsageError(*error);
    }
  }
  sortWeatherLog(log);
  reportUnread(log.unread);
  const std::vector<ClimateDay> days = climateDays(log);
  const std::vector<NoaaDay> noaaDays = noaaDaysOf(days);
  NoaaStation station;
  station.name = "Wetterstation";
  std::cout << (c.noaaMonth ? noaaMonthReport(noaaDays, c.noaaYear, c.noaaMonth, station)
                            : noaaYearReport(noaaDays, c.noaaYear, station));
  std::cout.flush();
  return 0;
}

// The log is read day by day, so the memory it takes does not grow with the
// years it covers; only the table, which needs every line for its column
// widths, keeps the summaries.
int summarise(const LogCommandLine& c) {
  if (c.noaa) return climateReport(c);
  WeatherLogDays log(RegionalSettings::german());
  for (const std::string& path : c.paths) {
    if (const auto error = log.add(path)) throw UsageError(*error);
  }
  reportUnread(log.unread());
  std::vector<LogSummary> summaries;
  summarizeLogDays(
      log, c.period,
      [&](const LogSummary& s) {
        if (c.json) {
          std::cout << summaryJson(s, c.period) << '\n';
        } else {
          summaries.push_back(s);
        }
      },
      c.from, c.to);
  if (!c.json) {
    for (const std::string& line : summaryTable(summaries, c.period)) std::cout << line << '\n';
  }
  std::cout.flush();
  return 0;
}

}  // namespace
}  // namespace tavik

int main(int argc, char** argv) {
  try {
    const tavik::LogCommandLine c = tavik::parseLogCommandLine(argc, argv);
    if (c.help) {
      std::cout << tavik::kLogUsage;
      return 0;
    }
    if (c.version) {
      std::cout << tavik::versionText("tavik-log");
      return 0;
    }
    return tavik::summarise(c);
  } catch (const tavik::UsageError& e) {
    std::cerr << "tavik-log: " << e.what() << '\n';
    return tavik::kUsageStatus;
  }
}
