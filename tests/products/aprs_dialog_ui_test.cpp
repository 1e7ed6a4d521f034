// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "common/text_file.h"
#include "product_test_support.h"
#include "products/aprs_file.h"
#include "temp_folder.h"
#include "widgets/folder_chooser_dialog.h"
#include "widgets/radio_group_widget.h"

namespace tavik {
namespace {

struct AprsDialogTest : ::testing::Test {
  AprsDialogTest() {
    f.settings.APRSDatei = folder.dir() + "aprs.txt";
    f.settings.APRSRechnerZeit = false;
    f.settings.APRSIntervall = 5;
  }
  template <typename T>
  T* control(const char* name) {
    T* c = dialog.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  testing::TempFolder folder;
  test::ProductFixture f;
  Tordner chooser;
  // Stands in for the product writers' guarded write.
  bool mayWrite = true;
  Taprsprop dialog{f.context(), chooser, [this] {
                     if (mayWrite) writeAprsFile(f.context());
                     return mayWrite;
                   }};
};

TEST_F(AprsDialogTest, ShowWritesTheFileAndFillsTheFields) {
  EXPECT_EQ(dialog.windowTitle(), "APRS ");
  dialog.FormShow();
  EXPECT_EQ(control<RadioGroup>("RadioGroup2")->itemIndex(), 0);
  EXPECT_EQ(control<RadioGroup>("LineEndGroup")->itemIndex(), 0);  // CR LF
  EXPECT_EQ(control<QLabel>("Label3")->text().toStdString(), folder.dir());
  EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "aprs.txt");
  EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "5");
  QPlainTextEdit* memo = control<QPlainTextEdit>("Memo1");
  EXPECT_TRUE(memo->isReadOnly());
  std::string written;
  ASSERT_TRUE(readTextFile(f.settings.APRSDatei, written));
  EXPECT_EQ(memo->toPlainText().toStdString() + "\n",
            QString::fromStdString(written).replace("\r\n", "\n").toStdString());
  EXPECT_EQ(memo->document()->blockCount(), 2);
  EXPECT_TRUE(f.notifier.messages.empty());
}

// The frame shown is the file as written, whatever wrote it; a write the
// record does not allow yet leaves the file alone and says why.
TEST_F(AprsDialogTest, ShowsTheLinesOfTheFileJustWrittenOrWhyThereAreNone) {
  Taprsprop other(f.context(), chooser, [this] {
    FileReplacement file;
    return file.open(f.settings.APRSDatei) && file.writeRaw("Zeit\r\n\r\nWetter \xe4\r\n") &&
           file.commit();
  });
  other.FormShow();
  EXPECT_EQ(other.findChild<QPlainTextEdit*>("Memo1")->toPlainText(), "Zeit\n\nWetter ä");

  std::filesystem::remove(f.settings.APRSDatei);
  mayWrite = false;
  dialog.FormShow();
  EXPECT_FALSE(std::filesystem::exists(f.settings.APRSDatei));
  EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText().toStdString(),
            "Keine APRS-Datei geschrieben:\nnoch nicht von jeder Datengruppe Werte\n"
            "oder seit über einer Minute keine mehr.");
  EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "5");
}

TEST_F(AprsDialogTest, OkTakesTheChosenFolderOverInOrder) {
  const QString wx = QString::fromStdString((folder.path() / "wx").string());
  std::filesystem::create_directory(wx.toStdString());
  QTimer::singleShot(0, [&] {
    // "Durchsuchen...": the user picks "wx" in the chooser and confirms.
    QTimer::singleShot(0, [&] {
      chooser.setFolder(wx);
      QTest::mouseClick(chooser.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>("Button3"), Qt::LeftButton);
    EXPECT_EQ(control<QLabel>("Label3")->text(), wx);
    control<RadioGroup>("RadioGroup2")->button(1)->click();
    control<RadioGroup>("LineEndGroup")->button(1)->click();
    control<QLineEdit>("Edit2")->setText("12");
    QTest::mouseClick(control<QPushButton>("OKBtn"), Qt::LeftButton);
  });
  EXPECT_TRUE(editAprsSettings(dialog, f.settings, f.notifier));
  EXPECT_TRUE(f.settings.APRSRechnerZeit);
  // The chosen folder has no trailing "/": one goes between it and the name.
  EXPECT_EQ(f.settings.APRSDatei, wx.toStdString() + "/aprs.txt");
  EXPECT_EQ(f.settings.APRSIntervall, 12);
  EXPECT_EQ(f.settings.APRSZeilenende, "LF");
  EXPECT_TRUE(f.notifier.messages.empty());
}

TEST_F(AprsDialogTest, CancelChangesNothing) {
  const Settings before = f.settings;
  QTimer::singleShot(0, [&] {
    control<RadioGroup>("RadioGroup2")->button(1)->click();
    control<QLineEdit>("Edit1")->setText("anders.txt");
    control<QLineEdit>("Edit2")->setText("99");
    QTest::mouseClick(control<QPushButton>("CancelBtn"), Qt::LeftButton);
  });
  EXPECT_FALSE(editAprsSettings(dialog, f.settings, f.notifier));
  EXPECT_EQ(f.settings.APRSRechnerZeit, before.APRSRechnerZeit);
  EXPECT_EQ(f.settings.APRSDatei, before.APRSDatei);
  EXPECT_EQ(f.settings.APRSIntervall, before.APRSIntervall);
  // Shown again, the dialog shows the settings, not what was left in it.
  dialog.FormShow();
  EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "5");
}

}  // namespace
}  // namespace tavik
