// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "common/compass.h"
#include "products/weather_log_reader.h"
#include "values/published_values.h"
#include "web/web_page_style.h"

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

// "W (270°)": the compass point with the degrees behind it.
std::string direction(const char* degreesId, const char* pointId,
                      const std::optional<int>& degrees) {
  std::optional<std::string> point;
  if (degrees) point = std::string(compassName(compassPoint(*degrees)));
  return value(pointId, point, "") + " (" + value(degreesId, whole(degrees), "") + "°)";
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
  return card("Wind", row("Aktuell", value("wind-speed", tenths(v.windSpeed, rs), "m/s")) +
                          row("Richtung", (seen ? windArrow(b.Dir) : "") + " " +
                                              direction("wind-dir", "wind-point", v.windDir)) +
                          row("Durchschnitt",
                              value("wind-avg", tenths(v.windAvgSpeed, rs), "m/s") + " " +
                                  direction("wind-avg-dir", "wind-avg-point", v.windAvgDir)) +
                          row("Böe", value("wind-gust", tenths(v.gustSpeed, rs), "m/s") + " " +
                                         direction("wind-gust-dir", "wind-gust-point", v.gustDir)) +
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

// How a span names the moment of an extreme: the clock for a day, day and
// clock for longer spans, the date for records.
enum class When { Clock, DayAndClock, Date };

std::string whenText(const LocalDateTime& t, When when) {
  const std::string clock = twoDigits(t.hour) + ":" + twoDigits(t.minute);
  const std::string day = twoDigits(t.day) + "." + twoDigits(t.month) + ".";
  switch (when) {
    case When::Clock:
      return clock;
    case When::DayAndClock:
      return day + " " + clock;
    case When::Date:
      return day + std::to_string(t.year);
  }
  return clock;
}

std::string extreme(const std::string& id, const std::optional<TimedValue>& v, const char* unit,
                    When when, const RegionalSettings& rs) {
  std::optional<std::string> number, time;
  if (v) {
    number = tenthsText(std::llround(v->value * 10), rs);
    time = whenText(v->time, when);
  }
  return value(id.c_str(), number, unit) + " <small>" + value((id + "-time").c_str(), time, "") +
         "</small>";
}

// The highs and lows of one span, each with its time.
std::string extremesCard(const char* title, const std::string& id, const SpanExtremes& e, When when,
                         const RegionalSettings& rs) {
  std::optional<std::string> rain;
  if (e.rainMm) rain = tenthsText(std::llround(*e.rainMm * 10), rs);
  return card(title,
              row("Temp. max", extreme(id + "-temp-max", e.temperature.max, "°C", when, rs)) +
                  row("Temp. min", extreme(id + "-temp-min", e.temperature.min, "°C", when, rs)) +
                  row("Feuchte max", extreme(id + "-hum-max", e.humidity.max, "%", when, rs)) +
                  row("Feuchte min", extreme(id + "-hum-min", e.humidity.min, "%", when, rs)) +
                  row("Druck max", extreme(id + "-baro-max", e.pressure.max, "hPa", when, rs)) +
                  row("Druck min", extreme(id + "-baro-min", e.pressure.min, "hPa", when, rs)) +
                  row("Böe max", extreme(id + "-gust-max", e.gust, "m/s", when, rs)) +
                  row("Regen", value((id + "-rain").c_str(), rain, "mm")));
}

std::string extremesSection(const WebPageData& d, const RegionalSettings& rs) {
  return "<details id=\"extreme\" open><summary>Höchst- und Tiefstwerte</summary><div "
         "class=\"grid\">" +
         extremesCard("Heute", "today", d.today, When::Clock, rs) +
         extremesCard("Gestern", "yesterday", d.yesterday, When::Clock, rs) +
         extremesCard("7 Tage", "week", d.week, When::DayAndClock, rs) +
         extremesCard("Dieser Monat", "month", d.month, When::DayAndClock, rs) +
         extremesCard("Dieses Jahr", "year", d.year, When::DayAndClock, rs) +
         extremesCard("Rekorde", "record", d.records, When::Date, rs) + "</div></details>";
}

// "52,5042° N": one coordinate in degrees, four decimals.
std::optional<std::string> coordinate(const std::optional<double>& v, const char* positive,
                                      const char* negative, const RegionalSettings& rs) {
  if (!v) return std::nullopt;
  const std::string text = fixedDecimalText(std::fabs(*v), 4, rs.decimalSeparator);
  return text + "°\u00a0" + (*v < 0 ? negative : positive);
}

std::string placeCard(const WebPlace& p, const RegionalSettings& rs) {
  std::optional<std::string> height, locator;
  if (p.heightM) height = std::to_string(std::llround(*p.heightM));
  if (!p.locator.empty()) locator = htmlEscape(p.locator);
  return card("Sonne und Standort",
              row("Aufgang", value("sunrise", p.sunrise, "")) +
                  row("Untergang", value("sunset", p.sunset, "")) +
                  row("Breite", value("latitude", coordinate(p.latitude, "N", "S", rs), "")) +
                  row("Länge", value("longitude", coordinate(p.longitude, "O", "W", rs), "")) +
                  row("Höhe", value("height", height, "m")) +
                  row("Locator", value("locator", locator, "")));
}

std::string legend(const Chart& c) {
  std::string out = "<p class=\"legend\">";
  for (const ChartLine& l : c.lines) {
    out += "<span class=\"k" + (l.cssClass == "bar" ? std::string("bar") : l.cssClass.substr(1)) +
           "\">■</span> " + l.name + " ";
  }
  return out + "(" + c.unit + ")</p>";
}

// Every section starts open, so that the automatic reload never closes one.
std::string periodSection(const ChartPeriod& p, const RegionalSettings& rs) {
  std::string out =
      "<details id=\"" + p.id + "\" open><summary>" + p.title + "</summary><div class=\"charts\">";
  for (const Chart& c : p.charts) {
    out += "<figure class=\"card\"><figcaption>" + c.title + "</figcaption>" + chartSvg(c, p, rs) +
           legend(c) + "</figure>";
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

constexpr const char* kMonthAbbreviations[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                               "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

std::string link(const std::string& file, const std::string& text) {
  return "<a href=\"" + htmlEscape(file) + "\">" + text + "</a>";
}

// The climate reports by year, newest first: the year's report, then its
// months; a name of another form stands on its own.
std::string reportList(const std::vector<std::string>& reports) {
  std::map<int, std::string, std::greater<>> yearFile;
  std::map<int, std::map<int, std::string>, std::greater<>> monthFiles;
  std::vector<std::string> others;
  for (const std::string& r : reports) {
    int year = 0, month = 0;
    char tail = 0;
    if (r.size() == 16 && std::sscanf(r.c_str(), "NOAA-%4d-%2d.tx%c", &year, &month, &tail) == 3 &&
        tail == 't' && month >= 1 && month <= 12) {
      monthFiles[year][month] = r;
    } else if (r.size() == 13 && std::sscanf(r.c_str(), "NOAA-%4d.tx%c", &year, &tail) == 2 &&
               tail == 't') {
      yearFile[year] = r;
      monthFiles[year];
    } else {
      others.push_back(r);
    }
  }
  std::string out = "<ul class=\"reports\" id=\"reports\">";
  for (const auto& [year, months] : monthFiles) {
    const auto y = yearFile.find(year);
    out += "<li><b>" +
           (y != yearFile.end() ? link(y->second, std::to_string(year)) : std::to_string(year)) +
           "</b>";
    for (const auto& [month, file] : months) {
      out += " " + link(file, kMonthAbbreviations[month - 1]);
    }
    out += "</li>";
  }
  for (const std::string& r : others) out += "<li>" + link(r, htmlEscape(r)) + "</li>";
  return out + "</ul>";
}

// "vor 3 min": how old the last good group is when the page is made.
std::string ageText(const CurrentJsonInput& c) {
  if (!c.lastGroup) return kDash;
  const long long s = std::max<long long>(0, secondsOf(c.generated) - secondsOf(*c.lastGroup));
  if (s < 60) return "vor " + std::to_string(s) + " s";
  if (s < 3600) return "vor " + std::to_string(s / 60) + " min";
  if (s < 86400) {
    return "vor " + std::to_string(s / 3600) + " h " + std::to_string(s % 3600 / 60) + " min";
  }
  const long long days = s / 86400;
  return "vor " + std::to_string(days) + (days == 1 ? " Tag" : " Tagen");
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
         (c.lastGroup ? clockText(*c.lastGroup, rs) : kDash) + "</span> (<span id=\"data-age\">" +
         ageText(c) + "</span>)</p>";
  out += "<div class=\"grid\">" + temperatureCard(c.weather, c.state, rs) +
         humidityCard(c.weather, c.state) + pressureCard(c.weather, c.state, rs) +
         windCard(c.weather, c.state, rs) + rainCard(c.weather, c.state) +
         placeCard(in.data.place, rs) + "</div>\n";
  out += extremesSection(in.data, rs) + "\n";
  for (const ChartPeriod& p : in.data.periods) out += periodSection(p, rs) + "\n";
  out += "<details id=\"berichte\" open><summary>Klimaberichte</summary>" +
         reportList(in.data.reports) + "</details>\n";
  out += "<footer><a href=\"current.json\">current.json</a></footer></main></body></html>\n";
  return out;
}

}  // namespace tavik
