// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/decoders.h"

#include <cstring>

#include "station/bits.h"

namespace tavik {
namespace {

// Read access to one group by the byte numbers it has on the line: byte 0 is
// the group byte (not part of the span), bytes 1..n-1 are span[0..n-2].
class GroupBytes {
 public:
  explicit GroupBytes(std::span<const uint8_t> group) : group_(group) {}

  uint8_t byte(int k) const { return group_[k - 1]; }
  int lo(int k) const { return SplitNibbles(byte(k)).first; }
  int hi(int k) const { return SplitNibbles(byte(k)).second; }
  int bcd(int k) const { return DecodeBcdByte(byte(k)); }
  bool bit(int k, int b) const { return (byte(k) >> b) & 1; }

 private:
  std::span<const uint8_t> group_;
};

// The low 8 bits of the group byte plus every data byte, compared with the
// checksum byte that ends the group.
bool checksumMatches(GroupKind kind, std::span<const uint8_t> group) {
  if (group.size() != static_cast<size_t>(groupLength(kind) - 1)) return false;
  const uint8_t sum = groupChecksum(group.first(group.size() - 1));
  return static_cast<uint8_t>(sum + static_cast<uint8_t>(kind)) == group.back();
}

// Codes that only use three bits: the console sets a fourth bit on top.
uint8_t minusEightAboveSeven(int nibble) {
  return static_cast<uint8_t>(nibble > 7 ? nibble - 8 : nibble);
}

uint8_t reducedCode(int nibble) {
  if (nibble >= 8) return static_cast<uint8_t>(nibble - 8);
  if (nibble >= 4) return static_cast<uint8_t>(nibble - 4);
  return static_cast<uint8_t>(nibble);
}

// Minute, hour and day as two-digit bytes k..k+2, the month in the low nibble
// of byte k+3. Works for StationTime and MinMaxEntry alike.
template <typename Stamp>
void readBcdStamp(const GroupBytes& g, int k, Stamp& s) {
  s.Minute = static_cast<uint8_t>(g.bcd(k));
  s.Hour = static_cast<uint8_t>(g.bcd(k + 1));
  s.Day = static_cast<uint8_t>(g.bcd(k + 2));
  s.Month = static_cast<uint8_t>(g.lo(k + 3));
}

// Units in the high nibble of byte k, tens in the low nibble of byte k+1.
int straddled(const GroupBytes& g, int k) { return g.hi(k) + 10 * g.lo(k + 1); }

// The high/low pair shared by humidity and dew point: the high value at byte
// k with its stamp behind it; the low value and its stamp are shifted by one
// nibble, each field straddling two bytes, the month in the high nibble of
// byte k+8.
void readShiftedMinMax(const GroupBytes& g, int k, MinMaxEntry& high, MinMaxEntry& low) {
  high.Value = g.bcd(k);
  readBcdStamp(g, k + 1, high);
  low.Value = straddled(g, k + 4);
  low.Minute = static_cast<uint8_t>(straddled(g, k + 5));
  low.Hour = static_cast<uint8_t>(straddled(g, k + 6));
  low.Day = static_cast<uint8_t>(straddled(g, k + 7));
  low.Month = static_cast<uint8_t>(g.hi(k + 8));
  low.Flag = false;
}

void readHumidity(const GroupBytes& g, int k, HumidityBlock& h) {
  h.Current = static_cast<uint8_t>(g.bcd(k));
  readShiftedMinMax(g, k + 1, h.Hi, h.Lo);
  h.AlarmHi = static_cast<uint8_t>(g.bcd(k + 10));
  h.AlarmLo = static_cast<uint8_t>(g.bcd(k + 11));
}

// A signed temperature in tenths: three digits, the fourth bit of the tens
// nibble being the sign. Returns the value; `negative` tells the sign.
int signedTenths(int tenths, int units, int tensNibble, bool negative) {
  const int magnitude = tenths + 10 * units + 100 * (tensNibble & 0x7);
  return negative ? -magnitude : magnitude;
}

// One temperature block of group 0x9F, starting at byte k (1 indoors, 16
// outdoors).
void readTemperature(const GroupBytes& g, int k, TemperatureBlock& t) {
  const bool currentNegative = g.bit(k + 1, 3);
  t.Current = signedTenths(g.lo(k), g.hi(k), g.lo(k + 1), currentNegative);
  t.Positive = !currentNegative;
  const bool hiNegative = g.bit(k + 2, 7);
  t.Hi.Value = signedTenths(g.hi(k + 1), g.lo(k + 2), g.hi(k + 2), hiNegative);
  t.Hi.Flag = !hiNegative;
  readBcdStamp(g, k + 3, t.Hi);
  const bool loNegative = g.bit(k + 7, 7);
  t.Lo.Value = signedTenths(g.hi(k + 6), g.lo(k + 7), g.hi(k + 7), loNegative);
  t.Lo.Flag = !loNegative;
  readBcdStamp(g, k + 8, t.Lo);
  t.AlarmHi = g.hi(k + 11) + 10 * g.lo(k + 12) + (g.bit(k + 12, 4) ? 100 : 0);
  t.AlarmLo = g.lo(k + 13) + 10 * g.hi(k + 13) + (g.bit(k + 14, 0) ? 100 : 0);
}

// A speed in tenths of m/s (two digits at byte k, hundreds in the low nibble
// of k+1) followed by its direction (units in the high nibble of k+1, tens and
// hundreds as the two-digit value of k+2).
void readSpeedAndDir(const GroupBytes& g, int k, uint16_t& speed, uint16_t& dir) {
  speed = static_cast<uint16_t>(g.bcd(k) + 100 * g.lo(k + 1));
  dir = static_cast<uint16_t>(g.hi(k + 1) + 10 * g.bcd(k + 2));
}

// The verdict of a group with a right checksum. Most groups follow a good one
// of their kind, so the text is written only when it changes.
void markGood(GroupKind kind, StationData& d) {
  std::string& cell = d.verdicts.cells[groupIndex(kind)];
  if (cell.size() != 3 || std::memcmp(cell.data(), "OK!", 3) != 0) cell = "OK!";
}

// Checks the group, records the verdict; true when the fields may be decoded.
bool accept(GroupKind kind, std::span<const uint8_t> group, StationData& d) {
  const bool ok = checksumMatches(kind, group);
  if (ok) {
    markGood(kind, d);
  } else {
    d.verdicts.cells[groupIndex(kind)] = kind == GroupKind::G8F ? "False" : "False!";
  }
  return ok;
}

// The highest speed of the minute follows every wind group, the minute tick
// lowering it again.
void raiseGustMaxMinute(const WindBlock& wind, StationState& state) {
  if (wind.Speed > state.gustMaxMinute) {
    state.gustMaxMinute = wind.Speed;
    state.gustMaxMinuteDir = static_cast<int16_t>(wind.Dir);
  }
}

}  // namespace

uint8_t groupChecksum(std::span<const uint8_t> bytesBeforeChecksum) {
  unsigned sum = 0;
  for (const uint8_t b : bytesBeforeChecksum) sum += b;
  return static_cast<uint8_t>(sum);
}

const std::string& ChecksumVerdicts::text(GroupKind kind) const { return cells[groupIndex(kind)]; }

const std::array<std::string, 5>& ChecksumVerdicts::rowNames() {
  static const std::array<std::string, 5> kNames = {"8F Time&Humidty", "9F Temperature ",
                                                    "AF Barometer, Dewpoint", "BF Rain",
                                                    "CF Wind, Windchill"};
  return kNames;
}

namespace {

// The fields of each kind written from a group with a right checksum, and
// its seen flag.
// The console's clock, from bytes 1..5 of group 0x8F and nothing else.
constexpr uint64_t kClockBytes8F = 0x1F;  // bit k: byte k + 1
void writeClock8F(const GroupBytes& g, ClockBlock& c) {
  c.Second = static_cast<uint8_t>(g.bcd(1));
  c.Minute = static_cast<uint8_t>(g.bcd(2));
  c.Hour = static_cast<uint8_t>(g.bcd(3));
  c.Day = static_cast<uint8_t>(g.bcd(4));
  c.Month = static_cast<uint8_t>(g.lo(5));
  c.FlagBit4 = g.bit(5, 4);
  c.FlagBit5 = g.bit(5, 5);
}

void write8F(const GroupBytes& g, StationData& d) {
  d.state.seen8F = true;
  WeatherRecord& w = d.weather;
  writeClock8F(g, w.Clock);
  w.AlarmClock.Minute = static_cast<uint8_t>(g.bcd(6));
  w.AlarmClock.Hour = static_cast<uint8_t>(g.bcd(7));
  readHumidity(g, 8, w.HumIn);
  readHumidity(g, 20, w.HumOut);
  w.HumIn.OutOfRange = g.bit(32, 7);
  w.HumIn.Hi.Flag = g.bit(32, 6);
  w.HumOut.OutOfRange = g.bit(32, 4);
  w.HumOut.Hi.Flag = g.bit(32, 3);
  w.HumIn.AlarmLoOn = g.bit(33, 7);
  w.HumIn.AlarmHiOn = g.bit(33, 6);
  w.HumOut.AlarmHiOn = g.bit(33, 5);
  w.HumOut.AlarmLoOn = g.bit(33, 4);
  w.AlarmClock.On = g.bit(33, 3);
}

// The two temperature blocks of group 0x9F, indoors from bytes 1..15 (with
// the flag in byte 15) and outdoors from bytes 16..30, each from nothing else.
constexpr uint64_t kIndoorBytes9F = 0x7FFF;         // bit k: byte k + 1
constexpr uint64_t kOutdoorBytes9F = 0x7FFF << 15;  // bit k: byte k + 1
void writeIndoor9F(const GroupBytes& g, WeatherRecord& w) {
  readTemperature(g, 1, w.TempIn);
  w.TempFlag = !g.bit(15, 6);
}

void write9F(const GroupBytes& g, StationData& d) {
  d.state.seen9F = true;
  WeatherRecord& w = d.weather;
  writeIndoor9F(g, w);
  readTemperature(g, 16, w.TempOut);
  w.TempIn.AlarmLoOn = g.bit(32, 7);
  w.TempIn.AlarmHiOn = g.bit(32, 6);
  w.TempOut.AlarmLoOn = g.bit(32, 5);
  w.TempOut.AlarmHiOn = g.bit(32, 4);
}

void writeAF(const GroupBytes& g, StationData& d) {
  d.state.seenAF = true;
  WeatherRecord& w = d.weather;
  w.Baro.Local = static_cast<uint16_t>(g.lo(1) + 10 * g.hi(1) + 100 * g.lo(2) + 1000 * g.hi(2));
  w.Baro.SeaLevel = static_cast<uint16_t>(g.lo(3) + 10 * g.hi(3) + 100 * g.lo(4) + 1000 * g.hi(4) +
                                          10000 * g.lo(5));
  w.Baro.Code = reducedCode(g.hi(5));
  w.Baro.Forecast = static_cast<uint8_t>(g.lo(6));
  w.Baro.Trend = minusEightAboveSeven(g.hi(6));
  w.DewIn.Current = g.bcd(7);
  readShiftedMinMax(g, 8, w.DewIn.Hi, w.DewIn.Lo);
  w.DewIn.AlarmHi = g.lo(17) + 1;
  w.DewOut.AlarmHi = g.hi(17) + 1;
  w.DewOut.Current = g.bcd(18);
  readShiftedMinMax(g, 19, w.DewOut.Hi, w.DewOut.Lo);
  w.DewFlagBit7 = g.bit(28, 7);
  w.DewIn.OutOfRange = g.bit(28, 6);
  w.DewFlagBit4 = g.bit(28, 4);
  w.DewOut.OutOfRange = g.bit(28, 1);
  w.Baro.Alarm = static_cast<uint16_t>(g.lo(29) + 1);
  w.Baro.AlarmOn = g.bit(29, 7);
  w.DewOut.AlarmHiOn = g.bit(29, 6);
  w.DewIn.AlarmHiOn = g.bit(29, 5);
  w.DewIn.AlarmLoOn = false;
  w.DewOut.AlarmLoOn = false;
}

void writeBF(const GroupBytes& g, StationData& d) {
  d.state.seenBF = true;
  RainBlock& r = d.weather.Rain;
  r.Rate = static_cast<uint16_t>(g.bcd(1) + 100 * g.lo(2));
  r.Yesterday = static_cast<uint16_t>(g.bcd(3) + 100 * g.bcd(4));
  r.Total = static_cast<uint16_t>(g.bcd(5) + 100 * g.bcd(6));
  readBcdStamp(g, 7, r.TotalSince);
  r.FlagBit5 = g.bit(10, 5);
  r.Alarm = static_cast<uint16_t>(g.bcd(11) + 100 * g.lo(12));
  r.RateOutOfRange = g.bit(12, 7);
  r.AlarmOn = g.bit(12, 4);
}

// The wind's speeds and directions, from bytes 1..9 of group 0xCF and
// nothing else, and the gust maximum of the minute they raise.
constexpr uint64_t kWindBytesCF = 0x1FF;  // bit k: byte k + 1
void writeWindCF(const GroupBytes& g, StationData& d) {
  WindBlock& wind = d.weather.Wind;
  readSpeedAndDir(g, 1, wind.Speed, wind.Dir);
  raiseGustMaxMinute(wind, d.state);
  readSpeedAndDir(g, 4, wind.AvgSpeed, wind.AvgDir);
  readSpeedAndDir(g, 7, wind.GustSpeed, wind.GustDir);
}

void writeCF(const GroupBytes& g, StationData& d) {
  d.state.seenCF = true;
  WeatherRecord& w = d.weather;
  writeWindCF(g, d);
  readBcdStamp(g, 10, w.Wind.GustTime);
  w.Wind.Alarm = static_cast<uint8_t>(g.hi(13) + 10 * g.lo(14) + (g.bit(14, 4) ? 100 : 0));
  w.Wind.Code = reducedCode(g.hi(15));
  w.Chill.Current = g.bit(21, 5) ? -g.bcd(16) : g.bcd(16);
  w.Chill.Lo.Value = g.bit(21, 4) ? -g.bcd(17) : g.bcd(17);
  readBcdStamp(g, 18, w.Chill.Lo);
  const int chillAlarm = g.bcd(22) + (g.bit(23, 4) ? 100 : 0);
  w.Chill.Alarm = g.bit(23, 3) ? -chillAlarm : chillAlarm;
  w.PowerDc = g.bit(23, 6);
  w.BatteryLow = g.bit(23, 7);
  w.DisplaySection = minusEightAboveSeven(g.hi(24));
  w.Wind.SpeedFlag = g.bit(25, 7);
  w.Wind.AvgFlag = g.bit(25, 6);
  w.Wind.GustFlag = g.bit(25, 5);
  w.Wind.AlarmOn = g.bit(25, 2);
  w.Chill.AlarmOn = g.bit(25, 1);
}

}  // namespace

bool DecodeGroup8F(std::span<const uint8_t> group, StationData& d) {
  if (!accept(GroupKind::G8F, group, d)) return false;
  write8F(GroupBytes(group), d);
  return true;
}

bool DecodeGroup9F(std::span<const uint8_t> group, StationData& d) {
  if (!accept(GroupKind::G9F, group, d)) return false;
  write9F(GroupBytes(group), d);
  return true;
}

bool DecodeGroupAF(std::span<const uint8_t> group, StationData& d) {
  if (!accept(GroupKind::GAF, group, d)) return false;
  writeAF(GroupBytes(group), d);
  return true;
}

bool DecodeGroupBF(std::span<const uint8_t> group, StationData& d) {
  if (!accept(GroupKind::GBF, group, d)) return false;
  writeBF(GroupBytes(group), d);
  return true;
}

bool DecodeGroupCF(std::span<const uint8_t> group, StationData& d) {
  if (!accept(GroupKind::GCF, group, d)) return false;
  writeCF(GroupBytes(group), d);
  return true;
}

bool decodeGroup(GroupKind kind, std::span<const uint8_t> group, StationData& d) {
  switch (kind) {
    case GroupKind::G8F:
      return DecodeGroup8F(group, d);
    case GroupKind::G9F:
      return DecodeGroup9F(group, d);
    case GroupKind::GAF:
      return DecodeGroupAF(group, d);
    case GroupKind::GBF:
      return DecodeGroupBF(group, d);
    case GroupKind::GCF:
      return DecodeGroupCF(group, d);
  }
  return false;
}

template <GroupKind K>
void decodeGoodGroupOf(std::span<const uint8_t> group, StationData& d) {
  markGood(K, d);
  const GroupBytes g(group);
  if constexpr (K == GroupKind::G8F) write8F(g, d);
  if constexpr (K == GroupKind::G9F) write9F(g, d);
  if constexpr (K == GroupKind::GAF) writeAF(g, d);
  if constexpr (K == GroupKind::GBF) writeBF(g, d);
  if constexpr (K == GroupKind::GCF) writeCF(g, d);
}
template void decodeGoodGroupOf<GroupKind::G8F>(std::span<const uint8_t>, StationData&);
template void decodeGoodGroupOf<GroupKind::G9F>(std::span<const uint8_t>, StationData&);
template void decodeGoodGroupOf<GroupKind::GAF>(std::span<const uint8_t>, StationData&);
template void decodeGoodGroupOf<GroupKind::GBF>(std::span<const uint8_t>, StationData&);
template void decodeGoodGroupOf<GroupKind::GCF>(std::span<const uint8_t>, StationData&);

template <GroupKind K>
void decodeChangedGroup(std::span<const uint8_t> group, uint64_t changedBytes, StationData& d) {
  // The clock moves in every group of 0x8F, the wind in most of 0xCF, a
  // temperature in many of 0x9F, mostly alone.
  if constexpr (K == GroupKind::G8F) {
    if ((changedBytes & ~kClockBytes8F) == 0) {
      markGood(K, d);
      d.state.seen8F = true;
      return writeClock8F(GroupBytes(group), d.weather.Clock);
    }
  }
  if constexpr (K == GroupKind::G9F) {
    if ((changedBytes & ~(kIndoorBytes9F | kOutdoorBytes9F)) == 0) {
      markGood(K, d);
      d.state.seen9F = true;
      const GroupBytes g(group);
      if ((changedBytes & kIndoorBytes9F) != 0) writeIndoor9F(g, d.weather);
      if ((changedBytes & kOutdoorBytes9F) != 0) readTemperature(g, 16, d.weather.TempOut);
      return;
    }
  }
  if constexpr (K == GroupKind::GCF) {
    if ((changedBytes & ~kWindBytesCF) == 0) {
      markGood(K, d);
      d.state.seenCF = true;
      return writeWindCF(GroupBytes(group), d);
    }
  }
  decodeGoodGroupOf<K>(group, d);
}
template void decodeChangedGroup<GroupKind::G8F>(std::span<const uint8_t>, uint64_t, StationData&);
template void decodeChangedGroup<GroupKind::G9F>(std::span<const uint8_t>, uint64_t, StationData&);
template void decodeChangedGroup<GroupKind::GAF>(std::span<const uint8_t>, uint64_t, StationData&);
template void decodeChangedGroup<GroupKind::GBF>(std::span<const uint8_t>, uint64_t, StationData&);
template void decodeChangedGroup<GroupKind::GCF>(std::span<const uint8_t>, uint64_t, StationData&);

template <GroupKind K>
void redecodeSameGroup(StationData& d) {
  markGood(K, d);
  StationState& s = d.state;
  if constexpr (K == GroupKind::G8F) s.seen8F = true;
  if constexpr (K == GroupKind::G9F) s.seen9F = true;
  if constexpr (K == GroupKind::GAF) s.seenAF = true;
  if constexpr (K == GroupKind::GBF) s.seenBF = true;
  if constexpr (K == GroupKind::GCF) {
    s.seenCF = true;
    raiseGustMaxMinute(d.weather.Wind, s);
  }
}
template void redecodeSameGroup<GroupKind::G8F>(StationData&);
template void redecodeSameGroup<GroupKind::G9F>(StationData&);
template void redecodeSameGroup<GroupKind::GAF>(StationData&);
template void redecodeSameGroup<GroupKind::GBF>(StationData&);
template void redecodeSameGroup<GroupKind::GCF>(StationData&);

void copyGroupFields(GroupKind kind, const WeatherRecord& from, WeatherRecord& to) {
  switch (kind) {
    case GroupKind::G8F:
      to.Clock = from.Clock;
      to.AlarmClock = from.AlarmClock;
      to.HumIn = from.HumIn;
      to.HumOut = from.HumOut;
      return;
    case GroupKind::G9F:
      to.TempIn = from.TempIn;
      to.TempOut = from.TempOut;
      to.TempFlag = from.TempFlag;
      return;
    case GroupKind::GAF:
      to.Baro = from.Baro;
      to.DewIn = from.DewIn;
      to.DewOut = from.DewOut;
      to.DewFlagBit7 = from.DewFlagBit7;
      to.DewFlagBit4 = from.DewFlagBit4;
      return;
    case GroupKind::GBF:
      to.Rain = from.Rain;
      return;
    case GroupKind::GCF:
      to.Wind = from.Wind;
      to.Chill = from.Chill;
      to.PowerDc = from.PowerDc;
      to.BatteryLow = from.BatteryLow;
      to.DisplaySection = from.DisplaySection;
      return;
  }
}

}  // namespace tavik
