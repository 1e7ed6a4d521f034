// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "station/weather_record.h"

namespace tavik {

class ArchiveHistory;

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

// The course of each display group's main value over the last hours, as the
// main window's charts draw it. The past comes from the station archive:
// the rows of the span are read through its time index once a minute (a day
// of rows at most, so a long archive costs nothing). The minutes after the
// archive's last row come from the record itself, one sample a minute (the
// last value seen in that minute), so that the chart runs up to now before
// the row of the minute is written, and without an archive at all. The
// injected clock says which minute it is.
class ChartHistory {
 public:
  static constexpr long long kKeptMinutes = 24 * 60;

  explicit ChartHistory(const Clock& clock);
  ~ChartHistory();
  ChartHistory(const ChartHistory&) = delete;
  ChartHistory& operator=(const ChartHistory&) = delete;

  // The archive to read from; opened again when the path changes, and
  // tried again each minute while it cannot be opened (it may not have been
  // written yet). An empty path reads none.
  void setArchive(const std::filesystem::path& path);

  // Takes the record's main values of every group kind that has been decoded
  // since start into the current minute; a value the console marks as out of
  // range is left out.
  void record(const WeatherRecord& weather, const StationState& state);

  // The points of the last `minutes` minutes up to now, oldest first.
  std::vector<HistoryPoint> points(HistoryQuantity q, long long minutes);

 private:
  void readArchive(long long now, long long minutes);

  const Clock& clock_;
  std::array<std::deque<HistoryPoint>, kHistoryQuantities> live_;
  std::filesystem::path archivePath_;
  std::unique_ptr<ArchiveHistory> archive_;
  // What was read from the archive, for which minute and span.
  std::array<std::vector<HistoryPoint>, kHistoryQuantities> archived_;
  std::optional<long long> lastArchivedMinute_;
  long long readAt_ = -1;
  long long readSpan_ = 0;
};

// Local minutes since 1970-01-01 00:00.
long long minuteOf(const LocalDateTime& t);

}  // namespace tavik
