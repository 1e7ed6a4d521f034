// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "uploads/upload_schedule.h"
#include "uploads/upload_sender.h"

namespace tavik {

// What an upload asks the station: whether the record may be sent (every
// group kind seen and not stale) and what it sends.
struct UploadStation {
  std::function<bool()> sendable;
  std::function<UploadRecord()> record;
};

// One upload as both programs run it: a one-second tick drives its schedule,
// at most one upload is in flight, and one that gets no answer in time is
// dropped as a failure. Every change of state goes to `log` once.
class UploadOutlet {
 public:
  static constexpr int kTimeoutMs = 30000;

  UploadOutlet(std::string name, UploadSender& sender, UploadStation station, std::ostream& log);
  ~UploadOutlet();
  UploadOutlet(const UploadOutlet&) = delete;
  UploadOutlet& operator=(const UploadOutlet&) = delete;

  // `speedUp` > 1 ticks as fast as an accelerated clock; the timeout stays.
  void setTimeScale(int speedUp);
  void setTimeoutMs(int ms) { timeout_.setInterval(ms); }
  // See UploadSchedule::configure. A change drops an upload in flight.
  void configure(bool enabled, int intervalSeconds, const std::string& problem);
  // The dialog's "Jetzt senden": an upload now, unless one is in flight; the
  // record must still be sendable.
  void sendNow();
  // The program ends: an upload in flight is dropped without a word, and
  // nothing is sent after it.
  void stop();

  std::string status() const { return schedule_.status(); }
  const std::string& lastAnswer() const { return lastAnswer_; }
  const UploadSchedule& schedule() const { return schedule_; }

 private:
  void tick();
  void start();
  void finish(const UploadReport& report);

  std::string name_;
  UploadSender& sender_;
  UploadStation station_;
  std::ostream& log_;
  UploadSchedule schedule_;
  QTimer tick_;
  QTimer timeout_;
  std::string lastAnswer_;
};

}  // namespace tavik
