// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/data_watch.h"

#include "common/regional.h"

namespace tavik {

namespace {

long long secondNumber(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

// Seconds from `since` to `now`; negative when the clock went back.
long long secondsBetween(const LocalDateTime& since, const LocalDateTime& now) {
  return secondNumber(now) - secondNumber(since);
}

}  // namespace

DataWatch::DataWatch(const Clock& clock, std::ostream& log) : clock_(clock), log_(log) {}

void DataWatch::goodGroup() {
  lastGood_ = clock_.now();
  if (silent_) {
    silent_ = false;
    log_ << "Station: Daten wieder da seit "
         << formatDateTime("hh:nn:ss", *lastGood_, RegionalSettings::german()) << std::endl;
  }
}

void DataWatch::setActive(bool active) {
  if (active) {
    activeSince_ = clock_.now();
  } else {
    activeSince_.reset();
    silent_ = false;
  }
}

void DataWatch::check() {
  if (silent_ || !activeSince_) return;
  // A group from before the activation does not shorten the silence.
  const LocalDateTime& since =
      lastGood_ && secondsBetween(*activeSince_, *lastGood_) > 0 ? *lastGood_ : *activeSince_;
  const long long quiet = secondsBetween(since, clock_.now());
  if (quiet >= 0 && quiet < kStaleAfterSeconds) return;
  silent_ = true;
  silentFrom_ = lastGood_ ? *lastGood_ : *activeSince_;
  log_ << "Station: keine Daten seit "
       << formatDateTime("hh:nn", *silentFrom_, RegionalSettings::german()) << std::endl;
}

std::optional<LocalDateTime> DataWatch::silentSince() const {
  return silent_ ? silentFrom_ : std::nullopt;
}

bool DataWatch::fresh() const {
  if (!lastGood_) return false;
  const long long age = secondsBetween(*lastGood_, clock_.now());
  return age >= 0 && age < kStaleAfterSeconds;
}

}  // namespace tavik
