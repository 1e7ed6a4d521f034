// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_texts.h"

#include "common/regional.h"
#include "core/clockwork_schedule.h"
#include "core/clockwork_timer_plan.h"

namespace tavik {

namespace {

// "APRS: 4:07": the minutes still to go and the seconds of the running minute,
// for the products that count whole minutes. A countdown that has run out
// waits for its minute tick, which is less than a minute away.
std::string minuteCountdownText(const char* label, uint16_t countdown, const std::string& seconds) {
  return std::string(label) + std::to_string(countdown == 0 ? 0 : countdown - 1) + ":" + seconds;
}

// "Laufzeit: 1:02:05"; the hours grow without limit.
std::string runTimeText(uint32_t seconds) {
  return "Laufzeit: " + std::to_string(seconds / 3600) + ":" +
         twoDigits(static_cast<int>(seconds / 60 % 60)) + ":" +
         twoDigits(static_cast<int>(seconds % 60));
}

// "Import: 4:07" while the timer has a period, "Kein Import" without one.
std::string timerText(const TimerPlan& timers, ProductTimer timer, const char* label,
                      const char* none) {
  return timers.period(timer) == 0 ? none : timers.countdownText(label, timer);
}

}  // namespace

void StatusTexts::restartSecond() { secondCountdown_ = kSecondCountdownStart; }

void StatusTexts::secondPassed() {
  secondCountdown_ = secondCountdown_ == 0 ? kSecondCountdownStart : secondCountdown_ - 1;
  ++activeSeconds_;
}

void StatusTexts::update(bool active, const TimerPlan& timers, const ProductSchedule& schedule) {
  caption_ = active ? "Tavik Output - Aktiv" : "Tavik Output - Inaktiv";
  const std::string ss = twoDigits(secondCountdown_);
  panels_[0] = timerText(timers, ProductTimer::Import, "Import: ", "Kein Import");
  panels_[1] = timerText(timers, ProductTimer::Read, "Read: ", "Kein Read");
  panels_[2] = timerText(timers, ProductTimer::Log, "Wetterlog: ", "Kein Log");
  panels_[3] = schedule.aprsMinutes() == 0
                   ? "Kein APRS"
                   : minuteCountdownText("APRS: ", schedule.aprs().left, ss);
  panels_[4] = runTimeText(activeSeconds_);
  // Inactive, the minutes do not run: the panel shows no countdown.
  webPanel_ = schedule.webMinutes() == 0 ? "Kein Web"
              : active                   ? minuteCountdownText("Web: ", schedule.web().left, ss)
                                         : "Web: –";
}

const std::string& StatusTexts::panelText(int i) const {
  return panels_.at(static_cast<size_t>(i - 1));
}

}  // namespace tavik
