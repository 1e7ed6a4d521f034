// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog "MQTT": its fields from and into the settings, and "Verbindung
// testen" against a real broker, with the outcome shown in the dialog.
#include "mqtt/mqtt_dialog.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "broker.h"
#include "event_loop.h"
#include "modal_dialog.h"
#include "temp_folder.h"

namespace tavik {
namespace {

class MqttDialogTest : public ::testing::Test {
 protected:
  template <typename T>
  T* child(const char* name) {
    T* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void type(const char* name, const QString& text) {
    QLineEdit* field = child<QLineEdit>(name);
    field->clear();
    QTest::keyClicks(field, text);
  }
  // Clicks "Verbindung testen" and waits for the outcome.
  QString test() {
    QTest::mouseClick(child<QPushButton>("TestButton"), Qt::LeftButton);
    test::runUntil([&] { return child<QPushButton>("TestButton")->isEnabled(); }, 12000);
    return dialog.testResult();
  }

  testing::TempFolder folder;
  Tmqttprop dialog{folder.dir()};
};

TEST_F(MqttDialogTest, ShowsTheSettingsAndHandsBackWhatWasTyped) {
  Settings s;
  s.ASYNOPAbsender = "DL1ABC";
  s.MQTTServer = "broker:1884";
  s.MQTTTLS = true;
  s.MQTTIntervall = 30;
  dialog.FormShow(s);
  EXPECT_EQ(dialog.windowTitle(), "MQTT");
  EXPECT_EQ(child<QLineEdit>("ServerEdit")->text(), "broker:1884");
  EXPECT_TRUE(child<QCheckBox>("TlsCheck")->isChecked());
  EXPECT_EQ(child<QLineEdit>("IntervalEdit")->text(), "30");
  EXPECT_EQ(child<QLineEdit>("TopicEdit")->placeholderText(), "leer: tavik/dl1abc");

  type("IntervalEdit", "12x");  // digits only
  type("TopicEdit", "haus/wetter");
  testing::clickWhenOpen(dialog, "OKBtn");
  RecordingNotifier n;
  EXPECT_TRUE(editMqttSettings(dialog, s, n));
  EXPECT_EQ(s.MQTTIntervall, 30);  // FormShow filled the field afresh
  EXPECT_EQ(s.MQTTThema, "");
}

TEST_F(MqttDialogTest, TheConnectionTestSaysInTheDialogWhatTheBrokerAnswered) {
  test::Broker broker(folder.path() / "broker");
  Settings s;
  dialog.FormShow(s);
  EXPECT_EQ(test(), "Kein Server angegeben: MQTT ist aus.");

  type("ServerEdit", QString::fromStdString(broker.address()));
  type("UserEdit", "wetter");
  type("PasswordFileEdit", QString::fromStdString(broker.passwordFile().string()));
  EXPECT_EQ(test(), QString::fromStdString("Verbindung zu " + broker.address() + " hergestellt."));

  type("PasswordFileEdit", QString::fromStdString(broker.passwordFile("falsch").string()));
  EXPECT_TRUE(test().contains("Passwort falsch")) << dialog.testResult().toStdString();

  type("ServerEdit", "127.0.0.1:" + QString::number(test::freeLoopbackPort()));
  EXPECT_TRUE(test().contains("Verbindung abgelehnt")) << dialog.testResult().toStdString();

  type("ServerEdit", "broker:0");
  EXPECT_TRUE(test().startsWith("Der MQTT-Server muss")) << dialog.testResult().toStdString();
  // Nothing was taken into the settings.
  EXPECT_EQ(s.MQTTServer, "");
}

}  // namespace
}  // namespace tavik
