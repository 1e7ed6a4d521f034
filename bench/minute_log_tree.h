// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Wetterlog trees of one-minute rows for the benchmarks: daily files of 1440
// rows whose values change from minute to minute.
#include <filesystem>
#include <string>

#include "common/text_file.h"
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

// Writes one daily file per day of the years [firstYear, firstYear + years)
// into `dir`, each in a folder of its year. False when a file fails.
inline bool writeMinuteTree(const std::filesystem::path& dir, int firstYear, int years) {
  const RegionalSettings& rs = RegionalSettings::german();
  long long i = 0;
  for (LocalDateTime day{firstYear, 1, 1}; day.year < firstYear + years;
       day = addSeconds(day, 86400)) {
    const std::filesystem::path folder = dir / std::to_string(day.year);
    std::filesystem::create_directories(folder);
    TextFileWriter file;
    if (!file.open(folder / ("t" + formatShortDate(day.year, day.month, day.day, rs) + ".txt"),
                   TextFileWriter::Mode::Truncate))
      return false;
    std::string text = std::string(kWeatherLogHeader) + "\r\n";
    for (int minute = 0; minute < 1440; ++minute, ++i)
      text += formatWeatherLogRow(minuteWeather(i), addSeconds(day, minute * 60), rs) + "\r\n";
    if (!file.write(text) || !file.close()) return false;
  }
  return true;
}

}  // namespace tavik::bench
