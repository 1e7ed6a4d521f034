// SPDX-License-Identifier: GPL-3.0-or-later
#include "values/published_values.h"

#include <algorithm>

#include "common/compass.h"
#include "station/word_tables.h"

namespace tavik {

namespace {

template <typename T>
std::optional<int> when(bool present, T value) {
  if (!present) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<std::string> presentWord(bool present, const std::string& word) {
  if (!present || word.empty()) return std::nullopt;
  return word;
}

PublishedValues publishedValues(const WeatherRecord& w, const StationState& s) {
  PublishedValues v;
  v.tempOut = when(s.seen9F, w.TempOut.Current);
  v.tempIn = when(s.seen9F, w.TempIn.Current);
  v.humOut = when(s.seen8F && !w.HumOut.OutOfRange, w.HumOut.Current);
  v.humIn = when(s.seen8F && !w.HumIn.OutOfRange, w.HumIn.Current);
  v.dewOut = outdoorDewPoint(w, s);
  v.dewIn = indoorDewPoint(w, s);
  v.windChill = when(s.seenCF, w.Chill.Current);

  v.pressureLocal = when(s.seenAF, w.Baro.Local);
  v.seaLevel = when(s.seenAF, w.Baro.SeaLevel);
  v.trend = presentWord(s.seenAF, trendText(w.Baro.Trend));
  v.forecast = presentWord(s.seenAF, forecastText(w.Baro.Forecast));

  const bool wind = s.seenCF;
  v.windSpeed = when(wind, w.Wind.Speed);
  v.windAvgSpeed = when(wind, w.Wind.AvgSpeed);
  v.gustSpeed = when(wind, w.Wind.GustSpeed);
  v.gust5min = when(wind, *std::max_element(s.gustRing.begin(), s.gustRing.end()));
  v.windDir = when(wind, w.Wind.Dir);
  v.windAvgDir = when(wind, w.Wind.AvgDir);
  v.gustDir = when(wind, w.Wind.GustDir);
  v.compassPoint =
      presentWord(wind, std::string(compassName(compassPoint(static_cast<int>(w.Wind.Dir)))));

  const bool rain = s.seenBF;
  v.rainRate = when(rain && !w.Rain.RateOutOfRange, w.Rain.Rate);
  v.rainYesterday = when(rain, w.Rain.Yesterday);
  v.rainTotal = when(rain, w.Rain.Total);
  v.rainLastHour = when(rain, s.rainLastHour);
  v.rain24h = when(rain, s.rain24h);
  v.rainToday = when(rain, s.rainSinceMidnight);
  if (rain) v.rainSince = s.rainSince;
  return v;
}

}  // namespace tavik
