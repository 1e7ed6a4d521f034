// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/plausibility_rules.h"

#include <array>

namespace tavik {
namespace {

using W = WeatherRecord;

// Bounds shared by several fields, in the record's units.
constexpr int32_t kLowestTemp = -700;   // tenths of a degree Celsius
constexpr int32_t kHighestTemp = 700;   // tenths of a degree Celsius
constexpr int32_t kHighestDew = 70;     // whole degrees: never above the air's temperature
constexpr int32_t kWettestDay = 2000;   // mm
constexpr int32_t kTempStep = 150;      // tenths of a degree per minute
constexpr int32_t kHumidityStep = 30;   // percent per minute
constexpr int32_t kDewStep = 15;        // degrees per minute
constexpr int32_t kPressureStep = 10;   // hPa per minute
constexpr int32_t kWettestMinute = 40;  // mm per minute
constexpr int32_t kWindStep = 500;      // tenths of m/s per minute
constexpr int32_t kAverageWindStep = 200;
constexpr int32_t kChillStep = 40;  // degrees per minute

constexpr auto k8F = std::to_array<FieldRule>({
    {GroupKind::G8F, "Clock.Second", [](const W& w) -> int32_t { return w.Clock.Second; }, 0, 59},
    {GroupKind::G8F, "Clock.Minute", [](const W& w) -> int32_t { return w.Clock.Minute; }, 0, 59},
    {GroupKind::G8F, "Clock.Hour", [](const W& w) -> int32_t { return w.Clock.Hour; }, 0, 23},
    {GroupKind::G8F, "Clock.Day", [](const W& w) -> int32_t { return w.Clock.Day; }, 1, 31},
    {GroupKind::G8F, "Clock.Month", [](const W& w) -> int32_t { return w.Clock.Month; }, 1, 12},
    {GroupKind::G8F, "AlarmClock.Minute", [](const W& w) -> int32_t { return w.AlarmClock.Minute; },
     0, 59},
    {GroupKind::G8F, "AlarmClock.Hour", [](const W& w) -> int32_t { return w.AlarmClock.Hour; }, 0,
     23},
    {GroupKind::G8F, "HumIn.Current", [](const W& w) -> int32_t { return w.HumIn.Current; }, 0, 99,
     kHumidityStep, kHumidityStep},
    {GroupKind::G8F, "HumIn.AlarmLo", [](const W& w) -> int32_t { return w.HumIn.AlarmLo; }, 0, 99},
    {GroupKind::G8F, "HumIn.AlarmHi", [](const W& w) -> int32_t { return w.HumIn.AlarmHi; }, 0, 99},
    {GroupKind::G8F, "HumIn.Lo.Minute", [](const W& w) -> int32_t { return w.HumIn.Lo.Minute; }, 0,
     59},
    {GroupKind::G8F, "HumIn.Lo.Hour", [](const W& w) -> int32_t { return w.HumIn.Lo.Hour; }, 0, 23},
    {GroupKind::G8F, "HumIn.Lo.Day", [](const W& w) -> int32_t { return w.HumIn.Lo.Day; }, 0, 31},
    {GroupKind::G8F, "HumIn.Lo.Month", [](const W& w) -> int32_t { return w.HumIn.Lo.Month; }, 0,
     12},
    {GroupKind::G8F, "HumIn.Lo.Value", [](const W& w) -> int32_t { return w.HumIn.Lo.Value; }, 0,
     99},
    {GroupKind::G8F, "HumIn.Hi.Minute", [](const W& w) -> int32_t { return w.HumIn.Hi.Minute; }, 0,
     59},
    {GroupKind::G8F, "HumIn.Hi.Hour", [](const W& w) -> int32_t { return w.HumIn.Hi.Hour; }, 0, 23},
    {GroupKind::G8F, "HumIn.Hi.Day", [](const W& w) -> int32_t { return w.HumIn.Hi.Day; }, 0, 31},
    {GroupKind::G8F, "HumIn.Hi.Month", [](const W& w) -> int32_t { return w.HumIn.Hi.Month; }, 0,
     12},
    {GroupKind::G8F, "HumIn.Hi.Value", [](const W& w) -> int32_t { return w.HumIn.Hi.Value; }, 0,
     99},
    {GroupKind::G8F, "HumOut.Current", [](const W& w) -> int32_t { return w.HumOut.Current; }, 0,
     99, kHumidityStep, kHumidityStep},
    {GroupKind::G8F, "HumOut.AlarmLo", [](const W& w) -> int32_t { return w.HumOut.AlarmLo; }, 0,
     99},
    {GroupKind::G8F, "HumOut.AlarmHi", [](const W& w) -> int32_t { return w.HumOut.AlarmHi; }, 0,
     99},
    {GroupKind::G8F, "HumOut.Lo.Minute", [](const W& w) -> int32_t { return w.HumOut.Lo.Minute; },
     0, 59},
    {GroupKind::G8F, "HumOut.Lo.Hour", [](const W& w) -> int32_t { return w.HumOut.Lo.Hour; }, 0,
     23},
    {GroupKind::G8F, "HumOut.Lo.Day", [](const W& w) -> int32_t { return w.HumOut.Lo.Day; }, 0, 31},
    {GroupKind::G8F, "HumOut.Lo.Month", [](const W& w) -> int32_t { return w.HumOut.Lo.Month; }, 0,
     12},
    {GroupKind::G8F, "HumOut.Lo.Value", [](const W& w) -> int32_t { return w.HumOut.Lo.Value; }, 0,
     99},
    {GroupKind::G8F, "HumOut.Hi.Minute", [](const W& w) -> int32_t { return w.HumOut.Hi.Minute; },
     0, 59},
    {GroupKind::G8F, "HumOut.Hi.Hour", [](const W& w) -> int32_t { return w.HumOut.Hi.Hour; }, 0,
     23},
    {GroupKind::G8F, "HumOut.Hi.Day", [](const W& w) -> int32_t { return w.HumOut.Hi.Day; }, 0, 31},
    {GroupKind::G8F, "HumOut.Hi.Month", [](const W& w) -> int32_t { return w.HumOut.Hi.Month; }, 0,
     12},
    {GroupKind::G8F, "HumOut.Hi.Value", [](const W& w) -> int32_t { return w.HumOut.Hi.Value; }, 0,
     99},
});

constexpr auto k9F = std::to_array<FieldRule>({
    {GroupKind::G9F, "TempIn.Current", [](const W& w) -> int32_t { return w.TempIn.Current; },
     kLowestTemp, kHighestTemp, kTempStep, kTempStep},
    {GroupKind::G9F, "TempIn.AlarmLo", [](const W& w) -> int32_t { return w.TempIn.AlarmLo; }, 0,
     199},
    {GroupKind::G9F, "TempIn.AlarmHi", [](const W& w) -> int32_t { return w.TempIn.AlarmHi; }, 0,
     199},
    {GroupKind::G9F, "TempIn.Lo.Minute", [](const W& w) -> int32_t { return w.TempIn.Lo.Minute; },
     0, 59},
    {GroupKind::G9F, "TempIn.Lo.Hour", [](const W& w) -> int32_t { return w.TempIn.Lo.Hour; }, 0,
     23},
    {GroupKind::G9F, "TempIn.Lo.Day", [](const W& w) -> int32_t { return w.TempIn.Lo.Day; }, 0, 31},
    {GroupKind::G9F, "TempIn.Lo.Month", [](const W& w) -> int32_t { return w.TempIn.Lo.Month; }, 0,
     12},
    {GroupKind::G9F, "TempIn.Lo.Value", [](const W& w) -> int32_t { return w.TempIn.Lo.Value; },
     kLowestTemp, kHighestTemp},
    {GroupKind::G9F, "TempIn.Hi.Minute", [](const W& w) -> int32_t { return w.TempIn.Hi.Minute; },
     0, 59},
    {GroupKind::G9F, "TempIn.Hi.Hour", [](const W& w) -> int32_t { return w.TempIn.Hi.Hour; }, 0,
     23},
    {GroupKind::G9F, "TempIn.Hi.Day", [](const W& w) -> int32_t { return w.TempIn.Hi.Day; }, 0, 31},
    {GroupKind::G9F, "TempIn.Hi.Month", [](const W& w) -> int32_t { return w.TempIn.Hi.Month; }, 0,
     12},
    {GroupKind::G9F, "TempIn.Hi.Value", [](const W& w) -> int32_t { return w.TempIn.Hi.Value; },
     kLowestTemp, kHighestTemp},
    {GroupKind::G9F, "TempOut.Current", [](const W& w) -> int32_t { return w.TempOut.Current; },
     kLowestTemp, kHighestTemp, kTempStep, kTempStep},
    {GroupKind::G9F, "TempOut.AlarmLo", [](const W& w) -> int32_t { return w.TempOut.AlarmLo; }, 0,
     199},
    {GroupKind::G9F, "TempOut.AlarmHi", [](const W& w) -> int32_t { return w.TempOut.AlarmHi; }, 0,
     199},
    {GroupKind::G9F, "TempOut.Lo.Minute", [](const W& w) -> int32_t { return w.TempOut.Lo.Minute; },
     0, 59},
    {GroupKind::G9F, "TempOut.Lo.Hour", [](const W& w) -> int32_t { return w.TempOut.Lo.Hour; }, 0,
     23},
    {GroupKind::G9F, "TempOut.Lo.Day", [](const W& w) -> int32_t { return w.TempOut.Lo.Day; }, 0,
     31},
    {GroupKind::G9F, "TempOut.Lo.Month", [](const W& w) -> int32_t { return w.TempOut.Lo.Month; },
     0, 12},
    {GroupKind::G9F, "TempOut.Lo.Value", [](const W& w) -> int32_t { return w.TempOut.Lo.Value; },
     kLowestTemp, kHighestTemp},
    {GroupKind::G9F, "TempOut.Hi.Minute", [](const W& w) -> int32_t { return w.TempOut.Hi.Minute; },
     0, 59},
    {GroupKind::G9F, "TempOut.Hi.Hour", [](const W& w) -> int32_t { return w.TempOut.Hi.Hour; }, 0,
     23},
    {GroupKind::G9F, "TempOut.Hi.Day", [](const W& w) -> int32_t { return w.TempOut.Hi.Day; }, 0,
     31},
    {GroupKind::G9F, "TempOut.Hi.Month", [](const W& w) -> int32_t { return w.TempOut.Hi.Month; },
     0, 12},
    {GroupKind::G9F, "TempOut.Hi.Value", [](const W& w) -> int32_t { return w.TempOut.Hi.Value; },
     kLowestTemp, kHighestTemp},
});

constexpr auto kAF = std::to_array<FieldRule>({
    {GroupKind::GAF, "Baro.Local", [](const W& w) -> int32_t { return w.Baro.Local; }, 500, 1100,
     kPressureStep, kPressureStep},
    {GroupKind::GAF, "Baro.SeaLevel", [](const W& w) -> int32_t { return w.Baro.SeaLevel; }, 8500,
     11000, 10 * kPressureStep, 10 * kPressureStep},
    {GroupKind::GAF, "DewIn.Current", [](const W& w) -> int32_t { return w.DewIn.Current; }, 0,
     kHighestDew, kDewStep, kDewStep},
    {GroupKind::GAF, "DewIn.Lo.Minute", [](const W& w) -> int32_t { return w.DewIn.Lo.Minute; }, 0,
     59},
    {GroupKind::GAF, "DewIn.Lo.Hour", [](const W& w) -> int32_t { return w.DewIn.Lo.Hour; }, 0, 23},
    {GroupKind::GAF, "DewIn.Lo.Day", [](const W& w) -> int32_t { return w.DewIn.Lo.Day; }, 0, 31},
    {GroupKind::GAF, "DewIn.Lo.Month", [](const W& w) -> int32_t { return w.DewIn.Lo.Month; }, 0,
     12},
    {GroupKind::GAF, "DewIn.Lo.Value", [](const W& w) -> int32_t { return w.DewIn.Lo.Value; }, 0,
     kHighestDew},
    {GroupKind::GAF, "DewIn.Hi.Minute", [](const W& w) -> int32_t { return w.DewIn.Hi.Minute; }, 0,
     59},
    {GroupKind::GAF, "DewIn.Hi.Hour", [](const W& w) -> int32_t { return w.DewIn.Hi.Hour; }, 0, 23},
    {GroupKind::GAF, "DewIn.Hi.Day", [](const W& w) -> int32_t { return w.DewIn.Hi.Day; }, 0, 31},
    {GroupKind::GAF, "DewIn.Hi.Month", [](const W& w) -> int32_t { return w.DewIn.Hi.Month; }, 0,
     12},
    {GroupKind::GAF, "DewIn.Hi.Value", [](const W& w) -> int32_t { return w.DewIn.Hi.Value; }, 0,
     kHighestDew},
    {GroupKind::GAF, "DewOut.Current", [](const W& w) -> int32_t { return w.DewOut.Current; }, 0,
     kHighestDew, kDewStep, kDewStep},
    {GroupKind::GAF, "DewOut.Lo.Minute", [](const W& w) -> int32_t { return w.DewOut.Lo.Minute; },
     0, 59},
    {GroupKind::GAF, "DewOut.Lo.Hour", [](const W& w) -> int32_t { return w.DewOut.Lo.Hour; }, 0,
     23},
    {GroupKind::GAF, "DewOut.Lo.Day", [](const W& w) -> int32_t { return w.DewOut.Lo.Day; }, 0, 31},
    {GroupKind::GAF, "DewOut.Lo.Month", [](const W& w) -> int32_t { return w.DewOut.Lo.Month; }, 0,
     12},
    {GroupKind::GAF, "DewOut.Lo.Value", [](const W& w) -> int32_t { return w.DewOut.Lo.Value; }, 0,
     kHighestDew},
    {GroupKind::GAF, "DewOut.Hi.Minute", [](const W& w) -> int32_t { return w.DewOut.Hi.Minute; },
     0, 59},
    {GroupKind::GAF, "DewOut.Hi.Hour", [](const W& w) -> int32_t { return w.DewOut.Hi.Hour; }, 0,
     23},
    {GroupKind::GAF, "DewOut.Hi.Day", [](const W& w) -> int32_t { return w.DewOut.Hi.Day; }, 0, 31},
    {GroupKind::GAF, "DewOut.Hi.Month", [](const W& w) -> int32_t { return w.DewOut.Hi.Month; }, 0,
     12},
    {GroupKind::GAF, "DewOut.Hi.Value", [](const W& w) -> int32_t { return w.DewOut.Hi.Value; }, 0,
     kHighestDew},
});

constexpr auto kBF = std::to_array<FieldRule>({
    {GroupKind::GBF, "Rain.Rate", [](const W& w) -> int32_t { return w.Rain.Rate; }, 0, 999},
    {GroupKind::GBF, "Rain.Yesterday", [](const W& w) -> int32_t { return w.Rain.Yesterday; }, 0,
     kWettestDay},
    {GroupKind::GBF, "Rain.Total", [](const W& w) -> int32_t { return w.Rain.Total; }, 0, 9999,
     kWettestMinute, 0},
    {GroupKind::GBF, "Rain.TotalSince.Minute",
     [](const W& w) -> int32_t { return w.Rain.TotalSince.Minute; }, 0, 59},
    {GroupKind::GBF, "Rain.TotalSince.Hour",
     [](const W& w) -> int32_t { return w.Rain.TotalSince.Hour; }, 0, 23},
    {GroupKind::GBF, "Rain.TotalSince.Day",
     [](const W& w) -> int32_t { return w.Rain.TotalSince.Day; }, 0, 31},
    {GroupKind::GBF, "Rain.TotalSince.Month",
     [](const W& w) -> int32_t { return w.Rain.TotalSince.Month; }, 0, 12},
    {GroupKind::GBF, "Rain.Alarm", [](const W& w) -> int32_t { return w.Rain.Alarm; }, 0, 999},
});

constexpr auto kCF = std::to_array<FieldRule>({
    {GroupKind::GCF, "Wind.Speed", [](const W& w) -> int32_t { return w.Wind.Speed; }, 0, 999,
     kWindStep, kWindStep},
    {GroupKind::GCF, "Wind.Dir", [](const W& w) -> int32_t { return w.Wind.Dir; }, 0, 359},
    {GroupKind::GCF, "Wind.AvgSpeed", [](const W& w) -> int32_t { return w.Wind.AvgSpeed; }, 0, 999,
     kAverageWindStep, kAverageWindStep},
    {GroupKind::GCF, "Wind.AvgDir", [](const W& w) -> int32_t { return w.Wind.AvgDir; }, 0, 359},
    {GroupKind::GCF, "Wind.GustSpeed", [](const W& w) -> int32_t { return w.Wind.GustSpeed; }, 0,
     999},
    {GroupKind::GCF, "Wind.GustDir", [](const W& w) -> int32_t { return w.Wind.GustDir; }, 0, 359},
    {GroupKind::GCF, "Wind.GustTime.Minute",
     [](const W& w) -> int32_t { return w.Wind.GustTime.Minute; }, 0, 59},
    {GroupKind::GCF, "Wind.GustTime.Hour",
     [](const W& w) -> int32_t { return w.Wind.GustTime.Hour; }, 0, 23},
    {GroupKind::GCF, "Wind.GustTime.Day", [](const W& w) -> int32_t { return w.Wind.GustTime.Day; },
     0, 31},
    {GroupKind::GCF, "Wind.GustTime.Month",
     [](const W& w) -> int32_t { return w.Wind.GustTime.Month; }, 0, 12},
    {GroupKind::GCF, "Wind.Alarm", [](const W& w) -> int32_t { return w.Wind.Alarm; }, 0, 199},
    {GroupKind::GCF, "Chill.Current", [](const W& w) -> int32_t { return w.Chill.Current; }, -99,
     kHighestTemp / 10, kChillStep, kChillStep},
    {GroupKind::GCF, "Chill.Lo.Minute", [](const W& w) -> int32_t { return w.Chill.Lo.Minute; }, 0,
     59},
    {GroupKind::GCF, "Chill.Lo.Hour", [](const W& w) -> int32_t { return w.Chill.Lo.Hour; }, 0, 23},
    {GroupKind::GCF, "Chill.Lo.Day", [](const W& w) -> int32_t { return w.Chill.Lo.Day; }, 0, 31},
    {GroupKind::GCF, "Chill.Lo.Month", [](const W& w) -> int32_t { return w.Chill.Lo.Month; }, 0,
     12},
    {GroupKind::GCF, "Chill.Lo.Value", [](const W& w) -> int32_t { return w.Chill.Lo.Value; }, -99,
     kHighestTemp / 10},
    {GroupKind::GCF, "Chill.Alarm", [](const W& w) -> int32_t { return w.Chill.Alarm; }, -199, 199},
});

}  // namespace

std::span<const FieldRule> fieldRules(GroupKind kind) {
  switch (kind) {
    case GroupKind::G8F:
      return k8F;
    case GroupKind::G9F:
      return k9F;
    case GroupKind::GAF:
      return kAF;
    case GroupKind::GBF:
      return kBF;
    case GroupKind::GCF:
      return kCF;
  }
  return {};
}

}  // namespace tavik
