// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "modal_dialog.h"
#include "settings/general_settings_dialog.h"
#include "widgets/radio_group_widget.h"

namespace tavik {
namespace {

using testing::clickWhenOpen;

class GeneralSettingsTest : public ::testing::Test {
 protected:
  QCheckBox* box(const char* name) { return dialog.findChild<QCheckBox*>(name); }
  QComboBox* zones() { return dialog.findChild<QComboBox*>("UTCdelta"); }
  RadioGroup* gauge() { return dialog.findChild<RadioGroup*>("RadioGroup1"); }

  Settings settings;
  TAlgprop dialog;
};

TEST_F(GeneralSettingsTest, ShowFillsEveryControl) {
  settings.NormalRegen = false;
  settings.autoImport = true;
  settings.autoRead = false;
  settings.autoLog = true;
  settings.autoAPRS = false;
  settings.EOFKennung = true;
  settings.ZeitzoneIndex = 15;
  dialog.FormShow(settings);
  EXPECT_EQ(dialog.windowTitle(), "Allgemein");
  EXPECT_EQ(gauge()->itemIndex(), 1);
  EXPECT_EQ(gauge()->button(0)->text(), "Normal ");
  EXPECT_EQ(gauge()->button(1)->text(), "Umbau (235mm)");
  const std::pair<const char*, bool> boxes[] = {{"CheckBox1", true},
                                                {"CheckBox2", false},
                                                {"CheckBox3", true},
                                                {"CheckBox4", false},
                                                {"CheckBox5", true}};
  for (const auto& [name, checked] : boxes) EXPECT_EQ(box(name)->isChecked(), checked) << name;
  EXPECT_EQ(box("CheckBox5")->text(), QString::fromUtf8("EOF Kennung anhängen"));
  EXPECT_EQ(zones()->currentText(), "-03");

  settings.NormalRegen = true;
  dialog.FormShow(settings);
  EXPECT_EQ(gauge()->itemIndex(), 0);
}

TEST_F(GeneralSettingsTest, TimeZoneListIsPickOnly) {
  EXPECT_FALSE(zones()->isEditable());
  ASSERT_EQ(zones()->count(), 25);
  EXPECT_EQ(zones()->itemText(0), "+12");
  EXPECT_EQ(zones()->itemText(11), "+01");
  EXPECT_EQ(zones()->itemText(12), "0");
  EXPECT_EQ(zones()->itemText(24), "-12");
}

TEST_F(GeneralSettingsTest, OkTakesTheControlsOver) {
  testing::whenOpen(dialog, [this] {
    zones()->setCurrentIndex(15);
    gauge()->button(1)->click();
    box("CheckBox2")->setChecked(false);
    box("CheckBox5")->setChecked(true);
    dialog.findChild<QAbstractButton*>("OKBtn")->click();
  });
  ASSERT_TRUE(editGeneralSettings(dialog, settings));
  EXPECT_EQ(settings.Zeitzone, -3);
  EXPECT_EQ(settings.ZeitzoneIndex, 15);
  EXPECT_FALSE(settings.NormalRegen);
  EXPECT_FALSE(settings.autoRead);
  EXPECT_TRUE(settings.autoImport);
  EXPECT_TRUE(settings.EOFKennung);
}

TEST_F(GeneralSettingsTest, CancelChangesNothing) {
  const Settings before = settings;
  testing::whenOpen(dialog, [this] {
    zones()->setCurrentIndex(15);
    box("CheckBox1")->setChecked(false);
    dialog.findChild<QAbstractButton*>("CancelBtn")->click();
  });
  EXPECT_FALSE(editGeneralSettings(dialog, settings));
  EXPECT_EQ(settings.Zeitzone, before.Zeitzone);
  EXPECT_EQ(settings.ZeitzoneIndex, before.ZeitzoneIndex);
  EXPECT_EQ(settings.autoImport, before.autoImport);
}

TEST_F(GeneralSettingsTest, StoredPositionOutsideTheListShowsNoEntryAndIsKept) {
  settings.ZeitzoneIndex = 255;
  settings.Zeitzone = 4;
  clickWhenOpen(dialog, "OKBtn");
  ASSERT_TRUE(editGeneralSettings(dialog, settings));
  EXPECT_EQ(zones()->currentIndex(), -1);
  EXPECT_EQ(settings.ZeitzoneIndex, 255);
  EXPECT_EQ(settings.Zeitzone, 4);
}

}  // namespace
}  // namespace tavik
