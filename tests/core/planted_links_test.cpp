// SPDX-License-Identifier: GPL-3.0-or-later
// Symbolic links another user plants where the station, run as root, writes
// its files in a shared folder with the sticky bit (as /tmp is): every
// product, the settings file and the lock replace the link or refuse it; the
// root-only file a link points at stays untouched.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "core/product_writers.h"
#include "settings/settings_file.h"
#include "station/device_lock.h"
#include "temp_folder.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

const std::string kSecret = "nur fuer root\n";

class PlantedLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "needs root: the links come from another user";
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    std::ofstream(secret, std::ios::binary) << kSecret;
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);

    settings.WinGTRead = settings.WinGTImport = settings.LogOrdner = dir();
    settings.APRSDatei = dir() + "aprs.txt";
    settings.ASYNOPDatei = dir() + "asynop.txt";
    settings.ASYNOPIntervall = true;
    settings.ASYNOPArchiv = true;
    settings.Zeitzone = 0;
    profiles.maxprofil = 2;
    profiles[1] = {"Lesen", "", "", "Wetter", "", "", "", true};
    profiles[2] = {"Balkon", "ALL", "DL0XX", "Wetter", "", "", "", true};
    state.seen8F = state.seen9F = state.seenAF = state.seenBF = state.seenCF = true;
  }

  std::string dir() const { return shared.string() + "/"; }

  // As the user nobody: makes `folders` (open to all) in the shared folder and
  // a link to `target` (the secret when empty) at each of `names`.
  void plant(const std::vector<std::string>& folders, const std::vector<std::string>& names,
             fs::path target = {}) {
    if (target.empty()) target = secret;
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const pid_t child = fork();
    if (child == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
        _exit(100);
      for (const auto& f : folders) {
        if (::mkdir((shared / f).c_str(), 0777) != 0) _exit(101);
      }
      for (const auto& name : names) {
        if (::symlink(target.c_str(), (shared / name).c_str()) != 0) _exit(102);
      }
      _exit(0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  void expectSecretUntouched() const {
    std::string bytes;
    ASSERT_TRUE(readFileBytes(secret, bytes));
    EXPECT_EQ(bytes, kSecret);
    struct stat st {};
    ASSERT_EQ(::stat(secret.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_uid, 0u);
  }
  // The file at `name` is a regular file of root's, not the link.
  void expectReplaced(const std::string& name) const {
    const fs::path path = shared / name;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << name;
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0) << name;
    EXPECT_EQ(st.st_uid, 0u) << name;
    std::string bytes;
    ASSERT_TRUE(readFileBytes(path, bytes)) << name;
    EXPECT_EQ(bytes.find("nur fuer root"), std::string::npos) << name;
  }

  testing::TempFolder root;
  const fs::path shared = root.path() / "shared";
  const fs::path secret = root.path() / "secret.txt";
  WeatherRecord weather;
  StationState state;
  Settings settings;
  ProfileTable profiles;
  ManualClock clock{LocalDateTime{2026, 12, 8, 18, 0, 0}};
  RecordingNotifier notifier;
  ProductWriters writers{ProductContext{weather, state, settings, profiles, clock,
                                        RegionalSettings::german(), notifier, dir()},
                         [] { return true; }};
};

TEST_F(PlantedLinksTest, EveryWholeProductReplacesTheLink) {
  const std::string archive = "ASYNOP-Archiv/2026.12.08. - 18-00.txt";
  const std::vector<std::string> files = {"Wetter.txt",    "Balkon.txt", "aprs.txt",
                                          "asynoptmp.txt", "asynop.txt", archive};
  // The temporary files beside them are planted too.
  std::vector<std::string> names = files;
  for (const auto& f : files) names.push_back(FileReplacement::temporaryPath(f).string());
  plant({"ASYNOP-Archiv"}, names);

  writers.writeProfileReport(1);
  writers.writeProfileReport(2);
  writers.writeAprsFile();
  writers.asynopMinuteTick(true);  // new work file, report line, copy and archive

  EXPECT_TRUE(notifier.messages.empty()) << notifier.messages[0].text;
  for (const auto& f : files) expectReplaced(f);
  expectSecretUntouched();
}

// An appended file is not replaced (it holds the earlier rows): a link there
// is refused and reported.
TEST_F(PlantedLinksTest, TheWeatherLogRefusesALink) {
  plant({}, {"t08.12.26.txt"});
  writers.writeWeatherLog();
  EXPECT_EQ(notifier.messages.size(), 1u);
  EXPECT_TRUE(fs::is_symlink(shared / "t08.12.26.txt"));
  expectSecretUntouched();

  // The ASYNOP work file, appended to after a missed start, alike.
  plant({}, {"asynoptmp.txt"});
  writers.asynopAppendLine();
  EXPECT_EQ(notifier.messages.size(), 2u);
  expectSecretUntouched();
  // Nor is the file behind the link passed on as the bulletin.
  settings.ASYNOPIntervall = false;
  writers.asynopMinuteTick(true);  // 18 UTC: the daily bulletin goes out
  EXPECT_FALSE(fs::exists(shared / "asynop.txt"));
  expectSecretUntouched();
}

// A link in the place of a folder the program makes for its files (the
// archive's, the Wetterlog's month) is not followed either.
TEST_F(PlantedLinksTest, LinkedFoldersAreRefused) {
  const fs::path elsewhere = root.path() / "elsewhere";
  fs::create_directory(elsewhere);
  plant({}, {"ASYNOP-Archiv", "Dezember 2026"}, elsewhere);
  settings.LogMonatsordner = true;
  writers.writeWeatherLog();
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].caption, "Wetterlog");
  notifier.messages.clear();
  writers.asynopMinuteTick(true);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "Fehler beim Kopieren der ASYNOP-Datei nach " + dir() +
                                           "ASYNOP-Archiv/2026.12.08. - 18-00.txt");
  EXPECT_TRUE(fs::is_empty(elsewhere));
  expectReplaced("asynop.txt");
}

// A file another user left in the place of a product lends the new file
// neither its permissions nor its owner.
TEST_F(PlantedLinksTest, AnotherUsersFileIsReplacedWithTheProgramsOwnPermissions) {
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  std::ofstream(shared / "aprs.txt") << "fremd";
  ASSERT_EQ(::chown((shared / "aprs.txt").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  ASSERT_EQ(::chmod((shared / "aprs.txt").c_str(), 06777), 0);
  writers.writeAprsFile();
  struct stat st {};
  ASSERT_EQ(::stat((shared / "aprs.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_mode & 07022, 0u);  // no set-id bit, not writable by others
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PlantedLinksTest, SavingTheSettingsReplacesTheLinkWithoutReadingIt) {
  plant({}, {"tavout.ini", "tavout.ini.tmp"});
  settings.Comport = "/dev/ttyUSB3";
  EXPECT_TRUE(saveSettings(dir(), settings, profiles, false, notifier));
  expectReplaced("tavout.ini");
  std::string saved;
  ASSERT_TRUE(readTextFile(shared / "tavout.ini", saved));
  EXPECT_NE(saved.find("Comport=/dev/ttyUSB3\r\n"), std::string::npos);
  expectSecretUntouched();
}

TEST_F(PlantedLinksTest, TheLockIsMadeBesideALinkNeverThroughIt) {
  const std::string lock = DeviceLock::fileName("/dev/ttyS7");
  plant({}, {lock, "LTMP." + std::to_string(getpid()), "LTMP." + std::to_string(getpid()) + ".1"});
  DeviceLock taken;
  EXPECT_TRUE(taken.acquire(shared.string(), "/dev/ttyS7"));
  EXPECT_EQ(taken.file(), (shared / lock).string());
  expectReplaced(lock);
  EXPECT_EQ(lockHolder(taken.file()), getpid());
  taken.release();
  EXPECT_FALSE(fs::exists(fs::symlink_status(shared / lock)));
  expectSecretUntouched();
}

}  // namespace
}  // namespace tavik
