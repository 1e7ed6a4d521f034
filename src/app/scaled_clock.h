#pragma once

#include <chrono>

#include "common/clock.h"

namespace tavik {

// Local wall time that runs `factor` times as fast as the real one, from the
// moment of creation on. Only the soak benchmark runs the program with it.
class ScaledClock final : public Clock {
 public:
  explicit ScaledClock(int factor);
  LocalDateTime now() const override;

 private:
  int factor_;
  LocalDateTime start_;
  std::chrono::steady_clock::time_point startTick_;
};

}  // namespace tavik
