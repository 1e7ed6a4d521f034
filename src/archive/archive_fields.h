// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "archive/archive_row.h"

namespace tavik {

// The whole-number value columns of the archive table, in the table's order
// (after time, interval and console_time; battery_low and rain follow),
// with the row's member behind each and the factor to the natural unit.
struct ArchiveField {
  const char* column;
  std::optional<int32_t> ArchiveRow::*member;
  double scale;
};

inline constexpr std::array<ArchiveField, 20> kArchiveFields = {{
    {"temp_out", &ArchiveRow::tempOut, 0.1},
    {"temp_in", &ArchiveRow::tempIn, 0.1},
    {"hum_out", &ArchiveRow::humOut, 1},
    {"hum_in", &ArchiveRow::humIn, 1},
    {"dew_out", &ArchiveRow::dewOut, 1},
    {"dew_in", &ArchiveRow::dewIn, 1},
    {"baro_local", &ArchiveRow::baroLocal, 1},
    {"baro_sea", &ArchiveRow::baroSea, 0.1},
    {"trend", &ArchiveRow::trend, 1},
    {"forecast", &ArchiveRow::forecast, 1},
    {"wind_speed", &ArchiveRow::windSpeed, 0.1},
    {"wind_avg", &ArchiveRow::windAvg, 0.1},
    {"wind_dir", &ArchiveRow::windDir, 1},
    {"wind_avg_dir", &ArchiveRow::windAvgDir, 1},
    {"gust", &ArchiveRow::gust, 0.1},
    {"gust_dir", &ArchiveRow::gustDir, 1},
    {"rain_rate", &ArchiveRow::rainRate, 1},
    {"rain_total", &ArchiveRow::rainTotal, 1},
    {"chill", &ArchiveRow::chill, 1},
    {"out_of_range", &ArchiveRow::outOfRange, 1},
}};

// The field behind a summarised quantity.
const ArchiveField& fieldOf(ArchiveQuantity q);

}  // namespace tavik
