// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/console_simulator.h"

#include <gtest/gtest.h>

#include <map>

#include "dump/record_fields.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

SimulatorOptions options(uint64_t seed, double badChecksums, double noise) {
  SimulatorOptions o;
  o.seed = seed;
  o.badChecksums = badChecksums;
  o.noise = noise;
  return o;
}

TEST(ConsoleSimulator, SendsWindEveryFiveSecondsAndTheOthersEveryTen) {
  ConsoleSimulator sim(options(1, 0, 0));
  std::map<GroupKind, std::vector<double>> times;
  double last = -1;
  for (int i = 0; i < 60; ++i) {
    const Transmission t = sim.next();
    EXPECT_GT(t.at, last);
    last = t.at;
    times[t.kind].push_back(t.at);
    EXPECT_EQ(t.bytes.size(), static_cast<size_t>(groupLength(t.kind)));
    EXPECT_EQ(t.bytes[0], static_cast<uint8_t>(t.kind));
  }
  ASSERT_EQ(times.size(), 5u);
  for (const auto& [kind, at] : times) {
    const double period = kind == GroupKind::GCF ? 5 : 10;
    for (size_t i = 1; i < at.size(); ++i) EXPECT_DOUBLE_EQ(at[i] - at[i - 1], period);
  }
}

// Bad checksums and noise come from their own random numbers: the weather of a
// seed stays the same.
TEST(ConsoleSimulator, LineOptionsLeaveTheWeatherAlone) {
  ConsoleSimulator clean(options(5, 0, 0)), noisy(options(5, 0.5, 0.5));
  for (int i = 0; i < 300; ++i) {
    const Transmission a = clean.next(), b = noisy.next();
    ASSERT_EQ(a.kind, b.kind);
    EXPECT_EQ(groupFields(a.kind, clean.record(), {}), groupFields(b.kind, noisy.record(), {}));
  }
}

TEST(ConsoleSimulator, BadChecksumsAreRejectedAtTheirRate) {
  ConsoleSimulator sim(options(9, 0.3, 0));
  int bad = 0;
  const int n = 3000;
  for (int i = 0; i < n; ++i) {
    const Transmission t = sim.next();
    StationData d;
    const bool accepted = decodeGroup(t.kind, std::span(t.bytes).subspan(1), d);
    EXPECT_EQ(accepted, t.checksumOk);
    bad += !t.checksumOk;
  }
  EXPECT_NEAR(bad / double(n), 0.3, 0.04);
}

// Noise before the groups goes through the framer like the real line:
// the groups still arrive and decode, apart from the few that a noise byte
// equal to a group byte swallows.
TEST(ConsoleSimulator, GroupsSurviveLineNoise) {
  ConsoleSimulator sim(options(4, 0, 0.5));
  StationData data;
  GroupStream stream(data);
  int good = 0;
  stream.setGroupHandler([&good](GroupKind, bool ok) { good += ok; });
  const int n = 2000;
  int noisy = 0;
  size_t noiseBytes = 0;
  for (int i = 0; i < n; ++i) {
    const Transmission t = sim.next();
    noisy += t.noiseBytes > 0;
    noiseBytes += t.noiseBytes;
    ASSERT_EQ(t.bytes.size(), t.noiseBytes + groupLength(t.kind));
    stream.feed(t.bytes);
  }
  EXPECT_NEAR(noisy / double(n), 0.5, 0.05);
  EXPECT_LE(noiseBytes, 8u * noisy);
  EXPECT_GT(good, n * 95 / 100);
  EXPECT_LE(good, n + 2);  // a false group passes a checksum once in 256 tries
}

}  // namespace
}  // namespace tavik
