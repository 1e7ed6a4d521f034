// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "product_test_support.h"

namespace tavik::test {

// The record of the report line
// "ZZ9ZZ  DDHH1 99505 10079 46/// /2505 11053 29072 40132 52///=" (no rain
// amount known: no rain group has arrived; the console's average wind, as ten
// minutes of wind groups are not known).
inline void setAsynopTestRecord(ProductFixture& f) {
  f.weather = {};
  f.weather.Wind.Dir = 247;
  f.weather.Wind.Speed = 47;
  f.weather.Wind.AvgDir = 247;
  f.weather.Wind.AvgSpeed = 47;
  f.weather.TempOut.Current = -53;
  f.weather.TempOut.Positive = false;
  f.weather.HumOut.Current = 72;
  f.weather.Baro.SeaLevel = 10132;
  f.weather.Baro.Forecast = 1;
  f.weather.Baro.Trend = 1;  // rising
  f.settings.ASYNOPLat = "505";
  f.settings.ASYNOPLong = "0079";
  f.settings.ASYNOPErdquadrant = 1;
}

}  // namespace tavik::test
