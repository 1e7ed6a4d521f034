// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "products/weather_log_columns.h"

namespace tavik {

// What the explorer's chart draws of one quantity over a stretch of time
// [from, to] that is `width` pixels wide: the rows themselves when they are
// no more than the pixels, otherwise one band per pixel column from the
// lowest to the highest value of its rows, hours or days, so that drawing a
// year costs no more than drawing a day.

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

// `points` are the rows of the stretch in time order, each its time and
// its value (rows without a value left out).
PlotSeries plotSeries(const std::vector<SeriesPoint>& points, LogColumn column, long long from,
                      long long to, int width);

// The lowest and highest value of the rows of a span [start, end): an hour
// or a day of the archive.
struct SpanBand {
  long long start = 0;
  long long end = 0;
  double low = 0;
  double high = 0;
};
// A long stretch from its hours or days: each fills the pixel columns it
// covers, a column covered by several takes the lowest and highest of them.
PlotSeries bandSeries(const std::vector<SpanBand>& spans, LogColumn column, long long from,
                      long long to, int width);

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
