// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/outlet.h"
#include "common/regional.h"
#include "core/clockwork.h"
#include "core/port_control.h"
#include "core/product_writers.h"
#include "core/station_folder.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "station/decoders.h"
#include "station/group_stream.h"
#include "station/serial_port.h"

namespace tavik {

class MqttOutlet;
class PortNotifier;
class StationUploads;
struct UploadRecord;

// The activation's view of the serial port.
class SerialPortControl final : public PortControl {
 public:
  explicit SerialPortControl(SerialPort& port) : port_(port) {}
  void open() override { port_.Open(); }
  void close() override { port_.Close(); }
  bool connected() const override { return port_.Connected(); }
  std::string portName() const override { return port_.portName(); }

 private:
  SerialPort& port_;
};

// What a reload made of tavout.ini.
struct SettingsReload {
  // Why the file was not taken (one German sentence); empty when it was.
  std::string refusal;
  // Whether the port name changed; an open port stays open on its device
  // until the caller deactivates.
  bool portChanged = false;
};

// The station as both programs run it, without any window: the record and
// the values beside it, the settings and profiles, the serial line read on
// the event loop through the group framer, the products and the
// clockwork, and the outlets (MQTT, the uploads), held in one list. Created
// once, it lives for the whole run.
class StationRuntime {
 public:
  // Failures of the products and the port go to `notifier`; the clockwork
  // writes the stop and return of the station's data to `log`.
  StationRuntime(StationFolder folder, const Clock& clock, Notifier& notifier,
                 std::ostream& log = std::cerr);
  ~StationRuntime();
  StationRuntime(const StationRuntime&) = delete;
  StationRuntime& operator=(const StationRuntime&) = delete;

  // Called after every decoded group, good or bad, once the clockwork knows.
  std::function<void(GroupKind kind, bool checksumOk)> onGroup;

  // Reads tavout.ini from the station folder. `activateNow` runs where the
  // key ActiveAtStratup asks for the activation, with the port name set.
  void loadSettings(const std::function<void()>& activateNow, Notifier& failures);
  // Reads tavout.ini afresh into the running station: every setting and
  // profile is the file's, and the timers take up changed periods. A file
  // that is gone, a folder, unreadable, empty or holds not one of the
  // program's keys is not taken: the running settings, port and profiles
  // stay, and the result says why.
  SettingsReload reloadSettings(Notifier& failures);
  // Writes the settings, the activation state and the profiles back.
  bool saveSettings(Notifier& failures);

  const StationFolder& folder() const { return folder_; }
  const RegionalSettings& regional() const { return regional_; }
  SerialPort& port() { return port_; }
  StationData& station() { return station_; }
  Settings& settings() { return settings_; }
  ProfileTable& profiles() { return profiles_; }
  ProductWriters& products() { return products_; }
  Clockwork& clockwork() { return clockwork_; }
  // How many times as fast as their periods the program's timers run: the
  // clock's speed-up, taken once at the start (1 but under an accelerated
  // clock). The MQTT outlet runs at it from the start.
  int timerSpeedUp() const { return speedUp_; }
  // Puts an outlet at the end of the list. From then on it is started at
  // the first load of the settings (at once when that has been), told of
  // every later load and reload and of every good group, asked for its
  // status, and stopped when the runtime ends.
  void addOutlet(std::unique_ptr<Outlet> outlet);
  // The status texts of the outlets that show one, in the list's order,
  // two blanks between them; empty when none does.
  std::string outletStatus() const;
  // The MQTT publisher and the uploads to CWOP and Weather Underground, for
  // their dialogs: a dialog's OK tells its outlet settingsChanged().
  MqttOutlet& mqtt() { return *mqtt_; }
  StationUploads& uploads() { return *uploads_; }

 private:
  // Gives the rain ledger the counter of the archive's last day, so that the
  // rain of the last hour and day is known across a restart.
  void seedRainFromArchive();
  std::string stateJson(const Clock& clock, bool stale) const;
  // What the uploads send now: the published values, the record's time.
  UploadRecord uploadRecord(const Clock& clock) const;
  // The port, the timers, the outlets and the archive take up the settings
  // as they now stand, after a load or a reload.
  void followSettings();
  // Every outlet started (the first time) or told the settings changed.
  void outletsFollowSettings();

  const StationFolder folder_;
  const int speedUp_;
  const RegionalSettings& regional_ = RegionalSettings::german();
  SerialPort port_;
  StationData station_;
  Settings settings_;
  ProfileTable profiles_;
  SerialPortControl portControl_{port_};
  ProductWriters products_;
  Clockwork clockwork_;
  GroupStream stream_;
  std::unique_ptr<PortNotifier> portNotifier_;
  std::vector<std::unique_ptr<Outlet>> outlets_;
  bool outletsStarted_ = false;
  MqttOutlet* mqtt_ = nullptr;         // in outlets_
  StationUploads* uploads_ = nullptr;  // in outlets_
  std::ostream& log_;
};

}  // namespace tavik
