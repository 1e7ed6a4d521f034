// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/station_service.h"

#include <QCoreApplication>

#include <algorithm>
#include <iostream>

namespace tavik {

void ServiceNotifier::notify(const std::string& text, const std::string& caption, MessageButtons) {
  if (retrying && caption == "Comport belegt") return;
  std::cerr << caption << ": " << text << std::endl;
}

StationService::StationService(StationFolder folder, const Clock& clock, int speedUp)
    : runtime_(std::move(folder), clock, notifier_), timers_(runtime_.clockwork(), speedUp) {
  retry_.setSingleShot(true);
  retry_.setInterval(std::max(1, kRetryIntervalMs / std::max(1, speedUp)));
  connect(&retry_, &QTimer::timeout, this, [this] { activate(); });
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
  systemd_.ready("Station an " + runtime_.port().portName());
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
    std::cerr << "Comport: " << runtime_.port().portName() << " ist jetzt geöffnet." << std::endl;
    portRefused_ = false;
  }
}

void StationService::retryLater() {
  systemd_.status(runtime_.port().portName() + " kann nicht geöffnet werden, neuer Versuch");
  retry_.start();
}

void StationService::reload() {
  systemd_.reloading();
  Clockwork& clockwork = runtime_.clockwork();
  // A changed port is taken at once, and so is one that was refused so far.
  if (runtime_.reloadSettings(notifier_)) {
    portRefused_ = false;
    clockwork.setActive(false);
  }
  if (!clockwork.isActive()) {
    retry_.stop();
    activate();
  }
  systemd_.ready("Einstellungen neu gelesen");
}

void StationService::stop() {
  systemd_.stopping();
  retry_.stop();
  runtime_.clockwork().setActive(false);
  QCoreApplication::quit();
}

}  // namespace tavik
