// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scaled_clock.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iostream>

namespace tavik {

ScaledClock::ScaledClock(int factor, std::optional<LocalDateTime> start)
    : factor_(factor),
      start_(start.value_or(SystemClock().now())),
      startTick_(std::chrono::steady_clock::now()) {}

LocalDateTime ScaledClock::now() const {
  const auto elapsed = std::chrono::steady_clock::now() - startTick_;
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  const long long scaledMs = ms * factor_ + start_.millisecond;
  LocalDateTime t = addSeconds(start_, scaledMs / 1000);
  t.millisecond = static_cast<int>(scaledMs % 1000);
  return t;
}

long long ScaledClock::steadyMilliseconds() const {
  const auto elapsed = std::chrono::steady_clock::now() - startTick_;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() * factor_;
}

std::unique_ptr<Clock> makeClock() {
  const char* scaleText = std::getenv("TAVIK_TIME_SCALE");
  const int scale = scaleText ? std::max(1, std::atoi(scaleText)) : 1;
  std::optional<LocalDateTime> start;
  if (const char* text = std::getenv("TAVIK_CLOCK_START")) {
    start = parseClockStart(text);
    if (!start) {
      std::cerr << "TAVIK_CLOCK_START=" << text
                << " ist kein Zeitpunkt der Form JJJJ-MM-TTTHH:MM[:SS] und bleibt unbeachtet."
                << std::endl;
    }
  }
  if (scale > 1 || start) return std::make_unique<ScaledClock>(scale, start);
  return std::make_unique<SystemClock>();
}

}  // namespace tavik
