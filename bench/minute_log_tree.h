// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Wetterlog trees of one-minute rows for the benchmarks, in the layouts the
// Wetterlog writer makes: daily, weekly or monthly files, directly in the
// folder or in month and week folders below it, with values that change
// from minute to minute.
#include <filesystem>
#include <string>

#include "common/regional.h"
#include "common/text_file.h"
#include "products/log_week.h"
#include "products/weather_log.h"
#include "products/weather_log_columns.h"

namespace tavik::bench {

inline WeatherRecord minuteWeather(long long i) {
  WeatherRecord w;
  w.HumOut.Current = static_cast<uint8_t>(40 + i % 50);
  w.HumIn.Current = static_cast<uint8_t>(35 + i % 20);
  w.TempIn.Current = static_cast<int32_t>(200 + i % 30);
  w.TempOut.Current = static_cast<int32_t>(i % 600 - 200);
  w.DewIn.Current = static_cast<int32_t>(i % 12);
  w.DewOut.Current = static_cast<int32_t>(i % 20 - 8);
  w.Baro.Local = static_cast<uint16_t>(970 + i % 40);
  w.Baro.SeaLevel = static_cast<uint16_t>(9800 + i % 600);
  w.Baro.Trend = static_cast<uint8_t>(i % 2 == 0 ? 1 : 4);
  w.Baro.Forecast = static_cast<uint8_t>(i % 3 == 0 ? 2 : 8);
  w.Rain.Rate = static_cast<uint16_t>(i % 97 == 0 ? 5 : 0);
  w.Wind.Speed = static_cast<uint16_t>(i % 200);
  w.Wind.Dir = static_cast<uint16_t>(i * 7 % 360);
  w.Chill.Current = static_cast<int32_t>(i % 60 - 20);
  return w;
}

// How the tree is laid out, as the settings LogUpdate, LogMonatsordner and
// LogWochenordner say.
struct LogLayout {
  int update = 0;  // 0 daily, 1 weekly, 2 monthly files
  bool monthFolder = false;
  bool weekFolder = false;
};

// The path below the tree's folder of the file that holds the rows of `day`.
inline std::filesystem::path minuteLogFile(const LocalDateTime& day, const LogLayout& layout) {
  const RegionalSettings& rs = RegionalSettings::german();
  std::filesystem::path path;
  if (layout.monthFolder) path /= formatDateTime("mmmm yyyy", day, rs);
  if (layout.weekFolder) path /= "Woche " + std::to_string(logWeekNumber(day.month, day.day));
  switch (layout.update) {
    case 1:
      return path / ("w" + std::to_string(logWeekNumber(day.month, day.day)) + "." +
                     std::to_string(day.year) + ".txt");
    case 2:
      return path / (formatDateTime("mmmm'.'yyyy", day, rs) + ".txt");
    default:
      return path / ("t" + formatShortDate(day.year, day.month, day.day, rs) + ".txt");
  }
}

// Writes a row for every minute of the years [firstYear, firstYear + years)
// into `dir` in `layout`. Each file's rows are gathered and written at once
// (a monthly file takes a few megabytes). False when a file fails.
inline bool writeMinuteTree(const std::filesystem::path& dir, int firstYear, int years,
                            const LogLayout& layout = {}) {
  const RegionalSettings& rs = RegionalSettings::german();
  std::filesystem::path file;
  std::string text;
  auto flush = [&] {
    if (text.empty()) return true;
    std::filesystem::create_directories(file.parent_path());
    TextFileWriter out;
    const bool written =
        out.open(file, TextFileWriter::Mode::Truncate) && out.write(text) && out.close();
    text.clear();
    return written;
  };
  long long i = 0;
  for (LocalDateTime day{firstYear, 1, 1}; day.year < firstYear + years;
       day = addSeconds(day, 86400)) {
    const std::filesystem::path dayFile = dir / minuteLogFile(day, layout);
    if (dayFile != file) {
      if (!flush()) return false;
      file = dayFile;
      text = std::string(kWeatherLogHeader) + "\r\n";
    }
    for (int minute = 0; minute < 1440; ++minute, ++i)
      text += formatWeatherLogRow(minuteWeather(i), addSeconds(day, minute * 60), rs) + "\r\n";
  }
  return flush();
}

}  // namespace tavik::bench
