// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/plot_series.h"

#include <algorithm>
#include <cstdlib>

namespace tavik {

namespace {

void lineStarts(PlotSeries& s) {
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

// The pixel column of a moment: (seconds - from) * width / span, the end
// of the stretch in the last column.
int columnOf(long long seconds, long long from, long long span, int width) {
  const long long x = (seconds - from) * width / span;
  return static_cast<int>(std::clamp<long long>(x, 0, width - 1));
}

void addToColumn(std::vector<ColumnBand>& bands, int x, double low, double high) {
  if (!bands.empty() && bands.back().x == x) {
    bands.back().low = std::min(bands.back().low, low);
    bands.back().high = std::max(bands.back().high, high);
  } else {
    bands.push_back({x, low, high});
  }
}

void findRange(PlotSeries& s) {
  if (s.banded && !s.bands.empty()) {
    s.low = s.bands.front().low;
    s.high = s.bands.front().high;
    for (const ColumnBand& b : s.bands) {
      s.low = std::min(s.low, b.low);
      s.high = std::max(s.high, b.high);
    }
  } else if (!s.points.empty()) {
    s.low = s.high = s.points.front().value;
    for (const SeriesPoint& p : s.points) {
      s.low = std::min(s.low, p.value);
      s.high = std::max(s.high, p.value);
    }
  }
}

}  // namespace

PlotSeries plotSeries(const std::vector<SeriesPoint>& points, LogColumn column, long long from,
                      long long to, int width) {
  PlotSeries s;
  s.column = column;
  width = std::max(width, 1);
  const long long span = std::max(to - from, 1LL);
  s.banded = points.size() > static_cast<size_t>(width);
  for (const SeriesPoint& p : points) {
    if (p.seconds < from || p.seconds > to) continue;
    if (s.banded) {
      addToColumn(s.bands, columnOf(p.seconds, from, span, width), p.value, p.value);
    } else {
      s.points.push_back(p);
    }
  }
  lineStarts(s);
  findRange(s);
  return s;
}

PlotSeries bandSeries(const std::vector<SpanBand>& spans, LogColumn column, long long from,
                      long long to, int width) {
  PlotSeries s;
  s.column = column;
  s.banded = true;
  width = std::max(width, 1);
  const long long span = std::max(to - from, 1LL);
  for (const SpanBand& b : spans) {
    if (b.end <= from || b.start > to) continue;
    const int first = columnOf(std::max(b.start, from), from, span, width);
    const int last = std::max(first, columnOf(std::min(b.end, to + 1) - 1, from, span, width));
    for (int x = first; x <= last; ++x) addToColumn(s.bands, x, b.low, b.high);
  }
  findRange(s);
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
