#include "settings/takeover.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(GeneralTakeoverTest, TakesEveryControlAndReadsTheZoneEntry) {
  Settings s;
  GeneralFields f{.rainGauge = 1,
                  .autoImport = false,
                  .autoRead = true,
                  .autoLog = false,
                  .autoAPRS = true,
                  .EOFKennung = true,
                  .timeZone = 15};
  takeOverGeneral(f, s);
  EXPECT_FALSE(s.NormalRegen);
  EXPECT_FALSE(s.autoImport);
  EXPECT_TRUE(s.autoRead);
  EXPECT_FALSE(s.autoLog);
  EXPECT_TRUE(s.autoAPRS);
  EXPECT_TRUE(s.EOFKennung);
  EXPECT_EQ(s.ZeitzoneIndex, 15);
  EXPECT_EQ(s.Zeitzone, -3);

  const std::pair<int, int> zones[] = {{0, 12}, {7, 5}, {12, 0}, {24, -12}};
  for (const auto& [index, hours] : zones) {
    f.timeZone = index;
    f.rainGauge = 0;
    takeOverGeneral(f, s);
    EXPECT_TRUE(s.NormalRegen);
    EXPECT_EQ(s.ZeitzoneIndex, index);
    EXPECT_EQ(s.Zeitzone, hours) << kTimeZoneEntries[static_cast<size_t>(index)];
  }
}

TEST(GeneralTakeoverTest, NoZoneChosenKeepsTheZone) {
  Settings s;
  s.ZeitzoneIndex = 3;
  s.Zeitzone = 9;
  for (int index : {-1, 25}) {
    takeOverGeneral(GeneralFields{.autoLog = true, .timeZone = index}, s);
    EXPECT_EQ(s.ZeitzoneIndex, 3);
    EXPECT_EQ(s.Zeitzone, 9);
    EXPECT_TRUE(s.autoLog);
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

TEST_F(PeriodTakeoverTest, EmptyMinutesBecomeZero) {
  s.ImportInterval = 300000;
  s.LogInterval = 600000;
  WinGTFields wingt{"", "", "", ""};
  EXPECT_EQ(takeOverWinGT(wingt, s, notifier), (TimerRunning{false, false, std::nullopt}));
  EXPECT_EQ(wingt.importMinutes, "0");
  EXPECT_EQ(wingt.readMinutes, "0");
  EXPECT_EQ(s.ImportInterval, 0);

  WeatherLogFields log;  // minutes empty
  EXPECT_EQ(takeOverWeatherLog(log, s, notifier).logtimer, false);
  EXPECT_EQ(log.minutes, "0");
  EXPECT_EQ(s.LogInterval, 0);
  EXPECT_TRUE(notifier.messages.empty());
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

TEST_F(PeriodTakeoverTest, WeatherLogTakesEveryControl) {
  WeatherLogFields f{.minutes = "15",
                     .logUpdate = 2,
                     .folder = "/var/wx/log",
                     .weekFolder = true,
                     .monthFolder = false,
                     .combine = true,
                     .catchPeak = true};
  EXPECT_EQ(takeOverWeatherLog(f, s, notifier), (TimerRunning{std::nullopt, std::nullopt, true}));
  EXPECT_EQ(s.LogInterval, 900000);
  EXPECT_EQ(s.LogUpdate, 2);
  EXPECT_EQ(s.LogOrdner, "/var/wx/log");
  EXPECT_TRUE(s.LogWochenordner);
  EXPECT_FALSE(s.LogMonatsordner);
  EXPECT_TRUE(s.LogUnterordner);
  EXPECT_TRUE(s.CatchPeak);

  f.logUpdate = -1;  // none chosen (a stored value the list does not offer)
  s.LogUpdate = 7;
  takeOverWeatherLog(f, s, notifier);
  EXPECT_EQ(s.LogUpdate, 7);
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
