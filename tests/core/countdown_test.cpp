// SPDX-License-Identifier: GPL-3.0-or-later
// The countdowns of the status panels: the intervals in force once their
// settings are read, no negative minutes, and the steady clock the timers
// count on rather than the wall clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clockwork_fixture.h"

namespace tavik {
namespace {

using tavik::testing::ClockworkTest;

// An activation at start (ActiveAtStratup=1) comes before the [Web] section is
// read: the interval read afterwards counts, not the default's five minutes.
TEST_F(ClockworkTest, TheWebIntervallReadAfterAnActivationAtStartCounts) {
  create();  // the default WebIntervall of 5 minutes
  cw->toggleActive();
  setAllSeen();
  EXPECT_EQ(cw->webPanelText(), "Web: 4:59");
  settings.WebIntervall = 1;  // the rest of tavout.ini was read
  cw->periodsChanged();
  EXPECT_EQ(cw->webPanelText(), "Web: 0:59");
  runSeconds(60);
  EXPECT_EQ(products.webCalls, (std::vector<std::string>{"07:43"}));
  // An unchanged interval leaves the running countdown alone.
  runSeconds(30);
  cw->periodsChanged();
  EXPECT_EQ(products.webCalls.size(), 1u);
  runSeconds(30);
  EXPECT_EQ(products.webCalls.size(), 2u);
}

TEST_F(ClockworkTest, AnIntervalSwitchedOnWhileActiveNeverShowsMinusOne) {
  settings.APRSIntervall = 0;
  settings.WebIntervall = 0;
  create();
  cw->toggleActive();
  setAllSeen();
  runSeconds(90);
  EXPECT_EQ(cw->panelText(4), "Kein APRS");
  settings.APRSIntervall = 3;
  settings.WebIntervall = 2;
  cw->periodsChanged();
  EXPECT_EQ(cw->panelText(4).substr(0, 8), "APRS: 2:");
  EXPECT_EQ(cw->webPanelText().substr(0, 7), "Web: 1:");
  for (int i = 0; i < 200; ++i) {
    runSeconds(1);
    ASSERT_EQ(cw->panelText(4).find("-1"), std::string::npos) << cw->panelText(4);
    ASSERT_EQ(cw->webPanelText().find("-1"), std::string::npos) << cw->webPanelText();
  }
  EXPECT_EQ(products.count("aprs"), 1);
}

// The wall clock steps back by 3371 s (a daylight-saving change and a time
// server's correction): the countdowns go on as the timers do.
TEST_F(ClockworkTest, CountdownsFollowTheTimersThroughAClockStep) {
  settings.ImportInterval = 300000;
  settings.ReadInterval = 60000;
  create();
  cw->toggleActive();
  setAllSeen();
  runSeconds(100);
  EXPECT_EQ(cw->panelText(1), "Import: 3:20");
  clock.set(addSeconds(clock.now(), -3371));
  cw->updateStatusTexts();
  EXPECT_EQ(cw->panelText(1), "Import: 3:20");
  EXPECT_EQ(cw->panelText(2), "Read: 0:20");
  runSeconds(19);
  EXPECT_EQ(cw->panelText(1), "Import: 3:01");
  EXPECT_EQ(cw->panelText(2), "Read: 0:01");
}

}  // namespace
}  // namespace tavik
