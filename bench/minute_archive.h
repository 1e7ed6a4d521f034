// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Station archives of one-minute rows for the benchmarks: every value
// changes from minute to minute, the rain counter rises on rainy minutes.
#include <algorithm>
#include <filesystem>
#include <string>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "archive/record_row.h"
#include "minute_log_tree.h"

namespace tavik::bench {

// The row of minute `i` of a generated history starting at `start` (UTC).
inline ArchiveRow minuteRow(int64_t start, long long i) {
  WeatherRecord w = minuteWeather(i);
  w.Rain.Total = static_cast<uint16_t>(i / 97 % 10000);
  w.Wind.AvgSpeed = static_cast<uint16_t>(i % 150);
  w.Wind.AvgDir = static_cast<uint16_t>(i * 3 % 360);
  w.Clock = {0, static_cast<uint8_t>(i % 60), static_cast<uint8_t>(i / 60 % 24), 1, 1};
  StationState s;
  s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  return archiveRowOf(w, s, start + i * 60, 60, 2000,
                      IntervalGust{static_cast<uint16_t>(i % 250), static_cast<int16_t>(i % 360)});
}

// Writes one row per minute of the years [firstYear, firstYear + years) (from
// local midnight of 1 January) into the archive at `path`, one transaction
// per day. Returns the rows written, or -1 with the reason in `error`.
inline long long writeMinuteArchive(const std::filesystem::path& path, int firstYear, int years,
                                    std::string& error) {
  auto writer = ArchiveWriter::open(path, error);
  if (!writer) return -1;
  const int64_t start = startOfLocalDay({firstYear, 1, 1});
  const int64_t end = startOfLocalDay({firstYear + years, 1, 1});
  const long long count = (end - start) / 60;
  bool ok = true;
  for (long long first = 0; ok && first < count; first += 1440) {
    ok = writer->beginBatch();
    for (long long i = first; ok && i < std::min(count, first + 1440); ++i)
      ok = writer->write(minuteRow(start, i)) != ArchiveWriter::Result::Failed;
    ok = ok && writer->commitBatch();
  }
  if (!ok) {
    error = writer->lastError();
    return -1;
  }
  return count;
}

}  // namespace tavik::bench
