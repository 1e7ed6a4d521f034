// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/regional.h"
#include "products/product_context.h"

namespace tavik::test {

// A record with known values in every field the text products write.
inline WeatherRecord sampleWeather() {
  WeatherRecord w;
  w.Clock = {10, 25, 13, 8, 12, false, false};  // 08.12. 13:25:10
  w.TempOut.Current = -35;
  w.TempOut.Lo = {5, 6, 8, 12, -72, false};
  w.TempOut.Hi = {10, 14, 7, 12, 41, true};
  w.TempIn.Current = 215;
  w.TempIn.Lo = {0, 3, 8, 12, 198, true};
  w.TempIn.Hi = {};  // no time stamp yet: the PC's moment stands in
  w.Chill.Current = -6;
  w.HumOut.Current = 87;
  w.HumIn.Current = 45;
  w.DewOut.Current = 2;
  w.DewIn.Current = 9;
  w.Baro.SeaLevel = 10132;
  w.Baro.Local = 987;
  w.Baro.Trend = 1;
  w.Baro.Forecast = 2;
  w.Rain.Rate = 11;
  w.Rain.Yesterday = 31;  // the console's previous day
  w.Rain.Total = 1234;
  w.Wind.Speed = 53;
  w.Wind.Dir = 270;
  w.Wind.GustSpeed = 128;
  w.Wind.GustDir = 250;
  w.Wind.GustTime = {47, 12, 8, 12};
  w.Wind.AvgSpeed = 5;
  w.Wind.AvgDir = 265;
  return w;
}

// The minute tick's values beside the sample record.
inline StationState sampleState() {
  StationState s;
  s.rainSinceMidnight = 23;
  return s;
}

// Every group kind seen, with a gust ring and a day's rain, as the pages and
// the JSON show a running station.
inline StationState allSeen() {
  StationState s;
  s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  s.gustRing = {40, 90, 61, 0, 12};
  s.rain24h = 7;
  return s;
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("tavik_products_" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A folder in which no file can be created, also for root (who ignores the
// permission bits): a read-only copy of `candidate`, or else /sys.
inline std::string readOnlyFolder(const std::string& candidate) {
  std::filesystem::create_directories(candidate);
  ::chmod(candidate.c_str(), 0555);
  if (::access(candidate.c_str(), W_OK) != 0) return candidate;
  return "/sys";
}

inline std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines given as Windows-1252 bytes, each ended by CR LF.
inline std::string crlfLines(std::initializer_list<std::string_view> lines) {
  std::string bytes;
  for (std::string_view line : lines) bytes.append(line).append("\r\n");
  return bytes;
}
inline std::string crlfLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes.append(line).append("\r\n");
  return bytes;
}

// Everything a writer reads, with the clock at 08.12.2026 14:30:45, an hour
// ahead of UTC (the default Zeitzone).
struct ProductFixture {
  ProductFixture() { clock.setUtcOffsetMinutes(60); }

  WeatherRecord weather = sampleWeather();
  StationState state = sampleState();
  Settings settings;
  ProfileTable profiles;
  ManualClock clock{LocalDateTime{2026, 12, 8, 14, 30, 45, 0}};
  RecordingNotifier notifier;
  ProductContext context() {
    return ProductContext{weather,  state,      settings,
                          profiles, clock,      RegionalSettings::german(),
                          notifier, "/nowhere/"};
  }
};

}  // namespace tavik::test
