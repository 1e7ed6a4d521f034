// SPDX-License-Identifier: GPL-3.0-or-later
// tavik (the window, offscreen) on a hostile line: random bytes and runs of
// group bytes, from a fresh start and mixed into the console's groups. No
// product may carry a value that no weather can have. A short run;
// bench/long_checks.cpp makes the same checks on a longer one.
#include <gtest/gtest.h>

#include "hostile_line.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

TEST(ProgramHostileLine, PublishesNoImpossibleValueFromNoiseOrGroupBytes) {
  // A minute in two seconds, as in the long run: the record counts as stale
  // after a scaled minute without a good group, which a busy machine must
  // not reach. Five minutes of groups among the noise.
  const ProductsOfHostileLine products = runTavikOnHostileLine(
      TAVIK_BINARY, {.timeScale = 30, .noiseAlone = 1s, .noiseWithGroups = 5s});
  ASSERT_TRUE(products.portOpened) << products.output;
  EXPECT_EQ(products.exitStatus, 0);
  EXPECT_GE(products.logRows.size(), 3u) << products.output;
  EXPECT_EQ(impossibleInWeatherLog(products.logRows), std::vector<std::string>{});
  EXPECT_GE(products.aprsVersions.size(), 2u);
  for (const std::string& frame : products.aprsVersions)
    EXPECT_EQ(impossibleInAprs(frame), std::vector<std::string>{}) << frame;
  EXPECT_GE(countOf(products.output, "Unmögliche Werte verworfen: Datengruppe "), 1)
      << products.output;
}

}  // namespace
}  // namespace tavik
