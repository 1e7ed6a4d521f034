// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "archive/row_rain.h"
#include "temp_folder.h"

namespace tavik {
namespace {

ArchiveRow fullRow(int64_t time) {
  ArchiveRow r;
  r.time = time;
  r.interval = 60;
  r.consoleTime = time + 3600;
  r.tempOut = -153;
  r.tempIn = 215;
  r.humOut = 87;
  r.humIn = 45;
  r.dewOut = -3;
  r.dewIn = 9;
  r.baroLocal = 1003;
  r.baroSea = 10157;
  r.trend = 4;
  r.forecast = 8;
  r.windSpeed = 123;
  r.windAvg = 98;
  r.windDir = 270;
  r.windAvgDir = 260;
  r.gust = 201;
  r.gustDir = 280;
  r.rainRate = 12;
  r.rainTotal = 345;
  r.chill = -7;
  r.outOfRange = kDewOutOutOfRange | kGustFlag;
  r.batteryLow = true;
  return r;
}

class ArchiveTest : public ::testing::Test {
 protected:
  std::unique_ptr<ArchiveWriter> writer() {
    std::string error;
    auto w = ArchiveWriter::open(path(), error);
    EXPECT_TRUE(w) << error;
    return w;
  }
  std::unique_ptr<ArchiveHistory> history() {
    std::string error;
    auto h = ArchiveHistory::open(path(), error);
    EXPECT_TRUE(h) << error;
    return h;
  }
  std::filesystem::path path() const { return folder.path() / "sub" / "archive.sqlite"; }
  std::vector<ArchiveRow> all(ArchiveHistory& h) {
    std::vector<ArchiveRow> rows;
    EXPECT_TRUE(h.rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow& r) {
      rows.push_back(r);
      return true;
    }));
    return rows;
  }

  testing::TempFolder folder;
  // Noon of a summer day, local time: far from midnight and from clock
  // changes in any time zone.
  const int64_t noon = startOfLocalDay({2026, 6, 15}) + 12 * 3600;
};

TEST_F(ArchiveTest, EveryFieldComesBackAndAbsentOnesStayEmpty) {
  auto w = writer();
  ArchiveRow full = fullRow(noon);
  ArchiveRow empty;
  empty.time = noon + 60;
  empty.interval = 300;
  ASSERT_EQ(w->write(full), ArchiveWriter::Result::Added) << w->lastError();
  ASSERT_EQ(w->write(empty), ArchiveWriter::Result::Added) << w->lastError();
  // Written again: left as it is.
  ArchiveRow changed = full;
  changed.tempOut = 0;
  EXPECT_EQ(w->write(changed), ArchiveWriter::Result::Present);

  auto h = history();
  const auto rows = all(*h);
  ASSERT_EQ(rows.size(), 2u);
  ArchiveRow expected = full;
  expected.rain = 12 * 60 / 3600.0;  // no counter before it: the rate over its interval
  EXPECT_EQ(rows[0], expected);
  EXPECT_EQ(rows[1], empty);  // no value became 0, and no rain was made up
  EXPECT_EQ(h->firstTime(), noon);
  EXPECT_EQ(h->lastTime(), noon + 60);
  const auto summary = h->days({2026, 6, 15}, {2026, 6, 15});
  ASSERT_EQ(summary.size(), 1u);
  EXPECT_EQ(summary[0].rows, 2);
  EXPECT_EQ(summary[0].of(ArchiveQuantity::TempOut).count, 1);  // the empty row is not a 0
  EXPECT_DOUBLE_EQ(*summary[0].of(ArchiveQuantity::TempOut).min, -15.3);
}

TEST_F(ArchiveTest, DailySummaryKeepsExtremesWithTimesMeansWindAndDirection) {
  auto w = writer();
  const std::array<int, 4> temps = {105, -20, 250, -20};
  for (int i = 0; i < 4; ++i) {
    ArchiveRow r;
    r.time = noon + i * 600;
    r.interval = 600;
    r.tempOut = temps[static_cast<size_t>(i)];
    r.windSpeed = 50;  // 5 m/s for 10 minutes: 3 km each
    r.windDir = i < 3 ? 90 : 0;
    ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added);
  }
  ArchiveRow nextDay;
  nextDay.time = noon + 86400;
  nextDay.tempOut = 999;
  ASSERT_EQ(w->write(nextDay), ArchiveWriter::Result::Added);

  auto h = history();
  const auto days = h->days({2026, 6, 15}, {2026, 6, 15});
  ASSERT_EQ(days.size(), 1u);
  const DaySummary& d = days[0];
  EXPECT_EQ(d.date, (ArchiveDate{2026, 6, 15}));
  EXPECT_EQ(d.rows, 4);
  EXPECT_EQ(d.firstTime, noon);
  EXPECT_EQ(d.lastTime, noon + 1800);
  const QuantityAggregate& t = d.of(ArchiveQuantity::TempOut);
  EXPECT_DOUBLE_EQ(*t.min, -2.0);
  EXPECT_EQ(t.minTime, noon + 600);  // the first of two equal minima
  EXPECT_DOUBLE_EQ(*t.max, 25.0);
  EXPECT_EQ(t.maxTime, noon + 1200);
  EXPECT_NEAR(*t.mean(), (10.5 - 2 + 25 - 2) / 4, 1e-9);
  EXPECT_NEAR(d.windRun, 12.0, 1e-9);
  EXPECT_EQ(d.prevailingDir, 72);  // three parts east, one part north
  EXPECT_FALSE(d.of(ArchiveQuantity::HumOut).mean());
  EXPECT_EQ(h->days({2026, 6, 15}, {2026, 6, 16}).size(), 2u);
  const auto onlyTemp = h->days({2026, 6, 15}, {2026, 6, 16}, ArchiveQuantity::TempOut);
  ASSERT_EQ(onlyTemp.size(), 2u);
  EXPECT_EQ(onlyTemp[0].of(ArchiveQuantity::TempOut).maxTime, noon + 1200);
  EXPECT_DOUBLE_EQ(*onlyTemp[1].of(ArchiveQuantity::TempOut).max, 99.9);
  EXPECT_EQ(onlyTemp[0].of(ArchiveQuantity::WindSpeed).count, 0);
  EXPECT_NEAR(onlyTemp[0].windRun, 12.0, 1e-9);

  // Hours are UTC hours; a zone half an hour off splits the day's rows in two.
  const auto hours = h->hourly(ArchiveQuantity::TempOut, noon - 3600, noon + 2 * 86400);
  ASSERT_GE(hours.size(), 2u);
  int64_t count = 0;
  double highest = -100;
  for (size_t i = 0; i + 1 < hours.size(); ++i) {
    EXPECT_EQ(hours[i].hourStart % 3600, 0);
    count += hours[i].value.count;
    highest = std::max(highest, *hours[i].value.max);
  }
  EXPECT_EQ(count, 4);
  EXPECT_DOUBLE_EQ(highest, 25.0);
  EXPECT_DOUBLE_EQ(*hours.back().value.min, 99.9);
  EXPECT_EQ(hours.back().value.minTime, noon + 86400);
}

TEST_F(ArchiveTest, RainFollowsTheCounterOverAResetAndAMissingDay) {
  auto w = writer();
  struct Step {
    int64_t at;
    int total;
  };
  // 10 → 12 (+2), reset to 1 (new start), → 3 (+2), a day without rows,
  // → 7 (+4 on the day after).
  const std::vector<Step> steps = {{0, 10}, {60, 12}, {120, 1}, {180, 3}, {2 * 86400, 7}};
  for (const Step& s : steps) {
    ArchiveRow r;
    r.time = noon + s.at;
    r.rainTotal = s.total;
    r.rainRate = 99;  // the counter wins over the rate wherever there is one before
    ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added);
  }
  auto h = history();
  const double firstRow = 99 * 60 / 3600.0;  // no counter before the first row
  EXPECT_NEAR(h->rainBetween(noon + 1, noon + 3 * 86400), 8.0, 1e-9);
  EXPECT_NEAR(h->rainBetween(noon, noon + 86400), firstRow + 4.0, 1e-9);
  const auto days = h->days({2026, 6, 15}, {2026, 6, 30});
  ASSERT_EQ(days.size(), 2u);
  EXPECT_NEAR(days[0].rain, firstRow + 4.0, 1e-9);
  EXPECT_EQ(days[1].date, (ArchiveDate{2026, 6, 17}));
  EXPECT_NEAR(days[1].rain, 4.0, 1e-9);
  const auto samples = h->counterSamples(noon + 120);
  ASSERT_EQ(samples.size(), 3u);
  EXPECT_EQ(samples[0].total, 1);
  EXPECT_EQ(samples[2].time, noon + 2 * 86400);
}

TEST_F(ArchiveTest, RateRainCountsUpToTheNextRowAtMostTheIntervalLastRowIncluded) {
  auto w = writer();
  // Ten-minute rows at 60 mm/h: 10 mm each, the day's last one included.
  for (int i = 0; i < 3; ++i) {
    ArchiveRow r;
    r.time = noon + i * 600;
    r.interval = 600;
    r.rainRate = 60;
    ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added);
  }
  auto h = history();
  EXPECT_NEAR(h->rainBetween(noon, noon + 86400), 30.0, 1e-9);
  // A row written later between two others shortens the one before it and
  // counts only up to the next.
  ArchiveRow between;
  between.time = noon + 900;
  between.interval = 600;
  between.rainRate = 60;
  ASSERT_EQ(w->write(between), ArchiveWriter::Result::Added);
  EXPECT_NEAR(h->rainBetween(noon + 600, noon + 601), 5.0, 1e-9);
  EXPECT_NEAR(h->rainBetween(noon + 900, noon + 901), 5.0, 1e-9);
  EXPECT_NEAR(h->rainBetween(noon, noon + 86400), 30.0, 1e-9);
  EXPECT_NEAR(h->days({2026, 6, 15}, {2026, 6, 15}).at(0).rain, 30.0, 1e-9);
}

TEST_F(ArchiveTest, ABatchGivesTheSameRowsAndSummariesAsSingleWrites) {
  auto w = writer();
  ASSERT_TRUE(w->beginBatch());
  for (const int64_t at : {0, 600, 300, 1200, 1200}) {
    ArchiveRow r;
    r.time = noon + at;
    r.interval = 600;
    r.rainRate = 60;
    r.tempOut = static_cast<int32_t>(at);
    w->write(r);
  }
  ASSERT_TRUE(w->commitBatch()) << w->lastError();
  auto h = history();
  EXPECT_EQ(all(*h).size(), 4u);
  EXPECT_NEAR(h->rainBetween(noon, noon + 86400), 5.0 + 5.0 + 10.0 + 10.0, 1e-9);
  const auto days = h->days({2026, 6, 15}, {2026, 6, 15});
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].rows, 4);
  EXPECT_NEAR(days[0].rain, 30.0, 1e-9);
  EXPECT_DOUBLE_EQ(*days[0].of(ArchiveQuantity::TempOut).max, 120.0);
}

// Several quantities of a span of days come back as each does alone, and
// with the days' totals; a quantity a day has no value of stays empty.
TEST_F(ArchiveTest, DaysOfSeveralQuantitiesMatchThoseReadAlone) {
  auto w = writer();
  for (int day = 0; day < 3; ++day) {
    for (int i = 0; i < 3; ++i) {
      ArchiveRow r = fullRow(noon + day * 86400 + i * 600);
      r.tempOut = -100 + day * 50 + i * 7;
      r.windSpeed = day * 10 + i;
      if (day == 1) r.rainRate.reset();
      ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added) << w->lastError();
    }
  }
  auto h = history();
  const ArchiveDate first{2026, 6, 15}, last{2026, 6, 17};
  const std::vector<ArchiveQuantity> few = {ArchiveQuantity::RainRate, ArchiveQuantity::TempOut,
                                            ArchiveQuantity::WindSpeed};
  const auto together = h->days(first, last, few);
  const auto everything = h->days(first, last);
  ASSERT_EQ(together.size(), 3u);
  ASSERT_EQ(everything.size(), 3u);
  for (size_t d = 0; d < together.size(); ++d) {
    EXPECT_EQ(together[d].rows, 3);
    for (const ArchiveQuantity q : few) {
      const auto alone = h->days(first, last, q);
      ASSERT_EQ(alone.size(), 3u);
      for (const auto* other : {&alone[d], &everything[d]}) {
        const QuantityAggregate& a = together[d].of(q);
        const QuantityAggregate& b = other->of(q);
        EXPECT_EQ(a.min, b.min);
        EXPECT_EQ(a.minTime, b.minTime);
        EXPECT_EQ(a.max, b.max);
        EXPECT_EQ(a.maxTime, b.maxTime);
        EXPECT_EQ(a.count, b.count);
      }
    }
    EXPECT_EQ(together[d].of(ArchiveQuantity::HumOut).count, 0);
  }
  EXPECT_FALSE(together[1].of(ArchiveQuantity::RainRate).max);
  EXPECT_DOUBLE_EQ(*together[2].of(ArchiveQuantity::TempOut).max, 1.4);
  EXPECT_DOUBLE_EQ(*together[2].of(ArchiveQuantity::WindSpeed).max, 2.2);
}

// A reader learns that another connection wrote, and how many rows the
// days before a day hold.
TEST_F(ArchiveTest, AReaderSeesThatTheArchiveWasWritten) {
  auto w = writer();
  ASSERT_EQ(w->write(fullRow(noon)), ArchiveWriter::Result::Added);
  auto h = history();
  const int64_t version = h->dataVersion();
  ASSERT_GE(version, 0) << h->lastError();
  EXPECT_EQ(all(*h).size(), 1u);
  EXPECT_EQ(h->dataVersion(), version);  // reading changes nothing
  EXPECT_EQ(h->rowsBefore({2026, 6, 16}), 1);
  EXPECT_EQ(h->rowsBefore({2026, 6, 15}), 0);
  ASSERT_EQ(w->write(fullRow(noon - 86400)), ArchiveWriter::Result::Added);
  ASSERT_EQ(w->write(fullRow(noon + 60)), ArchiveWriter::Result::Added);
  EXPECT_NE(h->dataVersion(), version);
  EXPECT_EQ(h->rowsBefore({2026, 6, 16}), 3);
  EXPECT_EQ(h->rowsBefore({2026, 6, 15}), 1);
}

TEST(RowRain, CounterRiseResetAndCappedRate) {
  const RainSample before{0, 60, 5, 10};
  EXPECT_EQ(rowRain({60, 60, 5, 13}, &before, nullptr), 3.0);
  EXPECT_EQ(rowRain({60, 60, 5, 2}, &before, nullptr), 0.0);
  const RainSample close{30, 60, {}, {}};
  EXPECT_EQ(rowRain({0, 60, 36, {}}, nullptr, &close), 0.3);
  EXPECT_EQ(rowRain({0, 60, 36, {}}, nullptr, nullptr), 0.6);
  EXPECT_FALSE(rowRain({0, 60, {}, 4}, nullptr, nullptr));
}

}  // namespace
}  // namespace tavik
