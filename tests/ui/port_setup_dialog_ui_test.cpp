// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/port_setup_dialog.h"

namespace tavik {
namespace {

PortSetup currentSetup() {
  PortSetup s;
  s.portName = "/dev/pts/9";
  s.line.baud = 19200;
  s.line.dataBits = 7;
  s.line.parity = Parity::Odd;
  s.line.stopBits = StopBits::OneAndHalf;
  s.line.flow = LineSettings::Software;
  return s;
}

class PortSetupDialogTest : public ::testing::Test {
 protected:
  QComboBox* list(const char* name) { return dialog.findChild<QComboBox*>(name); }
  QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  // Runs the dialog modally and presses the button once it is up.
  int runAndPress(const char* name) {
    QTimer::singleShot(0, &dialog,
                       [this, name] { QTest::mouseClick(button(name), Qt::LeftButton); });
    return dialog.exec();
  }

  PortSetupDialog dialog{currentSetup(), {"/dev/ttyS0", "/dev/ttyUSB0"}};
};

TEST_F(PortSetupDialogTest, OpensShowingTheCurrentSettings) {
  EXPECT_EQ(dialog.windowTitle(), "Setup");
  ASSERT_NE(dialog.findChild<QGroupBox*>(), nullptr);
  EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), " Settings ");
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  for (const char* text :
       {"Port", "Baud rate", "Data bits", "Stop bits", "Parity", "Flow control"}) {
    EXPECT_TRUE(labels.contains(text)) << text;
  }
  EXPECT_EQ(list("PortCombo")->currentText(), "/dev/pts/9");
  EXPECT_EQ(list("PortCombo")->count(), 3);
  EXPECT_EQ(list("BaudRateCombo")->currentText(), "19200");
  EXPECT_EQ(list("BaudRateCombo")->count(), 16);
  EXPECT_EQ(list("BaudRateCombo")->itemText(0), "Custom");
  EXPECT_EQ(list("DataBitsCombo")->currentText(), "7");
  EXPECT_EQ(list("StopBitsCombo")->currentText(), "1.5");
  EXPECT_EQ(list("ParityCombo")->currentText(), "Odd");
  EXPECT_EQ(list("FlowControlCombo")->currentText(), "Software");
  EXPECT_EQ(dialog.chosen(), currentSetup());
}

TEST_F(PortSetupDialogTest, OkHandsBackTheChosenValues) {
  list("PortCombo")->setCurrentText("/dev/ttyUSB0");
  list("BaudRateCombo")->setCurrentText("9600");
  list("DataBitsCombo")->setCurrentText("8");
  list("StopBitsCombo")->setCurrentText("2");
  list("ParityCombo")->setCurrentText("Mark");
  list("FlowControlCombo")->setCurrentText("Hardware");
  ASSERT_EQ(runAndPress("OkButton"), QDialog::Accepted);
  const PortSetup chosen = dialog.chosen();
  EXPECT_EQ(chosen.portName, "/dev/ttyUSB0");
  EXPECT_EQ(chosen.line,
            (LineSettings{9600, 8, Parity::Mark, StopBits::Two, LineSettings::Hardware}));
}

TEST_F(PortSetupDialogTest, CancelIsRejected) {
  list("ParityCombo")->setCurrentText("Even");
  EXPECT_EQ(runAndPress("CancelButton"), QDialog::Rejected);
}

TEST(PortSetupDialog, UnlistedRateShowsCustomAndIsKept) {
  PortSetup current = currentSetup();
  current.line.baud = 1000;
  PortSetupDialog dialog(current, {});
  EXPECT_EQ(dialog.findChild<QComboBox*>("BaudRateCombo")->currentText(), "Custom");
  EXPECT_EQ(dialog.chosen().line.baud, 1000);
  // An emptied device name keeps the current one.
  dialog.findChild<QComboBox*>("PortCombo")->setCurrentText("  ");
  EXPECT_EQ(dialog.chosen().portName, "/dev/pts/9");
}

}  // namespace
}  // namespace tavik
