// SPDX-License-Identifier: GPL-3.0-or-later
// The GroupStream takes shortcuts through the plausibility check (a repeated
// group, a group that changed a few bytes). Whatever the stream, every group
// must end exactly as if it had been decoded into a copy of the record and
// judged whole.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "sim/console_simulator.h"
#include "station/group_framer.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

// What a group left behind: its verdicts and the record after it.
struct Outcome {
  GroupKind kind;
  bool ok;
  bool entered;
  WeatherRecord weather;
  std::array<bool, 5> seen;
  uint16_t gustMaxMinute;
  int16_t gustMaxMinuteDir;
  std::array<std::string, 5> cells;
  std::array<uint32_t, 5> refused;
};

Outcome outcome(GroupKind kind, bool ok, bool entered, const StationData& d) {
  const StationState& s = d.state;
  return {kind,
          ok,
          entered,
          d.weather,
          {s.seen8F, s.seen9F, s.seenAF, s.seenBF, s.seenCF},
          s.gustMaxMinute,
          s.gustMaxMinuteDir,
          d.verdicts.cells,
          d.verdicts.refused};
}

// Every good group decoded into a copy of the record, judged whole and taken
// over when the check accepts it.
class WholeJudgement {
 public:
  explicit WholeJudgement(const Clock& clock) : clock_(clock) {
    framer_.setHandler([this](const GroupFramer::Candidate& c) { handle(c); });
  }
  void feed(std::span<const uint8_t> chunk) { framer_.feed(chunk); }
  std::vector<Outcome> outcomes;
  StationData data;

 private:
  void handle(const GroupFramer::Candidate& c) {
    const auto index = static_cast<size_t>(groupIndex(c.kind));
    bool entered = false;
    bool ok = false;
    if (!c.checksumOk) {
      ok = decodeGroup(c.kind, c.body, data);
    } else {
      StationData copy = data;
      ok = decodeGroup(c.kind, c.body, copy);
      data.verdicts.cells[index] = copy.verdicts.cells[index];
      const auto j = check_.judge(c.kind, copy.weather, clock_.now());
      if (j.verdict == PlausibilityCheck::Verdict::Accepted) {
        data.weather = copy.weather;
        data.state = copy.state;
        entered = true;
      } else if (j.verdict == PlausibilityCheck::Verdict::Refused) {
        data.verdicts.refused[index] = check_.refusals()[index];
      }
    }
    outcomes.push_back(outcome(c.kind, ok, entered, data));
  }

  const Clock& clock_;
  GroupFramer framer_;
  PlausibilityCheck check_;
};

// The station under test and the whole judgement side by side on one clock.
struct SideBySide {
  explicit SideBySide(const char* streamName) : name(streamName) {
    stream.setGroupHandler([this](GroupKind kind, bool ok) {
      outcomes.push_back(outcome(kind, ok, stream.lastEntered(), data));
    });
  }
  const char* name;
  ManualClock clock{LocalDateTime{2026, 3, 1, 8, 0, 0, 0}};
  StationData data;
  GroupStream stream{data, clock};
  WholeJudgement whole{clock};
  std::vector<Outcome> outcomes;
  size_t groups = 0;
  size_t mismatches = 0;

  void feed(std::span<const uint8_t> chunk, long long seconds) {
    stream.feed(chunk);
    whole.feed(chunk);
    clock.advanceSeconds(seconds);
    ASSERT_EQ(outcomes.size(), whole.outcomes.size());
    for (size_t i = 0; i < outcomes.size(); ++i) {
      const Outcome& a = outcomes[i];
      const Outcome& b = whole.outcomes[i];
      const bool same =
          a.kind == b.kind && a.ok == b.ok && a.entered == b.entered && a.weather == b.weather &&
          a.seen == b.seen && a.gustMaxMinute == b.gustMaxMinute &&
          a.gustMaxMinuteDir == b.gustMaxMinuteDir && a.cells == b.cells && a.refused == b.refused;
      if (!same && mismatches++ < 5) {
        ADD_FAILURE() << name << ": group " << groups + i << " of kind " << groupIndex(a.kind)
                      << (a.entered ? " entered" : " kept out") << ", judged whole"
                      << (b.entered ? " entered" : " kept out")
                      << (a.weather == b.weather ? "" : ", the records differ");
      }
    }
    groups += outcomes.size();
    outcomes.clear();
    whole.outcomes.clear();
  }
};

// The console's line: `flips` of its good groups get a byte changed and the
// checksum mended, so that a group differs from the last of its kind in one
// byte, often with a value out of range or beyond a limit.
void feedConsole(SideBySide& s, const SimulatorOptions& options, int transmissions, double flips) {
  ConsoleSimulator sim(options);
  std::mt19937_64 rng(options.seed * 31 + 7);
  std::uniform_real_distribution<double> chance(0, 1);
  double sent = 0;
  for (int i = 0; i < transmissions; ++i) {
    Transmission t = sim.next();
    if (t.checksumOk && chance(rng) < flips) {
      const size_t start = t.noiseBytes;
      const size_t length = t.bytes.size() - start;
      const size_t at = start + 1 + rng() % (length - 2);
      const auto was = t.bytes[at];
      t.bytes[at] = static_cast<uint8_t>(rng());
      t.bytes.back() = static_cast<uint8_t>(t.bytes.back() + t.bytes[at] - was);
    }
    // Now and then a silence of minutes, which widens the limits.
    const long long pause = i % 997 == 996 ? 11 * 60 : 0;
    s.feed(t.bytes, static_cast<long long>(t.at - sent) + pause);
    sent = static_cast<double>(static_cast<long long>(t.at));
  }
}

void feedBytes(SideBySide& s, uint64_t seed, bool startBytesOnly, size_t n) {
  std::mt19937_64 rng(seed);
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes)
    b = startBytesOnly ? static_cast<uint8_t>(kGroupKinds[rng() % 5]) : static_cast<uint8_t>(rng());
  for (size_t at = 0; at < n; at += 4096)
    s.feed(std::span(bytes).subspan(at, std::min<size_t>(4096, n - at)), 1);
}

TEST(PlausibilityShortcuts, EveryGroupEndsAsTheWholeJudgementWouldHaveIt) {
  {
    SideBySide clean("clean");
    feedConsole(clean, SimulatorOptions{.seed = 3}, 6'000, 0);
    EXPECT_GT(clean.groups, 5'900u);
  }
  {
    SideBySide noisy("noisy");
    feedConsole(noisy, SimulatorOptions{.seed = 4, .badChecksums = 0.05, .noise = 0.05}, 6'000, 0);
  }
  {
    SideBySide changedBytes("changed bytes");
    feedConsole(changedBytes, SimulatorOptions{.seed = 5, .noise = 0.02}, 6'000, 0.2);
    uint32_t refused = 0;
    for (uint32_t r : changedBytes.data.verdicts.refused) refused += r;
    EXPECT_GT(refused, 100u) << "the changed bytes put values out of range or beyond limits";
  }
  for (const bool startBytesOnly : {false, true}) {
    SideBySide hostile(startBytesOnly ? "start bytes" : "random bytes");
    feedBytes(hostile, 11, startBytesOnly, 100'000);
    feedConsole(hostile, SimulatorOptions{.seed = 6}, 2'000, 0.1);
    feedBytes(hostile, 12, startBytesOnly, 100'000);
  }
}

}  // namespace
}  // namespace tavik
