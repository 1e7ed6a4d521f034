// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "archive_rows.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using Q = HistoryQuantity;

class ChartHistoryTest : public ::testing::Test {
 protected:
  long long minute(int hour, int min) const { return minuteOf({2026, 3, 14, hour, min, 0}); }

  ManualClock clock{LocalDateTime{2026, 3, 14, 10, 0, 5}};
  ChartHistory history{clock};
  WeatherRecord weather;
  StationState state{
      .seen8F = true, .seen9F = true, .seenAF = true, .seenBF = true, .seenCF = true};
};

TEST_F(ChartHistoryTest, OneSampleAMinuteTheLastValueOfTheMinute) {
  weather.TempOut.Current = -123;
  history.record(weather, state);
  weather.TempOut.Current = -120;
  clock.advanceSeconds(50);  // 10:00:55, the same minute
  history.record(weather, state);
  clock.advanceSeconds(10);  // 10:01:05
  weather.TempOut.Current = 5;
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::TempOut, 180),
            (std::vector<HistoryPoint>{{minute(10, 0), -12.0}, {minute(10, 1), 0.5}}));
  // Each quantity in its own unit.
  weather.Baro.SeaLevel = 10132;
  weather.Wind.Speed = 43;
  weather.HumIn.Current = 55;
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::SeaLevel, 1).at(0).value, 1013.2);
  EXPECT_EQ(history.points(Q::Wind, 1).at(0).value, 4.3);
  EXPECT_EQ(history.points(Q::HumIn, 1).at(0).value, 55);
}

TEST_F(ChartHistoryTest, GroupsNotYetComeAndOutOfRangeValuesAreLeftOut) {
  state.seenCF = false;
  weather.HumIn.OutOfRange = true;
  weather.Rain.RateOutOfRange = true;
  history.record(weather, state);
  EXPECT_TRUE(history.points(Q::Wind, 180).empty());
  EXPECT_TRUE(history.points(Q::Chill, 180).empty());
  EXPECT_TRUE(history.points(Q::HumIn, 180).empty());
  EXPECT_TRUE(history.points(Q::RainRate, 180).empty());
  EXPECT_EQ(history.points(Q::HumOut, 180).size(), 1u);
}

TEST_F(ChartHistoryTest, KeepsADayAndShowsOnlyTheSpanAsked) {
  for (int i = 0; i < 26 * 60; ++i) {
    weather.HumOut.Current = static_cast<uint8_t>(i % 100);
    history.record(weather, state);
    clock.advanceSeconds(60);
  }
  clock.advanceSeconds(-60);  // at the last sample
  const std::vector<HistoryPoint> day = history.points(Q::HumOut, 24 * 60);
  ASSERT_EQ(day.size(), 24u * 60u);
  EXPECT_EQ(day.back().value, (26 * 60 - 1) % 100);
  EXPECT_EQ(day.back().minute - day.front().minute, 24 * 60 - 1);
  EXPECT_EQ(history.points(Q::HumOut, 180).size(), 180u);
  EXPECT_EQ(history.points(Q::HumOut, 180).front().minute, day.back().minute - 179);

  // The clock set back: samples after the new now are not shown, and a new
  // one replaces them.
  clock.advanceSeconds(-3600);
  EXPECT_EQ(history.points(Q::HumOut, 60).back().minute, minuteOf(clock.now()));
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::HumOut, 24 * 60).back().minute, minuteOf(clock.now()));
}

TEST_F(ChartHistoryTest, ThePastComesFromTheArchiveAndTheRecordRunsOnAfterIt) {
  testing::TempFolder folder;
  const std::filesystem::path archive = folder.path() / "archive.sqlite";
  // Rows every ten minutes from 06:00 to 10:50 the day before and today.
  test::writeArchive(archive, test::archiveRows({2026, 3, 13, 6, 0, 0}, 600, 30));
  std::vector<ArchiveRow> today = test::archiveRows({2026, 3, 14, 6, 0, 0}, 600, 30);
  today[20].humIn.reset();  // 09:20: not sent, a gap rather than 0
  test::writeArchive(archive, today);
  history.setArchive(archive);

  const std::vector<HistoryPoint> shown = history.points(Q::TempOut, 180);
  // 07:10 .. 10:00 (the rows after now are not taken).
  ASSERT_EQ(shown.size(), 18u);
  EXPECT_EQ(shown.front().minute, minute(7, 10));
  EXPECT_DOUBLE_EQ(shown.front().value, *today[7].tempOut / 10.0);
  EXPECT_EQ(shown.back().minute, minute(10, 0));
  EXPECT_EQ(history.points(Q::HumIn, 180).back().value, *today[24].humIn);
  EXPECT_DOUBLE_EQ(history.points(Q::SeaLevel, 180).back().value, *today[24].baroSea / 10.0);
  EXPECT_DOUBLE_EQ(history.points(Q::Wind, 180).back().value, *today[24].windSpeed / 10.0);
  const std::vector<HistoryPoint> humIn = history.points(Q::HumIn, 180);
  EXPECT_EQ(humIn.size(), 17u);
  EXPECT_TRUE(std::none_of(humIn.begin(), humIn.end(),
                           [&](const HistoryPoint& p) { return p.minute == minute(9, 20); }));
  // A day back reaches into yesterday after 10:00, no further.
  const std::vector<HistoryPoint> day = history.points(Q::TempOut, 24 * 60);
  EXPECT_EQ(day.front().minute, minuteOf({2026, 3, 13, 10, 10, 0}));

  // The record's samples come after the archive's last row (10:00), not
  // beside it: 10:00 stays the archive's, 10:01 is the record's.
  weather.TempOut.Current = 333;
  history.record(weather, state);
  clock.advanceSeconds(60);
  history.record(weather, state);
  const std::vector<HistoryPoint> after = history.points(Q::TempOut, 180);
  ASSERT_EQ(after.size(), 19u);
  EXPECT_EQ(after[17].minute, minute(10, 0));
  EXPECT_DOUBLE_EQ(after[17].value, *today[24].tempOut / 10.0);
  EXPECT_EQ(after[18].minute, minute(10, 1));
  EXPECT_DOUBLE_EQ(after[18].value, 33.3);
}

TEST_F(ChartHistoryTest, AnArchiveWrittenLaterIsReadAtTheNextMinute) {
  testing::TempFolder folder;
  const std::filesystem::path archive = folder.path() / "archive.sqlite";
  history.setArchive(archive);
  history.record(weather, state);
  EXPECT_EQ(history.points(Q::TempOut, 180).size(), 1u);  // the record only
  test::writeArchive(archive, test::archiveRows({2026, 3, 14, 9, 0, 0}, 600, 6));
  clock.advanceSeconds(60);
  // 09:00..09:50 from the archive, then the record's sample of 10:00.
  const std::vector<HistoryPoint> shown = history.points(Q::TempOut, 180);
  ASSERT_EQ(shown.size(), 7u);
  EXPECT_EQ(shown[5].minute, minute(9, 50));
  EXPECT_EQ(shown[6].minute, minute(10, 0));
  // No archive at all, or none at the path: the record's samples alone.
  ChartHistory none{clock};
  none.setArchive(folder.path() / "missing" / "archive.sqlite");
  none.record(weather, state);
  EXPECT_EQ(none.points(Q::TempOut, 180).size(), 1u);
}

}  // namespace
}  // namespace tavik
