// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "common/text_file.h"
#include "products/aprs_fields.h"
#include "products/rain_gauge.h"
#include "products/station_stamp.h"

namespace tavik {

namespace {

// The conversions are done in single precision, as the receiving software's
// figures were always computed.
constexpr float kMphPerMetrePerSecond = 2.23694f;
constexpr float kInchesPerMillimetre = 0.04f;
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
  const int rainRate = w.Rain.RateOutOfRange ? 0 : w.Rain.Rate;

  AprsFrame frame;
  frame.timeLine = formatDateTime("mmm dd yyyy hh:nn", frameMoment(ctx), ctx.regional);
  frame.weatherLine =
      aprsDigitsField(3, w.Wind.AvgDir) + "/" + aprsDigitsField(3, tenthsToMph(w.Wind.AvgSpeed)) +
      "g" + aprsDigitsField(3, tenthsToMph(peak)) + "t" + aprsFahrenheitField(w.TempOut.Current) +
      "h" + aprsHumidityField(w.HumOut.Current) + "b" + aprsDigitsField(5, w.Baro.SeaLevel) + "r" +
      aprsDigitsField(3, rainHundredthsOfInch(rainRate, normalGauge)) + "P" +
      aprsDigitsField(3, rainHundredthsOfInch(ctx.state.rainSinceMidnight, normalGauge)) + "p" +
      aprsDigitsField(3, rainHundredthsOfInch(ctx.state.rain24h, normalGauge)) + "m/" +
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
    ctx.notifier.notify("Fehler beim Erstellen der APRS-Datei", "APRS");
  }
}

}  // namespace tavik
