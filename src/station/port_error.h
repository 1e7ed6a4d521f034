// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace tavik {

// Why a serial device could not be taken.
enum class PortFailure {
  Missing,       // there is no such device
  Busy,          // another program holds it
  NoPermission,  // the user may not open it
  Other,         // it cannot be used as a serial line with these settings
};

// The kind of failure that an error number of open() or of the line setup
// means.
PortFailure classifyPortErrno(int code);

// One German sentence that tells the user why the device at `path` cannot be
// used; `detail` says more for PortFailure::Other, and for PortFailure::Busy
// names the holder ("tavik-station, PID 1234").
std::string portFailureText(PortFailure failure, const std::string& path,
                            const std::string& detail = "");

// A serial device that could not be opened or configured: the kind of
// failure, the system's error number, and what() is the sentence for the
// user.
class PortError : public std::runtime_error {
 public:
  PortError(PortFailure failure, int code, const std::string& text)
      : std::runtime_error(text), failure_(failure), code_(code) {}
  PortFailure failure() const { return failure_; }
  int code() const { return code_; }

 private:
  PortFailure failure_;
  int code_;
};

}  // namespace tavik
