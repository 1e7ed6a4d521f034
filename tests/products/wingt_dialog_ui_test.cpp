// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "modal_dialog.h"
#include "products/wingt_dialog.h"
#include "widgets/folder_chooser_dialog.h"

namespace tavik {
namespace {

using testing::clickWhenOpen;

class WinGTDialogTest : public ::testing::Test {
 protected:
  WinGTDialogTest() {
    settings.ImportInterval = 300000;
    settings.ReadInterval = 0;
    settings.WinGTImport = "/srv/wingt/import";
    settings.WinGTRead = "/srv/wingt/read";
  }

  QLineEdit* edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }
  QLabel* label(const char* name) { return dialog.findChild<QLabel*>(name); }
  // "WinGT..." with the minutes typed while it is open, then a button.
  std::optional<TimerRunning> runWith(const QString& importMinutes, const QString& readMinutes,
                                      const char* button = "OKBtn") {
    testing::whenOpen(dialog, [=, this] {
      edit("Edit1")->setText(importMinutes);
      edit("Edit2")->setText(readMinutes);
      dialog.findChild<QAbstractButton*>(button)->click();
    });
    return editWinGTSettings(dialog, settings, notifier);
  }

  Settings settings;
  RecordingNotifier notifier;
  Tordner chooser;
  Twingtprop dialog{chooser};
};

TEST_F(WinGTDialogTest, ShowFillsMinutesAndFolders) {
  settings.ReadInterval = 119999;  // to a ten-thousandth of a minute
  dialog.FormShow(settings);
  EXPECT_EQ(dialog.windowTitle(), "WinGT Einstellungen");
  EXPECT_EQ(edit("Edit1")->text(), "5");
  EXPECT_EQ(edit("Edit2")->text(), "2");
  EXPECT_EQ(label("Label4")->text(), "/srv/wingt/import");
  EXPECT_EQ(label("Label6")->text(), "/srv/wingt/read");
}

TEST_F(WinGTDialogTest, MinutesFieldsTakeDigitsUpToTheLargestPeriod) {
  for (const char* name : {"Edit1", "Edit2"}) {
    QLineEdit* field = edit(name);
    field->clear();
    QTest::keyClicks(field, "1a-2 +3");
    EXPECT_EQ(field->text(), "123") << name;
    field->clear();
    QTest::keyClicks(field, "357919");
    EXPECT_EQ(field->text(), "35791") << name;
    field->clear();
    QTest::keyClicks(field, "0035791");
    EXPECT_EQ(field->text(), "0035791") << name;
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "003579") << name;
  }
}

TEST_F(WinGTDialogTest, EmptyFieldsShowZeroAfterOkAndStopTheTimers) {
  const auto running = runWith("", "00");
  ASSERT_TRUE(running);
  EXPECT_EQ(*running, (TimerRunning{false, true, std::nullopt}));
  EXPECT_EQ(edit("Edit1")->text(), "0");
  EXPECT_EQ(edit("Edit2")->text(), "00");
  EXPECT_EQ(settings.ImportInterval, 0);
  EXPECT_EQ(settings.ReadInterval, 0);
}

TEST_F(WinGTDialogTest, CancelTakesNothing) {
  const Settings before = settings;
  EXPECT_FALSE(runWith("9", "9", "CancelBtn"));
  EXPECT_EQ(settings.ImportInterval, before.ImportInterval);
  EXPECT_EQ(settings.ReadInterval, before.ReadInterval);
}

TEST_F(WinGTDialogTest, BrowseCancelKeepsTheFolderAndOkReplacesIt) {
  dialog.FormShow(settings);
  clickWhenOpen(chooser, "CancelBtn");
  dialog.Button1Click();
  EXPECT_EQ(label("Label4")->text(), "/srv/wingt/import");

  label("Label6")->setText("/");
  clickWhenOpen(chooser, "OKBtn");
  dialog.Button2Click();
  EXPECT_EQ(label("Label6")->text(), "/");
}

}  // namespace
}  // namespace tavik
