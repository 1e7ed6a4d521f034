// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <filesystem>

#include "modal_dialog.h"
#include "temp_folder.h"
#include "widgets/folder_chooser_dialog.h"

namespace tavik {
namespace {

class FolderChooserTest : public ::testing::Test {
 protected:
  // Runs the chooser through the label and presses a button once it is up.
  bool browseAndPress(const char* button) {
    testing::clickWhenOpen(chooser, button);
    return browseFolder(chooser, label);
  }

  QString tempPath(const char* sub = "") const {
    return QDir::cleanPath(QString::fromStdString((temp.path() / sub).string()));
  }

  testing::TempFolder temp;
  Tordner chooser;
  QLabel label;
};

TEST_F(FolderChooserTest, StartsAtAnExistingFolderWithoutTrailingSlash) {
  std::filesystem::create_directory(temp.path() / "wx");
  chooser.setFolder(tempPath("wx") + "/");
  EXPECT_EQ(chooser.folder(), tempPath("wx"));
  chooser.setFolder("/");
  EXPECT_EQ(chooser.folder(), "/");
}

TEST_F(FolderChooserTest, UnknownFolderStartsAtNearestParentOrHome) {
  chooser.setFolder(tempPath("gone/deeper"));
  EXPECT_EQ(chooser.folder(), tempPath());
  chooser.setFolder("");
  EXPECT_EQ(chooser.folder(), QDir::homePath());
  chooser.setFolder(QString::fromUtf8("D:\\wx"));
  EXPECT_EQ(chooser.folder(), QDir::homePath());
}

TEST_F(FolderChooserTest, ChoosingAFolderInTheTreeGivesItsPath) {
  std::filesystem::create_directories(temp.path() / "a" / "b");
  chooser.setFolder(tempPath("a"));
  auto* tree = chooser.findChild<QTreeView*>("DirectoryListBox1");
  const auto* model = tree->model();
  const QModelIndex a = tree->currentIndex();
  ASSERT_TRUE(a.isValid());
  // The model lists a folder's children once it has read them.
  ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(a) == 1; }, 5000));
  tree->setCurrentIndex(model->index(0, 0, a));
  EXPECT_EQ(chooser.folder(), tempPath("a/b"));
}

TEST_F(FolderChooserTest, OkShowsTheChosenFolderInTheLabel) {
  EXPECT_EQ(chooser.windowTitle(), QString::fromUtf8("Ordner wählen..."));
  std::filesystem::create_directory(temp.path() / "log");
  label.setText(tempPath("log") + "/");
  EXPECT_TRUE(browseAndPress("OKBtn"));
  EXPECT_EQ(label.text(), tempPath("log"));
}

TEST_F(FolderChooserTest, CancelLeavesTheLabelAsItWas) {
  label.setText(tempPath("not/there"));
  EXPECT_FALSE(browseAndPress("CancelBtn"));
  EXPECT_EQ(label.text(), tempPath("not/there"));
}

}  // namespace
}  // namespace tavik
