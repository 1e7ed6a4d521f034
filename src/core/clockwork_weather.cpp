// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_weather.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace tavik {

namespace {

constexpr long long kSecondsPerHour = 3600;
constexpr long long kSecondsPerDay = 86400;

}  // namespace

RecentWeather::RecentWeather(const WeatherRecord& weather, StationState& station,
                             const Settings& settings, const Clock& clock)
    : weather_(weather), station_(station), settings_(settings), clock_(clock) {}

void RecentWeather::rainGroupAccepted() {
  const LocalDateTime now = clock_.now();
  rain_.add(utcSeconds(now, utcOffsetMinutes(now)), weather_.Rain.Total);
  updateRain();
}

void RecentWeather::windGroupAccepted() {
  wind_.add(clock_.steadyMilliseconds() / 1000, weather_.Wind.Speed, weather_.Wind.Dir);
  updateWind();
}

void RecentWeather::seedRain(std::vector<RainSample> samples) {
  rain_.seed(std::move(samples));
  updateRain();
}

void RecentWeather::minutePassed() {
  auto& ring = station_.gustRing;
  std::shift_left(ring.begin(), ring.end(), 1);
  ring.back() = station_.gustMaxMinute;
  station_.gustMaxMinute = 0;
  updateRain();
  updateWind();
}

int RecentWeather::utcOffsetMinutes(const LocalDateTime& local) const {
  return clock_.zoneOffsetMinutes(local, settings_.Zeitzone);
}

void RecentWeather::updateWind() {
  const std::optional<WindMean::Mean> mean = wind_.mean(clock_.steadyMilliseconds() / 1000);
  station_.wind10min.reset();
  if (mean) {
    station_.wind10min = StationState::MeanWind{static_cast<uint16_t>(mean->speedTenths),
                                                static_cast<uint16_t>(mean->dirDegrees)};
  }
}

// Each span's rain is the counter's rise since the span's start (local
// midnight in the zone of that midnight, so that a day of 23 or 25 hours
// counts whole). A span the ledger has not seen whole counts from the first
// rain group, and rainSince says from when.
void RecentWeather::updateRain() {
  const LocalDateTime now = clock_.now();
  const long long nowUtc = utcSeconds(now, utcOffsetMinutes(now));
  const LocalDateTime midnight{now.year, now.month, now.day, 0, 0, 0, 0};
  const long long midnightUtc = utcSeconds(midnight, utcOffsetMinutes(midnight));
  const auto amount = [](const std::optional<RainSum>& sum) {
    return static_cast<uint16_t>(sum ? std::clamp(sum->amount, 0, UINT16_MAX) : 0);
  };
  const std::optional<RainSum> day = rain_.since(nowUtc - kSecondsPerDay);
  station_.rainLastHour = amount(rain_.since(nowUtc - kSecondsPerHour));
  station_.rain24h = amount(day);
  station_.rainSinceMidnight = amount(rain_.since(midnightUtc));
  station_.rainSince.reset();
  if (day && !day->whole) station_.rainSince = addSeconds(now, day->fromUtcSecond - nowUtc);
}

}  // namespace tavik
