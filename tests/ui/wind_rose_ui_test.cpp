// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ui/wind_rose_window.h"
#include "widgets/circle_shape_widget.h"

namespace tavik {
namespace {

class WindRoseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wx.Wind.Dir = 90;
    rose.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rose));
  }
  CircleShape* marker() { return rose.findChild<CircleShape*>("Shape1"); }
  QPoint markerCentre() {
    const QRect g = marker()->geometry();
    return {g.left() + g.width() / 2, g.top() + g.height() / 2};
  }

  WeatherRecord wx;
  TWindrose rose{wx};
};

TEST_F(WindRoseTest, MarkerSitsOnTheRingAtTheWindDirection) {
  EXPECT_EQ(rose.objectName(), "Windrose");
  EXPECT_EQ(rose.windowTitle(), "Windrose");
  ASSERT_EQ(rose.size(), QSize(260, 260));
  rose.UpdateRose(140);
  EXPECT_EQ(markerCentre(), QPoint(220, 130));
  EXPECT_EQ(marker()->width(), rose.frameGeometry().width() / 15);
  EXPECT_EQ(marker()->height(), rose.frameGeometry().height() / 15);

  wx.Wind.Dir = 0;
  rose.UpdateRose(140);
  EXPECT_EQ(markerCentre(), QPoint(130, 40));
}

TEST_F(WindRoseTest, MarkerIsColouredBySpeedOnScreen) {
  rose.UpdateRose(140);
  EXPECT_EQ(marker()->brushColour(), QColor(0, 255, 255));
  const QImage shot = rose.grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(220, 130)), QColor(0, 255, 255));
  rose.UpdateRose(560);
  EXPECT_EQ(QColor(rose.grab().toImage().pixel(220, 130)), QColor(255, 0, 0));
}

TEST_F(WindRoseTest, ResizingKeepsTheClientSquareAndTheMarkerOnTheRing) {
  rose.resize(400, 300);
  QTRY_COMPARE(rose.size(), QSize(400, 400));
  // Radius 200 - 62 = 138 east of the centre.
  EXPECT_EQ(markerCentre(), QPoint(338, 200));
}

TEST_F(WindRoseTest, ShowingAgainFollowsTheDirectionButKeepsTheColour) {
  rose.UpdateRose(280);
  rose.hide();
  wx.Wind.Dir = 180;
  rose.show();
  EXPECT_EQ(markerCentre(), QPoint(130, 220));
  EXPECT_EQ(marker()->brushColour(), QColor(0, 255, 0));
}

TEST(WindRoseWindow, FirstShownCentredOnTheMainWindowThenWhereTheUserLeftIt) {
  QWidget owner;
  owner.setGeometry(200, 150, 700, 500);
  owner.show();
  WeatherRecord wx;
  TWindrose rose(wx, &owner);
  rose.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&rose));
  EXPECT_LE((rose.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
  rose.hide();
  rose.move(20, 30);
  rose.show();
  EXPECT_EQ(rose.pos(), QPoint(20, 30));
}

TEST_F(WindRoseTest, ClosingIsReportedForTheCheckMark) {
  int closed = 0;
  QObject::connect(&rose, &ToolWindow::closedByUser, [&] { ++closed; });
  rose.close();
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(rose.isVisible());
}

}  // namespace
}  // namespace tavik
