// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The APRS weather line read by an independent APRS decoder: decode_aprs of
// the Debian package "direwolf".

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tavik::testing {

inline bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// What the decoder makes of one weather line behind a fixed position with the
// weather-station symbol; -1 (-1000 for the temperature) where it read nothing.
struct DecodedAprs {
  double windMph = -1;
  int direction = -1;
  int gustMph = -1;
  int fahrenheit = -1000;
  int humidity = -1;
  double inchesOfMercury = -1;
  double rainLastHour = -1;
  double rainSinceMidnight = -1;
  double rainLast24h = -1;
  std::string comment;
};

inline double aprsNumber(const std::string& text, const std::string& pattern) {
  std::smatch m;
  if (!std::regex_search(text, m, std::regex(pattern))) return -1000;
  return std::stod(m[1]);
}

inline DecodedAprs parseDecodedAprs(const std::string& text) {
  DecodedAprs d;
  d.windMph = aprsNumber(text, R"(wind ([0-9.]+) mph)");
  d.direction = static_cast<int>(aprsNumber(text, R"(direction ([0-9]+))"));
  d.gustMph = static_cast<int>(aprsNumber(text, R"(gust ([0-9]+))"));
  d.fahrenheit = static_cast<int>(aprsNumber(text, R"(temperature (-?[0-9]+))"));
  d.humidity = static_cast<int>(aprsNumber(text, R"(humidity ([0-9]+))"));
  d.inchesOfMercury = aprsNumber(text, R"(barometer ([0-9.]+))");
  d.rainLastHour = aprsNumber(text, R"(rain ([0-9.]+) in last hour)");
  d.rainSinceMidnight = aprsNumber(text, R"(rain ([0-9.]+) since midnight)");
  d.rainLast24h = aprsNumber(text, R"(rain ([0-9.]+) in last 24 hours)");
  std::smatch m;
  if (std::regex_search(text, m, std::regex("24 hours, \"([^\"]*)\""))) d.comment = m[1];
  return d;
}

// Decodes the weather lines in one run of the decoder, in their order;
// `folder` takes its input and output files. Empty when the decoder failed.
inline std::vector<DecodedAprs> decodeAprsLines(const std::string& folder,
                                                const std::vector<std::string>& weatherLines) {
  const std::string in = folder + "/packets.txt";
  const std::string out = folder + "/decoded.txt";
  {
    std::ofstream packets(in, std::ios::binary);
    for (const std::string& line : weatherLines) {
      packets << "TAVIK>APRS:!5030.00N/00800.00E_" << line << "\n";
    }
  }
  if (std::system(("decode_aprs '" + in + "' > '" + out + "' 2>&1").c_str()) != 0) return {};
  std::ifstream decoded(out, std::ios::binary);
  const std::string raw{std::istreambuf_iterator<char>(decoded), {}};
  // Without its colour escapes; each packet's report starts with its echo.
  const std::string text = std::regex_replace(raw, std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
  std::vector<DecodedAprs> result;
  size_t start = text.find("TAVIK>");
  while (start != std::string::npos) {
    const size_t next = text.find("TAVIK>", start + 1);
    result.push_back(parseDecodedAprs(text.substr(start, next - start)));
    start = next;
  }
  return result;
}

}  // namespace tavik::testing
