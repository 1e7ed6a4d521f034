// SPDX-License-Identifier: GPL-3.0-or-later
// The Home Assistant discovery messages against the keys and types its MQTT
// sensor documents, and their value templates against the state object.
#include "core/mqtt_discovery.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <set>

#include "../station/group_builder.h"
#include "common/version.h"
#include "products/current_json.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

QJsonObject parsed(const std::string& json) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
  return doc.object();
}

// The value a template "{{ value_json.a.b }}" picks out of the state.
QJsonValue templateValue(const QJsonObject& state, const QString& tmpl) {
  const QString prefix = QStringLiteral("{{ value_json."), suffix = QStringLiteral(" }}");
  EXPECT_TRUE(tmpl.startsWith(prefix) && tmpl.endsWith(suffix)) << tmpl.toStdString();
  const QStringList path =
      tmpl.mid(prefix.size(), tmpl.size() - prefix.size() - suffix.size()).split(QLatin1Char('.'));
  QJsonValue v = state;
  for (const QString& key : path) {
    if (!v.isObject() || !v.toObject().contains(key)) return QJsonValue::Undefined;
    v = v.toObject().value(key);
  }
  return v;
}

TEST(MqttDiscovery, EveryConfigHasTheDocumentedKeysAndTypes) {
  // The keys of an MQTT sensor's configuration that the publisher uses.
  const std::set<QString> strings = {"name",         "unique_id",      "object_id",
                                     "state_topic",  "value_template", "availability_topic",
                                     "device_class", "state_class",    "unit_of_measurement"};
  // Device classes of sensors with the units Home Assistant takes for them.
  const std::map<QString, std::set<QString>> units = {
      {"temperature", {"°C"}}, {"humidity", {"%"}},       {"atmospheric_pressure", {"hPa"}},
      {"wind_speed", {"m/s"}}, {"precipitation", {"mm"}}, {"precipitation_intensity", {"mm/h"}}};
  std::set<QString> uniqueIds, objectIds;
  for (const MqttQuantity& q : mqttQuantities()) {
    SCOPED_TRACE(q.id);
    const std::string topic = discoveryTopic("dl1abc", q);
    EXPECT_EQ(topic, std::string("homeassistant/sensor/dl1abc/") + q.id + "/config");
    const QJsonObject c = parsed(discoveryConfig(q, "dl1abc", "tavik/dl1abc", programVersion));
    for (auto it = c.begin(); it != c.end(); ++it) {
      if (it.key() == "device") continue;
      EXPECT_TRUE(strings.count(it.key())) << "unknown key " << it.key().toStdString();
      EXPECT_TRUE(it.value().isString()) << it.key().toStdString();
    }
    EXPECT_EQ(c["state_topic"].toString(), "tavik/dl1abc/state");
    EXPECT_EQ(c["availability_topic"].toString(), "tavik/dl1abc/availability");
    EXPECT_EQ(c["state_class"].toString(), "measurement");
    EXPECT_FALSE(c["name"].toString().isEmpty());
    EXPECT_TRUE(uniqueIds.insert(c["unique_id"].toString()).second);
    EXPECT_TRUE(objectIds.insert(c["object_id"].toString()).second);
    if (c.contains("device_class")) {
      const auto known = units.find(c["device_class"].toString());
      ASSERT_NE(known, units.end()) << c["device_class"].toString().toStdString();
      EXPECT_TRUE(known->second.count(c["unit_of_measurement"].toString()));
    } else {
      EXPECT_EQ(c["unit_of_measurement"].toString(), "°");  // the wind directions
    }
    const QJsonObject device = c["device"].toObject();
    EXPECT_EQ(device.keys(), (QStringList{"identifiers", "model", "name", "sw_version"}));
    ASSERT_TRUE(device["identifiers"].isArray());
    EXPECT_EQ(device["identifiers"].toArray(), QJsonArray{"tavik_dl1abc"});
    EXPECT_EQ(device["model"].toString(), "WM-918");
    EXPECT_EQ(device["sw_version"].toString().toStdString(), programVersion);
    EXPECT_TRUE(device["name"].isString());
  }
  EXPECT_EQ(uniqueIds.size(), mqttQuantities().size());
}

TEST(MqttDiscovery, TheIdsStayAsTheyAreForTheSameStation) {
  const MqttQuantity& q = mqttQuantities().front();
  const QJsonObject a = parsed(discoveryConfig(q, "dl1abc", "tavik/dl1abc", "1"));
  const QJsonObject b = parsed(discoveryConfig(q, "dl1abc", "haus/wetter", "2"));
  EXPECT_EQ(a["unique_id"], b["unique_id"]);
  EXPECT_EQ(a["unique_id"].toString(), "tavik_dl1abc_temperature_outdoor");
  EXPECT_EQ(b["state_topic"].toString(), "haus/wetter/state");
}

// Every template finds a number in the state of a record that has every
// group kind, and null where a group never arrived.
TEST(MqttDiscovery, EveryTemplateFindsItsValueInTheStateObject) {
  StationData full;
  GroupStream stream(full);
  stream.feed(test::consoleGroupsTwice());
  ASSERT_TRUE(full.state.allSeen());
  StationData empty;
  for (const StationData* data : {&full, &empty}) {
    const QJsonObject state = parsed(currentJson({.weather = data->weather,
                                                  .state = data->state,
                                                  .station = "dl1abc",
                                                  .generated = {2026, 12, 9, 1, 2, 3},
                                                  .lastGroup = std::nullopt,
                                                  .stale = false,
                                                  .utcOffsetMinutes = 60,
                                                  .today = {}}));
    size_t numbers = 0;
    for (const MqttQuantity& q : mqttQuantities()) {
      const QJsonObject c = parsed(discoveryConfig(q, "dl1abc", "tavik/dl1abc", "1"));
      const QJsonValue v = templateValue(state, c["value_template"].toString());
      EXPECT_TRUE(v.isDouble() || v.isNull()) << q.id;
      numbers += v.isDouble();
    }
    // Values out of range are null; most are in range.
    EXPECT_EQ(numbers > mqttQuantities().size() / 2, data == &full) << numbers;
  }
}

}  // namespace
}  // namespace tavik
