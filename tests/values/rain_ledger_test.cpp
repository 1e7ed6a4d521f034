// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/rain_ledger.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

constexpr long long kHour = 3600;

TEST(RainLedger, ASpanIsTheCountersRiseSinceItsStart) {
  RainLedger ledger;
  EXPECT_FALSE(ledger.since(0));
  ledger.add(0, 100);
  ledger.add(kHour, 104);
  ledger.add(2 * kHour, 104);
  ledger.add(3 * kHour, 110);
  const auto lastHour = ledger.since(2 * kHour + 1);
  ASSERT_TRUE(lastHour);
  EXPECT_EQ(lastHour->amount, 6);
  EXPECT_TRUE(lastHour->whole);
  // The rain of a group at the span's very start fell before it.
  EXPECT_EQ(ledger.since(kHour)->amount, 6);
  EXPECT_EQ(ledger.since(kHour - 1)->amount, 10);
}

TEST(RainLedger, BeforeTheFirstGroupTheSpanCountsFromIt) {
  RainLedger ledger;
  ledger.add(10 * kHour, 50);
  ledger.add(11 * kHour, 53);
  const auto day = ledger.since(11 * kHour - 24 * kHour);
  ASSERT_TRUE(day);
  EXPECT_EQ(day->amount, 3);
  EXPECT_FALSE(day->whole);
  EXPECT_EQ(day->fromUtcSecond, 10 * kHour);
}

TEST(RainLedger, AResetCountsTheRainOnBothSides) {
  RainLedger ledger;
  ledger.add(0, 200);
  ledger.add(60, 205);
  ledger.add(120, 0);  // reset on the console
  ledger.add(180, 3);
  EXPECT_EQ(ledger.since(0)->amount, 8);
  // The rain of the reset's minute, already on the new count, counts too.
  RainLedger rainy;
  rainy.add(0, 200);
  rainy.add(60, 1);
  EXPECT_EQ(rainy.since(0)->amount, 1);
}

TEST(RainLedger, KeepsTheCounterOfTheLastDayAndAHalfHour) {
  RainLedger ledger;
  for (long long t = 0; t <= 48 * kHour; t += 60) ledger.add(t, static_cast<int>(t / kHour));
  // The counter 24 and 25 hours back is still known exactly.
  EXPECT_EQ(ledger.since(48 * kHour - 24 * kHour)->amount, 24);
  EXPECT_TRUE(ledger.since(48 * kHour - 25 * kHour)->whole);
  // Older changes are forgotten: a span from the beginning counts from the
  // oldest one kept.
  EXPECT_FALSE(ledger.since(0)->whole);
  EXPECT_EQ(ledger.since(0)->fromUtcSecond, 48 * kHour - RainLedger::kKeptSeconds);
  // A group older than the newest is out of order and changes nothing.
  ledger.add(kHour, 0);
  EXPECT_EQ(ledger.since(47 * kHour)->amount, 1);
}

TEST(RainLedger, SeededSamplesComeBeforeTheLiveGroups) {
  RainLedger ledger;
  ledger.add(20 * kHour, 130);
  ledger.add(21 * kHour, 131);
  // The archive's samples, out of order, one of them after the first live group.
  ledger.seed({{5 * kHour, 112}, {0, 100}, {19 * kHour, 125}, {20 * kHour + 1, 999}});
  const auto day = ledger.since(21 * kHour - 24 * kHour);
  ASSERT_TRUE(day);
  EXPECT_EQ(day->amount, 31);
  EXPECT_FALSE(day->whole);
  EXPECT_EQ(day->fromUtcSecond, 0);
  EXPECT_EQ(ledger.since(20 * kHour - 1)->amount, 6);
  // Seeding an empty ledger works alike.
  RainLedger fresh;
  fresh.seed({{0, 7}, {kHour, 9}});
  EXPECT_EQ(fresh.since(0)->amount, 2);
}

}  // namespace
}  // namespace tavik
