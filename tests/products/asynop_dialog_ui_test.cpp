// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "product_test_support.h"
#include "products/asynop.h"
#include "temp_folder.h"
#include "widgets/folder_chooser_dialog.h"
#include "widgets/radio_group_widget.h"

namespace tavik {
namespace {

struct AsynopDialogTest : ::testing::Test {
  AsynopDialogTest() {
    f.settings.ASYNOPDatei = folder.dir() + "asynop.txt";
    f.settings.ASYNOPAbsender = "DL1ABC";
    f.settings.ASYNOPIntervall = true;
    f.settings.ASYNOPErdquadrant = 7;
    f.settings.ASYNOPArchiv = true;
    f.settings.ASYNOPWochenordner = true;
  }
  ProductContext context() {
    ProductContext c = f.context();
    c.productDir = folder.dir();
    return c;
  }
  template <typename T>
  T* control(const char* name) {
    T* c = dialog.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QString text(const char* name) { return control<QLineEdit>(name)->text(); }

  testing::TempFolder folder;
  test::ProductFixture f;  // clock at 08.12.2026 14:30:45
  Tordner chooser;
  Asynop asynop;
  int newBulletins = 0;
  Tasynopprop dialog{context(), chooser, [this] {
                       ++newBulletins;
                       asynop.asynopNewFile(context());
                     }};
};

TEST_F(AsynopDialogTest, HasTwoTabsAndAFollowingSubject) {
  EXPECT_EQ(dialog.windowTitle(), "ASYNOP");
  auto* tabs = control<QTabWidget>("PageControl1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Datei");
  EXPECT_EQ(tabs->tabText(1), "Daten");
  EXPECT_FALSE(control<QLineEdit>("Betreff")->isEnabled());
  control<QLineEdit>("Absender")->setText("DK0XY");
  EXPECT_EQ(text("Betreff"), "ASYNOP DK0XY 08.12.26");
}

TEST_F(AsynopDialogTest, ShowFillsTheFieldsAndStartsAMissingBulletin) {
  dialog.FormShow();
  EXPECT_EQ(text("Absender"), "DL1ABC");
  EXPECT_EQ(text("Betreff"), "ASYNOP DL1ABC 08.12.26");
  EXPECT_EQ(text("Empf"), "ASYNOP@DL");
  EXPECT_EQ(control<RadioGroup>("Intervall")->itemIndex(), 1);
  EXPECT_EQ(control<QLabel>("Label3")->text().toStdString(), folder.dir());
  EXPECT_EQ(text("Edit1"), "asynop.txt");
  EXPECT_EQ(text("Edit2"), "Wetterdaten WMR918");
  EXPECT_EQ(text("Edit4"), "505");
  EXPECT_EQ(text("Edit5"), "080");
  EXPECT_EQ(text("Edit6"), "7");
  EXPECT_TRUE(control<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_FALSE(control<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_TRUE(control<QCheckBox>("CheckBox3")->isChecked());
  EXPECT_EQ(newBulletins, 1);
  EXPECT_EQ(asynop.statusText(), "ASYNOP: X");
  const QString memo = control<QPlainTextEdit>("Memo1")->toPlainText();
  EXPECT_TRUE(memo.startsWith("ASYNOP@DL")) << memo.toStdString();
  EXPECT_TRUE(memo.endsWith("SXSX")) << memo.toStdString();

  // A work file that exists is shown as it is, not started anew.
  std::ofstream(asynopWorkFile(folder.dir()), std::ios::binary) << "Zeile 1\r\nZeile \xE4\r\n";
  dialog.FormShow();
  EXPECT_EQ(newBulletins, 1);
  EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QString::fromUtf8("Zeile 1\nZeile ä"));
}

TEST_F(AsynopDialogTest, OkTakesBothTabsOver) {
  QTimer::singleShot(0, [&] {
    control<QLabel>("Label3")->setText("/wx");
    control<QLineEdit>("Edit1")->setText("bulletin.txt");
    control<QLineEdit>("Absender")->setText("DK0XY");
    control<QLineEdit>("Empf")->setText("WX@DB0ABC");
    control<RadioGroup>("Intervall")->button(0)->click();
    control<QLineEdit>("Edit2")->setText("oben");
    control<QLineEdit>("Edit3")->setText("unten");
    control<QLineEdit>("Edit4")->setText("899");
    control<QLineEdit>("Edit5")->setText("1799");
    control<QLineEdit>("Edit6")->setText("5");
    control<QCheckBox>("CheckBox1")->setChecked(false);
    control<QCheckBox>("CheckBox2")->setChecked(true);
    control<QCheckBox>("CheckBox3")->setChecked(false);
    QTest::mouseClick(control<QPushButton>("OKBtn"), Qt::LeftButton);
  });
  EXPECT_TRUE(editAsynopSettings(dialog, f.settings, f.notifier));
  const Settings& s = f.settings;
  EXPECT_EQ(s.ASYNOPDatei, "/wx/bulletin.txt");
  EXPECT_EQ(s.ASYNOPAbsender, "DK0XY");
  EXPECT_EQ(s.ASYNOPEmpf, "WX@DB0ABC");
  EXPECT_FALSE(s.ASYNOPIntervall);
  EXPECT_EQ(s.ASYNOPVor, "oben");
  EXPECT_EQ(s.ASYNOPNach, "unten");
  EXPECT_EQ(s.ASYNOPLat, "899");
  EXPECT_EQ(s.ASYNOPLong, "1799");
  EXPECT_EQ(s.ASYNOPErdquadrant, 5);
  EXPECT_FALSE(s.ASYNOPArchiv);
  EXPECT_TRUE(s.ASYNOPMonatsordner);
  EXPECT_FALSE(s.ASYNOPWochenordner);
  EXPECT_TRUE(f.notifier.messages.empty());
}

TEST_F(AsynopDialogTest, CancelChangesNothing) {
  QTimer::singleShot(0, [&] {
    control<QLineEdit>("Absender")->setText("DK0XY");
    QTest::mouseClick(control<QPushButton>("CancelBtn"), Qt::LeftButton);
  });
  EXPECT_FALSE(editAsynopSettings(dialog, f.settings, f.notifier));
  EXPECT_EQ(f.settings.ASYNOPAbsender, "DL1ABC");
}

}  // namespace
}  // namespace tavik
