#include "core/display_update.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

class DisplayUpdateTest : public ::testing::Test {
 protected:
  DisplayUpdate refresh() {
    return computeDisplayUpdate(wx, state, clock, RegionalSettings::german(), labels);
  }
  std::string text(const DisplayUpdate& u, const std::string& label) {
    const std::string* t = u.text(label);
    return t ? *t : "<unchanged>";
  }
  // Applies the picture labels of a refresh, as the window does.
  void apply(const DisplayUpdate& u) {
    if (u.trend) labels.trend = u.trend->labelText;
    if (u.forecast) labels.forecast = u.forecast->labelText;
  }

  WeatherRecord wx;
  StationState state;
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
  EXPECT_EQ(text(u, "Label29"), "Aktuell -12,3°C");
  EXPECT_EQ(text(u, "Label30"), "Hi 21,5 °C");
  EXPECT_EQ(text(u, "Label31"), "Lo -5 °C");
  EXPECT_EQ(text(u, "Label22"), "Aktuell 20 °C");
  EXPECT_EQ(text(u, "Label23"), "Hi 23,8°C");
  EXPECT_EQ(u.bars[2], -12);  // ProgressBar3, truncated toward zero
  EXPECT_EQ(u.bars[3], 20);   // ProgressBar4
}

TEST_F(DisplayUpdateTest, WindBarRoundsHalvesToEven) {
  wx.Wind.Speed = 25;
  EXPECT_EQ(refresh().bars[4], 2);
  wx.Wind.Speed = 35;
  EXPECT_EQ(refresh().bars[4], 4);
  wx.Wind.Speed = 2000;  // far above the bar: it stops at its end
  EXPECT_EQ(refresh().bars[4], 60);
}

TEST_F(DisplayUpdateTest, BarsStayInsideTheirRanges) {
  wx.TempOut.Current = -800;
  wx.TempIn.Current = 730;
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.bars[2], -60);
  EXPECT_EQ(u.bars[3], 50);
}

TEST_F(DisplayUpdateTest, OutOfRangeShowsTextWhileTheBarStillMoves) {
  wx.HumIn.OutOfRange = true;
  wx.HumIn.Current = 97;
  wx.DewOut.OutOfRange = true;
  wx.Rain.RateOutOfRange = true;
  const DisplayUpdate u = refresh();
  EXPECT_EQ(text(u, "Label8"), "Out of Range!");
  EXPECT_EQ(u.bars[0], 97);
  EXPECT_EQ(text(u, "Label46"), "Out of Range!");
  EXPECT_EQ(text(u, "Label55"), "Out of Range!");
  wx.HumIn.OutOfRange = false;
  EXPECT_EQ(text(refresh(), "Label8"), "Aktuell 97%");
}

TEST_F(DisplayUpdateTest, TimeStampsUseTheClocksYearAndKeepTextWhenInvalid) {
  wx.TempOut.Hi = {5, 7, 14, 3, 215, false};  // minute, hour, day, month
  wx.TempOut.Lo = {5, 7, 14, 0, -50, false};  // no month yet
  wx.HumIn.Hi = {0, 3, 29, 2, 60, false};     // 29 February does not exist in 2026
  DisplayUpdate u = refresh();
  EXPECT_EQ(text(u, "Label34"), "07:05  14.03.26");
  EXPECT_EQ(text(u, "Label35"), "<unchanged>");
  EXPECT_EQ(text(u, "Label7"), "<unchanged>");
  clock.set({2028, 1, 1, 0, 0, 0});
  EXPECT_EQ(text(refresh(), "Label7"), "03:00  29.02.28");
}

TEST_F(DisplayUpdateTest, StationClockOrThePcClockBeforeTheFirstClockGroup) {
  DisplayUpdate u = refresh();
  EXPECT_EQ(text(u, "Label1"), "09:41:17");
  EXPECT_EQ(text(u, "Label2"), "20.06.26");

  wx.Clock = {4, 3, 2, 31, 12};
  u = refresh();
  EXPECT_EQ(text(u, "Label1"), "02:03:04");
  EXPECT_EQ(text(u, "Label2"), "31.12.26");

  wx.Clock = {4, 3, 2, 31, 4};  // 31 April: the time changes, the date stays
  u = refresh();
  EXPECT_EQ(text(u, "Label1"), "02:03:04");
  EXPECT_EQ(text(u, "Label2"), "<unchanged>");

  wx.Clock = {4, 3, 25, 1, 4};  // hour 25: neither changes
  u = refresh();
  EXPECT_EQ(text(u, "Label1"), "<unchanged>");
  EXPECT_EQ(text(u, "Label2"), "<unchanged>");
}

TEST_F(DisplayUpdateTest, FiveMinuteWindIsTheRunningMaximumOfTheRing) {
  state.gustRing = {12, 30, 8, 0, 25};
  const DisplayUpdate u = refresh();
  EXPECT_EQ(u.windRows, (std::array<std::string, 5>{"1,2", "3", "3", "3", "3"}));
  EXPECT_EQ(text(u, "Label78"), "Max seit 5min: 3 m/s");
  state.gustRing = {400, 0, 0, 0, 0};  // above 25,5 m/s, which 8 bits would cut
  EXPECT_EQ(text(refresh(), "Label78"), "Max seit 5min: 40 m/s");
}

TEST_F(DisplayUpdateTest, TrendChangesOnlyWhenItsWordChanges) {
  DisplayUpdate u = refresh();  // code 0 and the design caption "Trend": nothing to show
  EXPECT_FALSE(u.trend);
  EXPECT_EQ(text(u, "Label39"), "<unchanged>");

  wx.Baro.Trend = 1;
  u = refresh();
  ASSERT_TRUE(u.trend);
  EXPECT_EQ(u.trend->labelText, "Trend: steigend");
  EXPECT_EQ(u.trend->picture, 1);
  apply(u);

  wx.Baro.Trend = 4;
  u = refresh();
  ASSERT_TRUE(u.trend);
  EXPECT_EQ(text(u, "Label39"), "Trend: fallend");
  EXPECT_EQ(u.trend->picture, 4);
  apply(u);

  EXPECT_FALSE(refresh().trend);
}

TEST_F(DisplayUpdateTest, ForecastCodesOutsideTheTableShowNoWordAndNoPicture) {
  wx.Baro.Forecast = 2;
  DisplayUpdate u = refresh();
  ASSERT_TRUE(u.forecast);
  EXPECT_EQ(u.forecast->labelText, "Vorhersage: bewölkt");
  EXPECT_EQ(u.forecast->picture, 2);
  apply(u);

  wx.Baro.Forecast = 13;
  u = refresh();
  ASSERT_TRUE(u.forecast);
  EXPECT_EQ(u.forecast->labelText, "Vorhersage: ");
  EXPECT_EQ(u.forecast->picture, -1);
  apply(u);

  wx.Baro.Trend = 6;
  labels.trend = "Trend: gleichbleibend";
  u = refresh();
  ASSERT_TRUE(u.trend);
  EXPECT_EQ(u.trend->labelText, "Trend: ");
  EXPECT_EQ(u.trend->picture, -1);
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
  EXPECT_EQ(text(u, "Label6"), "Alarm um 7:5");
  EXPECT_EQ(text(u, "Label32"), "Alarm bei 95°F");
  EXPECT_EQ(text(u, "Label33"), "Alarm: n/a");
  EXPECT_EQ(text(u, "Label41"), "Alarm bei 4 mb");
  EXPECT_EQ(text(u, "Label64"), "Alarm bei 12inches/h");
  EXPECT_EQ(text(u, "Label45"), "Alarm bei 18°C");
  EXPECT_EQ(text(u, "Label69"), "Alarm: n/a");
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
  EXPECT_EQ(text(u, "Label37"), "Local: 1003 mb");
  EXPECT_EQ(text(u, "Label38"), "Sealevel: 1013,2 mb");
  EXPECT_EQ(text(u, "Label55"), "Rate: 3 mm/h");
  EXPECT_EQ(text(u, "Label57"), "Total: 250 mm");
  EXPECT_EQ(text(u, "Label79"), "Seit 24h: 11 mm");
  EXPECT_EQ(text(u, "Label66"), "Aktuell: 4,3 m/s - 270°");
  EXPECT_EQ(text(u, "Label68"), "Böe: 12 m/s - 225°");
  EXPECT_EQ(text(u, "Label72"), "Aktuell: -4°C");
  EXPECT_EQ(text(u, "Label80"), "DC");
  EXPECT_EQ(text(u, "Label83"), "Wind");
  wx.DisplaySection = 9;
  EXPECT_EQ(text(refresh(), "Label83"), "");
}

TEST_F(DisplayUpdateTest, BatteryLampFollowsTheFlag) {
  wx.BatteryLow = true;
  EXPECT_TRUE(refresh().batteryLow);
  wx.BatteryLow = false;
  EXPECT_FALSE(refresh().batteryLow);
}

}  // namespace
}  // namespace tavik
