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

int timeScaleFromEnvironment() {
  const char* scale = std::getenv("TAVIK_TIME_SCALE");
  return scale ? std::max(1, std::atoi(scale)) : 1;
}

std::optional<LocalDateTime> parseClockStart(std::string_view text) {
  // Digits at fixed places, separators between them.
  const auto number = [&](size_t at, size_t length, int& out) {
    if (at + length > text.size()) return false;
    const std::string_view digits = text.substr(at, length);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    const char* first = text.data() + at;
    const auto [end, ec] = std::from_chars(first, first + length, out);
    return ec == std::errc() && end == first + length;
  };
  const auto separator = [&](size_t at, std::string_view allowed) {
    return at < text.size() && allowed.find(text[at]) != std::string_view::npos;
  };
  if (text.size() != 16 && text.size() != 19) return std::nullopt;
  LocalDateTime t;
  const bool read = number(0, 4, t.year) && separator(4, "-") && number(5, 2, t.month) &&
                    separator(7, "-") && number(8, 2, t.day) && separator(10, "T ") &&
                    number(11, 2, t.hour) && separator(13, ":") && number(14, 2, t.minute) &&
                    (text.size() == 16 || (separator(16, ":") && number(17, 2, t.second)));
  if (!read || !isValidDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59 ||
      t.second > 59) {
    return std::nullopt;
  }
  return t;
}

std::unique_ptr<Clock> makeClock(int scale) {
  std::optional<LocalDateTime> start;
  if (const char* text = std::getenv("TAVIK_CLOCK_START")) {
    start = parseClockStart(text);
    if (!start) {
      std::cerr << "TAVIK_CLOCK_START=" << text
                << " ist kein Zeitpunkt der Form JJJJ-MM-TTTHH:MM[:SS] und bleibt unbeachtet."
                << std::endl;
    }
  }
  if (scale > 1 || start) return std::make_unique<ScaledClock>(std::max(1, scale), start);
  return std::make_unique<SystemClock>();
}

}  // namespace tavik
