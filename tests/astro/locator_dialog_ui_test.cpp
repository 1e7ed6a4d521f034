// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/locator_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace tavik {
namespace {

struct LocatorDialogTest : ::testing::Test {
  template <typename T = QLineEdit>
  T* control(const char* name) {
    T* c = dialog.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QString text(const char* name) { return control(name)->text(); }
  QPushButton* defaultButton() {
    QPushButton* found = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
      if (b->isDefault()) {
        EXPECT_EQ(found, nullptr) << "two default buttons";
        found = b;
      }
    }
    return found;
  }
  // Closes the modal dialog with one of its buttons once it is up, after
  // `typing` has run inside it.
  void pressInModal(const char* button, std::function<void()> typing = {}) {
    QTimer::singleShot(0, [this, button, typing] {
      if (typing) typing();
      QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    });
  }

  // The text of the distance box while it is open.
  std::string distanceShown() {
    auto* box = dialog.findChild<QMessageBox*>("DistanceBox");
    return box != nullptr && box->isVisible() ? box->text().toStdString() : "<keine>";
  }

  RecordingNotifier notifier;
  TLocator dialog{RegionalSettings::german(), notifier};
  Settings settings;
};

TEST_F(LocatorDialogTest, ShowConvertsTheStoredLocator) {
  EXPECT_EQ(dialog.windowTitle(), "Locator");
  // Not resizable: its size is what its contents need.
  dialog.show();
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_TRUE(control<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_EQ(text("Edit1"), "JO30XP");
  dialog.FormShow("JO30XP");
  EXPECT_EQ(text("Edit3"), "JO30XP");
  EXPECT_EQ(text("Edit6"), "50,6458333333333 N");
  EXPECT_EQ(text("Edit7"), "7,95833333333333 E");
  EXPECT_EQ(text("Edit4"), "50.38.45 N");
  EXPECT_EQ(text("Edit5"), "7.57.30 E");
  dialog.FormShow("AA00AA");
  EXPECT_EQ(text("Edit6"), "89,9791666666667 S");
  EXPECT_EQ(text("Edit7"), "179,958333333333 W");
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(LocatorDialogTest, InvalidLocatorKeepsTheCoordinates) {
  dialog.FormShow("JO30XN");
  const QString before = text("Edit6");
  for (const char* bad : {"JO30X", "JO30XNN", ""}) {
    control("Edit3")->setText(bad);
    EXPECT_FALSE(dialog.Button3Click()) << bad;
    EXPECT_EQ(text("Edit6"), before);
  }
  ASSERT_EQ(notifier.messages.size(), 3u);
  EXPECT_EQ(notifier.messages[0].text, "Ungültige Eingabe");
  control("Edit3")->setText("JOX0XN");
  EXPECT_FALSE(dialog.Button3Click());
  EXPECT_EQ(notifier.messages.back().text, "'X' ist kein gültiger Integerwert");
}

TEST_F(LocatorDialogTest, TypedLettersBecomeCapitals) {
  control("Edit3")->clear();
  QTest::keyClicks(control("Edit3"), "jo30xn");
  EXPECT_EQ(text("Edit3"), "JO30XN");
  control("Edit1")->clear();
  QTest::keyClicks(control("Edit1"), "io91wm-+");
  EXPECT_EQ(text("Edit1"), "IO91WM-+");
}

TEST_F(LocatorDialogTest, DefaultButtonFollowsTheFocus) {
  dialog.FormShow("JO30XN");
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* own = control<QPushButton>("Button3");
  auto* distance = control<QPushButton>("Button5");
  auto* ok = control<QPushButton>("Button1");
  EXPECT_TRUE(control("Edit3")->hasFocus());
  EXPECT_EQ(defaultButton(), own);
  control("Edit1")->setFocus();  // Edit3 leaves, Edit1 enters
  EXPECT_EQ(defaultButton(), distance);
  control<QRadioButton>("RadioButton1")->setFocus();
  EXPECT_EQ(defaultButton(), ok);
  control("Edit3")->setFocus();
  EXPECT_EQ(defaultButton(), own);
  QTest::keyClick(control("Edit3"), Qt::Key_Return);  // runs "zu Koordinaten"
  EXPECT_EQ(defaultButton(), ok);
  control("Edit1")->setText("JO62QM");  // a change while the focus stays
  EXPECT_EQ(defaultButton(), distance);
  // Enter now asks for the distance.
  QTest::keyClick(control("Edit3"), Qt::Key_Return);
  EXPECT_EQ(distanceShown(), "Distanz JO30XN - JO62QM: 434,2 km");
  EXPECT_TRUE(notifier.messages.empty());
  dialog.hide();
}

TEST_F(LocatorDialogTest, DistanceNeedsTwoValidLocators) {
  dialog.FormShow("JO30XN");
  control<QPushButton>("Button5")->click();
  // The distance is a result: information, not a warning, and not a
  // failure report (which would go to standard error too).
  EXPECT_EQ(distanceShown(), "Distanz JO30XN - JO30XP: 9,2 km");
  EXPECT_EQ(dialog.findChild<QMessageBox*>("DistanceBox")->icon(), QMessageBox::Information);
  EXPECT_TRUE(notifier.messages.empty());
  dialog.findChild<QMessageBox*>("DistanceBox")->accept();
  control("Edit1")->setText("JO30X");
  control<QPushButton>("Button5")->click();
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "Ungültige Eingabe");
}

TEST_F(LocatorDialogTest, ToLocatorConvertsTheDecimalCoordinatesBack) {
  dialog.FormShow("JO30XN");
  control("Edit6")->setText("50,6458 N");
  control("Edit7")->setText("7,9583 E");
  control<QPushButton>("Button4")->click();
  EXPECT_EQ(text("Edit3"), "JO30XP");
  EXPECT_EQ(text("Edit6"), "50,6458333333333 N");
  EXPECT_EQ(text("Edit4"), "50.38.45 N");
  control("Edit6")->setText("40,7 N");
  control("Edit7")->setText("74 W");
  control<QPushButton>("Button4")->click();
  EXPECT_EQ(text("Edit3"), "FN30AQ");
  EXPECT_TRUE(notifier.messages.empty());
  control("Edit6")->setText("Norden");
  control<QPushButton>("Button4")->click();
  EXPECT_EQ(text("Edit3"), "FN30AQ");
  EXPECT_EQ(notifier.messages.size(), 1u);
}

TEST_F(LocatorDialogTest, OkStoresTheLocatorAndTheAsynopPosition) {
  pressInModal("Button1", [this] { control("Edit3")->setText("AA00AA"); });
  EXPECT_TRUE(Locator1Click(dialog, settings));
  EXPECT_EQ(settings.MyLocator, "AA00AA");
  EXPECT_EQ(settings.ASYNOPLat, "899");
  EXPECT_EQ(settings.ASYNOPLong, "1799");
  EXPECT_EQ(settings.ASYNOPErdquadrant, 5);
  EXPECT_EQ(text("Edit1"), "JO30XP");  // the target stays for the next opening
}

TEST_F(LocatorDialogTest, CancelOrAnInvalidLocatorChangesNothing) {
  const Settings before = settings;
  pressInModal("Button2", [this] { control("Edit3")->setText("AA00AA"); });
  EXPECT_FALSE(Locator1Click(dialog, settings));
  pressInModal("Button1", [this] { control("Edit3")->setText("AA00A"); });
  EXPECT_FALSE(Locator1Click(dialog, settings));
  EXPECT_EQ(settings.MyLocator, before.MyLocator);
  EXPECT_EQ(settings.ASYNOPLat, before.ASYNOPLat);
  EXPECT_EQ(settings.ASYNOPErdquadrant, before.ASYNOPErdquadrant);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "Ungültige Eingabe");
}

}  // namespace
}  // namespace tavik
