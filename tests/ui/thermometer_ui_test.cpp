// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "ui/thermometer_window.h"

namespace tavik {
namespace {

class ThermometerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wx.TempIn.Current = 200;
    wx.Chill.Current = -8;
    wx.DewOut.Current = 5;
  }
  void show() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  QLabel* title() { return window.findChild<QLabel*>("Panel1"); }
  QWidget* scale() { return window.findChild<QWidget*>("Image1"); }
  QWidget* bar() { return window.findChild<QWidget*>("balken"); }
  QTimer* timer() { return window.findChild<QTimer*>("Timer1"); }
  void choose(const char* item) { window.findChild<QAction*>(item)->trigger(); }
  // The column expected for a value over the window's present scale.
  MercuryBar expectedBar(double degrees) {
    return mercuryBar(scale()->height(), title()->height(), degrees);
  }

  WeatherRecord wx;
  Tanalog window{wx};
};

TEST_F(ThermometerTest, ShowsTheIndoorTemperatureOverTheScale) {
  show();
  EXPECT_EQ(window.objectName(), "analog");
  EXPECT_EQ(window.windowTitle(), "Innentemperatur");
  EXPECT_EQ(title()->text(), "Innentemperatur");
  // 17 high at the least; higher when the font needs it.
  EXPECT_GE(title()->height(), 17);
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(timer()->interval(), 1000);
  const MercuryBar expected = expectedBar(20.0);
  EXPECT_EQ(bar()->y(), expected.top);
  EXPECT_EQ(bar()->height(), expected.height);
  EXPECT_EQ(bar()->geometry().left(), mercuryBarColumn(window.width()).left);
  // 50 scale degrees over a scale of 77/7200 of the picture's height per degree.
  EXPECT_NEAR(bar()->height(), 50 * scale()->height() * 77.0 / 7200.0, 0.5);
}

TEST_F(ThermometerTest, ChoosingAQuantityChangesCaptionTitleAndColumnAtOnce) {
  show();
  choose("Windchill1");
  EXPECT_EQ(window.windowTitle(), "Windchill");
  EXPECT_EQ(title()->text(), "Windchill");
  EXPECT_EQ(bar()->height(), expectedBar(-8.0).height);
}

TEST_F(ThermometerTest, PollsTheRecordWhileShown) {
  show();
  wx.TempIn.Current = -300;
  QTRY_COMPARE_WITH_TIMEOUT(bar()->height(), 0, 2000);
  window.hide();
  EXPECT_FALSE(timer()->isActive());
}

TEST_F(ThermometerTest, ShowingAgainStartsWithTheIndoorTemperature) {
  show();
  choose("Aussentaupunkt1");
  EXPECT_EQ(window.source(), ThermometerSource::DewOut);
  window.hide();
  show();
  EXPECT_EQ(window.source(), ThermometerSource::TempIn);
  EXPECT_EQ(window.windowTitle(), "Innentemperatur");
  EXPECT_EQ(bar()->height(), expectedBar(20.0).height);
}

TEST_F(ThermometerTest, WidthFollowsTheHeight) {
  show();
  const int titleHeight = title()->height();
  window.resize(window.width(), 600 + titleHeight);
  QTRY_COMPARE(window.width(), 250);  // 600 / 2.4
  EXPECT_EQ(scale()->height(), 600);
  EXPECT_EQ(bar()->height(), expectedBar(20.0).height);
}

}  // namespace
}  // namespace tavik
