// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/group_encoder.h"

#include <gtest/gtest.h>

#include "dump/record_fields.h"
#include "sim/console_simulator.h"
#include "station/decoders.h"

namespace tavik {
namespace {

SimulatorOptions seeded(uint64_t seed) {
  SimulatorOptions o;
  o.seed = seed;
  return o;
}

StationState gust(uint16_t speed, int16_t dir) {
  StationState s;
  s.gustMaxMinute = speed;
  s.gustMaxMinuteDir = dir;
  return s;
}

StationData decode(GroupKind kind, const std::vector<uint8_t>& group) {
  StationData d;
  decodeGroup(kind, std::span(group).subspan(1), d);
  return d;
}

// Encodes the group, decodes it into an empty record and compares every field
// the group carries.
void expectRoundTrip(GroupKind kind, const WeatherRecord& w,
                     const StationState& expectedState = {}) {
  const std::vector<uint8_t> group = encodeGroup(kind, w);
  ASSERT_EQ(group.size(), static_cast<size_t>(groupLength(kind)));
  ASSERT_EQ(group[0], static_cast<uint8_t>(kind));
  const StationData d = decode(kind, group);
  ASSERT_EQ(d.verdicts.text(kind), "OK!");
  EXPECT_EQ(groupFields(kind, d.weather, d.state), groupFields(kind, w, expectedState));
}

TEST(GroupEncoder, DecodersGiveBackEveryFieldOfManyModelStates) {
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    ConsoleSimulator sim(seeded(seed));
    for (int i = 0; i < 600; ++i) {
      const Transmission t = sim.next();
      // Decoded into an empty record, the wind group raises gustMaxMinute
      // from 0 to its speed.
      const WindBlock& wind = sim.record().Wind;
      const StationState expected = t.kind == GroupKind::GCF && wind.Speed > 0
                                        ? gust(wind.Speed, static_cast<int16_t>(wind.Dir))
                                        : StationState{};
      SCOPED_TRACE("seed " + std::to_string(seed) + ", group " + std::to_string(i));
      expectRoundTrip(t.kind, sim.record(), expected);
      if (testing::Test::HasFailure()) return;
    }
  }
}

// The largest values and every flag the console can send, and the smallest.
WeatherRecord extremeRecord(bool high) {
  WeatherRecord w;
  const auto entry = [high](int32_t value) {
    return MinMaxEntry{uint8_t(high ? 59 : 0),
                       uint8_t(high ? 23 : 0),
                       uint8_t(high ? 31 : 1),
                       uint8_t(high ? 12 : 1),
                       value,
                       high};
  };
  const auto time = [high] {
    return StationTime{uint8_t(high ? 59 : 0), uint8_t(high ? 23 : 0), uint8_t(high ? 31 : 1),
                       uint8_t(high ? 12 : 1)};
  };
  w.Clock = {uint8_t(high ? 59 : 0),
             uint8_t(high ? 59 : 0),
             uint8_t(high ? 23 : 0),
             uint8_t(high ? 31 : 1),
             uint8_t(high ? 12 : 1),
             high,
             high};
  w.AlarmClock = {uint8_t(high ? 59 : 0), uint8_t(high ? 23 : 0), high};
  for (HumidityBlock* h : {&w.HumIn, &w.HumOut}) {
    *h = {uint8_t(high ? 99 : 0),
          uint8_t(high ? 99 : 0),
          uint8_t(high ? 99 : 0),
          entry(high ? 99 : 0),
          entry(high ? 99 : 0),
          high,
          high,
          high};
    h->Lo.Flag = false;
  }
  // Temperature extremes: the flag is the "not negative" bit.
  for (TemperatureBlock* t : {&w.TempIn, &w.TempOut}) {
    *t = {high ? 799 : -799,
          high ? 199 : 0,
          high ? 199 : 0,
          entry(high ? -1 : -799),
          entry(high ? 799 : 0),
          high,
          high,
          high,
          false};
    t->Lo.Flag = t->Lo.Value >= 0;
    t->Hi.Flag = t->Hi.Value >= 0;
  }
  w.TempFlag = high;
  w.Baro = {uint16_t(high ? 9999 : 0), uint16_t(high ? 65535 : 0), uint16_t(high ? 16 : 1), high,
            uint8_t(high ? 7 : 0),     uint8_t(high ? 15 : 0),     uint8_t(high ? 7 : 0)};
  for (TemperatureBlock* t : {&w.DewIn, &w.DewOut}) {
    t->Current = high ? 99 : 0;
    t->AlarmHi = high ? 16 : 1;
    t->Lo = entry(high ? 98 : 0);
    t->Hi = entry(high ? 99 : 0);
    t->AlarmHiOn = t->OutOfRange = high;
  }
  w.DewFlagBit7 = w.DewFlagBit4 = high;
  w.Rain = {uint16_t(high ? 999 : 0),
            uint16_t(high ? 9999 : 0),
            uint16_t(high ? 9999 : 0),
            time(),
            uint16_t(high ? 999 : 0),
            high,
            high,
            high};
  w.Wind = {uint16_t(high ? 999 : 0),
            uint16_t(high ? 359 : 0),
            uint16_t(high ? 999 : 0),
            uint16_t(high ? 359 : 0),
            uint16_t(high ? 999 : 0),
            uint16_t(high ? 359 : 0),
            time(),
            high,
            high,
            high,
            uint8_t(high ? 199 : 0),
            high,
            uint8_t(high ? 7 : 0)};
  w.Chill = {high ? -99 : 0, entry(high ? -99 : 0), high ? -199 : 0, high};
  w.Chill.Lo.Flag = false;
  w.PowerDc = w.BatteryLow = high;
  w.DisplaySection = high ? 7 : 0;
  return w;
}

TEST(GroupEncoder, ExtremeValuesAndAllFlagsSurvive) {
  for (bool high : {false, true}) {
    const WeatherRecord w = extremeRecord(high);
    const StationState expected = high ? gust(999, 359) : StationState{};
    for (GroupKind kind : kGroupKinds) {
      SCOPED_TRACE(std::string(high ? "high " : "low ") + std::to_string(static_cast<int>(kind)));
      expectRoundTrip(kind, w, expected);
    }
  }
  // Positive alarms and wind chill, and the folded codes below 4.
  WeatherRecord w = extremeRecord(true);
  w.Chill.Current = 99;
  w.Chill.Alarm = 199;
  w.Baro.Code = w.Wind.Code = 3;
  expectRoundTrip(GroupKind::GAF, w);
  expectRoundTrip(GroupKind::GCF, w, gust(999, 359));
}

TEST(GroupEncoder, PacksDigitsWhereTheConsolePutsThem) {
  WeatherRecord w;
  w.TempIn.Current = -312;
  w.TempIn.Positive = false;
  std::vector<uint8_t> g = encodeGroup(GroupKind::G9F, w);
  EXPECT_EQ(g[1], 0x12);
  EXPECT_EQ(g[2] & 0x0F, 0x0B);

  w.Baro.Trend = 1;
  w.Baro.Forecast = 4;
  w.Baro.Alarm = 16;
  w.Baro.AlarmOn = true;
  w.Baro.SeaLevel = 10132;
  g = encodeGroup(GroupKind::GAF, w);
  EXPECT_EQ(g[6], 0x14);
  EXPECT_EQ(g[29], 0x8F);
  EXPECT_EQ(g[3], 0x32);
  EXPECT_EQ(g[4], 0x01);
  EXPECT_EQ(g[5] & 0x0F, 0x01);

  w.Chill.Current = -5;
  w.Chill.Lo.Month = 7;
  g = encodeGroup(GroupKind::GCF, w);
  EXPECT_EQ(g[16], 0x05);
  EXPECT_EQ(g[21], 0x27);

  w.Rain.Yesterday = 1234;
  g = encodeGroup(GroupKind::GBF, w);
  EXPECT_EQ(g[3], 0x34);
  EXPECT_EQ(g[4], 0x12);
}

TEST(GroupEncoder, ChecksumIsTheSumOfTheBytesBeforeIt) {
  WeatherRecord w = extremeRecord(true);
  for (GroupKind kind : kGroupKinds) {
    const std::vector<uint8_t> g = encodeGroup(kind, w);
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < g.size(); ++i) sum += g[i];
    EXPECT_EQ(g.back(), static_cast<uint8_t>(sum));
  }
}

TEST(GroupEncoder, CorruptedChecksumIsRejectedAndChangesNothing) {
  const WeatherRecord w = extremeRecord(true);
  for (GroupKind kind : kGroupKinds) {
    std::vector<uint8_t> g = encodeGroup(kind, w);
    corruptChecksum(g);
    const StationData d = decode(kind, g);
    EXPECT_EQ(d.verdicts.text(kind), kind == GroupKind::G8F ? "False" : "False!");
    EXPECT_EQ(groupFields(kind, d.weather, d.state),
              groupFields(kind, WeatherRecord{}, StationState{}));
  }
}

}  // namespace
}  // namespace tavik
