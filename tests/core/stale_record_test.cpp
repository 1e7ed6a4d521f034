// SPDX-License-Identifier: GPL-3.0-or-later
// Timers and the activation publish nothing from an empty or stale record;
// the menu's commands still write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clockwork_fixture.h"

namespace tavik {
namespace {

using tavik::testing::ClockworkTest;

class StaleRecordTest : public ClockworkTest {
 protected:
  // Every product on, each timer once a minute, from 07:42:10.
  void everyProductOn() {
    profiles.maxprofil = 3;
    profiles[1].WieWinGT = true;
    profiles[2].WieWinGT = true;
    profiles[3].Uhrzeit = "07:43";
    settings.ImportInterval = settings.ReadInterval = settings.LogInterval = 60000;
    settings.APRSIntervall = 1;
    create();
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    std::istringstream in(log.str());
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }
};

TEST_F(StaleRecordTest, SilentLineFor61SecondsStopsTimerProductsUntilDataReturn) {
  everyProductOn();
  cw->toggleActive();
  setAllSeen();
  runSeconds(110);  // to 07:44:00, the station sending all the time; timers at 07:43:10
  EXPECT_EQ(products.count("profile 3"), 1);
  EXPECT_EQ(products.count("profile 2"), 1);
  EXPECT_EQ(products.count("aprs"), 1);
  EXPECT_FALSE(cw->recordStale());
  ASSERT_TRUE(cw->lastGoodGroup().has_value());

  sending = false;  // the last good group came at 07:44:00
  runSeconds(59);
  EXPECT_EQ(products.count("log"), 2);  // 07:44:10, ten seconds after it
  EXPECT_FALSE(cw->recordStale());
  EXPECT_TRUE(lines().empty());
  products.calls.clear();
  const int ticks = products.asynopTicks;
  const int reportLines = products.asynopLines;
  runSeconds(2);  // 61 s of silence
  EXPECT_TRUE(cw->recordStale());
  EXPECT_EQ(formatDateTime("hh:nn:ss", *cw->lastGoodGroup(), RegionalSettings::german()),
            "07:44:00");
  EXPECT_EQ(lines(), (std::vector<std::string>{"Station: keine Daten seit 07:44"}));
  runSeconds(600);  // ten ticks of every timer
  EXPECT_TRUE(products.calls.empty());
  EXPECT_EQ(lines().size(), 1u);                 // the silence is told once
  EXPECT_EQ(products.asynopTicks - ticks, 10);   // the bulletin's own steps go on
  EXPECT_EQ(products.asynopLines, reportLines);  // without report lines

  // The user asks: the menu writes from the record as it is.
  cw->importNow();
  EXPECT_EQ(products.calls, (std::vector<std::string>{"profile 1", "profile 2"}));

  products.calls.clear();
  sending = true;
  runSeconds(60);
  EXPECT_FALSE(cw->recordStale());
  ASSERT_EQ(lines().size(), 2u);
  EXPECT_EQ(lines()[1], "Station: Daten wieder da seit 07:55:02");
  EXPECT_EQ(products.count("profile 1"), 1);
  EXPECT_EQ(products.count("profile 2"), 1);
  EXPECT_EQ(products.count("log"), 1);
  EXPECT_EQ(products.count("aprs"), 1);
}

TEST_F(StaleRecordTest, NoDataSinceActivationIsToldAfterAMinuteWithTheActivationTime) {
  everyProductOn();
  cw->toggleActive();  // 07:42:10, nothing ever arrives
  runSeconds(59);
  EXPECT_FALSE(cw->silentSince().has_value());
  runSeconds(1);
  ASSERT_TRUE(cw->silentSince().has_value());
  EXPECT_EQ(formatDateTime("hh:nn", *cw->silentSince(), RegionalSettings::german()), "07:42");
  cw->toggleActive();
  EXPECT_FALSE(cw->silentSince().has_value());
}

TEST_F(StaleRecordTest, NothingUntilEveryGroupKindHasArrived) {
  everyProductOn();
  cw->toggleActive();
  // Four kinds keep arriving, the wind group never.
  station.seen8F = station.seen9F = station.seenAF = station.seenBF = true;
  runSeconds(300, [&] { cw->goodGroupArrived(); });
  EXPECT_TRUE(products.calls.empty());
  EXPECT_EQ(products.asynopLines, 0);
  EXPECT_FALSE(cw->recordStale());  // data do arrive

  station.seenCF = true;
  runSeconds(60);
  EXPECT_EQ(products.count("profile 1"), 1);
  EXPECT_EQ(products.count("log"), 1);
}

TEST_F(StaleRecordTest, RecordFrozenWhileInactiveIsNotPublished) {
  everyProductOn();
  cw->toggleActive();
  setAllSeen();
  runSeconds(120);
  cw->toggleActive();  // deactivated: the port is closed, nothing arrives
  sending = false;
  products.calls.clear();
  runSeconds(300);
  // The log timer runs while inactive, but not from a record minutes old,
  // and the window does not warn about a line it does not read.
  EXPECT_TRUE(products.calls.empty());
  EXPECT_FALSE(cw->recordStale());
  EXPECT_TRUE(lines().empty());

  cw->toggleActive();  // activation products need a fresh record as well
  EXPECT_TRUE(products.calls.empty());
  runSeconds(61);
  EXPECT_TRUE(cw->recordStale());
  EXPECT_EQ(lines().size(), 1u);
}

TEST_F(StaleRecordTest, ClockTurnedBackBehindTheLastGroupCountsAsStale) {
  everyProductOn();
  cw->toggleActive();
  setAllSeen();
  clock.set({2026, 3, 14, 6, 42, 10});  // back an hour, as at the end of summer time
  cw->readtimerTimer();
  EXPECT_TRUE(products.calls.empty());
  cw->goodGroupArrived();
  cw->readtimerTimer();
  EXPECT_EQ(products.calls, (std::vector<std::string>{"profile 1"}));
}

}  // namespace
}  // namespace tavik
