// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station keeps the station archive on its own interval, against the
// simulator on a pseudo-terminal with an accelerated clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "../e2e/program_process.h"
#include "archive/archive_history.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

constexpr int kScale = 120;  // one simulated minute in half a second

std::vector<ArchiveRow> archiveRows(const fs::path& file) {
  std::vector<ArchiveRow> rows;
  std::string error;
  if (auto h = ArchiveHistory::open(file, error)) {
    h->rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow& r) {
      rows.push_back(r);
      return true;
    });
  }
  return rows;
}

TEST(ArchiveService, WritesARowEveryArchiveMinuteWithTheConsolesValues) {
  char pattern[] = "/tmp/tavik-archive-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  auto sim = startSimulator(dir / "console", dir, kScale);
  ASSERT_NE(sim, nullptr);
  writeRaw(dir / "tavout.ini", "[Alles]\r\nComport=" + (dir / "console").string() +
                                   "\r\nAPRSIntervall=0\r\n[Web]\r\nWebIntervall=0\r\n");
  auto service = std::make_unique<Child>(
      std::vector<std::string>{TAVIK_STATION_BINARY, "--folder", dir.string()},
      std::vector<std::string>{"TAVIK_TIME_SCALE=" + std::to_string(kScale)}, dir / "station.out",
      fs::temp_directory_path());
  ASSERT_TRUE(service->started());
  const fs::path archive = dir / "archive.sqlite";
  EXPECT_TRUE(waitFor([&] { return archiveRows(archive).size() >= 3; }, 60s))
      << rawFile(dir / "station.out");
  EXPECT_EQ(service->stop(5s), 0);
  EXPECT_TRUE(rawFile(dir / "station.out").empty()) << rawFile(dir / "station.out");

  const std::vector<ArchiveRow> rows = archiveRows(archive);
  ASSERT_GE(rows.size(), 3u);
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i].interval, 60);
    // One row per minute tick; on a busy machine the accelerated timer
    // drifts, so only the order is certain.
    if (i > 0) {
      EXPECT_GT(rows[i].time, rows[i - 1].time);
    }
    EXPECT_TRUE(rows[i].tempOut && rows[i].humIn && rows[i].baroSea && rows[i].windSpeed);
    EXPECT_TRUE(rows[i].rainTotal);
    EXPECT_TRUE(rows[i].consoleTime);
  }
  sim.reset();
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavik
