// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/longest_record.h"

namespace tavik {

StationData longestRecord(bool outOfRange) {
  StationData d;
  StationState& s = d.state;
  s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  WeatherRecord& w = d.weather;
  // Two-digit hours, minutes and days, and a date of the widest digits.
  const StationTime stamp{58, 23, 28, 12};
  w.Clock = {59, 59, 23, 28, 12};
  w.AlarmClock = {59, 23, true};
  w.HumIn.Current = 100;
  w.HumIn.Hi = w.HumIn.Lo = {58, 23, 28, 12, 100, false};
  w.HumIn.OutOfRange = outOfRange;
  w.HumOut = w.HumIn;
  w.TempIn.Current = -188;
  w.TempIn.Hi = w.TempIn.Lo = {58, 23, 28, 12, -188, false};
  w.TempOut = w.TempIn;
  w.Baro.Local = 1038;
  w.Baro.SeaLevel = 10388;
  w.Baro.Trend = 2;     // "gleichbleibend", the longest trend word
  w.Baro.Forecast = 8;  // "regnerisch", the longest forecast word
  w.DewIn.Current = -18;
  w.DewIn.Hi = w.DewIn.Lo = {58, 23, 28, 12, -18, false};
  w.DewIn.OutOfRange = outOfRange;
  w.DewOut = w.DewIn;
  w.Rain.Rate = 999;
  w.Rain.RateOutOfRange = outOfRange;
  w.Rain.Yesterday = 9999;
  w.Rain.Total = 9999;
  w.Rain.TotalSince = stamp;
  s.rain24h = 65535;
  w.Wind.Speed = w.Wind.AvgSpeed = w.Wind.GustSpeed = 588;
  w.Wind.Dir = w.Wind.AvgDir = w.Wind.GustDir = 348;  // "NNW"
  w.Wind.GustTime = stamp;
  s.gustRing = {588, 588, 588, 588, 588};
  w.Chill.Current = -188;
  w.Chill.Lo = {58, 23, 28, 12, -188, false};
  w.DisplaySection = 2;  // "Feuchtigkeit", the longest section name
  return d;
}

}  // namespace tavik
