// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/record_row.h"

#include "archive/plausible_values.h"
#include "common/clock.h"

namespace tavik {

namespace {

std::optional<int64_t> consoleClock(const ClockBlock& c, int year) {
  if (c.Month == 0 || c.Day == 0 || !isValidDate(year, c.Month, c.Day) || c.Hour > 23 ||
      c.Minute > 59 || c.Second > 59)
    return std::nullopt;
  return daysFromCivil(year, c.Month, c.Day) * 86400 + c.Hour * 3600 + c.Minute * 60 + c.Second;
}

template <typename T>
std::optional<int32_t> when(bool present, T value) {
  return present ? std::optional<int32_t>(static_cast<int32_t>(value)) : std::nullopt;
}

}  // namespace

ArchiveRow archiveRowOf(const WeatherRecord& w, const StationState& s, int64_t utc,
                        int32_t interval, int pcYear, const std::optional<IntervalGust>& gust) {
  ArchiveRow r;
  r.time = utc;
  r.interval = interval;
  if (s.seen8F) {
    r.consoleTime = consoleClock(w.Clock, pcYear);
    r.humOut = when(!w.HumOut.OutOfRange, w.HumOut.Current);
    r.humIn = when(!w.HumIn.OutOfRange, w.HumIn.Current);
  }
  if (s.seen9F) {
    r.tempOut = w.TempOut.Current;
    r.tempIn = w.TempIn.Current;
  }
  if (s.seenAF) {
    r.dewOut = when(!w.DewOut.OutOfRange, w.DewOut.Current);
    r.dewIn = when(!w.DewIn.OutOfRange, w.DewIn.Current);
    r.baroLocal = w.Baro.Local;
    r.baroSea = w.Baro.SeaLevel;
    r.trend = when(w.Baro.Trend != 0, w.Baro.Trend);
    r.forecast = when(w.Baro.Forecast != 0, w.Baro.Forecast);
  }
  if (s.seenBF) {
    r.rainRate = when(!w.Rain.RateOutOfRange, w.Rain.Rate);
    r.rainTotal = w.Rain.Total;
  }
  if (s.seenCF) {
    r.windSpeed = w.Wind.Speed;
    r.windAvg = w.Wind.AvgSpeed;
    r.windDir = w.Wind.Dir;
    r.windAvgDir = w.Wind.AvgDir;
    if (gust) {
      r.gust = gust->speed;
      r.gustDir = gust->dir;
    }
    r.chill = w.Chill.Current;
  }
  if (s.seen8F || s.seenAF || s.seenBF || s.seenCF) {
    int32_t flags = 0;
    if (w.HumOut.OutOfRange) flags |= kHumOutOutOfRange;
    if (w.HumIn.OutOfRange) flags |= kHumInOutOfRange;
    if (w.DewOut.OutOfRange) flags |= kDewOutOutOfRange;
    if (w.DewIn.OutOfRange) flags |= kDewInOutOfRange;
    if (w.Rain.RateOutOfRange) flags |= kRainRateOutOfRange;
    if (w.Wind.SpeedFlag) flags |= kWindSpeedFlag;
    if (w.Wind.AvgFlag) flags |= kWindAvgFlag;
    if (w.Wind.GustFlag) flags |= kGustFlag;
    r.outOfRange = flags;
  }
  // The battery flag comes with the wind group.
  if (s.seenCF) r.batteryLow = w.BatteryLow;
  dropImplausible(r);
  return r;
}

}  // namespace tavik
