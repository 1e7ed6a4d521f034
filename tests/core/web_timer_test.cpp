// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's own timer: WebIntervall minutes while active, nothing before
// every group kind has arrived, still written (marked stale) when the line
// goes silent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clockwork_fixture.h"

namespace tavik {
namespace {

using tavik::testing::ClockworkTest;
using Calls = std::vector<std::string>;

TEST_F(ClockworkTest, TheWebPageWaitsForEveryGroupAndThenFollowsItsInterval) {
  settings.WebIntervall = 2;
  create();  // 07:42:10
  cw->toggleActive();
  EXPECT_EQ(cw->webPanelText(), "Web: 1:59");
  runSeconds(120);  // no data yet: the minute at 07:44:10 passes without a page
  EXPECT_TRUE(products.webCalls.empty());
  setAllSeen();
  runSeconds(240);
  EXPECT_EQ(products.webCalls, (Calls{"07:46", "07:48"}));
  EXPECT_EQ(cw->webPanelText(), "Web: 1:59");
}

TEST_F(ClockworkTest, AStaleRecordStillGetsItsPageMarkedStale) {
  settings.WebIntervall = 1;
  create();
  cw->toggleActive();
  setAllSeen();
  runSeconds(60);
  sending = false;  // the last good group came at 07:43:10, a minute before the next page
  runSeconds(120);
  EXPECT_EQ(products.webCalls, (Calls{"07:43", "07:44 stale", "07:45 stale"}));
}

TEST_F(ClockworkTest, WithoutAnIntervalOnlyTheMenuWritesThePage) {
  settings.WebIntervall = 0;
  create();
  cw->toggleActive();
  setAllSeen();
  runSeconds(600);
  EXPECT_TRUE(products.webCalls.empty());
  EXPECT_EQ(cw->webPanelText(), "Kein Web");
  cw->webNow();
  EXPECT_EQ(products.webCalls, (Calls{"07:52"}));
}

}  // namespace
}  // namespace tavik
