// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout at every size it may have: no text cut at the
// default size, at 1600 x 1000, at the smallest size it allows and with a
// 14 pt group font (and all of it again under QT_SCALE_FACTOR=2, registered
// as a second run of these tests in CMake); the font dialog's colour.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <fstream>
#include <sstream>

#include "settings/settings_file.h"
#include "ui/colour_value.h"
#include "ui/group_font_dialog.h"

#include "main_window_fixture.h"
#include "text_fits.h"

namespace tavik {
namespace {

class MainWindowLayoutTest : public MainWindowTest {
 protected:
  // Values whose texts are as long as the station ever makes them.
  void fillWithLongValues() {
    seeAllGroups();
    WeatherRecord& w = station_.weather;
    w.Clock = {59, 59, 23, 28, 12};
    w.AlarmClock = {59, 23, true};
    const MinMaxEntry humidity{58, 23, 28, 12, 100, false};
    w.HumIn.Current = 100;
    w.HumIn.Hi = humidity;
    w.HumIn.Lo = humidity;
    w.HumOut = w.HumIn;
    w.TempIn.Current = -188;
    w.TempIn.Hi = {58, 23, 28, 12, -188, false};
    w.TempIn.Lo = {58, 23, 28, 12, -188, false};
    w.TempOut = w.TempIn;
    w.Baro.Local = 1038;
    w.Baro.SeaLevel = 10388;
    w.Baro.Trend = 2;     // "gleichbleibend", the longest trend word
    w.Baro.Forecast = 8;  // "regnerisch"
    w.DewIn.Current = -18;
    w.DewIn.Hi = {58, 23, 28, 12, -18, false};
    w.DewIn.Lo = w.DewIn.Hi;
    w.DewOut = w.DewIn;
    w.Rain.Rate = 999;
    w.Rain.Yesterday = 9999;
    w.Rain.Total = 9999;
    w.Rain.TotalSince = {58, 23, 28, 12};
    station_.state.rain24h = 65535;
    w.Wind = {};
    w.Wind.Speed = 588;
    w.Wind.Dir = 348;  // "NNW"
    w.Wind.AvgSpeed = 588;
    w.Wind.AvgDir = 348;
    w.Wind.GustSpeed = 588;
    w.Wind.GustDir = 348;
    w.Wind.GustTime = {58, 23, 28, 12};
    station_.state.gustRing = {588, 588, 588, 588, 588};
    w.Chill.Current = -188;
    w.Chill.Lo = {58, 23, 28, 12, -188, false};
    w.DisplaySection = 2;  // "Feuchtigkeit"
    form_.RefreshMainWindow();
  }
  void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
    }
  }
  void expectNothingCut(const char* where) {
    settle();
    for (const std::string& cut : test::cutTexts(&form_)) ADD_FAILURE() << where << ": " << cut;
  }
  // The window as small as its layout lets it be.
  void shrink() {
    form_.resize(1, 1);
    settle();
    EXPECT_EQ(form_.size(), form_.minimumSize());
  }
};

TEST_F(MainWindowLayoutTest, NoTextCutAtTheDefaultSizeBeforeAndWithData) {
  form_.show();
  expectNothingCut("before the data");
  fillWithLongValues();
  expectNothingCut("with data");
  EXPECT_EQ(text("Kompass66"), "NNW");
}

TEST_F(MainWindowLayoutTest, NoTextCutWhenLargeOrAsSmallAsAllowed) {
  fillWithLongValues();
  form_.show();
  form_.resize(1600, 1000);
  expectNothingCut("1600 x 1000");
  // The current value stands out in the larger window too.
  EXPECT_GT(find("Label29")->fontMetrics().height(), find("Label30")->fontMetrics().height());
  shrink();
  expectNothingCut("smallest size");
  EXPECT_LT(form_.width(), 1600);
}

TEST_F(MainWindowLayoutTest, NoTextCutWithA14PointGroupFont) {
  fillWithLongValues();
  settings_.groupFontSize.fill(14);
  form_.applyGroupAppearance();
  form_.show();
  expectNothingCut("14 pt, default size");
  shrink();
  expectNothingCut("14 pt, smallest size");
  // The barometer's words stay clear of the forecast picture.
  const QRect picture = find("Image2")->geometry();
  for (const char* name : {"Label37", "Label38", "Label39", "Label40"}) {
    EXPECT_FALSE(find(name)->geometry().intersects(picture)) << name;
  }
}

TEST_F(MainWindowLayoutTest, WindowKeepsItsSizeWhenLongerTextsArrive) {
  form_.show();
  settle();
  const QSize before = form_.minimumSize();
  fillWithLongValues();
  settle();
  EXPECT_EQ(form_.minimumSize(), before);
  EXPECT_GE(form_.width(), form_.minimumSize().width());
  expectNothingCut("after the data arrived");
}

// Answers the group font dialog: picks `colour` through its colour button and
// a font of `points`, then OK.
void chooseFontColourSoon(const QColor& colour, int points) {
  QTimer::singleShot(0, [colour, points] {
    auto* dialog = qobject_cast<GroupFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTimer::singleShot(0, [colour] {
      auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(chooser, nullptr);
      chooser->setCurrentColor(colour);
      chooser->accept();
    });
    dialog->colourButton()->click();
    QFont font = dialog->chosenFont();
    font.setPointSize(points);
    dialog->findChild<QFontDialog*>()->setCurrentFont(font);
    dialog->accept();
  });
}

TEST_F(MainWindowLayoutTest, FontDialogSetsTheGroupsTextColourAndItIsSaved) {
  form_.show();
  QGroupBox* outdoor = form_.group(5);
  emit outdoor->customContextMenuRequested(QPoint(5, 5));
  find<QMenu>("PopupMenu1")->hide();
  chooseFontColourSoon(QColor(200, 10, 20), 12);
  action("Zeichen1")->trigger();

  EXPECT_EQ(settings_.groupFontColor[3], valueFromColour(QColor(200, 10, 20)));
  EXPECT_EQ(settings_.groupFontSize[3], 12);
  EXPECT_EQ(find("Label30")->palette().color(QPalette::WindowText), QColor(200, 10, 20));
  EXPECT_EQ(find("Label30")->font().pointSize(), 12);
  EXPECT_EQ(settings_.groupFontColor[2], 8);  // the other groups keep theirs

  RecordingNotifier failures;
  ASSERT_TRUE(saveSettings(dir_, settings_, profiles_, false, failures));
  std::ifstream in(dir_ + "tavout.ini", std::ios::binary);
  std::stringstream file;
  file << in.rdbuf();
  EXPECT_NE(file.str().find("Group5Color=" + std::to_string(0x00140AC8) + "\r\n"),
            std::string::npos);
  EXPECT_NE(file.str().find("Group5Size=12\r\n"), std::string::npos);
}

TEST_F(MainWindowLayoutTest, FontDialogOnTheEmptyAreaChangesNothing) {
  form_.show();
  const Settings before = settings_;
  emit find<QWidget>("PanelMiddle")->customContextMenuRequested(QPoint(1, 1));
  find<QMenu>("PopupMenu1")->hide();
  chooseFontColourSoon(QColor(200, 10, 20), 20);
  action("Zeichen1")->trigger();
  EXPECT_EQ(settings_, before);
}

}  // namespace
}  // namespace tavik
