// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/clock.h"
#include "settings/settings.h"
#include "settings/takeover.h"

namespace tavik {

// Whether one of the main window's timers should run, and its period. A timer
// fires only when it runs with a period above 0; the window never starts a
// QTimer at 0.
struct TimerState {
  bool running = false;
  int32_t periodMs = 0;

  bool fires() const { return running && periodMs > 0; }
  friend bool operator==(const TimerState&, const TimerState&) = default;
};

struct TimerStates {
  TimerState importtimer;
  TimerState readtimer;
  TimerState logtimer;
  TimerState minutencount;
  TimerState tmrSekunden;

  friend bool operator==(const TimerStates&, const TimerStates&) = default;
};

// The product timers (import, read, log).
enum class ProductTimer : size_t { Import, Read, Log };

// Which of the five timers run and at what periods, and where each product
// timer stands in its period, for its countdown. The periods are the settings
// ImportInterval, ReadInterval and LogInterval (ms), read when needed; the
// log timer runs from the start, the others with the activation or as a
// settings dialog sets them.
class TimerPlan {
 public:
  static constexpr int32_t kSecondPeriodMs = 1000;
  static constexpr int32_t kMinutePeriodMs = 60000;

  TimerPlan(const Settings& settings, const Clock& clock);

  TimerStates states() const;
  // The activation's timers (import, read, second and minute) run or stop;
  // whether any state changed.
  bool setActivation(bool running);
  // A settings dialog set these timers running or stopped.
  void takeOver(const TimerRunning& running);
  // The window restarts the timers whose state changed since it last
  // applied them: their countdowns start over now.
  void applied();
  // A product timer fired: its countdown starts over.
  void fired(ProductTimer timer);

  // A period as the timers use it: 0 for a setting of 0 or below.
  int32_t period(ProductTimer timer) const;
  // "Import: 4:07": the time until the product timer fires next, counted from
  // its last start or tick with the injected clock; for a period above 0.
  std::string countdownText(const char* label, ProductTimer timer) const;

 private:
  static constexpr size_t kProductTimers = 3;
  std::array<TimerState, kProductTimers> productStates() const;

  const Settings& settings_;
  const Clock& clock_;
  bool activationRunning_ = false;
  bool importRunning_ = false;
  bool readRunning_ = false;
  bool logRunning_ = true;
  // The product timers as the window last applied them, and the moment on
  // the clock's steady milliseconds each started or last fired at.
  std::array<TimerState, kProductTimers> applied_{};
  std::array<long long, kProductTimers> startedAt_{};
};

}  // namespace tavik
