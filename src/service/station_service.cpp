// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/station_service.h"

#include <QCoreApplication>

#include <iostream>

#include "common/journal_lines.h"
#include "mqtt/mqtt_outlet.h"
#include "uploads/station_uploads.h"

namespace tavik {

void ServiceNotifier::notify(const std::string& text, const std::string& caption, MessageButtons) {
  if (retrying && caption == "Comport belegt") return;
  std::cerr << messageLine(caption, text) << std::flush;
}

std::string serviceStatus(bool active, const std::string& port, bool stale,
                          const std::optional<LocalDateTime>& lastGoodGroup) {
  if (!active) return "warte auf Port " + port;
  if (!stale) return "liest " + port;
  const std::string since =
      lastGoodGroup ? formatDateTime("hh:nn", *lastGoodGroup, RegionalSettings::german())
                    : std::string("dem Start");
  return "keine Daten seit " + since + " an " + port;
}

StationService::StationService(StationFolder folder, const Clock& clock)
    : runtime_(std::move(folder), clock, notifier_),
      timers_(runtime_.clockwork(), runtime_.timerSpeedUp()) {
  retry_.setSingleShot(true);
  retry_.setInterval(timers_.interval(kRetryIntervalMs));
  connect(&retry_, &QTimer::timeout, this, [this] { activate(); });
  statusWatch_.setInterval(timers_.interval(kStatusIntervalMs));
  connect(&statusWatch_, &QTimer::timeout, this, [this] { updateStatus(); });
}

StationService::~StationService() = default;

void StationService::start() {
  bool activated = false;
  runtime_.loadSettings(
      [this, &activated] {
        activated = true;
        activate();
      },
      notifier_);
  // Activated whatever ActiveAtStratup says; where it says so, at the same
  // point of the load as the window.
  if (!activated) activate();
  status_ = currentStatus();
  systemd_.ready(status_);
  statusWatch_.start();
}

std::string StationService::currentStatus() {
  const Clockwork& clockwork = runtime_.clockwork();
  return serviceStatus(clockwork.isActive(), runtime_.port().portName(), clockwork.recordStale(),
                       clockwork.lastGoodGroup());
}

void StationService::updateStatus() {
  const std::string now = currentStatus();
  if (now == status_) return;
  status_ = now;
  systemd_.status(status_);
}

void StationService::activate() {
  Clockwork& clockwork = runtime_.clockwork();
  if (clockwork.isActive()) return;
  notifier_.retrying = portRefused_;
  clockwork.setActive(true);
  notifier_.retrying = false;
  if (!clockwork.isActive()) {
    portRefused_ = true;
    retryLater();
    return;
  }
  if (portRefused_) {
    std::cerr << withPriority(Priority::Notice,
                              "Comport: " + runtime_.port().portName() + " ist jetzt geöffnet.")
              << std::flush;
    portRefused_ = false;
  }
  updateStatus();
}

void StationService::retryLater() {
  updateStatus();
  retry_.start();
}

void StationService::reload() {
  systemd_.reloading();
  Clockwork& clockwork = runtime_.clockwork();
  const SettingsReload reload = runtime_.reloadSettings(notifier_);
  if (!reload.refusal.empty()) {
    notifier_.notify(reload.refusal + " Es gelten weiter die bisherigen Einstellungen.",
                     "tavout.ini nicht übernommen", MessageButtons::Ok);
    systemd_.ready("tavout.ini nicht übernommen: " + reload.refusal);
    return;
  }
  // A changed port is taken at once, and so is one that was refused so far.
  if (reload.portChanged) {
    portRefused_ = false;
    clockwork.setActive(false);
  }
  if (!clockwork.isActive()) {
    retry_.stop();
    activate();
  }
  status_ = currentStatus();
  systemd_.ready(status_);
}

void StationService::stop() {
  systemd_.stopping();
  retry_.stop();
  statusWatch_.stop();
  runtime_.clockwork().setActive(false);
  QCoreApplication::quit();
}

}  // namespace tavik
