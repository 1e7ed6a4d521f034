// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "products/weather_log_columns.h"

namespace tavik {

// Reading Wetterlog text back: the header line, then one row per snapshot.

// A calendar day.
struct LogDate {
  int year = 0;
  int month = 0;
  int day = 0;

  friend auto operator<=>(const LogDate&, const LogDate&) = default;
};

struct WeatherLogRow {
  long long seconds = 0;  // local time as seconds since 1 January 1970
  // The numbers as the file shows them, without the decimal point: tenths
  // for the columns with one decimal.
  std::array<int32_t, kLogColumnCount> stored{};
  uint8_t trend = 0;     // code of the trend word, 0 for none
  uint8_t forecast = 0;  // code of the forecast word, 0 for none

  int32_t storedValue(LogColumn c) const { return stored[static_cast<size_t>(c)]; }
  double value(LogColumn c) const;
  LocalDateTime time() const;
  LogDate date() const;

  friend auto operator<=>(const WeatherLogRow&, const WeatherLogRow&) = default;
};

// A row that could not be read: where it stands and why.
struct UnreadRow {
  std::string file;
  int line = 0;  // from 1; 0 when the whole file could not be read
  std::string why;
  std::optional<LogDate> date;  // when its date could still be read
};

struct WeatherLog {
  std::vector<WeatherLogRow> rows;
  std::vector<UnreadRow> unread;
};

// Appends the rows of one Wetterlog text (the file's Windows-1252 bytes,
// lines ended by CR LF or LF) to `log`, naming `file` in the rows it cannot read. False, and
// nothing added, when the first line that is not blank is not the Wetterlog header. Repeated
// headers and blank lines are passed over.
bool parseWeatherLog(std::string_view text, const RegionalSettings& rs, const std::string& file,
                     WeatherLog& log);

// Sorts the rows by time and drops exact duplicates (a file read twice, or
// rows copied into two files).
void sortWeatherLog(WeatherLog& log);

// Seconds since 1 January 1970 of a local time, and back.
long long secondsOf(const LocalDateTime& t);
LocalDateTime timeOfSeconds(long long seconds);

}  // namespace tavik
