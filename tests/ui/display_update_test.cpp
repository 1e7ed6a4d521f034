// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_update.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

class DisplayUpdateTest : public ::testing::Test {
 protected:
  DisplayUpdate refresh() {
    return computeDisplayUpdate(wx, state, clock, RegionalSettings::german(), labels);
  }
  // Applies the picture labels of a refresh, as the window does.
  void apply(const DisplayUpdate& u) {
    if (u.baro.trend) labels.trend = u.baro.trend->labelText;
    if (u.baro.forecast) labels.forecast = u.baro.forecast->labelText;
  }

  // Every group has been decoded unless a test says otherwise.
  WeatherRecord wx;
  StationState state{
      .seen8F = true, .seen9F = true, .seenAF = true, .seenBF = true, .seenCF = true};
  ManualClock clock{LocalDateTime{2026, 6, 20, 9, 41, 17}};
  PictureLabels labels;
};

TEST_F(DisplayUpdateTest, TemperaturesInTenthsWithTheirUnitsAndBars) {
  wx.TempOut.Current = -123;
  wx.TempOut.Hi.Value = 215;
  wx.TempOut.Lo.Value = -50;
  wx.TempIn.Current = 200;
  wx.TempIn.Hi.Value = 238;
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.tempOut.current, "Aktuell -12,3°C");
  EXPECT_EQ(u.tempOut.hi, "Hi 21,5 °C");
  EXPECT_EQ(u.tempOut.lo, "Lo -5 °C");
  EXPECT_EQ(u.tempIn.current, "Aktuell 20 °C");
  EXPECT_EQ(u.tempIn.hi, "Hi 23,8°C");
  EXPECT_EQ(u.bars.tempOut, -12);  // ProgressBar3, truncated toward zero
  EXPECT_EQ(u.bars.tempIn, 20);    // ProgressBar4
}

TEST_F(DisplayUpdateTest, WindBarRoundsHalvesToEven) {
  wx.Wind.Speed = 25;
  EXPECT_EQ(refresh().bars.wind, 2);
  wx.Wind.Speed = 35;
  EXPECT_EQ(refresh().bars.wind, 4);
  wx.Wind.Speed = 2000;  // far above the bar: it stops at its end
  EXPECT_EQ(refresh().bars.wind, 60);
}

TEST_F(DisplayUpdateTest, BarsStayInsideTheirRanges) {
  wx.TempOut.Current = -800;
  wx.TempIn.Current = 730;
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.bars.tempOut, -60);
  EXPECT_EQ(u.bars.tempIn, 50);
}

TEST_F(DisplayUpdateTest, OutOfRangeShowsTextWhileTheBarStillMoves) {
  wx.HumIn.OutOfRange = true;
  wx.HumIn.Current = 97;
  wx.DewOut.OutOfRange = true;
  wx.Rain.RateOutOfRange = true;
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.humIn.current, "Out of Range!");
  EXPECT_EQ(u.bars.humIn, 97);
  EXPECT_EQ(u.dewOut.current, "Out of Range!");
  EXPECT_EQ(u.rain.rate, "Out of Range!");
  wx.HumIn.OutOfRange = false;
  EXPECT_EQ(refresh().humIn.current, "Aktuell 97%");
}

TEST_F(DisplayUpdateTest, TimeStampsUseTheClocksYearAndKeepTextWhenInvalid) {
  wx.TempOut.Hi = {5, 7, 14, 3, 215, false};  // minute, hour, day, month
  wx.TempOut.Lo = {5, 7, 14, 0, -50, false};  // no month yet
  wx.HumIn.Hi = {0, 3, 29, 2, 60, false};     // 29 February does not exist in 2026
  DisplayUpdate u = refresh();
  EXPECT_EQ(u.tempOut.hiTime, "07:05  14.03.26");
  EXPECT_EQ(u.tempOut.loTime, std::nullopt);
  EXPECT_EQ(u.humIn.hiTime, std::nullopt);
  clock.set({2028, 1, 1, 0, 0, 0});
  EXPECT_EQ(refresh().humIn.hiTime, "03:00  29.02.28");
}

TEST_F(DisplayUpdateTest, StationClockOrThePcClockBeforeTheFirstClockGroup) {
  DisplayUpdate u = refresh();
  EXPECT_EQ(u.time, "09:41:17");
  EXPECT_EQ(u.date, "20.06.26");

  wx.Clock = {4, 3, 2, 31, 12};
  u = refresh();
  EXPECT_EQ(u.time, "02:03:04");
  EXPECT_EQ(u.date, "31.12.26");

  wx.Clock = {4, 3, 2, 31, 4};  // 31 April: the time changes, the date stays
  u = refresh();
  EXPECT_EQ(u.time, "02:03:04");
  EXPECT_EQ(u.date, std::nullopt);

  wx.Clock = {4, 3, 25, 1, 4};  // hour 25: neither changes
  u = refresh();
  EXPECT_EQ(u.time, std::nullopt);
  EXPECT_EQ(u.date, std::nullopt);
}

TEST_F(DisplayUpdateTest, FiveMinuteWindIsTheRunningMaximumOfTheRing) {
  state.gustRing = {12, 30, 8, 0, 25};
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.windRows, (std::array<std::string, 5>{"1,2", "3", "3", "3", "3"}));
  EXPECT_EQ(u.wind.fiveMinuteMax, "Max seit 5min: 3 m/s");
  state.gustRing = {400, 0, 0, 0, 0};  // above 25,5 m/s, which 8 bits would cut
  EXPECT_EQ(refresh().wind.fiveMinuteMax, "Max seit 5min: 40 m/s");
  // A stronger wind in the minute under way counts at once; the rows wait
  // for the minute's end.
  state.gustMaxMinute = 410;
  const DisplayUpdate now = refresh();
  EXPECT_EQ(now.wind.fiveMinuteMax, "Max seit 5min: 41 m/s");
  EXPECT_EQ(now.windRows[4], "40");
}

TEST_F(DisplayUpdateTest, TrendChangesOnlyWhenItsWordChanges) {
  // The first barometer group replaces the dash even with a code whose word
  // is empty, so the label no longer reads as if nothing had come.
  for (const uint8_t code : {0, 3}) {
    labels = {};
    wx.Baro.Trend = code;
    wx.Baro.Forecast = code;
    DisplayUpdate u = refresh();
    ASSERT_TRUE(u.baro.trend);
    EXPECT_EQ(u.baro.trend->labelText, "Trend: ");
    EXPECT_EQ(u.baro.trend->picture, code);
    ASSERT_TRUE(u.baro.forecast);
    EXPECT_EQ(u.baro.forecast->labelText, "Vorhersage: ");
    apply(u);
    EXPECT_FALSE(refresh().baro.trend);
  }

  wx.Baro.Trend = 1;
  DisplayUpdate u = refresh();
  ASSERT_TRUE(u.baro.trend);
  EXPECT_EQ(u.baro.trend->labelText, "Trend: steigend");
  EXPECT_EQ(u.baro.trend->picture, 1);
  apply(u);

  wx.Baro.Trend = 4;
  u = refresh();
  ASSERT_TRUE(u.baro.trend);
  EXPECT_EQ(u.baro.trend->labelText, "Trend: fallend");
  EXPECT_EQ(u.baro.trend->picture, 4);
  apply(u);

  EXPECT_FALSE(refresh().baro.trend);
}

TEST_F(DisplayUpdateTest, ForecastCodesOutsideTheTableShowNoWordAndNoPicture) {
  wx.Baro.Forecast = 2;
  DisplayUpdate u = refresh();
  ASSERT_TRUE(u.baro.forecast);
  EXPECT_EQ(u.baro.forecast->labelText, "Vorhersage: bewölkt");
  EXPECT_EQ(u.baro.forecast->picture, 2);
  apply(u);

  wx.Baro.Forecast = 13;
  u = refresh();
  ASSERT_TRUE(u.baro.forecast);
  EXPECT_EQ(u.baro.forecast->labelText, "Vorhersage: ");
  EXPECT_EQ(u.baro.forecast->picture, -1);
  apply(u);

  wx.Baro.Trend = 6;
  labels.trend = "Trend: gleichbleibend";
  u = refresh();
  ASSERT_TRUE(u.baro.trend);
  EXPECT_EQ(u.baro.trend->labelText, "Trend: ");
  EXPECT_EQ(u.baro.trend->picture, -1);
}

TEST_F(DisplayUpdateTest, AlarmTextsAndTheirSuffixes) {
  wx.AlarmClock = {5, 7, true};
  wx.TempOut.AlarmHiOn = true;
  wx.TempOut.AlarmHi = 95;
  wx.Baro.AlarmOn = true;
  wx.Baro.Alarm = 4;
  wx.Rain.AlarmOn = true;
  wx.Rain.Alarm = 12;
  wx.DewIn.AlarmHiOn = true;
  wx.DewIn.AlarmHi = 18;
  DisplayUpdate u = refresh();
  EXPECT_EQ(u.alarmClock, "Alarm um 7:5");
  EXPECT_EQ(u.tempOut.alarmHi, "Alarm bei 95°F");
  EXPECT_EQ(u.tempOut.alarmLo, "Alarm: n/a");
  EXPECT_EQ(u.baro.alarm, "Alarm bei 4 mb");
  EXPECT_EQ(u.rain.alarm, "Alarm bei 12inches/h");
  EXPECT_EQ(u.dewIn.alarm, "Alarm bei 18°C");
  EXPECT_EQ(u.wind.alarm, "Alarm: n/a");
}

TEST_F(DisplayUpdateTest, BarometerRainWindChillAndConsoleTexts) {
  wx.Baro.Local = 1003;
  wx.Baro.SeaLevel = 10132;
  wx.Rain = {3, 7, 250, {}, 0, false, false, false};
  state.rain24h = 11;
  wx.Wind.Speed = 43;
  wx.Wind.Dir = 270;
  wx.Wind.GustSpeed = 120;
  wx.Wind.GustDir = 225;
  wx.Chill.Current = -4;
  wx.PowerDc = true;
  wx.DisplaySection = 5;
  DisplayUpdate u = refresh();
  EXPECT_EQ(u.baro.local, "Local: 1003 mb");
  EXPECT_EQ(u.baro.seaLevel, "Sealevel: 1013,2 mb");
  EXPECT_EQ(u.rain.rate, "Rate: 3 mm/h");
  EXPECT_EQ(u.rain.total, "Total: 250 mm");
  EXPECT_EQ(u.rain.since24h, "Seit 24h: 11 mm");
  EXPECT_EQ(u.wind.current, "Aktuell: 4,3 m/s - 270°");
  EXPECT_EQ(u.wind.gust, "Böe: 12 m/s - 225°");
  EXPECT_EQ(u.chill.current, "Aktuell: -4°C");
  EXPECT_EQ(u.power, "DC");
  EXPECT_EQ(u.displaySection, "Wind");
  wx.DisplaySection = 9;
  EXPECT_EQ(refresh().displaySection, "");
}

TEST_F(DisplayUpdateTest, BatteryLampFollowsTheFlagOnceTheWindGroupHasCome) {
  wx.BatteryLow = true;
  EXPECT_EQ(refresh().batteryLow, true);
  wx.BatteryLow = false;
  EXPECT_EQ(refresh().batteryLow, false);
  state.seenCF = false;
  EXPECT_EQ(refresh().batteryLow, std::nullopt);
}

TEST_F(DisplayUpdateTest, GroupsNotYetDecodedShowADashAndTheBandStaysEmpty) {
  state = {};
  wx.TempOut.Current = 215;
  wx.TempOut.Hi = {5, 7, 14, 3, 215, false};
  wx.Baro.Trend = 1;
  DisplayUpdate u = refresh();
  EXPECT_EQ(u.time, "");
  EXPECT_EQ(u.date, "");
  EXPECT_EQ(u.alarmClock, "");
  EXPECT_EQ(u.tempOut.current, "Aktuell –");
  EXPECT_EQ(u.tempOut.hi, "Hi –");
  EXPECT_EQ(u.tempOut.hiTime, std::nullopt);  // the label keeps its dash
  EXPECT_EQ(u.tempOut.alarmHi, "–");
  EXPECT_EQ(u.baro.seaLevel, "Sealevel: –");
  EXPECT_FALSE(u.baro.trend);
  EXPECT_EQ(u.rain.since24h, "Seit 24h: –");
  EXPECT_EQ(u.wind.current, "Aktuell: –");
  EXPECT_EQ(u.wind.currentPoint, "");
  EXPECT_EQ(u.windRows[4], "–");
  EXPECT_EQ(u.chill.lo, "Lo: –");
  EXPECT_EQ(u.power, "–");
  EXPECT_EQ(u.displaySection, "–");
  // Every bar empty, whatever the record holds.
  EXPECT_EQ(u.bars.tempOut, kOutdoorTemperatureRange.minimum);
  EXPECT_EQ(u.bars.tempIn, 0);
  EXPECT_EQ(u.bars.humIn, 0);
  EXPECT_EQ(u.bars.wind, 0);

  // A temperature group alone: its group shows values, the band the PC's
  // clock, everything else still waits.
  state.seen9F = true;
  u = refresh();
  EXPECT_EQ(u.tempOut.current, "Aktuell 21,5°C");
  EXPECT_EQ(u.tempOut.hiTime, "07:05  14.03.26");
  EXPECT_EQ(u.time, "09:41:17");
  EXPECT_EQ(u.alarmClock, "Alarm: –");
  EXPECT_EQ(u.humIn.current, "Aktuell –");
  EXPECT_EQ(u.dewIn.hi, "Hi –");

  // Out of range is only told once the group has come.
  state = {};
  wx.HumIn.OutOfRange = true;
  EXPECT_EQ(refresh().humIn.current, "Aktuell –");
}

TEST_F(DisplayUpdateTest, WindDirectionsGetTheirGermanCompassPoints) {
  wx.Wind.Dir = 116;
  wx.Wind.AvgDir = 359;
  wx.Wind.GustDir = 225;
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.wind.currentPoint, "OSO");
  EXPECT_EQ(u.wind.averagePoint, "N");
  EXPECT_EQ(u.wind.gustPoint, "SW");
}

TEST(StatusPanelTextTest, CountdownsOnlyWhileActive) {
  EXPECT_EQ(shownPanelText(1, false, ""), "Import: –");
  EXPECT_EQ(shownPanelText(5, false, ""), "Laufzeit: –");
  EXPECT_EQ(shownPanelText(1, true, "Import: 4:07"), "Import: 4:07");
  // After a failed activation the countdown was never loaded: no "-1:59".
  EXPECT_EQ(shownPanelText(4, false, "APRS: -1:59"), "APRS: –");
  EXPECT_EQ(shownPanelText(3, false, "Kein Log"), "Kein Log");
  EXPECT_EQ(shownPanelText(2, true, "Kein Read"), "Kein Read");
  // The run time stays what was counted.
  EXPECT_EQ(shownPanelText(5, false, "Laufzeit: 1:02:05"), "Laufzeit: 1:02:05");
}

TEST(StaleDataTextTest, WarnsOnlyWhileSilentWithTheTimeTheSilenceCountsFrom) {
  const RegionalSettings& german = RegionalSettings::german();
  const LocalDateTime last{2026, 12, 8, 14, 7, 59};
  EXPECT_EQ(staleDataText(last, german), "keine Daten seit 14:07");
  EXPECT_EQ(staleDataText(std::nullopt, german), "");
}

}  // namespace
}  // namespace tavik
