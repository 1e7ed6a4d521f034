// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scaled_clock.h"

#include <algorithm>
#include <cstdlib>

namespace tavik {

ScaledClock::ScaledClock(int factor)
    : factor_(factor), start_(SystemClock().now()), startTick_(std::chrono::steady_clock::now()) {}

LocalDateTime ScaledClock::now() const {
  const auto elapsed = std::chrono::steady_clock::now() - startTick_;
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  const long long scaledMs = ms * factor_ + start_.millisecond;
  LocalDateTime t = addSeconds(start_, scaledMs / 1000);
  t.millisecond = static_cast<int>(scaledMs % 1000);
  return t;
}

int timeScaleFromEnvironment() {
  const char* scale = std::getenv("TAVIK_TIME_SCALE");
  return scale ? std::max(1, std::atoi(scale)) : 1;
}

std::unique_ptr<Clock> makeClock(int scale) {
  if (scale > 1) return std::make_unique<ScaledClock>(scale);
  return std::make_unique<SystemClock>();
}

}  // namespace tavik
