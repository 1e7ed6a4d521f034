// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace tavik {

// One row of the station archive: the weather of one archive interval.
// Values are in the record's units; a value the console did not send (out of
// range, never seen, refused, or outside the plausible range on import) is
// empty, never 0.
struct ArchiveRow {
  // The key: the PC clock's time of the row, UTC seconds since 1970.
  int64_t time = 0;
  // Seconds the row stands for (the archive interval it was written with).
  int32_t interval = 60;
  // The console's own clock at the row, as local wall-clock seconds since
  // 1970 completed with the PC's year; empty when the console sent no date
  // or the row was imported.
  std::optional<int64_t> consoleTime;

  std::optional<int32_t> tempOut;     // tenths of °C
  std::optional<int32_t> tempIn;      // tenths of °C
  std::optional<int32_t> humOut;      // %
  std::optional<int32_t> humIn;       // %
  std::optional<int32_t> dewOut;      // whole °C
  std::optional<int32_t> dewIn;       // whole °C
  std::optional<int32_t> baroLocal;   // hPa
  std::optional<int32_t> baroSea;     // tenths of hPa
  std::optional<int32_t> trend;       // code: 1 rising, 2 steady, 4 falling
  std::optional<int32_t> forecast;    // code: 1 sunny, 2 cloudy, 4 overcast, 8 rainy
  std::optional<int32_t> windSpeed;   // tenths of m/s
  std::optional<int32_t> windAvg;     // tenths of m/s
  std::optional<int32_t> windDir;     // degrees
  std::optional<int32_t> windAvgDir;  // degrees
  std::optional<int32_t> gust;        // tenths of m/s, highest of the interval
  std::optional<int32_t> gustDir;     // degrees
  std::optional<int32_t> rainRate;    // mm/h
  std::optional<int32_t> rainTotal;   // mm, the console's rain counter
  std::optional<int32_t> chill;       // whole °C

  // Bits of ArchiveFlag for the console's out-of-range flags; empty when no
  // group that carries them was seen.
  std::optional<int32_t> outOfRange;
  std::optional<bool> batteryLow;

  // Rain of this row in mm, worked out by the archive when the row is
  // stored (ignored when writing): the counter's rise since the row before
  // (a counter that went down was reset and starts anew), or for rows
  // without a counter the rate over the time to the next row, at most the
  // row's interval. Empty when neither gives a value.
  std::optional<double> rain;

  friend bool operator==(const ArchiveRow&, const ArchiveRow&) = default;
};

// Bits of ArchiveRow::outOfRange.
enum ArchiveFlag : int32_t {
  kHumOutOutOfRange = 1,
  kDewOutOutOfRange = 2,
  kDewInOutOfRange = 4,
  kRainRateOutOfRange = 8,
  kWindSpeedFlag = 16,
  kWindAvgFlag = 32,
  kGustFlag = 64,
  kHumInOutOfRange = 128,
};

// The quantities the archive summarises per day and aggregates per hour.
enum class ArchiveQuantity : uint8_t {
  TempOut,
  TempIn,
  HumOut,
  HumIn,
  DewOut,
  DewIn,
  BaroLocal,
  BaroSea,
  WindSpeed,
  WindAvg,
  Gust,
  RainRate,
  Chill,
};
inline constexpr int kArchiveQuantityCount = 13;

// The value of `q` in `row` in its natural unit (°C, %, hPa, m/s, mm/h),
// empty when the row holds none.
std::optional<double> quantityValue(const ArchiveRow& row, ArchiveQuantity q);

}  // namespace tavik
