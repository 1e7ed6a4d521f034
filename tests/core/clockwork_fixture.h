// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clockwork with a manual clock, recording products and a fake port, and
// the timers the window would run, simulated second by second.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/clockwork.h"
#include "fake_port.h"

namespace tavik::testing {

// Records every product call with the wall-clock time it happened at.
class RecordingProducts final : public ProductActions {
 public:
  explicit RecordingProducts(const Clock& clock) : clock_(clock) {}
  void writeProfileReport(int n) override { record("profile " + std::to_string(n)); }
  void writeWeatherLog() override { record("log"); }
  void writeAprsFile() override { record("aprs"); }
  // Kept apart from `calls`: the web page has a timer of its own.
  void writeWebPage(const WebStatus& status) override {
    webCalls.push_back(formatDateTime("hh:nn", clock_.now(), RegionalSettings::german()) +
                       (status.stale ? " stale" : ""));
  }
  void asynopMinuteTick(bool withReportLine) override {
    ++asynopTicks;
    asynopLines += withReportLine;
  }

  int count(const std::string& what) const {
    int n = 0;
    for (const auto& c : calls) n += c == what;
    return n;
  }
  std::vector<std::string> calls;
  std::vector<std::string> times;
  std::vector<std::string> webCalls;
  int asynopTicks = 0;
  int asynopLines = 0;

 private:
  void record(const std::string& what) {
    calls.push_back(what);
    times.push_back(formatDateTime("hh:nn", clock_.now(), RegionalSettings::german()));
  }
  const Clock& clock_;
};

class HookNotifier final : public Notifier {
 public:
  void notify(const std::string& text, const std::string& caption,
              MessageButtons buttons) override {
    messages.push_back({text, caption, buttons});
    if (whileShown) whileShown();
  }
  std::vector<RecordingNotifier::Message> messages;
  std::function<void()> whileShown;
};

class ClockworkTest : public ::testing::Test {
 protected:
  void create(LocalDateTime start = {2026, 3, 14, 7, 42, 10}) {
    clock.set(start);
    cw = std::make_unique<Clockwork>(weather, station, settings, profiles, clock, notifier, port,
                                     products, RegionalSettings::german(), log);
    cw->onTimersChanged = [this] { syncTimers(); };
    syncTimers();
  }

  // Every group kind has arrived; with the clockwork created, a good group
  // arrives now too.
  void setAllSeen() {
    station.seen8F = station.seen9F = station.seenAF = station.seenBF = station.seenCF = true;
    if (cw) cw->goodGroupArrived();
  }

  // The window's part: restart a QTimer whose state or period changed.
  struct SimTimer {
    TimerState applied;
    long long dueMs = 0;
    void (Clockwork::*tick)();
  };
  void syncTimers() {
    const TimerStates s = cw->timerStates();
    const TimerState wanted[] = {s.tmrSekunden, s.minutencount, s.importtimer, s.readtimer,
                                 s.logtimer};
    for (int i = 0; i < 5; ++i) {
      if (timers[i].applied == wanted[i]) continue;
      timers[i].applied = wanted[i];
      timers[i].dueMs = nowMs + wanted[i].periodMs;
    }
  }
  // Moves the clock on second by second, fires the timers that are due, then
  // runs the test's own step. Once every group kind has arrived, the station
  // sends a good group every second unless `sending` is cleared.
  void runSeconds(long long seconds, const std::function<void()>& eachSecond = {}) {
    for (long long i = 0; i < seconds; ++i) {
      clock.advanceSeconds(1);
      nowMs += 1000;
      if (sending && station.allSeen()) cw->goodGroupArrived();
      for (auto& t : timers) {
        while (t.applied.fires() && t.dueMs <= nowMs) {
          t.dueMs += t.applied.periodMs;
          ((*cw).*t.tick)();
        }
      }
      if (eachSecond) eachSecond();
    }
  }

  WeatherRecord weather;
  StationState station;
  Settings settings;
  ProfileTable profiles;
  ManualClock clock;
  HookNotifier notifier;
  FakePort port;
  RecordingProducts products{clock};
  std::ostringstream log;
  bool sending = true;
  std::unique_ptr<Clockwork> cw;
  long long nowMs = 0;
  SimTimer timers[5] = {{{}, 0, &Clockwork::tmrSekundenTimer},
                        {{}, 0, &Clockwork::minutencountTimer},
                        {{}, 0, &Clockwork::importtimerTimer},
                        {{}, 0, &Clockwork::readtimerTimer},
                        {{}, 0, &Clockwork::logtimerTimer}};
};

}  // namespace tavik::testing
