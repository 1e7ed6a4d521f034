// SPDX-License-Identifier: GPL-3.0-or-later
// Whole streams through the framer and the plausibility check, on short runs;
// bench/long_checks.cpp makes the same checks on the full sizes.
#include <gtest/gtest.h>

#include <iostream>

#include "stream_checks.h"

namespace tavik {
namespace {

using namespace tavik::streams;

// A fifth of the bytes of the long run.
constexpr size_t kHostileBytes = 200'000;

TEST(HostileStream, NoImpossibleValueReachesTheRecordFromAFreshStartOrAfterRealData) {
  for (const HostileRun& run : hostileRuns(kHostileBytes, 17)) {
    EXPECT_EQ(run.impossible, std::vector<std::string>{}) << run.name;
    // The check had work to do: chance candidates passed their checksums.
    EXPECT_GT(run.rightChecksums, 10u) << run.name;
    EXPECT_GT(run.refusals, 0u) << run.name;
    // Real data afterwards is taken again within two groups of each kind.
    EXPECT_TRUE(run.takenAgain) << run.name;
    std::cout << run.name << ": " << run.rightChecksums << " right checksums, " << run.refusals
              << " refused, " << run.entered << " entered\n";
  }
}

// The simulator's weather over two days on a clean line: every group enters
// the record, but for the first of each kind, which waits for the second;
// and the weather had its extremes (this seed brings all three within the
// two days).
TEST(CleanLine, NoGenuineGroupIsRefusedThroughFrontsStormsAndCloudbursts) {
  const CleanRun run = cleanRun(4, 100'000);
  EXPECT_TRUE(run.checksumsRight);
  EXPECT_EQ(run.refused, (std::array<uint32_t, 5>{}));
  EXPECT_EQ(run.entered, run.groups - 5);
  // A storm's gust of 25 m/s, a cloudburst of 80 mm/h and a front's fall of
  // 5 degrees within the 40 minutes of sampled time.
  std::cout << "strongest wind " << run.maxWind / 10.0 << " m/s, highest rain rate " << run.maxRate
            << " mm/h, fastest fall " << run.fastestFall / 10.0 << " degrees\n";
  EXPECT_GE(run.maxWind, 250);
  EXPECT_GE(run.maxRate, 80);
  EXPECT_GE(run.fastestFall, 50);
}

}  // namespace
}  // namespace tavik
