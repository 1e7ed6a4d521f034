// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// How one upload went: taken, or failed with the German reason; `answer` is
// what the server said, or the reason.
struct UploadReport {
  bool ok = false;
  std::string answer;
};

// When an upload is due, counted in seconds: the first as soon as the record
// may be sent, then one per interval; after a failure the next attempt comes
// after 1, 2, 4 … seconds, at most 600. It words the status for the window
// and the lines for the log, one per change of state.
class UploadSchedule {
 public:
  static constexpr int kMaxBackoffSeconds = 600;

  // `name` leads every text ("CWOP", "WU").
  explicit UploadSchedule(std::string name) : name_(std::move(name)) {}

  // Switches the upload on with its interval, or off. `problem` is why it
  // cannot run at all (a setting it lacks); it then stays off and says so.
  // Returns the log line of the change, or an empty text when there is none.
  std::string configure(bool enabled, int intervalSeconds, const std::string& problem);

  // One second has passed. True when an upload should start now: it is due,
  // none is in flight and the record may be sent (`sendable`).
  bool secondTick(bool sendable);
  // An upload started now (also one the user asked for).
  void started();
  // The upload in flight ended. Returns the log line when the state changed:
  // a failure (a first one, or one with another reason) or the recovery.
  std::string finished(const UploadReport& report);

  bool running() const { return enabled_ && problem_.empty(); }
  bool inFlight() const { return inFlight_; }
  int secondsToNext() const { return secondsToNext_; }
  // "CWOP: 4:59", "CWOP: sendet", "CWOP: wartet auf Daten", or the reason of
  // the last failure with the wait for the next attempt.
  std::string status() const;

 private:
  std::string name_;
  bool enabled_ = false;
  std::string problem_;
  int intervalSeconds_ = 600;
  int secondsToNext_ = 0;
  bool inFlight_ = false;
  bool waiting_ = false;  // due, but the record may not be sent
  int failures_ = 0;
  std::string failure_;  // reason of the failure in force
  bool sentOnce_ = false;
};

// "m:ss" of a number of seconds.
std::string minutesSeconds(int seconds);

}  // namespace tavik
