// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/web_page.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "products/weather_log_summary.h"
#include "products/web_page_style.h"
#include "values/published_values.h"

namespace tavik {
namespace {

constexpr const char* kDash = "–";

// One value of the page: the number in an element with its id, the unit beside it.
std::string value(const char* id, const std::optional<std::string>& text, const char* unit) {
  std::string out = "<span id=\"" + std::string(id) + "\">" + (text ? *text : kDash) + "</span>";
  if (*unit != '\0') out += std::string("\u00a0") + unit;
  return out;
}

std::optional<std::string> tenths(const std::optional<int>& v, const RegionalSettings& rs) {
  if (!v) return std::nullopt;
  return tenthsText(*v, rs);
}

std::optional<std::string> whole(const std::optional<int>& v) {
  if (!v) return std::nullopt;
  return std::to_string(*v);
}

std::string row(const char* label, const std::string& content) {
  return "<dt>" + std::string(label) + "</dt><dd>" + content + "</dd>";
}

std::string card(const char* title, const std::string& rows) {
  return "<section class=\"card\"><h2>" + std::string(title) + "</h2><dl>" + rows +
         "</dl></section>";
}

std::string clockText(const LocalDateTime& t, const RegionalSettings& rs) {
  return formatLongTime(t.hour, t.minute, t.second, rs);
}

std::optional<std::string> dewText(const std::optional<DewPoint>& d, const RegionalSettings& rs) {
  if (!d) return std::nullopt;
  return tenthsText(d->tenths, rs);
}

std::string temperatureCard(const WeatherRecord& w, const StationState& s,
                            const RegionalSettings& rs) {
  const PublishedValues v = publishedValues(w, s);
  return card("Temperatur",
              row("Außen", value("temp-out", tenths(v.tempOut, rs), "°C")) +
                  row("Innen", value("temp-in", tenths(v.tempIn, rs), "°C")) +
                  row("Taupunkt außen", value("dew-out", dewText(v.dewOut, rs), "°C")) +
                  row("Taupunkt innen", value("dew-in", dewText(v.dewIn, rs), "°C")) +
                  row("Windchill", value("chill", whole(v.windChill), "°C")));
}

std::string humidityCard(const WeatherRecord& w, const StationState& s) {
  const PublishedValues v = publishedValues(w, s);
  return card("Luftfeuchtigkeit", row("Außen", value("hum-out", whole(v.humOut), "%")) +
                                      row("Innen", value("hum-in", whole(v.humIn), "%")));
}

std::string pressureCard(const WeatherRecord& w, const StationState& s,
                         const RegionalSettings& rs) {
  const bool seen = s.seenAF;
  const PublishedValues v = publishedValues(w, s);
  return card("Luftdruck", row("Lokal", value("baro-local", whole(v.pressureLocal), "hPa")) +
                               row("Meereshöhe", value("baro-sea", tenths(v.seaLevel, rs), "hPa")) +
                               row("Trend", (seen ? trendPicture(w.Baro.Trend) : "") + " " +
                                                value("trend", v.trend, "")) +
                               row("Vorhersage", (seen ? forecastPicture(w.Baro.Forecast) : "") +
                                                     " " + value("forecast", v.forecast, "")));
}

std::string windCard(const WeatherRecord& w, const StationState& s, const RegionalSettings& rs) {
  const bool seen = s.seenCF;
  const WindBlock& b = w.Wind;
  const PublishedValues v = publishedValues(w, s);
  auto gustTime = [&]() -> std::optional<std::string> {
    if (!seen || b.GustTime.Day == 0 || b.GustTime.Hour > 23 || b.GustTime.Minute > 59) {
      return std::nullopt;
    }
    return twoDigits(b.GustTime.Hour) + ":" + twoDigits(b.GustTime.Minute) + " " +
           twoDigits(b.GustTime.Day) + "." + twoDigits(b.GustTime.Month) + ".";
  };
  return card("Wind",
              row("Aktuell", value("wind-speed", tenths(v.windSpeed, rs), "m/s")) +
                  row("Richtung", (seen ? windArrow(b.Dir) : "") + " " +
                                      value("wind-dir", whole(v.windDir), "°") + " " +
                                      value("wind-point", v.compassPoint, "")) +
                  row("Durchschnitt", value("wind-avg", tenths(v.windAvgSpeed, rs), "m/s") + " " +
                                          value("wind-avg-dir", whole(v.windAvgDir), "°")) +
                  row("Böe", value("wind-gust", tenths(v.gustSpeed, rs), "m/s") + " " +
                                 value("wind-gust-dir", whole(v.gustDir), "°")) +
                  row("Böe um", value("wind-gust-time", gustTime(), "")) +
                  row("Max seit 5 min", value("wind-5min", tenths(v.gust5min, rs), "m/s")));
}

std::string rainCard(const WeatherRecord& w, const StationState& s) {
  const PublishedValues v = publishedValues(w, s);
  return card("Regen", row("Rate", value("rain-rate", whole(v.rainRate), "mm/h")) +
                           row("Gestern", value("rain-yesterday", whole(v.rainYesterday), "mm")) +
                           row("Total", value("rain-total", whole(v.rainTotal), "mm")) +
                           row("Letzte Stunde", value("rain-hour", whole(v.rainLastHour), "mm")) +
                           row("Heute", value("rain-today", whole(v.rainToday), "mm")) +
                           row("Letzte 24 h", value("rain-24h", whole(v.rain24h), "mm")));
}

std::string extreme(const std::string& id, const std::optional<TimedValue>& v, const char* unit,
                    const RegionalSettings& rs) {
  std::optional<std::string> number, time;
  if (v) {
    number = tenthsText(std::llround(v->value * 10), rs);
    time = twoDigits(v->time.hour) + ":" + twoDigits(v->time.minute);
  }
  return value(id.c_str(), number, unit) + " um " + value((id + "-time").c_str(), time, "");
}

// Today's highs and lows, each with its time.
std::string todayCard(const TodayExtremes& t, const RegionalSettings& rs) {
  return card("Heute",
              row("Temp. max", extreme("today-temp-max", t.temperature.max, "°C", rs)) +
                  row("Temp. min", extreme("today-temp-min", t.temperature.min, "°C", rs)) +
                  row("Feuchte max", extreme("today-hum-max", t.humidity.max, "%", rs)) +
                  row("Feuchte min", extreme("today-hum-min", t.humidity.min, "%", rs)) +
                  row("Druck max", extreme("today-baro-max", t.pressure.max, "hPa", rs)) +
                  row("Druck min", extreme("today-baro-min", t.pressure.min, "hPa", rs)));
}

std::string legend(const Chart& c) {
  std::string out = "<p class=\"legend\">";
  for (const ChartLine& l : c.lines) {
    out += "<span class=\"k" + (l.cssClass == "bar" ? std::string("bar") : l.cssClass.substr(1)) +
           "\">■</span> " + l.name + " ";
  }
  return out + "(" + c.unit + ")</p>";
}

std::string periodSection(const ChartPeriod& p, bool open, const RegionalSettings& rs) {
  std::string out = "<details id=\"" + p.id + "\"" + (open ? " open" : "") + "><summary>" +
                    p.title + "</summary><div class=\"charts\">";
  for (const Chart& c : p.charts) {
    out += "<figure class=\"card\"><figcaption>" + c.title + "</figcaption>" +
           chartSvg(c, p.firstLabel, p.lastLabel, rs) + legend(c) + "</figure>";
  }
  return out + "</div></details>";
}

std::string staleBanner(const CurrentJsonInput& c) {
  if (!c.stale) return "";
  const std::string since =
      c.lastGroup ? " seit " + twoDigits(c.lastGroup->hour) + ":" + twoDigits(c.lastGroup->minute)
                  : "";
  return "<p id=\"stale\" class=\"stale\" role=\"alert\">Keine Daten" + since + "</p>";
}

std::string reportLinks(const std::vector<std::string>& reports) {
  std::string out = "<a href=\"current.json\">current.json</a>";
  for (const std::string& r : reports) {
    out += " · <a href=\"" + htmlEscape(r) + "\">" + htmlEscape(r) + "</a>";
  }
  return out;
}

}  // namespace

std::string htmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string webPage(const WebPageInput& in) {
  const CurrentJsonInput& c = in.current;
  const RegionalSettings& rs = in.rs;
  const std::string title = htmlEscape(c.station);
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
      "<meta name=\"color-scheme\" content=\"light dark\">";
  if (in.refreshMinutes > 0) {
    out +=
        "<meta http-equiv=\"refresh\" content=\"" + std::to_string(in.refreshMinutes * 60) + "\">";
  }
  out += "<title>" + title + "</title><style>" + webPageStyle() + "</style></head>\n<body><main>";
  out += "<h1 id=\"station\">" + title + "</h1>";
  out += staleBanner(c);
  out += "<p class=\"meta\">Stand: <span id=\"generated\">" +
         formatShortDate(c.generated.year, c.generated.month, c.generated.day, rs) + " " +
         clockText(c.generated, rs) + "</span> · Letzte Daten: <span id=\"last-group\">" +
         (c.lastGroup ? clockText(*c.lastGroup, rs) : kDash) + "</span></p>";
  out += "<div class=\"grid\">" + temperatureCard(c.weather, c.state, rs) +
         humidityCard(c.weather, c.state) + pressureCard(c.weather, c.state, rs) +
         windCard(c.weather, c.state, rs) + rainCard(c.weather, c.state) + todayCard(c.today, rs) +
         "</div>\n";
  for (size_t i = 0; i < in.periods.size(); ++i) {
    out += periodSection(in.periods[i], i == 0, rs) + "\n";
  }
  out += "<footer>" + reportLinks(in.reports) + "</footer></main></body></html>\n";
  return out;
}

}  // namespace tavik
