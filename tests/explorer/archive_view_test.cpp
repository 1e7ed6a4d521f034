// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/archive_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "archive_rows.h"
#include "explorer/daily_table.h"
#include "products/utc_time.h"
#include "temp_folder.h"
#include "weather_log_tree.h"

namespace tavik {
namespace {

constexpr long long kDay = 86400;

const RegionalSettings& de() { return RegionalSettings::german(); }

long long local(const LocalDateTime& t) { return secondsOf(t); }

class ArchiveViewTest : public ::testing::Test {
 protected:
  ArchiveView open() {
    std::string error;
    std::unique_ptr<ArchiveHistory> history = ArchiveHistory::open(archive, error);
    EXPECT_TRUE(history) << error;
    return ArchiveView(std::move(history));
  }

  testing::TempFolder folder;
  std::filesystem::path archive = folder.path() / "archive.sqlite";
};

// A short stretch shows its rows as they are; a gap in them is a gap, and
// a value the row does not hold is left out rather than drawn as 0.
TEST_F(ArchiveViewTest, AShortStretchShowsItsRows) {
  std::vector<ArchiveRow> rows = test::archiveRows({2026, 12, 8, 10, 0, 0}, 600, 12);
  rows[3].tempOut.reset();
  test::writeArchive(archive, rows);
  const ArchiveView view = open();
  EXPECT_EQ(view.first(), local({2026, 12, 8, 10, 0, 0}));
  EXPECT_EQ(view.last(), local({2026, 12, 8, 11, 50, 0}));
  const long long from = local({2026, 12, 8, 10, 0, 0}), to = from + 3600;
  const PlotSeries s = view.series(LogColumn::TempO, from, to, 400);
  ASSERT_FALSE(s.banded);
  std::vector<SeriesPoint> expected;
  for (size_t i = 0; i <= 6; ++i) {
    if (rows[i].tempOut)
      expected.push_back({from + 600 * static_cast<long long>(i), *rows[i].tempOut / 10.0});
  }
  EXPECT_EQ(s.points, expected);
  EXPECT_EQ(view.series(LogColumn::BaroS, from, to, 400).points.front().value,
            *rows[0].baroSea / 10.0);
  EXPECT_TRUE(view.series(LogColumn::TempO, to + kDay, to + 2 * kDay, 400).empty());
}

// Every longer stretch, from hours or days, shows the lowest and highest
// values of the rows it covers, in as many columns as it has pixels.
TEST_F(ArchiveViewTest, LongerStretchesBandTheRowsTheirHoursOrDays) {
  // Two years of hourly rows.
  const std::vector<ArchiveRow> rows = test::archiveRows({2025, 1, 1}, 3600, 2 * 365 * 24);
  test::writeArchive(archive, rows);
  const ArchiveView view = open();
  const long long first = *view.first(), last = *view.last();
  const PlotSeries twoDays = view.series(LogColumn::TempO, last - 2 * kDay, last, 200);
  EXPECT_EQ(twoDays.points.size(), 49u);  // fewer rows than pixels: the rows themselves
  for (const long long span : {5 * kDay, 30 * kDay, 365 * kDay, 730 * kDay}) {
    double low = 1e9, high = -1e9;
    for (const ArchiveRow& r : rows) {
      if (r.time < test::utcOf(timeOfSeconds(last - span))) continue;
      low = std::min(low, *r.tempOut / 10.0);
      high = std::max(high, *r.tempOut / 10.0);
    }
    const PlotSeries s = view.series(LogColumn::TempO, last - span, last, 200);
    ASSERT_TRUE(s.banded) << span;
    EXPECT_EQ(s.bands.size(), 200u) << span;
    EXPECT_NEAR(s.low, low, 1e-9) << span;
    EXPECT_NEAR(s.high, high, 1e-9) << span;
  }
  // A day band holds exactly its day's rows.
  const PlotSeries all = view.series(LogColumn::TempO, first, first + 730 * kDay, 730);
  double dayLow = 1e9, dayHigh = -1e9;
  for (size_t i = 0; i < 24; ++i) {
    dayLow = std::min(dayLow, *rows[i].tempOut / 10.0);
    dayHigh = std::max(dayHigh, *rows[i].tempOut / 10.0);
  }
  EXPECT_EQ(all.bands.front().x, 0);
  EXPECT_NEAR(all.bands.front().low, dayLow, 1e-9);
  EXPECT_NEAR(all.bands.front().high, dayHigh, 1e-9);
}

TEST_F(ArchiveViewTest, TheTableSummarisesEachDayOfTheStretch) {
  std::vector<ArchiveRow> rows = test::archiveRows({2026, 12, 6, 0, 5, 0}, 600, 3 * 144);
  rows[150].tempOut = -123;  // 7 December 01:05
  rows[160].tempOut = 345;   // 02:45
  rows[170].rainRate = 42;
  rows[200].humOut.reset();  // the day's humidity from its other rows
  test::writeArchive(archive, rows);
  const ArchiveView view = open();
  const DaySpan table = view.tableDays(LogColumn::TempO, local({2026, 12, 7, 0, 0, 0}),
                                       local({2026, 12, 8, 0, 0, 0}));
  ASSERT_EQ(table.size(), 1u);
  const auto cell = [&](DayCell c, LogColumn column = LogColumn::TempO) {
    return dayCellText(table[0], c, column, de());
  };
  EXPECT_EQ(cell(DayCell::Day), "07.12.26");
  EXPECT_EQ(cell(DayCell::Minimum), "-12,3");
  EXPECT_EQ(cell(DayCell::MinimumTime), "01:05");
  EXPECT_EQ(cell(DayCell::Maximum), "34,5");
  EXPECT_EQ(cell(DayCell::MaximumTime), "02:45");
  double sum = 0;
  for (size_t i = 144; i < 288; ++i) sum += *rows[i].tempOut / 10.0;
  EXPECT_EQ(cell(DayCell::Mean), fixedDecimalText(std::round(sum / 144 * 100) / 100, 2, ','));
  EXPECT_EQ(cell(DayCell::RainMax), "42");
  EXPECT_EQ(cell(DayCell::WindMax), "14,9");
  // A quantity the table was not read for has no values to show.
  EXPECT_EQ(cell(DayCell::Minimum, LogColumn::FeuchtO), "–");
  EXPECT_EQ(cell(DayCell::MinimumTime, LogColumn::FeuchtO), "");
  EXPECT_EQ(view.tableDays(LogColumn::TempO, local({2026, 12, 6, 12, 0, 0}),
                           local({2026, 12, 8, 12, 0, 0}))
                .size(),
            3u);
  EXPECT_EQ(view.tableDays(LogColumn::WindR, local({2026, 12, 6}), local({2026, 12, 9})).size(),
            0u);
}

// Stretches longer than the view reads each time come from the summaries
// it keeps, and those follow what is written to the archive after it was
// opened: rows at its end and rows of older days alike.
TEST_F(ArchiveViewTest, TheKeptSummariesFollowNewRows) {
  const int hours = 2 * 365 * 24;
  test::writeArchive(archive, test::archiveRows({2025, 1, 1}, 3600, hours));
  const ArchiveView view = open();
  const long long first = *view.first();
  const long long allTo = first + 800 * kDay;
  const DaySpan before = view.tableDays(LogColumn::TempO, first, allTo);
  ASSERT_EQ(before.size(), 730u);
  // What was kept matches what the archive gives when read.
  std::string error;
  const auto reader = ArchiveHistory::open(archive, error);
  ASSERT_TRUE(reader) << error;
  const std::vector<DaySummary> read = reader->days(
      {2025, 1, 1}, {2026, 12, 31},
      {ArchiveQuantity::TempOut, ArchiveQuantity::WindSpeed, ArchiveQuantity::RainRate});
  ASSERT_EQ(read.size(), before.size());
  for (size_t i = 0; i < read.size(); ++i) {
    for (const DayCell c : {DayCell::Day, DayCell::Minimum, DayCell::MaximumTime, DayCell::Mean,
                            DayCell::WindMax, DayCell::RainMax})
      ASSERT_EQ(dayCellText(before[i], c, LogColumn::TempO, de()),
                dayCellText(read[i], c, LogColumn::TempO, de()))
          << i;
  }
  EXPECT_EQ(view.series(LogColumn::FeuchtO, first, allTo, 300).high, 94);

  // Rows at the end: the last day gets a new high, a new day follows.
  std::vector<ArchiveRow> more = test::archiveRows({2026, 12, 31, 23, 30, 0}, 3600, 2);
  more[0].tempOut = 555;
  more[1].humOut = 99;
  test::writeArchive(archive, more);
  EXPECT_EQ(view.last(), local({2027, 1, 1, 0, 30, 0}));
  const DaySpan after = view.tableDays(LogColumn::TempO, first, allTo);
  ASSERT_EQ(after.size(), 731u);
  EXPECT_EQ(dayCellText(after[729], DayCell::Maximum, LogColumn::TempO, de()), "55,5");
  EXPECT_EQ(dayCellText(after[730], DayCell::Day, LogColumn::TempO, de()), "01.01.27");
  EXPECT_EQ(view.series(LogColumn::FeuchtO, first, allTo, 300).high, 99);
  // What was handed out before stays as it was.
  ASSERT_EQ(before.size(), 730u);
  EXPECT_NE(dayCellText(before[729], DayCell::Maximum, LogColumn::TempO, de()), "55,5");

  // A row between older ones, as an import writes it.
  std::vector<ArchiveRow> older = test::archiveRows({2025, 3, 1, 12, 30, 0}, 3600, 1);
  older[0].tempOut = -444;
  test::writeArchive(archive, older);
  const DaySpan imported = view.tableDays(LogColumn::TempO, first, allTo);
  ASSERT_EQ(imported.size(), 731u);
  EXPECT_EQ(dayCellText(imported[59], DayCell::Day, LogColumn::TempO, de()), "01.03.25");
  EXPECT_EQ(dayCellText(imported[59], DayCell::Minimum, LogColumn::TempO, de()), "-44,4");
  EXPECT_EQ(dayCellText(imported[59], DayCell::MinimumTime, LogColumn::TempO, de()), "12:30");
}

// A Wetterlog is read into a new archive first, with progress, unless the
// path is an archive itself; a path without a Wetterlog says why.
TEST_F(ArchiveViewTest, AWetterlogIsReadIntoATemporaryArchive) {
  test::LogTreeWriter writer(folder.path() / "log");
  const std::vector<WeatherLogRow> written =
      writer.write(LocalDateTime{2026, 12, 6, 0, 5, 0, 0}, 600, 2 * 144);
  std::vector<std::pair<size_t, size_t>> steps;
  const ArchiveOpening opened = prepareArchive(
      folder.path() / "log", folder.path() / "scratch.sqlite", de(),
      [&](size_t done, size_t total) { steps.emplace_back(done, total); }, nullptr);
  ASSERT_TRUE(opened.archive) << opened.error.value_or("");
  EXPECT_EQ(*opened.archive, folder.path() / "scratch.sqlite");
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back().first, steps.back().second);
  archive = *opened.archive;
  const ArchiveView view = open();
  EXPECT_EQ(view.first(), written.front().seconds);
  EXPECT_EQ(view.last(), written.back().seconds);
  const PlotSeries s = view.series(LogColumn::TempO, written[10].seconds, written[20].seconds, 400);
  ASSERT_EQ(s.points.size(), 11u);
  EXPECT_DOUBLE_EQ(s.points[0].value, written[10].value(LogColumn::TempO));
  // The archive itself opens as it is.
  EXPECT_EQ(prepareArchive(archive, folder.path() / "other.sqlite", de(), {}, nullptr).archive,
            archive);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "other.sqlite"));

  std::atomic<bool> cancel{true};
  EXPECT_FALSE(
      prepareArchive(folder.path() / "log", folder.path() / "c.sqlite", de(), {}, &cancel).archive);
  const ArchiveOpening none =
      prepareArchive(folder.path() / "missing", folder.path() / "m.sqlite", de(), {}, nullptr);
  EXPECT_FALSE(none.archive);
  EXPECT_TRUE(none.error);
  std::filesystem::create_directories(folder.path() / "empty");
  const ArchiveOpening empty =
      prepareArchive(folder.path() / "empty", folder.path() / "e.sqlite", de(), {}, nullptr);
  ASSERT_TRUE(empty.error);
  EXPECT_NE(empty.error->find("keine Wetterlog-Datei"), std::string::npos) << *empty.error;
}

}  // namespace
}  // namespace tavik
