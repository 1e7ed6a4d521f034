// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/current_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/regional.h"
#include "products/weather_log_summary.h"
#include "values/published_values.h"

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

std::optional<long long> number(const std::optional<int>& v) {
  return v ? std::optional<long long>(*v) : std::nullopt;
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

std::string optionalTime(const std::optional<LocalDateTime>& t, int offset) {
  return t ? jsonString(isoTimeText(*t, offset)) : "null";
}

std::string windJson(const PublishedValues& v) {
  return JsonObject()
      .tenths("speed", number(v.windSpeed))
      .tenths("averageSpeed", number(v.windAvgSpeed))
      .tenths("gust5min", number(v.gust5min))
      .whole("direction", number(v.windDir))
      .whole("averageDirection", number(v.windAvgDir))
      .text("compassPoint", v.compassPoint)
      .done();
}

std::string rainJson(const PublishedValues& v, int offset) {
  return JsonObject()
      .whole("rate", number(v.rainRate))
      .whole("yesterday", number(v.rainYesterday))
      .whole("total", number(v.rainTotal))
      .whole("lastHour", number(v.rainLastHour))
      .whole("last24h", number(v.rain24h))
      .whole("today", number(v.rainToday))
      .raw("since", optionalTime(v.rainSince, offset))
      .done();
}

// The console's dew point, or one computed from temperature and humidity
// where it gives none, and which of the two it is.
std::string dewPointJson(const PublishedValues& v) {
  const auto tenths = [](const std::optional<DewPoint>& d) {
    return d ? std::optional<long long>(d->tenths) : std::nullopt;
  };
  const auto computed = [](const std::optional<DewPoint>& d) -> std::string {
    return d ? (d->computed ? "true" : "false") : "null";
  };
  return JsonObject()
      .tenths("outdoor", tenths(v.dewOut))
      .tenths("indoor", tenths(v.dewIn))
      .raw("outdoorComputed", computed(v.dewOut))
      .raw("indoorComputed", computed(v.dewIn))
      .done();
}

std::string pressureJson(const PublishedValues& v) {
  return JsonObject()
      .whole("local", number(v.pressureLocal))
      .tenths("seaLevel", number(v.seaLevel))
      .text("trend", v.trend)
      .text("forecast", v.forecast)
      .done();
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
  // Without any zone the system keeps UTC.
  return systemUtcOffsetMinutes(t).value_or(0);
}

std::string currentJson(const CurrentJsonInput& in) {
  const PublishedValues v = publishedValues(in.weather, in.state);
  const int offset = in.utcOffsetMinutes;
  const TodayExtremes& today = in.today;
  return JsonObject()
             .text("station", in.station)
             .raw("generated", jsonString(isoTimeText(in.generated, offset)))
             .raw("lastGroup", optionalTime(in.lastGroup, offset))
             .raw("stale", in.stale ? "true" : "false")
             .raw("temperature", JsonObject()
                                     .tenths("outdoor", number(v.tempOut))
                                     .tenths("indoor", number(v.tempIn))
                                     .done())
             .raw("humidity", JsonObject()
                                  .whole("outdoor", number(v.humOut))
                                  .whole("indoor", number(v.humIn))
                                  .done())
             .raw("dewPoint", dewPointJson(v))
             .whole("windChill", number(v.windChill))
             .raw("pressure", pressureJson(v))
             .raw("wind", windJson(v))
             .raw("rain", rainJson(v, offset))
             .raw("today", JsonObject()
                               .raw("temperature", extremeJson(today.temperature, offset))
                               .raw("humidity", extremeJson(today.humidity, offset))
                               .raw("pressure", extremeJson(today.pressure, offset))
                               .done())
             .done() +
         "\n";
}

}  // namespace tavik
