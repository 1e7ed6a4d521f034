// Where "ReadMe" finds the help page: beside a copy of the program, or where
// the package installs it (share/doc/tavik beside the bin folder).

#include <gtest/gtest.h>

#include <QString>
#include <QUrl>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"
#include "ui/about_window.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "<html></html>";
}

QString folderText(const fs::path& path) { return QString::fromStdString(path.string()); }

TEST(ReadMe, PrefersTheProgramFolderThenTheInstalledDocFolder) {
  testing::TempFolder root;
  const fs::path bin = root.path() / "usr/bin";
  fs::create_directories(bin);
  const fs::path installed = root.path() / "usr/share/doc/tavik/readme.htm";

  // Neither exists: the program folder, where a portable copy keeps it.
  EXPECT_EQ(readMeUrl(folderText(bin)).toLocalFile().toStdString(), (bin / "readme.htm").string());

  touch(installed);
  EXPECT_EQ(readMeUrl(folderText(bin)).toLocalFile().toStdString(), installed.string());

  touch(bin / "readme.htm");
  EXPECT_EQ(readMeUrl(folderText(bin)).toLocalFile().toStdString(), (bin / "readme.htm").string());
}

}  // namespace
}  // namespace tavik
