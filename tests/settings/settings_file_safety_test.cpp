// SPDX-License-Identifier: GPL-3.0-or-later
// tavout.ini kept safe: a file the user may not write, the leftovers of an
// interrupted save, a file an editor saved in UTF-8.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include "file_bytes.h"
#include "settings/settings_file.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using tavik::testing::fileBytes;
using tavik::testing::TempFolder;
using tavik::testing::writeBytes;

const std::string kFile =
    "[Alles]\r\nComport=COM4\r\nMaxProfil=1\r\n[Profile]\r\nProfil1=Balkon\r\n"
    "[Balkon]\r\nEmpf\xE4nger=WX\r\n";

struct Loaded {
  Settings settings;
  ProfileTable profiles;
  RecordingNotifier notifier;
};

class SettingsFileSafety : public ::testing::Test {
 protected:
  std::string iniPath() const { return folder.dir() + "tavout.ini"; }
  void writeIni(const std::string& bytes) const { writeBytes(iniPath(), bytes); }
  void load(Loaded& out) {
    loadSettings(folder.dir(), out.settings, out.profiles, nullptr, out.notifier);
  }
  TempFolder folder;
};

// For the life of the object the test acts as the unprivileged user "nobody"
// towards the file system (root would write any file whatever its mode).
// The folder then belongs to that user, so that only the file's own mode
// stands in the way.
class ActingAsOwnerOf {
 public:
  explicit ActingAsOwnerOf(const std::filesystem::path& folder) {
    if (::geteuid() != 0) return;
    if (::chown(folder.c_str(), kNobody, kNobody) != 0) ADD_FAILURE() << "chown";
    ::setfsgid(kNobody);
    ::setfsuid(kNobody);
  }
  ActingAsOwnerOf(const ActingAsOwnerOf&) = delete;
  ActingAsOwnerOf& operator=(const ActingAsOwnerOf&) = delete;
  ~ActingAsOwnerOf() {
    if (::geteuid() != 0) return;
    ::setfsuid(0);
    ::setfsgid(0);
  }

 private:
  static constexpr uid_t kNobody = 65534;
};

TEST_F(SettingsFileSafety, AFileTheUserMayNotWriteIsNotReplaced) {
  writeIni(kFile);
  std::filesystem::permissions(iniPath(), std::filesystem::perms::owner_read |
                                              std::filesystem::perms::group_read |
                                              std::filesystem::perms::others_read);
  Loaded l;
  load(l);
  l.settings.Comport = "COM9";
  bool ok = true;
  {
    ActingAsOwnerOf owner(folder.path());
    ok = saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier);
  }
  EXPECT_FALSE(ok);
  ASSERT_EQ(l.notifier.messages.size(), 1u);
  EXPECT_EQ(l.notifier.messages[0].text, "In " + iniPath() + " kann nicht geschrieben werden");
  EXPECT_EQ(fileBytes(iniPath()), kFile);
  EXPECT_EQ(std::filesystem::status(iniPath()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                std::filesystem::perms::others_read);
  EXPECT_FALSE(std::filesystem::exists(iniPath() + ".tmp"));
}

TEST_F(SettingsFileSafety, TheTemporaryFileOfAnInterruptedSaveGoesAtTheNextStart) {
  writeIni("[Alles]\r\nComport=COM4\r\n");
  writeBytes(iniPath() + ".tmp", "[Alles]\r\nComp");  // a save killed halfway
  Loaded l;
  load(l);
  EXPECT_EQ(l.settings.Comport, "COM4");
  EXPECT_FALSE(std::filesystem::exists(iniPath() + ".tmp"));
  EXPECT_TRUE(l.notifier.messages.empty());

  // A folder of that name is no file of ours and stays.
  std::filesystem::create_directory(iniPath() + ".tmp");
  load(l);
  EXPECT_TRUE(std::filesystem::is_directory(iniPath() + ".tmp"));
}

TEST_F(SettingsFileSafety, AUtf8FileIsSavedBackAsUtf8) {
  const std::string file =
      "\xEF\xBB\xBF[Alles]\r\nMaxProfil=1\r\nWinGTRead=/srv/Wetter_äöü\r\n"
      "[Profile]\r\nProfil1=Küche\r\n[Küche]\r\nEmpfänger=Jörg\r\n";
  writeIni(file);
  Loaded l;
  load(l);
  EXPECT_EQ(l.settings.WinGTRead, "/srv/Wetter_äöü");
  EXPECT_EQ(l.profiles[1].name, "Küche");
  EXPECT_EQ(l.profiles[1].Empfaenger, "Jörg");
  ASSERT_TRUE(saveSettings(folder.dir(), l.settings, l.profiles, false, l.notifier));
  const std::string saved = fileBytes(iniPath());
  EXPECT_EQ(saved.substr(0, 12), "\xEF\xBB\xBF[Alles]\r\n");
  EXPECT_NE(saved.find("WinGTRead=/srv/Wetter_äöü\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[Küche]\r\nEmpfänger=Jörg\r\nAbsender=\r\n"), std::string::npos);
  EXPECT_EQ(saved.find('\xE4'), std::string::npos);  // no Windows-1252 "ä"
}

}  // namespace
}  // namespace tavik
