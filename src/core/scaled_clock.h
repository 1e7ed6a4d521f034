// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string_view>

#include "common/clock.h"

namespace tavik {

// Local wall time that runs `factor` times as fast as the real one, from
// `start` (the moment of creation when none is given) on. Only the soak
// benchmark and the end-to-end tests run the programs with it.
class ScaledClock final : public Clock {
 public:
  explicit ScaledClock(int factor, std::optional<LocalDateTime> start = std::nullopt);
  LocalDateTime now() const override;
  long long steadyMilliseconds() const override;
  int speedUp() const override { return factor_; }

 private:
  int factor_;
  LocalDateTime start_;
  std::chrono::steady_clock::time_point startTick_;
};

// The system clock, or a ScaledClock when TAVIK_TIME_SCALE=N asks for a
// clock (and timers) N times as fast, or TAVIK_CLOCK_START names the local
// moment the clock starts at (unattended runs and tests only, so that a run
// meets the hours it needs whenever it happens). A scale below 2 or not a
// number runs at the real speed; a start that cannot be read is said on
// standard error and not used.
std::unique_ptr<Clock> makeClock();

}  // namespace tavik
