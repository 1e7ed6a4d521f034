// SPDX-License-Identifier: GPL-3.0-or-later
// Extremes and rain over a span of days, read as aggregates, against the
// same worked out day by day from days().
#include <gtest/gtest.h>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// Noon of a day in June, far from clock changes in any time zone.
int64_t noonOf(int day) { return startOfLocalDay({2026, 6, day}) + 12 * 3600; }

// Six days of rows every 20 minutes: the first two without a gust (as
// imported rows are), the others with one. The highest temperature (30.0)
// comes on day 2 and again on day 4, the lowest (-5.0) twice on day 3, the
// highest wind speed on day 1 above every gust.
std::vector<ArchiveRow> sixDays() {
  std::vector<ArchiveRow> rows;
  for (int day = 1; day <= 6; ++day) {
    for (int i = 0; i < 12; ++i) {
      ArchiveRow r;
      r.time = noonOf(day) - 2 * 3600 + i * 1200;
      r.interval = 1200;
      r.tempOut = static_cast<int32_t>((day * 41 + i * 17) % 200);
      if ((day == 2 && i == 7) || (day == 4 && i == 2)) r.tempOut = 300;
      if (day == 3 && (i == 4 || i == 9)) r.tempOut = -50;
      if (i % 5 != 0) r.humOut = 30 + (day * 7 + i * 3) % 60;
      r.baroSea = 10000 + (day * 13 + i * 29) % 400;
      r.windSpeed = (day == 1 && i == 3) ? 250 : (day + i) % 9 * 10;
      if (day > 2) r.gust = 40 + (day * 11 + i * 5) % 120;
      r.rainRate = 6;
      if (day > 2) r.rainTotal = 100 + day * 10 + i;
      rows.push_back(r);
    }
  }
  return rows;
}

// The extremes as a reader of the day-by-day summaries finds them: the
// first day of equal values wins; `orElse` stands in on days without `q`.
QuantityAggregate dayByDay(const std::vector<DaySummary>& days, ArchiveQuantity q,
                           std::optional<ArchiveQuantity> orElse = std::nullopt) {
  QuantityAggregate out;
  for (const DaySummary& d : days) {
    const QuantityAggregate& a = d.of(q).count > 0 || !orElse ? d.of(q) : d.of(*orElse);
    if (a.min && (!out.min || *a.min < *out.min)) {
      out.min = a.min;
      out.minTime = a.minTime;
    }
    if (a.max && (!out.max || *a.max > *out.max)) {
      out.max = a.max;
      out.maxTime = a.maxTime;
    }
  }
  return out;
}

class DailyExtremesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    auto w = ArchiveWriter::open(path(), error);
    ASSERT_TRUE(w) << error;
    for (const ArchiveRow& r : sixDays()) ASSERT_NE(w->write(r), ArchiveWriter::Result::Failed);
    w.reset();
    history = ArchiveHistory::open(path(), error);
    ASSERT_TRUE(history) << error;
  }
  std::filesystem::path path() const { return folder.path() / "archive.sqlite"; }

  testing::TempFolder folder;
  std::unique_ptr<ArchiveHistory> history;
};

void expectSameExtremes(const QuantityAggregate& a, const QuantityAggregate& b) {
  EXPECT_EQ(a.min, b.min);
  EXPECT_EQ(a.minTime, b.minTime);
  EXPECT_EQ(a.max, b.max);
  EXPECT_EQ(a.maxTime, b.maxTime);
}

TEST_F(DailyExtremesTest, TheAggregatesAreWhatTheDaysGiveWithTiesToTheEarlierDay) {
  const ArchiveDate first{2026, 6, 1}, last{2026, 6, 6};
  const std::vector<DaySummary> days = history->days(first, last);
  ASSERT_EQ(days.size(), 6u);
  for (const ArchiveQuantity q :
       {ArchiveQuantity::TempOut, ArchiveQuantity::HumOut, ArchiveQuantity::BaroSea}) {
    SCOPED_TRACE(static_cast<int>(q));
    expectSameExtremes(history->dailyExtremes(q, first, last), dayByDay(days, q));
  }
  const QuantityAggregate temp = history->dailyExtremes(ArchiveQuantity::TempOut, first, last);
  EXPECT_EQ(temp.max, 30.0);
  EXPECT_EQ(temp.maxTime, noonOf(2) - 2 * 3600 + 7 * 1200);
  EXPECT_EQ(temp.min, -5.0);
  EXPECT_EQ(temp.minTime, noonOf(3) - 2 * 3600 + 4 * 1200);

  // The wind speed of the first two days stands in for their gust; a span
  // of gust days alone has no speed in it.
  const QuantityAggregate gust =
      history->dailyExtremes(ArchiveQuantity::Gust, first, last, ArchiveQuantity::WindSpeed);
  expectSameExtremes(gust, dayByDay(days, ArchiveQuantity::Gust, ArchiveQuantity::WindSpeed));
  EXPECT_EQ(gust.max, 25.0);
  const QuantityAggregate later =
      history->dailyExtremes(ArchiveQuantity::Gust, {2026, 6, 3}, last, ArchiveQuantity::WindSpeed);
  expectSameExtremes(later, dayByDay(history->days({2026, 6, 3}, last), ArchiveQuantity::Gust));
  // Without a stand-in, days without the quantity count nothing.
  expectSameExtremes(history->dailyExtremes(ArchiveQuantity::Gust, first, last),
                     dayByDay(days, ArchiveQuantity::Gust));
}

TEST_F(DailyExtremesTest, TheRainIsTheSumOfTheDaysInDateOrder) {
  const ArchiveDate first{2026, 6, 1}, last{2026, 6, 6};
  double sum = 0;
  for (const DaySummary& d : history->days(first, last)) sum += d.rain;
  EXPECT_EQ(history->rainOfDays(first, last), sum);
  EXPECT_GT(sum, 0);
}

TEST_F(DailyExtremesTest, ASpanWithoutDaysHasNoExtremesAndNoRain) {
  const ArchiveDate first{2026, 7, 1}, last{2026, 7, 31};
  const QuantityAggregate a = history->dailyExtremes(ArchiveQuantity::TempOut, first, last);
  EXPECT_FALSE(a.min);
  EXPECT_FALSE(a.max);
  EXPECT_FALSE(history->rainOfDays(first, last));
  EXPECT_TRUE(history->lastError().empty()) << history->lastError();
}

}  // namespace
}  // namespace tavik
