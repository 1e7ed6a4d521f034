// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_import.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <tuple>
#include <variant>

#include "archive/archive_history.h"
#include "archive/plausible_values.h"
#include "products/weather_log_tree.h"

namespace tavik {

namespace {

namespace fs = std::filesystem;

// The first day a Wetterlog file's name stands for: "t" and the short date
// for a daily file, "w", the log week and the year for a weekly one, the
// month's name and the year for a monthly one. Names that give no date sort
// after the others.
std::tuple<int, int, int> nameDate(const fs::path& file, const RegionalSettings& rs) {
  const std::string stem = file.stem().string();
  int a = 0, b = 0, c = 0;
  char tail = 0;
  if (std::sscanf(stem.c_str(), "t%d.%d.%d%c", &a, &b, &c, &tail) == 3) return {c, b, a};
  if (std::sscanf(stem.c_str(), "w%d.%d%c", &a, &b, &tail) == 2 && a >= 1 && a <= 49)
    return {b, (a - 1) / 4 + 1, (a - 1) % 4 * 7 + 1};
  for (int m = 0; m < 12; ++m) {
    const std::string& name = rs.longMonthNames[static_cast<size_t>(m)];
    if (stem.size() > name.size() + 1 && stem.compare(0, name.size(), name) == 0 &&
        stem[name.size()] == '.' &&
        std::sscanf(stem.c_str() + name.size() + 1, "%d%c", &a, &tail) == 1)
      return {a, m + 1, 1};
  }
  return {INT32_MAX, 0, 0};
}

// The interval the file was written with: the most frequent time between
// two rows, one minute when it has fewer than two.
int32_t loggedInterval(const std::vector<WeatherLogRow>& rows) {
  std::map<long long, int> gaps;
  for (size_t i = 1; i < rows.size(); ++i) {
    const long long gap = rows[i].seconds - rows[i - 1].seconds;
    if (gap > 0) ++gaps[gap];
  }
  long long best = 60;
  int count = 0;
  for (const auto& [gap, n] : gaps) {
    if (n > count) {
      best = gap;
      count = n;
    }
  }
  return static_cast<int32_t>(std::min<long long>(best, 86400));
}

// Turns the local times of rows into UTC as utcOfLocal does, asking the
// system once per local hour instead of once per row: each of its answers
// reads the zone's file state anew, which cost more than the rest of an
// import. An hour whose first and last second lie 3599 s apart in UTC has
// one offset throughout; any other hour (a change of the offset within it)
// is converted row by row.
class LocalToUtc {
 public:
  int64_t operator()(long long local) {
    const long long hour = local - ((local % 3600) + 3600) % 3600;
    if (hour != hour_) {
      hour_ = hour;
      start_ = utcOfLocal(timeOfSeconds(hour));
      uniform_ = utcOfLocal(timeOfSeconds(hour + 3599)) - start_ == 3599;
    }
    return uniform_ ? start_ + (local - hour) : utcOfLocal(timeOfSeconds(local));
  }

 private:
  long long hour_ = std::numeric_limits<long long>::min();
  int64_t start_ = 0;
  bool uniform_ = false;
};

ArchiveRow archiveRowOf(const WeatherLogRow& r, int32_t interval, LocalToUtc& toUtc) {
  ArchiveRow a;
  a.time = toUtc(r.seconds);
  a.interval = interval;
  a.humOut = r.storedValue(LogColumn::FeuchtO);
  a.humIn = r.storedValue(LogColumn::FeuchtI);
  a.tempIn = r.storedValue(LogColumn::TempI);
  a.tempOut = r.storedValue(LogColumn::TempO);
  a.dewIn = r.storedValue(LogColumn::TaupI);
  a.dewOut = r.storedValue(LogColumn::TaupO);
  a.baroLocal = r.storedValue(LogColumn::BaroL);
  a.baroSea = r.storedValue(LogColumn::BaroS);
  if (r.trend != 0) a.trend = r.trend;
  if (r.forecast != 0) a.forecast = r.forecast;
  a.rainRate = r.storedValue(LogColumn::Regen);
  a.windSpeed = r.storedValue(LogColumn::WindS);
  a.windDir = r.storedValue(LogColumn::WindR);
  a.chill = r.storedValue(LogColumn::Chill);
  return a;
}

// Files are written in transactions of at least this many rows (whole
// files only): a commit writes every page it changed once more, the ends
// of the tables and the summaries, so that one transaction per daily file
// wrote twice the bytes. The archive's lock, which the station waits for to
// store its row, is still held only for a moment.
constexpr size_t kRowsPerTransaction = 20000;

// What the rows written since the last commit did; it counts in the result
// once they are committed.
struct Uncommitted {
  size_t rowsRead = 0;
  size_t rowsAdded = 0;
  size_t rowsPresent = 0;
  size_t valuesDropped = 0;
};

// Adds the rows of one file to the open transaction, beginning one when
// none is open; false when the archive failed (the transaction's rows are
// then not in it).
bool importRows(ArchiveWriter& archive, WeatherLog& log, Uncommitted& batch) {
  sortWeatherLog(log);
  const int32_t interval = loggedInterval(log.rows);
  if (!archive.beginBatch()) return false;
  LocalToUtc toUtc;
  for (const WeatherLogRow& r : log.rows) {
    ArchiveRow row = archiveRowOf(r, interval, toUtc);
    batch.valuesDropped += static_cast<size_t>(dropImplausible(row));
    // A row less than half an interval from one the archive holds is the
    // same moment, written by the station or an earlier import.
    switch (archive.write(row, std::max(interval / 2, 1))) {
      case ArchiveWriter::Result::Added:
        ++batch.rowsAdded;
        break;
      case ArchiveWriter::Result::Present:
        ++batch.rowsPresent;
        break;
      case ArchiveWriter::Result::Failed:
        return false;
    }
  }
  batch.rowsRead += log.rows.size();
  return true;
}

// Commits the open transaction and counts its rows; false when the archive
// failed.
bool commitRows(ArchiveWriter& archive, Uncommitted& batch, WeatherLogImport& result) {
  if (!archive.commitBatch()) return false;
  result.rowsRead += batch.rowsRead;
  result.rowsAdded += batch.rowsAdded;
  result.rowsPresent += batch.rowsPresent;
  result.valuesDropped += batch.valuesDropped;
  batch = {};
  return true;
}

}  // namespace

WeatherLogImport importWeatherLogs(ArchiveWriter& archive, const std::vector<fs::path>& paths,
                                   const RegionalSettings& rs, const ImportProgress& progress,
                                   const std::atomic<bool>* cancel) {
  WeatherLogImport result;
  std::vector<fs::path> files;
  for (const fs::path& path : paths) {
    auto found = weatherLogFiles(path);
    if (const auto* why = std::get_if<std::string>(&found)) {
      result.unread.push_back({path.string(), 0, *why, std::nullopt});
      continue;
    }
    for (fs::path& f : std::get<std::vector<fs::path>>(found)) files.push_back(std::move(f));
  }
  std::stable_sort(files.begin(), files.end(), [&](const fs::path& a, const fs::path& b) {
    return nameDate(a, rs) < nameDate(b, rs);
  });
  files.erase(std::unique(files.begin(), files.end()), files.end());

  Uncommitted batch;
  for (size_t i = 0; i < files.size(); ++i) {
    if (progress) progress(i, files.size());
    if (cancel && cancel->load()) {
      result.cancelled = true;
      break;
    }
    WeatherLog log;
    std::string error;
    switch (addWeatherLogFile(files[i], rs, log, error)) {
      case LogFileResult::NotAWetterlog:
        continue;
      case LogFileResult::Unreadable:
        result.unread.push_back({files[i].string(), 0, error, std::nullopt});
        continue;
      case LogFileResult::Read:
        break;
    }
    ++result.files;
    for (UnreadRow& u : log.unread) result.unread.push_back(std::move(u));
    if (!importRows(archive, log, batch) ||
        (batch.rowsRead >= kRowsPerTransaction && !commitRows(archive, batch, result))) {
      result.error = archive.lastError();
      break;
    }
  }
  if (result.error.empty() && !commitRows(archive, batch, result))
    result.error = archive.lastError();
  if (progress && result.error.empty() && !result.cancelled) progress(files.size(), files.size());
  return result;
}

std::string importSummaryText(const WeatherLogImport& r) {
  std::string text = std::to_string(r.files) + " Wetterlog-Dateien gelesen, " +
                     std::to_string(r.rowsRead) + " Zeilen: " + std::to_string(r.rowsAdded) +
                     " neu im Archiv, " + std::to_string(r.rowsPresent) + " waren schon darin.\n";
  if (r.valuesDropped > 0)
    text += std::to_string(r.valuesDropped) +
            " Werte lagen außerhalb des möglichen Bereichs und wurden leer gespeichert.\n";
  if (!r.unread.empty()) {
    text += std::to_string(r.unread.size()) + " Zeilen oder Dateien waren nicht lesbar:\n";
    for (const UnreadRow& u : r.unread)
      text +=
          "  " + u.file + (u.line > 0 ? ":" + std::to_string(u.line) : "") + ": " + u.why + "\n";
  }
  if (r.cancelled)
    text += "Der Import wurde abgebrochen; was bis dahin gelesen war, ist im Archiv.\n";
  if (!r.error.empty()) text += "Der Import wurde abgebrochen: " + r.error + "\n";
  return text;
}

}  // namespace tavik
