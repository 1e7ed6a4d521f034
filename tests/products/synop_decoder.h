// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A decoder of SYNOP report lines, section 1 of the land station form, written
// from the code form's group rules and code tables, to read what the ASYNOP
// bulletin writes as a SYNOP reader would. Every rule broken goes into
// `errors`; a reader would refuse such a report or misread it.

#include <cctype>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tavik::test {

struct SynopReport {
  std::string station;
  int day = -1;
  int hour = -1;
  int windIndicator = -1;                  // iw: 1 m/s measured
  double latitude = -1;                    // degrees
  int quadrant = -1;                       // Qc
  double longitude = -1;                   // degrees
  int rainIndicator = -1;                  // iR
  int stationType = -1;                    // ix
  int windDirection = -1;                  // degrees
  int windSpeed = -1;                      // in the unit of iw
  std::optional<double> temperature;       // °C
  std::optional<int> humidity;             // %
  std::optional<double> seaLevelPressure;  // hPa
  std::optional<int> tendency;             // a, code table 0200
  std::optional<double> tendencyAmount;    // hPa; none for "///"
  std::optional<double> rain;              // mm; 0 for a trace
  std::optional<int> rainHours;            // from tR, code table 4019
  std::vector<std::string> errors;
};

namespace synop_detail {

inline bool digits(const std::string& s, size_t from, size_t count) {
  if (s.size() < from + count) return false;
  for (size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  }
  return true;
}
inline int number(const std::string& s, size_t from, size_t count) {
  return std::stoi(s.substr(from, count));
}

// Code table 4019: hours of the period a rain amount covers.
inline std::optional<int> periodHours(char tR) {
  static const int hours[] = {-1, 6, 12, 18, 24, 1, 2, 3, 9, 15};
  if (tR < '1' || tR > '9') return std::nullopt;
  return hours[tR - '0'];
}

// Code table 3590: 000..988 mm, 989 for 989 mm or more, 990 a trace,
// 991..999 tenths of a millimetre.
inline double rainAmount(int rrr) {
  if (rrr >= 991) return (rrr - 990) / 10.0;
  if (rrr == 990) return 0.0;
  return rrr;
}

inline void readSection1Group(const std::string& g, SynopReport& r) {
  auto fail = [&](const std::string& why) { r.errors.push_back(g + ": " + why); };
  switch (g[0]) {
    case '1':
    case '2':
      if (g[1] == '9' && g[0] == '2') {
        if (!digits(g, 2, 3) || number(g, 2, 3) > 100) return fail("humidity");
        r.humidity = number(g, 2, 3);
      } else if ((g[1] != '0' && g[1] != '1') || !digits(g, 2, 3)) {
        return fail("sign or temperature");
      } else if (g[0] == '1') {
        r.temperature = (g[1] == '1' ? -1 : 1) * number(g, 2, 3) / 10.0;
      }
      return;
    case '4':
      if (!digits(g, 1, 4)) return fail("pressure");
      r.seaLevelPressure = number(g, 1, 4) / 10.0 + (number(g, 1, 4) < 5000 ? 1000 : 0);
      return;
    case '5':
      if (!digits(g, 1, 1) || g[1] > '8') return fail("tendency characteristic (0..8)");
      r.tendency = g[1] - '0';
      if (digits(g, 2, 3)) {
        r.tendencyAmount = number(g, 2, 3) / 10.0;
      } else if (g.substr(2) != "///") {
        return fail("tendency amount");
      }
      return;
    case '6':
      if (!digits(g, 1, 3) || !periodHours(g[4])) return fail("amount or period");
      r.rain = rainAmount(number(g, 1, 3));
      r.rainHours = periodHours(g[4]);
      return;
    case '3':
    case '7':
    case '8':
      return;  // station pressure, weather, clouds: not written
    default:
      return fail("no group of section 1");
  }
}

// Identification, position, iRixhVV and Nddff: the groups every report has.
inline size_t readFixedGroups(const std::vector<std::string>& g, SynopReport& r) {
  auto fail = [&](const std::string& why) { r.errors.push_back(why); };
  if (g.size() < 6) {
    fail("too few groups");
    return g.size();
  }
  if (!digits(g[1], 0, 5)) fail("YYGGiw");
  if (g[1].size() == 5 && digits(g[1], 0, 5)) {
    r.day = number(g[1], 0, 2);
    r.hour = number(g[1], 2, 2);
    r.windIndicator = number(g[1], 4, 1);
    if (r.day < 1 || r.day > 31 || r.hour > 23 || r.windIndicator == 2) fail("YYGGiw range");
  }
  if (g[2].size() != 5 || g[2].substr(0, 2) != "99" || !digits(g[2], 2, 3))
    fail("99LaLaLa");
  else
    r.latitude = number(g[2], 2, 3) / 10.0;
  if (g[3].size() != 5 || !digits(g[3], 0, 5) ||
      std::string("1357").find(g[3][0]) == std::string::npos)
    fail("QcLoLoLoLo");
  else {
    r.quadrant = g[3][0] - '0';
    r.longitude = number(g[3], 1, 4) / 10.0;
  }
  const std::string& i = g[4];
  if (i.size() != 5 || i[0] < '0' || i[0] > '4' || i[1] < '1' || i[1] > '7')
    fail("iRixhVV");
  else {
    r.rainIndicator = i[0] - '0';
    r.stationType = i[1] - '0';
  }
  // Code table 0877: dd 00 is calm, and only with ff 00; 01..36 are tens of
  // degrees, 36 north. ff 99 means the speed follows in a group 00fff.
  const std::string& w = g[5];
  if (w.size() != 5 || !digits(w, 1, 4) || number(w, 1, 2) > 36 ||
      (number(w, 1, 2) == 0) != (number(w, 3, 2) == 0)) {
    fail("Nddff");
    return 6;
  }
  r.windDirection = number(w, 1, 2) * 10;
  r.windSpeed = number(w, 3, 2);
  if (r.windSpeed != 99) return 6;
  if (g.size() < 7 || g[6].size() != 5 || g[6].substr(0, 2) != "00" || !digits(g[6], 2, 3)) {
    fail("00fff");
    return 6;
  }
  r.windSpeed = number(g[6], 2, 3);
  return 7;
}

}  // namespace synop_detail

// One report line: "<callsign> YYGGiw 99LaLaLa QcLoLoLoLo iRixhVV Nddff
// 1snTTT ... =". Groups of section 1 come in rising order of their first
// digit, each once; the 6 group is there exactly when iR says so.
inline SynopReport decodeSynop(const std::string& line) {
  SynopReport r;
  if (line.empty() || line.back() != '=') r.errors.push_back("no '=' at the end");
  std::istringstream words(line.substr(0, line.find('=')));
  std::vector<std::string> g;
  for (std::string w; words >> w;) g.push_back(w);
  if (g.empty()) return r;
  r.station = g[0];
  const size_t first = synop_detail::readFixedGroups(g, r);
  int lastIndicator = 0;
  for (size_t k = first; k < g.size(); ++k) {
    if (g[k].size() != 5) {
      r.errors.push_back(g[k] + ": not five characters");
      continue;
    }
    const int indicator = g[k][0] - '0';
    if (indicator <= lastIndicator) r.errors.push_back(g[k] + ": out of order");
    lastIndicator = indicator;
    synop_detail::readSection1Group(g[k], r);
  }
  const bool rainGroupExpected = r.rainIndicator == 0 || r.rainIndicator == 1;
  if (rainGroupExpected != r.rain.has_value()) r.errors.push_back("iR and group 6 disagree");
  return r;
}

}  // namespace tavik::test
