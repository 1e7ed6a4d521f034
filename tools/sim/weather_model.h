// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>

#include "common/clock.h"

#include "station/weather_record.h"

namespace tavik {

// A plausible, changing weather as the console would report it, driven by a
// seed and a simulated time: a daily temperature swing on a seasonal mean,
// humidity and dew points that follow the temperature, a drifting pressure
// with its trend and forecast, rain showers, gusty wind that veers and backs,
// and the extremes now and then: cold fronts (a fast fall of the temperature
// with a jump of the pressure), storms with strong gusts and cloudbursts,
// wind chill, the day's minima and maxima with their times, alarm thresholds
// and a mains supply that fails now and then and drains the battery.
// The same seed gives the same weather.
class WeatherModel {
 public:
  // A moment as the console's clock counts it: seconds since 1 January
  // 00:00 of a year of 365 days (29 February counts as 1 March).
  static double secondOfYear(const LocalDateTime& t);

  // The console's clock starts at `clockStart` (seconds since 1 January
  // 00:00, see secondOfYear), or at a moment of the year drawn from the seed.
  explicit WeatherModel(uint64_t seed, std::optional<double> clockStart = std::nullopt);

  // Moves the simulated time forward.
  void advance(double seconds);

  double elapsedSeconds() const { return elapsed_; }
  const WeatherRecord& record() const { return record_; }

 private:
  void step(double dt);
  void updateFront(double dt);
  void updateRain(double dt);
  void updateWind(double dt);
  void updatePower(double dt);
  void updatePressureTrend();
  void fillRecord();
  void fillWind(double tempOut);
  void startNewDay();
  double normal();
  double uniform(double lo, double hi);
  double relax(double value, double target, double tau, double sigma, double dt);

  std::mt19937_64 rng_;
  double elapsed_ = 0;
  double secondOfYear_ = 0;  // station clock: seconds since 1 January 00:00
  int lastDayOfYear_ = -1;

  // Fixed by the seed.
  double dailySwing_ = 0;      // half the difference between day and night, degrees
  double altitude_ = 0;        // metres
  double indoorHumidity_ = 0;  // percent, slowly drifting

  // Slowly wandering deviations and states.
  double tempAnomaly_ = 0;
  double dewDepression_ = 0;                  // outdoor temperature minus dew point, degrees
  double seaLevel_ = 0;                       // hPa
  double pressureDrift_ = 0;                  // hPa per hour
  std::array<double, 18> pressureHistory_{};  // every 10 minutes, the last three hours
  double nextPressureSample_ = 0;
  int pressureSamples_ = 0;
  double frontLeft_ = 0, frontLength_ = 0;  // seconds
  double frontDrop_ = 0, frontRise_ = 0;    // degrees, hPa over the whole front
  double frontCooling_ = 0;                 // degrees below the usual temperature
  double stormLeft_ = 0, stormPeak_ = 0;    // seconds; m/s of the mean wind
  double windMean_ = 0;                     // m/s
  double windNow_ = 0;
  double windAvg_ = 0;
  double windDir_ = 0;  // degrees
  double avgDirX_ = 0, avgDirY_ = 0;
  double showerLeft_ = 0, showerLength_ = 0, showerPeak_ = 0;  // seconds; mm/h
  double rainRate_ = 0;                                        // mm/h
  double rainToday_ = 0, rainTotal_ = 0;                       // mm
  bool onBattery_ = false;
  double outageLeft_ = 0;  // seconds
  double battery_ = 100;   // percent

  WeatherRecord record_;
};

}  // namespace tavik
