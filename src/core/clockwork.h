// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/regional.h"
#include "core/clockwork_activation.h"
#include "core/clockwork_schedule.h"
#include "core/clockwork_texts.h"
#include "core/clockwork_timer_plan.h"
#include "core/clockwork_weather.h"
#include "core/data_watch.h"
#include "core/port_control.h"
#include "core/product_actions.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "settings/takeover.h"
#include "station/weather_record.h"
#include "values/rain_ledger.h"

namespace tavik {

// The main window's activation, timers, countdowns and status texts, without
// any window: the window and the service wire their QTimers (ClockworkTimers)
// and controls to this class. It composes one part for each job: the
// activation, the timer plan, the status texts, the recent rain and wind, and
// the minute schedule of the products.
//
// Activation ("Aktiv") opens the port and runs the import, read, second and
// minute timers; the log timer runs always. The timer periods are the settings
// ImportInterval, ReadInterval and LogInterval (ms), read when needed.
//
// Timers and the activation publish only a record worth publishing: once every
// group kind has been decoded since start, and while the last good group is
// less than a minute old. The menu's commands write whenever they are asked.
class Clockwork {
 public:
  // `log` gets a line when the station's data stop and when they return.
  Clockwork(const WeatherRecord& weather, StationState& station, const Settings& settings,
            const ProfileTable& profiles, const Clock& clock, Notifier& notifier, PortControl& port,
            ProductActions& products, const RegionalSettings& regional = RegionalSettings::german(),
            std::ostream& log = std::cerr);

  // Called whenever a timer's running state changes or its period should be
  // re-applied. The window then compares timerStates() with what its QTimers
  // do and restarts only the ones that differ.
  std::function<void()> onTimersChanged;
  // Called after the caption and the status panel texts were rewritten.
  std::function<void()> onTextsChanged;

  // The activation toggle ("Aktiv", F2, the tool-bar button).
  void toggleActive();
  // Activates or deactivates unless already so. An activation whose port
  // cannot be opened leaves the clockwork inactive (see isActive()).
  void setActive(bool active) {
    if (active != isActive()) toggleActive();
  }
  // The port setup dialog could not reopen the port with its new settings;
  // `reason` (one line) goes below the message.
  void portSetupFailed(const std::string& reason = "");
  // Why the port could not be opened at the last activation (the message's
  // text); empty once it opens or the activation is switched off.
  const std::string& portFailure() const { return activation_.failure(); }
  // Tries the failed activation again, without a further message; the window
  // calls it every kPortRetryMs as the service does.
  void retryActivation();
  static constexpr int kPortRetryMs = 10000;
  // The products made at an activation once every group kind has arrived.
  void createProductsOnActivation();

  void tmrSekundenTimer();
  void minutencountTimer();
  void importtimerTimer();
  void readtimerTimer();
  void logtimerTimer();

  // "JETZT Webseite erstellen!": the web page whatever the record holds.
  void webNow();

  // "JETZT Import erstellen!": the Import reports of every profile marked
  // WieWinGT, profile 1 included.
  void importNow();

  // The settings' timer periods were changed (for example by a dialog).
  void periodsChanged();
  // A settings dialog's OK set the import, read or log timer running or
  // stopped, whether the window is active or not; the periods are the
  // settings', which the dialog may have changed too.
  void takeOverTimers(const TimerRunning& running);

  // Rewrites the caption and status panels 1 to 5.
  void updateStatusTexts();

  // A group with a good checksum was decoded.
  void goodGroupArrived() { watch_.goodGroup(); }
  // A rain group was taken into the record: its counter goes into the rain
  // ledger and the rain of the recent spans follows at once.
  void rainGroupAccepted() { recent_.rainGroupAccepted(); }
  // A wind group was taken into the record.
  void windGroupAccepted() { recent_.windGroupAccepted(); }
  // The rain counter's course before the start (the archive's samples), so
  // that the last hour, the last 24 hours and today count from the first
  // start rather than from this one.
  void seedRain(std::vector<RainSample> samples) { recent_.seedRain(std::move(samples)); }
  // Whether timers may publish the record now.
  bool recordUsable() const;
  // Whether the last good group is less than a minute old.
  bool recordFresh() const { return watch_.fresh(); }
  // While active and no good group came for a minute: the window's warning
  // "keine Daten seit" with the PC time of the last good group (none before
  // the first).
  bool recordStale() const { return watch_.silent(); }
  const std::optional<LocalDateTime>& lastGoodGroup() const { return watch_.lastGoodGroup(); }
  // The time the band's warning names: the last good group, or the
  // activation when none came since the start.
  std::optional<LocalDateTime> silentSince() const { return watch_.silentSince(); }

  bool isActive() const { return activation_.isActive(); }
  bool toolButtonDown() const { return activation_.toolButtonDown(); }
  const std::string& caption() const { return texts_.caption(); }
  // Status panel 1..5 (Import, Read, Wetterlog, APRS, Laufzeit); panel 0
  // belongs to the ASYNOP report. Empty before the first updateStatusTexts; any
  // other number throws std::out_of_range.
  const std::string& panelText(int i) const { return texts_.panelText(i); }
  TimerStates timerStates() const { return timers_.states(); }
  // The status panel of the web page: "Web: m:ss" while active, "Web: –"
  // while inactive, "Kein Web" while WebIntervall is 0.
  const std::string& webPanelText() const { return texts_.webPanelText(); }

  uint32_t activeSeconds() const { return texts_.activeSeconds(); }

 private:
  void setActivationTimers(bool running);
  // Tells the window about changed timers; the plan notes which product
  // timers restart, as the window restarts exactly the ones that changed.
  void timersChanged();
  WebStatus webStatus() const;

  const StationState& station_;
  const Settings& settings_;
  const Clock& clock_;
  ProductActions& products_;
  DataWatch watch_;
  TimerPlan timers_;
  Activation activation_;
  StatusTexts texts_;
  RecentWeather recent_;
  ProductSchedule schedule_;
};

}  // namespace tavik
