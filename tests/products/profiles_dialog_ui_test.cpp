// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "modal_dialog.h"
#include "products/profiles_dialog.h"
#include "settings/profile_name_dialog.h"
#include "widgets/radio_group_widget.h"

namespace tavik {
namespace {

ProfileEntry profile(const std::string& name, bool wieWinGT) {
  return {.name = name,
          .Empfaenger = "WX@" + name,
          .Absender = "DL1" + name,
          .Betreff = "Wetter " + name,
          .VOR = "\"Guten Morgen\",Wetter",
          .Uhrzeit = wieWinGT ? "" : "16:57",
          .NACH = "Ende",
          .WieWinGT = wieWinGT};
}

class ProfilesDialogTest : public ::testing::Test {
 protected:
  ProfilesDialogTest() {
    for (const auto& [name, wie] : {std::pair{"Nord", true}, {"Sued", false}, {"West", true}}) {
      addProfile(table, name);
      table[table.maxprofil] = profile(name, wie);
    }
    dialog.confirm = [this](const QString& question) {
      questions << question;
      return answer;
    };
  }

  QComboBox* list() { return dialog.findChild<QComboBox*>("ComboBox1"); }
  QLineEdit* edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }
  QPlainTextEdit* memo(const char* name) { return dialog.findChild<QPlainTextEdit*>(name); }
  RadioGroup* interval() { return dialog.findChild<RadioGroup*>("RadioGroup1"); }
  QLineEdit* nameField() { return nameDialog.findChild<QLineEdit*>("Password"); }

  void choose(int position) {
    list()->setCurrentIndex(position);
    emit list()->activated(position);
  }
  // "&Neu..." with the name typed into the name dialog, then OK there.
  void addNamed(const QString& name) {
    testing::whenOpen(nameDialog, [this, name] {
      nameField()->setText(name);
      nameDialog.findChild<QAbstractButton*>("OKBtn")->click();
    });
    dialog.Button3Click();
  }

  ProfileTable table;
  RecordingNotifier notifier;
  TPasswordDlg nameDialog{notifier};
  Tmailprop dialog{table, nameDialog, notifier};
  QStringList questions;
  bool answer = true;
};

TEST_F(ProfilesDialogTest, ShowListsTheProfilesAndShowsTheFirst) {
  dialog.FormShow();
  EXPECT_EQ(dialog.windowTitle(), "Profile");
  ASSERT_EQ(list()->count(), 3);
  EXPECT_EQ(list()->itemText(2), "West");
  EXPECT_EQ(list()->currentIndex(), 0);
  EXPECT_EQ(edit("Edit1")->text(), "WX@Nord");
  EXPECT_EQ(edit("Edit2")->text(), "DL1Nord");
  EXPECT_EQ(edit("Edit3")->text(), "Wetter Nord");
  EXPECT_EQ(memo("memo1")->toPlainText(), "Guten Morgen\nWetter\n");
  EXPECT_EQ(memo("memo2")->toPlainText(), "Ende\n");
  EXPECT_EQ(interval()->itemIndex(), 0);
  EXPECT_FALSE(edit("Edit4")->isEnabled());

  choose(1);
  EXPECT_EQ(edit("Edit1")->text(), "WX@Sued");
  EXPECT_EQ(interval()->itemIndex(), 1);
  EXPECT_TRUE(edit("Edit4")->isEnabled());
  EXPECT_EQ(edit("Edit4")->text(), "16:57");
  interval()->button(0)->click();
  EXPECT_FALSE(edit("Edit4")->isEnabled());
}

TEST_F(ProfilesDialogTest, TimeFieldTakesDigitsAndColonsOnly) {
  dialog.FormShow();
  choose(1);
  edit("Edit4")->clear();
  QTest::keyClicks(edit("Edit4"), "7a:0-5 ");
  EXPECT_EQ(edit("Edit4")->text(), "7:05");
}

TEST_F(ProfilesDialogTest, SaveStoresTheFieldsIntoTheSelectedProfile) {
  dialog.FormShow();
  choose(1);
  edit("Edit1")->setText("ALLE@DB0");
  memo("memo1")->setPlainText("Hallo Welt\nWetter");
  memo("memo2")->setPlainText("");
  interval()->button(0)->click();
  dialog.Button5Click();
  const ProfileEntry& p = table[2];
  EXPECT_EQ(p.name, "Sued");
  EXPECT_EQ(p.Empfaenger, "ALLE@DB0");
  EXPECT_EQ(p.VOR, "\"Hallo Welt\",Wetter");
  EXPECT_EQ(p.NACH, "");
  EXPECT_TRUE(p.WieWinGT);
  EXPECT_EQ(table[1], profile("Nord", true));
}

TEST_F(ProfilesDialogTest, LastEmptyLineOfAMemoSurvivesShowAndSave) {
  table[1].VOR = "Eins,";
  dialog.FormShow();
  dialog.Button5Click();
  EXPECT_EQ(table[1].VOR, "Eins,");
}

TEST_F(ProfilesDialogTest, SwitchingDropsUnsavedEditsButOkStores) {
  dialog.FormShow();
  edit("Edit3")->setText("verworfen");
  choose(2);
  choose(0);
  EXPECT_EQ(edit("Edit3")->text(), "Wetter Nord");
  EXPECT_EQ(table[1].Betreff, "Wetter Nord");

  edit("Edit3")->setText("gespeichert");
  testing::clickWhenOpen(dialog, "Button1");
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(table[1].Betreff, "gespeichert");
}

TEST_F(ProfilesDialogTest, CancelStoresNoFieldsButKeepsAddedProfiles) {
  dialog.FormShow();
  edit("Edit3")->setText("verworfen");
  addNamed("Ost");
  testing::clickWhenOpen(dialog, "Button2");
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(table.maxprofil, 4);
  EXPECT_EQ(table[4].name, "Ost");
  EXPECT_EQ(table[4].Betreff, "");
  EXPECT_EQ(table[1].Betreff, "Wetter Nord");
}

TEST_F(ProfilesDialogTest, DeletingTheSecondOfThreeMovesTheThirdDown) {
  dialog.FormShow();
  choose(1);
  answer = false;
  dialog.Button4Click();
  EXPECT_EQ(table.maxprofil, 3);

  answer = true;
  dialog.Button4Click();
  EXPECT_EQ(questions, QStringList(2, QString::fromUtf8("Ausgewähltes Profil löschen?")));
  EXPECT_EQ(table.maxprofil, 2);
  EXPECT_EQ(table[1].name, "Nord");
  EXPECT_EQ(table[2], profile("West", true));
  EXPECT_EQ(table[3], ProfileEntry{});
  ASSERT_EQ(list()->count(), 2);
  EXPECT_EQ(list()->itemText(1), "West");
  EXPECT_EQ(list()->currentIndex(), 0);
  EXPECT_EQ(edit("Edit1")->text(), "WX@Nord");

  // A new profile takes the empty slot 3; the fields as shown are what a save
  // then stores into it.
  addNamed("Ost");
  EXPECT_EQ(table.maxprofil, 3);
  ProfileEntry fresh;
  fresh.name = "Ost";
  EXPECT_EQ(table[3], fresh);
  EXPECT_EQ(list()->currentText(), "Ost");
  EXPECT_EQ(edit("Edit1")->text(), "WX@Nord");
  dialog.Button5Click();
  EXPECT_EQ(table[3].Empfaenger, "WX@Nord");
  EXPECT_EQ(table[3].name, "Ost");
}

TEST_F(ProfilesDialogTest, WithoutProfilesNothingIsShownAskedOrStored) {
  table = ProfileTable{};
  edit("Edit1")->setText("bleibt");
  dialog.FormShow();
  EXPECT_EQ(list()->count(), 0);
  EXPECT_EQ(edit("Edit1")->text(), "bleibt");
  dialog.Button4Click();
  EXPECT_TRUE(questions.isEmpty());
  testing::clickWhenOpen(dialog, "Button1");
  dialog.exec();
  EXPECT_EQ(table.maxprofil, 0);
  EXPECT_EQ(table[1], ProfileEntry{});
}

TEST_F(ProfilesDialogTest, AHundredAndFirstProfileIsRefused) {
  table = ProfileTable{};
  for (int n = 1; n <= kMaxProfiles; ++n) ASSERT_TRUE(addProfile(table, "P" + std::to_string(n)));
  dialog.FormShow();
  bool asked = false;
  testing::whenOpen(nameDialog, [&] {
    asked = true;
    nameDialog.reject();
  });
  dialog.Button3Click();
  EXPECT_FALSE(asked);
  nameDialog.reject();  // not shown: drop the pending close
  EXPECT_EQ(table.maxprofil, kMaxProfiles);
  EXPECT_EQ(list()->count(), kMaxProfiles);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text,
            "Es gibt schon 100 Profile, mehr sind nicht möglich. Bitte zuerst ein Profil löschen.");
}

TEST_F(ProfilesDialogTest, NameThatIsNoPlainOrIsTakenIsRefusedInTheNameDialog) {
  dialog.FormShow();
  QStringList tried;
  // Each refused name leaves the dialog open for the next one.
  const QStringList names = {"", "a/b", " Ost", "sued", "Ost"};
  std::function<void(int)> tryName = [&](int i) {
    testing::whenOpen(nameDialog, [&, i] {
      if (i + 1 < names.size()) tryName(i + 1);
      nameField()->setText(names[i]);
      tried << names[i];
      nameDialog.findChild<QAbstractButton*>("OKBtn")->click();
    });
  };
  tryName(0);
  dialog.Button3Click();
  EXPECT_EQ(tried, names);
  EXPECT_EQ(table.maxprofil, 4);
  EXPECT_EQ(table[4].name, "Ost");
  ASSERT_EQ(notifier.messages.size(), 4u);
  EXPECT_EQ(notifier.messages[0].caption, "Neues Profil");
  EXPECT_EQ(notifier.messages[0].text, "Bitte einen Namen für das neue Profil eingeben.");
  EXPECT_NE(notifier.messages[1].text.find("\"a/b\" taugt nicht als Dateiname"), std::string::npos);
  EXPECT_EQ(notifier.messages[3].text, "Ein Profil mit dem Namen \"Sued\" gibt es schon.");
  // The name dialog keeps the last name for the next use.
  EXPECT_EQ(nameField()->text(), "Ost");
}

}  // namespace
}  // namespace tavik
