// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/regional.h"
#include "products/current_json.h"
#include "web/web_charts.h"

namespace tavik {

// The highs and lows of one span (a day, the last 7 days, the month, the
// year, all time). A value no source has is absent and the page shows "–".
struct SpanExtremes {
  DayExtreme temperature;          // outdoor, °C
  DayExtreme humidity;             // outdoor, %
  DayExtreme pressure;             // sea level, hPa
  std::optional<TimedValue> gust;  // highest gust, m/s
  std::optional<double> rainMm;    // rain of the span
};

// Where the station stands and when the sun rises and sets there today.
struct WebPlace {
  std::string locator;                 // as the user set it
  std::optional<double> latitude;      // degrees, north positive
  std::optional<double> longitude;     // degrees, east positive
  std::optional<double> heightM;       // metres above sea level
  std::optional<std::string> sunrise;  // "7:51", the PC's local time
  std::optional<std::string> sunset;   // none when the sun does not rise or set that day
};

// Everything the page shows besides the current record.
struct WebPageData {
  SpanExtremes today, yesterday, week, month, year, records;
  std::vector<ChartPeriod> periods;
  WebPlace place;
  std::vector<std::string> reports;  // file names of the climate reports, newest first
};

// `index.html`: one self-contained German page with inline CSS and SVG, no
// script and no external resource. Every value stands in an element with a
// fixed id (see web_page.cpp), the number alone, its unit beside it.
struct WebPageInput {
  const CurrentJsonInput& current;
  const WebPageData& data;
  int refreshMinutes = 5;  // 0: no automatic reload
  const RegionalSettings& rs;
};

std::string webPage(const WebPageInput& in);

// Text made safe inside HTML elements and attribute values.
std::string htmlEscape(std::string_view text);

}  // namespace tavik
