// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "archive/archive_row.h"
#include "station/weather_record.h"

namespace tavik {

// The highest wind of an archive interval and its direction.
struct IntervalGust {
  uint16_t speed = 0;  // tenths of m/s
  int16_t dir = 0;     // degrees
};

// The archive row of the record at `utc` (PC clock), standing for `interval`
// seconds. A value of a group kind not seen since start, one the console
// flags as out of range and one outside the plausible range is left empty.
// The console's clock is completed with `pcYear`.
ArchiveRow archiveRowOf(const WeatherRecord& w, const StationState& s, int64_t utc,
                        int32_t interval, int pcYear, const std::optional<IntervalGust>& gust);

}  // namespace tavik
