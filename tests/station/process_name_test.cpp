// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/process_name.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace tavik {
namespace {

TEST(ProcessName, HolderIsNamedByProgramAndPid) {
  testing::TempFolder proc;
  std::filesystem::create_directory(proc.path() / "1234");
  std::ofstream(proc.path() / "1234" / "comm") << "tavik-station\n";
  EXPECT_EQ(holderText(1234, proc.path().string()), "tavik-station, PID 1234");
  // A process gone meanwhile, or a folder we may not read: the PID alone.
  EXPECT_EQ(holderText(99, proc.path().string()), "PID 99");
  EXPECT_EQ(holderText(0, proc.path().string()), "");
}

TEST(ProcessName, NameIsReadFromTheSystemAndKeptPrintable) {
  EXPECT_FALSE(processName(getpid()).empty());
  testing::TempFolder proc;
  std::filesystem::create_directory(proc.path() / "7");
  std::ofstream(proc.path() / "7" / "comm") << "evil\033[2J\n";
  EXPECT_EQ(processName(7, proc.path().string()), "evil?[2J");
}

}  // namespace
}  // namespace tavik
