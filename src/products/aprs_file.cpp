// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "common/text_file.h"
#include "common/zero_pad.h"
#include "products/rain_gauge.h"
#include "products/station_stamp.h"

namespace tavik {

namespace {

// The conversions are done in single precision, as the receiving software's
// figures were always computed.
constexpr float kMphPerMetrePerSecond = 2.23694f;
constexpr float kInchesPerMillimetre = 1.0f / 25.4f;
constexpr float kGaugeFactor = static_cast<float>(kConvertedGaugeFactor);

float tenthsToMph(int tenthsOfMetrePerSecond) {
  return static_cast<float>(tenthsOfMetrePerSecond) / 10.0f * kMphPerMetrePerSecond;
}

// A rain count of the console in hundredths of an inch.
float rainHundredthsOfInch(int count, bool normalGauge) {
  float mm = static_cast<float>(count);
  if (!normalGauge) mm /= kGaugeFactor;
  return mm * kInchesPerMillimetre * 100.0f;
}

// A field of `width` digits. A decoder reads a field by its width, so a number
// the width cannot hold is capped at the largest one it can (999 for three
// digits) rather than written longer, which would shift every later field.
std::string digitsField(int width, double value) {
  const double largest = std::pow(10.0, width) - 1.0;
  return ZeroPadNumber(width, std::clamp(value, 0.0, largest));
}

// Degrees Fahrenheit of a temperature in tenths of a degree Celsius: three
// digits, or "-" and two digits below zero (-4 °F is "-04"); the field holds
// -99 to 999.
std::string fahrenheitField(int tenthsCelsius) {
  const float fahrenheit = static_cast<float>(tenthsCelsius) / 10.0f * 9.0f / 5.0f + 32.0f;
  const long long rounded = roundHalfEven(fahrenheit);
  if (rounded < 0) return "-" + digitsField(2, static_cast<double>(std::llabs(rounded)));
  return digitsField(3, static_cast<double>(rounded));
}

// Two digits of relative humidity; 100 % is "00", the field's own convention,
// and no humidity is more.
std::string humidityField(int percent) { return percent >= 100 ? "00" : digitsField(2, percent); }

const char* forecastWord(uint8_t code) {
  switch (code) {
    case 1:
      return "sunny";
    case 2:
      return "wolkig";
    case 4:
      return "bewoelkt";  // APRS is ASCII
    case 8:
      return "Regen";
    default:
      return "";
  }
}

LocalDateTime frameMoment(const ProductContext& ctx) {
  const LocalDateTime now = ctx.clock.now();
  if (ctx.settings.APRSRechnerZeit) return now;
  const ClockBlock& c = ctx.weather.Clock;
  return stampToDateTime(c.Day, c.Month, c.Hour, c.Minute, now);
}

}  // namespace

AprsFrame aprsFrame(const ProductContext& ctx) {
  const WeatherRecord& w = ctx.weather;
  const bool normalGauge = ctx.settings.NormalRegen;
  const uint16_t peak = *std::max_element(ctx.state.gustRing.begin(), ctx.state.gustRing.end());

  AprsFrame frame;
  frame.timeLine = formatDateTime("mmm dd yyyy hh:nn", frameMoment(ctx), ctx.regional);
  frame.weatherLine =
      digitsField(3, w.Wind.AvgDir) + "/" + digitsField(3, tenthsToMph(w.Wind.AvgSpeed)) + "g" +
      digitsField(3, tenthsToMph(peak)) + "t" + fahrenheitField(w.TempOut.Current) + "h" +
      humidityField(w.HumOut.Current) + "b" + digitsField(5, w.Baro.SeaLevel) + "r" +
      digitsField(3, rainHundredthsOfInch(ctx.state.rainLastHour, normalGauge)) + "P" +
      digitsField(3, rainHundredthsOfInch(ctx.state.rainSinceMidnight, normalGauge)) + "p" +
      digitsField(3, rainHundredthsOfInch(ctx.state.rain24h, normalGauge)) + "m/" +
      forecastWord(w.Baro.Forecast);
  return frame;
}

bool aprsLineFeedOnly(const Settings& settings) {
  std::string end = settings.APRSZeilenende;
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return end == "LF";
}

void writeAprsFile(const ProductContext& ctx) {
  const AprsFrame frame = aprsFrame(ctx);
  const std::string lineEnd = aprsLineFeedOnly(ctx.settings) ? "\n" : "\r\n";
  FileReplacement file;
  const bool written = file.open(ctx.settings.APRSDatei) &&
                       file.writeRaw(utf8ToCp1252(frame.timeLine) + lineEnd +
                                     utf8ToCp1252(frame.weatherLine) + lineEnd) &&
                       file.commit();
  if (!written) {
    ctx.notifier.notify(withNote("Fehler beim Erstellen der APRS-Datei",
                                 notRegularFileNote(ctx.settings.APRSDatei)),
                        "APRS");
  }
}

}  // namespace tavik
