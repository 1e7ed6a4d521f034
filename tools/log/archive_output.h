// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "archive/archive_history.h"

namespace tavik {

// The summary of a day or of a calendar month read from the archive.
struct ArchiveSpan {
  ArchiveDate date;  // the day, or the first day of the month
  int days = 0;      // days with rows
  DaySummary total;  // the days added up
};

// The days' summaries added up per calendar month, in order.
std::vector<ArchiveSpan> monthsOf(const std::vector<DaySummary>& days);
// One span per day.
std::vector<ArchiveSpan> daysOf(const std::vector<DaySummary>& days);

// A span as one JSON object on one line: "date" (or "month" and "days"),
// "rows", for every quantity an object with min, min_time, max, max_time
// and mean (null when no row held it), "rain" in mm, "wind_run" in km and
// "wind_dir" in degrees (null without wind).
std::string spanJson(const ArchiveSpan& s, bool month);

// The spans as an aligned table with German headings and decimal commas.
std::vector<std::string> spanTable(const std::vector<ArchiveSpan>& spans, bool month);

// A row as one JSON object on one line: "time" (UTC, ISO 8601), "local"
// (local time), "interval" in seconds, "console_time", then every value in
// its natural unit under its column name, null when absent.
std::string rowJson(const ArchiveRow& row);

// The heading and one line per row for the text output of `query`.
std::string rowTableHeading();
std::string rowTableLine(const ArchiveRow& row);

}  // namespace tavik
