// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "products/weather_log_reader.h"

namespace tavik {

// What the explorer's chart draws of one Wetterlog column over a stretch of
// time [from, to] that is `width` pixels wide: the rows themselves when they
// are no more than the pixels, otherwise one band per pixel column from the
// lowest to the highest value of its rows, so that drawing a year costs no
// more than drawing a day.

struct SeriesPoint {
  long long seconds = 0;
  double value = 0;

  friend bool operator==(const SeriesPoint&, const SeriesPoint&) = default;
};

struct ColumnBand {
  int x = 0;  // pixel column from the left
  double low = 0;
  double high = 0;

  friend bool operator==(const ColumnBand&, const ColumnBand&) = default;
};

struct PlotSeries {
  LogColumn column = LogColumn::TempO;
  bool banded = false;
  std::vector<SeriesPoint> points;  // when not banded, in time order
  // Indices of points that start a new line: the gap before them is more
  // than three times the usual spacing of the rows (the station was off).
  std::vector<size_t> lineStarts;
  std::vector<ColumnBand> bands;  // when banded; columns without rows are left out
  double low = 0;                 // the lowest and highest value shown
  double high = 0;

  bool empty() const { return points.empty() && bands.empty(); }
};

// The lowest and highest stored value of every column over one clock hour
// of rows (rows [first, last) of the sorted log), so that a long stretch is
// drawn from its hours instead of every row.
struct HourBlock {
  size_t first = 0;
  size_t last = 0;
  std::array<int32_t, kLogColumnCount> low{};
  std::array<int32_t, kLogColumnCount> high{};
};
std::vector<HourBlock> hourBlocks(const std::vector<WeatherLogRow>& rows);

// `rows` sorted by time (sortWeatherLog); `hours` (hourBlocks of the same
// rows), when given, stand in for the rows of the hours a pixel column
// holds whole.
PlotSeries plotSeries(const std::vector<WeatherLogRow>& rows, LogColumn column, long long from,
                      long long to, int width, const std::vector<HourBlock>* hours = nullptr);

// What a series shows under the pointer at `seconds`, pixel column `x`: the
// point nearest in time, when it is no more than `reach` seconds away, or
// the band of that pixel column (low < high when its rows differ).
struct ValueAt {
  long long seconds = 0;  // the point's time, or `seconds` for a band
  double low = 0;
  double high = 0;
};
std::optional<ValueAt> valueAt(const PlotSeries& s, long long seconds, int x, long long reach);

}  // namespace tavik
