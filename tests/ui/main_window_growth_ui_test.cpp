// SPDX-License-Identifier: GPL-3.0-or-later
// The current values grow by one rule, wind included, and a large group font
// reflows the groups into fewer columns rather than making the window wider
// than its screen.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QScreen>

#include "ui/current_value_label.h"
#include "ui/longest_record.h"

#include "main_window_fixture.h"
#include "text_fits.h"

namespace tavik {
namespace {

class MainWindowGrowthTest : public MainWindowTest {
 protected:
  void SetUp() override {
    station_ = StationData{longestRecord(false)};
    form_.RefreshMainWindow();
    form_.show();
  }
  void settle() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
    }
  }
  CurrentValueLabel* value(int n) {
    return form_.group(n)->findChild<CurrentValueLabel*>(QString(), Qt::FindDirectChildrenOnly);
  }
  // Every current value shows the widest text it may ever show, whole.
  void expectValuesWhole(const char* where) {
    for (int n = 2; n <= 11; ++n) {
      const CurrentValueLabel* v = value(n);
      EXPECT_GE(v->contentsRect().width(), v->widestWidth()) << where << ", group " << n;
      EXPECT_LE(v->sizeHint().width(), v->width()) << where << ", group " << n;
      EXPECT_LE(v->geometry().right(), form_.group(n)->contentsRect().right())
          << where << ", group " << n;
    }
  }
  void expectNothingCut(const char* where) {
    for (const std::string& cut : test::cutTexts(&form_)) ADD_FAILURE() << where << ": " << cut;
  }
  void expectGroupsInsideTheWindow(const char* where) {
    const QRect window = form_.rect();
    for (int n = 2; n <= 11; ++n) {
      const QGroupBox* g = form_.group(n);
      const QRect shown(g->mapTo(&form_, QPoint(0, 0)), g->size());
      EXPECT_TRUE(window.contains(shown)) << where << ", group " << n;
      EXPECT_GE(g->width(), g->minimumSizeHint().width()) << where << ", group " << n;
      EXPECT_GE(g->height(), g->minimumSizeHint().height()) << where << ", group " << n;
    }
  }
  void shrink() {
    form_.resize(1, 1);
    settle();
  }
};

TEST_F(MainWindowGrowthTest, EveryCurrentValueGrowsByTheSameFactorWindIncluded) {
  for (const QSize size : {QSize(1, 1), QSize(900, 560), QSize(1600, 1000)}) {
    form_.resize(size);
    settle();
    const std::string where =
        std::to_string(form_.width()) + " x " + std::to_string(form_.height());
    const double wind = value(10)->growth();
    for (int n = 2; n <= 11; ++n) {
      EXPECT_DOUBLE_EQ(value(n)->growth(), wind) << where << ", group " << n;
      // With one group font, one size on the screen.
      EXPECT_EQ(value(n)->fontInfo().pixelSize(), value(10)->fontInfo().pixelSize()) << where;
    }
    expectValuesWhole(where.c_str());
    expectNothingCut(where.c_str());
  }
  // The large window has room for values well above their smallest size.
  EXPECT_GT(value(10)->growth(), 2.0);
  shrink();
  EXPECT_LT(value(10)->growth(), 1.2);
}

TEST_F(MainWindowGrowthTest, LargeGroupFontReflowsTheGroupsInsideTheScreen) {
  const QRect screen = form_.screen()->availableGeometry();
  // One group's font so large that three columns of groups as wide as it
  // would not fit the screen; the window, shown, is made as small as it
  // allows at once, before its layouts have settled.
  int points = 14;
  for (; points < 40; points += 2) {
    settings_.groupFontSize[3] = points;  // GroupBox5
    form_.applyGroupAppearance();
    shrink();
    if (3 * form_.group(5)->minimumSizeHint().width() > screen.width()) break;
  }
  ASSERT_LT(points, 40);
  EXPECT_LE(form_.width(), screen.width());
  EXPECT_LE(form_.height(), screen.height());
  // The groups left their three column panels.
  EXPECT_FALSE(form_.findChild<QWidget*>("PanelLinks")->isVisible());
  expectGroupsInsideTheWindow("reflowed");
  expectValuesWhole("reflowed");
  expectNothingCut("reflowed");
  // The large group's value grew with its font, by the factor of all.
  EXPECT_GT(value(5)->fontInfo().pixelSize(), value(10)->fontInfo().pixelSize());
  EXPECT_DOUBLE_EQ(value(5)->growth(), value(10)->growth());

  // As wide as three columns need, they come back.
  form_.resize(1600, 1000);
  settle();
  EXPECT_TRUE(form_.findChild<QWidget*>("PanelLinks")->isVisible());
  EXPECT_EQ(form_.group(5)->parentWidget()->objectName(), "PanelMitte");
  expectGroupsInsideTheWindow("three columns");
  expectNothingCut("three columns");

  // Back at the usual size the window is as narrow as before.
  settings_.groupFontSize[3] = 8;
  form_.applyGroupAppearance();
  settle();
  shrink();
  EXPECT_EQ(form_.group(5)->parentWidget()->objectName(), "PanelMitte");
  EXPECT_LT(form_.width(), screen.width());
  expectNothingCut("8 pt again");
}

TEST_F(MainWindowGrowthTest, EveryGroupAtALargeFontStillFitsTheScreenWidth) {
  const QRect screen = form_.screen()->availableGeometry();
  settings_.groupFontSize.fill(14);
  form_.applyGroupAppearance();
  settle();
  shrink();
  EXPECT_LE(form_.width(), screen.width());
  expectGroupsInsideTheWindow("all at 14 pt");
  expectValuesWhole("all at 14 pt");
  expectNothingCut("all at 14 pt");
}

}  // namespace
}  // namespace tavik
