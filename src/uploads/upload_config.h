// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/notifier.h"
#include "settings/settings.h"
#include "uploads/cwop_sender.h"
#include "uploads/wu_sender.h"

namespace tavik {

inline constexpr int kCwopMinInterval = 5;  // minutes, as the network asks

// An upload's settings as the program runs them.
struct CwopConfig {
  bool enabled = false;
  int intervalMinutes = 10;
  CwopTarget target;
  // Why it cannot run (German); empty when it can.
  std::string problem;
};
struct WuConfig {
  bool enabled = false;
  int intervalMinutes = 5;
  WuTarget target;
  std::string problem;
};

// `settingsDir` and `credentialsDir` find the key files as the MQTT password
// file is found. An interval below the least one counts as the least.
CwopConfig cwopConfig(const Settings& settings, const std::string& settingsDir,
                      const char* credentialsDir);
WuConfig wuConfig(const Settings& settings, const std::string& settingsDir,
                  const char* credentialsDir);

// "host:port" of the server setting, or nothing.
bool parseServer(const std::string& text, std::string& host, int& port);

// What the dialogs hand over on OK.
struct CwopFields {
  bool enabled = false;
  std::string callsign;
  std::string passcode;
  std::string keyFile;
  std::string server;
  std::string interval;
  std::string position;
};
struct WuFields {
  bool enabled = false;
  std::string stationId;
  std::string keyFile;
  std::string server;
  std::string interval;
};

// Take the fields in their order; one that cannot be taken stops the rule
// with a German message, those before it keep their new values. True when
// all were taken.
bool takeOverCwop(const CwopFields& fields, Settings& settings, Notifier& notifier);
bool takeOverWu(const WuFields& fields, Settings& settings, Notifier& notifier);

}  // namespace tavik
