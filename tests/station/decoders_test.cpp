#include "station/decoders.h"

#include <gtest/gtest.h>

#include <cstring>

#include "group_builder.h"
#include "station/bits.h"

namespace tavik {
namespace {

using test::groupBody;

TEST(Bits, TextNibblesAndTwoDigitValues) {
  EXPECT_EQ(ByteToBits(0x80), "10000000");
  EXPECT_EQ(ByteToBits(0x05), "00000101");
  EXPECT_EQ(SplitNibbles(0xA5), std::make_pair(uint8_t{5}, uint8_t{10}));
  EXPECT_EQ(DecodeBcdByte(0x47), 47);
  EXPECT_EQ(DecodeBcdByte(0x09), 9);
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

TEST(Checksum, AcceptsTheSumOfGroupByteAndDataAndRejectsAnyChange) {
  for (GroupKind kind : kGroupKinds) {
    StationData d;
    EXPECT_EQ(d.verdicts.text(kind), "");
    std::vector<uint8_t> good = groupBody(kind, {{1, 0x12}, {2, 0x34}});
    EXPECT_TRUE(DecodeGroup(kind, good, d));
    EXPECT_EQ(d.verdicts.text(kind), "OK!");

    const Snapshot before(d.weather);
    std::vector<uint8_t> bad = good;
    bad[0] += 1;  // checksum not fixed
    EXPECT_FALSE(DecodeGroup(kind, bad, d));
    EXPECT_TRUE(before.same(d.weather));
    EXPECT_EQ(d.verdicts.text(kind), kind == GroupKind::G8F ? "False" : "False!");
  }
}

TEST(Checksum, VerdictRowsAndSeenFlags) {
  EXPECT_EQ(ChecksumVerdicts::rowNames()[0], "8F Time&Humidty");
  EXPECT_EQ(ChecksumVerdicts::rowNames()[1], "9F Temperature ");
  EXPECT_EQ(ChecksumVerdicts::rowNames()[4], "CF Wind, Windchill");
  StationData d;
  std::vector<uint8_t> bad = groupBody(GroupKind::GBF);
  bad.back() ^= 1;
  DecodeGroupBF(bad, d);
  EXPECT_FALSE(d.state.seenBF);
  EXPECT_EQ(d.verdicts.cells[3], "False!");
  DecodeGroupAF(groupBody(GroupKind::GAF), d);
  EXPECT_TRUE(d.state.seenAF);
  EXPECT_FALSE(d.state.seenBF);
  EXPECT_EQ(d.verdicts.cells[2], "OK!");
  EXPECT_FALSE(d.state.allSeen());
}

TEST(Checksum, WrongLengthIsABadGroupNotACrash) {
  StationData d;
  const std::vector<uint8_t> body = groupBody(GroupKind::G8F);
  EXPECT_FALSE(DecodeGroup8F(std::span(body).first(20), d));
  EXPECT_FALSE(DecodeGroupCF({}, d));
  EXPECT_FALSE(d.state.seen8F);
  EXPECT_EQ(d.verdicts.text(GroupKind::G8F), "False");
  EXPECT_EQ(d.verdicts.text(GroupKind::GCF), "False!");
}

TEST(Group8F, ClockAndHumidityWithShiftedLowValues) {
  StationData d;
  ASSERT_TRUE(DecodeGroup8F(groupBody(GroupKind::G8F, {{1, 0x59},
                                                       {3, 0x23},
                                                       {5, 0x3C},
                                                       {8, 0x45},
                                                       {13, 0x53},
                                                       {14, 0x24},
                                                       {15, 0x13},
                                                       {16, 0x71},
                                                       {17, 0x92},
                                                       {29, 0x40},
                                                       {31, 0x30},
                                                       {32, 0x90},
                                                       {33, 0x48}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.Clock.Second, 59);
  EXPECT_EQ(w.Clock.Hour, 23);
  EXPECT_EQ(w.Clock.Month, 12);
  EXPECT_TRUE(w.Clock.FlagBit4);
  EXPECT_TRUE(w.Clock.FlagBit5);
  EXPECT_EQ(w.HumIn.Current, 45);
  EXPECT_EQ(w.HumIn.Hi.Month, 3);
  EXPECT_EQ(w.HumIn.Lo.Value, 45);
  EXPECT_EQ(w.HumIn.Lo.Minute, 32);
  EXPECT_EQ(w.HumIn.Lo.Hour, 11);
  EXPECT_EQ(w.HumIn.Lo.Day, 27);
  EXPECT_EQ(w.HumIn.Lo.Month, 9);
  EXPECT_EQ(w.HumOut.Lo.Month, 4);
  EXPECT_EQ(w.HumOut.AlarmLo, 30);
  EXPECT_TRUE(w.HumIn.OutOfRange);
  EXPECT_FALSE(w.HumIn.Hi.Flag);
  EXPECT_TRUE(w.HumOut.OutOfRange);
  EXPECT_FALSE(w.HumIn.Lo.Flag);
  EXPECT_FALSE(w.HumIn.AlarmLoOn);
  EXPECT_TRUE(w.HumIn.AlarmHiOn);
  EXPECT_TRUE(w.AlarmClock.On);
  EXPECT_TRUE(d.state.seen8F);
}

TEST(Group9F, SignedTenthsAndFahrenheitAlarms) {
  StationData d;
  ASSERT_TRUE(DecodeGroup9F(groupBody(GroupKind::G9F, {{1, 0x12},
                                                       {2, 0x0B},
                                                       {3, 0x00},
                                                       {12, 0x50},
                                                       {13, 0x19},
                                                       {15, 0x40},
                                                       {16, 0x23},
                                                       {17, 0x79},
                                                       {18, 0x12},
                                                       {32, 0x50}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.TempIn.Current, -312);
  EXPECT_FALSE(w.TempIn.Positive);
  EXPECT_EQ(w.TempIn.Hi.Value, 0);
  EXPECT_TRUE(w.TempIn.Hi.Flag);
  EXPECT_EQ(w.TempIn.AlarmHi, 195);
  EXPECT_FALSE(w.TempFlag);
  EXPECT_EQ(w.TempOut.Current, -123);
  EXPECT_FALSE(w.TempOut.Positive);
  EXPECT_EQ(w.TempOut.Hi.Value, 127);  // tenths 7, units 2, tens 1
  EXPECT_TRUE(w.TempOut.Hi.Flag);
  EXPECT_FALSE(w.TempIn.AlarmLoOn);
  EXPECT_TRUE(w.TempIn.AlarmHiOn);
  EXPECT_FALSE(w.TempOut.AlarmLoOn);
  EXPECT_TRUE(w.TempOut.AlarmHiOn);
}

TEST(Group9F, BadGroupAfterGoodKeepsTheGoodValues) {
  StationData d;
  ASSERT_TRUE(DecodeGroup9F(groupBody(GroupKind::G9F, {{16, 0x45}, {17, 0x01}}), d));
  std::vector<uint8_t> bad = groupBody(GroupKind::G9F, {{16, 0x99}});
  bad.back() ^= 0x40;
  EXPECT_FALSE(DecodeGroup9F(bad, d));
  EXPECT_EQ(d.weather.TempOut.Current, 145);
  EXPECT_TRUE(d.weather.TempOut.Positive);
}

TEST(GroupAF, PressureTrendForecastAndAlarms) {
  StationData d;
  ASSERT_TRUE(DecodeGroupAF(groupBody(GroupKind::GAF, {{1, 0x13},
                                                       {2, 0x10},
                                                       {3, 0x32},
                                                       {4, 0x01},
                                                       {5, 0xD1},
                                                       {6, 0x94},
                                                       {17, 0xF3},
                                                       {28, 0x42},
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
  EXPECT_TRUE(w.DewIn.OutOfRange);
  EXPECT_TRUE(w.DewOut.OutOfRange);
  EXPECT_FALSE(w.DewFlagBit7);
  EXPECT_FALSE(w.DewIn.AlarmHiOn);
}

TEST(GroupAF, LowAlarmsAreAlwaysOffAndCodesReduced) {
  StationData d;
  d.weather.DewIn.AlarmLoOn = true;
  d.weather.DewOut.AlarmLoOn = true;
  ASSERT_TRUE(DecodeGroupAF(groupBody(GroupKind::GAF, {{5, 0x60}, {6, 0x70}, {29, 0xFF}}), d));
  EXPECT_FALSE(d.weather.DewIn.AlarmLoOn);
  EXPECT_FALSE(d.weather.DewOut.AlarmLoOn);
  EXPECT_EQ(d.weather.Baro.Code, 2);   // 6 - 4
  EXPECT_EQ(d.weather.Baro.Trend, 7);  // kept below 8
  EXPECT_TRUE(d.weather.DewIn.AlarmHiOn);
}

TEST(GroupBF, RainAmountsFromDigitPairs) {
  StationData d;
  ASSERT_TRUE(DecodeGroupBF(
      groupBody(GroupKind::GBF,
                {{1, 0x21}, {2, 0x03}, {3, 0x34}, {4, 0x12}, {10, 0x2B}, {11, 0x50}, {12, 0x91}}),
      d));
  const RainBlock& r = d.weather.Rain;
  EXPECT_EQ(r.Rate, 321);
  EXPECT_EQ(r.Yesterday, 1234);
  EXPECT_EQ(r.TotalSince.Month, 11);
  EXPECT_TRUE(r.FlagBit5);
  EXPECT_EQ(r.Alarm, 150);
  EXPECT_TRUE(r.RateOutOfRange);
  EXPECT_TRUE(r.AlarmOn);
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
                                                       {24, 0x90},
                                                       {25, 0x86}}),
                            d));
  const WeatherRecord& w = d.weather;
  EXPECT_EQ(w.Wind.Speed, 145);
  EXPECT_EQ(w.Wind.Dir, 273);
  EXPECT_EQ(w.Wind.Alarm, 195);
  EXPECT_EQ(w.Chill.Current, -5);
  EXPECT_EQ(w.Chill.Lo.Month, 7);
  EXPECT_EQ(w.Chill.Lo.Value, 0);
  EXPECT_EQ(w.Chill.Alarm, -112);
  EXPECT_TRUE(w.PowerDc);
  EXPECT_TRUE(w.BatteryLow);
  EXPECT_EQ(w.DisplaySection, 1);
  EXPECT_TRUE(w.Wind.SpeedFlag);
  EXPECT_FALSE(w.Wind.GustFlag);
  EXPECT_TRUE(w.Wind.AlarmOn);
  EXPECT_TRUE(w.Chill.AlarmOn);
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
  EXPECT_EQ(d.state.gustMaxMinuteDir, 270);
  DecodeGroupCF(wind(0x30, 0x09), d);
  EXPECT_EQ(d.state.gustMaxMinute, 45);
  std::vector<uint8_t> bad = wind(0x99, 0x09);
  bad.back() += 1;
  DecodeGroupCF(bad, d);
  EXPECT_EQ(d.state.gustMaxMinute, 45);
  EXPECT_EQ(d.verdicts.text(GroupKind::GCF), "False!");
  DecodeGroupCF(wind(0x46, 0x09), d);
  EXPECT_EQ(d.state.gustMaxMinute, 46);
  EXPECT_EQ(d.state.gustMaxMinuteDir, 90);
}

}  // namespace
}  // namespace tavik
