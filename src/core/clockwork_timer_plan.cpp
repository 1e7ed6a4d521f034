// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_timer_plan.h"

#include "common/regional.h"

namespace tavik {

namespace {

size_t indexOf(ProductTimer timer) { return static_cast<size_t>(timer); }

}  // namespace

TimerPlan::TimerPlan(const Settings& settings, const Clock& clock)
    : settings_(settings), clock_(clock), applied_(productStates()) {
  // The log timer runs from the start.
  startedAt_.fill(clock.steadyMilliseconds());
}

TimerStates TimerPlan::states() const {
  const auto [import, read, log] = productStates();
  return {.importtimer = import,
          .readtimer = read,
          .logtimer = log,
          .minutencount = {activationRunning_, kMinutePeriodMs},
          .tmrSekunden = {activationRunning_, kSecondPeriodMs}};
}

std::array<TimerState, TimerPlan::kProductTimers> TimerPlan::productStates() const {
  return {TimerState{importRunning_, period(ProductTimer::Import)},
          TimerState{readRunning_, period(ProductTimer::Read)},
          TimerState{logRunning_, period(ProductTimer::Log)}};
}

bool TimerPlan::setActivation(bool running) {
  const TimerStates before = states();
  activationRunning_ = importRunning_ = readRunning_ = running;
  return states() != before;
}

void TimerPlan::takeOver(const TimerRunning& running) {
  importRunning_ = running.importtimer.value_or(importRunning_);
  readRunning_ = running.readtimer.value_or(readRunning_);
  logRunning_ = running.logtimer.value_or(logRunning_);
}

void TimerPlan::applied() {
  const std::array<TimerState, kProductTimers> now = productStates();
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] != applied_[i]) startedAt_[i] = clock_.steadyMilliseconds();
  }
  applied_ = now;
}

void TimerPlan::fired(ProductTimer timer) {
  startedAt_[indexOf(timer)] = clock_.steadyMilliseconds();
}

int32_t TimerPlan::period(ProductTimer timer) const {
  const int32_t ms = timer == ProductTimer::Import ? settings_.ImportInterval
                     : timer == ProductTimer::Read ? settings_.ReadInterval
                                                   : settings_.LogInterval;
  // Negative periods never fire, like 0.
  return ms > 0 ? ms : 0;
}

// A period under a minute shows its seconds ("0:15"), one that is no whole
// number of minutes its minutes and seconds; the time left is rounded up to a
// whole second, so the text never reads 0:00 before the timer fired.
std::string TimerPlan::countdownText(const char* label, ProductTimer timer) const {
  const int32_t periodMs = period(timer);
  const long long elapsedMs = clock_.steadyMilliseconds() - startedAt_[indexOf(timer)];
  const long long leftMs = periodMs - (elapsedMs < 0 ? 0 : elapsedMs % periodMs);
  const long long left = (leftMs + 999) / 1000;
  return std::string(label) + std::to_string(left / 60) + ":" +
         twoDigits(static_cast<int>(left % 60));
}

}  // namespace tavik
