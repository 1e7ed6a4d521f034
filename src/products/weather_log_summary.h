// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "common/compass.h"
#include "products/weather_log_days.h"
#include "products/weather_log_reader.h"

namespace tavik {

// Summaries of Wetterlog rows per day or per calendar month: for each
// numeric column its minimum and maximum (with the time each first
// occurred) and its mean, and the wind directions counted by compass point.

struct ColumnStats {
  int32_t min = 0;  // stored values, as WeatherLogRow keeps them
  int32_t max = 0;
  long long minAt = 0;  // seconds of the first row with the minimum
  long long maxAt = 0;
  int64_t sum = 0;
};

struct LogSummary {
  LogDate date;  // the day, or the first day of the month
  int rows = 0;
  int days = 0;     // days with rows
  int skipped = 0;  // unread rows dated in the period
  std::array<ColumnStats, kLogColumnCount> columns{};
  std::array<int, kCompassPoints> windPoints{};  // rows per compass point of WindR

  const ColumnStats& stats(LogColumn c) const { return columns[static_cast<size_t>(c)]; }
  // The mean of a column in hundredths of its unit, rounded half away from zero.
  long long meanHundredths(LogColumn c) const;
  // The compass point most rows fall into, the first in compass order on a tie.
  size_t prevailingPoint() const;
};

enum class SummaryPeriod { Day, Month };

// One summary per day or month that has rows, in date order. `log` must be
// sorted (sortWeatherLog). Rows outside [from, to] are left out.
std::vector<LogSummary> summarizeLog(const WeatherLog& log, SummaryPeriod period,
                                     std::optional<LogDate> from = std::nullopt,
                                     std::optional<LogDate> to = std::nullopt);

// The same summaries from a log read day by day, for logs too long to hold:
// each is handed to `emit` as soon as its period is complete, so only one
// period is held at a time.
void summarizeLogDays(const WeatherLogDays& log, SummaryPeriod period,
                      const std::function<void(const LogSummary&)>& emit,
                      std::optional<LogDate> from = std::nullopt,
                      std::optional<LogDate> to = std::nullopt);

}  // namespace tavik
