// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part of the web page: the menu command and the status
// panel.
#include <gtest/gtest.h>

#include <QLabel>

#include <filesystem>

#include "main_window_fixture.h"

namespace tavik {
namespace {

TEST_F(MainWindowTest, JetztWebseiteWritesTheFolderAndThePanelCountsDown) {
  settings_.WebOrdner = dir_ + "web";
  EXPECT_EQ(action("JETZTWebseiteerstellen1")->text(), "JETZT Webseite erstellen!");
  action("JETZTWebseiteerstellen1")->trigger();
  EXPECT_TRUE(std::filesystem::exists(dir_ + "web/index.html"));
  EXPECT_TRUE(std::filesystem::exists(dir_ + "web/current.json"));
  // Written from a record without data, and the box says so.
  EXPECT_EQ(notifier_.openBoxes(), 1);
  EXPECT_EQ(find<QLabel>("StatusPanelWeb")->text(), "Web: –");  // inactive
  action("C1")->trigger();
  EXPECT_EQ(find<QLabel>("StatusPanelWeb")->text(), "Web: 4:59");
}

TEST_F(MainWindowTest, AFolderThatTakesNoPageGivesABox) {
  settings_.WebOrdner = "/proc/tavik-web";
  action("JETZTWebseiteerstellen1")->trigger();
  // The failure, and the note that the record held no data yet.
  EXPECT_EQ(notifier_.openBoxes(), 2);
}

}  // namespace
}  // namespace tavik
