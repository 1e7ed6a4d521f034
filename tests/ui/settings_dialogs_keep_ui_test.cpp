// SPDX-License-Identifier: GPL-3.0-or-later
// Every settings dialog, opened through its menu item in the whole program
// and confirmed with OK without a change, leaves tavout.ini byte for byte as
// a run without the dialog saves it: with the demo's settings and with odd
// values a user may have written by hand.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/program.h"
#include "ui/main_window.h"

#include "temp_folder.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

// The demo's settings (scripts/demo), with the simulator's line replaced by
// one that does not exist.
std::string demoSettings(const fs::path& dir) {
  const std::string d = dir.string();
  return "[Alles]\r\nComport=" + d + "/console\r\nWinGTRead=" + d + "/read/\r\nWinGTImport=" + d +
         "/import/\r\nAPRSDatei=" + d +
         "/aprs/aprs.txt\r\nAPRSIntervall=1\r\n"
         "ReadInterval=60000\r\nImportInterval=60000\r\nMaxProfil=2\r\nActiveAtStratup=1\r\n"
         "[Wetterlog]\r\nLogOrdner=" +
         d + "/log\r\nLogInterval=60000\r\n[ASYNOP]\r\nASYNOPDatei=" + d +
         "/asynop/asynop.txt\r\n[Profile]\r\nProfil1=Lesen\r\nProfil2=Mailbox\r\n"
         "[Mailbox]\r\nEmpf\xe4nger=WETTER@DB0XX\r\nAbsender=DL0DEMO\r\n"
         "Betreff=Wetter vom Simulator\r\nWieWinGT=1\r\n";
}

// Periods that are no whole minutes, a time zone that does not match its
// list position, values outside the lists, and a locator in small letters.
std::string oddSettings(const fs::path& dir) {
  const std::string d = dir.string();
  return "[Alles]\r\nComport=" + d + "/console\r\nWinGTRead=" + d + "/read\r\nWinGTImport=" + d +
         "/import\r\nAPRSDatei=" + d +
         "/aprs.txt\r\nAPRSIntervall=0\r\nMyLocator=jo62qm\r\n"
         "ReadInterval=15000\r\nImportInterval=-5\r\nZeitzone=7\r\nZeitzoneIndex=3\r\n"
         "NormalRegen=0\r\nMaxProfil=1\r\n"
         "[Wetterlog]\r\nLogOrdner=" +
         d +
         "/log\r\nLogInterval=10000\r\nLogUpdate=7\r\nLogMonatsordner=1\r\n"
         "[ASYNOP]\r\nASYNOPDatei=" +
         d +
         "/asynop.txt\r\nASYNOPIntervall=1\r\nASYNOPErdquadrant=9\r\nASYNOPLat=4812\r\n"
         "ASYNOPLong=01133\r\n[Profile]\r\nProfil1=Lesen\r\n";
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Presses OK on the dialog that is open now, and on the "Comport belegt" box
// the failed activation shows, until none is left.
void pressOkOnWhatOpens(int rounds = 40) {
  QTimer::singleShot(10, [rounds] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        box->accept();
      } else {
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
          if (b->text().remove(QLatin1Char('&')) == QStringLiteral("OK") && b->isVisible()) {
            b->click();
            break;
          }
        }
      }
    }
    if (rounds > 0) pressOkOnWhatOpens(rounds - 1);
  });
}

// One run of the program: start, optionally confirm one dialog, close.
std::string runProgram(const fs::path& dir, const std::string& settings, const char* item) {
  writeFile(dir / "tavout.ini", settings);
  ManualClock clock(LocalDateTime{2026, 3, 14, 7, 5, 0});
  Program program(stationFolderAt(dir.string()), clock);
  TForm1& form = program.mainWindow();
  pressOkOnWhatOpens();
  form.show();
  QApplication::processEvents();
  if (item) {
    auto* action = form.findChild<QAction*>(QString::fromLatin1(item));
    EXPECT_NE(action, nullptr) << item;
    EXPECT_TRUE(action && action->isEnabled()) << item;
    pressOkOnWhatOpens();
    if (action) action->trigger();
  }
  form.close();
  return readFile(dir / "tavout.ini");
}

constexpr const char* kDialogItems[] = {"Allgemein1",    "APRS1",    "WinGT1",       "Wetterlog1",
                                        "Profile1",      "COMPort1", "Locator1",     "ASYNOP1",
                                        "ClientServer1", "CWOP1",    "Wunderground1"};

void expectEveryDialogKeepsTheFile(const std::function<std::string(const fs::path&)>& settings) {
  testing::TempFolder folder;
  const fs::path dir = folder.path();
  for (const char* sub : {"read", "import", "log", "aprs", "asynop"})
    fs::create_directory(dir / sub);
  const std::string untouched = runProgram(dir, settings(dir), nullptr);
  ASSERT_FALSE(untouched.empty());
  for (const char* item : kDialogItems) {
    EXPECT_EQ(runProgram(dir, settings(dir), item), untouched) << item;
  }
}

TEST(SettingsDialogsKeepTest, OkWithoutAChangeKeepsTheDemosSettingsFile) {
  expectEveryDialogKeepsTheFile(demoSettings);
}

TEST(SettingsDialogsKeepTest, OkWithoutAChangeKeepsOddValues) {
  expectEveryDialogKeepsTheFile(oddSettings);
}

}  // namespace
}  // namespace tavik
