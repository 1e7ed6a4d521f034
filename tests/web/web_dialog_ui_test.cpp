// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "product_test_support.h"
#include "widgets/folder_chooser_dialog.h"

namespace tavik {
namespace {

struct WebDialogTest : ::testing::Test {
  template <typename T>
  T* control(const char* name) {
    T* c = dialog.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  Settings settings;
  RecordingNotifier notifier;
  Tordner chooser;
  Twebprop dialog{chooser};
};

TEST_F(WebDialogTest, ShowsTheSettingsAndOkTakesTheFieldsOver) {
  settings.WebOrdner = "/srv/www/wetter";
  settings.WebIntervall = 5;
  settings.WebTitel = "Balkon";
  settings.Hoehe = "34";
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(dialog.windowTitle(), "Webseite");
    EXPECT_EQ(control<QLabel>("Label3")->text(), "/srv/www/wetter");
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "5");
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "Balkon");
    control<QLineEdit>("Edit1")->setText("15");
    control<QLineEdit>("Edit2")->setText("Garten <Süd>");
    EXPECT_EQ(control<QLineEdit>("Edit3")->text(), "34");
    control<QLineEdit>("Edit3")->setText("412");
    QTest::mouseClick(control<QPushButton>("OKBtn"), Qt::LeftButton);
  });
  EXPECT_TRUE(editWebSettings(dialog, settings, notifier));
  EXPECT_EQ(settings.WebOrdner, "/srv/www/wetter");
  EXPECT_EQ(settings.WebIntervall, 15);
  EXPECT_EQ(settings.WebTitel, "Garten <Süd>");
  EXPECT_EQ(settings.Hoehe, "412");
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WebDialogTest, CancelChangesNothing) {
  QTimer::singleShot(0, [&] {
    control<QLineEdit>("Edit1")->setText("99");
    dialog.reject();
  });
  EXPECT_FALSE(editWebSettings(dialog, settings, notifier));
  EXPECT_EQ(settings.WebIntervall, 5);
}

}  // namespace
}  // namespace tavik
