// SPDX-License-Identifier: GPL-3.0-or-later
// A restart of the station: the rain of the last hour, the last 24 hours and
// today count on from the rain counter's course the archive kept, not from
// the restart.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../station/group_builder.h"
#include "../station/pty.h"
#include "core/station_runtime.h"
#include "event_loop.h"
#include "temp_folder.h"

namespace tavik {
namespace {

uint8_t bcd(int v) { return static_cast<uint8_t>(v / 10 * 16 + v % 10); }

// The rain group with the counter at `total` mm, twice, so that it enters
// the record.
std::vector<uint8_t> rainGroupsTwice(int total) {
  const auto g = test::groupOnLine(GroupKind::GBF, {{5, bcd(total % 100)}, {6, bcd(total / 100)}});
  std::vector<uint8_t> line = g;
  line.insert(line.end(), g.begin(), g.end());
  return line;
}

struct PublishedRain {
  uint16_t lastHour;
  uint16_t day;
  uint16_t today;
  friend bool operator==(const PublishedRain&, const PublishedRain&) = default;
};

PublishedRain publishedRain(const StationData& s) {
  return {s.state.rainLastHour, s.state.rain24h, s.state.rainSinceMidnight};
}

class RainSeedTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }

  std::unique_ptr<StationRuntime> start() {
    auto runtime =
        std::make_unique<StationRuntime>(stationFolderAt(folder.dir()), clock, notifier, log);
    runtime->loadSettings([&] { runtime->clockwork().toggleActive(); }, notifier);
    EXPECT_TRUE(runtime->clockwork().isActive());
    return runtime;
  }
  // The counter at `total` from the line at `time`, and the minute's tick,
  // which writes the archive row.
  void rainAt(StationRuntime& runtime, const LocalDateTime& time, int total) {
    clock.set(time);
    pty.write(rainGroupsTwice(total));
    ASSERT_TRUE(
        test::runUntil([&] { return runtime.station().weather.Rain.Total == total; }, 3000));
    runtime.clockwork().minutencountTimer();
  }

  testing::TempFolder folder;
  test::Pty pty;
  const test::PtyLink link{"rainseed"};
  // Summer, far from clock changes; the evening before midnight.
  ManualClock clock{LocalDateTime{2026, 6, 14, 23, 30, 0}};
  RecordingNotifier notifier;
  std::ostringstream log;
};

TEST_F(RainSeedTest, TheRainOfTodayAndTheLast24HoursIsTheSameAfterARestart) {
  link.pointAt(pty);
  std::ofstream(folder.path() / "tavout.ini", std::ios::binary)
      << "[Alles]\r\nComport=" << link.path() << "\r\nActiveAtStratup=1\r\n";
  PublishedRain before{};
  {
    auto runtime = start();
    pty.write(test::consoleGroupsTwice());
    ASSERT_TRUE(test::runUntil([&] { return runtime->station().state.allSeen(); }, 3000));
    // 12 mm at 23:30, 15 at 23:55, 20 at 00:05, 21 at 00:20.
    rainAt(*runtime, {2026, 6, 14, 23, 30, 0}, 12);
    rainAt(*runtime, {2026, 6, 14, 23, 55, 0}, 15);
    rainAt(*runtime, {2026, 6, 15, 0, 5, 0}, 20);
    rainAt(*runtime, {2026, 6, 15, 0, 20, 0}, 21);
    before = publishedRain(runtime->station());
    EXPECT_EQ(before, (PublishedRain{9, 9, 6}));
  }
  clock.set({2026, 6, 15, 0, 22, 0});
  auto runtime = start();
  EXPECT_EQ(publishedRain(runtime->station()), before);
  // The console's counter, unchanged, adds nothing.
  rainAt(*runtime, {2026, 6, 15, 0, 23, 0}, 21);
  EXPECT_EQ(publishedRain(runtime->station()), before);
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace tavik
