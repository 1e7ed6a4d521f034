// SPDX-License-Identifier: GPL-3.0-or-later
// Every test process keeps the lock files of the serial ports it opens in a
// fresh folder of its own, handed to the programs it starts through
// TAVIK_LOCK_DIR, so that no test sees or changes the machine's /var/lock
// (where running stations hold their locks). When the tests are done, a lock
// file that names this process or a process still running fails the run: a
// port left open, or a program left behind. A killed program's stale lock is
// only removed with the folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

class PrivateLockFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-locks-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      // Lock files in a folder that cannot be made: none are written.
      pattern = (std::filesystem::temp_directory_path() / "tavik-no-lock-folder").string();
    } else {
      folder_ = pattern;
    }
    setenv("TAVIK_LOCK_DIR", pattern.c_str(), 1);
  }

  void TearDown() override {
    if (folder_.empty()) return;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec)) {
      long holder = 0;
      std::ifstream(entry.path()) >> holder;
      if (holder == getpid())
        ADD_FAILURE() << "a port of the tests is still open: " << entry.path().filename().string();
      else if (holder > 0 && kill(static_cast<pid_t>(holder), 0) == 0)
        ADD_FAILURE() << "process " << holder << " is still running and holds "
                      << entry.path().filename().string();
    }
    std::filesystem::remove_all(folder_, ec);
  }

 private:
  std::string folder_;
};

[[maybe_unused]] ::testing::Environment* const privateLockFolder =
    ::testing::AddGlobalTestEnvironment(new PrivateLockFolder);

}  // namespace
