// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Test helper: archives of hand-made rows, written through the archive's own
// writer, with the UTC time of a local wall-clock moment as every view of the
// past shows it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "common/clock.h"

namespace tavik::test {

// The UTC seconds of a local wall-clock moment in the process's time zone.
inline int64_t utcOf(const LocalDateTime& t) { return utcOfLocal(t); }

// A row every `step` seconds from `start`, `count` of them, with values
// that change from row to row and stay in their plausible ranges. The
// rain counter rises by 1 mm every tenth row.
inline std::vector<ArchiveRow> archiveRows(const LocalDateTime& start, int step, int count) {
  std::vector<ArchiveRow> rows;
  const int64_t first = utcOf(start);
  for (int i = 0; i < count; ++i) {
    ArchiveRow r;
    r.time = first + static_cast<int64_t>(i) * step;
    r.interval = step;
    r.tempOut = -50 + (i * 7) % 300;
    r.tempIn = 200 + i % 20;
    r.humOut = 40 + (i * 3) % 55;
    r.humIn = 35 + i % 30;
    r.dewOut = -5 + i % 15;
    r.dewIn = 5 + i % 10;
    r.baroLocal = 990 + i % 20;
    r.baroSea = 10000 + (i * 11) % 400;
    r.windSpeed = (i * 13) % 150;
    r.windAvg = (i * 5) % 100;
    r.windDir = (i * 30) % 360;
    r.windAvgDir = (i * 30) % 360;
    r.gust = *r.windSpeed + 20;
    r.gustDir = *r.windDir;
    r.rainRate = i % 10 == 0 ? 6 : 0;
    r.rainTotal = 100 + i / 10;
    r.chill = -8 + i % 20;
    rows.push_back(r);
  }
  return rows;
}

// Writes `rows` into the archive at `path` (created when missing).
inline void writeArchive(const std::filesystem::path& path, const std::vector<ArchiveRow>& rows) {
  std::string error;
  const std::unique_ptr<ArchiveWriter> writer = ArchiveWriter::open(path, error);
  ASSERT_TRUE(writer) << error;
  ASSERT_TRUE(writer->beginBatch()) << writer->lastError();
  for (const ArchiveRow& r : rows) {
    ASSERT_EQ(writer->write(r), ArchiveWriter::Result::Added) << writer->lastError();
  }
  ASSERT_TRUE(writer->commitBatch()) << writer->lastError();
}

}  // namespace tavik::test
