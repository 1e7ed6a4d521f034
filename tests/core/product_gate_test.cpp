// SPDX-License-Identifier: GPL-3.0-or-later
// The publishing gate, case by case: the record's two conditions against the
// two modes, with and without a "JETZT" command.
#include "core/product_gate.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(ProductGateTest, OpensByModeAndCommand) {
  struct Case {
    bool complete, fresh;
    bool usable, complete_mode;  // open() in each mode without a command
  };
  const Case cases[] = {
      {false, false, false, false},
      {false, true, false, false},  // fresh but not every group kind yet
      {true, false, false, true},   // stale: only where the product says so
      {true, true, true, true},
  };
  for (const Case& c : cases) {
    const ProductGate gate{c.complete, c.fresh};
    SCOPED_TRACE(testing::Message() << "complete " << c.complete << ", fresh " << c.fresh);
    EXPECT_EQ(gate.open(GateMode::Usable), c.usable);
    EXPECT_EQ(gate.open(GateMode::Complete), c.complete_mode);
    EXPECT_TRUE(gate.open(GateMode::Usable, true));
    EXPECT_TRUE(gate.open(GateMode::Complete, true));
    EXPECT_EQ(gate.whyShut().empty(), c.usable);
  }
}

TEST(ProductGateTest, CompleteMeansEveryGroupKindSeen) {
  StationState state;
  state.seen8F = state.seen9F = state.seenAF = state.seenBF = true;
  EXPECT_FALSE(ProductGate::of(state, true).open());
  state.seenCF = true;
  EXPECT_TRUE(ProductGate::of(state, true).open());
  EXPECT_FALSE(ProductGate::of(state, false).open());
}

TEST(ProductGateTest, SaysWhyTheRecordIsNotUsable) {
  // An incomplete record is named as such even while the line is silent.
  EXPECT_EQ(ProductGate({false, false}).whyShut(),
            "Noch nicht jede Art von Datengruppe ist angekommen.");
  EXPECT_EQ(ProductGate({true, false}).whyShut(),
            "Seit über einer Minute kamen keine Daten von der Station.");
}

}  // namespace
}  // namespace tavik
