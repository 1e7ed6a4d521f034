// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "common/regional.h"

namespace tavik {

// The charts of the web page: per period a row of buckets of equal length
// ending at the present, each quantity a line per bucket and the rain as bars.

using ChartValues = std::vector<std::optional<double>>;  // one value per bucket, none for a gap

struct ChartLine {
  std::string name;      // legend text
  std::string cssClass;  // colour class of the line
  ChartValues values;
};

struct Chart {
  std::string title;
  std::string unit;
  std::vector<ChartLine> lines;
  bool bars = false;  // the first line drawn as bars from zero (rain)
  // Two values at most this many buckets apart are joined; a longer gap
  // breaks the line (a log written every hour fills every sixth bucket of
  // ten minutes).
  int joinGap = 1;
  // The least height of the vertical scale in the unit, so that the noise of
  // a steady value stays flat.
  double minSpan = 1;
};

// A period spans [start, end) in local seconds (secondsOf); every line of
// its charts divides that span into buckets of equal length, the first
// beginning at `start`, whether or not history reaches back that far.
struct ChartPeriod {
  std::string id;     // element id of its section
  std::string title;  // "24 Stunden"
  long long start = 0;
  long long end = 0;
  std::vector<Chart> charts;  // temperature, humidity, pressure, wind, rain
};

// The four periods (24 hours, 7 days, 30 days, 12 months) up to `now`, from
// the archive: the rows of the last day, the hourly aggregates of the last
// month and the daily summaries of the year, so that a long archive costs
// no more than a short one.
std::vector<ChartPeriod> buildChartPeriods(const ArchiveHistory& archive, const LocalDateTime& now);

// One chart as inline SVG drawn to the page's width: a light grid with
// hour, day, week or month ticks as the span asks, the scale's lowest and
// highest value in the unit.
std::string chartSvg(const Chart& chart, const ChartPeriod& period, const RegionalSettings& rs);

}  // namespace tavik
