// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "station/weather_record.h"

namespace tavik {

// The main value of each display group, GroupBox2..GroupBox11 in order
// (index 0 is group 2).
enum class HistoryQuantity {
  HumIn,     // %
  HumOut,    // %
  TempIn,    // °C
  TempOut,   // °C
  SeaLevel,  // mb
  DewIn,     // °C
  DewOut,    // °C
  RainRate,  // mm/h
  Wind,      // m/s
  Chill,     // °C
};
inline constexpr size_t kHistoryQuantities = 10;

struct HistoryPoint {
  long long minute = 0;  // local minutes since 1970-01-01 00:00
  double value = 0;

  friend bool operator==(const HistoryPoint&, const HistoryPoint&) = default;
};

// The weather's course over the last day: for each display group's main value
// one sample a minute (the last value seen in that minute), in memory,
// forgotten after 24 hours. The injected clock says which minute it is.
class WeatherHistory {
 public:
  static constexpr long long kKeptMinutes = 24 * 60;

  explicit WeatherHistory(const Clock& clock) : clock_(clock) {}

  // Takes the record's main values of every group kind that has been decoded
  // since start into the current minute; a value the console marks as out of
  // range is left out.
  void record(const WeatherRecord& weather, const StationState& state);
  // One value at a given minute, as read from the Wetterlog; minutes older
  // than a day, or later than now, are passed over.
  void add(HistoryQuantity q, long long minute, double value);

  // The samples of the last `minutes` minutes up to now, oldest first.
  std::vector<HistoryPoint> points(HistoryQuantity q, long long minutes) const;

 private:
  long long nowMinute() const;
  void forgetOld(std::deque<HistoryPoint>& samples, long long now) const;

  const Clock& clock_;
  std::array<std::deque<HistoryPoint>, kHistoryQuantities> samples_;
};

// Local minutes since 1970-01-01 00:00.
long long minuteOf(const LocalDateTime& t);

// Fills `history` from the Wetterlog files under `folder` written in the last
// day (older files are not read, so a long log costs nothing). Files that
// cannot be read are passed over: the history is a convenience.
void fillHistoryFromWeatherLog(WeatherHistory& history, const std::filesystem::path& folder,
                               const RegionalSettings& regional);

}  // namespace tavik
