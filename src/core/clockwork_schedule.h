// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "core/product_actions.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "station/weather_record.h"

namespace tavik {

// A product written every so many minutes: the minutes still to go, and the
// interval they were last started from, so that a changed setting restarts
// the count.
struct MinuteCountdown {
  uint16_t left = 0;
  uint16_t from = 0;

  void restart(uint16_t minutes) { left = from = minutes; }
};

// What the minute tick writes: the APRS file every APRSIntervall minutes
// while active, the web page every WebIntervall minutes, the profiles without
// WieWinGT at their Uhrzeit, and the ASYNOP and archive minute steps. It also
// writes the Import reports of the profiles marked WieWinGT when asked.
class ProductSchedule {
 public:
  ProductSchedule(const StationState& station, const Settings& settings,
                  const ProfileTable& profiles, ProductActions& products,
                  const RegionalSettings& regional);

  // The port opened: minutes passed while inactive are not made up for, and
  // the APRS and web countdowns start from their intervals.
  void activated();
  // A changed APRS or web interval restarts its countdown, so that the
  // interval in force counts (also one read after an activation at start)
  // and a countdown started from 0 does not wait for its minute tick.
  void periodsChanged();
  // One minute tick at the clock's `now`. `usable` says whether the record
  // may be published; the web page is written from a stale record too, with
  // `web` saying so.
  void minutePassed(const LocalDateTime& now, bool active, bool usable, const WebStatus& web);
  // Writes the Import report of every profile from `first` to maxprofil that
  // is marked WieWinGT.
  void writeImportReports(int first);

  const MinuteCountdown& aprs() const { return aprs_; }
  const MinuteCountdown& web() const { return web_; }
  uint16_t aprsMinutes() const { return settings_.APRSIntervall; }
  // WebIntervall as a count of minutes (0 for none).
  uint16_t webMinutes() const;

 private:
  void aprsMinute(bool active, bool usable);
  // Counts the web page's minutes down and writes it when they run out, once
  // every group kind has arrived.
  void webMinute(const WebStatus& web);
  std::vector<LocalDateTime> minutesDue(const LocalDateTime& now);
  // The profiles without WieWinGT whose Uhrzeit is one of these minutes.
  void writeScheduledProfiles(const std::vector<LocalDateTime>& minutes);
  int lastProfile() const;

  const StationState& station_;
  const Settings& settings_;
  const ProfileTable& profiles_;
  ProductActions& products_;
  const RegionalSettings& regional_;
  MinuteCountdown aprs_;
  MinuteCountdown web_;
  std::optional<long long> lastMinuteHandled_;  // minute number, see minutesDue
};

}  // namespace tavik
