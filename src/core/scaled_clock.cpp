// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scaled_clock.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
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

namespace {

// The leading number of a TAVIK_TIME_SCALE text; 1 for none, one below 1 or
// one out of range.
int timeScale(const char* text) {
  int scale = 1;
  if (std::from_chars(text, text + std::strlen(text), scale).ec != std::errc()) return 1;
  return std::max(1, scale);
}

}  // namespace

std::unique_ptr<Clock> makeClock() {
  const char* scaleText = std::getenv("TAVIK_TIME_SCALE");
  const int scale = scaleText ? timeScale(scaleText) : 1;
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
