// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_timers.h"

#include <algorithm>
#include <utility>

#include "core/clockwork.h"

namespace tavik {

ClockworkTimers::ClockworkTimers(Clockwork& clockwork, int speedUp, QObject* parent)
    : QObject(parent), clockwork_(clockwork), speedUp_(std::max(1, speedUp)) {
  Clockwork& cw = clockwork_;
  connect(&importtimer_, &QTimer::timeout, this, [&cw] { cw.importtimerTimer(); });
  connect(&readtimer_, &QTimer::timeout, this, [&cw] { cw.readtimerTimer(); });
  connect(&logtimer_, &QTimer::timeout, this, [&cw] { cw.logtimerTimer(); });
  connect(&minutencount_, &QTimer::timeout, this, [&cw] { cw.minutencountTimer(); });
  connect(&tmrSekunden_, &QTimer::timeout, this, [&cw] { cw.tmrSekundenTimer(); });
  clockwork_.onTimersChanged = [this] { sync(); };
  sync();
}

ClockworkTimers::~ClockworkTimers() { clockwork_.onTimersChanged = nullptr; }

void ClockworkTimers::sync() {
  const TimerStates s = clockwork_.timerStates();
  const std::pair<QTimer*, TimerState> timers[] = {{&importtimer_, s.importtimer},
                                                   {&readtimer_, s.readtimer},
                                                   {&logtimer_, s.logtimer},
                                                   {&minutencount_, s.minutencount},
                                                   {&tmrSekunden_, s.tmrSekunden}};
  for (const auto& [timer, state] : timers) {
    if (!state.fires()) {
      timer->stop();
      continue;
    }
    const int interval = std::max(1, state.periodMs / speedUp_);
    if (!timer->isActive() || timer->interval() != interval) timer->start(interval);
  }
}

}  // namespace tavik
