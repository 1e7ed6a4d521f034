// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavik {
namespace {

constexpr double kDay = 86400;
// How often the extremes come: a cold front every four days, a storm every
// eight, and one shower in twelve is a cloudburst.
constexpr double kFrontEvery = 4 * kDay;
constexpr double kStormEvery = 8 * kDay;
constexpr double kCloudburstShare = 1.0 / 12;
// Gusts scatter the wind around its mean, at most to 1.8 times the mean.
constexpr double kGustSpread = 0.35, kStrongestGust = 1.8;
constexpr double kYear = 365 * kDay;
constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct Moment {
  int second, minute, hour, day, month;
};

Moment momentOf(double secondOfYear) {
  const auto s = static_cast<long>(secondOfYear);
  int dayOfYear = static_cast<int>(s / 86400);
  Moment m{static_cast<int>(s % 60), static_cast<int>(s / 60 % 60), static_cast<int>(s / 3600 % 24),
           1, 1};
  for (int month = 0; month < 12; ++month) {
    if (dayOfYear < kDaysInMonth[month]) {
      m.day = dayOfYear + 1;
      m.month = month + 1;
      break;
    }
    dayOfYear -= kDaysInMonth[month];
  }
  return m;
}

void stamp(MinMaxEntry& e, const Moment& m) {
  e.Minute = static_cast<uint8_t>(m.minute);
  e.Hour = static_cast<uint8_t>(m.hour);
  e.Day = static_cast<uint8_t>(m.day);
  e.Month = static_cast<uint8_t>(m.month);
}

void stamp(StationTime& t, const Moment& m) {
  t.Minute = static_cast<uint8_t>(m.minute);
  t.Hour = static_cast<uint8_t>(m.hour);
  t.Day = static_cast<uint8_t>(m.day);
  t.Month = static_cast<uint8_t>(m.month);
}

// Lower and raise a day's extremes; `reset` starts them afresh at the value.
void track(MinMaxEntry& lo, MinMaxEntry& hi, int32_t value, const Moment& m, bool reset) {
  if (reset || value < lo.Value) {
    lo.Value = value;
    stamp(lo, m);
  }
  if (reset || value > hi.Value) {
    hi.Value = value;
    stamp(hi, m);
  }
}

// The day's highs and lows, the lowest wind chill and the gust, started
// afresh on a new day.
void trackExtremes(WeatherRecord& w, const Moment& now, bool newDay) {
  track(w.HumIn.Lo, w.HumIn.Hi, w.HumIn.Current, now, newDay);
  track(w.HumOut.Lo, w.HumOut.Hi, w.HumOut.Current, now, newDay);
  track(w.TempIn.Lo, w.TempIn.Hi, w.TempIn.Current, now, newDay);
  track(w.TempOut.Lo, w.TempOut.Hi, w.TempOut.Current, now, newDay);
  track(w.DewIn.Lo, w.DewIn.Hi, w.DewIn.Current, now, newDay);
  track(w.DewOut.Lo, w.DewOut.Hi, w.DewOut.Current, now, newDay);
  MinMaxEntry chillHi;  // the console keeps the lowest wind chill only
  track(w.Chill.Lo, chillHi, w.Chill.Current, now, newDay);
  for (TemperatureBlock* t : {&w.TempIn, &w.TempOut}) {
    t->Lo.Flag = t->Lo.Value >= 0;
    t->Hi.Flag = t->Hi.Value >= 0;
  }
  if (newDay || w.Wind.Speed > w.Wind.GustSpeed) {
    w.Wind.GustSpeed = w.Wind.Speed;
    w.Wind.GustDir = w.Wind.Dir;
    stamp(w.Wind.GustTime, now);
  }
}

// Dew point (degrees Celsius) of air at `temp` degrees with relative humidity
// `rh` percent, and the inverse, by the Magnus formula.
constexpr double kMagnusA = 17.62, kMagnusB = 243.12;
double dewPoint(double temp, double rh) {
  const double g = std::log(rh / 100) + kMagnusA * temp / (kMagnusB + temp);
  return kMagnusB * g / (kMagnusA - g);
}
double relativeHumidity(double temp, double dew) {
  return 100 * std::exp(kMagnusA * dew / (kMagnusB + dew) - kMagnusA * temp / (kMagnusB + temp));
}

// Felt temperature in wind (whole degrees Celsius); equal to the temperature
// where the formula does not apply (warm air or calm).
int windChill(double temp, double windMs) {
  const double kmh = windMs * 3.6;
  if (temp > 10 || kmh < 4.8) return static_cast<int>(std::lround(temp));
  const double v = std::pow(kmh, 0.16);
  return static_cast<int>(std::lround(13.12 + 0.6215 * temp - 11.37 * v + 0.3965 * temp * v));
}

int32_t tenths(double degrees) {
  return static_cast<int32_t>(std::lround(std::clamp(degrees, -79.9, 79.9) * 10));
}

}  // namespace

double WeatherModel::secondOfYear(const LocalDateTime& t) {
  int day = std::min(t.day, 31) - 1;
  for (int month = 1; month < std::clamp(t.month, 1, 12); ++month) {
    day += kDaysInMonth[static_cast<size_t>(month - 1)];
  }
  return std::fmod(day * kDay + t.hour * 3600.0 + t.minute * 60.0 + t.second, kYear);
}

WeatherModel::WeatherModel(uint64_t seed, std::optional<double> clockStart) : rng_(seed) {
  // Drawn in any case, so that a seed's weather does not depend on the start.
  secondOfYear_ = std::floor(uniform(0, kYear));
  if (clockStart) secondOfYear_ = std::fmod(std::max(0.0, *clockStart), kYear);
  dailySwing_ = uniform(3, 6);
  altitude_ = std::floor(uniform(0, 600));
  indoorHumidity_ = uniform(35, 55);
  tempAnomaly_ = 2 * normal();
  dewDepression_ = uniform(2, 8);
  seaLevel_ = uniform(995, 1030);
  pressureHistory_.fill(seaLevel_);
  windMean_ = uniform(1, 5);
  windNow_ = windAvg_ = windMean_;
  windDir_ = uniform(0, 360);
  avgDirX_ = std::cos(windDir_ * std::numbers::pi / 180);
  avgDirY_ = std::sin(windDir_ * std::numbers::pi / 180);
  rainTotal_ = std::floor(uniform(0, 400));
  record_.Rain.Yesterday = static_cast<uint16_t>(uniform(0, 1) < 0.4 ? uniform(0, 15) : 0);

  // Thresholds and switches set once on the console.
  WeatherRecord& w = record_;
  auto chance = [this] { return uniform(0, 1) < 0.5; };
  w.AlarmClock.Hour = static_cast<uint8_t>(uniform(5, 8));
  w.AlarmClock.Minute = static_cast<uint8_t>(uniform(0, 4)) * 15;
  w.AlarmClock.On = chance();
  w.HumIn.AlarmLo = 30;
  w.HumIn.AlarmHi = 70;
  w.HumIn.AlarmHiOn = true;
  w.HumIn.AlarmLoOn = chance();
  w.HumOut.AlarmLo = 20;
  w.HumOut.AlarmHi = 95;
  w.HumOut.AlarmHiOn = chance();
  w.TempIn.AlarmLo = 50;  // degrees Fahrenheit
  w.TempIn.AlarmHi = 86;
  w.TempIn.AlarmHiOn = w.TempIn.AlarmLoOn = true;
  w.TempOut.AlarmLo = 14;
  w.TempOut.AlarmHi = 95;
  w.TempOut.AlarmHiOn = chance();
  w.TempOut.AlarmLoOn = true;
  w.TempFlag = true;
  w.DewIn.AlarmHi = 16;
  w.DewOut.AlarmHi = static_cast<int32_t>(uniform(1, 17));
  w.DewOut.AlarmHiOn = chance();
  w.Baro.Alarm = static_cast<uint16_t>(uniform(1, 17));
  w.Baro.AlarmOn = chance();
  w.Rain.Alarm = 20;
  w.Rain.AlarmOn = chance();
  w.Wind.Alarm = 150;
  w.Wind.AlarmOn = chance();
  w.Chill.Alarm = -10;
  w.Chill.AlarmOn = chance();
  const Moment since = momentOf(std::max(0.0, secondOfYear_ - std::floor(uniform(0, 60)) * kDay));
  stamp(w.Rain.TotalSince, since);

  step(0);
}

void WeatherModel::advance(double seconds) {
  // Small steps so that showers, gusts and day changes are not skipped.
  while (seconds > 0) {
    const double dt = std::min(seconds, 10.0);
    step(dt);
    seconds -= dt;
  }
}

double WeatherModel::normal() { return std::normal_distribution<double>(0, 1)(rng_); }

double WeatherModel::uniform(double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng_);
}

// One step of a value that wanders around `target`, pulled back with the time
// constant `tau` (seconds) and shaken with `sigma` per square-root hour.
double WeatherModel::relax(double value, double target, double tau, double sigma, double dt) {
  return value + (target - value) * std::min(1.0, dt / tau) +
         sigma * std::sqrt(dt / 3600) * normal();
}

void WeatherModel::step(double dt) {
  elapsed_ += dt;
  secondOfYear_ = std::fmod(secondOfYear_ + dt, kYear);

  tempAnomaly_ = relax(tempAnomaly_, 0, 6 * 3600, 0.8, dt);
  dewDepression_ = relax(dewDepression_, rainRate_ > 0 ? 1 : 6, 3 * 3600, 0.8, dt);
  dewDepression_ = std::max(dewDepression_, 0.3);
  indoorHumidity_ = std::clamp(relax(indoorHumidity_, 45, 12 * 3600, 2, dt), 25.0, 75.0);
  pressureDrift_ =
      std::clamp(relax(pressureDrift_, (1013 - seaLevel_) / 20, 12 * 3600, 0.3, dt), -2.0, 2.0);
  seaLevel_ = std::clamp(seaLevel_ + pressureDrift_ * dt / 3600, 960.0, 1050.0);

  updateFront(dt);
  updateRain(dt);
  updateWind(dt);
  updatePower(dt);
  updatePressureTrend();
  fillRecord();
}

// A cold front cools the air by 6 to 12 degrees within 20 to 40 minutes and
// raises the pressure by 2 to 5 hPa as it passes; the wind veers. The cold
// goes away over half a day.
void WeatherModel::updateFront(double dt) {
  if (frontLeft_ > 0) {
    const double share = std::min(dt, frontLeft_) / frontLength_;
    frontLeft_ -= dt;
    frontCooling_ += frontDrop_ * share;
    seaLevel_ += frontRise_ * share;
    return;
  }
  frontCooling_ -= frontCooling_ * std::min(1.0, dt / (12 * 3600));
  if (uniform(0, 1) < dt / kFrontEvery) {
    frontLength_ = frontLeft_ = uniform(20, 40) * 60;
    frontDrop_ = uniform(6, 12);
    frontRise_ = uniform(2, 5);
    windDir_ += uniform(45, 90);
  }
}

void WeatherModel::updateRain(double dt) {
  if (showerLeft_ > 0) {
    showerLeft_ -= dt;
    // The rate rises and falls once over the shower.
    const double phase = 1 - std::max(showerLeft_, 0.0) / showerLength_;
    rainRate_ = showerPeak_ * std::sin(std::numbers::pi * phase);
  } else {
    rainRate_ = 0;
    const double perHour = 0.03 + 0.3 * std::clamp((1015 - seaLevel_) / 25, 0.0, 1.0);
    if (uniform(0, 1) < perHour * dt / 3600) {
      const bool cloudburst = uniform(0, 1) < kCloudburstShare;
      showerLength_ = showerLeft_ = (cloudburst ? uniform(10, 25) : uniform(10, 60)) * 60;
      // 1 to 30 mm/h, a cloudburst 80 to 200 mm/h
      showerPeak_ = cloudburst ? uniform(80, 200) : std::exp(uniform(0, 3.4));
    }
  }
  const double mm = rainRate_ * dt / 3600;
  rainToday_ += mm;
  rainTotal_ += mm;
}

void WeatherModel::updateWind(double dt) {
  // A storm blows for one to four hours with a mean wind of 15 to 22 m/s.
  if (stormLeft_ > 0) {
    stormLeft_ -= dt;
  } else if (uniform(0, 1) < dt / kStormEvery) {
    stormLeft_ = uniform(1, 4) * 3600;
    stormPeak_ = uniform(15, 22);
  }
  const double target =
      stormLeft_ > 0 ? stormPeak_ : std::clamp(3 + (1013 - seaLevel_) / 6, 0.5, 15.0);
  windMean_ = std::max(0.0, relax(windMean_, target, stormLeft_ > 0 ? 1200 : 2 * 3600, 1.5, dt));
  // Gusts: the speed now scatters around the mean, more the windier it is.
  windNow_ = windMean_ * std::clamp(1 + kGustSpread * normal(), 0.0, kStrongestGust);
  windAvg_ += (windNow_ - windAvg_) * std::min(1.0, dt / 600);

  windDir_ += 20 * std::sqrt(dt / 60) * normal();
  if (uniform(0, 1) < dt / (3 * 3600)) windDir_ += uniform(-90, 90);  // a front passes
  windDir_ = std::fmod(windDir_ + 360, 360);
  const double rad = windDir_ * std::numbers::pi / 180, k = std::min(1.0, dt / 600);
  avgDirX_ += (std::cos(rad) - avgDirX_) * k;
  avgDirY_ += (std::sin(rad) - avgDirY_) * k;
}

void WeatherModel::updatePower(double dt) {
  if (onBattery_) {
    outageLeft_ -= dt;
    battery_ = std::max(0.0, battery_ - dt / 360);  // 10 % an hour
    if (outageLeft_ <= 0) onBattery_ = false;
  } else {
    battery_ = std::min(100.0, battery_ + dt / 180);
    if (uniform(0, 1) < dt / (3 * kDay)) {
      onBattery_ = true;
      outageLeft_ = uniform(600, 10 * 3600);
    }
  }
}

void WeatherModel::updatePressureTrend() {
  if (elapsed_ < nextPressureSample_) return;
  nextPressureSample_ = elapsed_ + 600;
  // The oldest sample is the pressure three hours ago.
  double& slot = pressureHistory_[pressureSamples_++ % pressureHistory_.size()];
  const double change = seaLevel_ - slot;
  slot = seaLevel_;
  record_.Baro.Trend = change > 1.5 ? 1 : change < -1.5 ? 4 : 2;
}

// The wind's current and average speed and direction, and the wind chill.
void WeatherModel::fillWind(double tempOut) {
  WeatherRecord& w = record_;
  w.Wind.Speed = static_cast<uint16_t>(std::min(999L, std::lround(windNow_ * 10)));
  w.Wind.Dir = static_cast<uint16_t>(std::lround(windDir_)) % 360;
  w.Wind.AvgSpeed = static_cast<uint16_t>(std::min(999L, std::lround(windAvg_ * 10)));
  w.Wind.AvgDir = static_cast<uint16_t>(
      std::lround(std::fmod(std::atan2(avgDirY_, avgDirX_) * 180 / std::numbers::pi + 360, 360)) %
      360);
  w.Chill.Current = std::clamp(windChill(tempOut, windNow_), -99, 99);
}

void WeatherModel::fillRecord() {
  WeatherRecord& w = record_;
  const Moment now = momentOf(secondOfYear_);
  const double dayOfYear = secondOfYear_ / kDay, hour = std::fmod(secondOfYear_, kDay) / 3600;

  const double seasonal = 9 - 10 * std::cos(2 * std::numbers::pi * (dayOfYear - 15) / 365);
  const double daily = dailySwing_ * std::cos(2 * std::numbers::pi * (hour - 15) / 24);
  const double tempOut = seasonal + daily + tempAnomaly_ - frontCooling_ - (rainRate_ > 0 ? 2 : 0);
  const double tempIn = 21 + 0.8 * std::cos(2 * std::numbers::pi * (hour - 18) / 24);
  const double dewOut = tempOut - dewDepression_;
  const double dewIn = dewPoint(tempIn, indoorHumidity_);
  const int humOut =
      static_cast<int>(std::lround(std::clamp(relativeHumidity(tempOut, dewOut), 1.0, 99.0)));
  const int humIn = static_cast<int>(std::lround(indoorHumidity_));

  w.Clock.Second = static_cast<uint8_t>(now.second);
  w.Clock.Minute = static_cast<uint8_t>(now.minute);
  w.Clock.Hour = static_cast<uint8_t>(now.hour);
  w.Clock.Day = static_cast<uint8_t>(now.day);
  w.Clock.Month = static_cast<uint8_t>(now.month);

  w.HumIn.Current = static_cast<uint8_t>(humIn);
  w.HumOut.Current = static_cast<uint8_t>(humOut);
  w.HumOut.OutOfRange = humOut < 10;  // below the sensor's range

  w.TempIn.Current = tenths(tempIn);
  w.TempOut.Current = tenths(tempOut);
  w.TempIn.Positive = w.TempIn.Current >= 0;
  w.TempOut.Positive = w.TempOut.Current >= 0;

  // The console shows dew points from 0 to 99 degrees only.
  w.DewIn.Current = std::clamp(static_cast<int32_t>(std::lround(dewIn)), 0, 99);
  w.DewOut.Current = std::clamp(static_cast<int32_t>(std::lround(dewOut)), 0, 99);
  w.DewIn.OutOfRange = dewIn < -0.5;
  w.DewOut.OutOfRange = dewOut < -0.5;

  w.Baro.SeaLevel = static_cast<uint16_t>(std::lround(seaLevel_ * 10));
  w.Baro.Local = static_cast<uint16_t>(std::lround(seaLevel_ * std::exp(-altitude_ / 8400)));
  // Forecast: sunny, cloudy, overcast or rainy, one step worse while falling.
  int outlook = seaLevel_ > 1022 ? 0 : seaLevel_ > 1012 ? 1 : seaLevel_ > 1002 ? 2 : 3;
  if (w.Baro.Trend == 4) outlook = std::min(outlook + 1, 3);
  if (rainRate_ > 0) outlook = 3;
  w.Baro.Forecast = static_cast<uint8_t>(1 << outlook);

  w.Rain.Rate = static_cast<uint16_t>(std::lround(rainRate_));
  w.Rain.Total = static_cast<uint16_t>(static_cast<long>(rainTotal_) % 10000);

  fillWind(tempOut);

  w.PowerDc = onBattery_;
  w.BatteryLow = battery_ < 20;
  w.DisplaySection = static_cast<uint8_t>(static_cast<long>(elapsed_ / 30) % 8);

  const int dayNow = static_cast<int>(dayOfYear);
  const bool newDay = dayNow != lastDayOfYear_;
  if (newDay && lastDayOfYear_ >= 0) startNewDay();
  lastDayOfYear_ = dayNow;
  trackExtremes(w, now, newDay);
}

// At midnight the console moves the day's rain to "yesterday" and starts the
// day's extremes afresh.
void WeatherModel::startNewDay() {
  record_.Rain.Yesterday = static_cast<uint16_t>(std::min(9999L, std::lround(rainToday_)));
  rainToday_ = 0;
}

}  // namespace tavik
