// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "archive/hour_summary.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// An hour of a summer day, far from clock changes in any time zone.
const int64_t kHour = hourOf(startOfLocalDay({2026, 6, 15}) + 12 * 3600);

// A row every five minutes over five hours, the third hour missing: the
// temperature rises and falls, the humidity is absent on every fourth row,
// the rain counter rises by one on every second row and is reset to 0 in
// the fourth hour.
std::vector<ArchiveRow> fiveHours() {
  std::vector<ArchiveRow> rows;
  for (int i = 0; i < 60; ++i) {
    if (i / 12 == 2) continue;
    ArchiveRow r;
    r.time = kHour + i * 300;
    r.interval = i == 0 ? 600 : 300;
    r.rainRate = 12;
    r.tempOut = (i * 37) % 101 - 50;
    if (i % 4 != 0) r.humOut = 40 + i;
    r.windSpeed = i % 7 * 10;
    r.rainTotal = i < 40 ? 100 + i / 2 : (i - 40) / 2;
    rows.push_back(r);
  }
  return rows;
}

class HourSummaryTest : public ::testing::Test {
 protected:
  std::filesystem::path path() const { return folder.path() / "archive.sqlite"; }
  std::unique_ptr<ArchiveHistory> history() {
    std::string error;
    auto h = ArchiveHistory::open(path(), error);
    EXPECT_TRUE(h) << error;
    return h;
  }
  // Writes the rows one by one, except a stretch in a batch and the second
  // row, written last: it shortens the first row's rain from 2 mm to 1 mm.
  void writeFiveHours() {
    std::string error;
    auto w = ArchiveWriter::open(path(), error);
    ASSERT_TRUE(w) << error;
    std::vector<ArchiveRow> rows = fiveHours();
    const ArchiveRow late = rows[1];
    rows.erase(rows.begin() + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
      if (i == 30) {
        ASSERT_TRUE(w->beginBatch());
      }
      ASSERT_EQ(w->write(rows[i]), ArchiveWriter::Result::Added) << w->lastError();
      if (i == 40) {
        ASSERT_TRUE(w->commitBatch()) << w->lastError();
      }
    }
    ASSERT_EQ(w->write(late), ArchiveWriter::Result::Added) << w->lastError();
  }

  testing::TempFolder folder;
};

// Every hour's aggregates of every quantity, and the rain per hour, as the
// rows themselves give them.
void expectHoursAsTheRowsGive(ArchiveHistory& h) {
  std::map<int64_t, HourDelta> expected;
  ASSERT_TRUE(h.rows(kHour, kHour + 5 * 3600, [&](const ArchiveRow& r) {
    expected[hourOf(r.time)].add(r);
    return true;
  }));
  ASSERT_EQ(expected.size(), 4u);
  for (int q = 0; q < kArchiveQuantityCount; ++q) {
    const auto quantity = static_cast<ArchiveQuantity>(q);
    const std::vector<HourAggregate> hours = h.hourly(quantity, kHour, kHour + 5 * 3600);
    size_t at = 0;
    for (const auto& [hour, delta] : expected) {
      const QuantityAggregate& want = delta.quantities[static_cast<size_t>(q)];
      if (want.count == 0) continue;
      ASSERT_LT(at, hours.size()) << "quantity " << q;
      const HourAggregate& got = hours[at++];
      EXPECT_EQ(got.hourStart, hour);
      EXPECT_EQ(got.value.min, want.min);
      EXPECT_EQ(got.value.minTime, want.minTime);
      EXPECT_EQ(got.value.max, want.max);
      EXPECT_EQ(got.value.maxTime, want.maxTime);
      EXPECT_EQ(got.value.count, want.count);
      EXPECT_NEAR(got.value.sum, want.sum, 1e-9);
    }
    EXPECT_EQ(at, hours.size()) << "quantity " << q;
  }
  for (const auto& [hour, delta] : expected)
    EXPECT_NEAR(h.rainBetween(hour, hour + 3600), delta.rain, 1e-9);
}

TEST_F(HourSummaryTest, HourAggregatesAreWhatTheRowsGiveOverAResetAndAMissingHour) {
  writeFiveHours();
  auto h = history();
  expectHoursAsTheRowsGive(*h);

  // The first row's rate (1 mm), the counter from 100 to 119 over the
  // missing hour, the reset to 0 counting nothing, then +9 up to row 59.
  EXPECT_NEAR(h->rainBetween(kHour, kHour + 5 * 3600), 29.0, 1e-9);
  EXPECT_NEAR(h->rainBetween(kHour, kHour + 3600), 1.0 + 5.0, 1e-9);
  // Spans cut inside hours take their ends from the rows: rows 5 to 49,
  // and rows 49 and 50.
  EXPECT_NEAR(h->rainBetween(kHour + 1500, kHour + 4 * 3600 + 600), 21.0, 1e-9);
  EXPECT_NEAR(h->rainBetween(kHour + 4 * 3600 + 1, kHour + 4 * 3600 + 900), 1.0, 1e-9);

  // An hour cut by the span is given whole; the missing hour has none.
  const auto temps = h->hourly(ArchiveQuantity::TempOut, kHour + 1800, kHour + 3 * 3600);
  ASSERT_EQ(temps.size(), 2u);
  EXPECT_EQ(temps[0].hourStart, kHour);
  EXPECT_EQ(temps[0].value.count, 12);
  EXPECT_EQ(temps[1].hourStart, kHour + 3600);
  EXPECT_TRUE(h->hourly(ArchiveQuantity::TempOut, kHour + 2 * 3600, kHour + 3 * 3600).empty());
  // A quantity no row holds has no hours.
  EXPECT_TRUE(h->hourly(ArchiveQuantity::DewOut, kHour, kHour + 5 * 3600).empty());
}

}  // namespace
}  // namespace tavik
