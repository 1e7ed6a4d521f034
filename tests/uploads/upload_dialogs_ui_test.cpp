// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs "CWOP" and "Wunderground": their fields from and into the
// settings, and "Jetzt senden" against a server of the test, with the
// server's answer shown in the dialog.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "event_loop.h"
#include "modal_dialog.h"
#include "temp_folder.h"
#include "upload_servers.h"
#include "uploads/cwop_dialog.h"
#include "uploads/station_uploads.h"
#include "uploads/upload_dialog_parts.h"
#include "uploads/wu_dialog.h"

namespace tavik {
namespace {

template <typename T>
T* child(QWidget& dialog, const char* name) {
  T* w = dialog.findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}

void type(QWidget& dialog, const char* name, const QString& text) {
  QLineEdit* field = child<QLineEdit>(dialog, name);
  field->clear();
  QTest::keyClicks(field, text);
}

class UploadDialogsTest : public ::testing::Test {
 protected:
  std::ostringstream log_;
  bool sendable_ = true;
  Settings settings_;
  StationUploads uploads_{UploadStation{.sendable = [this] { return sendable_; },
                                        .record =
                                            [] {
                                              UploadRecord r;
                                              r.values.tempOut = 50;
                                              return r;
                                            }},
                          settings_, "", "", log_};
  Tcwopprop cwop_{uploads_.cwop()};
  Twuprop wu_{uploads_.wu()};
};

TEST_F(UploadDialogsTest, CwopShowsTheSettingsAndTakesWhatWasTyped) {
  Settings s;
  s.CWOPRufzeichen = "CW1234";
  s.MyLocator = "JO30XN";
  cwop_.FormShow(s);
  EXPECT_EQ(cwop_.windowTitle(), "CWOP");
  EXPECT_FALSE(child<QCheckBox>(cwop_, "ActiveCheck")->isChecked());
  EXPECT_EQ(child<QLineEdit>(cwop_, "PasscodeEdit")->text(), "-1");
  EXPECT_EQ(child<QLineEdit>(cwop_, "ServerEdit")->text(), "cwop.aprs.net:14580");
  EXPECT_EQ(child<QLineEdit>(cwop_, "PositionEdit")->placeholderText(),
            "leer: Mitte von JO30XN (5033.75N/00757.50E)");

  RecordingNotifier n;
  testing::whenOpen(cwop_, [this] {
    child<QCheckBox>(cwop_, "ActiveCheck")->setChecked(true);
    type(cwop_, "CallsignEdit", "dl1abc-13");
    type(cwop_, "PasscodeEdit", "12345");
    type(cwop_, "IntervalEdit", "15");
    QTest::mouseClick(child<QPushButton>(cwop_, "OKBtn"), Qt::LeftButton);
  });
  ASSERT_TRUE(editCwopSettings(cwop_, s, n));
  EXPECT_TRUE(s.CWOPAktiv);
  EXPECT_EQ(s.CWOPRufzeichen, "DL1ABC-13");
  EXPECT_EQ(s.CWOPPasscode, 12345);
  EXPECT_EQ(s.CWOPIntervall, 15);
}

TEST_F(UploadDialogsTest, SendNowShowsTheServersAnswer) {
  test::AprsIsServer server;
  Settings s;
  s.CWOPAktiv = true;
  s.CWOPRufzeichen = "CW1234";
  s.CWOPServer = server.address();
  sendable_ = false;  // no upload of its own before the button
  uploads_.configure(s, "/", nullptr);
  cwop_.FormShow(s);
  QTest::mouseClick(child<QPushButton>(cwop_, "SendNowButton"), Qt::LeftButton);
  EXPECT_EQ(child<QLabel>(cwop_, "LastAnswer")->text(),
            "nicht gesendet: noch keine vollständigen, aktuellen Daten");
  sendable_ = true;
  QTest::mouseClick(child<QPushButton>(cwop_, "SendNowButton"), Qt::LeftButton);
  ASSERT_TRUE(test::runUntil(
      [&] { return child<QLabel>(cwop_, "LastAnswer")->text().startsWith("angenommen"); }, 5000));
  EXPECT_EQ(child<QLabel>(cwop_, "LastAnswer")->text(),
            "angenommen: logresp CW1234 unverified, server T2TEST");
  EXPECT_EQ(server.packets.size(), 1u);
}

TEST_F(UploadDialogsTest, WundergroundRefusesAnAddressWithAQuery) {
  Settings s;
  wu_.FormShow(s);
  EXPECT_EQ(wu_.windowTitle(), "Wunderground");
  EXPECT_TRUE(child<QLineEdit>(wu_, "ServerEdit")->text().startsWith("https://"));
  RecordingNotifier n;
  testing::whenOpen(wu_, [this] {
    type(wu_, "StationIdEdit", "IBERLIN99");
    type(wu_, "KeyFileEdit", "wu-key");
    type(wu_, "ServerEdit", "https://example.org/up.php?ID=x");
    QTest::mouseClick(child<QPushButton>(wu_, "OKBtn"), Qt::LeftButton);
  });
  EXPECT_FALSE(editWuSettings(wu_, s, n));
  EXPECT_EQ(s.WUStationID, "IBERLIN99");
  ASSERT_EQ(n.messages.size(), 1u);
  EXPECT_EQ(n.messages[0].caption, "Wunderground");
}

}  // namespace
}  // namespace tavik
