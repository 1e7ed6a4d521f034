// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "modal_dialog.h"
#include "products/weather_log_dialog.h"
#include "widgets/folder_chooser_dialog.h"
#include "widgets/radio_group_widget.h"

namespace tavik {
namespace {

class WeatherLogDialogTest : public ::testing::Test {
 protected:
  WeatherLogDialogTest() {
    settings.LogOrdner = "/srv/wx/log";
    settings.LogUpdate = 1;
    settings.LogWochenordner = true;
    settings.LogMonatsordner = false;
    settings.LogUnterordner = false;
    settings.CatchPeak = true;
    settings.LogInterval = 900000;
  }

  QCheckBox* box(const char* name) { return dialog.findChild<QCheckBox*>(name); }
  QLineEdit* minutes() { return dialog.findChild<QLineEdit*>("Edit1"); }
  RadioGroup* period() { return dialog.findChild<RadioGroup*>("RadioGroup1"); }

  Settings settings;
  RecordingNotifier notifier;
  Tordner chooser;
  Tlogprop dialog{chooser};
};

TEST_F(WeatherLogDialogTest, ShowFillsTheControls) {
  dialog.FormShow(settings);
  EXPECT_EQ(dialog.windowTitle(), "Wetterlog Einstellungen");
  EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), "/srv/wx/log");
  EXPECT_EQ(period()->itemIndex(), 1);
  EXPECT_EQ(period()->button(1)->text(), QString::fromUtf8("wöchentlich"));
  EXPECT_TRUE(box("CheckBox1")->isChecked());
  EXPECT_FALSE(box("CheckBox2")->isChecked());
  EXPECT_FALSE(box("CheckBox3")->isChecked());
  EXPECT_TRUE(box("CheckBox4")->isChecked());
  EXPECT_EQ(minutes()->text(), "15");

  settings.LogUpdate = 3;  // no such choice
  dialog.FormShow(settings);
  EXPECT_EQ(period()->itemIndex(), -1);
}

TEST_F(WeatherLogDialogTest, CombineBoxEnablesTheFolderBoxesKeepingTheirTicks) {
  dialog.FormShow(settings);
  EXPECT_FALSE(box("CheckBox1")->isEnabled());
  EXPECT_FALSE(box("CheckBox2")->isEnabled());
  box("CheckBox3")->click();
  EXPECT_TRUE(box("CheckBox1")->isEnabled());
  EXPECT_TRUE(box("CheckBox2")->isEnabled());
  EXPECT_TRUE(box("CheckBox1")->isChecked());
  box("CheckBox3")->click();
  EXPECT_FALSE(box("CheckBox1")->isEnabled());
  EXPECT_TRUE(box("CheckBox1")->isChecked());
}

TEST_F(WeatherLogDialogTest, OkTakesEveryControlAndTheTimer) {
  testing::whenOpen(dialog, [this] {
    minutes()->clear();
    period()->button(2)->click();
    box("CheckBox3")->click();
    box("CheckBox2")->click();
    box("CheckBox4")->click();
    dialog.findChild<QAbstractButton*>("OKBtn")->click();
  });
  const auto running = editWeatherLogSettings(dialog, settings, notifier);
  ASSERT_TRUE(running);
  EXPECT_EQ(running->logtimer, false);
  EXPECT_EQ(minutes()->text(), "0");
  EXPECT_EQ(settings.LogInterval, 0);
  EXPECT_EQ(settings.LogUpdate, 2);
  EXPECT_TRUE(settings.LogUnterordner);
  EXPECT_TRUE(settings.LogMonatsordner);
  EXPECT_TRUE(settings.LogWochenordner);
  EXPECT_FALSE(settings.CatchPeak);
  EXPECT_EQ(settings.LogOrdner, "/srv/wx/log");
}

TEST_F(WeatherLogDialogTest, CancelTakesNothing) {
  testing::whenOpen(dialog, [this] {
    minutes()->setText("1");
    box("CheckBox4")->click();
    dialog.findChild<QAbstractButton*>("CancelBtn")->click();
  });
  EXPECT_FALSE(editWeatherLogSettings(dialog, settings, notifier));
  EXPECT_EQ(settings.LogInterval, 900000);
  EXPECT_TRUE(settings.CatchPeak);
}

TEST_F(WeatherLogDialogTest, BrowseCancelKeepsTheFolder) {
  dialog.FormShow(settings);
  testing::clickWhenOpen(chooser, "CancelBtn");
  dialog.Button3Click();
  EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), "/srv/wx/log");
}

}  // namespace
}  // namespace tavik
