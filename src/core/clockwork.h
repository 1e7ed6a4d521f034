// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/regional.h"
#include "core/data_watch.h"
#include "core/port_control.h"
#include "core/product_actions.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "settings/takeover.h"
#include "station/weather_record.h"
#include "values/rain_ledger.h"
#include "values/wind_mean.h"

namespace tavik {

// Whether one of the main window's timers should run, and its period. A timer
// fires only when it runs with a period above 0; the window never starts a
// QTimer at 0.
struct TimerState {
  bool running = false;
  int32_t periodMs = 0;

  bool fires() const { return running && periodMs > 0; }
  friend bool operator==(const TimerState&, const TimerState&) = default;
};

struct TimerStates {
  TimerState importtimer;
  TimerState readtimer;
  TimerState logtimer;
  TimerState minutencount;
  TimerState tmrSekunden;

  friend bool operator==(const TimerStates&, const TimerStates&) = default;
};

// The main window's activation, timers, countdowns and status texts, without
// any window: the window wires its QTimers and controls to this class.
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
  static constexpr int32_t kSecondPeriodMs = 1000;
  static constexpr int32_t kMinutePeriodMs = 60000;

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
  const std::string& portFailure() const { return portFailure_; }
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
  void rainGroupAccepted();
  // A wind group was taken into the record.
  void windGroupAccepted();
  // The rain counter's course before the start (the archive's samples), so
  // that the last hour, the last 24 hours and today count from the first
  // start rather than from this one.
  void seedRain(std::vector<RainSample> samples);
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

  bool isActive() const { return active_; }
  bool toolButtonDown() const { return toolButtonDown_; }
  const std::string& caption() const { return caption_; }
  // Status panel 1..5 (Import, Read, Wetterlog, APRS, Laufzeit); panel 0
  // belongs to the ASYNOP report. Empty before the first updateStatusTexts; any
  // other number throws std::out_of_range.
  const std::string& panelText(int i) const;
  TimerStates timerStates() const;
  // The status panel of the web page: "Web: m:ss" while active, "Web: –"
  // while inactive, "Kein Web" while WebIntervall is 0.
  const std::string& webPanelText() const { return webPanel_; }

  uint32_t activeSeconds() const { return activeSeconds_; }

 private:
  static constexpr int kPanels = 5;

  // A period as the timers use it: negative values never fire, like 0.
  static int32_t usablePeriod(int32_t ms) { return ms > 0 ? ms : 0; }
  int32_t importPeriod() const { return usablePeriod(settings_.ImportInterval); }
  int32_t readPeriod() const { return usablePeriod(settings_.ReadInterval); }
  int32_t logPeriod() const { return usablePeriod(settings_.LogInterval); }

  void setActivationTimers(bool running);
  void failActivation(const std::string& reason);
  // Tells the window about changed timers and notes when each product timer
  // was (re)started, as the window restarts exactly the ones that changed.
  void timersChanged();
  // "Import: 4:07": the time until the product timer fires next, counted from
  // its last start or tick with the injected clock.
  std::string countdownText(const char* label, size_t timer, int32_t periodMs) const;
  std::vector<LocalDateTime> minutesDue(const LocalDateTime& now);
  // The clock's offset from UTC, or Zeitzone where the system has no zone.
  int utcOffsetMinutes(const LocalDateTime& local) const;
  // Rewrites the rain of the recent spans in the station state from the
  // ledger, for the clock's present moment.
  void updateRain();
  // The ten minutes' mean wind in the station state, for the present moment.
  void updateWind();
  // Counts the web page's minutes down and writes it when they run out, once
  // every group kind has arrived; a stale record still gets its page, which
  // then says so.
  void webMinute();
  uint16_t webMinutes() const;
  WebStatus webStatus() const;
  // The profiles without WieWinGT whose Uhrzeit is one of these minutes.
  void writeScheduledProfiles(const std::vector<LocalDateTime>& minutes);
  // Writes the Import report of every profile from `first` to maxprofil that
  // is marked WieWinGT.
  void writeImportReports(int first);
  int lastProfile() const;

  const WeatherRecord& weather_;
  StationState& station_;
  const Settings& settings_;
  const ProfileTable& profiles_;
  const Clock& clock_;
  Notifier& notifier_;
  PortControl& port_;
  ProductActions& products_;
  const RegionalSettings& regional_;
  DataWatch watch_;

  std::string portFailure_;
  bool retrying_ = false;
  bool active_ = false;
  bool toolButtonDown_ = false;
  bool activationTimersRunning_ = false;
  bool importRunning_ = false;
  bool readRunning_ = false;
  bool logRunning_ = true;
  // The import, read and log timers as the window last applied them, and the
  // moment on the clock's steady milliseconds each started or last fired at.
  static constexpr size_t kImport = 0, kRead = 1, kLog = 2;
  std::array<TimerState, 3> applied_{};
  std::array<long long, 3> startedAt_{};
  uint16_t aprsCountdown_ = 0;
  uint16_t webCountdown_ = 0;
  // The intervals the APRS and web countdowns were last started from: a
  // changed setting restarts its countdown.
  int32_t aprsCountdownFrom_ = 0;
  uint16_t webCountdownFrom_ = 0;
  RainLedger rain_;
  WindMean wind_;
  uint8_t secondCountdown_ = 0;
  uint32_t activeSeconds_ = 0;
  std::optional<long long> lastMinuteHandled_;  // minute number, see minutesDue
  std::string caption_ = "Tavik Output - Inactive";
  std::array<std::string, kPanels> panels_{};
  std::string webPanel_ = "Web: –";
};

}  // namespace tavik
