// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/regional.h"
#include "products/weather_log_reader.h"

namespace tavik {

// A Wetterlog of any length read one day at a time, so that what is held in
// memory depends on the files of one day, not on the years the log covers.
// Adding a path reads each file once to learn which days it holds and which
// rows cannot be read; forEachDay reads them again as the days come.
class WeatherLogDays {
 public:
  explicit WeatherLogDays(const RegionalSettings& rs) : rs_(rs) {}

  // As addWeatherLogs: the German reason when the path gives no Wetterlog.
  std::optional<std::string> add(const std::filesystem::path& path);

  // Every row that could not be read, in reading order.
  const std::vector<UnreadRow>& unread() const { return unread_; }

  // Hands each day with rows between `from` and `to` (both included, open
  // when missing) to `visit` in date order, with the day's rows sorted and
  // without duplicates, as sortWeatherLog leaves them.
  using DayVisit = std::function<void(const LogDate& day, const std::vector<WeatherLogRow>& rows)>;
  void forEachDay(const DayVisit& visit, std::optional<LogDate> from = std::nullopt,
                  std::optional<LogDate> to = std::nullopt) const;

  // The most files held at once by the last forEachDay.
  size_t mostFilesHeld() const { return mostFilesHeld_; }

 private:
  struct LogFile {
    std::filesystem::path path;
    std::vector<LogDate> days;  // sorted, each once
  };
  void noteFile(const std::filesystem::path& path, std::vector<WeatherLogRow>& rows);

  const RegionalSettings& rs_;
  std::vector<LogFile> files_;
  std::vector<UnreadRow> unread_;
  mutable size_t mostFilesHeld_ = 0;
};

}  // namespace tavik
