// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_fields.h"

namespace tavik {
namespace {

class FieldList {
 public:
  void number(const std::string& path, int64_t value) { fields_.push_back({path, value, false}); }
  void flag(const std::string& path, bool value) { fields_.push_back({path, value ? 1 : 0, true}); }

  // The four time fields of a StationTime or a MinMaxEntry.
  template <class Moment>
  void time(const std::string& prefix, const Moment& t) {
    number(prefix + ".Minute", t.Minute);
    number(prefix + ".Hour", t.Hour);
    number(prefix + ".Day", t.Day);
    number(prefix + ".Month", t.Month);
  }
  void minMax(const std::string& prefix, const MinMaxEntry& e, bool withFlag) {
    time(prefix, e);
    number(prefix + ".Value", e.Value);
    if (withFlag) flag(prefix + ".Flag", e.Flag);
  }
  // Current value, both thresholds and both extremes with their flags.
  template <class Block>
  void thresholdsAndExtremes(const std::string& prefix, const Block& b) {
    number(prefix + ".Current", b.Current);
    number(prefix + ".AlarmLo", b.AlarmLo);
    number(prefix + ".AlarmHi", b.AlarmHi);
    minMax(prefix + ".Lo", b.Lo, true);
    minMax(prefix + ".Hi", b.Hi, true);
  }
  void humidity(const std::string& prefix, const HumidityBlock& h) {
    thresholdsAndExtremes(prefix, h);
    flag(prefix + ".OutOfRange", h.OutOfRange);
    flag(prefix + ".AlarmHiOn", h.AlarmHiOn);
    flag(prefix + ".AlarmLoOn", h.AlarmLoOn);
  }
  void temperature(const std::string& prefix, const TemperatureBlock& t) {
    thresholdsAndExtremes(prefix, t);
    flag(prefix + ".AlarmHiOn", t.AlarmHiOn);
    flag(prefix + ".AlarmLoOn", t.AlarmLoOn);
    flag(prefix + ".Positive", t.Positive);
  }
  // The barometer group carries no low threshold, no sign and no extreme
  // flags of the dew points.
  void dewPoint(const std::string& prefix, const TemperatureBlock& t) {
    number(prefix + ".Current", t.Current);
    number(prefix + ".AlarmHi", t.AlarmHi);
    minMax(prefix + ".Lo", t.Lo, false);
    minMax(prefix + ".Hi", t.Hi, false);
    flag(prefix + ".AlarmHiOn", t.AlarmHiOn);
    flag(prefix + ".AlarmLoOn", t.AlarmLoOn);
    flag(prefix + ".OutOfRange", t.OutOfRange);
  }

  std::vector<RecordField> take() { return std::move(fields_); }

 private:
  std::vector<RecordField> fields_;
};

void clockAndHumidity(FieldList& f, const WeatherRecord& w) {
  f.number("Clock.Second", w.Clock.Second);
  f.number("Clock.Minute", w.Clock.Minute);
  f.number("Clock.Hour", w.Clock.Hour);
  f.number("Clock.Day", w.Clock.Day);
  f.number("Clock.Month", w.Clock.Month);
  f.flag("Clock.FlagBit4", w.Clock.FlagBit4);
  f.flag("Clock.FlagBit5", w.Clock.FlagBit5);
  f.number("AlarmClock.Minute", w.AlarmClock.Minute);
  f.number("AlarmClock.Hour", w.AlarmClock.Hour);
  f.flag("AlarmClock.On", w.AlarmClock.On);
  f.humidity("HumIn", w.HumIn);
  f.humidity("HumOut", w.HumOut);
}

void temperatures(FieldList& f, const WeatherRecord& w) {
  f.temperature("TempIn", w.TempIn);
  f.temperature("TempOut", w.TempOut);
  f.flag("TempFlag", w.TempFlag);
}

void barometerAndDewPoints(FieldList& f, const WeatherRecord& w) {
  f.number("Baro.Local", w.Baro.Local);
  f.number("Baro.SeaLevel", w.Baro.SeaLevel);
  f.number("Baro.Alarm", w.Baro.Alarm);
  f.flag("Baro.AlarmOn", w.Baro.AlarmOn);
  f.number("Baro.Trend", w.Baro.Trend);
  f.number("Baro.Forecast", w.Baro.Forecast);
  f.number("Baro.Code", w.Baro.Code);
  f.dewPoint("DewIn", w.DewIn);
  f.dewPoint("DewOut", w.DewOut);
  f.flag("DewFlagBit7", w.DewFlagBit7);
  f.flag("DewFlagBit4", w.DewFlagBit4);
}

void rain(FieldList& f, const WeatherRecord& w) {
  f.number("Rain.Rate", w.Rain.Rate);
  f.number("Rain.Yesterday", w.Rain.Yesterday);
  f.number("Rain.Total", w.Rain.Total);
  f.time("Rain.TotalSince", w.Rain.TotalSince);
  f.number("Rain.Alarm", w.Rain.Alarm);
  f.flag("Rain.AlarmOn", w.Rain.AlarmOn);
  f.flag("Rain.RateOutOfRange", w.Rain.RateOutOfRange);
  f.flag("Rain.FlagBit5", w.Rain.FlagBit5);
}

void windAndChill(FieldList& f, const WeatherRecord& w, const StationState& s) {
  f.number("Wind.Speed", w.Wind.Speed);
  f.number("Wind.Dir", w.Wind.Dir);
  f.number("Wind.AvgSpeed", w.Wind.AvgSpeed);
  f.number("Wind.AvgDir", w.Wind.AvgDir);
  f.number("Wind.GustSpeed", w.Wind.GustSpeed);
  f.number("Wind.GustDir", w.Wind.GustDir);
  f.time("Wind.GustTime", w.Wind.GustTime);
  f.flag("Wind.SpeedFlag", w.Wind.SpeedFlag);
  f.flag("Wind.AvgFlag", w.Wind.AvgFlag);
  f.flag("Wind.GustFlag", w.Wind.GustFlag);
  f.number("Wind.Alarm", w.Wind.Alarm);
  f.flag("Wind.AlarmOn", w.Wind.AlarmOn);
  f.number("Wind.Code", w.Wind.Code);
  f.number("Chill.Current", w.Chill.Current);
  f.minMax("Chill.Lo", w.Chill.Lo, false);
  f.number("Chill.Alarm", w.Chill.Alarm);
  f.flag("Chill.AlarmOn", w.Chill.AlarmOn);
  f.flag("PowerDc", w.PowerDc);
  f.flag("BatteryLow", w.BatteryLow);
  f.number("DisplaySection", w.DisplaySection);
  f.number("gustMaxMinute", s.gustMaxMinute);
  f.number("gustMaxMinuteDir", s.gustMaxMinuteDir);
}

}  // namespace

std::vector<RecordField> groupFields(GroupKind kind, const WeatherRecord& w,
                                     const StationState& s) {
  FieldList f;
  switch (kind) {
    case GroupKind::G8F:
      clockAndHumidity(f, w);
      break;
    case GroupKind::G9F:
      temperatures(f, w);
      break;
    case GroupKind::GAF:
      barometerAndDewPoints(f, w);
      break;
    case GroupKind::GBF:
      rain(f, w);
      break;
    case GroupKind::GCF:
      windAndChill(f, w, s);
      break;
  }
  return f.take();
}

}  // namespace tavik
