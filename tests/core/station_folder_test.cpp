// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/station_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ScopedReadOnlyFolder;
using testing::TempFolder;

constexpr uid_t kNobody = 65534;

class StationFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(program());
    // A home the unprivileged user may write, as a real home is.
    fs::create_directory(home());
    if (geteuid() == 0) {
      ASSERT_EQ(chown(home().c_str(), kNobody, kNobody), 0);
    }
  }
  fs::path program() const { return temp.path() / "bin"; }
  std::string programDir() const { return program().string() + "/"; }
  fs::path home() const { return temp.path() / "home"; }

  TempFolder temp;
};

TEST_F(StationFolderTest, WritableProgramFolderIsThePortableStationFolder) {
  const StationFolder folder = chooseStationFolder(programDir(), {home().string(), "", ""});
  EXPECT_EQ(folder, (StationFolder{programDir(), programDir()}));
  EXPECT_TRUE(fs::is_empty(program()));  // the probe left nothing behind
  EXPECT_FALSE(fs::exists(home() / ".config"));
}

TEST_F(StationFolderTest, ReadOnlyProgramFolderWithItsOwnSettingsStaysPortable) {
  std::ofstream(program() / "tavout.ini") << "[Alles]\r\n";
  ScopedReadOnlyFolder readOnly(program());
  EXPECT_FALSE(folderWritable(programDir()));
  const StationFolder folder = chooseStationFolder(programDir(), {home().string(), "", ""});
  EXPECT_EQ(folder, (StationFolder{programDir(), programDir()}));
}

TEST_F(StationFolderTest, ReadOnlyProgramFolderUsesTheXdgFoldersAndCreatesThem) {
  const std::string h = home().string();
  ScopedReadOnlyFolder readOnly(program());
  StationFolder folder = chooseStationFolder(programDir(), {h, "", ""});
  EXPECT_EQ(folder, (StationFolder{h + "/.config/tavik/", h + "/.local/share/tavik/"}));
  EXPECT_TRUE(fs::is_directory(folder.settingsDir));
  EXPECT_TRUE(fs::is_directory(folder.productDir));
  EXPECT_TRUE(folderWritable(folder.settingsDir));

  // XDG_CONFIG_HOME and XDG_DATA_HOME, with or without a trailing "/".
  folder = chooseStationFolder(programDir(), {h, h + "/cfg/", h + "/data"});
  EXPECT_EQ(folder, (StationFolder{h + "/cfg/tavik/", h + "/data/tavik/"}));
  EXPECT_TRUE(fs::is_directory(folder.productDir));

  // Relative XDG paths are not used.
  folder = chooseStationFolder(programDir(), {h, "cfg", "data"});
  EXPECT_EQ(folder, (StationFolder{h + "/.config/tavik/", h + "/.local/share/tavik/"}));

  // Without any home there is nowhere else to go.
  folder = chooseStationFolder(programDir(), {"", "", ""});
  EXPECT_EQ(folder, (StationFolder{programDir(), programDir()}));
}

TEST_F(StationFolderTest, FolderFromTheCommandLineHoldsBoth) {
  EXPECT_EQ(stationFolderAt("/srv/wetter"), (StationFolder{"/srv/wetter/", "/srv/wetter/"}));
  EXPECT_EQ(stationFolderAt("/srv/wetter/"), (StationFolder{"/srv/wetter/", "/srv/wetter/"}));
  EXPECT_FALSE(folderWritable((temp.path() / "missing").string()));
}

}  // namespace
}  // namespace tavik
