// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/plot_series.h"

#include <algorithm>
#include <cstdlib>

namespace tavik {

namespace {

using RowIt = std::vector<WeatherLogRow>::const_iterator;

void linePoints(PlotSeries& s, RowIt first, RowIt last) {
  for (RowIt r = first; r != last; ++r) s.points.push_back({r->seconds, r->value(s.column)});
  if (s.points.size() < 2) return;
  std::vector<long long> gaps;
  for (size_t i = 1; i < s.points.size(); ++i)
    gaps.push_back(s.points[i].seconds - s.points[i - 1].seconds);
  std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
  const long long usual = std::max(gaps[gaps.size() / 2], 1LL);
  for (size_t i = 1; i < s.points.size(); ++i) {
    if (s.points[i].seconds - s.points[i - 1].seconds > 3 * usual) s.lineStarts.push_back(i);
  }
}

// The lowest and highest value of rows [a, b), taking the whole hours among
// them from `hours`.
void lowHigh(const std::vector<WeatherLogRow>& rows, size_t a, size_t b, size_t column,
             const std::vector<HourBlock>* hours, int32_t& low, int32_t& high) {
  low = rows[a].stored[column];
  high = low;
  auto scan = [&](size_t from, size_t to) {
    for (size_t r = from; r < to; ++r) {
      low = std::min(low, rows[r].stored[column]);
      high = std::max(high, rows[r].stored[column]);
    }
  };
  if (hours == nullptr || b - a < 180) return scan(a, b);
  auto h = std::lower_bound(hours->begin(), hours->end(), a,
                            [](const HourBlock& block, size_t i) { return block.first < i; });
  size_t at = a;
  for (; h != hours->end() && h->last <= b; ++h) {
    scan(at, h->first);
    low = std::min(low, h->low[column]);
    high = std::max(high, h->high[column]);
    at = h->last;
  }
  scan(at, b);
}

// Column x holds the rows with (seconds - from) * width / span == x; the
// rows at `to` go to the last column. Each column's rows are found by a
// binary search for its end, so no row needs a division.
void columnBands(PlotSeries& s, const std::vector<WeatherLogRow>& rows, RowIt first, RowIt last,
                 long long from, long long to, int width, const std::vector<HourBlock>* hours) {
  const auto column = static_cast<size_t>(s.column);
  const double scale = layoutOf(s.column).decimals == 1 ? 10.0 : 1.0;
  const long long span = std::max(to - from, 1LL);
  for (int x = 0; x < width && first != last; ++x) {
    RowIt end = last;
    if (x + 1 < width) {
      const long long bound = from + ((x + 1) * span + width - 1) / width;
      end = std::lower_bound(first, last, bound,
                             [](const WeatherLogRow& r, long long t) { return r.seconds < t; });
    }
    if (end == first) continue;
    int32_t low = 0, high = 0;
    lowHigh(rows, static_cast<size_t>(first - rows.begin()),
            static_cast<size_t>(end - rows.begin()), column, hours, low, high);
    s.bands.push_back({x, low / scale, high / scale});
    first = end;
  }
}

}  // namespace

std::vector<HourBlock> hourBlocks(const std::vector<WeatherLogRow>& rows) {
  std::vector<HourBlock> hours;
  for (size_t r = 0; r < rows.size(); ++r) {
    const long long hour = rows[r].seconds - ((rows[r].seconds % 3600) + 3600) % 3600;
    if (hours.empty() || rows[hours.back().first].seconds < hour) {
      hours.push_back({r, r, rows[r].stored, rows[r].stored});
    }
    HourBlock& h = hours.back();
    h.last = r + 1;
    for (size_t c = 0; c < kLogColumnCount; ++c) {
      h.low[c] = std::min(h.low[c], rows[r].stored[c]);
      h.high[c] = std::max(h.high[c], rows[r].stored[c]);
    }
  }
  return hours;
}

PlotSeries plotSeries(const std::vector<WeatherLogRow>& rows, LogColumn column, long long from,
                      long long to, int width, const std::vector<HourBlock>* hours) {
  PlotSeries s;
  s.column = column;
  const auto before = [](const WeatherLogRow& r, long long t) { return r.seconds < t; };
  const RowIt first = std::lower_bound(rows.begin(), rows.end(), from, before);
  const RowIt last = std::lower_bound(first, rows.end(), to + 1, before);
  s.banded = last - first > std::max(width, 1);
  if (s.banded) {
    columnBands(s, rows, first, last, from, to, std::max(width, 1), hours);
    s.low = s.bands.front().low;
    s.high = s.bands.front().high;
    for (const ColumnBand& b : s.bands) {
      s.low = std::min(s.low, b.low);
      s.high = std::max(s.high, b.high);
    }
  } else if (first != last) {
    linePoints(s, first, last);
    s.low = s.high = s.points.front().value;
    for (const SeriesPoint& p : s.points) {
      s.low = std::min(s.low, p.value);
      s.high = std::max(s.high, p.value);
    }
  }
  return s;
}

std::optional<ValueAt> valueAt(const PlotSeries& s, long long seconds, int x, long long reach) {
  if (s.banded) {
    const auto band = std::lower_bound(s.bands.begin(), s.bands.end(), x,
                                       [](const ColumnBand& b, int at) { return b.x < at; });
    if (band == s.bands.end() || band->x != x) return std::nullopt;
    return ValueAt{seconds, band->low, band->high};
  }
  const auto after =
      std::lower_bound(s.points.begin(), s.points.end(), seconds,
                       [](const SeriesPoint& p, long long t) { return p.seconds < t; });
  auto nearest = after;
  if (after == s.points.end() ||
      (after != s.points.begin() && seconds - (after - 1)->seconds <= after->seconds - seconds)) {
    if (after == s.points.begin()) return std::nullopt;
    nearest = after - 1;
  }
  if (std::llabs(nearest->seconds - seconds) > reach) return std::nullopt;
  return ValueAt{nearest->seconds, nearest->value, nearest->value};
}

}  // namespace tavik
