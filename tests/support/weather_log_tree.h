// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Wetterlog trees for tests: rows written by the program's own Wetterlog
// writer under a test clock, with values that change from row to row, and
// the rows the writer was given, to check a reader against.

#include <array>
#include <filesystem>
#include <vector>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/regional.h"
#include "products/product_context.h"
#include "products/weather_log.h"
#include "products/weather_log_reader.h"

namespace tavik::test {

// A record whose values differ from row to row: every numeric column, both
// words (sometimes missing) and negative temperatures.
inline WeatherRecord varyingWeather(long long i) {
  static constexpr std::array<uint8_t, 4> kTrends = {1, 2, 4, 0};
  static constexpr std::array<uint8_t, 5> kForecasts = {1, 2, 4, 8, 0};
  WeatherRecord w;
  w.HumOut.Current = static_cast<uint8_t>(20 + i * 7 % 80);
  w.HumIn.Current = static_cast<uint8_t>(30 + i % 40);
  w.TempIn.Current = static_cast<int32_t>(180 + i * 3 % 50);
  w.TempOut.Current = static_cast<int32_t>(i * 37 % 400 - 150);
  w.DewIn.Current = static_cast<int32_t>(i % 15);
  w.DewOut.Current = static_cast<int32_t>(i % 12 - 5);
  w.Baro.Local = static_cast<uint16_t>(980 + i % 30);
  w.Baro.SeaLevel = static_cast<uint16_t>(9900 + i * 13 % 500);
  w.Baro.Trend = kTrends[static_cast<size_t>(i % 4)];
  w.Baro.Forecast = kForecasts[static_cast<size_t>(i % 5)];
  w.Rain.Rate = static_cast<uint16_t>(i % 7 == 0 ? i % 20 : 0);
  w.Wind.Speed = static_cast<uint16_t>(i * 11 % 150);
  w.Wind.Dir = static_cast<uint16_t>(i * 23 % 360);
  w.Chill.Current = static_cast<int32_t>(i * 37 % 400 / 10 - 17);
  return w;
}

// The row a reader should give for a record written at time t.
inline WeatherLogRow expectedRow(const WeatherRecord& w, const LocalDateTime& t) {
  WeatherLogRow r;
  r.seconds = secondsOf(t);
  r.stored = {w.HumOut.Current, w.HumIn.Current,  w.TempIn.Current, w.TempOut.Current,
              w.DewIn.Current,  w.DewOut.Current, w.Baro.Local,     w.Baro.SeaLevel,
              w.Rain.Rate,      w.Wind.Speed,     w.Wind.Dir,       w.Chill.Current};
  r.trend = w.Baro.Trend;
  r.forecast = w.Baro.Forecast;
  return r;
}

// Writes rows with the Wetterlog writer into `folder` as the settings say
// (LogUpdate, LogMonatsordner, LogWochenordner).
class LogTreeWriter {
 public:
  explicit LogTreeWriter(const std::filesystem::path& folder) {
    settings.LogOrdner = folder.string() + "/";
  }

  // One row per `step` seconds from `start`, `count` rows; returns the rows
  // a reader should find, in time order.
  std::vector<WeatherLogRow> write(LocalDateTime start, long long step, long long count) {
    std::vector<WeatherLogRow> rows;
    for (long long i = 0; i < count; ++i) {
      const LocalDateTime t = addSeconds(start, i * step);
      weather = varyingWeather(next_++);
      clock.set(t);
      writeWeatherLog(ProductContext{weather, state, settings, profiles, clock,
                                     RegionalSettings::german(), notifier, settings.LogOrdner});
      rows.push_back(expectedRow(weather, t));
    }
    return rows;
  }

  Settings settings;
  RecordingNotifier notifier;

 private:
  WeatherRecord weather;
  StationState state;
  ProfileTable profiles;
  ManualClock clock;
  long long next_ = 0;
};

}  // namespace tavik::test
