// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork.h"

#include <algorithm>
#include <vector>

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
// for the products that count whole minutes.
std::string minuteCountdownText(const char* label, uint16_t countdown, const std::string& seconds) {
  return std::string(label) + std::to_string(static_cast<int>(countdown) - 1) + ":" + seconds;
}

// Seconds since 1970-01-01 00:00 of a local time.
long long secondNumber(const LocalDateTime& t) { return minuteNumber(t) * 60 + t.second; }

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
      watch_(clock, log),
      dailyResetTime_(formatDateTime("hhnn", clock.now(), regional)) {
  // The log timer runs from the start.
  const TimerStates s = timerStates();
  applied_ = {s.importtimer, s.readtimer, s.logtimer};
  startedAt_.fill(secondNumber(clock.now()));
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
      webCountdown_ = webMinutes();
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
  takeRainBase();
  if (settings_.autoImport) writeImportReports(1);
  if (settings_.autoRead) products_.writeProfileReport(1);
  if (settings_.autoLog) products_.writeWeatherLog();
  if (settings_.autoAPRS) products_.writeAprsFile();
}

void Clockwork::tmrSekundenTimer() {
  secondCountdown_ = secondCountdown_ == 0 ? kSecondCountdownStart : secondCountdown_ - 1;
  ++activeSeconds_;
  watch_.check();
  updateStatusTexts();
}

void Clockwork::minutencountTimer() {
  auto& ring = station_.gustRing;
  std::shift_left(ring.begin(), ring.end(), 1);
  ring.back() = station_.gustMaxMinute;
  station_.gustMaxMinute = 0;

  const LocalDateTime now = clock_.now();
  const std::vector<LocalDateTime> minutes = minutesDue(now);
  for (const LocalDateTime& minute : minutes) {
    if (formatDateTime("hhnn", minute, regional_) == dailyResetTime_) takeRainBase();
  }
  updateRain24h();
  updateRainSinceMidnight(now);

  if (aprsCountdown_ != 0) --aprsCountdown_;
  const bool usable = recordUsable();
  if (active_ && aprsCountdown_ == 0 && settings_.APRSIntervall != 0) {
    if (usable) products_.writeAprsFile();
    aprsCountdown_ = settings_.APRSIntervall;
  }

  if (usable) writeScheduledProfiles(minutes);
  webMinute();

  products_.asynopMinuteTick(usable);
  updateStatusTexts();
}

void Clockwork::webMinute() {
  if (webCountdown_ != 0) --webCountdown_;
  if (webCountdown_ != 0) return;
  if (webMinutes() != 0 && station_.allSeen()) products_.writeWebPage(webStatus());
  webCountdown_ = webMinutes();
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

// The daily mark of the rain total. Taken before any rain group arrived it
// is no mark at all: the record's total is still 0.
void Clockwork::takeRainBase() {
  station_.rainBase24h = static_cast<int16_t>(weather_.Rain.Total);
  station_.rainBaseTaken = station_.seenBF;
}

// The rain since the daily mark. Until the first daily reset the mark is the
// total of the first rain group after start, so that the rain counts from
// start rather than the console's whole total. When the console's total was
// cleared and fell below the mark, the mark follows it down to 0: everything
// counted since the clearing is new rain, and the difference never wraps.
void Clockwork::updateRain24h() {
  if (!station_.rainBaseTaken && station_.seenBF) takeRainBase();
  const int total = weather_.Rain.Total;
  if (total < station_.rainBase24h) station_.rainBase24h = 0;
  station_.rain24h = static_cast<uint16_t>(total - station_.rainBase24h);
}

// The rain since local midnight. The first tick of a local day takes the
// day's mark; before the first rain group there is no total to mark, and the
// first rain group after start counts from then until the next midnight. A
// cleared console total lets the mark follow it down to 0, as for rain24h.
void Clockwork::updateRainSinceMidnight(const LocalDateTime& now) {
  if (!station_.seenBF) return;
  const auto today = static_cast<int32_t>(daysFromCivil(now.year, now.month, now.day));
  const int total = weather_.Rain.Total;
  if (station_.rainBaseMidnightDay != today) {
    station_.rainBaseMidnight = static_cast<int16_t>(total);
    station_.rainBaseMidnightDay = today;
  }
  if (total < station_.rainBaseMidnight) station_.rainBaseMidnight = 0;
  station_.rainSinceMidnight = static_cast<uint16_t>(total - station_.rainBaseMidnight);
}

void Clockwork::importtimerTimer() {
  startedAt_[kImport] = secondNumber(clock_.now());
  if (recordUsable()) writeImportReports(2);
}

void Clockwork::readtimerTimer() {
  startedAt_[kRead] = secondNumber(clock_.now());
  if (recordUsable()) products_.writeProfileReport(1);
}

void Clockwork::logtimerTimer() {
  startedAt_[kLog] = secondNumber(clock_.now());
  if (recordUsable()) products_.writeWeatherLog();
}

bool Clockwork::recordUsable() const { return station_.allSeen() && watch_.fresh(); }

void Clockwork::importNow() { writeImportReports(1); }

void Clockwork::periodsChanged() { timersChanged(); }

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
  const long long elapsedMs = (secondNumber(clock_.now()) - startedAt_[timer]) * 1000;
  // A clock set back behind the start counts as a fresh start.
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
    if (now[i] != applied_[i]) startedAt_[i] = secondNumber(clock_.now());
  }
  applied_ = now;
  if (onTimersChanged) onTimersChanged();
}

}  // namespace tavik
