// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavik {

// SIGINT and SIGTERM as a descriptor to poll instead of an asynchronous
// handler, so that a tool ends cleanly between two writes or reads. SIGPIPE is
// ignored: a reader that goes away shows as a write error.
class StopSignals {
 public:
  StopSignals();  // throws std::system_error
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  int fd() const { return fd_; }
  // Whether a stop signal has arrived (does not wait).
  bool arrived();

 private:
  int fd_ = -1;
  bool arrived_ = false;
};

}  // namespace tavik
