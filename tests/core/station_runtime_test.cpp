// SPDX-License-Identifier: GPL-3.0-or-later
// The station both programs run: settings from the station folder, groups
// from a real pseudo-terminal into the record, and the products they write.
#include "core/station_runtime.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "../station/group_builder.h"
#include "../station/pty.h"
#include "event_loop.h"
#include "products/profile_report.h"
#include "products/weather_log.h"
#include "temp_folder.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

class StationRuntimeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }
  template <typename Pred>
  static bool runUntil(Pred done) {
    return test::runUntil(done, 3000);
  }
  void writeSettings(const std::string& port, const std::string& extra) {
    std::ofstream(folder.path() / "tavout.ini", std::ios::binary)
        << "[Alles]\r\nComport=" << port << "\r\nActiveAtStratup=1\r\nReadInterval=60000\r\n"
        << extra;
  }

  testing::TempFolder folder;
  ManualClock clock{LocalDateTime{2026, 3, 14, 7, 5, 0}};
  RecordingNotifier notifier;
  std::ostringstream log;
};

// The same groups give the products the same bytes as the writers given the
// record decoded on its own: the runtime adds nothing and loses nothing.
TEST_F(StationRuntimeTest, GroupsFromTheLineReachTheProductsAsTheWritersWouldWriteThem) {
  test::Pty pty;
  const test::PtyLink link("runtime");
  link.pointAt(pty);
  writeSettings(link.path(), "[Wetterlog]\r\nLogInterval=60000\r\n");
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  int activations = 0;
  runtime.loadSettings(
      [&] {
        ++activations;
        runtime.clockwork().toggleActive();
      },
      notifier);
  ASSERT_EQ(activations, 1);
  ASSERT_TRUE(runtime.clockwork().isActive()) << notifier.messages.size();
  EXPECT_EQ(runtime.clockwork().timerStates().logtimer.periodMs, 60000);

  const std::vector<uint8_t> line = test::consoleGroupsTwice();
  pty.write(line);
  ASSERT_TRUE(runUntil([&] { return runtime.station().state.allSeen(); }));
  runtime.clockwork().readtimerTimer();
  runtime.clockwork().logtimerTimer();
  EXPECT_TRUE(notifier.messages.empty());

  StationData alone;
  GroupStream stream(alone);
  stream.feed(line);
  const testing::TempFolder other;
  Settings settings = runtime.settings();
  settings.WinGTRead = settings.LogOrdner = other.dir();
  const ProductContext ctx{alone.weather, alone.state,        settings, runtime.profiles(),
                           clock,         runtime.regional(), notifier, other.dir()};
  ProfileReports reports;
  reports.writeProfileReport(1, ctx);
  writeWeatherLog(ctx);
  for (const auto& e : fs::directory_iterator(other.path())) {
    const fs::path mine = folder.path() / e.path().filename();
    EXPECT_EQ(bytesOf(mine), bytesOf(e.path())) << mine;
    EXPECT_GT(fs::file_size(mine), 100u);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(other.path()), {}), 2);
}

// An activation at start comes before [Web] is read; the page follows the
// WebIntervall of the file all the same: the first one within a minute. The
// rain groups from the line reach the rain ledger.
TEST_F(StationRuntimeTest, TheFirstPageAtStartComesWithinTheIntervalOfTheFile) {
  test::Pty pty;
  const test::PtyLink link("runtime");
  link.pointAt(pty);
  const fs::path web = folder.path() / "web";
  writeSettings(link.path(), "[Web]\r\nWebOrdner=" + web.string() + "\r\nWebIntervall=1\r\n");
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  runtime.loadSettings([&] { runtime.clockwork().toggleActive(); }, notifier);
  ASSERT_TRUE(runtime.clockwork().isActive());
  EXPECT_EQ(runtime.clockwork().webPanelText().substr(0, 7), "Web: 0:");

  pty.write(test::consoleGroupsTwice());
  ASSERT_TRUE(runUntil([&] { return runtime.station().state.allSeen(); }));
  EXPECT_EQ(runtime.station().state.rainSince, clock.now());
  runtime.clockwork().minutencountTimer();
  EXPECT_TRUE(fs::exists(web / "current.json")) << notifier.messages.size();
}

TEST_F(StationRuntimeTest, ReloadTakesTheFileAsItIsNow) {
  writeSettings("/dev/ttyUSB7", "MaxProfil=1\r\n[Profile]\r\nProfil1=Lesen\r\n");
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  runtime.loadSettings({}, notifier);
  EXPECT_EQ(runtime.port().portName(), "/dev/ttyUSB7");
  EXPECT_EQ(runtime.clockwork().timerStates().readtimer.periodMs, 60000);
  EXPECT_EQ(runtime.profiles()[1].name, "Lesen");

  std::ofstream(folder.path() / "tavout.ini", std::ios::binary)
      << "[Alles]\r\nComport=/dev/ttyUSB8\r\nReadInterval=120000\r\n";
  int timerChanges = 0;
  runtime.clockwork().onTimersChanged = [&] { ++timerChanges; };
  EXPECT_TRUE(runtime.reloadSettings(notifier).portChanged);
  EXPECT_EQ(runtime.port().portName(), "/dev/ttyUSB8");
  EXPECT_EQ(runtime.clockwork().timerStates().readtimer.periodMs, 120000);
  EXPECT_EQ(timerChanges, 1);
  // Keys gone from the file are back at their defaults, profiles included.
  EXPECT_EQ(runtime.profiles().maxprofil, 0);
  EXPECT_EQ(runtime.profiles()[1].name, "");
  const SettingsReload again = runtime.reloadSettings(notifier);
  EXPECT_FALSE(again.portChanged);
  EXPECT_EQ(again.refusal, "");
  EXPECT_TRUE(notifier.messages.empty());
}

// A file that tells nothing about the user's wishes leaves the running
// settings, port and profiles as they are, and says why.
TEST_F(StationRuntimeTest, ReloadKeepsTheRunningSettingsWhenTheFileCannotBeTaken) {
  writeSettings("/dev/ttyUSB7", "MaxProfil=1\r\n[Profile]\r\nProfil1=Lesen\r\n");
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  runtime.loadSettings({}, notifier);
  const fs::path ini = folder.path() / "tavout.ini";
  const std::string path = ini.string();
  const auto refusalAfter = [&](const std::function<void()>& breakIt) {
    fs::remove_all(ini);
    breakIt();
    int timerChanges = 0;
    runtime.clockwork().onTimersChanged = [&] { ++timerChanges; };
    const SettingsReload reload = runtime.reloadSettings(notifier);
    EXPECT_FALSE(reload.portChanged);
    EXPECT_EQ(timerChanges, 0);
    EXPECT_EQ(runtime.port().portName(), "/dev/ttyUSB7");
    EXPECT_EQ(runtime.settings().ReadInterval, 60000);
    EXPECT_EQ(runtime.profiles()[1].name, "Lesen");
    // The counter dies with this call: no later reload may count into it.
    runtime.clockwork().onTimersChanged = nullptr;
    return reload.refusal;
  };
  const auto write = [&](const std::string& bytes) {
    std::ofstream(ini, std::ios::binary) << bytes;
  };
  EXPECT_EQ(refusalAfter([] {}), path + " gibt es nicht.");
  EXPECT_EQ(refusalAfter([&] { fs::create_directory(ini); }),
            path + " ist ein Ordner, keine Datei.");
  EXPECT_EQ(refusalAfter([&] { write(""); }), path + " ist leer.");
  const std::string noKey = path +
                            " enthält keinen einzigen Schlüssel der Einstellungen (kein Abschnitt "
                            "wie [Alles] mit Schlüssel=Wert).";
  EXPECT_EQ(
      refusalAfter([&] { write(std::string("\x8f\x00\xff[x\r\n=\r\nComport=COM1\r\n", 21)); }),
      noKey);
  EXPECT_EQ(refusalAfter([&] { write("[Fremd]\r\nComport=COM1\r\n"); }), noKey);
  EXPECT_EQ(refusalAfter([&] { ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0); }),
            path + " ist keine gewöhnliche Datei.");
  EXPECT_EQ(refusalAfter([&] { fs::create_symlink("tavout.ini", ini); }),
            path + " kann nicht gelesen werden (Too many levels of symbolic links).");
  EXPECT_TRUE(notifier.messages.empty());

  // One key of the program is enough; the others take their defaults.
  fs::remove_all(ini);
  write("[alles]\r\ncomport=/dev/ttyUSB9\r\n");
  const SettingsReload taken = runtime.reloadSettings(notifier);
  EXPECT_EQ(taken.refusal, "");
  EXPECT_TRUE(taken.portChanged);
  EXPECT_EQ(runtime.profiles()[1].name, "");
}

}  // namespace
}  // namespace tavik
