// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/station_runtime.h"

#include "core/port_notifier.h"
#include "settings/settings_file.h"

namespace tavik {

StationRuntime::StationRuntime(StationFolder folder, const Clock& clock, Notifier& notifier,
                               std::ostream& log)
    : folder_(std::move(folder)),
      products_(ProductContext{station_.weather, station_.state, settings_, profiles_, clock,
                               regional_, notifier, folder_.productDir}),
      clockwork_(station_.weather, station_.state, settings_, profiles_, clock, notifier,
                 portControl_, products_, regional_, log),
      stream_(station_, clock, &log) {
  // The framer listens first; a window's own listeners come after them.
  stream_.setGroupHandler([this](GroupKind kind, bool ok) {
    if (ok && stream_.lastEntered()) clockwork_.goodGroupArrived();
    if (onGroup) onGroup(kind, ok);
  });
  stream_.attach(port_);
  portNotifier_ = std::make_unique<PortNotifier>(port_);
}

StationRuntime::~StationRuntime() {
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
}

bool StationRuntime::reloadSettings(Notifier& failures) {
  Settings fresh;
  ProfileTable freshProfiles;
  tavik::loadSettings(folder_.settingsDir, fresh, freshProfiles, {}, failures, folder_.productDir);
  const bool portChanged = fresh.Comport != port_.portName();
  settings_ = fresh;
  profiles_ = freshProfiles;
  port_.setPortName(settings_.Comport);
  clockwork_.periodsChanged();
  return portChanged;
}

bool StationRuntime::saveSettings(Notifier& failures) {
  settings_.Comport = port_.portName();
  return tavik::saveSettings(folder_.settingsDir, settings_, profiles_, clockwork_.isActive(),
                             failures);
}

}  // namespace tavik
