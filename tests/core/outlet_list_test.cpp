// SPDX-License-Identifier: GPL-3.0-or-later
// The runtime's outlet list: an outlet added to it is started with the
// settings in, told of every load, reload and good group, asked for its
// status and stopped at the runtime's end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../station/group_builder.h"
#include "../station/pty.h"
#include "common/outlet.h"
#include "core/station_runtime.h"
#include "event_loop.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// Writes each moment it is told of into `events`, with the web title the
// settings hold at that moment.
class FakeOutlet final : public Outlet {
 public:
  FakeOutlet(std::string name, const Settings& settings, std::vector<std::string>& events)
      : name_(std::move(name)), settings_(settings), events_(events) {}

  void start() override { events_.push_back(name_ + " start " + settings_.WebTitel); }
  void settingsChanged() override { events_.push_back(name_ + " settings " + settings_.WebTitel); }
  void recordChanged() override { ++records; }
  void stop() override { events_.push_back(name_ + " stop"); }
  std::string status() const override { return statusText; }

  int records = 0;
  std::string statusText;

 private:
  std::string name_;
  const Settings& settings_;
  std::vector<std::string>& events_;
};

class OutletListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }
  void writeSettings(const std::string& port, const std::string& title) {
    std::ofstream(folder.path() / "tavout.ini", std::ios::binary)
        << "[Alles]\r\nComport=" << port << "\r\nActiveAtStratup=1\r\n[Web]\r\nWebTitel=" << title
        << "\r\n";
  }
  FakeOutlet& add(StationRuntime& runtime, const std::string& name) {
    auto outlet = std::make_unique<FakeOutlet>(name, runtime.settings(), events);
    FakeOutlet& kept = *outlet;
    runtime.addOutlet(std::move(outlet));
    return kept;
  }

  testing::TempFolder folder;
  ManualClock clock{LocalDateTime{2026, 3, 14, 7, 5, 0}};
  RecordingNotifier notifier;
  std::ostringstream log;
  std::vector<std::string> events;
};

TEST_F(OutletListTest, AnOutletFollowsTheRuntimeFromItsStartToItsEnd) {
  test::Pty pty;
  const test::PtyLink link("outlets");
  link.pointAt(pty);
  writeSettings(link.path(), "Erste");
  {
    StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
    FakeOutlet& fake = add(runtime, "A");
    EXPECT_TRUE(events.empty()) << "started before the settings are in";

    runtime.loadSettings([&] { runtime.clockwork().toggleActive(); }, notifier);
    ASSERT_TRUE(runtime.clockwork().isActive());
    EXPECT_EQ(events, (std::vector<std::string>{"A start Erste"}));

    // Each kind's first group waits for a second that agrees: five of the
    // ten groups enter the record.
    pty.write(test::consoleGroupsTwice());
    ASSERT_TRUE(test::runUntil([&] { return runtime.station().state.allSeen(); }, 3000));
    EXPECT_EQ(fake.records, 5);
    // A group with a wrong checksum does not enter the record.
    std::vector<uint8_t> bad = test::groupOnLine(GroupKind::GCF, {{2, 0x22}});
    bad.back() ^= 0x01;
    int groups = 0;
    runtime.onGroup = [&](GroupKind, bool) { ++groups; };
    pty.write(bad);
    ASSERT_TRUE(test::runUntil([&] { return groups == 1; }, 3000));
    EXPECT_EQ(fake.records, 5);

    writeSettings(link.path(), "Zweite");
    EXPECT_EQ(runtime.reloadSettings(notifier).refusal, "");
    // A file that cannot be taken leaves the outlets as they are.
    std::filesystem::remove(folder.path() / "tavout.ini");
    EXPECT_NE(runtime.reloadSettings(notifier).refusal, "");
    EXPECT_EQ(events, (std::vector<std::string>{"A start Erste", "A settings Zweite"}));

    // An outlet added once the station runs is started at once.
    add(runtime, "B");
    EXPECT_EQ(events.back(), "B start Zweite");
    events.clear();
  }
  // The end stops them in the reverse of the list's order.
  EXPECT_EQ(events, (std::vector<std::string>{"B stop", "A stop"}));
}

TEST_F(OutletListTest, TheStatusPanelJoinsTheTextsOfTheOutletsThatShowOne) {
  writeSettings("/dev/ttyUSB7", "Erste");
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  runtime.loadSettings({}, notifier);
  // MQTT and the uploads are off: nothing to show.
  EXPECT_EQ(runtime.outletStatus(), "");
  FakeOutlet& a = add(runtime, "A");
  FakeOutlet& silent = add(runtime, "B");
  FakeOutlet& c = add(runtime, "C");
  a.statusText = "A: 4:59";
  c.statusText = "C: 0:12";
  EXPECT_EQ(runtime.outletStatus(), "A: 4:59  C: 0:12");
  a.statusText.clear();
  silent.statusText = "B: aus";
  EXPECT_EQ(runtime.outletStatus(), "B: aus  C: 0:12");
}

}  // namespace
}  // namespace tavik
