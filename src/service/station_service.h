// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "common/clock.h"
#include "common/notifier.h"
#include "core/clockwork_timers.h"
#include "core/station_folder.h"
#include "core/station_runtime.h"
#include "service/systemd_notify.h"

namespace tavik {

// Failures on standard error, every line marked as a failure for the journal.
// While the service retries a port it could not open, the same refusal is not
// repeated every time.
class ServiceNotifier final : public Notifier {
 public:
  void notify(const std::string& text, const std::string& caption,
              MessageButtons buttons = MessageButtons::OkCancel) override;
  bool retrying = false;
};

// The status line for systemd: waiting for the port, reading it, or no data
// since the last good group ("keine Daten seit 14:05 an /dev/ttyUSB0").
std::string serviceStatus(bool active, const std::string& port, bool stale,
                          const std::optional<LocalDateTime>& lastGoodGroup);

// The station as an unattended service: what the main window runs when it is
// active and nobody touches it. It activates at start, retries a busy or
// missing port every 10 s, re-reads tavout.ini on request and never writes
// it.
class StationService : public QObject {
 public:
  static constexpr int kRetryIntervalMs = 10000;
  static constexpr int kStatusIntervalMs = 1000;

  // The timers (and the retry) run as fast as `clock` (see Clock::speedUp).
  StationService(StationFolder folder, const Clock& clock);
  ~StationService() override;

  // Loads the settings and activates.
  void start();
  // SIGHUP: tavout.ini afresh.
  void reload();
  // SIGTERM, SIGINT: closes the port and leaves the event loop.
  void stop();

  StationRuntime& runtime() { return runtime_; }

 private:
  void activate();
  void retryLater();
  std::string currentStatus();
  // Sends the status line when it changed.
  void updateStatus();

  ServiceNotifier notifier_;
  StationRuntime runtime_;
  ClockworkTimers timers_;
  SystemdNotify systemd_;
  QTimer retry_;
  QTimer statusWatch_;
  std::string status_;
  bool portRefused_ = false;
};

}  // namespace tavik
