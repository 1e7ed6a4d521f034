// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavik {

// The Wetterlog's layout, shared by its writer and its readers: the header
// line every file starts with, and the numeric columns with their widths and
// decimals. A row is the date, the time (right-aligned in 11), FeuchtO to
// TempO, two spaces, TaupI to BaroS, two spaces, the trend word (padded to
// 14), two spaces, the forecast word (padded to 10), then Regen to Chill.

inline constexpr std::string_view kWeatherLogHeader =
    "   Datum    Uhrzeit  FeuchtO  FeuchtI  TempI  TempO  TaupI  TaupO  BaroL   BaroS  Trend      "
    "     Vorher      Regen  WindS  WindR  Chill";

inline constexpr size_t kTimeWidth = 11;
inline constexpr size_t kTrendWidth = 14;
inline constexpr size_t kForecastWidth = 10;

// The numeric columns in the order of the row.
enum class LogColumn : uint8_t {
  FeuchtO,
  FeuchtI,
  TempI,
  TempO,
  TaupI,
  TaupO,
  BaroL,
  BaroS,
  Regen,
  WindS,
  WindR,
  Chill,
};
inline constexpr size_t kLogColumnCount = 12;

struct LogColumnLayout {
  std::string_view name;  // as in the header
  size_t width;           // right-aligned in at least this many characters
  int decimals;           // 1: the stored tenths with one decimal; 0: a whole number
};

inline constexpr std::array<LogColumnLayout, kLogColumnCount> kLogColumns = {{
    {"FeuchtO", 9, 0},
    {"FeuchtI", 9, 0},
    {"TempI", 7, 1},
    {"TempO", 7, 1},
    {"TaupI", 5, 0},
    {"TaupO", 7, 0},
    {"BaroL", 7, 0},
    {"BaroS", 8, 1},
    {"Regen", 7, 0},
    {"WindS", 7, 1},
    {"WindR", 7, 0},
    {"Chill", 7, 0},
}};

inline constexpr const LogColumnLayout& layoutOf(LogColumn column) {
  return kLogColumns[static_cast<size_t>(column)];
}

// Where the two words stand among the columns: after BaroS, before Regen.
inline constexpr size_t kColumnsBeforeWords = static_cast<size_t>(LogColumn::Regen);

// The header's names in order: Datum, Uhrzeit, the numeric columns with
// Trend and Vorher between BaroS and Regen.
inline constexpr size_t kHeaderNameCount = kLogColumnCount + 4;
constexpr std::array<std::string_view, kHeaderNameCount> headerNames() {
  std::array<std::string_view, kHeaderNameCount> names{};
  size_t count = 0;
  size_t i = 0;
  const std::string_view h = kWeatherLogHeader;
  while (i < h.size() && count < names.size()) {
    while (i < h.size() && h[i] == ' ') ++i;
    size_t end = i;
    while (end < h.size() && h[end] != ' ') ++end;
    if (end > i) names[count++] = h.substr(i, end - i);
    i = end;
  }
  return names;
}

}  // namespace tavik
