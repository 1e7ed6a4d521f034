// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/plot_series.h"

#include <gtest/gtest.h>

#include "explorer/history_range.h"
#include "products/weather_log_reader.h"

namespace tavik {
namespace {

// Rows one minute apart whose value runs 0.0, 0.1, ... and back at every
// tenth row.
std::vector<SeriesPoint> minuteRows(long long start, int count) {
  std::vector<SeriesPoint> rows(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    rows[static_cast<size_t>(i)] = {start + 60LL * i, (i % 10) / 10.0};
  return rows;
}

TEST(PlotSeriesTest, FewRowsArePlottedAsTheyAreWithBreaksAtGaps) {
  std::vector<SeriesPoint> rows = minuteRows(0, 6);
  rows.erase(rows.begin() + 3);  // two minutes without a row is no gap yet
  rows[4].seconds += 600;        // ten more minutes is one
  const PlotSeries s = plotSeries(rows, LogColumn::TempO, 60, 3600, 100);
  ASSERT_FALSE(s.banded);
  EXPECT_EQ(s.points, (std::vector<SeriesPoint>{{60, 0.1}, {120, 0.2}, {240, 0.4}, {900, 0.5}}));
  EXPECT_EQ(s.lineStarts, (std::vector<size_t>{3}));
  EXPECT_DOUBLE_EQ(s.low, 0.1);
  EXPECT_DOUBLE_EQ(s.high, 0.5);
  EXPECT_TRUE(plotSeries(rows, LogColumn::TempO, 5000, 9000, 100).empty());
}

TEST(PlotSeriesTest, ManyRowsBecomeOneMinimumAndMaximumPerPixelColumn) {
  const std::vector<SeriesPoint> rows = minuteRows(0, 600);
  // 600 minutes on 30 pixels: 20 rows per column, two cycles of 0.0..0.9.
  const PlotSeries s = plotSeries(rows, LogColumn::TempO, 0, 600 * 60, 30);
  ASSERT_TRUE(s.banded);
  ASSERT_EQ(s.bands.size(), 30u);
  for (int x = 0; x < 30; ++x)
    EXPECT_EQ(s.bands[static_cast<size_t>(x)], (ColumnBand{x, 0.0, 0.9}));
  // The last second of the stretch belongs to the last column.
  const std::vector<SeriesPoint> edgeRows = minuteRows(0, 36);
  const PlotSeries edge = plotSeries(edgeRows, LogColumn::TempO, 0, 35 * 60, 7);
  EXPECT_EQ(edge.bands.back(), (ColumnBand{6, 0.0, 0.5}));
  // Columns without rows are left out.
  std::vector<SeriesPoint> gap = rows;
  gap.erase(gap.begin() + 100, gap.begin() + 300);
  const PlotSeries holes = plotSeries(gap, LogColumn::TempO, 0, 600 * 60, 30);
  EXPECT_EQ(holes.bands.size(), 20u);
  EXPECT_EQ(holes.bands[5].x, 15);
}

// Hours or days fill every column they cover, and a column that several
// cover takes the lowest and highest of them.
TEST(PlotSeriesTest, SpansFillTheColumnsTheyCover) {
  const std::vector<SpanBand> hours = {{0, 3600, 1, 2}, {3600, 7200, 5, 6}, {10800, 14400, -1, 0}};
  const PlotSeries wide = bandSeries(hours, LogColumn::TempO, 0, 14400, 8);
  EXPECT_EQ(wide.bands, (std::vector<ColumnBand>{
                            {0, 1, 2}, {1, 1, 2}, {2, 5, 6}, {3, 5, 6}, {6, -1, 0}, {7, -1, 0}}));
  EXPECT_DOUBLE_EQ(wide.low, -1);
  EXPECT_DOUBLE_EQ(wide.high, 6);
  const PlotSeries narrow = bandSeries(hours, LogColumn::TempO, 0, 14400, 2);
  EXPECT_EQ(narrow.bands, (std::vector<ColumnBand>{{0, 1, 6}, {1, -1, 0}}));
  // Spans outside the stretch are left out, one reaching into it is clipped.
  const PlotSeries late = bandSeries(hours, LogColumn::TempO, 5400, 9000, 4);
  EXPECT_EQ(late.bands, (std::vector<ColumnBand>{{0, 5, 6}, {1, 5, 6}}));
}

TEST(PlotSeriesTest, TheValueUnderThePointerIsTheNearestPointOrTheColumnsBand) {
  const std::vector<SeriesPoint> rows = minuteRows(0, 6);
  const PlotSeries line = plotSeries(rows, LogColumn::TempO, 0, 3600, 100);
  // 100 s lies nearer 120 than 60; a tie goes to the earlier point.
  EXPECT_EQ(valueAt(line, 100, 0, 60)->seconds, 120);
  EXPECT_DOUBLE_EQ(valueAt(line, 100, 0, 60)->low, 0.2);
  EXPECT_EQ(valueAt(line, 90, 0, 60)->seconds, 60);
  EXPECT_EQ(valueAt(line, -10, 0, 60)->seconds, 0);
  EXPECT_EQ(valueAt(line, 310, 0, 60)->seconds, 300);
  EXPECT_FALSE(valueAt(line, 400, 0, 60));  // beyond the reach of the last point
  EXPECT_FALSE(valueAt(PlotSeries{}, 0, 0, 60));

  const PlotSeries banded = plotSeries(minuteRows(0, 600), LogColumn::TempO, 0, 600 * 60, 30);
  const auto band = valueAt(banded, 1234, 4, 60);
  ASSERT_TRUE(band);
  EXPECT_EQ(band->seconds, 1234);
  EXPECT_DOUBLE_EQ(band->low, 0.0);
  EXPECT_DOUBLE_EQ(band->high, 0.9);
  EXPECT_FALSE(valueAt(banded, 0, 30, 60));
}

TEST(HistoryRangeTest, CalendarStepsZoomAndPan) {
  HistoryRange r;
  const long long end = secondsOf({2027, 3, 31, 12, 0, 0, 0});
  r.show(RangeKind::Month, end, 0, end);
  EXPECT_EQ(r.from(), secondsOf({2027, 2, 28, 12, 0, 0, 0}));
  r.previous();
  EXPECT_EQ(r.to(), secondsOf({2027, 2, 28, 12, 0, 0, 0}));
  EXPECT_EQ(r.from(), secondsOf({2027, 1, 28, 12, 0, 0, 0}));
  r.show(RangeKind::Year, secondsOf({2028, 2, 29, 0, 0, 0, 0}), 0, 0);
  EXPECT_EQ(r.from(), secondsOf({2027, 2, 28, 0, 0, 0, 0}));
  r.show(RangeKind::Week, end, 0, end);
  r.next();
  EXPECT_EQ(r.from(), end);
  r.jumpTo(2026, 12, 31);
  EXPECT_EQ(r.to(), secondsOf({2027, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(r.kind(), RangeKind::Week);

  r.show(RangeKind::Day, 86400 * 10, 0, 0);
  r.zoom(0.5, 1.0);  // around the end
  EXPECT_EQ(r.to(), 86400 * 10);
  EXPECT_EQ(r.from(), 86400 * 10 - 43200);
  EXPECT_EQ(r.kind(), RangeKind::Free);
  for (int i = 0; i < 40; ++i) r.zoom(0.5, 0.5);
  EXPECT_EQ(r.to() - r.from(), 600);  // ten minutes at least
  r.pan(-60);
  EXPECT_EQ(r.to() - r.from(), 600);
  r.show(RangeKind::All, 0, 1000, 1000);  // a single row
  EXPECT_GT(r.to(), r.from());
}

}  // namespace
}  // namespace tavik
