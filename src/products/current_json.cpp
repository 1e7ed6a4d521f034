// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/current_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "common/regional.h"
#include "products/weather_log_summary.h"
#include "station/word_tables.h"

namespace tavik {
namespace {

// A number given in tenths as the shortest JSON number: 215 -> 21.5, 200 -> 20.
std::string tenthsNumber(long long tenths) {
  const unsigned long long magnitude =
      tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths) : tenths;
  std::string out = tenths < 0 ? "-" : "";
  out += std::to_string(magnitude / 10);
  if (magnitude % 10 != 0) {
    out += '.';
    out += static_cast<char>('0' + magnitude % 10);
  }
  return out;
}

// Builds one JSON object member by member, with `null` for absent values.
class JsonObject {
 public:
  JsonObject& raw(std::string_view name, const std::string& valueText) {
    out_ += out_.empty() ? "{" : ",";
    out_ += jsonString(name);
    out_ += ':';
    out_ += valueText;
    return *this;
  }
  JsonObject& tenths(std::string_view name, std::optional<long long> v) {
    return raw(name, v ? tenthsNumber(*v) : "null");
  }
  JsonObject& whole(std::string_view name, std::optional<long long> v) {
    return raw(name, v ? std::to_string(*v) : "null");
  }
  JsonObject& text(std::string_view name, std::optional<std::string> v) {
    return raw(name, v ? jsonString(*v) : "null");
  }
  std::string done() const { return out_.empty() ? "{}" : out_ + "}"; }

 private:
  std::string out_;
};

template <typename T>
std::optional<long long> when(bool present, T value) {
  if (!present) return std::nullopt;
  return static_cast<long long>(value);
}

std::optional<std::string> word(bool present, const std::string& w) {
  if (!present || w.empty()) return std::nullopt;
  return w;
}

std::string extremeJson(const DayExtreme& e, int offset) {
  JsonObject o;
  auto add = [&](std::string_view name, const std::optional<TimedValue>& v) {
    o.tenths(name, v ? std::optional<long long>(std::llround(v->value * 10)) : std::nullopt);
    o.text(std::string(name) + "Time",
           v ? std::optional<std::string>(isoTimeText(v->time, offset)) : std::nullopt);
  };
  add("min", e.min);
  add("max", e.max);
  return o.done();
}

std::string windJson(const WeatherRecord& w, const StationState& s) {
  const bool seen = s.seenCF;
  const uint16_t fiveMinuteMax = *std::max_element(s.gustRing.begin(), s.gustRing.end());
  return JsonObject()
      .tenths("speed", when(seen, w.Wind.Speed))
      .tenths("averageSpeed", when(seen, w.Wind.AvgSpeed))
      .tenths("gust5min", when(seen, fiveMinuteMax))
      .whole("direction", when(seen, w.Wind.Dir))
      .whole("averageDirection", when(seen, w.Wind.AvgDir))
      .text("compassPoint",
            word(seen, std::string(compassName(compassPoint(static_cast<int>(w.Wind.Dir))))))
      .done();
}

std::string rainJson(const WeatherRecord& w, const StationState& s) {
  const bool seen = s.seenBF;
  return JsonObject()
      .whole("rate", when(seen && !w.Rain.RateOutOfRange, w.Rain.Rate))
      .whole("yesterday", when(seen, w.Rain.Yesterday))
      .whole("total", when(seen, w.Rain.Total))
      .whole("last24h", when(seen, s.rain24h))
      .done();
}

std::string pressureJson(const WeatherRecord& w, const StationState& s) {
  const bool seen = s.seenAF;
  return JsonObject()
      .whole("local", when(seen, w.Baro.Local))
      .tenths("seaLevel", when(seen, w.Baro.SeaLevel))
      .text("trend", word(seen, trendText(w.Baro.Trend)))
      .text("forecast", word(seen, forecastText(w.Baro.Forecast)))
      .done();
}

std::string optionalTime(const std::optional<LocalDateTime>& t, int offset) {
  return t ? jsonString(isoTimeText(*t, offset)) : "null";
}

}  // namespace

std::string isoTimeText(const LocalDateTime& t, int utcOffsetMinutes) {
  const int magnitude = std::abs(utcOffsetMinutes);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, utcOffsetMinutes < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
  return buf;
}

int localUtcOffsetMinutes(const LocalDateTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;
  const std::time_t utc = std::mktime(&tm);
  std::tm local{};
  if (utc == static_cast<std::time_t>(-1) || localtime_r(&utc, &local) == nullptr) return 0;
  return static_cast<int>(local.tm_gmtoff / 60);
}

std::string currentJson(const CurrentJsonInput& in) {
  const WeatherRecord& w = in.weather;
  const StationState& s = in.state;
  const int offset = in.utcOffsetMinutes;
  const TodayExtremes& today = in.today;
  return JsonObject()
             .text("station", in.station)
             .raw("generated", jsonString(isoTimeText(in.generated, offset)))
             .raw("lastGroup", optionalTime(in.lastGroup, offset))
             .raw("stale", in.stale ? "true" : "false")
             .raw("temperature", JsonObject()
                                     .tenths("outdoor", when(s.seen9F, w.TempOut.Current))
                                     .tenths("indoor", when(s.seen9F, w.TempIn.Current))
                                     .done())
             .raw("humidity",
                  JsonObject()
                      .whole("outdoor", when(s.seen8F && !w.HumOut.OutOfRange, w.HumOut.Current))
                      .whole("indoor", when(s.seen8F && !w.HumIn.OutOfRange, w.HumIn.Current))
                      .done())
             .raw("dewPoint",
                  JsonObject()
                      .whole("outdoor", when(s.seenAF && !w.DewOut.OutOfRange, w.DewOut.Current))
                      .whole("indoor", when(s.seenAF && !w.DewIn.OutOfRange, w.DewIn.Current))
                      .done())
             .whole("windChill", when(s.seenCF, w.Chill.Current))
             .raw("pressure", pressureJson(w, s))
             .raw("wind", windJson(w, s))
             .raw("rain", rainJson(w, s))
             .raw("today", JsonObject()
                               .raw("temperature", extremeJson(today.temperature, offset))
                               .raw("humidity", extremeJson(today.humidity, offset))
                               .raw("pressure", extremeJson(today.pressure, offset))
                               .done())
             .done() +
         "\n";
}

}  // namespace tavik
