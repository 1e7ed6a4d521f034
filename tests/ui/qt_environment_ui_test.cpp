// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own dialogs speak German, and they leave no history file in the
// user's home folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "ui/qt_settings_path.h"
#include "ui/qt_translation.h"

extern char** environ;

namespace tavik {
namespace {

namespace fs = std::filesystem;

TEST(QtTranslation, MessageBoxButtonsReadGerman) {
  QTranslator* translator = loadGermanQtTranslations(*qApp);
  ASSERT_NE(translator, nullptr) << "qtbase_de.qm not installed (qt6-translations-l10n)";
  QMessageBox box(QMessageBox::Question, "Tavik", "Frage",
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Save);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Ja");
  EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Nein");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
  EXPECT_EQ(box.button(QMessageBox::Save)->text(), "Speichern");
  QCoreApplication::removeTranslator(translator);
  delete translator;
  QMessageBox english(QMessageBox::Question, "Tavik", "Frage", QMessageBox::Cancel);
  EXPECT_EQ(english.button(QMessageBox::Cancel)->text(), "Cancel");
}

// The child half of the test below: what a run of the program does with Qt's
// dialogs, in a process whose home folder the parent chose.
const char* const kChildMode = "TAVIK_QT_HISTORY_CHILD";

TEST(QtDialogHistoryChild, UseTheDialogs) {
  const char* mode = std::getenv(kChildMode);
  if (!mode) GTEST_SKIP() << "runs only as the child of QtDialogHistory";
  if (std::string(mode) == "confined") keepQtDialogHistoryInMemory();
  {
    QFileDialog dialog(nullptr, "Datei", "/tmp");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    QApplication::processEvents();
  }  // the history is saved as the dialog goes
  QColorDialog::setCustomColor(0, Qt::red);
}

// Runs this test program's child test with HOME and the XDG folders in
// `home`; true when it passed.
bool runChild(const fs::path& home, const char* mode) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("HOME=", 0) == 0 || entry.rfind("XDG_", 0) == 0) continue;
    env.push_back(entry);
  }
  env.push_back("HOME=" + home.string());
  env.push_back(std::string(kChildMode) + "=" + mode);
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  std::vector<std::string> argv = {self, "--gtest_filter=QtDialogHistoryChild.*"};
  std::vector<char*> args, envp;
  for (auto& a : argv) args.push_back(a.data());
  for (auto& e : env) envp.push_back(e.data());
  args.push_back(nullptr);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> filesBelow(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) found.push_back(entry.path().string());
  }
  return found;
}

TEST(QtDialogHistory, NothingIsWrittenIntoTheHomeFolder) {
  testing::TempFolder confinedHome;
  ASSERT_TRUE(runChild(confinedHome.path(), "confined"));
  EXPECT_EQ(filesBelow(confinedHome.path()), std::vector<std::string>{});

  // Without it, Qt keeps its history there: the check above can see it.
  testing::TempFolder plainHome;
  ASSERT_TRUE(runChild(plainHome.path(), "plain"));
  EXPECT_EQ(filesBelow(plainHome.path()),
            std::vector<std::string>{(plainHome.path() / ".config/QtProject.conf").string()});
}

}  // namespace
}  // namespace tavik
