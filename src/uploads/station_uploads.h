// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

#include "common/outlet.h"
#include "settings/settings.h"
#include "uploads/cwop_sender.h"
#include "uploads/upload_outlet.h"
#include "uploads/wu_sender.h"

namespace tavik {

// The station's uploads to the weather networks, CWOP over APRS-IS and
// Weather Underground, as both programs run them. They read their sections
// of `settings` (the key files are found in `settingsDir` or
// `credentialsDir`, empty for none) at start and at every change.
class StationUploads final : public Outlet {
 public:
  StationUploads(UploadStation station, const Settings& settings, std::string settingsDir,
                 std::string credentialsDir, std::ostream& log);

  // Takes the sections CWOP and Wunderground; the key files are found as
  // the MQTT password file is.
  void configure(const Settings& settings, const std::string& settingsDir,
                 const char* credentialsDir);
  void setTimeScale(int speedUp);

  UploadOutlet& cwop() { return cwop_; }
  UploadOutlet& wu() { return wu_; }

  void start() override { settingsChanged(); }
  // Drops an upload in flight, as every change of the settings does.
  void settingsChanged() override;
  // The uploads take the record when they send.
  void recordChanged() override {}
  void stop() override;
  // The status of the uploads that are on, one text for the window's panel
  // ("CWOP: 4:59  WU: 0:12"); empty when none is.
  std::string status() const override;

 private:
  const Settings& settings_;
  const std::string settingsDir_;
  const std::string credentialsDir_;
  CwopSender cwopSender_;
  WuSender wuSender_;
  UploadOutlet cwop_;
  UploadOutlet wu_;
  bool cwopOn_ = false;
  bool wuOn_ = false;
};

}  // namespace tavik
