// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/station_runtime.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "archive/archive_history.h"
#include "core/port_notifier.h"
#include "core/product_gate.h"
#include "mqtt/mqtt_outlet.h"
#include "products/current_json.h"
#include "settings/settings_file.h"
#include "uploads/station_uploads.h"
#include "values/published_values.h"

namespace tavik {

StationRuntime::StationRuntime(StationFolder folder, const Clock& clock, Notifier& notifier,
                               std::ostream& log)
    : folder_(std::move(folder)),
      speedUp_(std::max(1, clock.speedUp())),
      products_(
          ProductContext{station_.weather, station_.state, settings_, profiles_, clock, regional_,
                         notifier, folder_.productDir},
          [this] { return clockwork_.recordFresh(); }, log),
      clockwork_(station_.weather, station_.state, settings_, profiles_, clock, notifier,
                 portControl_, products_, regional_, log),
      stream_(station_, clock, &log),
      log_(log) {
  // The framer listens first; a window's own listeners come after them.
  stream_.setGroupHandler([this](GroupKind kind, bool ok) {
    if (ok && stream_.lastEntered()) {
      clockwork_.goodGroupArrived();
      if (kind == GroupKind::GBF) clockwork_.rainGroupAccepted();
      if (kind == GroupKind::GCF) clockwork_.windGroupAccepted();
      for (const auto& outlet : outlets_) outlet->recordChanged();
    }
    if (onGroup) onGroup(kind, ok);
  });
  stream_.attach(port_);
  portNotifier_ = std::make_unique<PortNotifier>(port_);
  // The outlets, each reading its own settings from the runtime's.
  const char* credentials = credentialsDirectory();
  const std::string credentialsDir = credentials ? credentials : "";
  auto mqtt = std::make_unique<MqttOutlet>(
      MqttStationView{.allSeen =
                          [this] {
                            return ProductGate::of(station_.state, clockwork_.recordFresh())
                                .open(GateMode::Complete);
                          },
                      .fresh = [this] { return clockwork_.recordUsable(); },
                      .stateJson = [this, &clock](bool stale) { return stateJson(clock, stale); }},
      settings_, folder_.settingsDir, credentialsDir, log);
  mqtt->setTimeScale(speedUp_);
  mqtt_ = mqtt.get();
  addOutlet(std::move(mqtt));
  auto uploads = std::make_unique<StationUploads>(
      UploadStation{.sendable = [this] { return clockwork_.recordUsable(); },
                    .record = [this, &clock] { return uploadRecord(clock); }},
      settings_, folder_.settingsDir, credentialsDir, log);
  uploads->setTimeScale(speedUp_);
  uploads_ = uploads.get();
  addOutlet(std::move(uploads));
}

void StationRuntime::addOutlet(std::unique_ptr<Outlet> outlet) {
  if (outletsStarted_) outlet->start();
  outlets_.push_back(std::move(outlet));
}

std::string StationRuntime::outletStatus() const {
  std::string text;
  for (const auto& outlet : outlets_) {
    const std::string status = outlet->status();
    if (status.empty()) continue;
    if (!text.empty()) text += "  ";
    text += status;
  }
  return text;
}

void StationRuntime::followSettings() {
  port_.setPortName(settings_.Comport);
  clockwork_.periodsChanged();
  outletsFollowSettings();
  products_.archiveSettingsLoaded();
}

void StationRuntime::outletsFollowSettings() {
  for (const auto& outlet : outlets_) {
    if (outletsStarted_) {
      outlet->settingsChanged();
    } else {
      outlet->start();
    }
  }
  outletsStarted_ = true;
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

UploadRecord StationRuntime::uploadRecord(const Clock& clock) const {
  const LocalDateTime observed = clockwork_.lastGoodGroup().value_or(clock.now());
  const int offset = clock.zoneOffsetMinutes(observed, settings_.Zeitzone);
  return {.values = publishedValues(station_.weather, station_.state),
          .observedUtc = utcSeconds(observed, offset),
          .normalGauge = settings_.NormalRegen};
}

StationRuntime::~StationRuntime() {
  // The outlets stop and go in the reverse of the list's order, before the
  // port and the record they read.
  for (auto outlet = outlets_.rbegin(); outlet != outlets_.rend(); ++outlet) (*outlet)->stop();
  while (!outlets_.empty()) outlets_.pop_back();
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
  seedRainFromArchive();
  followSettings();
}

void StationRuntime::seedRainFromArchive() {
  if (!settings_.ArchivAktiv || settings_.ArchivDatei.empty()) return;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(settings_.ArchivDatei, ec)) return;
  std::string error;
  const auto archive = ArchiveHistory::open(settings_.ArchivDatei, error);
  if (!archive) return;  // the recorder reports an archive it cannot use
  const std::optional<int64_t> last = archive->lastTime();
  if (!last) return;
  // The ledger keeps a little over a day; older counts cannot matter.
  std::vector<RainSample> samples;
  for (const CounterSample& s : archive->counterSamples(*last - 26 * 3600))
    samples.push_back({s.time, s.total});
  if (!samples.empty()) clockwork_.seedRain(std::move(samples));
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
  followSettings();
  return result;
}

bool StationRuntime::saveSettings(Notifier& failures) {
  settings_.Comport = port_.portName();
  return tavik::saveSettings(folder_.settingsDir, settings_, profiles_, clockwork_.isActive(),
                             failures);
}

}  // namespace tavik
