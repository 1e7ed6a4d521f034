// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_file.h"

#include <algorithm>
#include <cctype>

#include "common/text_file.h"
#include "products/aprs_fields.h"
#include "products/station_stamp.h"

namespace tavik {

namespace {

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
  const auto rain = [normalGauge](int count) {
    return aprsDigitsField(3, aprsRainHundredths(count, normalGauge));
  };
  frame.weatherLine =
      aprsDigitsField(3, w.Wind.AvgDir) + "/" + aprsDigitsField(3, aprsMph(w.Wind.AvgSpeed)) + "g" +
      aprsDigitsField(3, aprsMph(peak)) + "t" + aprsFahrenheitField(w.TempOut.Current) + "h" +
      aprsHumidityField(w.HumOut.Current) + "b" + aprsDigitsField(5, w.Baro.SeaLevel) + "r" +
      rain(ctx.state.rainLastHour) + "P" + rain(ctx.state.rainSinceMidnight) + "p" +
      rain(ctx.state.rain24h) + "m/" + forecastWord(w.Baro.Forecast);
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
