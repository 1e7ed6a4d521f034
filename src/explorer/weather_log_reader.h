#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/outcome.h"
#include "common/regional.h"

namespace tavik {

// Reading Wetterlog files back: the column header, then one row per snapshot
// with the date and time, the measured values and the trend and forecast
// words (either of which may be empty).

// The quantities the weather explorer offers.
enum class LogQuantity {
  HumOut,     // FeuchtO
  HumIn,      // FeuchtI
  TempIn,     // TempI
  TempOut,    // TempO
  DewIn,      // TaupI
  DewOut,     // TaupO
  BaroSea,    // BaroS
  Rain,       // Regen
  WindSpeed,  // WindS
};
inline constexpr size_t kLogQuantityCount = 9;

// What a quantity is called on a plot, and its unit.
struct QuantityLabel {
  const char* title;
  const char* unit;
};
QuantityLabel quantityLabel(LogQuantity quantity);

struct WeatherLogRow {
  LocalDateTime time;
  std::array<double, kLogQuantityCount> values{};

  double value(LogQuantity q) const { return values[static_cast<size_t>(q)]; }
};

struct WeatherLog {
  std::vector<WeatherLogRow> rows;  // in file order
  std::vector<int> unreadLines;     // line numbers (from 1) of rows that could not be read
};

// The rows of a Wetterlog text (UTF-8, lines ended by CR LF or LF). Nothing
// when the first line that is not blank is not the Wetterlog column header.
// Blank lines and repeated headers are passed over; a row that does not have
// the Wetterlog's fields is listed in unreadLines.
std::optional<WeatherLog> parseWeatherLog(std::string_view text, const RegionalSettings& rs);

// The same for a file, with a German message when the file cannot be read or
// is not a Wetterlog.
Outcome<WeatherLog> readWeatherLog(const std::filesystem::path& path, const RegionalSettings& rs);

// One quantity over time, sorted by time: seconds since 1 January 1970 of
// the rows' local time.
struct SeriesPoint {
  long long seconds = 0;
  double value = 0;

  friend bool operator==(const SeriesPoint&, const SeriesPoint&) = default;
};
std::vector<SeriesPoint> logSeries(const WeatherLog& log, LogQuantity quantity);

long long secondsOf(const LocalDateTime& t);
LocalDateTime timeOfSeconds(long long seconds);

}  // namespace tavik
