// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "products/weather_log_summary.h"

namespace tavik {

// A summary as one JSON object on one line: the date ("date":"2026-11-03")
// or month ("month":"2026-11" and "days"), "rows", "skipped" when rows of
// the period could not be read, then every numeric column named as in the
// header with its minimum and maximum as the file shows them and its mean
// rounded to two decimals, and for WindR the prevailing compass point.
std::string summaryJson(const LogSummary& s, SummaryPeriod period);

// The summaries as an aligned table with German headings and decimal
// commas, two heading lines and one line per summary.
std::vector<std::string> summaryTable(const std::vector<LogSummary>& summaries,
                                      SummaryPeriod period);

}  // namespace tavik
