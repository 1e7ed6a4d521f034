// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-log: day and month summaries of Wetterlog files and trees.
#include <iostream>

#include "cli/command_line.h"
#include "log_command_line.h"
#include "products/weather_log_tree.h"
#include "summary_output.h"

namespace tavik {
namespace {

constexpr int kUsageStatus = 2;

// Every row that could not be read, with its file and line.
void reportUnread(const WeatherLog& log) {
  for (const UnreadRow& u : log.unread) {
    std::cerr << u.file;
    if (u.line > 0) std::cerr << ':' << u.line;
    std::cerr << ": " << u.why << '\n';
  }
  if (!log.unread.empty()) {
    std::cerr << "tavik-log: " << log.unread.size()
              << (log.unread.size() == 1 ? " Zeile" : " Zeilen") << " nicht gelesen\n";
  }
}

int summarise(const LogCommandLine& c) {
  WeatherLog log;
  for (const std::string& path : c.paths) {
    if (const auto error = addWeatherLogs(path, RegionalSettings::german(), log)) {
      throw UsageError(*error);
    }
  }
  sortWeatherLog(log);
  reportUnread(log);
  const std::vector<LogSummary> summaries = summarizeLog(log, c.period, c.from, c.to);
  if (c.json) {
    for (const LogSummary& s : summaries) std::cout << summaryJson(s, c.period) << '\n';
  } else {
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
