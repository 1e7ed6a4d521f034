// SPDX-License-Identifier: GPL-3.0-or-later
// What the plausibility check costs: the framer with the decoders alone
// against the GroupStream with the check, on the console's stream and on
// random bytes; and a whole simulated year on a clean line with the groups
// the check refused (goal: none).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "sim/console_simulator.h"
#include "station/group_framer.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

// About 4 MB of the console's stream with a little noise and a few bad
// checksums; argument 1 gives 4 MB of random bytes instead.
const std::vector<uint8_t>& stream(int64_t which) {
  static const std::vector<uint8_t> console = [] {
    ConsoleSimulator sim(SimulatorOptions{.seed = 42, .badChecksums = 0.01, .noise = 0.01});
    std::vector<uint8_t> bytes;
    while (bytes.size() < 4'000'000) {
      const Transmission t = sim.next();
      bytes.insert(bytes.end(), t.bytes.begin(), t.bytes.end());
    }
    return bytes;
  }();
  static const std::vector<uint8_t> random = [] {
    std::mt19937_64 rng(7);
    std::vector<uint8_t> bytes(4'000'000);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
    return bytes;
  }();
  return which == 0 ? console : random;
}

template <typename Feed>
void feedAll(const std::vector<uint8_t>& bytes, Feed&& feed) {
  constexpr size_t kChunk = 1024;
  const std::span<const uint8_t> all(bytes);
  for (size_t at = 0; at < all.size(); at += kChunk)
    feed(all.subspan(at, std::min(kChunk, all.size() - at)));
}

// The stream as it was decoded before the check: every right checksum
// straight into the record.
void DecodeWithoutCheck(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = stream(state.range(0));
  for (auto _ : state) {
    StationData data;
    GroupFramer framer;
    framer.setHandler(
        [&data](const GroupFramer::Candidate& c) { decodeGroup(c.kind, c.body, data); });
    feedAll(bytes, [&framer](std::span<const uint8_t> chunk) { framer.feed(chunk); });
    benchmark::DoNotOptimize(data.weather);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(DecodeWithoutCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void DecodeWithCheck(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = stream(state.range(0));
  const ManualClock clock(LocalDateTime{2026, 5, 1, 12, 0, 0, 0});
  for (auto _ : state) {
    StationData data;
    GroupStream groupStream(data, clock);
    feedAll(bytes, [&groupStream](std::span<const uint8_t> chunk) { groupStream.feed(chunk); });
    benchmark::DoNotOptimize(data.weather);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(DecodeWithCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A year of the simulator's clean line, group by group, the clock following
// the console's time. Counters: the groups refused (goal 0), the groups that
// entered the record and the extremes the weather reached.
void CleanYear(benchmark::State& state) {
  for (auto _ : state) {
    ConsoleSimulator sim(SimulatorOptions{.seed = static_cast<uint64_t>(state.range(0))});
    StationData data;
    ManualClock clock(LocalDateTime{2026, 1, 1, 0, 0, 0, 0});
    GroupStream groupStream(data, clock);
    double entered = 0, maxWind = 0, maxRate = 0, groups = 0;
    groupStream.setGroupHandler([&](GroupKind kind, bool) {
      entered += groupStream.lastEntered();
      if (kind == GroupKind::GCF) maxWind = std::max<double>(maxWind, data.weather.Wind.Speed);
      if (kind == GroupKind::GBF) maxRate = std::max<double>(maxRate, data.weather.Rain.Rate);
    });
    double sent = 0;
    while (sent < 365 * 86400.0) {
      const Transmission t = sim.next();
      clock.advanceSeconds(static_cast<long long>(t.at - sent));
      sent = static_cast<double>(static_cast<long long>(t.at));
      groupStream.feed(t.bytes);
      ++groups;
    }
    double refused = 0;
    for (uint32_t r : data.verdicts.refused) refused += r;
    state.counters["groups"] = groups;
    state.counters["refused"] = refused;
    state.counters["entered"] = entered;
    state.counters["maxWind_ms"] = maxWind / 10;
    state.counters["maxRainRate_mmh"] = maxRate;
  }
}
BENCHMARK(CleanYear)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tavik
