// SPDX-License-Identifier: GPL-3.0-or-later
// A tavout.ini saved by an editor in UTF-8 sends the products into the
// folders it names, not into folders with garbled names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "product_test_support.h"
#include "products/profile_report.h"
#include "products/weather_log.h"
#include "settings/settings_file.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

TEST(Utf8Settings, ProductsGoIntoTheFoldersTheFileNames) {
  test::TempFolder folder;
  const std::string base = folder / "Wetter_äöü";
  fs::create_directories(base + "/Import");
  fs::create_directories(base + "/Read");
  std::ofstream(folder / "tavout.ini", std::ios::binary)
      << "[Alles]\r\nWinGTImport=" << base << "/Import\r\nWinGTRead=" << base
      << "/Read\r\nMaxProfil=2\r\n[Wetterlog]\r\nLogOrdner=" << base << "/Log\r\n"
      << "[Profile]\r\nProfil1=Küche\r\nProfil2=Grüße\r\n"
      << "[Grüße]\r\nEmpfänger=Jörg\r\nAbsender=DL1ÄÖ\r\n";

  test::ProductFixture f;
  loadSettings(folder / "", f.settings, f.profiles, nullptr, f.notifier);
  ASSERT_TRUE(f.notifier.messages.empty());
  EXPECT_EQ(f.profiles[2].Empfaenger, "Jörg");

  ProfileReports reports;
  reports.writeProfileReport(1, f.context());
  reports.writeProfileReport(2, f.context());
  writeWeatherLog(f.context());
  EXPECT_TRUE(f.notifier.messages.empty());

  EXPECT_TRUE(fs::exists(base + "/Read/Wetter.txt"));
  EXPECT_TRUE(fs::exists(base + "/Log/t08.12.26.txt"));
  // The product files themselves stay Windows-1252.
  const std::string import = test::fileBytes(base + "/Import/Grüße.txt");
  EXPECT_EQ(import.substr(0, 26), "J\xF6rg             de:DL1\xC4\xD6 ");
  // Nothing went anywhere else.
  size_t entries = 0;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2u);  // tavout.ini and Wetter_äöü
}

}  // namespace
}  // namespace tavik
