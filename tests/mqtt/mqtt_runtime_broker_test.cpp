// SPDX-License-Identifier: GPL-3.0-or-later
// The station runtime with MQTT set in tavout.ini: groups from a real
// pseudo-terminal reach a real broker as the state object of the record.
#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fstream>
#include <sstream>

#include "../station/group_builder.h"
#include "../station/pty.h"
#include "broker.h"
#include "core/station_runtime.h"
#include "event_loop.h"
#include "mqtt/mqtt_outlet.h"
#include "products/current_json.h"
#include "temp_folder.h"

namespace tavik {
namespace {

// Every leaf of `a` and `b` side by side, as "path=value" lines.
void leaves(const QJsonValue& v, const std::string& path, std::map<std::string, std::string>& out) {
  if (v.isObject()) {
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
      leaves(it.value(), path + "." + it.key().toStdString(), out);
  } else {
    out[path] = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
  }
}

std::map<std::string, std::string> leavesOf(const std::string& json) {
  std::map<std::string, std::string> out;
  leaves(QJsonDocument::fromJson(QByteArray::fromStdString(json)).object(), "", out);
  return out;
}

TEST(MqttRuntimeBroker, AKnownStreamIsPublishedFieldByFieldAsTheRecordHoldsIt) {
  test::ensureCoreApplication();
  const testing::TempFolder folder;
  test::Broker broker(folder.path() / "broker");
  test::Pty pty;
  const test::PtyLink link("mqtt");
  link.pointAt(pty);
  std::ofstream(folder.path() / "tavout.ini", std::ios::binary)
      << "[Alles]\r\nComport=" << link.path() << "\r\nActiveAtStratup=1\r\n"
      << "[ASYNOP]\r\nASYNOPAbsender=DL1ABC\r\n"
      << "[MQTT]\r\nMQTTServer=" << broker.address() << "\r\nMQTTBenutzer=wetter\r\n"
      << "MQTTPasswortDatei=" << broker.passwordFile().filename().string() << "\r\n"
      << "MQTTIntervall=0\r\n";
  std::filesystem::copy_file(broker.passwordFile(),
                             folder.path() / broker.passwordFile().filename());
  ManualClock clock{LocalDateTime{2026, 3, 14, 7, 5, 0}};
  RecordingNotifier notifier;
  std::ostringstream log;
  StationRuntime runtime(stationFolderAt(folder.dir()), clock, notifier, log);
  runtime.mqtt().setTimeScale(50);
  runtime.loadSettings([&] { runtime.clockwork().toggleActive(); }, notifier);
  ASSERT_TRUE(runtime.clockwork().isActive());
  test::Subscriber s(broker);
  ASSERT_TRUE(test::runUntil([&] { return runtime.mqtt().publisher().connected(); }, 8000))
      << log.str();

  const std::vector<uint8_t> line = test::consoleGroupsTwice();
  pty.write(line);
  ASSERT_TRUE(test::runUntil([&] { return s.count("tavik/dl1abc/state") > 0; }, 5000)) << log.str();
  EXPECT_EQ(s.last("tavik/dl1abc/availability")->payload, "online");

  // The same bytes decoded on their own, as current.json would show them.
  StationData alone;
  GroupStream stream(alone);
  stream.feed(line);
  // The rain of the recent spans is the station's own bookkeeping, not the
  // decoder's: it comes from the runtime that counted the rain groups.
  alone.state.rainSince = runtime.station().state.rainSince;
  const std::string expected = currentJson({.weather = alone.weather,
                                            .state = alone.state,
                                            .station = "Wetterstation",
                                            .generated = clock.now(),
                                            .lastGroup = clock.now(),
                                            .stale = false,
                                            .utcOffsetMinutes = localUtcOffsetMinutes(clock.now()),
                                            .today = {}});
  const auto published = leavesOf(s.last("tavik/dl1abc/state")->payload);
  const auto wanted = leavesOf(expected);
  EXPECT_GT(wanted.size(), 25u);
  EXPECT_EQ(published, wanted);
  EXPECT_EQ(published.at(".stale"), "[false]");

  // A minute without a good group: the record is stale, and says so.
  clock.advanceSeconds(61);
  ASSERT_TRUE(test::runUntil(
      [&] { return s.last("tavik/dl1abc/availability")->payload == "offline"; }, 5000));
  EXPECT_EQ(leavesOf(s.last("tavik/dl1abc/state")->payload).at(".stale"), "[true]");
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace tavik
