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

TEST(GeneralTakeoverTest, AnUnchangedEntryKeepsAZoneWrittenByHand) {
  Settings s;
  s.ZeitzoneIndex = 3;  // "+09"
  s.Zeitzone = 7;
  takeOverGeneral(GeneralFields{.rainGauge = 0, .timeZone = 3}, s);
  EXPECT_EQ(s.Zeitzone, 7);
  takeOverGeneral(GeneralFields{.rainGauge = 0, .timeZone = 4}, s);
  EXPECT_EQ(s.Zeitzone, 8);
  EXPECT_EQ(s.ZeitzoneIndex, 4);
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

TEST(PeriodMinutesTextTest, WholeMinutesAsNumbersOtherPeriodsAsDecimalMinutes) {
  EXPECT_EQ(periodMinutesText(300000), "5");
  EXPECT_EQ(periodMinutesText(15000), "0,25");
  EXPECT_EQ(periodMinutesText(10000), "0,1667");
  EXPECT_EQ(periodMinutesText(90000), "1,5");
  EXPECT_EQ(periodMinutesText(1), "0");  // a millisecond is below a 10^-4 minute
  EXPECT_EQ(periodMinutesText(119999), "2");
  EXPECT_EQ(periodMinutesText(0), "0");
  EXPECT_EQ(periodMinutesText(-5), "0");
}

TEST_F(PeriodTakeoverTest, PeriodsThatAreNoWholeMinutesSurviveAnOkWithoutChange) {
  // The demo's 15 s and 20 s, an odd 10 s, and a negative period.
  for (const int32_t read : {15000, 20000, 10000, 1, -5, 0}) {
    s.ImportInterval = 20000;
    s.ReadInterval = read;
    WinGTFields f{periodMinutesText(s.ImportInterval), periodMinutesText(read), "", ""};
    const TimerRunning r = takeOverWinGT(f, s, notifier);
    EXPECT_EQ(s.ImportInterval, 20000);
    EXPECT_EQ(s.ReadInterval, read);
    EXPECT_EQ(r.importtimer, true);
    EXPECT_EQ(r.readtimer, read > 0 && periodMinutesText(read) != "0");
  }
  s.LogInterval = 10000;
  WeatherLogFields f{.minutes = periodMinutesText(10000), .logUpdate = 0, .folder = ""};
  EXPECT_EQ(takeOverWeatherLog(f, s, notifier).logtimer, true);
  EXPECT_EQ(s.LogInterval, 10000);
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PeriodTakeoverTest, TypedDecimalMinutesBecomeTheirMilliseconds) {
  WinGTFields f{"0,25", "2,0833", "", ""};
  takeOverWinGT(f, s, notifier);
  EXPECT_EQ(s.ImportInterval, 15000);
  EXPECT_EQ(s.ReadInterval, 124998);
  for (const char* refused : {",5", "1,", "1,23456", "1,2,3", "-0,5", "1.5"}) {
    f = {refused, "1", "", ""};
    takeOverWinGT(f, s, notifier);
    EXPECT_EQ(s.ImportInterval, 15000) << refused;
  }
  EXPECT_EQ(notifier.messages.size(), 6u);
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
