// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "common/clock.h"
#include "settings/settings.h"
#include "station/weather_record.h"
#include "values/rain_ledger.h"
#include "values/wind_mean.h"

namespace tavik {

// The values beside the record that follow the clock: the rain of the last
// hour, the last 24 hours and today from the rain counter's course, the ten
// minutes' mean wind, and the ring of the last minutes' highest gusts. It
// writes them into the station state.
class RecentWeather {
 public:
  RecentWeather(const WeatherRecord& weather, StationState& station, const Settings& settings,
                const Clock& clock);

  // A rain group was taken into the record: its counter goes into the rain
  // ledger and the rain of the recent spans follows at once.
  void rainGroupAccepted();
  // A wind group was taken into the record.
  void windGroupAccepted();
  // The rain counter's course before the start (the archive's samples).
  void seedRain(std::vector<RainSample> samples);
  // Rewrites the rain of the recent spans for the clock's present moment:
  // the rolling spans move on, and local midnight starts a new day, also
  // while no rain group arrives.
  void updateRain();
  // A minute passed: its highest gust moves into the ring, and the rain and
  // the mean wind follow the clock.
  void minutePassed();

 private:
  // The clock's offset from UTC, or Zeitzone where the system has no zone.
  int utcOffsetMinutes(const LocalDateTime& local) const;
  // The ten minutes' mean wind in the station state, for the present moment.
  void updateWind();

  const WeatherRecord& weather_;
  StationState& station_;
  const Settings& settings_;
  const Clock& clock_;
  RainLedger rain_;
  WindMean wind_;
};

}  // namespace tavik
