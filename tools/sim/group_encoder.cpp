// SPDX-License-Identifier: GPL-3.0-or-later
#include "group_encoder.h"

#include <cstdlib>

namespace tavik {
namespace {

// Writes into a group as it travels on the line: byte 0 is the group byte.
class GroupWriter {
 public:
  GroupWriter(GroupKind kind) : bytes_(groupLength(kind), 0) {
    bytes_[0] = static_cast<uint8_t>(kind);
  }

  void lo(int byte, int digit) { bytes_[byte] |= static_cast<uint8_t>(digit & 0x0F); }
  void hi(int byte, int digit) { bytes_[byte] |= static_cast<uint8_t>((digit & 0x0F) << 4); }
  void bit(int byte, int bit, bool on) {
    if (on) bytes_[byte] |= static_cast<uint8_t>(1u << bit);
  }
  // Two decimal digits in one byte: tens high, units low.
  void bcd(int byte, int value) {
    lo(byte, value % 10);
    hi(byte, value / 10 % 10);
  }
  // Two decimal digits spread over the high nibble of one byte (units) and
  // the low nibble of the next (tens).
  void split(int byte, int value) {
    hi(byte, value % 10);
    lo(byte + 1, value / 10 % 10);
  }

  std::vector<uint8_t> finish() {
    bytes_.back() = groupChecksum(std::span(bytes_).first(bytes_.size() - 1));
    return std::move(bytes_);
  }

 private:
  std::vector<uint8_t> bytes_;
};

// A code that the decoder folds into 0..7 (0..3 kept, 4..7 minus 4, 8..15
// minus 8): 4..7 are sent as 12..15.
int foldedCode(int code) { return code < 4 ? code : code + 8; }

// Current value, maximum with its time and minimum with its time, the layout
// shared by the humidity and the dew-point blocks (ten bytes from `first`).
void writeCurrentHiLo(GroupWriter& g, int first, int current, const MinMaxEntry& hiEntry,
                      const MinMaxEntry& loEntry) {
  g.bcd(first, current);
  g.bcd(first + 1, hiEntry.Value);
  g.bcd(first + 2, hiEntry.Minute);
  g.bcd(first + 3, hiEntry.Hour);
  g.bcd(first + 4, hiEntry.Day);
  g.lo(first + 5, hiEntry.Month);
  g.split(first + 5, loEntry.Value);
  g.split(first + 6, loEntry.Minute);
  g.split(first + 7, loEntry.Hour);
  g.split(first + 8, loEntry.Day);
  g.hi(first + 9, loEntry.Month);
}

void writeHumidity(GroupWriter& g, int first, const HumidityBlock& h) {
  writeCurrentHiLo(g, first, h.Current, h.Hi, h.Lo);
  g.bcd(first + 10, h.AlarmHi);
  g.bcd(first + 11, h.AlarmLo);
}

// A signed temperature in tenths: tenths and units in two nibbles, the tens
// digit in three bits of the third nibble, whose fourth bit is the sign.
struct TempDigits {
  int tenths, units, tensAndSign;
};
TempDigits tempDigits(int32_t value, bool negative) {
  const int magnitude = std::abs(value);
  return {magnitude % 10, magnitude / 10 % 10, (magnitude / 100 % 8) | (negative ? 8 : 0)};
}

// Current, maximum and minimum with their times and the two alarm
// thresholds of one temperature block (fifteen bytes from `first`).
void writeTemperature(GroupWriter& g, int first, const TemperatureBlock& t) {
  const TempDigits current = tempDigits(t.Current, !t.Positive);
  g.lo(first, current.tenths);
  g.hi(first, current.units);
  g.lo(first + 1, current.tensAndSign);

  const TempDigits hiValue = tempDigits(t.Hi.Value, !t.Hi.Flag);
  g.hi(first + 1, hiValue.tenths);
  g.lo(first + 2, hiValue.units);
  g.hi(first + 2, hiValue.tensAndSign);
  g.bcd(first + 3, t.Hi.Minute);
  g.bcd(first + 4, t.Hi.Hour);
  g.bcd(first + 5, t.Hi.Day);
  g.lo(first + 6, t.Hi.Month);

  const TempDigits loValue = tempDigits(t.Lo.Value, !t.Lo.Flag);
  g.hi(first + 6, loValue.tenths);
  g.lo(first + 7, loValue.units);
  g.hi(first + 7, loValue.tensAndSign);
  g.bcd(first + 8, t.Lo.Minute);
  g.bcd(first + 9, t.Lo.Hour);
  g.bcd(first + 10, t.Lo.Day);
  g.lo(first + 11, t.Lo.Month);

  g.hi(first + 11, t.AlarmHi % 10);
  g.lo(first + 12, t.AlarmHi / 10 % 10);
  g.bit(first + 12, 4, t.AlarmHi >= 100);
  g.lo(first + 13, t.AlarmLo % 10);
  g.hi(first + 13, t.AlarmLo / 10 % 10);
  g.bit(first + 14, 0, t.AlarmLo >= 100);
}

// A speed in tenths of m/s (three digits) and a direction in degrees whose
// units share the speed's second byte (three bytes from `first`).
void writeWind(GroupWriter& g, int first, int speed, int dir) {
  g.bcd(first, speed % 100);
  g.lo(first + 1, speed / 100 % 10);
  g.hi(first + 1, dir % 10);
  g.bcd(first + 2, dir / 10);
}

std::vector<uint8_t> encode8F(const WeatherRecord& w) {
  GroupWriter g(GroupKind::G8F);
  g.bcd(1, w.Clock.Second);
  g.bcd(2, w.Clock.Minute);
  g.bcd(3, w.Clock.Hour);
  g.bcd(4, w.Clock.Day);
  g.lo(5, w.Clock.Month);
  g.bit(5, 4, w.Clock.FlagBit4);
  g.bit(5, 5, w.Clock.FlagBit5);
  g.bcd(6, w.AlarmClock.Minute);
  g.bcd(7, w.AlarmClock.Hour);
  writeHumidity(g, 8, w.HumIn);
  writeHumidity(g, 20, w.HumOut);
  g.bit(32, 7, w.HumIn.OutOfRange);
  g.bit(32, 6, w.HumIn.Hi.Flag);
  g.bit(32, 4, w.HumOut.OutOfRange);
  g.bit(32, 3, w.HumOut.Hi.Flag);
  g.bit(33, 7, w.HumIn.AlarmLoOn);
  g.bit(33, 6, w.HumIn.AlarmHiOn);
  g.bit(33, 5, w.HumOut.AlarmHiOn);
  g.bit(33, 4, w.HumOut.AlarmLoOn);
  g.bit(33, 3, w.AlarmClock.On);
  return g.finish();
}

std::vector<uint8_t> encode9F(const WeatherRecord& w) {
  GroupWriter g(GroupKind::G9F);
  writeTemperature(g, 1, w.TempIn);
  g.bit(15, 6, !w.TempFlag);
  writeTemperature(g, 16, w.TempOut);
  g.bit(32, 7, w.TempIn.AlarmLoOn);
  g.bit(32, 6, w.TempIn.AlarmHiOn);
  g.bit(32, 5, w.TempOut.AlarmLoOn);
  g.bit(32, 4, w.TempOut.AlarmHiOn);
  return g.finish();
}

std::vector<uint8_t> encodeAF(const WeatherRecord& w) {
  GroupWriter g(GroupKind::GAF);
  g.bcd(1, w.Baro.Local % 100);
  g.bcd(2, w.Baro.Local / 100);
  g.bcd(3, w.Baro.SeaLevel % 100);
  g.bcd(4, w.Baro.SeaLevel / 100 % 100);
  g.lo(5, w.Baro.SeaLevel / 10000);
  g.hi(5, foldedCode(w.Baro.Code));
  g.lo(6, w.Baro.Forecast);
  g.hi(6, w.Baro.Trend);
  writeCurrentHiLo(g, 7, w.DewIn.Current, w.DewIn.Hi, w.DewIn.Lo);
  g.lo(17, w.DewIn.AlarmHi - 1);
  g.hi(17, w.DewOut.AlarmHi - 1);
  writeCurrentHiLo(g, 18, w.DewOut.Current, w.DewOut.Hi, w.DewOut.Lo);
  g.bit(28, 7, w.DewFlagBit7);
  g.bit(28, 6, w.DewIn.OutOfRange);
  g.bit(28, 4, w.DewFlagBit4);
  g.bit(28, 1, w.DewOut.OutOfRange);
  g.lo(29, w.Baro.Alarm - 1);
  g.bit(29, 7, w.Baro.AlarmOn);
  g.bit(29, 6, w.DewOut.AlarmHiOn);
  g.bit(29, 5, w.DewIn.AlarmHiOn);
  return g.finish();
}

std::vector<uint8_t> encodeBF(const WeatherRecord& w) {
  GroupWriter g(GroupKind::GBF);
  g.bcd(1, w.Rain.Rate % 100);
  g.lo(2, w.Rain.Rate / 100 % 10);
  g.bcd(3, w.Rain.Yesterday % 100);
  g.bcd(4, w.Rain.Yesterday / 100);
  g.bcd(5, w.Rain.Total % 100);
  g.bcd(6, w.Rain.Total / 100);
  g.bcd(7, w.Rain.TotalSince.Minute);
  g.bcd(8, w.Rain.TotalSince.Hour);
  g.bcd(9, w.Rain.TotalSince.Day);
  g.lo(10, w.Rain.TotalSince.Month);
  g.bit(10, 5, w.Rain.FlagBit5);
  g.bcd(11, w.Rain.Alarm % 100);
  g.lo(12, w.Rain.Alarm / 100 % 10);
  g.bit(12, 7, w.Rain.RateOutOfRange);
  g.bit(12, 4, w.Rain.AlarmOn);
  return g.finish();
}

std::vector<uint8_t> encodeCF(const WeatherRecord& w) {
  GroupWriter g(GroupKind::GCF);
  writeWind(g, 1, w.Wind.Speed, w.Wind.Dir);
  writeWind(g, 4, w.Wind.AvgSpeed, w.Wind.AvgDir);
  writeWind(g, 7, w.Wind.GustSpeed, w.Wind.GustDir);
  g.bcd(10, w.Wind.GustTime.Minute);
  g.bcd(11, w.Wind.GustTime.Hour);
  g.bcd(12, w.Wind.GustTime.Day);
  g.lo(13, w.Wind.GustTime.Month);
  g.hi(13, w.Wind.Alarm % 10);
  g.lo(14, w.Wind.Alarm / 10 % 10);
  g.bit(14, 4, w.Wind.Alarm >= 100);
  g.hi(15, foldedCode(w.Wind.Code));
  g.bcd(16, std::abs(w.Chill.Current));
  g.bcd(17, std::abs(w.Chill.Lo.Value));
  g.bcd(18, w.Chill.Lo.Minute);
  g.bcd(19, w.Chill.Lo.Hour);
  g.bcd(20, w.Chill.Lo.Day);
  g.lo(21, w.Chill.Lo.Month);
  g.bit(21, 5, w.Chill.Current < 0);
  g.bit(21, 4, w.Chill.Lo.Value < 0);
  g.bcd(22, std::abs(w.Chill.Alarm) % 100);
  g.bit(23, 4, std::abs(w.Chill.Alarm) >= 100);
  g.bit(23, 3, w.Chill.Alarm < 0);
  g.bit(23, 6, w.PowerDc);
  g.bit(23, 7, w.BatteryLow);
  g.hi(24, w.DisplaySection);
  g.bit(25, 7, w.Wind.SpeedFlag);
  g.bit(25, 6, w.Wind.AvgFlag);
  g.bit(25, 5, w.Wind.GustFlag);
  g.bit(25, 2, w.Wind.AlarmOn);
  g.bit(25, 1, w.Chill.AlarmOn);
  return g.finish();
}

}  // namespace

std::vector<uint8_t> encodeGroup(GroupKind kind, const WeatherRecord& w) {
  switch (kind) {
    case GroupKind::G8F:
      return encode8F(w);
    case GroupKind::G9F:
      return encode9F(w);
    case GroupKind::GAF:
      return encodeAF(w);
    case GroupKind::GBF:
      return encodeBF(w);
    case GroupKind::GCF:
      return encodeCF(w);
  }
  return {};
}

void corruptChecksum(std::vector<uint8_t>& group) {
  if (!group.empty()) group.back() ^= 0x01;
}

}  // namespace tavik
