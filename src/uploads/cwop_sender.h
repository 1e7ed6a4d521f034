// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTcpSocket>

#include <string>

#include "uploads/upload_sender.h"

namespace tavik {

// What an upload to APRS-IS needs from the settings.
struct CwopTarget {
  std::string host;
  int port = 0;
  std::string callsign;
  std::string position;
  // The passcode: from this file when it is set, else `passcode`.
  std::string passcodeFile;
  int passcode = -1;
};

// The passcode of the target, read from its file at every upload, or the
// German reason it cannot be had. Never logged.
struct PasscodeText {
  bool ok = false;
  int passcode = -1;
  std::string error;
};
PasscodeText cwopPasscode(const CwopTarget& target);

// Sends one position-weather packet per upload to an APRS-IS server: connect,
// log in, wait for the server's "# logresp", send the packet, disconnect.
class CwopSender final : public UploadSender {
 public:
  CwopSender();
  ~CwopSender() override;
  void setTarget(const CwopTarget& target) { target_ = target; }
  void send(const UploadRecord& record, Done done) override;
  void cancel() override;

 private:
  void readLines();
  void fail(const std::string& reason);
  void end(const UploadReport& report);

  CwopTarget target_;
  QTcpSocket socket_;
  Done done_;
  std::string packet_;
  std::string buffer_;
  int passcode_ = -1;
  bool sent_ = false;
  std::string serverWords_;
};

}  // namespace tavik
