// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the framer with the decoders over a long simulated stream, and
// the cost of decoding one group.
#include <benchmark/benchmark.h>

#include "dump/group_line.h"
#include "sim/console_simulator.h"
#include "sim/group_encoder.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

// About 4 MB of the console's stream with a little noise and a few bad
// checksums, as a worn line would carry (some 18 days of groups).
const std::vector<uint8_t>& longStream() {
  static const std::vector<uint8_t> stream = [] {
    SimulatorOptions o;
    o.seed = 42;
    o.badChecksums = 0.01;
    o.noise = 0.01;
    ConsoleSimulator sim(o);
    std::vector<uint8_t> bytes;
    while (bytes.size() < 4'000'000) {
      const Transmission t = sim.next();
      bytes.insert(bytes.end(), t.bytes.begin(), t.bytes.end());
    }
    return bytes;
  }();
  return stream;
}

void GroupStreamThroughput(benchmark::State& state) {
  const std::vector<uint8_t>& stream = longStream();
  const auto chunk = static_cast<size_t>(state.range(0));
  int64_t groups = 0;
  for (auto _ : state) {
    StationData data;
    GroupStream groupStream(data);
    groupStream.setGroupHandler([&groups](GroupKind, bool) { ++groups; });
    const std::span<const uint8_t> all(stream);
    for (size_t at = 0; at < all.size(); at += chunk)
      groupStream.feed(all.subspan(at, std::min(chunk, all.size() - at)));
    benchmark::DoNotOptimize(data.weather);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stream.size()));
  state.counters["groups"] =
      benchmark::Counter(static_cast<double>(groups), benchmark::Counter::kIsRate);
}
BENCHMARK(GroupStreamThroughput)->Arg(1)->Arg(7)->Arg(1024)->Unit(benchmark::kMillisecond);

void DecodeOneGroup(benchmark::State& state) {
  const auto kind = kGroupKinds[static_cast<size_t>(state.range(0))];
  SimulatorOptions o;
  ConsoleSimulator sim(o);
  const std::vector<uint8_t> group = encodeGroup(kind, sim.record());
  const std::span<const uint8_t> payload = std::span(group).subspan(1);
  StationData data;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decodeGroup(kind, payload, data));
    benchmark::ClobberMemory();
  }
  state.SetLabel(groupName(kind));
}
BENCHMARK(DecodeOneGroup)->DenseRange(0, 4);

}  // namespace
}  // namespace tavik
