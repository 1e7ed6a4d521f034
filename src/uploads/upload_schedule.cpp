// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_schedule.h"

#include <algorithm>

namespace tavik {

namespace {

constexpr const char* kFailed = ": Senden fehlgeschlagen: ";

}  // namespace

std::string minutesSeconds(int seconds) {
  seconds = std::max(0, seconds);
  const int s = seconds % 60;
  return std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

std::string UploadSchedule::configure(bool enabled, int intervalSeconds,
                                      const std::string& problem) {
  const bool wasRunning = running();
  const std::string oldProblem = enabled_ ? problem_ : std::string();
  enabled_ = enabled;
  problem_ = enabled ? problem : std::string();
  intervalSeconds_ = std::max(1, intervalSeconds);
  if (running() && !wasRunning) {
    secondsToNext_ = 0;
    failures_ = 0;
    failure_.clear();
  } else if (running()) {
    secondsToNext_ = std::min(secondsToNext_, intervalSeconds_);
  }
  if (!problem_.empty() && problem_ != oldProblem) return name_ + kFailed + problem_;
  if (!enabled && wasRunning) return name_ + ": ausgeschaltet";
  return {};
}

bool UploadSchedule::secondTick(bool sendable) {
  if (!running() || inFlight_) return false;
  if (secondsToNext_ > 0) --secondsToNext_;
  if (secondsToNext_ > 0) return false;
  waiting_ = !sendable;
  return sendable;
}

void UploadSchedule::started() {
  inFlight_ = true;
  waiting_ = false;
}

std::string UploadSchedule::finished(const UploadReport& report) {
  inFlight_ = false;
  if (report.ok) {
    secondsToNext_ = intervalSeconds_;
    const bool recovered = failures_ > 0;
    const bool first = !sentOnce_;
    failures_ = 0;
    failure_.clear();
    sentOnce_ = true;
    if (recovered) return name_ + ": wieder gesendet: " + report.answer;
    if (first) return name_ + ": gesendet: " + report.answer;
    return {};
  }
  ++failures_;
  const int exponent = std::min(failures_ - 1, 10);
  secondsToNext_ = std::min(kMaxBackoffSeconds, 1 << exponent);
  const bool changed = report.answer != failure_;
  failure_ = report.answer;
  if (changed) return name_ + kFailed + report.answer;
  return {};
}

std::string UploadSchedule::status() const {
  const std::string lead = name_ + ": ";
  if (!enabled_) return lead + "aus";
  if (!problem_.empty()) return lead + problem_;
  if (inFlight_) return lead + "sendet";
  if (!failure_.empty()) {
    return lead + failure_ + " (neuer Versuch in " + minutesSeconds(secondsToNext_) + ")";
  }
  if (waiting_) return lead + "wartet auf Daten";
  return lead + minutesSeconds(secondsToNext_);
}

}  // namespace tavik
