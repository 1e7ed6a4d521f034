// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole streams through the framer and the plausibility check, for the tests
// (short runs) and for bench/long_checks.cpp (the full sizes): hostile bytes
// must never put an impossible value into the record, and the simulator's
// clean line, its fronts, storms and cloudbursts included, must never lose a
// genuine group to the check.

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "common/clock.h"
#include "sim/console_simulator.h"
#include "station/group_stream.h"
#include "station/plausibility_rules.h"

namespace tavik::streams {

inline bool seen(const StationState& s, GroupKind kind) {
  const std::array<bool, 5> flags = {s.seen8F, s.seen9F, s.seenAF, s.seenBF, s.seenCF};
  return flags[static_cast<size_t>(groupIndex(kind))];
}

// The fields of every kind in the record that lie outside their range.
inline std::vector<std::string> impossibleValues(const StationData& d) {
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
  WatchedStation(const WatchedStation&) = delete;
  WatchedStation& operator=(const WatchedStation&) = delete;

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

// The console's clock in every simulated run: the weather of a seed is the
// same whatever day the run is made.
inline constexpr double kSimulatedClockStart = 120 * 86400.0;  // 1 May

// An hour of the console's clean line, in the console's rhythm on `clock`.
inline void feedRealData(WatchedStation& s, uint64_t seed) {
  ConsoleSimulator sim(SimulatorOptions{.seed = seed, .clockStart = kSimulatedClockStart});
  for (int i = 0; i < 6 * 360; ++i) {
    const Transmission t = sim.next();
    s.stream.feed(t.bytes);
    if (i % 6 == 5) s.clock.advanceSeconds(10);
  }
}

inline std::vector<uint8_t> randomBytes(size_t n, uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
  return bytes;
}

inline std::vector<uint8_t> startBytes(size_t n, uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(kGroupKinds[rng() % 5]);
  return bytes;
}

// One hostile stream and what the record made of it.
struct HostileRun {
  std::string name;
  std::vector<std::string> impossible;  // during the noise and the real data after it
  uint64_t rightChecksums = 0;          // chance candidates that passed their checksums
  uint32_t refusals = 0;
  uint64_t entered = 0;
  bool takenAgain = false;  // every kind in the record again from real data after an hour
};

// Random bytes and runs of group bytes (`bytes` of each, drawn from
// `seed`), from a fresh start and after an hour of real data; then, an hour
// later, an hour of real data again.
inline std::vector<HostileRun> hostileRuns(size_t bytes, uint64_t seed) {
  struct Case {
    const char* name;
    std::vector<uint8_t> (*make)(size_t, uint64_t);
    bool afterRealData;
  };
  std::vector<HostileRun> runs;
  for (const Case& c : {Case{"random bytes", randomBytes, false},
                        Case{"random bytes after real data", randomBytes, true},
                        Case{"start bytes", startBytes, false},
                        Case{"start bytes after real data", startBytes, true}}) {
    WatchedStation s;
    if (c.afterRealData) feedRealData(s, 5);
    const uint64_t enteredBefore = s.entered;
    s.feed(c.make(bytes, seed));
    HostileRun run{c.name, {}, s.rightChecksums, s.refusals(), s.entered - enteredBefore, false};
    s.clock.advanceSeconds(3600);
    feedRealData(s, 6);
    run.takenAgain = s.data.state.allSeen();
    run.impossible = s.impossible;
    runs.push_back(std::move(run));
  }
  return runs;
}

// The simulator's clean line of one seed, group by group.
struct CleanRun {
  std::array<uint32_t, 5> refused{};
  uint64_t groups = 0;
  uint64_t entered = 0;
  bool checksumsRight = true;
  int maxWind = 0;      // tenths of m/s
  int maxRate = 0;      // mm/h
  int fastestFall = 0;  // tenths of a degree within 40 minutes
};

inline CleanRun cleanRun(uint64_t seed, uint64_t groups) {
  ConsoleSimulator sim(SimulatorOptions{.seed = seed, .clockStart = kSimulatedClockStart});
  WatchedStation s;
  CleanRun run;
  run.groups = groups;
  std::vector<int32_t> tempEveryMinute;
  s.stream.setGroupHandler([&](GroupKind kind, bool ok) {
    run.checksumsRight = run.checksumsRight && ok;
    run.entered += s.stream.lastEntered();
    const WeatherRecord& w = s.data.weather;
    if (kind == GroupKind::GCF) run.maxWind = std::max<int>(run.maxWind, w.Wind.Speed);
    if (kind == GroupKind::GBF) run.maxRate = std::max<int>(run.maxRate, w.Rain.Rate);
  });
  for (uint64_t i = 0; i < groups; ++i) {
    s.stream.feed(sim.next().bytes);
    // The clock runs slower than the console's (one second a group, six
    // groups in ten seconds), which only makes the limits tighter.
    s.clock.advanceSeconds(1);
    if (i % 36 == 0) {  // one sample a minute of the console's time
      tempEveryMinute.push_back(s.data.weather.TempOut.Current);
      const size_t n = tempEveryMinute.size();
      if (n > 40)
        run.fastestFall =
            std::max(run.fastestFall, tempEveryMinute[n - 41] - tempEveryMinute[n - 1]);
    }
  }
  run.refused = s.data.verdicts.refused;
  return run;
}

}  // namespace tavik::streams
