// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "web/noaa_report.h"

namespace tavik {

// The report days of the archive's daily summaries, in date order. The
// highest wind is the day's highest gust, or its highest speed where the
// rows hold no gust (imported ones).
std::vector<NoaaDay> noaaDays(const std::vector<DaySummary>& days);

// The days of a month (month 1..12) or of a whole year (month 0).
std::vector<NoaaDay> noaaDaysOf(const ArchiveHistory& archive, int year, int month);

}  // namespace tavik
