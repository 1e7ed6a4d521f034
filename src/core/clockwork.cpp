// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork.h"

#include <algorithm>
#include <vector>

#include "core/product_gate.h"
#include "station/port_error.h"

namespace tavik {

namespace {

constexpr uint8_t kSecondCountdownStart = 59;
// The most wall-clock minutes a minute tick makes up for.
constexpr long long kMaxSkippedMinutes = 5;

// Minutes since 1970-01-01 00:00 of a local time.
long long minuteNumber(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

// "APRS: 4:07": the minutes still to go and the seconds of the running minute,
// for the products that count whole minutes. A countdown that has run out
// waits for its minute tick, which is less than a minute away.
std::string minuteCountdownText(const char* label, uint16_t countdown, const std::string& seconds) {
  return std::string(label) + std::to_string(countdown == 0 ? 0 : countdown - 1) + ":" + seconds;
}

constexpr long long kSecondsPerHour = 3600;
constexpr long long kSecondsPerDay = 86400;

// "Laufzeit: 1:02:05"; the hours grow without limit.
std::string runTimeText(uint32_t seconds) {
  return "Laufzeit: " + std::to_string(seconds / 3600) + ":" +
         twoDigits(static_cast<int>(seconds / 60 % 60)) + ":" +
         twoDigits(static_cast<int>(seconds % 60));
}

}  // namespace

Clockwork::Clockwork(const WeatherRecord& weather, StationState& station, const Settings& settings,
                     const ProfileTable& profiles, const Clock& clock, Notifier& notifier,
                     PortControl& port, ProductActions& products, const RegionalSettings& regional,
                     std::ostream& log)
    : weather_(weather),
      station_(station),
      settings_(settings),
      profiles_(profiles),
      clock_(clock),
      notifier_(notifier),
      port_(port),
      products_(products),
      regional_(regional),
      watch_(clock, log) {
  // The log timer runs from the start.
  const TimerStates s = timerStates();
  applied_ = {s.importtimer, s.readtimer, s.logtimer};
  startedAt_.fill(clock.steadyMilliseconds());
}

void Clockwork::toggleActive() {
  active_ = !active_;
  setActivationTimers(active_);
  secondCountdown_ = kSecondCountdownStart;
  if (active_) {
    bool opened = true;
    std::string reason;
    try {
      port_.open();
    } catch (const PortError& e) {
      opened = false;
      reason = e.what();
    } catch (...) {
      opened = false;
    }
    if (opened) {
      portFailure_.clear();
      toolButtonDown_ = true;
      // Minutes passed while inactive are not made up for.
      lastMinuteHandled_.reset();
      aprsCountdown_ = settings_.APRSIntervall;
      aprsCountdownFrom_ = settings_.APRSIntervall;
      webCountdown_ = webCountdownFrom_ = webMinutes();
    } else {
      failActivation(reason);
    }
  } else {
    if (port_.connected()) port_.close();
    toolButtonDown_ = false;
    portFailure_.clear();
  }
  watch_.setActive(active_);
  if (active_) createProductsOnActivation();
  updateStatusTexts();
}

void Clockwork::portSetupFailed(const std::string& reason) {
  failActivation(reason);
  updateStatusTexts();
}

// Back to inactive after the port could not be (re)opened. The timers stop
// before the message box, which keeps dispatching events while it is open.
// The reason, when the port gave one, is the message's second line.
void Clockwork::failActivation(const std::string& reason) {
  if (port_.connected()) port_.close();
  setActivationTimers(false);
  portFailure_ =
      port_.portName() + " kann nich geöffnet werden." + (reason.empty() ? "" : "\n" + reason);
  if (!retrying_) notifier_.notify(portFailure_, "Comport belegt", MessageButtons::OkCancel);
  active_ = false;
  toolButtonDown_ = false;
}

void Clockwork::retryActivation() {
  if (active_ || portFailure_.empty()) return;
  retrying_ = true;
  toggleActive();
  retrying_ = false;
}

void Clockwork::createProductsOnActivation() {
  // Only once every group kind has been decoded does the record hold values
  // worth publishing; the first activation after start never gets here.
  if (!recordUsable()) return;
  updateRain();
  if (settings_.autoImport) writeImportReports(1);
  if (settings_.autoRead) products_.writeProfileReport(1);
  if (settings_.autoLog) products_.writeWeatherLog();
  if (settings_.autoAPRS) products_.writeAprsFile();
}

void Clockwork::tmrSekundenTimer() {
  secondCountdown_ = secondCountdown_ == 0 ? kSecondCountdownStart : secondCountdown_ - 1;
  ++activeSeconds_;
  watch_.check();
  // The rolling spans move on with the clock, and local midnight starts a
  // new day, also while no rain group arrives.
  updateRain();
  updateStatusTexts();
}

void Clockwork::minutencountTimer() {
  auto& ring = station_.gustRing;
  std::shift_left(ring.begin(), ring.end(), 1);
  ring.back() = station_.gustMaxMinute;
  station_.gustMaxMinute = 0;

  const LocalDateTime now = clock_.now();
  const std::vector<LocalDateTime> minutes = minutesDue(now);
  updateRain();
  updateWind();

  if (aprsCountdown_ != 0) --aprsCountdown_;
  const bool usable = recordUsable();
  if (active_ && aprsCountdown_ == 0 && settings_.APRSIntervall != 0) {
    if (usable) products_.writeAprsFile();
    aprsCountdown_ = settings_.APRSIntervall;
    aprsCountdownFrom_ = settings_.APRSIntervall;
  }

  if (usable) writeScheduledProfiles(minutes);
  webMinute();

  products_.asynopMinuteTick(usable);
  products_.archiveMinuteTick(active_ && usable);
  updateStatusTexts();
}

void Clockwork::webMinute() {
  if (webCountdown_ != 0) --webCountdown_;
  if (webCountdown_ != 0) return;
  if (webMinutes() != 0 && ProductGate::of(station_, watch_.fresh()).open(GateMode::Complete)) {
    products_.writeWebPage(webStatus());
  }
  webCountdown_ = webCountdownFrom_ = webMinutes();
}

uint16_t Clockwork::webMinutes() const {
  return static_cast<uint16_t>(std::clamp<int32_t>(settings_.WebIntervall, 0, UINT16_MAX));
}

WebStatus Clockwork::webStatus() const { return {!watch_.fresh(), watch_.lastGoodGroup()}; }

void Clockwork::webNow() { products_.writeWebPage(webStatus()); }

void Clockwork::writeScheduledProfiles(const std::vector<LocalDateTime>& minutes) {
  for (const LocalDateTime& minute : minutes) {
    const std::string timeOfDay = formatDateTime("hh:nn", minute, regional_);
    for (int n = 2; n <= lastProfile(); ++n) {
      const ProfileEntry& profile = profiles_[n];
      if (!profile.WieWinGT && profile.Uhrzeit == timeOfDay) products_.writeProfileReport(n);
    }
  }
}

// The wall-clock minutes whose time-of-day steps (daily rain reset, daily
// profiles) this tick runs: its own minute, unless an earlier tick already ran
// it, and the minutes a late or early tick skipped since the last one. A timer
// is not bound to the wall clock, so without this a daily report could be
// written twice or not at all. After a jump of the clock only the current
// minute counts.
std::vector<LocalDateTime> Clockwork::minutesDue(const LocalDateTime& now) {
  const long long minute = minuteNumber(now);
  long long skipped = 0;
  if (lastMinuteHandled_) {
    if (minute == *lastMinuteHandled_) return {};
    skipped = minute - *lastMinuteHandled_ - 1;
    if (skipped < 0 || skipped > kMaxSkippedMinutes) skipped = 0;
  }
  lastMinuteHandled_ = minute;
  std::vector<LocalDateTime> due;
  for (long long k = skipped; k >= 0; --k) due.push_back(addSeconds(now, -60 * k));
  return due;
}

int Clockwork::utcOffsetMinutes(const LocalDateTime& local) const {
  return clock_.utcOffsetMinutes(local).value_or(settings_.Zeitzone * 60);
}

void Clockwork::rainGroupAccepted() {
  const LocalDateTime now = clock_.now();
  rain_.add(utcSeconds(now, utcOffsetMinutes(now)), weather_.Rain.Total);
  updateRain();
}

void Clockwork::windGroupAccepted() {
  wind_.add(clock_.steadyMilliseconds() / 1000, weather_.Wind.Speed, weather_.Wind.Dir);
  updateWind();
}

void Clockwork::updateWind() {
  const std::optional<WindMean::Mean> mean = wind_.mean(clock_.steadyMilliseconds() / 1000);
  station_.wind10min.reset();
  if (mean) {
    station_.wind10min = StationState::MeanWind{static_cast<uint16_t>(mean->speedTenths),
                                                static_cast<uint16_t>(mean->dirDegrees)};
  }
}

void Clockwork::seedRain(std::vector<RainSample> samples) {
  rain_.seed(std::move(samples));
  updateRain();
}

// Each span's rain is the counter's rise since the span's start (local
// midnight in the zone of that midnight, so that a day of 23 or 25 hours
// counts whole). A span the ledger has not seen whole counts from the first
// rain group, and rainSince says from when.
void Clockwork::updateRain() {
  const LocalDateTime now = clock_.now();
  const long long nowUtc = utcSeconds(now, utcOffsetMinutes(now));
  const LocalDateTime midnight{now.year, now.month, now.day, 0, 0, 0, 0};
  const long long midnightUtc = utcSeconds(midnight, utcOffsetMinutes(midnight));
  const auto amount = [](const std::optional<RainSum>& sum) {
    return static_cast<uint16_t>(sum ? std::clamp(sum->amount, 0, UINT16_MAX) : 0);
  };
  const std::optional<RainSum> day = rain_.since(nowUtc - kSecondsPerDay);
  station_.rainLastHour = amount(rain_.since(nowUtc - kSecondsPerHour));
  station_.rain24h = amount(day);
  station_.rainSinceMidnight = amount(rain_.since(midnightUtc));
  station_.rainSince.reset();
  if (day && !day->whole) station_.rainSince = addSeconds(now, day->fromUtcSecond - nowUtc);
}

void Clockwork::importtimerTimer() {
  startedAt_[kImport] = clock_.steadyMilliseconds();
  if (recordUsable()) writeImportReports(2);
}

void Clockwork::readtimerTimer() {
  startedAt_[kRead] = clock_.steadyMilliseconds();
  if (recordUsable()) products_.writeProfileReport(1);
}

void Clockwork::logtimerTimer() {
  startedAt_[kLog] = clock_.steadyMilliseconds();
  if (recordUsable()) products_.writeWeatherLog();
}

bool Clockwork::recordUsable() const { return ProductGate::of(station_, watch_.fresh()).open(); }

void Clockwork::importNow() { writeImportReports(1); }

// A changed APRS or web interval restarts its countdown, so that the interval
// in force counts (also one read after an activation at start) and a
// countdown started from 0 does not wait for its minute tick.
void Clockwork::periodsChanged() {
  if (settings_.APRSIntervall != aprsCountdownFrom_) {
    aprsCountdown_ = settings_.APRSIntervall;
    aprsCountdownFrom_ = settings_.APRSIntervall;
  }
  if (webMinutes() != webCountdownFrom_) webCountdown_ = webCountdownFrom_ = webMinutes();
  timersChanged();
  updateStatusTexts();
}

void Clockwork::takeOverTimers(const TimerRunning& running) {
  importRunning_ = running.importtimer.value_or(importRunning_);
  readRunning_ = running.readtimer.value_or(readRunning_);
  logRunning_ = running.logtimer.value_or(logRunning_);
  timersChanged();
}

void Clockwork::writeImportReports(int first) {
  for (int n = first; n <= lastProfile(); ++n) {
    if (profiles_[n].WieWinGT) products_.writeProfileReport(n);
  }
}

// maxprofil is an 8-bit count; the table holds 100 profiles.
int Clockwork::lastProfile() const { return std::min<int>(profiles_.maxprofil, kMaxProfiles); }

void Clockwork::updateStatusTexts() {
  caption_ = active_ ? "Tavik Output - Aktiv" : "Tavik Output - Inaktiv";
  const std::string ss = twoDigits(secondCountdown_);
  panels_[0] =
      importPeriod() == 0 ? "Kein Import" : countdownText("Import: ", kImport, importPeriod());
  panels_[1] = readPeriod() == 0 ? "Kein Read" : countdownText("Read: ", kRead, readPeriod());
  panels_[2] = logPeriod() == 0 ? "Kein Log" : countdownText("Wetterlog: ", kLog, logPeriod());
  panels_[3] = settings_.APRSIntervall == 0 ? "Kein APRS"
                                            : minuteCountdownText("APRS: ", aprsCountdown_, ss);
  panels_[4] = runTimeText(activeSeconds_);
  // Inactive, the minutes do not run: the panel shows no countdown.
  webPanel_ = webMinutes() == 0 ? "Kein Web"
              : active_         ? minuteCountdownText("Web: ", webCountdown_, ss)
                                : "Web: –";
  if (onTextsChanged) onTextsChanged();
}

const std::string& Clockwork::panelText(int i) const {
  return panels_.at(static_cast<size_t>(i - 1));
}

TimerStates Clockwork::timerStates() const {
  const bool on = activationTimersRunning_;
  return {.importtimer = {importRunning_, importPeriod()},
          .readtimer = {readRunning_, readPeriod()},
          .logtimer = {logRunning_, logPeriod()},
          .minutencount = {on, kMinutePeriodMs},
          .tmrSekunden = {on, kSecondPeriodMs}};
}

// A period under a minute shows its seconds ("0:15"), one that is no whole
// number of minutes its minutes and seconds; the time left is rounded up to a
// whole second, so the text never reads 0:00 before the timer fired.
std::string Clockwork::countdownText(const char* label, size_t timer, int32_t periodMs) const {
  const long long elapsedMs = clock_.steadyMilliseconds() - startedAt_[timer];
  const long long leftMs = periodMs - (elapsedMs < 0 ? 0 : elapsedMs % periodMs);
  const long long left = (leftMs + 999) / 1000;
  return std::string(label) + std::to_string(left / 60) + ":" +
         twoDigits(static_cast<int>(left % 60));
}

void Clockwork::setActivationTimers(bool running) {
  const TimerStates before = timerStates();
  activationTimersRunning_ = importRunning_ = readRunning_ = running;
  if (timerStates() != before) timersChanged();
}

void Clockwork::timersChanged() {
  const TimerStates s = timerStates();
  const std::array<TimerState, 3> now{s.importtimer, s.readtimer, s.logtimer};
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] != applied_[i]) startedAt_[i] = clock_.steadyMilliseconds();
  }
  applied_ = now;
  if (onTimersChanged) onTimersChanged();
}

}  // namespace tavik
