// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork.h"

#include "core/product_gate.h"

namespace tavik {

Clockwork::Clockwork(const WeatherRecord& weather, StationState& station, const Settings& settings,
                     const ProfileTable& profiles, const Clock& clock, Notifier& notifier,
                     PortControl& port, ProductActions& products, const RegionalSettings& regional,
                     std::ostream& log)
    : station_(station),
      settings_(settings),
      clock_(clock),
      products_(products),
      watch_(clock, log),
      timers_(settings, clock),
      activation_(port, notifier, [this](bool running) { setActivationTimers(running); }),
      recent_(weather, station, settings, clock),
      schedule_(station, settings, profiles, products, regional) {}

void Clockwork::toggleActive() {
  texts_.restartSecond();
  if (activation_.toggle()) schedule_.activated();
  watch_.setActive(isActive());
  if (isActive()) createProductsOnActivation();
  updateStatusTexts();
}

void Clockwork::portSetupFailed(const std::string& reason) {
  activation_.fail(reason);
  updateStatusTexts();
}

void Clockwork::retryActivation() {
  if (isActive() || portFailure().empty()) return;
  activation_.retrying = true;
  toggleActive();
  activation_.retrying = false;
}

void Clockwork::createProductsOnActivation() {
  // Only once every group kind has been decoded does the record hold values
  // worth publishing; the first activation after start never gets here.
  if (!recordUsable()) return;
  recent_.updateRain();
  if (settings_.autoImport) schedule_.writeImportReports(1);
  if (settings_.autoRead) products_.writeProfileReport(1);
  if (settings_.autoLog) products_.writeWeatherLog();
  if (settings_.autoAPRS) products_.writeAprsFile();
}

void Clockwork::tmrSekundenTimer() {
  texts_.secondPassed();
  watch_.check();
  recent_.updateRain();
  updateStatusTexts();
}

void Clockwork::minutencountTimer() {
  recent_.minutePassed();
  schedule_.minutePassed(clock_.now(), isActive(), recordUsable(), webStatus());
  updateStatusTexts();
}

void Clockwork::importtimerTimer() {
  timers_.fired(ProductTimer::Import);
  if (recordUsable()) schedule_.writeImportReports(2);
}

void Clockwork::readtimerTimer() {
  timers_.fired(ProductTimer::Read);
  if (recordUsable()) products_.writeProfileReport(1);
}

void Clockwork::logtimerTimer() {
  timers_.fired(ProductTimer::Log);
  if (recordUsable()) products_.writeWeatherLog();
}

bool Clockwork::recordUsable() const { return ProductGate::of(station_, watch_.fresh()).open(); }

// A stale record still gets its page, which then says so.
WebStatus Clockwork::webStatus() const { return {!watch_.fresh(), watch_.lastGoodGroup()}; }

void Clockwork::webNow() { products_.writeWebPage(webStatus()); }

void Clockwork::importNow() { schedule_.writeImportReports(1); }

void Clockwork::periodsChanged() {
  schedule_.periodsChanged();
  timersChanged();
  updateStatusTexts();
}

void Clockwork::takeOverTimers(const TimerRunning& running) {
  timers_.takeOver(running);
  timersChanged();
}

void Clockwork::updateStatusTexts() {
  texts_.update(isActive(), timers_, schedule_);
  if (onTextsChanged) onTextsChanged();
}

void Clockwork::setActivationTimers(bool running) {
  if (timers_.setActivation(running)) timersChanged();
}

void Clockwork::timersChanged() {
  timers_.applied();
  if (onTimersChanged) onTimersChanged();
}

}  // namespace tavik
