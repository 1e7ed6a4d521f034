// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/aprs_is.h"

#include <cmath>
#include <ctime>

#include "astro/locator.h"
#include "common/zero_pad.h"
#include "products/aprs_fields.h"

namespace tavik {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlnum(char c) { return isDigit(c) || (c >= 'A' && c <= 'Z'); }

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// The field of a value, or dots of its width when the value is absent.
template <typename Format>
std::string field(int width, const std::optional<int>& value, Format format) {
  if (!value) return std::string(static_cast<size_t>(width), '.');
  return format(*value);
}

// Degrees and hundredths of minutes, rounded as a whole so that 59.996'
// carries into the next degree.
std::string degreesMinutes(double degrees, int degreeDigits) {
  const long long hundredths = std::llround(std::fabs(degrees) * 6000.0);
  return ZeroPadNumber(degreeDigits, static_cast<double>(hundredths / 6000)) +
         ZeroPadNumber(2, static_cast<double>(hundredths % 6000 / 100)) + "." +
         ZeroPadNumber(2, static_cast<double>(hundredths % 100));
}

bool digitsAt(std::string_view s, size_t from, size_t count) {
  for (size_t i = from; i < from + count; ++i) {
    if (!isDigit(s[i])) return false;
  }
  return true;
}

int number(std::string_view s, size_t from, size_t count) {
  int n = 0;
  for (size_t i = from; i < from + count; ++i) n = n * 10 + (s[i] - '0');
  return n;
}

}  // namespace

std::optional<std::string> aprsCallsign(std::string_view text) {
  const std::string call = upper(text);
  const size_t dash = call.find('-');
  const std::string base = call.substr(0, dash);
  if (base.empty() || base.size() > 6) return std::nullopt;
  bool digit = false;
  for (char c : base) {
    if (!isAlnum(c)) return std::nullopt;
    digit = digit || isDigit(c);
  }
  if (!digit) return std::nullopt;
  if (dash == std::string::npos) return call;
  const std::string ssid = call.substr(dash + 1);
  if (ssid.empty() || ssid.size() > 2) return std::nullopt;
  for (char c : ssid) {
    if (!isAlnum(c)) return std::nullopt;
  }
  if (isDigit(ssid[0]) && (ssid.size() == 1 || isDigit(ssid[1])) &&
      (ssid[0] == '0' || std::stoi(ssid) > 15)) {
    return std::nullopt;
  }
  return call;
}

bool isObserverNumber(std::string_view callsign) {
  const std::string call = upper(callsign);
  if (call.size() < 3) return false;
  const std::string_view prefix = std::string_view(call).substr(0, 2);
  if (prefix != "CW" && prefix != "DW" && prefix != "EW") return false;
  return digitsAt(call, 2, call.size() - 2);
}

std::string aprsLoginLine(const std::string& callsign, int passcode, std::string_view version) {
  return "user " + callsign + " pass " + std::to_string(passcode) + " vers Tavik " +
         std::string(version);
}

std::optional<LoginVerdict> aprsLoginVerdict(std::string_view line, bool withPasscode) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  if (!line.starts_with("# logresp ")) return std::nullopt;
  LoginVerdict verdict;
  verdict.words = std::string(line.substr(2));
  const bool unverified = line.find(" unverified") != std::string_view::npos;
  const bool verified = !unverified && line.find(" verified") != std::string_view::npos;
  verdict.accepted = verified || (unverified && !withPasscode);
  return verdict;
}

std::optional<std::string> aprsPosition(std::string_view text) {
  const std::string p = upper(text);
  if (p.size() != 18 || p[4] != '.' || p[8] != '/' || p[14] != '.') return std::nullopt;
  if (!digitsAt(p, 0, 4) || !digitsAt(p, 5, 2) || !digitsAt(p, 9, 5) || !digitsAt(p, 15, 2)) {
    return std::nullopt;
  }
  if ((p[7] != 'N' && p[7] != 'S') || (p[17] != 'E' && p[17] != 'W')) return std::nullopt;
  const int latitude = number(p, 0, 2), latMinutes = number(p, 2, 2);
  const int longitude = number(p, 9, 3), lonMinutes = number(p, 12, 2);
  if (latMinutes > 59 || lonMinutes > 59) return std::nullopt;
  if (latitude > 90 || (latitude == 90 && p.substr(2, 5) != "00.00")) return std::nullopt;
  if (longitude > 180 || (longitude == 180 && p.substr(12, 5) != "00.00")) return std::nullopt;
  return p;
}

std::string aprsPositionOf(double latitude, double longitude) {
  return degreesMinutes(latitude, 2) + (latitude < 0 ? "S" : "N") + "/" +
         degreesMinutes(longitude, 3) + (longitude < 0 ? "W" : "E");
}

std::optional<std::string> stationPosition(std::string_view setting, std::string_view locator) {
  if (setting.find_first_not_of(' ') != std::string_view::npos) return aprsPosition(setting);
  const Outcome<GeoPoint> centre = LocatorToCentre(locator);
  if (!centre.ok() || std::fabs(centre.value->latitude) > 90 ||
      std::fabs(centre.value->longitude) > 180) {
    return std::nullopt;
  }
  return aprsPositionOf(centre.value->latitude, centre.value->longitude);
}

std::string cwopPacket(const std::string& callsign, const std::string& position,
                       const UploadRecord& record, std::string_view version) {
  const PublishedValues& v = record.values;
  const std::time_t utc = static_cast<std::time_t>(record.observedUtc);
  std::tm tm{};
  gmtime_r(&utc, &tm);
  const auto two = [](int n) { return ZeroPadNumber(2, n); };
  const auto digits = [](int width) {
    return [width](int n) { return aprsDigitsField(width, n); };
  };
  const auto mph = [](int tenths) { return aprsDigitsField(3, aprsMph(tenths)); };
  const auto rain = [&record](int count) {
    return aprsDigitsField(3, aprsRainHundredths(count, record.normalGauge));
  };
  return callsign + ">APRS,TCPIP*:@" + two(tm.tm_mday) + two(tm.tm_hour) + two(tm.tm_min) + "z" +
         position + "_" + field(3, v.windAvgDir, digits(3)) + "/" + field(3, v.windAvgSpeed, mph) +
         "g" + field(3, v.gust5min, mph) + "t" + field(3, v.tempOut, aprsFahrenheitField) + "r" +
         field(3, v.rainLastHour, rain) + "p" + field(3, v.rain24h, rain) + "P" +
         field(3, v.rainToday, rain) + "h" + field(2, v.humOut, aprsHumidityField) + "b" +
         field(5, v.seaLevel, digits(5)) + "Tavik " + std::string(version);
}

}  // namespace tavik
