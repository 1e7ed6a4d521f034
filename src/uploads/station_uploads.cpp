// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/station_uploads.h"

#include <utility>

#include "uploads/upload_config.h"

namespace tavik {

StationUploads::StationUploads(UploadStation station, const Settings& settings,
                               std::string settingsDir, std::string credentialsDir,
                               std::ostream& log)
    : settings_(settings),
      settingsDir_(std::move(settingsDir)),
      credentialsDir_(std::move(credentialsDir)),
      cwop_("CWOP", cwopSender_, station, log),
      wu_("WU", wuSender_, station, log) {}

void StationUploads::configure(const Settings& settings, const std::string& settingsDir,
                               const char* credentialsDir) {
  const CwopConfig c = cwopConfig(settings, settingsDir, credentialsDir);
  cwopSender_.setTarget(c.target);
  cwop_.configure(c.enabled, c.intervalMinutes * 60, c.problem);
  cwopOn_ = c.enabled;
  const WuConfig w = wuConfig(settings, settingsDir, credentialsDir);
  wuSender_.setTarget(w.target);
  wu_.configure(w.enabled, w.intervalMinutes * 60, w.problem);
  wuOn_ = w.enabled;
}

void StationUploads::settingsChanged() {
  configure(settings_, settingsDir_, credentialsDir_.empty() ? nullptr : credentialsDir_.c_str());
}

void StationUploads::stop() {
  cwop_.stop();
  wu_.stop();
}

void StationUploads::setTimeScale(int speedUp) {
  cwop_.setTimeScale(speedUp);
  wu_.setTimeScale(speedUp);
}

std::string StationUploads::status() const {
  std::string text = cwopOn_ ? cwop_.status() : std::string();
  if (wuOn_) text += (text.empty() ? "" : "  ") + wu_.status();
  return text;
}

}  // namespace tavik
