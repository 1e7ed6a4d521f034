// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_timers.h"

#include <algorithm>
#include <utility>

#include "core/clockwork.h"

namespace tavik {

ClockworkTimers::ClockworkTimers(Clockwork& clockwork, int speedUp, QObject* parent)
    : QObject(parent), clockwork_(clockwork), speedUp_(std::max(1, speedUp)) {
  Clockwork& cw = clockwork_;
  const auto wire = [this](QTimer& timer, const char* name, auto tick) {
    timer.setObjectName(QString::fromLatin1(name));
    connect(&timer, &QTimer::timeout, this, tick);
  };
  wire(importtimer_, "importtimer", [&cw] { cw.importtimerTimer(); });
  wire(readtimer_, "readtimer", [&cw] { cw.readtimerTimer(); });
  wire(logtimer_, "logtimer", [&cw] { cw.logtimerTimer(); });
  wire(minutencount_, "minutencount", [&cw] { cw.minutencountTimer(); });
  wire(tmrSekunden_, "tmrSekunden", [&cw] { cw.tmrSekundenTimer(); });
  clockwork_.onTimersChanged = [this] { sync(); };
  sync();
}

ClockworkTimers::~ClockworkTimers() { clockwork_.onTimersChanged = nullptr; }

int ClockworkTimers::interval(int periodMs) const { return std::max(1, periodMs / speedUp_); }

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
    const int wanted = interval(state.periodMs);
    if (!timer->isActive() || timer->interval() != wanted) timer->start(wanted);
  }
}

}  // namespace tavik
