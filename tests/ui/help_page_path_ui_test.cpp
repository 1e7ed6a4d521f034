// SPDX-License-Identifier: GPL-3.0-or-later
// Where "ReadMe" finds the help page: beside a copy of the program, or where
// the package installs it (share/doc/tavik beside the bin folder).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"
#include "ui/help_page.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "<html></html>";
}

TEST(ReadMe, PrefersTheProgramFolderThenTheInstalledDocFolder) {
  testing::TempFolder root;
  const fs::path bin = root.path() / "usr/bin";
  fs::create_directories(bin);
  const fs::path installed = root.path() / "usr/share/doc/tavik/readme.htm";

  // Neither exists: the program folder, where a portable copy keeps it.
  EXPECT_EQ(helpPagePath(bin.string()), (bin / "readme.htm").string());

  touch(installed);
  EXPECT_EQ(helpPagePath(bin.string()), installed.string());

  touch(bin / "readme.htm");
  EXPECT_EQ(helpPagePath(bin.string()), (bin / "readme.htm").string());
}

}  // namespace
}  // namespace tavik
