// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/takeover.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

// The zone is the entry's text read as a signed number.
TEST(GeneralTakeoverTest, ZoneIsTheChosenEntryReadAsANumber) {
  Settings s;
  const std::pair<int, int> zones[] = {{0, 12}, {7, 5}, {12, 0}, {15, -3}, {24, -12}};
  for (const auto& [index, hours] : zones) {
    takeOverGeneral(GeneralFields{.rainGauge = 1, .timeZone = index}, s);
    EXPECT_FALSE(s.NormalRegen);
    EXPECT_EQ(s.ZeitzoneIndex, index);
    EXPECT_EQ(s.Zeitzone, hours) << kTimeZoneEntries[static_cast<size_t>(index)];
  }
}

class PeriodTakeoverTest : public ::testing::Test {
 protected:
  Settings s;
  RecordingNotifier notifier;
};

TEST_F(PeriodTakeoverTest, WinGTTakesFoldersTimersAndPeriods) {
  WinGTFields f{"5", "12", "/home/wx/import", "/home/wx/read"};
  const TimerRunning r = takeOverWinGT(f, s, notifier);
  EXPECT_EQ(r, (TimerRunning{true, true, std::nullopt}));
  EXPECT_EQ(s.WinGTImport, "/home/wx/import");
  EXPECT_EQ(s.WinGTRead, "/home/wx/read");
  EXPECT_EQ(s.ImportInterval, 300000);
  EXPECT_EQ(s.ReadInterval, 720000);
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PeriodTakeoverTest, ZeroStopsButDoubleZeroRunsWithAPeriodOfZero) {
  WinGTFields f{"0", "00", "", ""};
  EXPECT_EQ(takeOverWinGT(f, s, notifier), (TimerRunning{false, true, std::nullopt}));
  EXPECT_EQ(s.ImportInterval, 0);
  EXPECT_EQ(s.ReadInterval, 0);
}

TEST_F(PeriodTakeoverTest, LargestPeriodFitsAndOneMoreIsRefused) {
  WinGTFields f{"35791", "35792", "", ""};
  takeOverWinGT(f, s, notifier);
  EXPECT_EQ(s.ImportInterval, 35791 * 60000);
  EXPECT_EQ(s.ReadInterval, 0);  // as at creation
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "'35792' liegt nicht zwischen 0 und 35791 Minuten");
}

// A field shows whole minutes; a part minute or a negative period shows no
// more than the field gives back.
TEST(MinutesText, WholeMinutesOfAPeriod) {
  EXPECT_EQ(minutesText(0), "0");
  EXPECT_EQ(minutesText(119999), "1");
  EXPECT_EQ(minutesText(35791 * 60000), "35791");
  EXPECT_EQ(minutesText(-60000), "0");
}

TEST_F(PeriodTakeoverTest, WinGTStopsAtTheFirstFieldThatIsNoInteger) {
  s.ImportInterval = 60000;
  s.ReadInterval = 120000;
  WinGTFields f{"x1", "7", "/imp", "/read"};
  // The timers were set before the periods are read, so they still change.
  EXPECT_EQ(takeOverWinGT(f, s, notifier), (TimerRunning{true, true, std::nullopt}));
  EXPECT_EQ(s.WinGTImport, "/imp");
  EXPECT_EQ(s.ImportInterval, 60000);
  EXPECT_EQ(s.ReadInterval, 120000);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "'x1' ist kein gültiger Integerwert");
  EXPECT_EQ(notifier.messages[0].caption, "Tavik");

  f = {"3", "7x", "/imp", "/read"};
  takeOverWinGT(f, s, notifier);
  EXPECT_EQ(s.ImportInterval, 180000);
  EXPECT_EQ(s.ReadInterval, 120000);
  EXPECT_EQ(notifier.messages.back().text, "'7x' ist kein gültiger Integerwert");
}

TEST_F(PeriodTakeoverTest, WeatherLogKeepsAStoredFilePeriodTheListDoesNotOffer) {
  s.LogUpdate = 7;
  WeatherLogFields f{.minutes = "15", .logUpdate = -1, .folder = "/log"};
  EXPECT_EQ(takeOverWeatherLog(f, s, notifier), (TimerRunning{std::nullopt, std::nullopt, true}));
  EXPECT_EQ(s.LogUpdate, 7);
  EXPECT_EQ(s.LogInterval, 900000);
  EXPECT_EQ(s.LogOrdner, "/log");
}

TEST_F(PeriodTakeoverTest, WeatherLogStopsAtItsMinutesField) {
  WeatherLogFields f{.minutes = "1 2", .logUpdate = 1, .folder = "/new", .catchPeak = true};
  EXPECT_EQ(takeOverWeatherLog(f, s, notifier).logtimer, true);
  EXPECT_EQ(s.LogInterval, 600000);
  EXPECT_EQ(s.LogUpdate, 0);
  EXPECT_EQ(s.LogOrdner, "");
  EXPECT_FALSE(s.CatchPeak);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "'1 2' ist kein gültiger Integerwert");
}

}  // namespace
}  // namespace tavik
