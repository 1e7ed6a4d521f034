// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "common/clock.h"

namespace tavik {

// A moment as the console reports it, without a year. Day or Month 0 means
// "no date".
struct StationTime {
  uint8_t Minute = 0;
  uint8_t Hour = 0;
  uint8_t Day = 0;
  uint8_t Month = 0;

  friend bool operator==(const StationTime&, const StationTime&) = default;
};

// An extreme value with its time; the unit is that of the enclosing block.
struct MinMaxEntry {
  uint8_t Minute = 0;
  uint8_t Hour = 0;
  uint8_t Day = 0;
  uint8_t Month = 0;
  int32_t Value = 0;
  bool Flag = false;

  friend bool operator==(const MinMaxEntry&, const MinMaxEntry&) = default;
};

struct HumidityBlock {
  uint8_t Current = 0;  // %
  uint8_t AlarmLo = 0;
  uint8_t AlarmHi = 0;
  MinMaxEntry Lo;
  MinMaxEntry Hi;
  bool OutOfRange = false;
  bool AlarmHiOn = false;
  bool AlarmLoOn = false;

  friend bool operator==(const HumidityBlock&, const HumidityBlock&) = default;
};

// Temperatures in signed tenths of a degree Celsius (dew points in whole
// degrees); alarm thresholds as the console carries them.
struct TemperatureBlock {
  int32_t Current = 0;
  int32_t AlarmLo = 0;
  int32_t AlarmHi = 0;
  MinMaxEntry Lo;
  MinMaxEntry Hi;
  bool AlarmHiOn = false;
  bool AlarmLoOn = false;
  bool Positive = false;
  bool OutOfRange = false;  // used by the dew-point blocks only

  friend bool operator==(const TemperatureBlock&, const TemperatureBlock&) = default;
};

struct ClockBlock {
  uint8_t Second = 0;
  uint8_t Minute = 0;
  uint8_t Hour = 0;
  uint8_t Day = 0;
  uint8_t Month = 0;
  bool FlagBit4 = false;
  bool FlagBit5 = false;

  friend bool operator==(const ClockBlock&, const ClockBlock&) = default;
};

struct AlarmClockBlock {
  uint8_t Minute = 0;
  uint8_t Hour = 0;
  bool On = false;

  friend bool operator==(const AlarmClockBlock&, const AlarmClockBlock&) = default;
};

struct BaroBlock {
  uint16_t Local = 0;     // hPa
  uint16_t SeaLevel = 0;  // tenths of hPa
  uint16_t Alarm = 0;     // hPa, 1..16
  bool AlarmOn = false;
  uint8_t Trend = 0;     // 1 rising, 2 steady, 4 falling
  uint8_t Forecast = 0;  // 1 sunny, 2 cloudy, 4 overcast, 8 rainy
  uint8_t Code = 0;

  friend bool operator==(const BaroBlock&, const BaroBlock&) = default;
};

struct RainBlock {
  uint16_t Rate = 0;       // mm/h
  uint16_t Yesterday = 0;  // mm
  uint16_t Total = 0;      // mm since TotalSince
  StationTime TotalSince;
  uint16_t Alarm = 0;
  bool AlarmOn = false;
  bool RateOutOfRange = false;
  bool FlagBit5 = false;

  friend bool operator==(const RainBlock&, const RainBlock&) = default;
};

struct WindBlock {
  uint16_t Speed = 0;  // tenths of m/s
  uint16_t Dir = 0;    // degrees
  uint16_t AvgSpeed = 0;
  uint16_t AvgDir = 0;
  uint16_t GustSpeed = 0;
  uint16_t GustDir = 0;
  StationTime GustTime;
  bool SpeedFlag = false;
  bool AvgFlag = false;
  bool GustFlag = false;
  uint8_t Alarm = 0;
  bool AlarmOn = false;
  uint8_t Code = 0;

  friend bool operator==(const WindBlock&, const WindBlock&) = default;
};

struct ChillBlock {
  int32_t Current = 0;  // whole degrees Celsius
  MinMaxEntry Lo;
  int32_t Alarm = 0;
  bool AlarmOn = false;

  friend bool operator==(const ChillBlock&, const ChillBlock&) = default;
};

// The current weather as the console last reported it; every field is 0 until
// the first good group of its kind arrives. Only the group decoders write it.
struct WeatherRecord {
  ClockBlock Clock;
  AlarmClockBlock AlarmClock;
  HumidityBlock HumIn;
  HumidityBlock HumOut;
  TemperatureBlock TempIn;
  TemperatureBlock TempOut;
  bool TempFlag = false;
  BaroBlock Baro;
  TemperatureBlock DewIn;
  TemperatureBlock DewOut;
  bool DewFlagBit7 = false;
  bool DewFlagBit4 = false;
  RainBlock Rain;
  WindBlock Wind;
  ChillBlock Chill;
  bool PowerDc = false;
  bool BatteryLow = false;
  uint8_t DisplaySection = 0;

  friend bool operator==(const WeatherRecord&, const WeatherRecord&) = default;
};

// The values the program derives beside the record, read by the display and
// the products: the wind maxima per minute, the rain of the recent spans and
// the flags saying which group kinds have been decoded since start. The wind
// decoder raises gustMaxMinute and sets the seen flags; the minute tick owns
// the rest.
struct StationState {
  uint16_t gustMaxMinute = 0;    // tenths of m/s, highest Wind.Speed since the last minute tick
  int16_t gustMaxMinuteDir = 0;  // degrees
  // Highest wind speed of each of the last five minutes, tenths of m/s, oldest
  // first. Kept in 16 bits so that gusts above 25.5 m/s are not cut.
  std::array<uint16_t, 5> gustRing{};
  // The rain of the last hour, of the last 24 hours and since local
  // midnight, in the rain counter's unit, from the counter's course. While
  // the program has not yet seen the last 24 hours, rainSince is the local
  // time of the first rain group they count from.
  uint16_t rainLastHour = 0;
  uint16_t rain24h = 0;
  uint16_t rainSinceMidnight = 0;
  std::optional<LocalDateTime> rainSince{};
  // The mean wind of the last ten minutes (scalar mean speed in tenths of
  // m/s, direction of the vector mean in degrees, calm 0); nothing until ten
  // minutes of wind groups are known.
  struct MeanWind {
    uint16_t speed = 0;
    uint16_t dir = 0;
  };
  std::optional<MeanWind> wind10min{};
  bool seen8F = false;
  bool seen9F = false;
  bool seenAF = false;
  bool seenBF = false;
  bool seenCF = false;

  bool allSeen() const { return seen8F && seen9F && seenAF && seenBF && seenCF; }
};

}  // namespace tavik
