// SPDX-License-Identifier: GPL-3.0-or-later
// The guard on the write path: timers and dialogs publish only a record that
// holds every group kind and is fresh; the "JETZT" commands write what there
// is and say so.
#include "core/product_writers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "temp_folder.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

class ProductWritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.WinGTRead = settings.WinGTImport = settings.LogOrdner = folder.dir();
    settings.APRSDatei = folder.dir() + "aprs.txt";
    settings.ASYNOPDatei = folder.dir() + "asynop.txt";
    settings.ASYNOPIntervall = true;
    settings.Zeitzone = 0;
    profiles.maxprofil = 2;
    profiles[1] = {"Lesen", "", "", "Wetter", "", "", "", true};
    profiles[2] = {"Balkon", "ALL", "DL0XX", "Wetter", "", "", "", true};
  }
  void seeAllBut(int missing) {
    bool* flags[] = {&state.seen8F, &state.seen9F, &state.seenAF, &state.seenBF, &state.seenCF};
    for (int i = 0; i < 5; ++i) *flags[i] = i != missing;
  }
  // Every timed and dialog write once; the names of the files there are then.
  std::vector<std::string> writeEverything(bool* dialogWrote = nullptr) {
    writers.writeProfileReport(1);
    writers.writeProfileReport(2);
    writers.writeWeatherLog();
    writers.writeAprsFile();
    const bool wrote = writers.writeAprsFileForDialog();
    if (dialogWrote) *dialogWrote = wrote;
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder.path())) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    for (const auto& name : names) fs::remove(folder.path() / name);
    return names;
  }

  testing::TempFolder folder;
  WeatherRecord weather;
  StationState state;
  Settings settings;
  ProfileTable profiles;
  ManualClock clock{LocalDateTime{2026, 12, 8, 18, 0, 0}};
  RecordingNotifier notifier;
  std::ostringstream log;
  bool fresh = true;
  ProductWriters writers{ProductContext{weather, state, settings, profiles, clock,
                                        RegionalSettings::german(), notifier, folder.dir()},
                         [this] { return fresh; }, log};
};

TEST_F(ProductWritersTest, TimersAndDialogsWriteOnlyACompleteFreshRecord) {
  bool dialogWrote = true;
  for (int missing = 0; missing < 5; ++missing) {
    seeAllBut(missing);
    EXPECT_EQ(writeEverything(&dialogWrote), std::vector<std::string>{}) << missing;
    EXPECT_FALSE(dialogWrote);
  }
  seeAllBut(-1);
  fresh = false;
  EXPECT_EQ(writeEverything(&dialogWrote), std::vector<std::string>{});
  EXPECT_FALSE(dialogWrote);
  fresh = true;
  EXPECT_EQ(writeEverything(&dialogWrote),
            (std::vector<std::string>{"Balkon.txt", "Wetter.txt", "aprs.txt", "t08.12.26.txt"}));
  EXPECT_TRUE(dialogWrote);
  EXPECT_TRUE(notifier.messages.empty());
}

// The bulletin keeps its steps from a record that is not usable, without the
// report line.
TEST_F(ProductWritersTest, AsynopGetsItsReportLineOnlyFromAUsableRecord) {
  const auto bulletinLines = [&] {
    std::string text;
    EXPECT_TRUE(readTextFile(settings.ASYNOPDatei, text));
    return std::count(text.begin(), text.end(), '\n');
  };
  writers.asynopMinuteTick(true);
  const auto withoutData = bulletinLines();
  seeAllBut(-1);
  clock.set({2026, 12, 9, 0, 0, 0});
  writers.asynopMinuteTick(true);
  EXPECT_EQ(bulletinLines(), withoutData + 1);
  fresh = false;
  clock.set({2026, 12, 9, 6, 0, 0});
  writers.asynopMinuteTick(true);
  EXPECT_EQ(bulletinLines(), withoutData);
}

TEST_F(ProductWritersTest, CommandsWriteWhateverTheRecordHoldsAndSaySo) {
  writers.command([&] {
    writers.writeProfileReport(1);
    writers.writeAprsFile();
  });
  EXPECT_TRUE(fs::exists(folder.path() / "Wetter.txt"));
  EXPECT_TRUE(fs::exists(folder.path() / "aprs.txt"));
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text,
            "Noch nicht jede Art von Datengruppe ist angekommen. Geschrieben wurde, was bisher "
            "vorliegt.");
  EXPECT_EQ(notifier.messages[0].caption, "JETZT");
  // Outside the command the guard holds again.
  writers.writeWeatherLog();
  EXPECT_FALSE(fs::exists(folder.path() / "t08.12.26.txt"));

  seeAllBut(-1);
  fresh = false;
  writers.command([&] { writers.writeWeatherLog(); });
  EXPECT_TRUE(fs::exists(folder.path() / "t08.12.26.txt"));
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[1].text,
            "Seit über einer Minute kamen keine Daten von der Station. Geschrieben wurde, was "
            "bisher vorliegt.");
  fresh = true;
  writers.command([&] { writers.writeProfileReport(2); });
  EXPECT_TRUE(fs::exists(folder.path() / "Balkon.txt"));
  EXPECT_EQ(notifier.messages.size(), 2u);
}

// A file refused at every tick is told once for each reason; the user's
// command hears it every time; the first success is noted once, and after
// it the same refusal is news again.
TEST_F(ProductWritersTest, ARefusedFileIsToldOncePerReasonAndItsRecoveryOnce) {
  seeAllBut(-1);
  const fs::path day = folder.path() / "t08.12.26.txt";
  const auto told = [&](size_t i) { return notifier.messages.at(i).text; };
  ASSERT_EQ(mkfifo(day.c_str(), 0600), 0);
  for (int tick = 0; tick < 3; ++tick) writers.writeWeatherLog();
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_NE(told(0).find(day.string() + " ist eine Pipe (FIFO)"), std::string::npos) << told(0);

  fs::remove(day);
  fs::create_directory(day);
  for (int tick = 0; tick < 3; ++tick) writers.writeWeatherLog();
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_NE(told(1).find(day.string() + " ist ein Ordner"), std::string::npos) << told(1);
  writers.command([&] { writers.writeWeatherLog(); });
  EXPECT_EQ(notifier.messages.size(), 3u);
  EXPECT_EQ(log.str(), "");

  fs::remove(day);
  for (int tick = 0; tick < 3; ++tick) writers.writeWeatherLog();
  EXPECT_EQ(log.str(), "Wieder geschrieben: Wetterlog\n");
  EXPECT_EQ(notifier.messages.size(), 3u);

  fs::remove(day);
  ASSERT_EQ(mkfifo(day.c_str(), 0600), 0);
  writers.writeWeatherLog();
  EXPECT_EQ(notifier.messages.size(), 4u);
}

// Each product keeps its own account: a failing profile neither hides nor
// recovers another, and a bulletin tick with nothing to do is no success.
TEST_F(ProductWritersTest, EachProductIsToldOnItsOwnAndOnlyAWriteCountsAsRecovery) {
  seeAllBut(-1);
  const fs::path balkon = folder.path() / "Balkon.txt";
  const fs::path work = asynopWorkFile(folder.dir());
  ASSERT_EQ(mkfifo(balkon.c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(work.c_str(), 0600), 0);
  for (int tick = 0; tick < 3; ++tick) {
    writers.writeProfileReport(1);
    writers.writeProfileReport(2);
  }
  clock.set({2026, 12, 8, 18, 0, 0});
  writers.asynopMinuteTick(true);
  std::vector<std::string> captions;
  for (const auto& m : notifier.messages) captions.push_back(m.caption);
  // The profile's file is not created, so its data are not put in either.
  EXPECT_EQ(captions, (std::vector<std::string>{"Import", "Import", "ASYNOP"}));

  fs::remove(work);
  clock.set({2026, 12, 8, 18, 1, 0});
  writers.asynopMinuteTick(true);
  EXPECT_EQ(log.str(), "");
  clock.set({2026, 12, 9, 0, 0, 0});
  writers.asynopMinuteTick(true);
  EXPECT_EQ(log.str(), "Wieder geschrieben: ASYNOP-Datei\n");
  fs::remove(balkon);
  writers.writeProfileReport(2);
  EXPECT_EQ(log.str(),
            "Wieder geschrieben: ASYNOP-Datei\nWieder geschrieben: Datei für Profil Balkon\n");
  EXPECT_EQ(notifier.messages.size(), 3u);
}

}  // namespace
}  // namespace tavik
