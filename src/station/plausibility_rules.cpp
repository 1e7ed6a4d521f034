// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/plausibility_rules.h"

#include <array>
#include <cstddef>
#include <type_traits>

namespace tavik {
namespace {

// The mask of a field of type T in the four bytes read from its place.
template <typename T>
constexpr uint32_t maskOf() {
  if constexpr (std::is_same_v<T, uint8_t>) {
    return 0xFF;
  } else if constexpr (std::is_same_v<T, uint16_t>) {
    return 0xFFFF;
  } else {
    static_assert(std::is_same_v<T, int32_t>, "a checked field is stored in 8, 16 or 32 bits");
    return 0xFFFFFFFF;
  }
}

// The place of a field whose four bytes from there lie inside the record;
// any other stops the build.
consteval size_t readable(size_t offset) {
  if (offset + sizeof(uint32_t) > sizeof(WeatherRecord)) throw "field too near the record's end";
  return offset;
}

// A field of the record: its name as tavik-dump prints it, its place in the
// record and its mask.
// clang-format off
#define FIELD(member) \
  #member, readable(offsetof(WeatherRecord, member)), maskOf<decltype(WeatherRecord{}.member)>()
// clang-format on

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
// A total reset on the console starts again at 0; the rain of the minute
// around the reset may already be on it.
constexpr int32_t kRainResetAtMost = 2;  // mm
constexpr int32_t kWindStep = 500;       // tenths of m/s per minute
constexpr int32_t kAverageWindStep = 200;
constexpr int32_t kChillStep = 40;  // degrees per minute

constexpr auto k8F = std::to_array<FieldRule>({
    {GroupKind::G8F, FIELD(Clock.Second), 0, 59},
    {GroupKind::G8F, FIELD(Clock.Minute), 0, 59},
    {GroupKind::G8F, FIELD(Clock.Hour), 0, 23},
    {GroupKind::G8F, FIELD(Clock.Day), 1, 31},
    {GroupKind::G8F, FIELD(Clock.Month), 1, 12},
    {GroupKind::G8F, FIELD(AlarmClock.Minute), 0, 59},
    {GroupKind::G8F, FIELD(AlarmClock.Hour), 0, 23},
    {GroupKind::G8F, FIELD(HumIn.Current), 0, 99, kHumidityStep, kHumidityStep},
    {GroupKind::G8F, FIELD(HumIn.AlarmLo), 0, 99},
    {GroupKind::G8F, FIELD(HumIn.AlarmHi), 0, 99},
    {GroupKind::G8F, FIELD(HumIn.Lo.Minute), 0, 59},
    {GroupKind::G8F, FIELD(HumIn.Lo.Hour), 0, 23},
    {GroupKind::G8F, FIELD(HumIn.Lo.Day), 0, 31},
    {GroupKind::G8F, FIELD(HumIn.Lo.Month), 0, 12},
    {GroupKind::G8F, FIELD(HumIn.Lo.Value), 0, 99},
    {GroupKind::G8F, FIELD(HumIn.Hi.Minute), 0, 59},
    {GroupKind::G8F, FIELD(HumIn.Hi.Hour), 0, 23},
    {GroupKind::G8F, FIELD(HumIn.Hi.Day), 0, 31},
    {GroupKind::G8F, FIELD(HumIn.Hi.Month), 0, 12},
    {GroupKind::G8F, FIELD(HumIn.Hi.Value), 0, 99},
    {GroupKind::G8F, FIELD(HumOut.Current), 0, 99, kHumidityStep, kHumidityStep},
    {GroupKind::G8F, FIELD(HumOut.AlarmLo), 0, 99},
    {GroupKind::G8F, FIELD(HumOut.AlarmHi), 0, 99},
    {GroupKind::G8F, FIELD(HumOut.Lo.Minute), 0, 59},
    {GroupKind::G8F, FIELD(HumOut.Lo.Hour), 0, 23},
    {GroupKind::G8F, FIELD(HumOut.Lo.Day), 0, 31},
    {GroupKind::G8F, FIELD(HumOut.Lo.Month), 0, 12},
    {GroupKind::G8F, FIELD(HumOut.Lo.Value), 0, 99},
    {GroupKind::G8F, FIELD(HumOut.Hi.Minute), 0, 59},
    {GroupKind::G8F, FIELD(HumOut.Hi.Hour), 0, 23},
    {GroupKind::G8F, FIELD(HumOut.Hi.Day), 0, 31},
    {GroupKind::G8F, FIELD(HumOut.Hi.Month), 0, 12},
    {GroupKind::G8F, FIELD(HumOut.Hi.Value), 0, 99},
});

constexpr auto k9F = std::to_array<FieldRule>({
    {GroupKind::G9F, FIELD(TempIn.Current), kLowestTemp, kHighestTemp, kTempStep, kTempStep},
    {GroupKind::G9F, FIELD(TempIn.AlarmLo), 0, 199},
    {GroupKind::G9F, FIELD(TempIn.AlarmHi), 0, 199},
    {GroupKind::G9F, FIELD(TempIn.Lo.Minute), 0, 59},
    {GroupKind::G9F, FIELD(TempIn.Lo.Hour), 0, 23},
    {GroupKind::G9F, FIELD(TempIn.Lo.Day), 0, 31},
    {GroupKind::G9F, FIELD(TempIn.Lo.Month), 0, 12},
    {GroupKind::G9F, FIELD(TempIn.Lo.Value), kLowestTemp, kHighestTemp},
    {GroupKind::G9F, FIELD(TempIn.Hi.Minute), 0, 59},
    {GroupKind::G9F, FIELD(TempIn.Hi.Hour), 0, 23},
    {GroupKind::G9F, FIELD(TempIn.Hi.Day), 0, 31},
    {GroupKind::G9F, FIELD(TempIn.Hi.Month), 0, 12},
    {GroupKind::G9F, FIELD(TempIn.Hi.Value), kLowestTemp, kHighestTemp},
    {GroupKind::G9F, FIELD(TempOut.Current), kLowestTemp, kHighestTemp, kTempStep, kTempStep},
    {GroupKind::G9F, FIELD(TempOut.AlarmLo), 0, 199},
    {GroupKind::G9F, FIELD(TempOut.AlarmHi), 0, 199},
    {GroupKind::G9F, FIELD(TempOut.Lo.Minute), 0, 59},
    {GroupKind::G9F, FIELD(TempOut.Lo.Hour), 0, 23},
    {GroupKind::G9F, FIELD(TempOut.Lo.Day), 0, 31},
    {GroupKind::G9F, FIELD(TempOut.Lo.Month), 0, 12},
    {GroupKind::G9F, FIELD(TempOut.Lo.Value), kLowestTemp, kHighestTemp},
    {GroupKind::G9F, FIELD(TempOut.Hi.Minute), 0, 59},
    {GroupKind::G9F, FIELD(TempOut.Hi.Hour), 0, 23},
    {GroupKind::G9F, FIELD(TempOut.Hi.Day), 0, 31},
    {GroupKind::G9F, FIELD(TempOut.Hi.Month), 0, 12},
    {GroupKind::G9F, FIELD(TempOut.Hi.Value), kLowestTemp, kHighestTemp},
});

constexpr auto kAF = std::to_array<FieldRule>({
    {GroupKind::GAF, FIELD(Baro.Local), 500, 1100, kPressureStep, kPressureStep},
    {GroupKind::GAF, FIELD(Baro.SeaLevel), 8500, 11000, 10 * kPressureStep, 10 * kPressureStep},
    {GroupKind::GAF, FIELD(DewIn.Current), 0, kHighestDew, kDewStep, kDewStep},
    {GroupKind::GAF, FIELD(DewIn.Lo.Minute), 0, 59},
    {GroupKind::GAF, FIELD(DewIn.Lo.Hour), 0, 23},
    {GroupKind::GAF, FIELD(DewIn.Lo.Day), 0, 31},
    {GroupKind::GAF, FIELD(DewIn.Lo.Month), 0, 12},
    {GroupKind::GAF, FIELD(DewIn.Lo.Value), 0, kHighestDew},
    {GroupKind::GAF, FIELD(DewIn.Hi.Minute), 0, 59},
    {GroupKind::GAF, FIELD(DewIn.Hi.Hour), 0, 23},
    {GroupKind::GAF, FIELD(DewIn.Hi.Day), 0, 31},
    {GroupKind::GAF, FIELD(DewIn.Hi.Month), 0, 12},
    {GroupKind::GAF, FIELD(DewIn.Hi.Value), 0, kHighestDew},
    {GroupKind::GAF, FIELD(DewOut.Current), 0, kHighestDew, kDewStep, kDewStep},
    {GroupKind::GAF, FIELD(DewOut.Lo.Minute), 0, 59},
    {GroupKind::GAF, FIELD(DewOut.Lo.Hour), 0, 23},
    {GroupKind::GAF, FIELD(DewOut.Lo.Day), 0, 31},
    {GroupKind::GAF, FIELD(DewOut.Lo.Month), 0, 12},
    {GroupKind::GAF, FIELD(DewOut.Lo.Value), 0, kHighestDew},
    {GroupKind::GAF, FIELD(DewOut.Hi.Minute), 0, 59},
    {GroupKind::GAF, FIELD(DewOut.Hi.Hour), 0, 23},
    {GroupKind::GAF, FIELD(DewOut.Hi.Day), 0, 31},
    {GroupKind::GAF, FIELD(DewOut.Hi.Month), 0, 12},
    {GroupKind::GAF, FIELD(DewOut.Hi.Value), 0, kHighestDew},
});

constexpr auto kBF = std::to_array<FieldRule>({
    {GroupKind::GBF, FIELD(Rain.Rate), 0, 999},
    {GroupKind::GBF, FIELD(Rain.Yesterday), 0, kWettestDay},
    {GroupKind::GBF, FIELD(Rain.Total), 0, 9999, kWettestMinute, 0, kRainResetAtMost},
    {GroupKind::GBF, FIELD(Rain.TotalSince.Minute), 0, 59},
    {GroupKind::GBF, FIELD(Rain.TotalSince.Hour), 0, 23},
    {GroupKind::GBF, FIELD(Rain.TotalSince.Day), 0, 31},
    {GroupKind::GBF, FIELD(Rain.TotalSince.Month), 0, 12},
    {GroupKind::GBF, FIELD(Rain.Alarm), 0, 999},
});

constexpr auto kCF = std::to_array<FieldRule>({
    {GroupKind::GCF, FIELD(Wind.Speed), 0, 999, kWindStep, kWindStep},
    {GroupKind::GCF, FIELD(Wind.Dir), 0, 359},
    {GroupKind::GCF, FIELD(Wind.AvgSpeed), 0, 999, kAverageWindStep, kAverageWindStep},
    {GroupKind::GCF, FIELD(Wind.AvgDir), 0, 359},
    {GroupKind::GCF, FIELD(Wind.GustSpeed), 0, 999},
    {GroupKind::GCF, FIELD(Wind.GustDir), 0, 359},
    {GroupKind::GCF, FIELD(Wind.GustTime.Minute), 0, 59},
    {GroupKind::GCF, FIELD(Wind.GustTime.Hour), 0, 23},
    {GroupKind::GCF, FIELD(Wind.GustTime.Day), 0, 31},
    {GroupKind::GCF, FIELD(Wind.GustTime.Month), 0, 12},
    {GroupKind::GCF, FIELD(Wind.Alarm), 0, 199},
    {GroupKind::GCF, FIELD(Chill.Current), -99, kHighestTemp / 10, kChillStep, kChillStep},
    {GroupKind::GCF, FIELD(Chill.Lo.Minute), 0, 59},
    {GroupKind::GCF, FIELD(Chill.Lo.Hour), 0, 23},
    {GroupKind::GCF, FIELD(Chill.Lo.Day), 0, 31},
    {GroupKind::GCF, FIELD(Chill.Lo.Month), 0, 12},
    {GroupKind::GCF, FIELD(Chill.Lo.Value), -99, kHighestTemp / 10},
    {GroupKind::GCF, FIELD(Chill.Alarm), -199, 199},
});

#undef FIELD

// A limit bounds a move in its direction only; the check relies on none being
// negative.
template <size_t N>
consteval bool limitsNotNegative(const std::array<FieldRule, N>& rules) {
  for (const FieldRule& r : rules)
    if (r.risePerMinute < 0 || r.fallPerMinute < 0) return false;
  return true;
}
static_assert(limitsNotNegative(k8F) && limitsNotNegative(k9F) && limitsNotNegative(kAF) &&
              limitsNotNegative(kBF) && limitsNotNegative(kCF));

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
