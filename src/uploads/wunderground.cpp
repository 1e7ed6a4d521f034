// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/wunderground.h"

#include <charconv>
#include <cmath>
#include <ctime>

#include "common/regional.h"
#include "products/aprs_fields.h"

namespace tavik {

namespace {

constexpr double kInchesOfMercuryPerHpa = 0.029529983071445;

double fahrenheit(int tenthsCelsius) { return tenthsCelsius / 10.0 * 9.0 / 5.0 + 32.0; }

// Fixed-point text with a decimal point; std::to_chars ignores the locale.
std::string decimal(double value, int places) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
  std::string text(buffer, result.ptr);
  if (text.starts_with("-") && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);  // no "-0.0"
  }
  return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> wundergroundParameters(
    const std::string& stationId, const std::string& password, const UploadRecord& record,
    std::string_view version) {
  const PublishedValues& v = record.values;
  const std::time_t utc = static_cast<std::time_t>(record.observedUtc);
  std::tm tm{};
  gmtime_r(&utc, &tm);
  std::vector<std::pair<std::string, std::string>> p = {
      {"ID", stationId},
      {"PASSWORD", password},
      {"dateutc", std::to_string(tm.tm_year + 1900) + "-" + twoDigits(tm.tm_mon + 1) + "-" +
                      twoDigits(tm.tm_mday) + " " + twoDigits(tm.tm_hour) + ":" +
                      twoDigits(tm.tm_min) + ":" + twoDigits(tm.tm_sec)},
  };
  const auto add = [&p](const char* name, const std::optional<int>& value, auto convert,
                        int places) {
    if (value) p.emplace_back(name, decimal(convert(*value), places));
  };
  const auto same = [](int x) { return static_cast<double>(x); };
  const auto mph = [](int tenths) { return static_cast<double>(aprsMph(tenths)); };
  const auto inHg = [](int tenthsHpa) { return tenthsHpa / 10.0 * kInchesOfMercuryPerHpa; };
  // The rain in whole hundredths, as the APRS fields round them.
  const auto inches = [&record](int count) {
    return roundHalfEven(aprsRainHundredths(count, record.normalGauge)) / 100.0;
  };
  const auto dewPoint = [](const std::optional<DewPoint>& d) {
    return d ? std::optional<int>(d->tenths) : std::nullopt;
  };
  add("tempf", v.tempOut, fahrenheit, 1);
  add("humidity", v.humOut, same, 0);
  add("dewptf", dewPoint(v.dewOut), fahrenheit, 1);
  add("baromin", v.seaLevel, inHg, 3);
  add("windspeedmph", v.windAvgSpeed, mph, 1);
  add("windgustmph", v.gust5min, mph, 1);
  add("winddir", v.windAvgDir, same, 0);
  add("rainin", v.rainLastHour, inches, 2);
  add("dailyrainin", v.rainToday, inches, 2);
  add("indoortempf", v.tempIn, fahrenheit, 1);
  add("indoorhumidity", v.humIn, same, 0);
  p.emplace_back("action", "updateraw");
  p.emplace_back("softwaretype", "Tavik " + std::string(version));
  return p;
}

std::string wundergroundQuery(const std::vector<std::pair<std::string, std::string>>& parameters) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string query;
  for (const auto& [name, value] : parameters) {
    if (!query.empty()) query += '&';
    query += name + '=';
    for (unsigned char c : value) {
      const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                         (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
      if (plain) {
        query += static_cast<char>(c);
      } else {
        query += '%';
        query += kHex[c >> 4];
        query += kHex[c & 15];
      }
    }
  }
  return query;
}

bool wundergroundSuccess(std::string_view body) {
  const auto first = body.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return false;
  const auto last = body.find_last_not_of(" \t\r\n");
  return body.substr(first, last - first + 1) == "success";
}

}  // namespace tavik
