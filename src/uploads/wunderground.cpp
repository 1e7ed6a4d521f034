// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/wunderground.h"

#include <charconv>
#include <cmath>

namespace tavik {

namespace {

constexpr double kMphPerMetrePerSecond = 2.2369362920544;
constexpr double kInchesOfMercuryPerHpa = 0.029529983071445;
constexpr double kInchesPerMm = 1.0 / 25.4;

double fahrenheit(double celsius) { return celsius * 9.0 / 5.0 + 32.0; }

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

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::vector<std::pair<std::string, std::string>> wundergroundParameters(
    const std::string& stationId, const std::string& password, const UploadValues& v,
    std::time_t utc, std::string_view version) {
  std::tm tm{};
  gmtime_r(&utc, &tm);
  std::vector<std::pair<std::string, std::string>> p = {
      {"ID", stationId},
      {"PASSWORD", password},
      {"dateutc", std::to_string(tm.tm_year + 1900) + "-" + twoDigits(tm.tm_mon + 1) + "-" +
                      twoDigits(tm.tm_mday) + " " + twoDigits(tm.tm_hour) + ":" +
                      twoDigits(tm.tm_min) + ":" + twoDigits(tm.tm_sec)},
  };
  const auto add = [&p](const char* name, const std::optional<double>& value,
                        double (*convert)(double), int places) {
    if (value) p.emplace_back(name, decimal(convert(*value), places));
  };
  const auto same = [](double x) { return x; };
  const auto mph = [](double ms) { return ms * kMphPerMetrePerSecond; };
  const auto inHg = [](double hpa) { return hpa * kInchesOfMercuryPerHpa; };
  const auto inches = [](double mm) { return mm * kInchesPerMm; };
  add("tempf", v.temperatureC, fahrenheit, 1);
  add("humidity", v.humidityPercent, same, 0);
  add("dewptf", v.dewPointC, fahrenheit, 1);
  add("baromin", v.pressureHpa, inHg, 3);
  add("windspeedmph", v.windSpeedMs, mph, 1);
  add("windgustmph", v.windGustMs, mph, 1);
  add("winddir", v.windDirection, same, 0);
  add("rainin", v.rainLastHourMm, inches, 2);
  add("dailyrainin", v.rainSinceMidnightMm, inches, 2);
  add("indoortempf", v.indoorTemperatureC, fahrenheit, 1);
  add("indoorhumidity", v.indoorHumidityPercent, same, 0);
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
