// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "astro/sun_times.h"

#include <cmath>
#include <string>
#include <vector>

namespace tavik {
namespace {

struct SunWindowTest : ::testing::Test {
  QLineEdit* edit(const char* name) { return window.findChild<QLineEdit*>(name); }
  QTableWidget* list() { return window.findChild<QTableWidget*>("ValueListEditor1"); }
  std::string cell(int row, int column) {
    const QTableWidgetItem* item = list()->item(row, column);
    return item ? item->text().toStdString() : "<none>";
  }
  void calculate() { QTest::mouseClick(window.findChild<QPushButton*>("Button1"), Qt::LeftButton); }
  // The place and day the window was designed with.
  void designInputs() {
    edit("Edit1")->setText("13,4");
    edit("Edit2")->setText("52,5");
    edit("Edit3")->setText("30");
    edit("Edit4")->setText("1");
  }

  ManualClock clock{LocalDateTime{2026, 12, 7, 10, 0, 0, 0}};
  RecordingNotifier notifier;
  Settings settings;  // MyLocator JO30XN, one hour east of UTC
  TfrmSonne window{settings, clock, RegionalSettings::german(), notifier};
};

// The relative luminance of a colour and the contrast of two, as the web's
// accessibility rules reckon them.
double luminance(const QColor& c) {
  auto channel = [](double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(SunWindowTest, StartsAtTheStationsPlaceAndToday) {
  EXPECT_EQ(window.windowTitle(), "Sonne");
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "Tag im Jahr (Heute: 341)");
  EXPECT_EQ(edit("Edit1")->text(), "7,9583");  // the centre of JO30XN
  EXPECT_EQ(edit("Edit2")->text(), "50,5625");
  EXPECT_EQ(edit("Edit3")->text(), "341");  // as the caption says
  EXPECT_EQ(edit("Edit4")->text(), "1");
  ASSERT_NE(list(), nullptr);
  EXPECT_FALSE(list()->isEnabled());
  EXPECT_EQ(list()->horizontalHeaderItem(0)->text(), QString::fromUtf8("Schlüssel"));
  EXPECT_EQ(list()->rowCount(), 0);

  // Another station: its own place, its own zone.
  Settings west;
  west.MyLocator = "FN20XR";
  west.Zeitzone = -5;
  TfrmSonne other{west, clock, RegionalSettings::german(), notifier};
  EXPECT_EQ(other.findChild<QLineEdit*>("Edit1")->text(), "-74,0417");
  EXPECT_EQ(other.findChild<QLineEdit*>("Edit2")->text(), "40,7292");
  EXPECT_EQ(other.findChild<QLineEdit*>("Edit4")->text(), "-5");
}

TEST_F(SunWindowTest, TheDisabledListReadsAsWellAsTheFields) {
  calculate();
  const QPalette p = list()->palette();
  EXPECT_GE(contrast(p.color(QPalette::Disabled, QPalette::Text),
                     p.color(QPalette::Disabled, QPalette::Base)),
            4.5);
  EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Active, QPalette::Text));
}

TEST(SunStartTextsTest, ALocatorOffTheGlobeOrUnreadableGivesTheDesignedPlace) {
  const LocalDateTime newYear{2027, 1, 1, 0, 0, 0, 0};
  for (const char* locator : {"ZZ99ZZ", "JO3", "JOX0XN"}) {
    const SunStartTexts t = sunStartTexts(locator, newYear, 1, RegionalSettings::german());
    EXPECT_EQ(t.longitude, "13,4") << locator;
    EXPECT_EQ(t.latitude, "52,5") << locator;
    EXPECT_EQ(t.day, "1");
  }
  EXPECT_EQ(sunStartTexts("JO30XN", {2028, 12, 31}, 2, RegionalSettings::german()).day, "366");
}

TEST_F(SunWindowTest, EachRunPutsItsBlockOnTop) {
  designInputs();
  calculate();
  const std::vector<std::pair<std::string, std::string>> block = {
      {"Untergang Real", "16:48"},
      {"Aufgang Real", "7:51"},
      {"Untergang Ortszeit", "16,6970 h"},
      {"Aufgang Ortszeit", "7,7460 h"},
      {"Zeitdifferenz", "4,4755 h"},
      {"Deklination", "-17,6104 °"},
      {"Zeitgleichung", "-13,2902 m"},
      {"Zeitgleichung", "-0,2215 h"},
      {"------------------", "------------------"}};
  ASSERT_EQ(list()->rowCount(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(cell(i, 0), block[static_cast<size_t>(i)].first) << i;
    EXPECT_EQ(cell(i, 1), block[static_cast<size_t>(i)].second) << i;
  }
  // Summer, and Enter in a field runs it too: the new block stands above.
  edit("Edit3")->setText("172");
  edit("Edit4")->setText("2");
  QTest::keyClick(edit("Edit4"), Qt::Key_Return);
  ASSERT_EQ(list()->rowCount(), 18);
  EXPECT_EQ(cell(0, 1), "21:33");
  EXPECT_EQ(cell(1, 1), "4:43");
  EXPECT_EQ(cell(9, 1), "16:48");
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(SunWindowTest, BadInputOrPolarNightAddsNothing) {
  designInputs();
  edit("Edit2")->setText("52.5");
  edit("Edit3")->setText("x");
  calculate();  // the day is read first
  edit("Edit3")->setText("30");
  calculate();
  edit("Edit2")->setText("80");
  edit("Edit3")->setText("355");
  calculate();
  EXPECT_EQ(list()->rowCount(), 0);
  ASSERT_EQ(notifier.messages.size(), 3u);
  EXPECT_EQ(notifier.messages[0].text, "'x' ist kein gültiger Integerwert");
  EXPECT_EQ(notifier.messages[1].text, "'52.5' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(notifier.messages[2].text, "Ungültige Gleitkommaoperation");
}

}  // namespace
}  // namespace tavik
