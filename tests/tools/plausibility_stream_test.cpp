// SPDX-License-Identifier: GPL-3.0-or-later
// Whole streams through the framer and the plausibility check: hostile bytes
// must never put an impossible value into the record, and the simulator's
// clean line, its fronts, storms and cloudbursts included, must never lose a
// genuine group to the check.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "sim/console_simulator.h"
#include "station/group_stream.h"
#include "station/plausibility_rules.h"
#include "tool_process.h"

namespace tavik {
namespace {

// A tenth of the 10 MB the one-off run takes, to keep the test short.
constexpr size_t kHostileBytes = 1'000'000;

bool seen(const StationState& s, GroupKind kind) {
  const std::array<bool, 5> flags = {s.seen8F, s.seen9F, s.seenAF, s.seenBF, s.seenCF};
  return flags[static_cast<size_t>(groupIndex(kind))];
}

// The fields of every kind in the record that lie outside their range.
std::vector<std::string> impossibleValues(const StationData& d) {
  std::vector<std::string> out;
  for (GroupKind kind : kGroupKinds) {
    if (!seen(d.state, kind)) continue;
    for (const FieldRule& rule : fieldRules(kind)) {
      const int32_t v = rule.value(d.weather);
      if (v < rule.min || v > rule.max)
        out.push_back(std::string(rule.path) + "=" + std::to_string(v));
    }
  }
  return out;
}

// A station fed through a GroupStream that looks at the record after every
// group and keeps what it found.
struct WatchedStation {
  StationData data;
  ManualClock clock{LocalDateTime{2026, 3, 1, 8, 0, 0, 0}};
  GroupStream stream{data, clock};
  std::vector<std::string> impossible;
  uint64_t rightChecksums = 0;
  uint64_t entered = 0;

  WatchedStation() {
    stream.setGroupHandler([this](GroupKind, bool ok) {
      rightChecksums += ok;
      if (!stream.lastEntered()) return;  // the record did not change
      ++entered;
      for (std::string& v : impossibleValues(data)) impossible.push_back(std::move(v));
    });
  }
  // Feeds in pieces of 4096 bytes, the clock one second on for each.
  void feed(const std::vector<uint8_t>& bytes) {
    for (size_t at = 0; at < bytes.size(); at += 4096) {
      stream.feed(std::span(bytes).subspan(at, std::min<size_t>(4096, bytes.size() - at)));
      clock.advanceSeconds(1);
    }
  }
  uint32_t refusals() const {
    uint32_t sum = 0;
    for (uint32_t r : data.verdicts.refused) sum += r;
    return sum;
  }
};

// An hour of the console's clean line, in the console's rhythm on `clock`.
void feedRealData(WatchedStation& s, uint64_t seed) {
  ConsoleSimulator sim(SimulatorOptions{.seed = seed});
  for (int i = 0; i < 6 * 360; ++i) {
    const Transmission t = sim.next();
    s.stream.feed(t.bytes);
    if (i % 6 == 5) s.clock.advanceSeconds(10);
  }
}

std::vector<uint8_t> randomBytes(size_t n, uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
  return bytes;
}

std::vector<uint8_t> startBytes(size_t n, uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(kGroupKinds[rng() % 5]);
  return bytes;
}

TEST(HostileStream, NoImpossibleValueReachesTheRecordFromAFreshStartOrAfterRealData) {
  struct Case {
    const char* name;
    std::vector<uint8_t> (*make)(size_t, uint64_t);
    bool afterRealData;
  };
  for (const Case& c : {Case{"random bytes", randomBytes, false},
                        Case{"random bytes after real data", randomBytes, true},
                        Case{"start bytes", startBytes, false},
                        Case{"start bytes after real data", startBytes, true}}) {
    WatchedStation s;
    if (c.afterRealData) feedRealData(s, 5);
    const uint64_t enteredBefore = s.entered;
    s.feed(c.make(kHostileBytes, 17));
    EXPECT_EQ(s.impossible, std::vector<std::string>{}) << c.name;
    // The check had work to do: chance candidates passed their checksums.
    EXPECT_GT(s.rightChecksums, 50u) << c.name;
    EXPECT_GT(s.refusals(), 0u) << c.name;
    std::cout << c.name << ": " << s.rightChecksums << " right checksums, " << s.refusals()
              << " refused, " << s.entered - enteredBefore << " entered\n";
    // Real data afterwards is taken again within two groups of each kind.
    s.clock.advanceSeconds(3600);
    feedRealData(s, 6);
    EXPECT_TRUE(s.data.state.allSeen()) << c.name;
    EXPECT_EQ(s.impossible, std::vector<std::string>{}) << c.name;
  }
}

// The simulator's weather over many days, sent with --truth on a clean line:
// every group it sent arrives and enters the record, but for the first of
// each kind, which waits for the second; and the weather had its extremes.
TEST(CleanLine, NoGenuineGroupIsRefusedThroughFrontsStormsAndCloudbursts) {
  const test::TempDir dir;
  const std::string bytesPath = dir / "line.bin", truthPath = dir / "line.truth";
  // Some six days of a seed that brings a front, a storm and a cloudburst;
  // bench/plausibility_bench.cpp runs whole years.
  constexpr uint64_t kGroups = 300'000;
  const test::ToolResult r =
      test::runTool({TAVIK_SIM_EXE, "--seed", "4", "--count", std::to_string(kGroups), "--out",
                     bytesPath, "--truth", truthPath});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string line = test::readWholeFile(bytesPath);
  std::vector<uint64_t> offsets;
  std::ifstream truth(truthPath);
  for (std::string text; std::getline(truth, text);) offsets.push_back(std::stoull(text));
  ASSERT_EQ(offsets.size(), kGroups);

  WatchedStation s;
  int maxWind = 0, maxRate = 0, fastestFall = 0;
  std::vector<int32_t> tempEveryMinute;
  s.stream.setGroupHandler([&](GroupKind kind, bool ok) {
    ASSERT_TRUE(ok);
    s.entered += s.stream.lastEntered();
    const WeatherRecord& w = s.data.weather;
    if (kind == GroupKind::GCF) maxWind = std::max<int>(maxWind, w.Wind.Speed);
    if (kind == GroupKind::GBF) maxRate = std::max<int>(maxRate, w.Rain.Rate);
  });
  const auto* bytes = reinterpret_cast<const uint8_t*>(line.data());
  for (size_t i = 0; i < offsets.size(); ++i) {
    const size_t end = i + 1 < offsets.size() ? offsets[i + 1] : line.size();
    s.stream.feed(std::span(bytes + offsets[i], end - offsets[i]));
    // The clock runs slower than the console's (one second a group, six
    // groups in ten seconds), which only makes the limits tighter.
    s.clock.advanceSeconds(1);
    if (i % 36 == 0) {  // one sample a minute of the console's time
      tempEveryMinute.push_back(s.data.weather.TempOut.Current);
      const size_t n = tempEveryMinute.size();
      if (n > 40)
        fastestFall = std::max(fastestFall, tempEveryMinute[n - 41] - tempEveryMinute[n - 1]);
    }
  }
  EXPECT_EQ(s.data.verdicts.refused, (std::array<uint32_t, 5>{}));
  EXPECT_EQ(s.entered, kGroups - 5);
  // The extremes: a storm's gust of 25 m/s, a cloudburst of 80 mm/h and a
  // front's fall of 5 degrees within the 40 minutes of sampled time.
  std::cout << "strongest wind " << maxWind / 10.0 << " m/s, highest rain rate " << maxRate
            << " mm/h, fastest fall " << fastestFall / 10.0 << " degrees\n";
  EXPECT_GE(maxWind, 250);
  EXPECT_GE(maxRate, 80);
  EXPECT_GE(fastestFall, 50);
}

}  // namespace
}  // namespace tavik
