// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/decoders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "group_builder.h"
#include "station/bits.h"

namespace tavik {
namespace {

using test::groupBody;
using test::randomGroup;

TEST(Bits, NibblesAndTwoDigitValues) {
  EXPECT_EQ(SplitNibbles(0xA5), std::make_pair(uint8_t{5}, uint8_t{10}));
  EXPECT_EQ(DecodeBcdByte(0x47), 47);
  EXPECT_EQ(DecodeBcdByte(0x1A), 110);
  EXPECT_EQ(DecodeBcdByte(0xA5), 105);
  EXPECT_EQ(DecodeBcdByte(0xCC), 188);  // 1212 cut to 8 bits
  EXPECT_EQ(DecodeBcdByte(0x3A), 54);   // 310 cut to 8 bits
}

// Byte image of the record, to prove that a rejected group wrote nothing.
struct Snapshot {
  explicit Snapshot(const WeatherRecord& w) { std::memcpy(bytes, &w, sizeof w); }
  bool same(const WeatherRecord& w) const { return std::memcmp(bytes, &w, sizeof w) == 0; }
  unsigned char bytes[sizeof(WeatherRecord)];
};

TEST(Checksum, RejectedGroupsWriteNothingButTheirVerdict) {
  StationData d;
  const bool* seen[] = {&d.state.seen8F, &d.state.seen9F, &d.state.seenAF, &d.state.seenBF,
                        &d.state.seenCF};
  for (GroupKind kind : kGroupKinds) {
    EXPECT_EQ(d.verdicts.text(kind), "");
    const std::vector<uint8_t> good = groupBody(kind, {{1, 0x99}, {2, 0x99}});  // the sum wraps
    std::vector<uint8_t> bad = good;
    bad[0] += 1;  // checksum not fixed
    const Snapshot before(d.weather);
    EXPECT_FALSE(decodeGroup(kind, bad, d));
    EXPECT_TRUE(before.same(d.weather));
    EXPECT_FALSE(*seen[groupIndex(kind)]);
    EXPECT_EQ(d.verdicts.text(kind), kind == GroupKind::G8F ? "False" : "False!");
    EXPECT_TRUE(decodeGroup(kind, good, d));
    EXPECT_EQ(d.verdicts.text(kind), "OK!");
    EXPECT_TRUE(*seen[groupIndex(kind)]);
  }
  EXPECT_EQ(ChecksumVerdicts::rowNames()[0], "8F Time&Humidty");
  EXPECT_EQ(ChecksumVerdicts::rowNames()[1], "9F Temperature ");
}

TEST(Checksum, WrongLengthIsABadGroupNotACrash) {
  StationData d;
  const std::vector<uint8_t> body = groupBody(GroupKind::G8F);
  EXPECT_FALSE(DecodeGroup8F(std::span(body).first(20), d));
  EXPECT_FALSE(DecodeGroupCF({}, d));
  EXPECT_FALSE(d.state.seen8F);
  EXPECT_EQ(d.verdicts.text(GroupKind::GCF), "False!");
}

TEST(Group8F, LowValuesStraddleNibblesOfTwoBytes) {
  StationData d;
  ASSERT_TRUE(DecodeGroup8F(groupBody(GroupKind::G8F, {{5, 0x3C},
                                                       {13, 0x53},
                                                       {14, 0x24},
                                                       {15, 0x13},
                                                       {16, 0x71},
                                                       {17, 0x92},
                                                       {32, 0x90},
                                                       {33, 0x48}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.Clock.Month, 12);
  EXPECT_TRUE(w.Clock.FlagBit4 && w.Clock.FlagBit5);
  EXPECT_EQ(w.HumIn.Hi.Month, 3);
  EXPECT_EQ(w.HumIn.Lo.Value, 45);
  EXPECT_EQ(w.HumIn.Lo.Minute, 32);
  EXPECT_EQ(w.HumIn.Lo.Hour, 11);
  EXPECT_EQ(w.HumIn.Lo.Day, 27);
  EXPECT_EQ(w.HumIn.Lo.Month, 9);
  EXPECT_TRUE(w.HumIn.OutOfRange && w.HumOut.OutOfRange);
  EXPECT_FALSE(w.HumIn.Hi.Flag || w.HumIn.AlarmLoOn);
  EXPECT_TRUE(w.HumIn.AlarmHiOn && w.AlarmClock.On);
}

TEST(Group9F, SignedTenthsAndFahrenheitAlarms) {
  StationData d;
  ASSERT_TRUE(DecodeGroup9F(groupBody(GroupKind::G9F, {{1, 0x12},
                                                       {2, 0x0B},
                                                       {12, 0x50},
                                                       {13, 0x19},
                                                       {15, 0x40},
                                                       {16, 0x23},
                                                       {17, 0x79},
                                                       {18, 0x12}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.TempIn.Current, -312);
  EXPECT_FALSE(w.TempIn.Positive);
  EXPECT_EQ(w.TempIn.AlarmHi, 195);
  EXPECT_FALSE(w.TempFlag);
  EXPECT_EQ(w.TempOut.Current, -123);
  EXPECT_EQ(w.TempOut.Hi.Value, 127);  // tenths 7, units 2, tens 1
  EXPECT_TRUE(w.TempOut.Hi.Flag);
}

TEST(GroupAF, PressureTrendForecastAndAlarms) {
  StationData d;
  d.weather.DewIn.AlarmLoOn = d.weather.DewOut.AlarmLoOn = true;
  ASSERT_TRUE(DecodeGroupAF(groupBody(GroupKind::GAF, {{1, 0x13},
                                                       {2, 0x10},
                                                       {3, 0x32},
                                                       {4, 0x01},
                                                       {5, 0xD1},
                                                       {6, 0x94},
                                                       {17, 0xF3},
                                                       {29, 0x8F}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.Baro.Local, 1013);
  EXPECT_EQ(w.Baro.SeaLevel, 10132);
  EXPECT_EQ(w.Baro.Code, 5);  // 13 - 8
  EXPECT_EQ(w.Baro.Trend, 1);
  EXPECT_EQ(w.Baro.Forecast, 4);
  EXPECT_EQ(w.Baro.Alarm, 16);
  EXPECT_TRUE(w.Baro.AlarmOn);
  EXPECT_EQ(w.DewIn.AlarmHi, 4);
  EXPECT_EQ(w.DewOut.AlarmHi, 16);
  EXPECT_FALSE(w.DewIn.AlarmLoOn || w.DewOut.AlarmLoOn);
}

TEST(GroupBF, RainAmountsFromDigitPairs) {
  StationData d;
  ASSERT_TRUE(DecodeGroupBF(
      groupBody(GroupKind::GBF, {{1, 0x21}, {2, 0x03}, {3, 0x34}, {4, 0x12}, {12, 0x91}}), d));
  EXPECT_EQ(d.weather.Rain.Rate, 321);
  EXPECT_EQ(d.weather.Rain.Yesterday, 1234);
  EXPECT_EQ(d.weather.Rain.Alarm, 100);
  EXPECT_TRUE(d.weather.Rain.RateOutOfRange && d.weather.Rain.AlarmOn);
}

TEST(GroupCF, WindChillPowerAndDisplay) {
  StationData d;
  ASSERT_TRUE(DecodeGroupCF(groupBody(GroupKind::GCF, {{1, 0x45},
                                                       {2, 0x31},
                                                       {3, 0x27},
                                                       {13, 0x50},
                                                       {14, 0x19},
                                                       {16, 0x05},
                                                       {21, 0x27},
                                                       {22, 0x12},
                                                       {23, 0xD8},
                                                       {24, 0x90}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.Wind.Speed, 145);
  EXPECT_EQ(w.Wind.Dir, 273);
  EXPECT_EQ(w.Wind.Alarm, 195);
  EXPECT_EQ(w.Chill.Current, -5);
  EXPECT_EQ(w.Chill.Lo.Month, 7);
  EXPECT_EQ(w.Chill.Alarm, -112);
  EXPECT_TRUE(w.PowerDc && w.BatteryLow);
  EXPECT_EQ(w.DisplaySection, 1);
}

TEST(GroupCF, GustMaxMinuteRisesOnlyOnAStrictlyHigherSpeed) {
  StationData d;
  auto wind = [](uint8_t speed, uint8_t dirTens) {
    return groupBody(GroupKind::GCF, {{1, speed}, {3, dirTens}});
  };
  ASSERT_TRUE(DecodeGroupCF(wind(0x45, 0x27), d));
  EXPECT_EQ(d.state.gustMaxMinute, 45);
  EXPECT_EQ(d.state.gustMaxMinuteDir, 270);
  DecodeGroupCF(wind(0x45, 0x09), d);  // equal speed, other direction
  DecodeGroupCF(wind(0x30, 0x09), d);
  std::vector<uint8_t> bad = wind(0x99, 0x09);
  bad.back() += 1;
  DecodeGroupCF(bad, d);
  EXPECT_EQ(d.state.gustMaxMinute, 45);
  EXPECT_EQ(d.state.gustMaxMinuteDir, 270);
  DecodeGroupCF(wind(0x46, 0x09), d);
  EXPECT_EQ(d.state.gustMaxMinute, 46);
  EXPECT_EQ(d.state.gustMaxMinuteDir, 90);
}

// Copying a decoded group's fields into another record must give exactly the
// record that decoding the group there gives: every field the decoder writes
// is copied and no field of another kind is.
TEST(copyGroupFields, MovesExactlyTheFieldsTheDecoderWrites) {
  std::mt19937 rng(11);
  for (int round = 0; round < 50; ++round) {
    StationData other;
    for (GroupKind k : kGroupKinds) ASSERT_TRUE(decodeGroup(k, randomGroup(k, rng), other));
    for (GroupKind kind : kGroupKinds) {
      const std::vector<uint8_t> group = randomGroup(kind, rng);
      StationData fresh;
      ASSERT_TRUE(decodeGroup(kind, group, fresh));
      StationData decodedThere = other;
      ASSERT_TRUE(decodeGroup(kind, group, decodedThere));
      WeatherRecord copied = other.weather;
      copyGroupFields(kind, fresh.weather, copied);
      EXPECT_EQ(copied, decodedThere.weather) << "kind " << groupIndex(kind) << ", round " << round;
    }
  }
}

// The framer has checked a group's checksum; decoding it without checking
// again must leave everything as decoding it whole does, a verdict that was
// wrong before included.
TEST(decodeGoodGroupOf, WritesWhatDecodingTheGroupWrites) {
  std::mt19937 rng(12);
  for (int round = 0; round < 50; ++round) {
    for (GroupKind kind : kGroupKinds) {
      StationData whole;
      std::vector<uint8_t> bad = randomGroup(kind, rng);
      bad.back() ^= 1;
      if (round % 2 == 0) decodeGroup(kind, bad, whole);
      StationData good = whole;
      const std::vector<uint8_t> group = randomGroup(kind, rng);
      ASSERT_TRUE(decodeGroup(kind, group, whole));
      test::forKind(kind, [&]<GroupKind K>() { decodeGoodGroupOf<K>(group, good); });
      EXPECT_EQ(good.weather, whole.weather) << "kind " << groupIndex(kind);
      EXPECT_EQ(good.state.allSeen(), whole.state.allSeen());
      EXPECT_EQ(good.state.gustMaxMinute, whole.state.gustMaxMinute);
      EXPECT_EQ(good.verdicts.cells, whole.verdicts.cells);
    }
  }
}

}  // namespace
}  // namespace tavik

namespace tavik {
namespace {

std::array<bool, 5> seen(const StationState& s) {
  return {s.seen8F, s.seen9F, s.seenAF, s.seenBF, s.seenCF};
}

// A group that differs from the last of its kind in a few bytes is decoded
// only where they changed; the record, the state and the verdicts must end
// as decoding it whole leaves them. The changes fall anywhere, into the
// first nine bytes only (the clock of 0x8F, the wind of 0xCF) or behind the
// fifteenth (the outdoor temperature of 0x9F), and the gust maximum is
// sometimes above the new wind, sometimes below.
TEST(decodeChangedGroup, EndsAsDecodingTheGroupWhole) {
  std::mt19937 rng(13);
  for (int round = 0; round < 400; ++round) {
    for (GroupKind kind : kGroupKinds) {
      const std::vector<uint8_t> before = randomGroup(kind, rng);
      StationData last;
      ASSERT_TRUE(decodeGroup(kind, before, last));
      last.state.gustMaxMinute = static_cast<uint16_t>(rng() % 1000);
      std::vector<uint8_t> after = before;
      // Anywhere, in the first nine bytes, or from the sixteenth on.
      const size_t from = round % 3 == 2 && after.size() > 20 ? 15 : 0;
      const size_t span = round % 3 == 1 ? 9 : after.size() - 1 - from;
      uint64_t changed = 0;
      for (unsigned n = 1 + rng() % 3; n > 0; --n) {
        const size_t at = from + rng() % span;
        const auto was = after[at];
        after[at] = static_cast<uint8_t>(rng());
        after.back() = static_cast<uint8_t>(after.back() + after[at] - was);
        if (after[at] != before[at]) changed |= uint64_t{1} << at;
      }
      StationData whole = last;
      ASSERT_TRUE(decodeGroup(kind, after, whole));
      StationData part = last;
      test::forKind(kind, [&]<GroupKind K>() { decodeChangedGroup<K>(after, changed, part); });
      EXPECT_EQ(part.weather, whole.weather) << "kind " << groupIndex(kind) << ", round " << round;
      EXPECT_EQ(part.state.gustMaxMinute, whole.state.gustMaxMinute);
      EXPECT_EQ(part.state.gustMaxMinuteDir, whole.state.gustMaxMinuteDir);
      EXPECT_EQ(seen(part.state), seen(whole.state));
      EXPECT_EQ(part.verdicts.cells, whole.verdicts.cells);
    }
  }
}

}  // namespace
}  // namespace tavik
