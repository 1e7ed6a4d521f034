#include "core/display_update.h"

#include <algorithm>

#include "station/word_tables.h"

namespace tavik {
namespace {

constexpr const char* kNotArmed = "Alarm: n/a";
constexpr const char* kOutOfRange = "Out of Range!";
constexpr int kTrendPictures = 5;
constexpr int kForecastPictures = 9;

// Collects the label texts of one refresh in order.
class LabelWriter {
 public:
  LabelWriter(DisplayUpdate& out, int year, const RegionalSettings& rs)
      : out_(out), year_(year), rs_(rs) {}

  void set(const char* label, std::string text) {
    out_.labels.emplace_back(label, std::move(text));
  }

  void alarm(const char* label, bool armed, long long threshold, const char* suffix) {
    set(label, armed ? "Alarm bei " + std::to_string(threshold) + suffix : kNotArmed);
  }

  template <typename Stamp>
  void stamp(const char* label, const Stamp& t) {
    if (auto text = stationStampText(t.Hour, t.Minute, t.Day, t.Month, year_, rs_)) {
      set(label, *text);
    }
  }

  std::string tenths(long long value) const { return tenthsText(value, rs_); }

 private:
  DisplayUpdate& out_;
  int year_;
  const RegionalSettings& rs_;
};

struct HumidityLabels {
  const char *current, *hi, *hiTime, *lo, *loTime, *alarmHi, *alarmLo;
};

void humidity(LabelWriter& w, const HumidityBlock& h, const HumidityLabels& l) {
  w.set(l.current, h.OutOfRange ? kOutOfRange : "Aktuell " + std::to_string(h.Current) + "%");
  w.set(l.hi, "Hi " + std::to_string(h.Hi.Value) + "%");
  w.stamp(l.hiTime, h.Hi);
  w.set(l.lo, "Lo " + std::to_string(h.Lo.Value) + "%");
  w.stamp(l.loTime, h.Lo);
  w.alarm(l.alarmHi, h.AlarmHiOn, h.AlarmHi, "%");
  w.alarm(l.alarmLo, h.AlarmLoOn, h.AlarmLo, "%");
}

struct TemperatureLabels {
  const char *current, *hi, *hiTime, *lo, *loTime, *alarmHi, *alarmLo;
  const char* currentUnit;  // the indoor and outdoor groups place the blank differently
  const char* extremeUnit;
};

void temperature(LabelWriter& w, const TemperatureBlock& t, const TemperatureLabels& l) {
  w.set(l.current, "Aktuell " + w.tenths(t.Current) + l.currentUnit);
  w.set(l.hi, "Hi " + w.tenths(t.Hi.Value) + l.extremeUnit);
  w.stamp(l.hiTime, t.Hi);
  w.set(l.lo, "Lo " + w.tenths(t.Lo.Value) + l.extremeUnit);
  w.stamp(l.loTime, t.Lo);
  w.alarm(l.alarmHi, t.AlarmHiOn, t.AlarmHi, "°F");
  w.alarm(l.alarmLo, t.AlarmLoOn, t.AlarmLo, "°F");
}

struct DewLabels {
  const char *current, *hi, *hiTime, *lo, *loTime, *alarm;
};

void dewPoint(LabelWriter& w, const TemperatureBlock& d, const DewLabels& l) {
  w.set(l.current, d.OutOfRange ? kOutOfRange : "Aktuell " + std::to_string(d.Current) + "°C");
  w.set(l.hi, "Hi " + std::to_string(d.Hi.Value) + " °C");
  w.stamp(l.hiTime, d.Hi);
  w.set(l.lo, "Lo " + std::to_string(d.Lo.Value) + " °C");
  w.stamp(l.loTime, d.Lo);
  w.alarm(l.alarm, d.AlarmHiOn, d.AlarmHi, "°C");
}

int clampToBar(long long value, int bar) {
  const BarRange& r = kBarRanges[static_cast<size_t>(bar)];
  return static_cast<int>(std::clamp<long long>(value, r.minimum, r.maximum));
}

// The word after the label's prefix; empty when the label is no longer than it.
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

}  // namespace

const std::string* DisplayUpdate::text(const std::string& label) const {
  for (const auto& [name, value] : labels) {
    if (name == label) {
      return &value;
    }
  }
  return nullptr;
}

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

DisplayUpdate computeDisplayUpdate(const WeatherRecord& wx, const StationState& state,
                                   const Clock& clock, const RegionalSettings& rs,
                                   const PictureLabels& before) {
  DisplayUpdate out;
  const LocalDateTime now = clock.now();
  LabelWriter w(out, now.year, rs);

  // Station clock, or the PC's clock until the first clock group.
  const ClockBlock& c = wx.Clock;
  if (c.Month != 0 && c.Day != 0) {
    if (c.Hour < 24 && c.Minute < 60 && c.Second < 60) {
      w.set("Label1", formatLongTime(c.Hour, c.Minute, c.Second, rs));
      if (isValidDate(now.year, c.Month, c.Day)) {
        w.set("Label2", formatShortDate(now.year, c.Month, c.Day, rs));
      }
    }
  } else {
    w.set("Label1", formatLongTime(now.hour, now.minute, now.second, rs));
    w.set("Label2", formatShortDate(now.year, now.month, now.day, rs));
  }

  w.set("Label6", wx.AlarmClock.On ? "Alarm um " + std::to_string(wx.AlarmClock.Hour) + ":" +
                                         std::to_string(wx.AlarmClock.Minute)
                                   : kNotArmed);

  humidity(w, wx.HumIn, {"Label8", "Label9", "Label7", "Label10", "Label13", "Label11", "Label12"});
  out.bars[0] = clampToBar(wx.HumIn.Current, 0);
  humidity(w, wx.HumOut,
           {"Label5", "Label14", "Label18", "Label15", "Label19", "Label16", "Label17"});
  out.bars[1] = clampToBar(wx.HumOut.Current, 1);

  temperature(
      w, wx.TempIn,
      {"Label22", "Label23", "Label27", "Label24", "Label28", "Label25", "Label26", " °C", "°C"});
  out.bars[3] = clampToBar(wx.TempIn.Current / 10, 3);
  temperature(
      w, wx.TempOut,
      {"Label29", "Label30", "Label34", "Label31", "Label35", "Label32", "Label33", "°C", " °C"});
  out.bars[2] = clampToBar(wx.TempOut.Current / 10, 2);

  w.set("Label37", "Local: " + std::to_string(wx.Baro.Local) + " mb");
  w.set("Label38", "Sealevel: " + w.tenths(wx.Baro.SeaLevel) + " mb");
  out.trend =
      pictureStep(before.trend, "Trend: ", trendText(wx.Baro.Trend), wx.Baro.Trend, kTrendPictures);
  if (out.trend) {
    w.set("Label39", out.trend->labelText);
  }
  out.forecast = pictureStep(before.forecast, "Vorhersage: ", forecastText(wx.Baro.Forecast),
                             wx.Baro.Forecast, kForecastPictures);
  if (out.forecast) {
    w.set("Label40", out.forecast->labelText);
  }
  w.alarm("Label41", wx.Baro.AlarmOn, wx.Baro.Alarm, " mb");

  dewPoint(w, wx.DewIn, {"Label42", "Label43", "Label47", "Label44", "Label48", "Label45"});
  dewPoint(w, wx.DewOut, {"Label46", "Label49", "Label52", "Label50", "Label53", "Label51"});

  const RainBlock& r = wx.Rain;
  w.set("Label55", r.RateOutOfRange ? kOutOfRange : "Rate: " + std::to_string(r.Rate) + " mm/h");
  w.set("Label56", "Gestern: " + std::to_string(r.Yesterday) + " mm");
  w.set("Label57", "Total: " + std::to_string(r.Total) + " mm");
  w.set("Label79", "Seit 24h: " + std::to_string(state.rain24h) + " mm");
  w.stamp("Label58", r.TotalSince);
  w.alarm("Label64", r.AlarmOn, r.Alarm, "inches/h");

  const WindBlock& wind = wx.Wind;
  out.bars[4] = clampToBar(roundHalfEven(wind.Speed / 10.0), 4);
  w.set("Label66", "Aktuell: " + w.tenths(wind.Speed) + " m/s - " + std::to_string(wind.Dir) + "°");
  w.set("Label67",
        "Durchschnitt: " + w.tenths(wind.AvgSpeed) + " m/s - " + std::to_string(wind.AvgDir) + "°");
  w.set("Label68",
        "Böe: " + w.tenths(wind.GustSpeed) + " m/s - " + std::to_string(wind.GustDir) + "°");
  unsigned fiveMinuteMax = 0;
  for (size_t k = 0; k < state.gustRing.size(); ++k) {
    fiveMinuteMax = std::max<unsigned>(fiveMinuteMax, state.gustRing[k]);
    out.windRows[k] = w.tenths(fiveMinuteMax);
  }
  w.set("Label78", "Max seit 5min: " + w.tenths(fiveMinuteMax) + " m/s");
  w.stamp("Label71", wind.GustTime);
  w.alarm("Label69", wind.AlarmOn, wind.Alarm, "inches/h");

  const ChillBlock& chill = wx.Chill;
  w.set("Label72", "Aktuell: " + std::to_string(chill.Current) + "°C");
  w.set("Label73", "Lo: " + std::to_string(chill.Lo.Value) + "°C");
  w.stamp("Label74", chill.Lo);
  w.alarm("Label75", chill.AlarmOn, chill.Alarm, "inches/h");

  out.batteryLow = wx.BatteryLow;
  w.set("Label80", wx.PowerDc ? "DC" : "AC");
  w.set("Label83", displaySectionName(wx.DisplaySection));
  return out;
}

}  // namespace tavik
