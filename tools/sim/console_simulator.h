// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "station/decoders.h"
#include "weather_model.h"

namespace tavik {

struct SimulatorOptions {
  uint64_t seed = 1;
  double badChecksums = 0;  // probability that a group is sent with a wrong checksum
  double noise = 0;         // probability of a few random bytes before a group
  // Where the console's clock starts, seconds since 1 January 00:00; none:
  // a moment drawn from the seed.
  std::optional<double> clockStart = std::nullopt;
};

// One transmission of the console: optional line noise, then one group.
struct Transmission {
  double at = 0;  // simulated seconds since the start
  GroupKind kind = GroupKind::G8F;
  bool checksumOk = true;
  size_t noiseBytes = 0;
  std::vector<uint8_t> bytes;  // the noise bytes followed by the group
};

// The line --truth writes for a transmission whose first byte has the stream
// offset `at`: the offset of the group byte, the group byte in hex, "ok" or
// "bad" (checksum made wrong on purpose), and the noise as OFFSET+LENGTH or
// "-". For example "1234 BF bad 1230+4".
std::string truthLine(uint64_t at, const Transmission& t);

// The console's side of the line: the weather model encoded into groups in the
// console's rhythm (wind every 5 s, each other kind every 10 s). Checksum
// errors and noise are drawn from their own random numbers, so the weather of
// a seed is the same whatever they are set to.
class ConsoleSimulator {
 public:
  explicit ConsoleSimulator(const SimulatorOptions& options);

  Transmission next();

  // The weather as of the last transmission.
  const WeatherRecord& record() const { return model_.record(); }

 private:
  SimulatorOptions options_;
  WeatherModel model_;
  std::mt19937_64 lineRng_;
  uint64_t sent_ = 0;
};

}  // namespace tavik
