// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_days.h"

#include <algorithm>
#include <system_error>

#include "products/weather_log_tree.h"

namespace tavik {

namespace {

namespace fs = std::filesystem;

long long dayStart(const LogDate& d) { return secondsOf(LocalDateTime{d.year, d.month, d.day}); }

bool inside(const LogDate& d, const std::optional<LogDate>& from,
            const std::optional<LogDate>& to) {
  return !(from && d < *from) && !(to && *to < d);
}

// A file's rows while the days it holds are handed out.
struct HeldFile {
  const std::vector<LogDate>* days;
  std::vector<WeatherLogRow> rows;  // sorted by time
};

}  // namespace

void WeatherLogDays::noteFile(const fs::path& path, std::vector<WeatherLogRow>& rows) {
  LogFile file{path, {}};
  for (const WeatherLogRow& row : rows) {
    const LogDate day = row.date();
    if (file.days.empty() || file.days.back() != day) file.days.push_back(day);
  }
  std::sort(file.days.begin(), file.days.end());
  file.days.erase(std::unique(file.days.begin(), file.days.end()), file.days.end());
  if (!file.days.empty()) files_.push_back(std::move(file));
}

std::optional<std::string> WeatherLogDays::add(const fs::path& path) {
  auto listed = weatherLogFiles(path);
  if (const auto* reason = std::get_if<std::string>(&listed)) return *reason;
  std::error_code ec;
  const bool folder = fs::is_directory(path, ec);
  bool found = false;
  std::string error;
  for (const fs::path& file : std::get<std::vector<fs::path>>(listed)) {
    WeatherLog part;
    const LogFileResult result = addWeatherLogFile(file, rs_, part, error);
    if (!folder && result != LogFileResult::Read) return singleFileError(file, result, error);
    if (result == LogFileResult::Unreadable) {
      unread_.push_back({file.string(), 0, "nicht lesbar: " + error, std::nullopt});
    }
    if (result != LogFileResult::Read) continue;
    found = true;
    unread_.insert(unread_.end(), std::make_move_iterator(part.unread.begin()),
                   std::make_move_iterator(part.unread.end()));
    noteFile(file, part.rows);
  }
  if (found) return std::nullopt;
  return noWetterlogInFolder(path);
}

void WeatherLogDays::forEachDay(const DayVisit& visit, std::optional<LogDate> from,
                                std::optional<LogDate> to) const {
  // The files in the order of their first day, and every day once.
  std::vector<const LogFile*> order;
  std::vector<LogDate> allDays;
  for (const LogFile& f : files_) {
    order.push_back(&f);
    allDays.insert(allDays.end(), f.days.begin(), f.days.end());
  }
  std::stable_sort(order.begin(), order.end(), [](const LogFile* a, const LogFile* b) {
    return a->days.front() < b->days.front();
  });
  std::sort(allDays.begin(), allDays.end());
  allDays.erase(std::unique(allDays.begin(), allDays.end()), allDays.end());

  std::vector<HeldFile> held;
  size_t next = 0;
  std::vector<WeatherLogRow> dayRows;
  mostFilesHeld_ = 0;
  for (const LogDate& day : allDays) {
    if (!inside(day, from, to)) continue;
    // Let go of the files whose last day is past, take up those that begin.
    std::erase_if(held, [&](const HeldFile& h) { return h.days->back() < day; });
    for (; next < order.size() && !(day < order[next]->days.front()); ++next) {
      if (order[next]->days.back() < day) continue;
      WeatherLog part;
      std::string error;
      addWeatherLogFile(order[next]->path, rs_, part, error);
      std::sort(part.rows.begin(), part.rows.end());
      held.push_back({&order[next]->days, std::move(part.rows)});
    }
    mostFilesHeld_ = std::max(mostFilesHeld_, held.size());
    dayRows.clear();
    const long long start = dayStart(day), end = start + 86400;
    const auto before = [](const WeatherLogRow& r, long long t) { return r.seconds < t; };
    for (const HeldFile& h : held) {
      const auto first = std::lower_bound(h.rows.begin(), h.rows.end(), start, before);
      const auto last = std::lower_bound(first, h.rows.end(), end, before);
      dayRows.insert(dayRows.end(), first, last);
    }
    std::sort(dayRows.begin(), dayRows.end());
    dayRows.erase(std::unique(dayRows.begin(), dayRows.end()), dayRows.end());
    if (!dayRows.empty()) visit(day, dayRows);
  }
}

}  // namespace tavik
