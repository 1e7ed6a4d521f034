// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/json_text.h"
#include "station/weather_record.h"

namespace tavik {

// `current.json`: the current weather for programs, in SI-like units. A value
// whose data group has not arrived since start, or that the console marks as
// out of range, is null. docs/current-json.md describes every field.

// A day's extreme and the PC time it was measured.
struct TimedValue {
  double value = 0;
  LocalDateTime time;
};

struct DayExtreme {
  std::optional<TimedValue> min;
  std::optional<TimedValue> max;
};

// Today's extremes of the outdoor temperature (°C), the outdoor humidity (%)
// and the sea-level pressure (hPa), from the rows the program kept today.
struct TodayExtremes {
  DayExtreme temperature;
  DayExtreme humidity;
  DayExtreme pressure;
};

struct CurrentJsonInput {
  const WeatherRecord& weather;
  const StationState& state;
  std::string station;  // the page title the user chose
  LocalDateTime generated;
  std::optional<LocalDateTime> lastGroup;  // PC time of the last good group
  bool stale = false;
  int utcOffsetMinutes = 0;  // of the PC's local time, east positive
  TodayExtremes today;
};

std::string currentJson(const CurrentJsonInput& in);

// "2026-12-09T01:02:03+01:00".
std::string isoTimeText(const LocalDateTime& t, int utcOffsetMinutes);

// The offset of the system's local time from UTC at a local moment, in
// minutes east.
int localUtcOffsetMinutes(const LocalDateTime& t);

}  // namespace tavik
