// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_values.h"

#include <algorithm>

#include "products/rain_gauge.h"

namespace tavik {

namespace {

template <typename T>
std::optional<double> when(bool present, T value, double scale = 1.0) {
  if (!present) return std::nullopt;
  return static_cast<double>(value) * scale;
}

}  // namespace

std::optional<std::time_t> utcSeconds(const LocalDateTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return std::nullopt;
  return t;
}

UploadValues uploadValues(const WeatherRecord& w, const StationState& s, const Settings& settings,
                          const std::optional<LocalDateTime>& observed) {
  const double rainScale = settings.NormalRegen ? 1.0 : 1.0 / kConvertedGaugeFactor;
  const uint16_t gust = *std::max_element(s.gustRing.begin(), s.gustRing.end());
  UploadValues v;
  if (observed) v.observedUtc = utcSeconds(*observed);
  v.temperatureC = when(s.seen9F, w.TempOut.Current, 0.1);
  v.indoorTemperatureC = when(s.seen9F, w.TempIn.Current, 0.1);
  v.humidityPercent = when(s.seen8F && !w.HumOut.OutOfRange, w.HumOut.Current);
  v.indoorHumidityPercent = when(s.seen8F && !w.HumIn.OutOfRange, w.HumIn.Current);
  v.dewPointC = when(s.seenAF && !w.DewOut.OutOfRange, w.DewOut.Current);
  v.pressureHpa = when(s.seenAF, w.Baro.SeaLevel, 0.1);
  v.windSpeedMs = when(s.seenCF, w.Wind.AvgSpeed, 0.1);
  v.windGustMs = when(s.seenCF, std::max(gust, w.Wind.AvgSpeed), 0.1);
  v.windDirection = when(s.seenCF, w.Wind.AvgDir);
  v.rain24hMm = when(s.seenBF, s.rain24h, rainScale);
  v.rainSinceMidnightMm = when(s.seenBF, s.rainSinceMidnight, rainScale);
  return v;
}

}  // namespace tavik
