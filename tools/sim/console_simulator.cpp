// SPDX-License-Identifier: GPL-3.0-or-later
#include "console_simulator.h"

#include <array>
#include <cstdio>

#include "group_encoder.h"

namespace tavik {
namespace {

// One ten-second cycle of the console: when each group goes out.
struct Slot {
  double offset;
  GroupKind kind;
};
constexpr std::array<Slot, 6> kCycle = {{{0, GroupKind::GCF},
                                         {1, GroupKind::G8F},
                                         {3, GroupKind::G9F},
                                         {5, GroupKind::GCF},
                                         {6, GroupKind::GAF},
                                         {8, GroupKind::GBF}}};
constexpr double kCycleSeconds = 10;

}  // namespace

std::string truthLine(uint64_t at, const Transmission& t) {
  char line[64];
  const auto groupAt = static_cast<unsigned long long>(at + t.noiseBytes);
  const int n = std::snprintf(line, sizeof line, "%llu %02X %s ", groupAt,
                              static_cast<unsigned>(t.kind), t.checksumOk ? "ok" : "bad");
  std::string text(line, static_cast<size_t>(n));
  text += t.noiseBytes == 0 ? "-" : std::to_string(at) + "+" + std::to_string(t.noiseBytes);
  return text + "\n";
}

ConsoleSimulator::ConsoleSimulator(const SimulatorOptions& options)
    : options_(options),
      model_(options.seed, options.clockStart),
      lineRng_(options.seed ^ 0x6c696e65u) {}

Transmission ConsoleSimulator::next() {
  const Slot& slot = kCycle[sent_ % kCycle.size()];
  Transmission t;
  t.at = static_cast<double>(sent_ / kCycle.size()) * kCycleSeconds + slot.offset;
  t.kind = slot.kind;
  ++sent_;
  model_.advance(t.at - model_.elapsedSeconds());

  std::uniform_real_distribution<double> chance(0, 1);
  if (chance(lineRng_) < options_.noise) {
    t.noiseBytes = std::uniform_int_distribution<size_t>(1, 8)(lineRng_);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t i = 0; i < t.noiseBytes; ++i)
      t.bytes.push_back(static_cast<uint8_t>(byte(lineRng_)));
  }
  std::vector<uint8_t> group = encodeGroup(slot.kind, model_.record());
  if (chance(lineRng_) < options_.badChecksums) {
    corruptChecksum(group);
    t.checksumOk = false;
  }
  t.bytes.insert(t.bytes.end(), group.begin(), group.end());
  return t;
}

}  // namespace tavik
