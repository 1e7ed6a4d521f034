// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_outlet.h"

#include <algorithm>

namespace tavik {

namespace {
constexpr int kTickMs = 1000;
}  // namespace

UploadOutlet::UploadOutlet(std::string name, UploadSender& sender, UploadStation station,
                           std::ostream& log)
    : name_(name), sender_(sender), station_(std::move(station)), log_(log), schedule_(name) {
  tick_.setInterval(kTickMs);
  QObject::connect(&tick_, &QTimer::timeout, [this] { tick(); });
  timeout_.setSingleShot(true);
  timeout_.setInterval(kTimeoutMs);
  QObject::connect(&timeout_, &QTimer::timeout, [this] {
    sender_.cancel();
    const int ms = timeout_.interval();
    finish({false,
            "keine Antwort des Servers innerhalb von " +
                (ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms")});
  });
}

UploadOutlet::~UploadOutlet() { sender_.cancel(); }

void UploadOutlet::setTimeScale(int speedUp) {
  tick_.setInterval(std::max(1, kTickMs / std::max(1, speedUp)));
}

void UploadOutlet::configure(bool enabled, int intervalSeconds, const std::string& problem) {
  if (schedule_.inFlight()) {
    sender_.cancel();
    timeout_.stop();
    schedule_.finished({false, "abgebrochen"});
  }
  const std::string line = schedule_.configure(enabled, intervalSeconds, problem);
  if (!line.empty()) log_ << line << std::endl;
  if (schedule_.running()) {
    if (!tick_.isActive()) tick_.start();
  } else {
    tick_.stop();
  }
}

void UploadOutlet::sendNow() {
  if (schedule_.inFlight()) return;
  if (!schedule_.running()) {
    lastAnswer_ = schedule_.status();
  } else if (!station_.sendable()) {
    lastAnswer_ = "nicht gesendet: noch keine vollständigen, aktuellen Daten";
  } else {
    start();
  }
}

void UploadOutlet::stop() {
  tick_.stop();
  timeout_.stop();
  sender_.cancel();
}

void UploadOutlet::tick() {
  if (schedule_.secondTick(station_.sendable())) start();
}

void UploadOutlet::start() {
  schedule_.started();
  lastAnswer_ = "sendet …";
  timeout_.start();
  sender_.send(station_.record(), [this](const UploadReport& report) {
    if (!schedule_.inFlight()) return;
    timeout_.stop();
    finish(report);
  });
}

void UploadOutlet::finish(const UploadReport& report) {
  const std::string line = schedule_.finished(report);
  if (!line.empty()) log_ << line << std::endl;
  lastAnswer_ = (report.ok ? "angenommen: " : "fehlgeschlagen: ") + report.answer;
}

}  // namespace tavik
