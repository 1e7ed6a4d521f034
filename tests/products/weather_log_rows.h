// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Generated Wetterlog rows with values the tests can compute by hand: one row
// per hour; the outdoor temperature is a base of the day plus a profile of
// the hour (high at 14:00, low at 00:00); the wind grows through the day and
// turns from west to east at 16:00; it rains 2 mm/h at 06:00 and 07:00 on even
// days of the month.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/regional.h"
#include "common/text_file.h"
#include "products/weather_log.h"
#include "products/weather_log_columns.h"

namespace tavik::test {

inline int baseTenths(int day) { return 100 + (day % 7) * 10; }
inline int profileTenths(int hour) { return -std::abs(hour - 14) * 6; }
inline int windTenths(int hour) { return 10 + hour; }
inline int windDir(int hour) { return hour < 16 ? 270 : 90; }
inline int rainRate(int day, int hour) { return day % 2 == 0 && (hour == 6 || hour == 7) ? 2 : 0; }

inline WeatherRecord generatedRecord(int day, int hour) {
  WeatherRecord w;
  w.TempOut.Current = baseTenths(day) + profileTenths(hour);
  w.TempIn.Current = 210;
  w.HumOut.Current = static_cast<uint8_t>(60 + hour);
  w.HumIn.Current = 40;
  w.DewOut.Current = 5;
  w.DewIn.Current = 8;
  w.Baro.Local = 990;
  w.Baro.SeaLevel = static_cast<uint16_t>(10100 + hour * 3);
  w.Baro.Trend = 2;
  w.Baro.Forecast = 2;
  w.Rain.Rate = static_cast<uint16_t>(rainRate(day, hour));
  w.Wind.Speed = static_cast<uint16_t>(windTenths(hour));
  w.Wind.Dir = static_cast<uint16_t>(windDir(hour));
  w.Chill.Current = 4;
  return w;
}

// The Windows-1252 text of a Wetterlog file with the rows of the given days
// (a day of 0 is left out).
inline std::string dayRows(int year, int month, int firstDay, int lastDay, int skippedDay = 0) {
  const RegionalSettings& rs = RegionalSettings::german();
  std::string text = std::string(kWeatherLogHeader) + "\r\n";
  for (int day = firstDay; day <= lastDay; ++day) {
    if (day == skippedDay) continue;
    for (int hour = 0; hour < 24; ++hour) {
      text += utf8ToCp1252(formatWeatherLogRow(generatedRecord(day, hour),
                                               LocalDateTime{year, month, day, hour, 0, 0}, rs)) +
              "\r\n";
    }
  }
  return text;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tavik::test
