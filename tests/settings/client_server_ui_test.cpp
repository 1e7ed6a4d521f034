// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "modal_dialog.h"
#include "settings/client_server_dialog.h"

namespace tavik {
namespace {

TEST(ClientServerDialogTest, ShowsItsControlsAndTheDefaultClientPort) {
  Tclsersetting dialog;
  EXPECT_EQ(dialog.windowTitle(), "Client/Server");
  dialog.show();
  // The designed size, or wider where its two lines need it.
  EXPECT_GE(dialog.width(), 451);
  EXPECT_EQ(dialog.height(), 233);
  EXPECT_EQ(dialog.findChild<QCheckBox*>("CheckBox1")->text(), "Client aktiv");
  EXPECT_EQ(dialog.findChild<QCheckBox*>("CheckBox2")->text(), "Server aktiv");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit1")->text(), "5566");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit2")->text(), "");
}

TEST(ClientServerDialogTest, OkAndCancelCloseIt) {
  Tclsersetting dialog;
  testing::clickWhenOpen(dialog, "Button1");
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  testing::clickWhenOpen(dialog, "Button2");
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace tavik
