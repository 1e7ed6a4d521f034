// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-log: day and month summaries of Wetterlog files and trees.
#include <iostream>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "archive_output.h"
#include "common/command_line.h"
#include "log_command_line.h"
#include "products/weather_log_days.h"
#include "products/weather_log_import.h"
#include "products/weather_log_tree.h"
#include "summary_output.h"
#include "web/noaa_days.h"
#include "web/noaa_report.h"
#include "web/web_history.h"

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

constexpr int kArchiveStatus = 1;

ArchiveDate archiveDate(const LogDate& d) { return {d.year, d.month, d.day}; }

// Where a span of local days given on the command line begins and ends, in
// UTC seconds; the end is the start of the day after --to.
std::pair<int64_t, int64_t> utcSpan(const LogCommandLine& c) {
  const int64_t from = c.from ? startOfLocalDay(archiveDate(*c.from)) : INT64_MIN;
  if (!c.to) return {from, INT64_MAX};
  int year = 0, month = 0, day = 0;
  civilFromDays(daysFromCivil(c.to->year, c.to->month, c.to->day) + 1, year, month, day);
  return {from, startOfLocalDay({year, month, day})};
}

int importIntoArchive(const LogCommandLine& c) {
  std::string error;
  auto archive = ArchiveWriter::open(c.archive, error);
  if (!archive) {
    std::cerr << "tavik-log: " << error << '\n';
    return kArchiveStatus;
  }
  if (!archive->notice().empty()) std::cerr << "tavik-log: " << archive->notice() << '\n';
  const std::vector<std::filesystem::path> paths(c.paths.begin(), c.paths.end());
  const WeatherLogImport result = importWeatherLogs(*archive, paths, RegionalSettings::german());
  std::cout << importSummaryText(result);
  std::cout.flush();
  return result.error.empty() ? 0 : kArchiveStatus;
}

int readArchive(const LogCommandLine& c) {
  std::string error;
  const auto archive = ArchiveHistory::open(c.archive, error);
  if (!archive) {
    std::cerr << "tavik-log: " << error << '\n';
    return kArchiveStatus;
  }
  if (!archive->notice().empty()) std::cerr << "tavik-log: " << archive->notice() << '\n';
  if (c.noaa) {
    // The report's days from the daily summaries: one month or one year is
    // read, whatever the archive holds.
    const std::vector<NoaaDay> days = noaaDaysOf(*archive, c.noaaYear, c.noaaMonth);
    if (!archive->lastError().empty()) {
      std::cerr << "tavik-log: " << archive->lastError() << '\n';
      return kArchiveStatus;
    }
    NoaaStation station;
    station.name = "Wetterstation";
    std::cout << (c.noaaMonth ? noaaMonthReport(days, c.noaaYear, c.noaaMonth, station)
                              : noaaYearReport(days, c.noaaYear, station));
    std::cout.flush();
    return 0;
  }
  if (c.query) {
    const auto [from, to] = utcSpan(c);
    if (!c.json) std::cout << rowTableHeading() << '\n';
    const bool ok = archive->rows(from, to, [&](const ArchiveRow& row) {
      std::cout << (c.json ? rowJson(row) : rowTableLine(row)) << '\n';
      return true;
    });
    std::cout.flush();
    if (!ok) std::cerr << "tavik-log: " << archive->lastError() << '\n';
    return ok ? 0 : kArchiveStatus;
  }
  const ArchiveDate first = c.from ? archiveDate(*c.from) : ArchiveDate{0, 1, 1};
  const ArchiveDate last = c.to ? archiveDate(*c.to) : ArchiveDate{9999, 12, 31};
  const std::vector<DaySummary> days = archive->days(first, last);
  if (!archive->lastError().empty()) {
    std::cerr << "tavik-log: " << archive->lastError() << '\n';
    return kArchiveStatus;
  }
  const bool month = c.period == SummaryPeriod::Month;
  const std::vector<ArchiveSpan> spans = month ? monthsOf(days) : daysOf(days);
  if (c.json) {
    for (const ArchiveSpan& s : spans) std::cout << spanJson(s, month) << '\n';
  } else {
    for (const std::string& line : spanTable(spans, month)) std::cout << line << '\n';
  }
  std::cout.flush();
  return 0;
}

// The log is read day by day, so the memory it takes does not grow with the
// years it covers; only the table, which needs every line for its column
// widths, keeps the summaries.
int summarise(const LogCommandLine& c) {
  if (c.import) return importIntoArchive(c);
  if (!c.archive.empty()) return readArchive(c);
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
