// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_schedule.h"

#include <algorithm>
#include <string>

#include "core/product_gate.h"

namespace tavik {

namespace {

// The most wall-clock minutes a minute tick makes up for.
constexpr long long kMaxSkippedMinutes = 5;

// Minutes since 1970-01-01 00:00 of a local time.
long long minuteNumber(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

}  // namespace

ProductSchedule::ProductSchedule(const StationState& station, const Settings& settings,
                                 const ProfileTable& profiles, ProductActions& products,
                                 const RegionalSettings& regional)
    : station_(station),
      settings_(settings),
      profiles_(profiles),
      products_(products),
      regional_(regional) {}

void ProductSchedule::activated() {
  lastMinuteHandled_.reset();
  aprs_.restart(aprsMinutes());
  web_.restart(webMinutes());
}

void ProductSchedule::periodsChanged() {
  if (aprsMinutes() != aprs_.from) aprs_.restart(aprsMinutes());
  if (webMinutes() != web_.from) web_.restart(webMinutes());
}

void ProductSchedule::minutePassed(const LocalDateTime& now, bool active, bool usable,
                                   const WebStatus& web) {
  const std::vector<LocalDateTime> minutes = minutesDue(now);
  aprsMinute(active, usable);
  if (usable) writeScheduledProfiles(minutes);
  webMinute(web);
  products_.asynopMinuteTick(usable);
  products_.archiveMinuteTick(active && usable);
}

void ProductSchedule::aprsMinute(bool active, bool usable) {
  if (aprs_.left != 0) --aprs_.left;
  if (!active || aprs_.left != 0 || aprsMinutes() == 0) return;
  if (usable) products_.writeAprsFile();
  aprs_.restart(aprsMinutes());
}

void ProductSchedule::webMinute(const WebStatus& web) {
  if (web_.left != 0) --web_.left;
  if (web_.left != 0) return;
  if (webMinutes() != 0 && ProductGate::of(station_, !web.stale).open(GateMode::Complete)) {
    products_.writeWebPage(web);
  }
  web_.restart(webMinutes());
}

uint16_t ProductSchedule::webMinutes() const {
  return static_cast<uint16_t>(std::clamp<int32_t>(settings_.WebIntervall, 0, UINT16_MAX));
}

// The wall-clock minutes whose time-of-day steps (daily rain reset, daily
// profiles) this tick runs: its own minute, unless an earlier tick already ran
// it, and the minutes a late or early tick skipped since the last one. A timer
// is not bound to the wall clock, so without this a daily report could be
// written twice or not at all. After a jump of the clock only the current
// minute counts.
std::vector<LocalDateTime> ProductSchedule::minutesDue(const LocalDateTime& now) {
  const long long minute = minuteNumber(now);
  long long skipped = 0;
  if (lastMinuteHandled_) {
    if (minute == *lastMinuteHandled_) return {};
    skipped = minute - *lastMinuteHandled_ - 1;
    if (skipped < 0 || skipped > kMaxSkippedMinutes) skipped = 0;
  }
  lastMinuteHandled_ = minute;
  std::vector<LocalDateTime> due;
  for (long long k = skipped; k >= 0; --k) due.push_back(addSeconds(now, -60 * k));
  return due;
}

void ProductSchedule::writeScheduledProfiles(const std::vector<LocalDateTime>& minutes) {
  for (const LocalDateTime& minute : minutes) {
    const std::string timeOfDay = formatDateTime("hh:nn", minute, regional_);
    for (int n = 2; n <= lastProfile(); ++n) {
      const ProfileEntry& profile = profiles_[n];
      if (!profile.WieWinGT && profile.Uhrzeit == timeOfDay) products_.writeProfileReport(n);
    }
  }
}

void ProductSchedule::writeImportReports(int first) {
  for (int n = first; n <= lastProfile(); ++n) {
    if (profiles_[n].WieWinGT) products_.writeProfileReport(n);
  }
}

// maxprofil is an 8-bit count; the table holds 100 profiles.
int ProductSchedule::lastProfile() const {
  return std::min<int>(profiles_.maxprofil, kMaxProfiles);
}

}  // namespace tavik
