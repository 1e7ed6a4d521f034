// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_update.h"

#include <algorithm>

#include "common/compass.h"
#include "station/word_tables.h"

namespace tavik {
namespace {

std::string pointName(int degrees) { return std::string(compassName(compassPoint(degrees))); }

constexpr const char* kNotArmed = "Alarm: n/a";
constexpr const char* kOutOfRange = "Out of Range!";
constexpr int kTrendPictures = 5;
constexpr int kForecastPictures = 9;

// The value texts of one group: formed from the record once the group has been
// decoded, otherwise the label's prefix followed by kNoValue.
class Texts {
 public:
  Texts(bool seen, int year, const RegionalSettings& rs) : seen_(seen), year_(year), rs_(rs) {}

  // `prefix` + `value` once seen; the prefix and kNoValue before.
  std::string value(const std::string& prefix, const std::string& value) const {
    return prefix + (seen_ ? value : kNoValue);
  }
  std::string alarm(bool armed, long long threshold, const char* suffix) const {
    if (!seen_) return kNoValue;
    return armed ? "Alarm bei " + std::to_string(threshold) + suffix : kNotArmed;
  }
  template <typename Stamp>
  StampText stamp(const Stamp& t) const {
    if (!seen_) return std::nullopt;
    return stationStampText(t.Hour, t.Minute, t.Day, t.Month, year_, rs_);
  }
  std::string tenths(long long value) const { return tenthsText(value, rs_); }
  bool seen() const { return seen_; }

 private:
  bool seen_;
  int year_;
  const RegionalSettings& rs_;
};

std::string whole(long long value) { return std::to_string(value); }

ExtremesTexts humidity(const Texts& t, const HumidityBlock& h) {
  ExtremesTexts out;
  out.current =
      h.OutOfRange && t.seen() ? kOutOfRange : t.value("Aktuell ", whole(h.Current) + "%");
  out.hi = t.value("Hi ", whole(h.Hi.Value) + "%");
  out.hiTime = t.stamp(h.Hi);
  out.lo = t.value("Lo ", whole(h.Lo.Value) + "%");
  out.loTime = t.stamp(h.Lo);
  out.alarmHi = t.alarm(h.AlarmHiOn, h.AlarmHi, "%");
  out.alarmLo = t.alarm(h.AlarmLoOn, h.AlarmLo, "%");
  return out;
}

// The indoor and outdoor groups place the blank before the unit differently.
ExtremesTexts temperature(const Texts& t, const TemperatureBlock& b, const char* currentUnit,
                          const char* extremeUnit) {
  ExtremesTexts out;
  out.current = t.value("Aktuell ", t.tenths(b.Current) + currentUnit);
  out.hi = t.value("Hi ", t.tenths(b.Hi.Value) + extremeUnit);
  out.hiTime = t.stamp(b.Hi);
  out.lo = t.value("Lo ", t.tenths(b.Lo.Value) + extremeUnit);
  out.loTime = t.stamp(b.Lo);
  out.alarmHi = t.alarm(b.AlarmHiOn, b.AlarmHi, "°F");
  out.alarmLo = t.alarm(b.AlarmLoOn, b.AlarmLo, "°F");
  return out;
}

DewPointTexts dewPoint(const Texts& t, const TemperatureBlock& d) {
  DewPointTexts out;
  out.current =
      d.OutOfRange && t.seen() ? kOutOfRange : t.value("Aktuell ", whole(d.Current) + "°C");
  out.hi = t.value("Hi ", whole(d.Hi.Value) + " °C");
  out.hiTime = t.stamp(d.Hi);
  out.lo = t.value("Lo ", whole(d.Lo.Value) + " °C");
  out.loTime = t.stamp(d.Lo);
  out.alarm = t.alarm(d.AlarmHiOn, d.AlarmHi, "°C");
  return out;
}

// A bar stays empty until its group has come.
int clampToBar(const Texts& t, long long value, const BarRange& r) {
  if (!t.seen()) return r.minimum;
  return static_cast<int>(std::clamp<long long>(value, r.minimum, r.maximum));
}

// The word after the label's prefix; empty when the label is no longer than
// it. The dash shown before the barometer group is a word of its own, so the
// first group replaces it even with a code whose word is empty.
std::string wordAfter(const std::string& label, size_t prefixLength) {
  return label.size() > prefixLength ? label.substr(prefixLength) : std::string();
}

std::optional<PictureChange> pictureStep(const std::string& label, const std::string& prefix,
                                         const std::string& word, int code, int pictures) {
  if (wordAfter(label, prefix.size()) == word) {
    return std::nullopt;
  }
  return PictureChange{prefix + word, code >= 0 && code < pictures ? code : -1};
}

BarometerTexts barometer(const Texts& t, const BaroBlock& b, const PictureLabels& before) {
  BarometerTexts out;
  out.local = t.value("Local: ", whole(b.Local) + " mb");
  out.seaLevel = t.value("Sealevel: ", t.tenths(b.SeaLevel) + " mb");
  if (t.seen()) {
    out.trend = pictureStep(before.trend, "Trend: ", trendText(b.Trend), b.Trend, kTrendPictures);
    out.forecast = pictureStep(before.forecast, "Vorhersage: ", forecastText(b.Forecast),
                               b.Forecast, kForecastPictures);
  }
  out.alarm = t.alarm(b.AlarmOn, b.Alarm, " mb");
  return out;
}

RainTexts rain(const Texts& t, const RainBlock& r, uint16_t rain24h) {
  RainTexts out;
  out.rate =
      r.RateOutOfRange && t.seen() ? kOutOfRange : t.value("Rate: ", whole(r.Rate) + " mm/h");
  out.yesterday = t.value("Gestern: ", whole(r.Yesterday) + " mm");
  out.total = t.value("Total: ", whole(r.Total) + " mm");
  out.since24h = t.value("Seit 24h: ", whole(rain24h) + " mm");
  out.totalSince = t.stamp(r.TotalSince);
  out.alarm = t.alarm(r.AlarmOn, r.Alarm, "inches/h");
  return out;
}

WindTexts wind(const Texts& t, const WindBlock& w, const StationState& state,
               std::array<std::string, 5>& rows) {
  WindTexts out;
  auto speedAndDir = [&t](unsigned speed, int dir) {
    return t.tenths(speed) + " m/s - " + whole(dir) + "°";
  };
  out.current = t.value("Aktuell: ", speedAndDir(w.Speed, w.Dir));
  out.average = t.value("Durchschnitt: ", speedAndDir(w.AvgSpeed, w.AvgDir));
  out.gust = t.value("Böe: ", speedAndDir(w.GustSpeed, w.GustDir));
  if (t.seen()) {
    out.currentPoint = pointName(w.Dir);
    out.averagePoint = pointName(w.AvgDir);
    out.gustPoint = pointName(w.GustDir);
  }
  unsigned fiveMinuteMax = 0;
  for (size_t k = 0; k < state.gustRing.size(); ++k) {
    fiveMinuteMax = std::max<unsigned>(fiveMinuteMax, state.gustRing[k]);
    rows[k] = t.seen() ? t.tenths(fiveMinuteMax) : kNoValue;
  }
  // The label also counts the minute under way, so it is never below the
  // wind shown beside it; the rows stay those of the finished minutes.
  out.fiveMinuteMax = t.value(
      "Max seit 5min: ", t.tenths(std::max<unsigned>(fiveMinuteMax, state.gustMaxMinute)) + " m/s");
  out.gustTime = t.stamp(w.GustTime);
  out.alarm = t.alarm(w.AlarmOn, w.Alarm, "inches/h");
  return out;
}

ChillTexts chill(const Texts& t, const ChillBlock& c) {
  ChillTexts out;
  out.current = t.value("Aktuell: ", whole(c.Current) + "°C");
  out.lo = t.value("Lo: ", whole(c.Lo.Value) + "°C");
  out.loTime = t.stamp(c.Lo);
  out.alarm = t.alarm(c.AlarmOn, c.Alarm, "inches/h");
  return out;
}

bool anySeen(const StationState& s) {
  return s.seen8F || s.seen9F || s.seenAF || s.seenBF || s.seenCF;
}

// Band "Letzte Abfrage": the station clock, or the PC's clock until the first
// clock group; empty until the first good group of any kind.
void stationClock(const WeatherRecord& wx, const StationState& state, const LocalDateTime& now,
                  const RegionalSettings& rs, DisplayUpdate& out) {
  if (!anySeen(state)) {
    out.time = "";
    out.date = "";
    return;
  }
  const ClockBlock& c = wx.Clock;
  if (c.Month != 0 && c.Day != 0) {
    if (c.Hour < 24 && c.Minute < 60 && c.Second < 60) {
      out.time = formatLongTime(c.Hour, c.Minute, c.Second, rs);
      if (isValidDate(now.year, c.Month, c.Day)) {
        out.date = formatShortDate(now.year, c.Month, c.Day, rs);
      }
    }
  } else {
    out.time = formatLongTime(now.hour, now.minute, now.second, rs);
    out.date = formatShortDate(now.year, now.month, now.day, rs);
  }
}

}  // namespace

std::optional<std::string> stationStampText(int hour, int minute, int day, int month, int year,
                                            const RegionalSettings& regional) {
  if (day == 0 || month == 0 || !isValidDate(year, month, day)) {
    return std::nullopt;
  }
  return twoDigits(hour) + ":" + twoDigits(minute) + "  " +
         formatShortDate(year, month, day, regional);
}

std::string displaySectionName(int section) {
  static const std::array<const char*, 8> names{
      "Zeit", "Temperatur", "Feuchtigkeit", "Taupunkt", "Barometer", "Wind", "Windchill", "Regen"};
  return section >= 0 && section < static_cast<int>(names.size()) ? names[section] : "";
}

std::string shownPanelText(int panel, bool active, const std::string& clockworkText) {
  static const std::array<const char*, 5> names{"Import", "Read", "Wetterlog", "APRS", "Laufzeit"};
  const std::string blank = std::string(names.at(static_cast<size_t>(panel - 1))) + ": " + kNoValue;
  if (clockworkText.empty()) return blank;
  if (panel == 5 || clockworkText.rfind("Kein ", 0) == 0) return clockworkText;
  return active ? clockworkText : blank;
}

DisplayUpdate computeDisplayUpdate(const WeatherRecord& wx, const StationState& state,
                                   const Clock& clock, const RegionalSettings& rs,
                                   const PictureLabels& before) {
  DisplayUpdate out;
  const LocalDateTime now = clock.now();
  const Texts clockGroup(state.seen8F, now.year, rs);
  const Texts temperatures(state.seen9F, now.year, rs);
  const Texts baroGroup(state.seenAF, now.year, rs);
  const Texts rainGroup(state.seenBF, now.year, rs);
  const Texts windGroup(state.seenCF, now.year, rs);

  stationClock(wx, state, now, rs, out);
  if (!anySeen(state)) {
    out.alarmClock = "";
  } else if (!state.seen8F) {
    out.alarmClock = std::string("Alarm: ") + kNoValue;
  } else {
    out.alarmClock = wx.AlarmClock.On ? "Alarm um " + whole(wx.AlarmClock.Hour) + ":" +
                                            whole(wx.AlarmClock.Minute)
                                      : kNotArmed;
  }

  out.humIn = humidity(clockGroup, wx.HumIn);
  out.bars.humIn = clampToBar(clockGroup, wx.HumIn.Current, kHumidityBarRange);
  out.humOut = humidity(clockGroup, wx.HumOut);
  out.bars.humOut = clampToBar(clockGroup, wx.HumOut.Current, kHumidityBarRange);
  out.tempIn = temperature(temperatures, wx.TempIn, " °C", "°C");
  out.bars.tempIn = clampToBar(temperatures, wx.TempIn.Current / 10, kIndoorTemperatureRange);
  out.tempOut = temperature(temperatures, wx.TempOut, "°C", " °C");
  out.bars.tempOut = clampToBar(temperatures, wx.TempOut.Current / 10, kOutdoorTemperatureRange);
  out.baro = barometer(baroGroup, wx.Baro, before);
  out.dewIn = dewPoint(baroGroup, wx.DewIn);
  out.dewOut = dewPoint(baroGroup, wx.DewOut);
  out.rain = rain(rainGroup, wx.Rain, state.rain24h);
  out.bars.wind = clampToBar(windGroup, roundHalfEven(wx.Wind.Speed / 10.0), kWindBarRange);
  out.wind = wind(windGroup, wx.Wind, state, out.windRows);
  out.chill = chill(windGroup, wx.Chill);

  if (windGroup.seen()) out.batteryLow = wx.BatteryLow;
  out.power = windGroup.seen() ? (wx.PowerDc ? "DC" : "AC") : kNoValue;
  out.displaySection = windGroup.seen() ? displaySectionName(wx.DisplaySection) : kNoValue;
  return out;
}

std::string staleDataText(const std::optional<LocalDateTime>& silentSince,
                          const RegionalSettings& regional) {
  if (!silentSince) return {};
  return "keine Daten seit " + formatDateTime("hh:nn", *silentSince, regional);
}

}  // namespace tavik
