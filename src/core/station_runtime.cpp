// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/station_runtime.h"

#include <cstdlib>

#include "core/mqtt_config.h"
#include "core/mqtt_outlet.h"
#include "core/port_notifier.h"
#include "products/current_json.h"
#include "settings/settings_file.h"
#include "uploads/station_uploads.h"

namespace tavik {

StationRuntime::StationRuntime(StationFolder folder, const Clock& clock, Notifier& notifier,
                               std::ostream& log)
    : folder_(std::move(folder)),
      products_(ProductContext{station_.weather, station_.state, settings_, profiles_, clock,
                               regional_, notifier, folder_.productDir},
                [this] { return clockwork_.recordFresh(); }),
      clockwork_(station_.weather, station_.state, settings_, profiles_, clock, notifier,
                 portControl_, products_, regional_, log),
      stream_(station_, clock, &log) {
  // The framer listens first; a window's own listeners come after them.
  stream_.setGroupHandler([this](GroupKind kind, bool ok) {
    if (ok && stream_.lastEntered()) {
      clockwork_.goodGroupArrived();
      mqtt_->groupArrived();
    }
    if (onGroup) onGroup(kind, ok);
  });
  stream_.attach(port_);
  portNotifier_ = std::make_unique<PortNotifier>(port_);
  mqtt_ = std::make_unique<MqttOutlet>(
      MqttStationView{.allSeen = [this] { return station_.state.allSeen(); },
                      .fresh = [this] { return clockwork_.recordUsable(); },
                      .stateJson = [this, &clock](bool stale) { return stateJson(clock, stale); }},
      log);
  uploads_ = std::make_unique<StationUploads>(
      UploadStation{.sendable = [this] { return clockwork_.recordUsable(); },
                    .values =
                        [this] {
                          return uploadValues(station_.weather, station_.state, settings_,
                                              clockwork_.lastGoodGroup());
                        }},
      log);
}

std::string StationRuntime::stateJson(const Clock& clock, bool stale) const {
  const LocalDateTime now = clock.now();
  return currentJson({.weather = station_.weather,
                      .state = station_.state,
                      .station = settings_.WebTitel,
                      .generated = now,
                      .lastGroup = clockwork_.lastGoodGroup(),
                      .stale = stale,
                      .utcOffsetMinutes = localUtcOffsetMinutes(now),
                      .today = products_.todayExtremes(now)});
}

void StationRuntime::mqttSettingsChanged() {
  mqtt_->configure(
      mqttConfig(settings_, folder_.settingsDir, std::getenv("CREDENTIALS_DIRECTORY")));
}

void StationRuntime::uploadSettingsChanged() {
  uploads_->configure(settings_, folder_.settingsDir, std::getenv("CREDENTIALS_DIRECTORY"));
}

StationRuntime::~StationRuntime() {
  uploads_.reset();
  mqtt_.reset();
  portNotifier_.reset();
  port_.Close();
}

void StationRuntime::loadSettings(const std::function<void()>& activateNow, Notifier& failures) {
  tavik::loadSettings(
      folder_.settingsDir, settings_, profiles_,
      [this, &activateNow] {
        port_.setPortName(settings_.Comport);
        if (activateNow) activateNow();
      },
      failures, folder_.productDir);
  port_.setPortName(settings_.Comport);
  clockwork_.periodsChanged();
  mqttSettingsChanged();
  uploadSettingsChanged();
}

SettingsReload StationRuntime::reloadSettings(Notifier& failures) {
  Settings fresh;
  ProfileTable freshProfiles;
  SettingsReload result;
  result.refusal =
      loadSoundSettings(folder_.settingsDir, fresh, freshProfiles, failures, folder_.productDir);
  // A file that says nothing about the user's wishes would stop the station
  // (the default port, no products): the running settings stay.
  if (!result.refusal.empty()) return result;
  result.portChanged = fresh.Comport != port_.portName();
  settings_ = fresh;
  profiles_ = freshProfiles;
  port_.setPortName(settings_.Comport);
  clockwork_.periodsChanged();
  mqttSettingsChanged();
  uploadSettingsChanged();
  return result;
}

bool StationRuntime::saveSettings(Notifier& failures) {
  settings_.Comport = port_.portName();
  return tavik::saveSettings(folder_.settingsDir, settings_, profiles_, clockwork_.isActive(),
                             failures);
}

}  // namespace tavik
